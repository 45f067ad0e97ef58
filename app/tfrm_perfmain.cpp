// The main window's creation, the windows it works with, its plan file, its
// activation, closing and keys.

#include "app/tfrm_perfmain.h"

#include "app/fensterrahmen.h"
#include "app/planfiles.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "app/tfrm_perfmain_zugriff.h"
#include "app/tperformcomboreflist.h"
#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "controls/tcustomuseredit.h"
#include "controls/teditcombo.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"
#include "core/version.h"
#include "core/zugriff.h"
#include "dialogs/recordfelder.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "platform/datalocation.h"
#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTimer>

#include <utility>

namespace orvanta {

namespace {

// Watches the activation of every window of the program for the main window.
class TAktivierungsFilter : public QObject {
public:
    TAktivierungsFilter(QObject* parent, std::function<void(QWidget*)> aktiviert)
        : QObject(parent), FAktiviert(std::move(aktiviert)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
            FAktiviert(static_cast<QWidget*>(watched));
        return false;
    }

private:
    std::function<void(QWidget*)> FAktiviert;
};

} // namespace

Tfrm_perfmain::Tfrm_perfmain(const QString& programDir, QWidget* parent,
                             const QString& deliveredDir)
    : TbrixDialog(parent), FProgrammVerzeichnis(programDir) {
    setObjectName(QStringLiteral("frm_perfmain"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // The designed client area of 812 x 737 below the menu bar; on a screen
    // that does not hold it the window is smaller and the client area scrolls.
    FRahmen = new TFensterRahmen(this, QSize(812, 737));
    setWindowTitle(QString::fromUtf8(ProgramVersion));
    setAutoFillBackground(true);

    ErgebnisZugang();
    BaueEingaben();
    BaueErgebnis();
    BenenneSteuerelemente();
    VorleseNamen();

    // Create step: calculation object, choice lists, mortality table.
    FCalc = std::make_unique<TPerformCalc>();
    FComboRefList = std::make_unique<TPerformComboRefList>();
    FGeladen = false;
    FSterbetafel = std::make_unique<TSterbetafel>(
        QDir::toNativeSeparators(deliveredDir.isEmpty() ? programDir : deliveredDir).toStdString());
    RB_SystemEinmalanlage->setVisible(true);

    FZugriff = new TZugriffssperre(*this, URLLabel3, ExplorerButton1);
    VerbindeHandler();
    FAktivierungsFilter =
        new TAktivierungsFilter(this, [this](QWidget* window) { FensterAktiviert(window); });
    qApp->installEventFilter(FAktivierungsFilter);
}

Tfrm_perfmain::~Tfrm_perfmain() {
    qApp->removeEventFilter(FAktivierungsFilter);
    // The dialogs are Qt children: they go after the calculation object, which
    // must not hear of them any more.
    disconnect(FProvisionWeg);
    FCalc->Provision = nullptr;
}

void Tfrm_perfmain::SetzeFenster(const TFensterSatz& fenster) {
    FEinst = fenster.Einst;
    FProvPar = fenster.ProvPar;
    FDruckPar = fenster.DruckPar;
    FBerichte = fenster.Berichte;
    FZugriff->SetzeFenster(fenster);
    // A click on the settings' payment buttons mirrors here only through the record.

    FProvision = fenster.Provision;
    if (FProvision) {
        // The accumulation run writes the commission figures into the view.
        FCalc->Provision = FProvision;
        FProvisionWeg =
            connect(FProvision, &QObject::destroyed, this, [this] { FCalc->Provision = nullptr; });
        FProvision->SetzeEinstellungen(FProvPar);
        // Called from inside the view's modal loop, never nested in a handler
        // of this window: both steps run at once.
        connect(FProvision, &Tfrm_perfProvision::speichernUndNeuberechnen, this, [this] {
            SaveData();
            Neuberechnung();
        });
    }
    if (FDruckPar) {
        // OK of the print options runs inside btn_ErgebnisClick's handler:
        // saved and recalculated at once, before the set is built.
        connect(FDruckPar, &Tfrm_DruckPar::speichernUndNeuberechnen, this, [this] {
            SaveData();
            Neuberechnung();
        });
        connect(FDruckPar, &Tfrm_DruckPar::vorschauZeigen, this, [this] { DruckVorschau(); });
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

QString Tfrm_perfmain::DateiOrdner() const {
    return customerStartFolder(DatenDatei(), QFileInfo(FProgrammVerzeichnis).absoluteFilePath(),
                               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                               QDir::homePath());
}

// ---------------------------------------------------------------------------
// Activation

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
        // Typed text counts, not focus events: in a window that never became
        // active (no window manager) the field saw no focus and the button
        // that closes took the focus without a focus change.
        for (TCustomUserEdit* feld : findChildren<TCustomUserEdit*>()) {
            if (feld->isModified() && !feld->CommitAndNotify()) {
                event->ignore();
                return;
            }
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
    FErgebnis->Zahlenformate();
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
    FErgebnis->SetzeLegendenfarbe(palette().window());
    for (TExplorerButton* b : {ExplorerButton1, btn_Ergebnis, ExplorerButton3})
        ApplyHouseButtonColors(*b);
    if (FDruckPar)
        FDruckPar->Hausfarben();
    // 2. Number formats.
    Zahlenformate();
    // 3. Choice lists.
    cmb_Geschlecht->AssignItemRefList(FComboRefList->GetList(QStringLiteral("GESCHLECHT")));
    if (FProvPar) {
        FProvPar->SetzeAuswahllisten(FComboRefList->GetList(QStringLiteral("BP-SATZ")),
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
        FProvPar->SetzeBPBeschriftungen();
    // 10.
    SzenariotexteAuffrischen();
    // 11. The surcharge row shows only at the higher access level.
    if (FEinst)
        FEinst->ZeigeRatenzuschlag(false);
    // 12. The frame's show step would move the focus on by one field after
    // this; the surname field is where the adviser starts.
    CancelFocusMoveAfterShow();
    edt_I_P_Nachname->setFocus();
}

// ---------------------------------------------------------------------------
// Access level and keys

void Tfrm_perfmain::Zugriffsanzeige() {
    // Below level 3 no FRV comparison is offered, whatever the last lookup found.
    if (!FRVFreigegeben(FCalc->Rec.Zugriffsstufe))
        FFRV_verfuegbar = false;
    try {
        Neuberechnung();
    } catch (...) {
        // A failing recalculation must not leave the controls of a higher
        // level shown after the lock has closed.
        FZugriff->Zugriffsabhaengiges();
        throw;
    }
    FZugriff->Zugriffsabhaengiges();
}

bool Tfrm_perfmain::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    // Errors are shown here, but no handler is opened: the steps behind a
    // key save and recalculate before the window they open is shown.
    bool genommen = false;
    RunAndReport([&] { genommen = FZugriff->PerfDlgKeyDown(key, shift); }, this);
    return genommen || TbrixDialog::FormKeyDown(key, shift, sender);
}

void Tfrm_perfmain::DruckVorschau() {
    if (!FBerichte)
        return;
    FBerichte->FRV_verfuegbar = FFRV_verfuegbar;
    reports::SetPdfStartFolder(DateiOrdner());
    FBerichte->Kostenuebersicht_drucken = FDruckPar && FDruckPar->Kostenuebersicht();
    // Modal over the print options, which stay open behind it; an empty set
    // shows nothing.
    reports::ShowReportPreview(*FBerichte, FDruckPar ? static_cast<QWidget*>(FDruckPar) : this);
}

// ---------------------------------------------------------------------------
// Cursor

void Tfrm_perfmain::mouseMoveEvent(QMouseEvent* event) {
    // Only the free surface, the result area's own included: a control with
    // mouse tracking that passed the move on is no part of it.
    QWidget* darunter = childAt(event->position().toPoint());
    if (!darunter || darunter == FErgebnis || FRahmen->FreieFlaeche(darunter))
        FormMouseMove();
    TbrixDialog::mouseMoveEvent(event);
}

} // namespace orvanta
