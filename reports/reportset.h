#pragma once
// The report set: which pages a print holds, in which order, and how many
// sheets it has. The main window owns one set for its calculation object.

#include "reports/reportengine.h"
#include "reports/tqr_ausz_deck.h"
#include "reports/tqr_ausz_verlauf.h"
#include "reports/tqr_beispielrechnung.h"
#include "reports/tqr_hinweise.h"
#include "reports/tqr_kostenuebersicht.h"
#include "reports/tqr_modellrechnung.h"
#include "reports/tqr_modellrechnung_vgl.h"

#include "core/performcalc.h"

#include <vector>

namespace orvanta::reports {

class TReportSet {
public:
    explicit TReportSet(const TPerformCalc& calc);

    // Set by the caller before a preview: the comparison print holds the
    // comparison report only, and only when FRV values exist for the plan.
    bool Vergleichsdruck = false;
    bool FRV_verfuegbar = false;
    // The print option of the program's settings: the cost overview follows
    // the model calculation. Off, the set is the one without it.
    bool Kostenuebersicht_drucken = false;
    // Total page count of the set, computed by the assembly.
    int MaxPage = 0;

    // The page the comparison print holds; the set registers its own
    // comparison report, null leaves the comparison print empty.
    void SetVergleichsbericht(TQuickReport* report) { Vergleich = report; }
    bool HasVergleichsbericht() const { return Vergleich != nullptr; }

    // Adds the pages of the set in their fixed order to the empty list, sets
    // their LastInSet and computes MaxPage.
    void QRCompositeReport1AddReports(std::vector<TQuickReport*>& reports);

    // Assembles and lays out the set. Should the computed page count ever
    // differ from the laid-out sheets, the real count is printed.
    TLaidOutDocument Layout();

    // Declared in the program's start-up order, so that they are created in it.
    TQR_Modellrechnung Modellrechnung;
    Tqr_Beispielrechnung Beispielrechnung;
    TQR_Hinweise Hinweise;
    TQR_Modellrechnung_Vgl ModellrechnungVgl;
    Tqr_Ausz_Deck AuszDeck;
    Tqr_Ausz_Verlauf AuszVerlauf;
    TQR_Kostenuebersicht Kostenuebersicht;

    const TPerformCalc& calc() const { return Calc; }

private:
    const TPerformCalc& Calc;
    TQuickReport* Vergleich = nullptr;
};

} // namespace orvanta::reports
