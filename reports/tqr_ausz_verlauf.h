#pragma once
// Withdrawal course: the year table of the withdrawal phase with a framed
// summary, 36 rows a sheet (a starting-capital row and up to 35 years).

#include "reports/pageelements.h"

namespace orvanta::reports {

class Tqr_Ausz_Verlauf : public TOrvantaReport {
public:
    static constexpr int JahreJeBlatt = 35;

    Tqr_Ausz_Verlauf(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // Sheets the table of H withdrawal years needs, keep-together rule included.
    static int Blattzahl(int h);

private:
    struct TKopf {
        TReportItem* Depotform;
        TReportItem* Dynamik1;
        TReportItem* Dynamik2;
        std::array<TReportItem*, 4> Raten;
    };
    TKopf baueKopf(TReportBand& band, const QString& depotForm, const QString& dyn1,
                   const QString& dyn2);
    void fuelleKopf(const TKopf& head);
    void fuelleWerte(const std::array<double, AnzahlSzenarien>& values, bool zeroAsDashes);
    void zeigeJahresfelder(bool on);

    enum class TSchritt { Zeilen, Abschluss, Fertig };
    TSchritt FSchritt = TSchritt::Zeilen;
    int FPosition = 0;  // position of the next row on its sheet; 0 = starting capital
    int FAbschluss = 0; // closing rows printed

    TKopf FKopf{};      // QRL_Depotform_1, QRL_Dynamik_1a, QRL_Dynamik_2a
    TKopf FTitelkopf{}; // QRL_Depotform_2, QRL_Dynamik_1b, QRL_Dynamik_2b
    TYearRow FJahreszeile{};
    TReportItem* FRahmen; // the dotted summary box, edges switched per row
    TReportItem* QRL_Summentext;
    TReportItem* FVon;
};

} // namespace orvanta::reports
