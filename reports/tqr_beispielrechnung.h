#pragma once
// Example calculation: the cover sheet of the accumulation phase.

#include "reports/pageelements.h"

namespace orvanta::reports {

class Tqr_Beispielrechnung : public TOrvantaReport {
public:
    Tqr_Beispielrechnung(const TPerformCalc& calc, const int& maxPage);

    void QuickRep1BeforePrint() override;
    bool QuickRep1NeedData() override;

private:
    // A caption and its value, switched together.
    struct TZeile {
        TReportItem* Beschriftung;
        TReportItem* Wert;
        void zeigen(bool on) const {
            Beschriftung->Enabled = on;
            if (Wert)
                Wert->Enabled = on;
        }
        void verschieben(double top) const;
    };
    TZeile neueZeile(const QString& name, double top, const QString& caption,
                     double valueWidth = 110.0, double height = 5.3);

    TSwissPictures FBilder{};
    std::array<TReportItem*, 5> FBerater{};
    TZeile FName, FAlter, FAnlagedauer, FEinzahlungsdauer, FStrategie, FStrategieZeile2, FAnlageart,
        FMonatsbetrag, FAufbauplan, FUebertragung, FSummeDer, FAnlagebetrag, FEinrichtung, FDynamik,
        FGesamtleistung;
    TReportItem* FVon;
};

} // namespace orvanta::reports
