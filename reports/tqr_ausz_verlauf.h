#pragma once
// Withdrawal course: the year table of the withdrawal phase with a framed
// summary, 36 rows a sheet (a starting-capital row and up to 35 years).

#include "reports/pageelements.h"

namespace orvanta::reports {

class Tqr_Ausz_Verlauf : public TOrvantaReport {
public:
    static constexpr int YearsPerSheet = 35;

    Tqr_Ausz_Verlauf(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // Sheets the table of H withdrawal years needs, keep-together rule included.
    static int SheetCount(int h);

private:
    struct THead {
        TReportItem* Depotform;
        TReportItem* Dynamik1;
        TReportItem* Dynamik2;
        std::array<TReportItem*, 4> Rates;
    };
    THead buildHead(TReportBand& band, const QString& depotForm, const QString& dyn1,
                    const QString& dyn2);
    void fillHead(const THead& head);
    void fillValues(const std::array<double, AnzahlSzenarien>& values, bool zeroAsDashes);
    void showYearFields(bool on);

    enum class TStep { Rows, Closing, Done };
    TStep Step = TStep::Rows;
    int Pos = 0;     // position of the next row on its sheet; 0 = starting capital
    int Closing = 0; // closing rows printed

    THead Header{};    // QRL_Depotform_1, QRL_Dynamik_1a, QRL_Dynamik_2a
    THead TitleHead{}; // QRL_Depotform_2, QRL_Dynamik_1b, QRL_Dynamik_2b
    TYearRow Row{};
    TReportItem* Frame; // the dotted summary box, edges switched per row
    TReportItem* QRL_Summentext;
    TReportItem* Von;
};

} // namespace orvanta::reports
