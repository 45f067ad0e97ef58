#pragma once
// Comparison of the plan with the fund-linked pension insurance (FRV): per
// scenario the plan's net depot value and the FRV value side by side, one row
// per year from year 0, whole euros.

#include "reports/pageelements.h"

namespace orvanta::reports {

class TQR_Modellrechnung_Vgl : public TOrvantaReport {
public:
    TQR_Modellrechnung_Vgl(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

    // Year rows one sheet holds with the page's band heights.
    static int ZeilenJeBlatt();

private:
    TReportItem* QRL_Depotname;
    TReportItem* QRL_Dynamik;
    std::array<TReportItem*, 4> FRaten{};
    TReportItem* FStreifen; // carries the row shading
    TReportItem* QRL_Jahre;
    TReportItem* QRL_Anlage;
    std::array<TReportItem*, 4> QRL_NIW{};
    std::array<TReportItem*, 4> QRL_FRV{};
    TReportItem* FVon;
};

} // namespace orvanta::reports
