#include "reports/reportset.h"

namespace orvanta::reports {

TReportSet::TReportSet(const TPerformCalc& calc)
    : Modellrechnung(calc, MaxPage), Beispielrechnung(calc, MaxPage), Hinweise(calc, MaxPage),
      ModellrechnungVgl(calc, MaxPage), AuszDeck(calc, MaxPage), AuszVerlauf(calc, MaxPage),
      Kostenuebersicht(calc, MaxPage), Calc(calc) {
    SetVergleichsbericht(&ModellrechnungVgl);
}

void TReportSet::QRCompositeReport1AddReports(std::vector<TQuickReport*>& reports) {
    const TPlanRecord& rec = Calc.Rec;
    MaxPage = 0;
    if (Vergleichsdruck) {
        if (!FRV_verfuegbar || !Vergleich)
            return;
        Vergleich->LastInSet = true;
        reports.push_back(Vergleich);
        // Counted, not taken as 1 or 2 by Laufzeit: the comparison page's
        // bands hold 30 rows a sheet, and year 0 has a row of its own.
        MaxPage = LayoutReports(reports).pageCount();
        return;
    }

    if (rec.Einzahlungsphase_drucken) {
        Beispielrechnung.LastInSet = false;
        reports.push_back(&Beispielrechnung);
        reports.push_back(&Hinweise);
        // The model calculation prints the rows the accumulation table has;
        // a table shorter than Laufzeit (no calculation yet) prints fewer.
        const int h = static_cast<int>(Calc.Aufbautabelle.size()) - 1;
        if (rec.Laufzeit == 0 || h < 1) {
            MaxPage = 2;
            Hinweise.LastInSet = !rec.Entnahmephase_drucken;
        } else {
            MaxPage = 3;
            Hinweise.LastInSet = false;
            reports.push_back(&Modellrechnung);
            const int p = TQR_Modellrechnung::SheetCount(h);
            if (p > 1)
                MaxPage += p - 1;
            Modellrechnung.LastInSet = !rec.Entnahmephase_drucken;
            // One sheet of its own, where the accumulation left its cost sums.
            if (Kostenuebersicht_drucken && Calc.Kostensummen.Berechnet) {
                Modellrechnung.LastInSet = false;
                Kostenuebersicht.LastInSet = !rec.Entnahmephase_drucken;
                reports.push_back(&Kostenuebersicht);
                MaxPage += 1;
            }
        }
    }

    if (rec.Entnahmephase_drucken) {
        AuszDeck.LastInSet = true;
        reports.push_back(&AuszDeck);
        MaxPage += 1;
        // Perpetual withdrawals have no course; nor has a withdrawal table
        // that was never calculated.
        if (rec.AuszEndeArt == EndeOhneKapitalverzehr || Calc.Entnahmetabelle.empty())
            return;
        AuszDeck.LastInSet = false;
        AuszVerlauf.LastInSet = true;
        reports.push_back(&AuszVerlauf);
        MaxPage += Tqr_Ausz_Verlauf::SheetCount(static_cast<int>(Calc.Entnahmetabelle.size()) - 1);
    }
}

TLaidOutDocument TReportSet::Layout() {
    std::vector<TQuickReport*> reports;
    QRCompositeReport1AddReports(reports);
    if (reports.empty())
        return {};
    TLaidOutDocument doc = LayoutReports(reports);
    if (doc.pageCount() != MaxPage) {
        MaxPage = doc.pageCount();
        doc = LayoutReports(reports);
    }
    return doc;
}

} // namespace orvanta::reports
