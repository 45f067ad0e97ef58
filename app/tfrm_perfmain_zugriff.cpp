#include "app/tfrm_perfmain_zugriff.h"

#include "app/tfrm_perfmain.h"
#include "controls/texplorerbutton.h"
#include "core/zugriff.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tpassworddlg.h"
#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include <QScopedValueRollback>

namespace orvanta {

TZugriffssperre::TZugriffssperre(Tfrm_perfmain& fenster, QWidget* link3,
                                 const TExplorerButton* farbvorlage)
    : QObject(&fenster), FFenster(fenster), FLink3(link3), FFarbvorlage(farbvorlage) {}

void TZugriffssperre::SetzeFenster(const TFensterSatz& fenster) {
    FEinst = fenster.Einst;
    FProvision = fenster.Provision;
    FDruckPar = fenster.DruckPar;
    FPasswordDlg = fenster.PasswordDlg;
    FBerichte = fenster.Berichte;
}

void TZugriffssperre::Zugriffsabhaengiges() {
    const int stufe = FFenster.Calc().Rec.Zugriffsstufe;
    const bool hoch = FRVFreigegeben(stufe);
    FLink3->setVisible(hoch);
    if (FDruckPar)
        FDruckPar->Zugriffsanzeige(FFenster.FRV_verfuegbar() && hoch);
    if (FEinst)
        FEinst->ZeigeRatenzuschlag(hoch);
    if (FProvision)
        FProvision->SetzeZugriffsstufe(stufe);
}

bool TZugriffssperre::PerfDlgKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!(shift & Qt::AltModifier))
        return false;
    const TPlanRecord& r = FFenster.Calc().Rec;
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
        if (FRVFreigegeben(r.Zugriffsstufe) && FFenster.FRV_verfuegbar()) {
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

void TZugriffssperre::Passwortschritt() {
    // The dialog unscrambles the passwords itself and forgets them on closing;
    // an accepted entry has raised the level in the record.
    if (FPasswordDlg && FPasswordDlg->Passwortschritt(FFenster.Calc().Rec))
        emit stufeGeoeffnet();
}

void TZugriffssperre::ProvisionZeigen() {
    if (!FProvision)
        return;
    FProvision->VorDemZeigen(&FFenster, FFarbvorlage->FontColor());
    emit speichernRechnenSpeichern(); // fills the view
    FProvision->ShowModal();
}

void TZugriffssperre::Vergleichsdruck() {
    if (!FBerichte)
        return;
    const QScopedValueRollback vergleich(FBerichte->Vergleichsdruck, true);
    emit speichernRechnenSpeichern();
    FBerichte->FRV_verfuegbar = FFenster.FRV_verfuegbar();
    reports::ShowReportPreview(*FBerichte, &FFenster);
}

void TZugriffssperre::FRVUmschalten() {
    TPlanRecord& r = FFenster.Calc().Rec;
    r.FRV_Vergleich_Einzahlung = !r.FRV_Vergleich_Einzahlung;
    r.FRV_Vergleich_Entnahme = r.FRV_Vergleich_Einzahlung;
    if (FDruckPar)
        FDruckPar->SetzeFRVVergleich(r.FRV_Vergleich_Einzahlung != 0,
                                     r.FRV_Vergleich_Entnahme != 0);
    emit speichernRechnenSpeichern();
}

} // namespace orvanta
