// The access lock: the access keys, the password step and everything that
// depends on the access level.

#include "app/tfrm_perfmain.h"
#include "dialogs/recordfelder.h"

#include "app/panelrules.h"
#include "app/pictures.h"
#include "app/radiogroup.h"
#include "app/resultchart.h"
#include "app/tperformcomboreflist.h"
#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "controls/oeffnen.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/cp1252.h"
#include "core/errors.h"
#include "core/formatsettings.h"
#include "core/frvdata.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"
#include "core/version.h"
#include "core/zugriff.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "dialogs/windowstyle.h"
#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLegend>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

namespace orvanta {

void Tfrm_perfmain::Zugriffsanzeige() {
    // Below level 3 no FRV comparison is offered, whatever the last lookup found.
    if (!FRVFreigegeben(FCalc->Rec.Zugriffsstufe))
        FFRV_verfuegbar = false;
    try {
        Neuberechnung();
    } catch (...) {
        // A failing recalculation must not leave the controls of a higher
        // level shown after the lock has closed.
        Zugriffsabhaengiges();
        throw;
    }
    Zugriffsabhaengiges();
}

void Tfrm_perfmain::Zugriffsabhaengiges() {
    const int stufe = FCalc->Rec.Zugriffsstufe;
    const bool hoch = FRVFreigegeben(stufe);
    URLLabel3->setVisible(hoch);
    if (FDruckPar)
        FDruckPar->Zugriffsanzeige(FFRV_verfuegbar && hoch);
    if (FEinst)
        FEinst->ZeigeRatenzuschlag(hoch);
    if (FProvision)
        FProvision->SetZugriffsstufe(stufe);
}

// ---------------------------------------------------------------------------
// Access keys

bool Tfrm_perfmain::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    // Errors are shown here, but no handler is opened: the steps behind a
    // key save and recalculate before the window they open is shown.
    bool genommen = false;
    RunAndReport([&] { genommen = PerfDlgKeyDown(key, shift); }, this);
    return genommen || TbrixDialog::FormKeyDown(key, shift, sender);
}

bool Tfrm_perfmain::PerfDlgKeyDown(int key, Qt::KeyboardModifiers shift) {
    // Other modifiers held with Alt do not matter.
    if (!(shift & Qt::AltModifier))
        return false;
    TPlanRecord& r = FCalc->Rec;
    switch (key) {
    case Qt::Key_P:
        if (r.Zugriffsstufe == 0)
            Passwortschritt();
        if (ProvisionFreigegeben(r.Zugriffsstufe))
            ProvisionZeigen();
        return true;
    case Qt::Key_F:
    case Qt::Key_V:
    case Qt::Key_R:
        if (r.Zugriffsstufe == 0)
            Passwortschritt();
        if (FRVFreigegeben(r.Zugriffsstufe) && FFRV_verfuegbar) {
            if (key == Qt::Key_V)
                Vergleichsdruck();
            else if (key == Qt::Key_F)
                FRVUmschalten();
        }
        return true;
    default:
        return false;
    }
}

void Tfrm_perfmain::Passwortschritt() {
    // The dialog unscrambles the passwords itself and forgets them on closing;
    // an accepted entry has raised the level in the record.
    if (FPasswordDlg && FPasswordDlg->Passwortschritt(FCalc->Rec))
        Zugriffsanzeige();
}

void Tfrm_perfmain::SpeichernRechnenSpeichern() {
    Handler([this] {
        SaveData();
        Neuberechnung();
        SaveData();
    });
}

void Tfrm_perfmain::ProvisionZeigen() {
    if (!FProvision)
        return;
    FProvision->VorDemZeigen(this, ExplorerButton1->FontColor());
    SpeichernRechnenSpeichern(); // fills the view
    FProvision->ShowModal();
}

void Tfrm_perfmain::Vergleichsdruck() {
    if (!FBerichte)
        return;
    const QScopedValueRollback vergleich(FBerichte->Vergleichsdruck, true);
    SpeichernRechnenSpeichern();
    FBerichte->FRV_verfuegbar = FFRV_verfuegbar;
    reports::ShowReportPreview(*FBerichte, this);
}

void Tfrm_perfmain::FRVUmschalten() {
    TPlanRecord& r = FCalc->Rec;
    r.FRV_Vergleich_Einzahlung = !r.FRV_Vergleich_Einzahlung;
    r.FRV_Vergleich_Entnahme = r.FRV_Vergleich_Einzahlung;
    if (FDruckPar)
        FDruckPar->SetFRVVergleich(r.FRV_Vergleich_Einzahlung != 0, r.FRV_Vergleich_Entnahme != 0);
    SpeichernRechnenSpeichern();
}

} // namespace orvanta
