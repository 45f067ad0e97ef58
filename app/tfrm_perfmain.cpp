#include "app/tfrm_perfmain.h"
#include "dialogs/recordfelder.h"

#include "app/panelrules.h"
#include "app/pictures.h"
#include "app/planfiles.h"
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
#include <QCloseEvent>
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

Tfrm_perfmain::Tfrm_perfmain(const QString& programDir, QWidget* parent,
                             const QString& deliveredDir)
    : TbrixDialog(parent), FProgrammVerzeichnis(programDir) {
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(812, 737);
    setWindowTitle(QString::fromUtf8(ProgramVersion));
    setAutoFillBackground(true);

    BaueEingaben();
    BaueErgebnis();

    // Create step: calculation object, choice lists, mortality table.
    FCalc = std::make_unique<TPerformCalc>();
    FComboRefList = std::make_unique<TPerformComboRefList>();
    FGeladen = false;
    FSterbetafel = std::make_unique<TSterbetafel>(
        QDir::toNativeSeparators(deliveredDir.isEmpty() ? programDir : deliveredDir).toStdString());
    RB_SystemEinmalanlage->setVisible(true);

    VerbindeHandler();
    FAktivierungsFilter = new TAktivierungsFilter(this);
    qApp->installEventFilter(FAktivierungsFilter);
}

Tfrm_perfmain::~Tfrm_perfmain() {
    qApp->removeEventFilter(FAktivierungsFilter);
    FSterbetafel.reset();
}

void Tfrm_perfmain::SetFenster(const TFensterSatz& fenster) {
    FEinst = fenster.Einst;
    FProvPar = fenster.ProvPar;
    FDruckPar = fenster.DruckPar;
    FPasswordDlg = fenster.PasswordDlg;
    FBerichte = fenster.Berichte;
    // A click on the settings' payment buttons mirrors here only through the record.

    FProvision = fenster.Provision;
    if (FProvision) {
        // The accumulation run writes the commission figures into the view.
        FCalc->Provision = FProvision;
        connect(FProvision, &QObject::destroyed, this, [this] { FCalc->Provision = nullptr; });
        FProvision->Einstellungen = FProvPar;
        // Called from inside the view's modal loop, never nested in a handler
        // of this window: both steps run at once.
        FProvision->SpeichernUndNeuberechnen = [this] {
            SaveData();
            Neuberechnung();
        };
    }
    if (FDruckPar) {
        // OK of the print options runs inside btn_ErgebnisClick's handler:
        // saved and recalculated at once, before the set is built.
        FDruckPar->SaveDataUndNeuberechnung = [this] {
            SaveData();
            Neuberechnung();
        };
        FDruckPar->ZeigeVorschau = [this] { DruckVorschau(); };
    }
}

QString Tfrm_perfmain::DatenDatei() const {
    if (!FDatenDatei.isEmpty())
        return FDatenDatei;
    return Utf8(DataFilePath(QDir::toNativeSeparators(FProgrammVerzeichnis).toStdString()));
}

void Tfrm_perfmain::SetzeDatenDatei(const QString& datei) {
    FDatenDatei = datei;
    setWindowTitle(FensterTitel(
        FGeladen ? RecordText(FCalc->Rec.Version) : QString::fromUtf8(ProgramVersion), datei));
}

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
                SaveDataNow();
            NeuberechnungNow();
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

void Tfrm_perfmain::Schreiben() {
    if (!FSchreibenOffen)
        return;
    FSchreibenOffen = false;
    SavePlanRecord(FCalc->Rec, DatenDatei().toStdString());
}

void Tfrm_perfmain::SaveData() {
    if (!FGeladen || FLaedt)
        return;
    if (FTiefe == 0) {
        Handler([this] { SaveDataNow(); });
        return;
    }
    if (FTiefe > 1) {
        FSpeichernOffen = true;
        return;
    }
    SaveDataNow();
}

void Tfrm_perfmain::Neuberechnung() {
    if (!FGeladen || FLaedt)
        return;
    if (FTiefe == 0) {
        Handler([this] { NeuberechnungNow(); });
        return;
    }
    if (FTiefe > 1) {
        FRechnenOffen = true;
        return;
    }
    NeuberechnungNow();
}

// ---------------------------------------------------------------------------
// Activation

TAktivierungsFilter::TAktivierungsFilter(Tfrm_perfmain* fenster)
    : QObject(fenster), FFenster(fenster) {}

bool TAktivierungsFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
        FFenster->FensterAktiviert(static_cast<QWidget*>(watched));
    return false;
}

void Tfrm_perfmain::showEvent(QShowEvent* event) {
    TbrixDialog::showEvent(event);
    // The first show is an activation also where no window manager hands
    // the focus to the window.
    if (!FAktiviert && !event->spontaneous())
        QTimer::singleShot(0, this, [this] {
            if (!FAktiviert && isVisible())
                FensterAktiviert(this);
        });
}

void Tfrm_perfmain::closeEvent(QCloseEvent* event) {
    // However the window is closed, the field being typed in is committed as
    // leaving it would (its handler saves); a refused entry keeps the window
    // open with its message. Then everything is saved once more, so that a
    // name typed last is not lost. A save that fails is shown; closing again
    // then ends without it.
    if (FGeladen && !FSchliessenTrotzFehler) {
        auto* feld = qobject_cast<TCustomUserEdit*>(focusWidget());
        if (feld && feld->Editing() && !feld->CommitAndNotify()) {
            event->ignore();
            return;
        }
        if (!RunAndReport([this] { Handler([this] { SaveData(); }); }, this)) {
            FSchliessenTrotzFehler = true;
            event->ignore();
            return;
        }
    }
    TbrixDialog::closeEvent(event);
}

void Tfrm_perfmain::FensterAktiviert(QWidget* window) {
    // A window may be told of its activation only after it was closed again
    // (a dialog that gave the focus back to the modal view below it just
    // before that view closed): that is no window the focus comes from.
    if (!window->isWindow() || !window->isVisible())
        return;
    QWidget* vorher = FLetztesFenster;
    const bool vorherModal = FLetztesFensterModal;
    FLetztesFenster = window;
    // Taken while the window is active: a dialog shown with exec() is no
    // longer marked modal once exec() has returned, and the activation that
    // its closing causes may come only after that.
    FLetztesFensterModal = window->isModal() || window->windowModality() != Qt::NonModal;
    if (window != this)
        return;
    // First show, or the focus comes from another of our windows that is not
    // a modal dialog: closing a modal dialog or a message box is no activation.
    const bool aktivieren = !FAktiviert || (vorher && vorher != this && !vorherModal);
    if (!aktivieren)
        return;
    FAktiviert = true;
    Slot([this] {
        const QScopedValueRollback<bool> aktivierung(FAktivierung, true);
        FormActivate();
    });
}

void Tfrm_perfmain::Zahlenformate() {
    SetzeFormat(edt_Performance_5, 1, QStringLiteral(" %"));
    SetzeFormat(edt_Dynamik, 1, QStringLiteral(" %"));
    SetzeFormat(edt_Anlagebetrag, 2, QStringLiteral(" €"));
    SetzeFormat(edt_Monatsrente, 2, QStringLiteral(" €"));
    SetzeFormat(edt_Rentenkapital, 2, QStringLiteral(" €"));
    SetzeFormat(edt_Zuzahlung_Betrag_1, 0, QStringLiteral(" €"));
    SetzeFormat(edt_Zuzahlung_Betrag_2, 0, QStringLiteral(" €"));
    for (TEditFloat* f : Edt_Entnahme)
        SetzeFormat(f, 2, QStringLiteral(" € "));
    for (TEditFloat* f :
         {edt_AuszBeginn, edt_AuszEnde, edt_I_P_Eintrittsalter, edt_Laufzeit, edt_Einzahlungsdauer})
        SetzeFormat(f, 0, QStringLiteral(" Jahre"));
    SetzeFormat(edt_Zuzahlung_Monat_1, 0, QString());
    SetzeFormat(edt_Zuzahlung_Monat_2, 0, QString());
    if (FEinst)
        FEinst->Zahlenformate();
    if (FProvPar)
        FProvPar->Zahlenformate();
    if (FProvision)
        FProvision->Zahlenformate();
}

void Tfrm_perfmain::FormActivate() {
    // 1. Colours.
    Chart4->Chart()->legend()->setBrush(palette().window());
    for (TExplorerButton* b : {ExplorerButton1, btn_Ergebnis, ExplorerButton3})
        ApplyHouseButtonColors(*b);
    if (FDruckPar)
        FDruckPar->Hausfarben();
    // 2. Number formats.
    Zahlenformate();
    // 3. Choice lists.
    cmb_Geschlecht->AssignItemRefList(FComboRefList->GetList(QStringLiteral("GESCHLECHT")));
    if (FProvPar) {
        FProvPar->SetAuswahllisten(FComboRefList->GetList(QStringLiteral("BP-SATZ")),
                                   FComboRefList->GetList(QStringLiteral("BP-PERFORMANCE")));
    }
    // 4. Load; a failure ends the activation here.
    LoadData();
    // 5. Commission scenario texts.
    BPPerformanceTexte();
    // 6. Captions.
    const QString v = RecordText(FCalc->Rec.Version);
    setWindowTitle(FensterTitel(v, FDatenDatei));
    if (FDruckPar)
        FDruckPar->setWindowTitle(v + QStringLiteral(" Ausdruck"));
    if (FProvPar)
        FProvPar->setWindowTitle(v + QStringLiteral(" Provision Einstellungen"));
    if (FProvision)
        FProvision->setWindowTitle(v + QStringLiteral(" Provision"));
    if (FEinst)
        FEinst->setWindowTitle(v + QStringLiteral(" Einstellungen"));
    // 7.
    Neuberechnung();
    // 8.
    if (ExplorerButton1->isEnabled())
        ExplorerButton1->setFocus();
    // 9. Commission level captions.
    if (FProvPar)
        FProvPar->SetBPCaptions();
    // 10.
    ScenarioCaptionsRefresh();
    // 11. The surcharge row shows only at the higher access level.
    if (FEinst)
        FEinst->ZeigeRatenzuschlag(false);
    // 12. The frame's show step would move the focus on by one field after
    // this; the surname field is where the adviser starts.
    CancelFocusMoveAfterShow();
    edt_I_P_Nachname->setFocus();
}

} // namespace orvanta
