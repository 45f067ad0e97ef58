#pragma once
// Cost overview: one sheet after the model calculation with what the costs
// take per scenario, in euro and in return, and a note on what it shows.

#include "reports/pageelements.h"

#include <array>

namespace orvanta::reports {

class TQR_Kostenuebersicht : public TOrvantaReport {
public:
    TQR_Kostenuebersicht(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // The rows of the table, top to bottom: item name and caption.
    struct TZeile {
        const char* Name;
        const char16_t* Text;
    };
    static const std::array<TZeile, 8>& Zeilen();
    // What stands where a figure is absent.
    static constexpr char16_t Fehlt[] = u"–";

private:
    TSwissPictures Pictures{};
    TReportItem* Depotname;
    TReportItem* Anlageart;
    TReportItem* Anlagedauer;
    std::array<TReportItem*, 4> Rates{};
    std::array<std::array<TReportItem*, 4>, 8> Werte{};
    TReportItem* Von;
};

} // namespace orvanta::reports
