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
    TReportItem* beschriftung(const QString& name, double top, const QString& text,
                              double height = 5.6);
    // Four right-aligned value cells (or one when single).
    std::array<TReportItem*, 4> werte(const QString& name, double top, double height = 5.6);

    std::array<TReportItem*, 5> FBerater{};
    TReportItem* FName;
    TReportItem* FBeginn;
    TReportItem* FDauer;
    TReportItem* FStrategie;
    TReportItem* FStrategieZeile2;
    std::vector<TReportItem*> FBlockA; // captions, rates, values and the rule above
    double FBlockAHoehe = 0;
    std::vector<std::pair<TReportItem*, double>> FUnterA; // and their tops with block a
    std::array<TReportItem*, 4> FKapitalA{}, FRatenA{}, FAuszahlungA{};
    std::array<TReportItem*, 4> FKapitalB{}, FRatenB{}, FAuszahlungB{};
    std::array<TReportItem*, 4> FEntnahmeC{}, FRatenC{}, FKapitalC{};
    TReportItem* FKapitalD;
    TReportItem* FEntnahmeD;
    TReportItem* FRenditeD;
    TReportItem* FVon;
};

} // namespace orvanta::reports
