#pragma once
// The main window: input panel, result area (preview and chart) and the
// access lock. Every change of an input saves the whole plan record to the
// data file and recalculates; the window keeps no data of its own.
//
// The window is split by concern: tfrm_perfmain.cpp creation, the windows it
// works with, activation, closing and keys; _zyklus the handler nesting and
// the recalculation cycle; _bau the input controls and their handlers'
// connections; _daten the record-to-window mapping; _regeln the panel rules
// and the handlers; _anzeige the result area (TErgebnisAnzeige); _zugriff
// the access lock (TZugriffssperre). Its controls are private and carry their
// names as object names, which is how tests and tools find them.

#include "controls/tbrixdialog.h"
#include "core/performcalc.h"

#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>

class QLabel;
class QRadioButton;
class QToolButton;

namespace orvanta {

class TEditCheck;
class TEditCombo;
class TEditFloat;
class TEditLabel;
class TEditText;
class TErgebnisAnzeige;
class TExplorerButton;
class TFensterRahmen;
class TPasswordDlg;
class TPerformComboRefList;
class TRadioGroup;
class TSterbetafel;
class TURLLabel;
class TZugriffssperre;
class Tfrm_DruckPar;
class Tfrm_perfEinst;
class Tfrm_perfProvPar;
class Tfrm_perfProvision;

namespace reports {
class TReportSet;
}

// The windows and report pages the main window works with; all created after
// it in the start-up order and alive until the program ends.
struct TFensterSatz {
    Tfrm_perfEinst* Einst = nullptr;
    Tfrm_perfProvision* Provision = nullptr;
    Tfrm_perfProvPar* ProvPar = nullptr;
    Tfrm_DruckPar* DruckPar = nullptr;
    TPasswordDlg* PasswordDlg = nullptr;
    reports::TReportSet* Berichte = nullptr;
};

class Tfrm_perfmain : public TbrixDialog {
    Q_OBJECT
public:
    // programDir holds Orvan.Dat and, unless deliveredDir names another
    // folder, the mortality table; the program passes its data folder and the
    // delivered files' folder, tests a temporary copy.
    explicit Tfrm_perfmain(const QString& programDir, QWidget* parent = nullptr,
                           const QString& deliveredDir = QString());
    ~Tfrm_perfmain() override;

    // The dialogs whose controls are part of the record, the password dialog
    // of the access lock and the report set of the print functions.
    void SetzeFenster(const TFensterSatz& fenster);

    // The cycle operations: the data file into the record and every input,
    // every input into the record and the file, the recalculation. SaveData
    // and Neuberechnung do nothing until a load has succeeded.
    void LoadData() override;
    void SaveData() override;
    void Neuberechnung();

    // The twelve steps that run when the window becomes the application's
    // active window (first show, or coming back from another non-modal
    // window); also after another plan file was chosen.
    void FormActivate();

    // The calculation object with the plan record and the result tables.
    TPerformCalc& Calc() { return *FCalc; }
    const TPerformCalc& Calc() const { return *FCalc; }
    bool Geladen() const { return FGeladen; }
    // FRV values were found for the plan, at access level 3 or more.
    bool FRV_verfuegbar() const { return FFRV_verfuegbar; }

    // The plan file the window loads and saves.
    QString DatenDatei() const;
    // From now on the window loads and saves this plan file (empty: the
    // default one in the program directory); the caption names it after
    // the version text.
    void SetzeDatenDatei(const QString& datei);
    // The file set with SetzeDatenDatei; empty for the default one.
    QString EigeneDatenDatei() const { return FDatenDatei; }
    // Where the plan, CSV and PDF dialogs start: the plan's folder, never the
    // data folder (StartOrdner).
    QString DateiOrdner() const;

    // The menu bar above the client area and the window's fit to the screen.
    TFensterRahmen& Rahmen() const { return *FRahmen; }

signals:
    // The context menu was asked for over the result area.
    void ergebnisKontextmenue(const QPoint& globalPos);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Building (_bau).
    void BaueEingaben();
    void BaueErgebnis();
    void VerbindeHandler();
    void BenenneSteuerelemente();
    // _vorlesen: what screen readers get beyond the captions.
    static void ErgebnisZugang();
    void VorleseNamen();

    // Handler nesting and cycle (_zyklus). Handler runs a handler: handlers
    // fired by controls that another handler sets run nested; their saves and
    // recalculations are collected and done once when the outermost handler
    // has finished, so every chain ends in the state of a single run and
    // cannot recurse without end.
    void Handler(const std::function<void()>& body);
    // Runs a handler for a control's signal or a window event: its error is
    // shown here, never thrown through Qt's own event code.
    void Slot(const std::function<void()>& body);
    // SaveData and Neuberechnung by the nesting: now, as a handler, or pending.
    void ImZyklus(bool& offen, void (Tfrm_perfmain::*jetzt)());
    void SpeichernJetzt();
    void Schreiben(); // writes the record when a save is pending
    void NeuberechnungJetzt();
    void Uebernahme();
    // True when it raised AuszBeginn, which the figures did not assume yet.
    bool Anzeigen();
    void SpeichernRechnenSpeichern();

    // Mapping (_daten).
    // The error of a damaged withdrawal length, raised once loading is done.
    std::exception_ptr RecordInsFenster();
    void RecordInDialoge();
    void SzenariotexteAuffrischen();
    void BPPerformanceTexte();
    void Entnahmedauer();

    // Activation and access lock (tfrm_perfmain.cpp).
    void FensterAktiviert(QWidget* window);
    void Zahlenformate();
    // Everything that depends on the access level, after a recalculation.
    void Zugriffsanzeige();
    void DruckVorschau();

    // Rules (_regeln). LiesAnlageart only reads; the lower bound of the
    // Anlagedauer that goes with a kind is set by LaufzeitMinimumSetzen.
    int LiesAnlageart() const;
    void LaufzeitMinimumSetzen(int kind);
    void SetzeAnlageart(int kind);
    void AnlageartRegeln();
    void ZahlungsartRegeln(int kind);
    void LaufzeitRegeln();
    void KapitalquelleRegeln();
    // Upper bounds of Anlagedauer and Alter from the saved other one.
    void AlterGrenzenSetzen();
    // "Dynamik" and its "5%" enabled only where the accumulation applies it.
    void DynamikFreigeben();

    // Handlers (_regeln).
    void edt_LaufzeitModified();
    void edt_EinzahlungsdauerModified();
    void edt_AnlagebetragModified();
    void RB_AufbauplanClick();
    void RB_individuellClick();
    void RB_T1Click();
    void RB_einmaligClick();
    void RB_verteiltClick();
    void cb_DynamikClick();
    void CB_Kapital_aus_EinzClick();
    void cmb_GeschlechtModified();
    void SpeichernUndRechnen();
    void ExplorerButton1Click(); // "&speichern und beenden"
    void ExplorerButton3Click(); // "E&instellungen"
    void btn_ErgebnisClick();    // "Ergebnis / Ausdruck"
    void SPB_ChartClick();
    void SPB_PreviewClick();
    // The three links under "Für Sie gelesen / Für Sie verlinkt".
    void URLLabel1Click();
    void URLLabel2Click();
    void URLLabel3Click();
    // Cursor: over a link the window takes the hand cursor, over its own free
    // surface the default again; controls without a cursor of their own show
    // the window's.
    void URLLabel1MouseMove();
    void FormMouseMove();

    // Person.
    TEditText* edt_I_P_Nachname;
    TEditText* edt_I_P_Vorname;
    TEditFloat* edt_I_P_Eintrittsalter;
    QRadioButton* RB_maennlich;
    QRadioButton* RB_weiblich;
    TEditCombo* cmb_Geschlecht;
    // Accumulation phase.
    QRadioButton* RB_Depot_F;
    QRadioButton* RB_Depot_S;
    QRadioButton* RB_Depot_W;
    QRadioButton* RB_Depot_Z;
    QRadioButton* RB_Aufbauplan;
    QRadioButton* RB_Einmalanlage;
    QRadioButton* RB_SystemEinmalanlage;
    TEditLabel* lbl_Uebertragungsdauer;
    QRadioButton* RB_12;
    QRadioButton* RB_24;
    QRadioButton* RB_36;
    QLabel* lbl_Monate;
    TEditLabel* lbl_Zahlung;
    QRadioButton* RB_einmalig;
    QRadioButton* RB_verteilt;
    TEditLabel* LB_Anlagebetrag;
    TEditFloat* edt_Anlagebetrag;
    TEditFloat* edt_Laufzeit;
    TEditFloat* edt_Einzahlungsdauer;
    TEditLabel* lbl_DynamikCaption;
    TEditCheck* cb_Dynamik;
    QLabel* lbl_Dynamik;
    // Withdrawal phase.
    QRadioButton* RB_Depot_F_Ausz;
    QRadioButton* RB_Depot_S_Ausz;
    QRadioButton* RB_Depot_W_Ausz;
    QRadioButton* RB_Depot_Z_Ausz;
    TEditFloat* edt_AuszBeginn;
    QRadioButton* RB_T1;
    QRadioButton* RB_95;
    QRadioButton* RB_individuell;
    QRadioButton* RB_ewig;
    TEditFloat* edt_AuszEnde;
    TEditFloat* edt_Monatsrente;
    TEditFloat* edt_Rentenkapital;
    TEditCheck* CB_Kapital_aus_Einz;
    QRadioButton* RB_Kapital_1;
    QRadioButton* RB_Kapital_2;
    QRadioButton* RB_Kapital_3;
    // Hidden inputs.
    TEditLabel* lbl_Zuzahlungen;
    QToolButton* btn_Zuzahlungen; // "..."
    TEditFloat* edt_Zuzahlung_Betrag_1;
    TEditFloat* edt_Zuzahlung_Betrag_2;
    TEditFloat* edt_Zuzahlung_Monat_1;
    TEditFloat* edt_Zuzahlung_Monat_2;
    TEditLabel* lbl_Erben;
    QRadioButton* RB_G0;
    QRadioButton* RB_G5;
    QRadioButton* RB_G10;
    QRadioButton* RB_G15;
    QRadioButton* RB_G99;
    TEditLabel* lbl_Performance_5;
    TEditFloat* edt_Performance_5;
    TEditFloat* edt_Dynamik;
    TExplorerButton* btn_FRV_Vergleich;
    // Links.
    TURLLabel* URLLabel1;
    TURLLabel* URLLabel2;
    TURLLabel* URLLabel3;
    // Result area with its view buttons and the decorative pictures.
    TErgebnisAnzeige* FErgebnis;
    QToolButton* SPB_Chart;
    QToolButton* SPB_Preview;
    QLabel* Image1;
    QLabel* Image2;
    // Buttons.
    TExplorerButton* ExplorerButton1;
    TExplorerButton* btn_Ergebnis;
    TExplorerButton* ExplorerButton3;

    // Radio groups.
    TRadioGroup* GR_Geschlecht;
    TRadioGroup* GR_Anlagestrategie;
    TRadioGroup* GR_Anlagestrategie_Entnahme;
    TRadioGroup* GR_Anlageart;
    TRadioGroup* GR_Uebertragung;
    TRadioGroup* GR_Zahlung;
    TRadioGroup* GR_AuszEndeArt;
    TRadioGroup* GR_Kapital;
    TRadioGroup* GR_Rentengarantie;

    QString FProgrammVerzeichnis;
    QString FDatenDatei; // a plan file of its own; empty: the default one
    std::unique_ptr<TPerformCalc> FCalc;
    std::unique_ptr<TPerformComboRefList> FComboRefList;
    std::unique_ptr<TSterbetafel> FSterbetafel;
    TZugriffssperre* FZugriff = nullptr;
    TFensterRahmen* FRahmen = nullptr;
    bool FGeladen = false;
    bool FFRV_verfuegbar = false;
    bool FLaedt = false; // LoadData sets the inputs: their handlers change nothing
    int FTiefe = 0;      // nesting of running handlers
    bool FSpeichernOffen = false;
    bool FRechnenOffen = false;
    bool FSchreibenOffen = false;        // saved into the record, not yet written
    bool FAktiviert = false;             // the first activation has run
    bool FAktivierung = false;           // the activation steps are running
    bool FSchliessenTrotzFehler = false; // a failed save at closing was shown
    QPointer<QWidget> FLetztesFenster;   // the last of our windows that was active
    bool FLetztesFensterModal = false;   // ... and whether it was modal then
    QObject* FAktivierungsFilter = nullptr;

    QPointer<Tfrm_perfEinst> FEinst;
    QPointer<Tfrm_perfProvision> FProvision;
    QPointer<Tfrm_perfProvPar> FProvPar;
    QPointer<Tfrm_DruckPar> FDruckPar;
    reports::TReportSet* FBerichte = nullptr;
    QMetaObject::Connection FProvisionWeg;
};

} // namespace orvanta
