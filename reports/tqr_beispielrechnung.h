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
    struct TRow {
        TReportItem* Caption;
        TReportItem* Value;
        void show(bool on) const {
            Caption->Enabled = on;
            if (Value)
                Value->Enabled = on;
        }
        void moveTo(double top) const;
    };
    TRow addRow(const QString& name, double top, const QString& caption, double valueWidth = 110.0,
                double height = 5.3);

    TSwissPictures Pictures{};
    std::array<TReportItem*, 5> Adviser{};
    TRow Name, Alter, Anlagedauer, Einzahlungsdauer, Strategie, StrategieZeile2, Anlageart,
        Monatsbetrag, Aufbauplan, Uebertragung, SummeDer, Anlagebetrag, Einrichtung, Dynamik,
        Gesamtleistung;
    TReportItem* Von;
};

} // namespace orvanta::reports
