#pragma once
// Notes: the fixed sheet of legal and product notes the other pages refer to.

#include "reports/pageelements.h"

#include <vector>

namespace orvanta::reports {

class TQR_Hinweise : public TOrvantaReport {
public:
    TQR_Hinweise(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // The notes text as printed: one entry per line, hyphenated by hand.
    enum class TZeilenart { Ueberschrift, Zwischentitel, Text, TextBetont, Luecke };
    struct TZeile {
        TZeilenart Art;
        const char16_t* Text;
    };
    static const std::vector<TZeile>& Zeilen();
    static constexpr double TextLinks = 5.3;
    static constexpr double TextBreite = 171.0;

private:
    TReportItem* FVon;
};

} // namespace orvanta::reports
