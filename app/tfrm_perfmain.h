#pragma once
// The main window: input panel, result preview and chart. Every change of an
// input saves the whole plan record to Orvan.Dat and recalculates; the window
// keeps no data of its own.

#include "app/displaydata.h"
#include "controls/tbrixdialog.h"
#include "core/performcalc.h"

#include <QPointer>
#include <QString>

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QFrame;
class QLabel;
class QRadioButton;
class QToolButton;
class QWidget;

namespace orvanta {

class TEditCheck;
class TEditCombo;
class TEditFloat;
class TEditLabel;
class TEditText;
class TExplorerButton;
class TPasswordDlg;
class TPerformComboRefList;
class TRadioGroup;
class TResultChart;
class TSterbetafel;
class TURLLabel;
class Tfrm_DruckPar;
class Tfrm_perfEinst;
class Tfrm_perfProvPar;
class Tfrm_perfProvision;

class Tfrm_perfmain;

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

// Watches the activation of the program's windows for the main window.
class TAktivierungsFilter : public QObject {
    Q_OBJECT
public:
    explicit TAktivierungsFilter(Tfrm_perfmain* fenster);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tfrm_perfmain* FFenster;
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
    void SetFenster(const TFensterSatz& fenster);

    void LoadData() override;
    void SaveData() override;
    void Neuberechnung();

    // The twelve steps that run when the window becomes the application's
    // active window (first show, or coming back from another non-modal window).
    void FormActivate();

    TPerformCalc& Calc() { return *FCalc; }
    const TPerformCalc& Calc() const { return *FCalc; }
    TPerformComboRefList& ComboRefList() { return *FComboRefList; }
    bool Geladen() const { return FGeladen; }
    bool FRV_verfuegbar() const { return FFRV_verfuegbar; }
    QString ProgrammVerzeichnis() const { return FProgrammVerzeichnis; }
    QString DatenDatei() const;
    // From now on the window loads and saves this plan file (empty: Orvan.Dat
    // in the program directory); the caption names it after the version text.
    void SetzeDatenDatei(const QString& datei);
    QString EigeneDatenDatei() const { return FDatenDatei; }

    // Group readers and setters.
    int LiesAnlageart();
    void SetzeAnlageart(int kind);
    void AnlageartRegeln();
    void ZahlungsartRegeln(int kind);
    void LaufzeitRegeln();
    void KapitalquelleRegeln();

    // Handlers.
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

    // The access keys Alt+P, Alt+F, Alt+V and Alt+R. Returns true when it
    // took the key; every other key goes on to the frame.
    bool PerfDlgKeyDown(int key, Qt::KeyboardModifiers shift);
    // Everything that depends on the access level.
    void Zugriffsanzeige();

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
    // Result area.
    QWidget* pn_Tabelle;
    QLabel* lbl_Vorschau;
    QLabel* EditLabel22;
    TEditFloat* edt_Summe_Monatsbeitraege;
    QLabel* lbl_Wertentw;
    TEditFloat* edt_Wertentw;
    QLabel* lbl_Prozent[4];
    QLabel* lbl_Entnahme;
    TEditFloat* edt_Ausz[4];
    QLabel* lbl_Kapital;
    TEditFloat* edt_Kapital[4];
    QLabel* lbl_Entnahme2;
    TEditFloat* Edt_Entnahme[4];
    QLabel* lbl_Gesamt;
    TEditFloat* edt_RestK[4];
    QLabel* lbl_EntnahmeSumme;
    TEditFloat* edt_SumEntn[4];
    QLabel* lbl_RestKapital;
    TEditFloat* edt_Gesamt[4];
    QWidget* pn_Chart;
    QRadioButton* RB_Grafik_Einz;
    QRadioButton* RB_Grafik_Ausz;
    QRadioButton* RB_Grafik_1;
    QRadioButton* RB_Grafik_2;
    QRadioButton* RB_Grafik_3;
    TResultChart* Chart4;
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
    TRadioGroup* GR_GrafikPhase;
    TRadioGroup* GR_GrafikSzenario;

    // Called for every window of the program that becomes active.
    void FensterAktiviert(QWidget* window);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BaueEingaben();
    void BaueErgebnis();
    void VerbindeHandler();

    // Runs a handler. Handlers fired by controls that another handler sets
    // run nested: their saves and recalculations are collected and done once
    // when the outermost handler has finished, so every chain ends in the
    // state of a single run and cannot recurse without end.
    void Handler(const std::function<void()>& body);
    // Runs a handler for a control's signal or a window event: its error is
    // shown here, never thrown through Qt's own event code.
    void Slot(const std::function<void()>& body);

    void SaveDataNow();
    void Schreiben(); // writes the record when a save is pending
    void NeuberechnungNow();
    // The error of a damaged withdrawal length, raised once loading is done.
    std::exception_ptr RecordToMainWindow();
    void RecordToDialogs();
    // True when it raised AuszBeginn, which the figures did not assume yet.
    bool Anzeigen();
    void Uebernahme();
    void ScenarioCaptionsRefresh();
    void BPPerformanceTexte();
    void Zahlenformate();
    void Zugriffsabhaengiges();
    void Entnahmedauer();
    void Passwortschritt();
    void ProvisionZeigen();
    void Vergleichsdruck();
    void FRVUmschalten();
    void SpeichernRechnenSpeichern();
    void DruckVorschau();

    QString FProgrammVerzeichnis;
    QString FDatenDatei; // a plan file of its own; empty: the default one
    std::unique_ptr<TPerformCalc> FCalc;
    std::unique_ptr<TPerformComboRefList> FComboRefList;
    std::unique_ptr<TSterbetafel> FSterbetafel;
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
    TAktivierungsFilter* FAktivierungsFilter = nullptr;

    std::vector<QFrame*> FBaender; // shading of preview rows 1, 3, 5, 7

    QPointer<Tfrm_perfEinst> FEinst;
    QPointer<Tfrm_perfProvision> FProvision;
    QPointer<Tfrm_perfProvPar> FProvPar;
    QPointer<Tfrm_DruckPar> FDruckPar;
    QPointer<TPasswordDlg> FPasswordDlg;
    reports::TReportSet* FBerichte = nullptr;
};

} // namespace orvanta
