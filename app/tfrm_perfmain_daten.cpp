// The record-to-window mapping: loading the plan record into the main window
// and its dialogs, and saving them back in the documented order.

#include "app/tfrm_perfmain.h"

#include "app/displaydata.h"
#include "app/panelrules.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "app/tfrm_perfmain_zugriff.h"
#include "app/tperformcomboreflist.h"
#include "controls/radiogroup.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/planfile.h"
#include "dialogs/recordfelder.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovpar.h"

#include <QRadioButton>
#include <QScopedValueRollback>

namespace orvanta {

// ---------------------------------------------------------------------------
// Loading

void Tfrm_perfmain::LoadData() {
    // Every load closes the lock: also a reload that fails, and one whose
    // recalculation below fails on a damaged file (the stored level means
    // nothing).
    try {
        LoadPlanRecord(FCalc->Rec, DatenDatei().toStdString());
    } catch (...) {
        FCalc->Rec.Zugriffsstufe = 0;
        FFRV_verfuegbar = false;
        FZugriff->Zugriffsabhaengiges();
        throw;
    }
    FCalc->Rec.Zugriffsstufe = 0;
    std::exception_ptr dauerFehler;
    {
        // While the inputs are set their handlers change nothing in the record.
        const QScopedValueRollback laden(FLaedt, true);
        dauerFehler = RecordInsFenster();
        RecordInDialoge();
        btn_Ergebnis->setEnabled(true);
        AnlageartRegeln();
    }
    // A damaged duration is reported only once every input holds the file's
    // value, so the adviser can correct it and the next save keeps the rest.
    FGeladen = true;
    if (dauerFehler)
        std::rethrow_exception(dauerFehler);
    Neuberechnung();
    FCalc->Rec.Zugriffsstufe = 0;
    Zugriffsanzeige();
}

std::exception_ptr Tfrm_perfmain::RecordInsFenster() {
    TPlanRecord& r = FCalc->Rec;
    edt_I_P_Nachname->SetValue(RecordText(r.Nachname));
    edt_I_P_Vorname->SetValue(RecordText(r.Vorname));
    edt_I_P_Eintrittsalter->SetValue(r.Eintrittsalter);
    edt_Zuzahlung_Betrag_1->SetValue(r.Zuzahlung_Betrag_1);
    edt_Zuzahlung_Monat_1->SetValue(r.Zuzahlung_Monat_1);
    edt_Zuzahlung_Betrag_2->SetValue(r.Zuzahlung_Betrag_2);
    edt_Zuzahlung_Monat_2->SetValue(r.Zuzahlung_Monat_2);
    edt_Laufzeit->SetValue(r.Laufzeit);
    LaufzeitRegeln();
    cb_Dynamik->SetChecked(DynamikChecked(r.Dynamik));
    edt_Dynamik->SetValue(r.Dynamik);
    GR_Rentengarantie->SetValue(r.Rentengarantie);
    GR_Geschlecht->SetValue(r.Geschlecht);
    cmb_Geschlecht->SetValue(r.Geschlecht);
    GR_Anlagestrategie->SetValue(r.Anlagestrategie);
    GR_Anlagestrategie_Entnahme->SetValue(r.Anlagestrategie_Entnahme);
    edt_AuszBeginn->SetValue(r.AuszBeginn);
    edt_AuszEnde->SetValue(r.AuszEnde);
    GR_AuszEndeArt->SetValue(r.AuszEndeArt);
    SetzeAnlageart(r.Anlageart);
    GR_Uebertragung->SetValue(r.Uebertragungsmonate);
    edt_Anlagebetrag->SetValue(r.Anlageart == KindAufbauplan ? r.Sparbetrag
                               : r.Anlageart == KindEinmalanlage ||
                                       r.Anlageart == KindSystemEinmalanlage
                                   ? r.Anlagebetrag
                                   : edt_Anlagebetrag->ValueAt(viValue));
    edt_Einzahlungsdauer->SetValue(r.Einzahlungsdauer);
    edt_Rentenkapital->SetValue(r.Rentenkapital);
    edt_Monatsrente->SetValue(r.Monatsrente);
    GR_Kapital->SetValue(r.Kapital_Szenario);
    CB_Kapital_aus_Einz->SetChecked(r.Kapital_aus_Einzahlung != 0);
    KapitalquelleRegeln();
    std::exception_ptr dauerFehler;
    try {
        Entnahmedauer();
    } catch (...) {
        dauerFehler = std::current_exception();
    }
    FErgebnis->SetzeGrafikSzenario(r.Grafik_Szenario);
    // Any other stored value leaves both phase buttons unchecked; the display
    // step reads the stored value itself.
    FErgebnis->SetzeGrafikPhase(r.Grafik_Phase);
    ZahlungsartRegeln(r.Anlageart);
    if (r.Ansicht == 1)
        SPB_ChartClick();
    else if (r.Ansicht == 2)
        SPB_PreviewClick();
    AlterGrenzenSetzen();
    return dauerFehler;
}

void Tfrm_perfmain::RecordInDialoge() {
    TPlanRecord& r = FCalc->Rec;
    if (FDruckPar) // rows 10 and 29
        FDruckPar->AusRecordLaden(r);
    if (FEinst) // rows 11, 12, 22 and 24
        FEinst->AusRecordLaden(r);
    if (FProvPar) // rows 13, 14 and 17
        FProvPar->AusRecordLaden(r);
    ZahlungsartRegeln(r.Anlageart);
}

// ---------------------------------------------------------------------------
// Saving

void Tfrm_perfmain::SpeichernJetzt() {
    // The one place where code reading the inputs takes a typed entry over:
    // the field being edited, here or in a dialog, is committed first (a
    // wrong entry ends the save here, reported by the field); from then on
    // every Value is what the user committed.
    for (TbrixDialog* fenster :
         std::initializer_list<TbrixDialog*>{this, FDruckPar, FEinst, FProvPar})
        if (fenster)
            fenster->CommitFocusedEntry();
    TPlanRecord& r = FCalc->Rec;
    SetRecordText(r.Nachname, edt_I_P_Nachname->Value());        // 1
    SetRecordText(r.Vorname, edt_I_P_Vorname->Value());          // 2
    r.Eintrittsalter = Trunc(edt_I_P_Eintrittsalter->Value());   // 3
    r.Zuzahlung_Betrag_1 = edt_Zuzahlung_Betrag_1->Value();      // 4
    r.Zuzahlung_Monat_1 = Trunc(edt_Zuzahlung_Monat_1->Value()); // 5
    r.Zuzahlung_Betrag_2 = edt_Zuzahlung_Betrag_2->Value();      // 6
    r.Zuzahlung_Monat_2 = Trunc(edt_Zuzahlung_Monat_2->Value()); // 7
    r.Laufzeit = Trunc(edt_Laufzeit->Value());                   // 8
    r.Dynamik = DynamikFromCheck(cb_Dynamik->Checked());         // 9
    // 10 and 29: the print options' boxes in one go. The FRV boxes are set
    // by code only, so taking them here instead of after row 28 stores the same.
    if (FDruckPar)
        FDruckPar->InRecordSpeichern(r);
    // 11, 12, 18, 22 and 24: the settings in one go, in that order. None of
    // the rows between them reads what the settings store.
    if (FEinst)
        FEinst->InRecordSpeichern(r);
    // 13, 14 and 17: the commission settings in one go; row 15 does not
    // depend on them.
    if (FProvPar)
        FProvPar->InRecordSpeichern(r);
    r.Rentengarantie = GR_Rentengarantie->Value(1);    // 15
    r.BP_Provisionssatz = BPProvisionssatz(r.BP_Satz); // 16
    // 18: with row 11.
    r.Geschlecht = GR_Geschlecht->Value(r.Geschlecht);                           // 19
    r.Anlagestrategie = GR_Anlagestrategie->Value(StrategieF);                   // 20
    r.Anlagestrategie_Entnahme = GR_Anlagestrategie_Entnahme->Value(StrategieF); // 21
    // 22: with row 11.
    BPPerformanceTexte();
    r.Berichtstitel.assign(BerichtstitelCp1252(r.Anlagestrategie)); // 23
    // 24: with row 11.
    r.AuszBeginn = Trunc(edt_AuszBeginn->Value()); // 25
    r.AuszEnde = Trunc(edt_AuszEnde->Value());
    r.AuszEndeArt = GR_AuszEndeArt->Value(Ende95); // 26
    if (EntnahmeAlterBereinigen(r)) {
        edt_AuszBeginn->SetValue(r.AuszBeginn);
        edt_AuszEnde->SetValue(r.AuszEnde);
    }
    r.Anlageart = LiesAnlageart(); // 27, with the bound that goes with it
    LaufzeitMinimumSetzen(r.Anlageart);
    r.Uebertragungsmonate = GR_Uebertragung->Value(0); // 28
    // 29: with row 10.
    if (r.Anlageart == KindAufbauplan) // 30
        r.Sparbetrag = edt_Anlagebetrag->Value();
    else if (r.Anlageart == KindEinmalanlage || r.Anlageart == KindSystemEinmalanlage)
        r.Anlagebetrag = edt_Anlagebetrag->Value();
    r.Einzahlungsdauer = Trunc(edt_Einzahlungsdauer->Value()); // 31
    r.Rentenkapital = edt_Rentenkapital->Value();              // 32
    r.Monatsrente = edt_Monatsrente->Value();
    r.Kapital_Szenario = GR_Kapital->Value(3);
    r.Kapital_aus_Einzahlung = CB_Kapital_aus_Einz->Checked();
    Entnahmedauer();                                 // 33
    r.Grafik_Szenario = FErgebnis->GrafikSzenario(); // 34
    r.Grafik_Phase = FErgebnis->GrafikPhase();
    ZahlungsartRegeln(r.Anlageart); // 35
    // The file is written once per change, before the recalculation (or at the
    // end of the handler): several saves of one handler cost one write.
    FSchreibenOffen = true;
    SzenariotexteAuffrischen();
    AlterGrenzenSetzen();
}

void Tfrm_perfmain::AlterGrenzenSetzen() {
    const TPlanRecord& r = FCalc->Rec;
    // Set by hand with its check: a bound of 0 would switch the check off.
    edt_Laufzeit->SetValueMax(LaufzeitHoechstwert(r.Eintrittsalter));
    edt_Laufzeit->SetCheckMode(edt_Laufzeit->CheckMode() | ucmMaxCheck);
    edt_I_P_Eintrittsalter->SetValueMax(EintrittsalterHoechstwert(r.Laufzeit));
    edt_I_P_Eintrittsalter->SetCheckMode(edt_I_P_Eintrittsalter->CheckMode() | ucmMaxCheck);
}

void Tfrm_perfmain::Entnahmedauer() {
    TPlanRecord& r = FCalc->Rec;
    const TEntnahmedauer d = orvanta::Entnahmedauer(r, *FSterbetafel);
    r.AuszDauer = d.Jahre;
    if (d.AufIndividuellGesetzt) {
        edt_AuszEnde->SetValue(r.AuszEnde);
        RB_individuell->setChecked(true);
    }
}

void Tfrm_perfmain::SzenariotexteAuffrischen() {
    const TPlanRecord& r = FCalc->Rec;
    if (FProvPar)
        FProvPar->SetzeSzenarioBeschriftungen(r.Performance);
    QRadioButton* kapital[3] = {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3};
    std::array<QString, 3> texte;
    for (int i = 0; i < 3; ++i) {
        texte[i] = Utf8(ScenarioCaption(r.Performance[i + 2]));
        kapital[i]->setText(texte[i]);
    }
    FErgebnis->SetzeSzenariotexte(texte);
}

void Tfrm_perfmain::BPPerformanceTexte() {
    TItemRefList* list = FComboRefList->GetList(QStringLiteral("BP-PERFORMANCE"));
    if (!list)
        return;
    for (int i = 0; i < 4 && i < list->Count(); ++i)
        list->SetItem(i, Utf8(BPPerformanceText(FCalc->Rec.Performance[i + 1])));
}

} // namespace orvanta
