#pragma once
// Withdrawal coverage: the one-sheet summary of the withdrawal phase in four
// scenario columns (blocks a to d).

#include "reports/pageelements.h"

#include <utility>
#include <vector>

namespace orvanta::reports {

class Tqr_Ausz_Deck : public TOrvantaReport {
public:
    Tqr_Ausz_Deck(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

private:
    TReportItem* caption(const QString& name, double top, const QString& text, double height = 5.6);
    // Four right-aligned value cells (or one when single).
    std::array<TReportItem*, 4> values(const QString& name, double top, double height = 5.6);

    std::array<TReportItem*, 5> Adviser{};
    TReportItem* Name;
    TReportItem* Beginn;
    TReportItem* Dauer;
    TReportItem* Strategie;
    TReportItem* StrategieZeile2;
    std::vector<TReportItem*> BlockA; // captions, rates, values and the rule above
    double BlockAHeight = 0;
    std::vector<std::pair<TReportItem*, double>> BelowA; // and their tops with block a
    std::array<TReportItem*, 4> KapitalA{}, RatesA{}, AuszahlungA{};
    std::array<TReportItem*, 4> KapitalB{}, RatesB{}, AuszahlungB{};
    std::array<TReportItem*, 4> EntnahmeC{}, RatesC{}, KapitalC{};
    TReportItem* KapitalD;
    TReportItem* EntnahmeD;
    TReportItem* RenditeD;
    TReportItem* Von;
};

} // namespace orvanta::reports
