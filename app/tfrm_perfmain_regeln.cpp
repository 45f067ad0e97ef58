// The rules of the input panel and the handlers of its controls and links.

#include "app/tfrm_perfmain.h"

#include "app/panelrules.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "controls/opendocument.h"
#include "controls/radiogroup.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"

#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace orvanta {

// ---------------------------------------------------------------------------
// Links

void Tfrm_perfmain::URLLabel1MouseMove() {
    setCursor(Qt::PointingHandCursor);
}

void Tfrm_perfmain::FormMouseMove() {
    unsetCursor();
}

void Tfrm_perfmain::URLLabel1Click() {
    // A strategy outside 1..4 (only from the data file) is a range error and
    // opens nothing.
    OpenDocument(LinkTarget(FCalc->Rec, 1));
}

void Tfrm_perfmain::URLLabel2Click() {
    OpenDocument(LinkTarget(FCalc->Rec, 2));
}

void Tfrm_perfmain::URLLabel3Click() {
    OpenDocument(LinkTarget(FCalc->Rec, 3));
}

// ---------------------------------------------------------------------------
// Rules

int Tfrm_perfmain::LiesAnlageart() const {
    return GR_Anlageart->Value(1);
}

void Tfrm_perfmain::LaufzeitMinimumSetzen(int kind) {
    edt_Laufzeit->SetValueMin(LaufzeitMinimum(kind));
}

void Tfrm_perfmain::SetzeAnlageart(int kind) {
    GR_Anlageart->SetValue(kind);
    DynamikFreigeben();
    const double minimum = LaufzeitMinimum(kind);
    edt_Laufzeit->SetValueMin(minimum);
    if (edt_Laufzeit->ValueAt(viValue) < minimum) {
        edt_Laufzeit->SetValue(minimum);
        edt_LaufzeitModified();
    }
}

void Tfrm_perfmain::AnlageartRegeln() {
    const int kind = LiesAnlageart();
    LaufzeitMinimumSetzen(kind);
    const TAnlageartState s = orvanta::AnlageartRegeln(kind);
    LB_Anlagebetrag->SetCaption(QString::fromUtf8(s.BetragCaption));
    for (QRadioButton* b : {RB_12, RB_24, RB_36})
        b->setEnabled(s.UebertragungEnabled);
    edt_Einzahlungsdauer->setEnabled(s.EinzahlungsdauerEnabled);
}

void Tfrm_perfmain::ZahlungsartRegeln(int kind) {
    const TZahlungsartState s = orvanta::ZahlungsartRegeln(FCalc->Rec, kind);
    RB_verteilt->setEnabled(s.VerteiltEnabled);
    if (FEinst)
        FEinst->SetzeVerteiltErlaubt(s.VerteiltEnabled);
    for (QWidget* c : std::initializer_list<QWidget*>{lbl_Zahlung, RB_einmalig, RB_verteilt})
        c->setVisible(s.ZahlungVisible);
    for (QWidget* c :
         std::initializer_list<QWidget*>{lbl_Uebertragungsdauer, RB_12, RB_24, RB_36, lbl_Monate})
        c->setVisible(s.UebertragungVisible);
    const int zahlungsart = s.EinmaligChecked ? AgioSofort : s.VerteiltChecked ? AgioRatierlich : 0;
    GR_Zahlung->SetValue(zahlungsart);
    if (FEinst)
        FEinst->SetzeZahlungsart(zahlungsart);
}

void Tfrm_perfmain::LaufzeitRegeln() {
    TPlanRecord& r = FCalc->Rec;
    edt_Laufzeit->SetValueMin(LaufzeitMinimum(r.Anlageart));           // 1
    edt_Laufzeit->SetValue(r.Laufzeit);                                // 2
    if (edt_Laufzeit->ValueMin() > edt_Anlagebetrag->ValueAt(viValue)) // 3
        edt_Anlagebetrag->SetValue(edt_Laufzeit->ValueMin());
    const bool ohneJahre = edt_Laufzeit->ValueAt(viValue) == 0;
    if (ohneJahre) { // 4
        r.Grafik_Phase = 2;
        FErgebnis->EntnahmephaseWaehlen();
        r.Dynamik = 0;
        edt_Dynamik->SetValue(0);
        cb_Dynamik->SetChecked(false);
    }
    FErgebnis->EinzahlungsphaseErlauben(!ohneJahre); // 5
    DynamikFreigeben();
}

void Tfrm_perfmain::DynamikFreigeben() {
    cb_Dynamik->setEnabled(DynamikWaehlbar(LiesAnlageart(), edt_Laufzeit->ValueAt(viValue)));
    lbl_Dynamik->setEnabled(cb_Dynamik->Checked() && cb_Dynamik->isEnabled());
}

void Tfrm_perfmain::KapitalquelleRegeln() {
    const bool ausEinzahlung = CB_Kapital_aus_Einz->Checked();
    edt_Rentenkapital->setEnabled(!ausEinzahlung);
    for (QRadioButton* b : {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3})
        b->setEnabled(ausEinzahlung);
}

// ---------------------------------------------------------------------------
// Handlers

void Tfrm_perfmain::SpeichernUndRechnen() {
    SaveData();
    Neuberechnung();
}

void Tfrm_perfmain::cmb_GeschlechtModified() {
    if (!FGeladen || FLaedt)
        return;
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_T1Click() {
    edt_AuszEnde->setEnabled(RB_individuell->isChecked());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_individuellClick() {
    edt_AuszEnde->setEnabled(RB_individuell->isChecked());
    if (RB_individuell->isChecked()) {
        const auto ende = IndividuellEndAge(Trunc(edt_AuszBeginn->Value()), FCalc->Rec.AuszEnde);
        if (ende)
            edt_AuszEnde->SetValue(*ende);
    }
    SpeichernUndRechnen();
}

void Tfrm_perfmain::edt_LaufzeitModified() {
    TPlanRecord& r = FCalc->Rec;
    SaveData();                                    // 1
    if (FGeladen && !FLaedt && RaiseAuszBeginn(r)) // 2
        edt_AuszBeginn->SetValue(r.AuszBeginn);
    if (r.AuszEndeArt == EndeIndividuell) { // 3
        const auto ende = IndividuellEndAge(Trunc(edt_AuszBeginn->Value()), r.AuszEnde);
        if (ende)
            edt_AuszEnde->SetValue(*ende);
    }
    SaveData();       // 4
    LaufzeitRegeln(); // 5
    Neuberechnung();  // 6
}

void Tfrm_perfmain::edt_EinzahlungsdauerModified() {
    SaveData();
    if (!FGeladen || FLaedt)
        return;
    TPlanRecord& r = FCalc->Rec;
    const std::int32_t begrenzt = ClampEinzahlungsdauer(r.Einzahlungsdauer, r.Laufzeit);
    if (begrenzt != r.Einzahlungsdauer) {
        edt_Einzahlungsdauer->SetValue(begrenzt);
        SaveData();
    }
    Neuberechnung();
}

void Tfrm_perfmain::edt_AnlagebetragModified() {
    if (edt_Anlagebetrag->Value() < edt_Anlagebetrag->ValueMin())
        edt_Anlagebetrag->SetValue(edt_Anlagebetrag->ValueMin());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_AufbauplanClick() {
    if (!FGeladen || FLaedt) // 1
        return;
    AnlageartRegeln(); // 2
    TPlanRecord& r = FCalc->Rec;
    const int alt = r.Anlageart;     // 3
    const int neu = LiesAnlageart(); // its bound was set by step 2
    const TAmountField f =
        ParkAmount(r, alt, neu, {edt_Anlagebetrag->Value(), edt_Anlagebetrag->ValueMin()});
    edt_Anlagebetrag->SetValue(f.Shown);
    edt_Anlagebetrag->SetValueMin(f.ValueMin); // 4 included
    ZahlungsartRegeln(neu);                    // 5
    SaveData();                                // 6
    // An Einmalanlage without accumulation years, switched to a kind that
    // needs one: the Anlagedauer rises to its new lower bound, as typing a 0
    // would be refused and every result would stay 0.
    if (edt_Laufzeit->ValueAt(viValue) < edt_Laufzeit->ValueMin()) {
        edt_Laufzeit->SetValue(edt_Laufzeit->ValueMin());
        edt_LaufzeitModified();
    }
    DynamikFreigeben(); // 7
    Neuberechnung();    // 8
}

// The choice recalculates, so it is saved as well: the file always holds the
// inputs the results belong to.
void Tfrm_perfmain::RB_einmaligClick() {
    FCalc->Rec.AgioZahlungsart = AgioSofort;
    if (FEinst)
        FEinst->SetzeZahlungsart(AgioSofort);
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_verteiltClick() {
    FCalc->Rec.AgioZahlungsart = AgioRatierlich;
    if (FEinst)
        FEinst->SetzeZahlungsart(AgioRatierlich);
    SpeichernUndRechnen();
}

void Tfrm_perfmain::cb_DynamikClick() {
    lbl_Dynamik->setEnabled(cb_Dynamik->Checked() && cb_Dynamik->isEnabled());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::CB_Kapital_aus_EinzClick() {
    SpeichernUndRechnen();
    KapitalquelleRegeln();
}

void Tfrm_perfmain::ExplorerButton1Click() {
    // Closing commits the field being typed in and saves; a save that fails
    // keeps the window open (closeEvent).
    close();
}

void Tfrm_perfmain::ExplorerButton3Click() {
    if (!FEinst)
        return;
    FEinst->move(pos() + QPoint(30, 30));
    FEinst->SetzeAgioMonate(FCalc->Rec.AgioMonate);
    FEinst->SetzeAnlageart(FCalc->Rec.Anlageart);
    const int ergebnis = FEinst->ShowModal();
    if (ergebnis == mrCancel) {
        const QScopedValueRollback laden(FLaedt, true);
        RecordInDialoge();
    }
    SaveData();
    Neuberechnung();
    ExplorerButton3->setFocus();
}

void Tfrm_perfmain::btn_ErgebnisClick() {
    if (FDruckPar)
        FDruckPar->Oeffnen(this);
}

void Tfrm_perfmain::SPB_PreviewClick() {
    FErgebnis->TabelleZeigen();
    FCalc->Rec.Ansicht = 2;
}

void Tfrm_perfmain::SPB_ChartClick() {
    FErgebnis->ChartZeigen();
    FCalc->Rec.Ansicht = 1;
}

} // namespace orvanta
