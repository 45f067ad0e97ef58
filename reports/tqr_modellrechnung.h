#pragma once
// Model calculation: the year table of the accumulation phase, 35 years a sheet.

#include "reports/pageelements.h"

namespace orvanta::reports {

class TQR_Modellrechnung : public TOrvantaReport {
public:
    static constexpr int ZeilenJeBlatt = 35;

    TQR_Modellrechnung(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // Sheets the table of H years needs: ceil(H / 35).
    static int Blattzahl(int h);

private:
    struct TKopf {
        TReportItem* Depotname;
        TReportItem* Dynamik1;
        TReportItem* Dynamik2;
        std::array<TReportItem*, 4> Raten;
    };
    TKopf baueKopf(TReportBand& band, const QString& depotName, const QString& dyn1,
                   const QString& dyn2);
    void fuelleKopf(const TKopf& head);

    TKopf FKopf{};      // QRL_Depotname, QRL_Dynamik_1, QRL_Dynamik_2
    TKopf FTitelkopf{}; // QRL_Depotname2, QRL_Dynamik_1a, QRL_Dynamik_2a
    TYearRow FJahreszeile{};
    TReportItem* FVon;
};

} // namespace orvanta::reports
