#pragma once
// Cost and performance settings: scenario returns, the Einrichtungsgebühr and
// the adviser's details. The dialog holds no data: the main window has it load
// its controls from the plan record and save them back when it saves.

#include "controls/tbrixdialog.h"
#include "core/planrecord.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace orvanta {

class TEditCheck;
class TEditFloat;
class TEditLabel;
class TEditText;
class TExplorerButton;
class TRadioGroup;

class Tfrm_perfEinst : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_perfEinst(QWidget* parent = nullptr);

    // The spread period of the Agio for the month note, handed over before
    // every showing.
    void SetzeAgioMonate(int monate);
    int AgioMonate() const { return FAgioMonate; }

    // Which kind of investment the plan is (the spread payment is offered
    // only for an Aufbauplan); set by the main window before showing.
    void SetzeAnlageart(int kind) { FAnlageart = kind; }

    // The payment counts as ratierlich unless "sofortige Entrichtung" is selected.
    bool Ratierlich() const;

    // Record to controls: Agio rate, interest of the Systemeinmalanlage, Agio
    // surcharge, the four scenario choices, the fees and their boxes, the
    // Agio box, AgioMonate and the adviser's details.
    void AusRecordLaden(const TPlanRecord& rec);
    // Controls to record, in the order of the save: the rates, the scenario
    // choices (a choice not starting with a digit throws EConvertError),
    // AgioZahlungsart, the fees and boxes, the adviser's details.
    void InRecordSpeichern(TPlanRecord& rec);
    // Edit and view patterns of the number fields.
    void Zahlenformate();

    // The payment buttons as the main window's rules set them: 1 checks
    // "sofortige Entrichtung", 2 "ratierliche Entrichtung", anything else
    // neither; the spread payment may be switched off for the plan's kind.
    void SetzeZahlungsart(int zahlungsart);
    void SetzeVerteiltErlaubt(bool erlaubt);
    // The Agio surcharge row shows only at the higher access levels.
    void ZeigeRatenzuschlag(bool sichtbar);

    // Rules of the Agio controls (also run by code changing the states).
    void Ec_EinrichtungsgebuehrClick();
    void RB_ZahlungClick();

    // Closing with OK waits while a scenario box cannot be read as a rate:
    // the box is named in the message and gets the focus. (Taken as it was,
    // the save after closing failed and every later change reported the
    // same error without saying where.)
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    QComboBox* Performance(int spalte) const; // columns 1..4

    // Visible controls, top to bottom.
    TEditLabel* lbl_Header1;
    QLabel* lbl_Performancewerte;
    QLabel* lbl_Spalte[4];
    QComboBox* edt_Performance_1;
    QComboBox* edt_Performance_2;
    QComboBox* edt_Performance_3;
    QComboBox* edt_Performance_4;
    TEditLabel* lbl_Einrichtungsgebuehr;
    TEditCheck* Ec_Einrichtungsgebuehr;
    TEditLabel* lbl_Agio_Satz;
    TEditFloat* edt_Agio_Satz;
    TEditLabel* lbl_Zahlung;
    QWidget* pn_Zahlung; // holds the payment buttons: they come last in the tab order
    QRadioButton* RB_verteilt;
    QRadioButton* RB_einmalig;
    TRadioGroup* GR_Zahlung;
    QLabel* l_Monatsangabe;
    TEditLabel* lbl_Agio_Ratenzuschlag;
    TEditFloat* edt_Agio_Ratenzuschlag;
    TEditLabel* lbl_Header2;
    TEditLabel* lbl_Berater;
    TEditText* edt_Berater;
    TEditLabel* lbl_Firma;
    TEditText* edt_Firma;
    TEditLabel* lbl_Anschrift;
    TEditText* edt_Anschrift;
    TEditLabel* lbl_Strasse;
    TEditText* edt_Strasse;
    TEditLabel* lbl_Telefon;
    TEditText* edt_Telefon;
    TExplorerButton* ExplorerButton1;
    TExplorerButton* ExplorerButton2;

    // Never shown; they carry record values through the dialog.
    TEditLabel* lbl_Zins_SystemEinmalanlage;
    TEditFloat* edt_Zins_SystemEinmalanlage;
    TEditCheck* Ec_ManagementFee;
    TEditFloat* edt_Managementfee;
    TEditCheck* Ec_Debotgebuehr;
    TEditFloat* edt_Depotgebuehr;

    int FAgioMonate = 0;
    int FAnlageart = KindAufbauplan;
};

} // namespace orvanta
