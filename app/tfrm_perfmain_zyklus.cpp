// The change cycle of the main window: the nesting of its handlers, the save
// and recalculation they ask for, and the display step of each recalculation.

#include "app/tfrm_perfmain.h"

#include "app/displaydata.h"
#include "app/panelrules.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "controls/errordisplay.h"
#include "controls/teditfloat.h"
#include "core/errors.h"
#include "core/frvdata.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"
#include "dialogs/recordfelder.h"
#include "dialogs/tfrm_perfprovision.h"

#include <QDir>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace orvanta {

// ---------------------------------------------------------------------------
// Handler nesting

void Tfrm_perfmain::Handler(const std::function<void()>& body) {
    if (FTiefe > 0) {
        const QScopedValueRollback nested(FTiefe, FTiefe + 1);
        body();
        return;
    }
    FSpeichernOffen = FRechnenOffen = false;
    const QScopedValueRollback outer(FTiefe, FTiefe + 1);
    try {
        body();
        // Saves and recalculations that nested handlers asked for; a chain
        // settles after one round, the bound only guards against a cycle.
        for (int round = 0; round < 3 && (FSpeichernOffen || FRechnenOffen); ++round) {
            const bool speichern = FSpeichernOffen;
            FSpeichernOffen = FRechnenOffen = false;
            if (speichern)
                SpeichernJetzt();
            NeuberechnungJetzt();
        }
        Schreiben();
    } catch (...) {
        FSpeichernOffen = FRechnenOffen = false;
        // What was saved before the failing step still reaches the file; the
        // first error is the one reported.
        try {
            Schreiben();
        } catch (...) {
        }
        throw;
    }
    FSpeichernOffen = FRechnenOffen = false;
}

void Tfrm_perfmain::Slot(const std::function<void()>& body) {
    RunAndReport([&] { Handler(body); }, this);
}

void Tfrm_perfmain::SpeichernRechnenSpeichern() {
    Handler([this] {
        SaveData();
        Neuberechnung();
        SaveData();
    });
}

// ---------------------------------------------------------------------------
// Save and recalculation

void Tfrm_perfmain::Schreiben() {
    if (!FSchreibenOffen)
        return;
    FSchreibenOffen = false;
    SavePlanRecord(FCalc->Rec, DatenDatei().toStdString());
}

void Tfrm_perfmain::SaveData() {
    ImZyklus(FSpeichernOffen, &Tfrm_perfmain::SpeichernJetzt);
}

void Tfrm_perfmain::Neuberechnung() {
    ImZyklus(FRechnenOffen, &Tfrm_perfmain::NeuberechnungJetzt);
}

// Outside any handler the step runs as a handler of its own; directly in the
// outermost one it runs now; deeper down it is only marked, and the
// outermost handler runs it once when its body is done.
void Tfrm_perfmain::ImZyklus(bool& offen, void (Tfrm_perfmain::*jetzt)()) {
    if (!FGeladen || FLaedt)
        return;
    if (FTiefe == 0)
        Handler([this, jetzt] { (this->*jetzt)(); });
    else if (FTiefe > 1)
        offen = true;
    else
        (this->*jetzt)();
}

void Tfrm_perfmain::Uebernahme() {
    if (UebernehmeRentenkapital(FCalc->Rec))
        edt_Rentenkapital->SetValue(FCalc->Rec.Rentenkapital);
}

void Tfrm_perfmain::NeuberechnungJetzt() {
    TPlanRecord& r = FCalc->Rec;
    Schreiben(); // the saved inputs reach the file first
    // Ages no calculation can take (from a plan file): said plainly, and
    // the preview shows no figures of an earlier plan beside them.
    if (const std::string fehler = EntnahmeAlterFehler(r); !fehler.empty()) {
        FErgebnis->VorschauLeeren();
        throw EOrvantaError(fehler);
    }
    Uebernahme();   // 1
    if (FProvision) // 2 and 3: grid rows and columns, the note
        FProvision->RasterVorbereiten(r);
    FCalc->BerechneAufbauphase();   // 4
    Uebernahme();                   // 5
    FCalc->BerechneEntnahmephase(); // 6
    // The display step moved the start of withdrawals behind the end of the
    // accumulation: the withdrawal figures still assumed the old start. Saved
    // at once (not at start-up, which writes nothing) and calculated again.
    if (Anzeigen()) { // 7
        if (!FAktivierung)
            SpeichernJetzt();
        Schreiben();
        FCalc->BerechneEntnahmephase();
        Anzeigen();
    }
}

bool Tfrm_perfmain::Anzeigen() {
    TPlanRecord& r = FCalc->Rec;
    // FRV comparison values, looked up in the working directory.
    FFRV_verfuegbar = false;
    if (FRVLookupApplies(r)) {
        const bool gefunden =
            LadeFRVFuerPlan(r, FCalc->Aufbautabelle, QDir::currentPath().toStdString());
        FFRV_verfuegbar = gefunden && r.Zugriffsstufe >= 3;
    }

    bool angehoben = false;
    if (const auto chart = ChartData(*FCalc, FFRV_verfuegbar)) {
        FErgebnis->ChartDatenZeigen(*chart);
        RB_T1->setText(Utf8(LebenserwartungCaption(
            r.Eintrittsalter, FSterbetafel->Lebenserwartung(r.Eintrittsalter, r.Geschlecht))));
        if (RaiseAuszBeginn(r)) {
            angehoben = true;
            edt_AuszBeginn->SetValue(r.AuszBeginn);
            // Only for the fall-back to "individuell"; the duration is stored
            // with the next save.
            const std::int32_t dauer = r.AuszDauer;
            Entnahmedauer();
            r.AuszDauer = dauer;
        }
    }
    FErgebnis->VorschauZeigen(*FCalc);
    return angehoben;
}

} // namespace orvanta
