#include "dialogs/tfrm_perfeinst.h"

#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "controls/radiogroup.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "dialogs/recordfelder.h"
#include "dialogs/windowstyle.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace orvanta {

namespace {

TEditFloat* Prozentfeld(QWidget* parent, const QString& suffix) {
    auto* e = new TEditFloat(parent);
    e->setFont(ArialPx(12));
    e->SetDecimals(2);
    e->SetAlignment(taRightJustify);
    e->SetFormatEdit(QStringLiteral("####0.00"));
    e->SetFormatView(QStringLiteral("####0.00") + suffix);
    return e;
}

TEditText* Textfeld(QWidget* parent, int y) {
    auto* e = new TEditText(parent);
    e->setFont(ArialPx(12));
    e->setGeometry(150, y, 390, 21);
    return e;
}

} // namespace

Tfrm_perfEinst::Tfrm_perfEinst(QWidget* parent) : TbrixDialog(parent) {
    SetModalDialog(true);
    setFixedSize(564, 546);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(ArialPx(12));
    setWindowTitle(QStringLiteral("Einstellungen"));

    // Children are created in tab order: the frame and Qt's focus chain follow it.
    lbl_Header1 = Kopfzeile(this, QStringLiteral("  Performance && Einrichtungsgebühr"), 8, 8, 548);
    lbl_Performancewerte =
        new QLabel(QStringLiteral("Mit welchen Performancewerten soll gerechnet werden?"), this);
    lbl_Performancewerte->setGeometry(16, 38, 530, 16);

    const QStringList choices = {
        QStringLiteral("3 %"), QStringLiteral("4 %"), QStringLiteral("5 %"), QStringLiteral("6 %"),
        QStringLiteral("7 %"), QStringLiteral("8 %"), QStringLiteral("9 %")};
    QComboBox* boxes[4];
    for (int i = 0; i < 4; ++i) {
        lbl_Spalte[i] = new QLabel(QStringLiteral("Spalte %1").arg(i + 1), this);
        lbl_Spalte[i]->setGeometry(40 + i * 125, 60, 100, 16);
        boxes[i] = new QComboBox(this);
        boxes[i]->setEditable(true);
        boxes[i]->setInsertPolicy(QComboBox::NoInsert);
        boxes[i]->addItems(choices);
        boxes[i]->setGeometry(40 + i * 125, 78, 100, 22);
    }
    edt_Performance_1 = boxes[0];
    edt_Performance_2 = boxes[1];
    edt_Performance_3 = boxes[2];
    edt_Performance_4 = boxes[3];
    edt_Performance_1->setEnabled(false);

    lbl_Einrichtungsgebuehr = Beschriftung(
        this, QStringLiteral("Soll die &Einrichtungsgebühr berücksichtigt werden ?"), 16, 120, 320);
    Ec_Einrichtungsgebuehr = new TEditCheck(QStringLiteral("ja"), this);
    Ec_Einrichtungsgebuehr->setGeometry(340, 118, 60, 20);

    edt_Agio_Satz = Prozentfeld(this, QStringLiteral(" %"));
    edt_Agio_Satz->setGeometry(150, 146, 100, 21);
    lbl_Agio_Satz = Beschriftung(this, QStringLiteral("&Höhe"), 16, 149, 120, edt_Agio_Satz);

    edt_Agio_Ratenzuschlag = Prozentfeld(this, QStringLiteral(" %"));
    edt_Agio_Ratenzuschlag->setGeometry(300, 230, 100, 21);
    lbl_Agio_Ratenzuschlag =
        Beschriftung(this, QStringLiteral("Refinanzierungskosten        zzgl. 4%"), 16, 233, 270,
                     edt_Agio_Ratenzuschlag);

    lbl_Header2 = Kopfzeile(this, QStringLiteral("  Berater"), 8, 268, 548);
    edt_Berater = Textfeld(this, 296);
    lbl_Berater = Beschriftung(this, QStringLiteral("Name"), 16, 299, 120, edt_Berater);
    edt_Firma = Textfeld(this, 322);
    lbl_Firma = Beschriftung(this, QStringLiteral("Firma"), 16, 325, 120, edt_Firma);
    edt_Anschrift = Textfeld(this, 348);
    lbl_Anschrift = Beschriftung(this, QStringLiteral("PLZ, Ort"), 16, 351, 120, edt_Anschrift);
    edt_Strasse = Textfeld(this, 374);
    lbl_Strasse = Beschriftung(this, QStringLiteral("Straße, Nr."), 16, 377, 120, edt_Strasse);
    edt_Telefon = Textfeld(this, 400);
    lbl_Telefon = Beschriftung(this, QStringLiteral("Telefon"), 16, 403, 120, edt_Telefon);

    ExplorerButton1 = HausButton(this, QStringLiteral("&speichern und schließen"), 110, 500, 206);
    ExplorerButton2 = HausButton(this, QStringLiteral("a&bbrechen und schließen"), 330, 500, 212);

    // The payment buttons sit in a container created after the buttons, so
    // their tab numbers (within the container) are lower than the buttons'.
    lbl_Zahlung = Beschriftung(this, QStringLiteral("&Zahlung"), 16, 180, 120);
    pn_Zahlung = new QWidget(this);
    pn_Zahlung->setGeometry(150, 176, 200, 44);
    RB_verteilt = new QRadioButton(QStringLiteral("ratierliche Entrichtung"), pn_Zahlung);
    RB_verteilt->setGeometry(0, 0, 200, 20);
    RB_einmalig = new QRadioButton(QStringLiteral("sofortige Entrichtung"), pn_Zahlung);
    RB_einmalig->setGeometry(0, 22, 200, 20);
    GR_Zahlung = new TRadioGroup({{RB_verteilt, AgioRatierlich}, {RB_einmalig, AgioSofort}}, this);
    l_Monatsangabe = new QLabel(QStringLiteral("auf 36 Monate"), this);
    l_Monatsangabe->setGeometry(360, 180, 150, 16);

    // Carriers of record values that the user never sees.
    edt_Zins_SystemEinmalanlage = Prozentfeld(this, QStringLiteral(" %"));
    edt_Zins_SystemEinmalanlage->SetValueMin(1);
    edt_Zins_SystemEinmalanlage->SetValueMax(2);
    lbl_Zins_SystemEinmalanlage = Beschriftung(this, QStringLiteral("&Zins Systemeinmalanlage"), 16,
                                               440, 160, edt_Zins_SystemEinmalanlage);
    Ec_ManagementFee = new TEditCheck(QStringLiteral(" &Managementfee p.a."), this);
    edt_Managementfee = Prozentfeld(this, QStringLiteral(" %"));
    Ec_Debotgebuehr = new TEditCheck(QStringLiteral(" &Depotgebühr p.a."), this);
    edt_Depotgebuehr = Prozentfeld(this, QStringLiteral(" €"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             lbl_Zins_SystemEinmalanlage, edt_Zins_SystemEinmalanlage, Ec_ManagementFee,
             edt_Managementfee, Ec_Debotgebuehr, edt_Depotgebuehr})
        w->hide();

    setTabOrder(edt_Performance_2, edt_Performance_3);
    setTabOrder(edt_Performance_3, edt_Performance_4);
    setTabOrder(edt_Performance_4, Ec_Einrichtungsgebuehr);
    setTabOrder(Ec_Einrichtungsgebuehr, edt_Agio_Satz);
    setTabOrder(edt_Agio_Satz, edt_Agio_Ratenzuschlag);
    setTabOrder(edt_Agio_Ratenzuschlag, edt_Berater);
    setTabOrder(edt_Berater, edt_Firma);
    setTabOrder(edt_Firma, edt_Anschrift);
    setTabOrder(edt_Anschrift, edt_Strasse);
    setTabOrder(edt_Strasse, edt_Telefon);
    setTabOrder(edt_Telefon, ExplorerButton1);
    setTabOrder(ExplorerButton1, ExplorerButton2);
    setTabOrder(ExplorerButton2, RB_verteilt);
    setTabOrder(RB_verteilt, RB_einmalig);

    // Named for lookups from outside (tests, accessibility): the controls
    // themselves stay private.
    edt_Performance_1->setObjectName(QStringLiteral("edt_Performance_1"));
    edt_Performance_2->setObjectName(QStringLiteral("edt_Performance_2"));
    edt_Performance_3->setObjectName(QStringLiteral("edt_Performance_3"));
    edt_Performance_4->setObjectName(QStringLiteral("edt_Performance_4"));
    Ec_Einrichtungsgebuehr->setObjectName(QStringLiteral("Ec_Einrichtungsgebuehr"));
    edt_Agio_Satz->setObjectName(QStringLiteral("edt_Agio_Satz"));
    RB_verteilt->setObjectName(QStringLiteral("RB_verteilt"));
    RB_einmalig->setObjectName(QStringLiteral("RB_einmalig"));
    l_Monatsangabe->setObjectName(QStringLiteral("l_Monatsangabe"));
    lbl_Agio_Ratenzuschlag->setObjectName(QStringLiteral("lbl_Agio_Ratenzuschlag"));
    edt_Agio_Ratenzuschlag->setObjectName(QStringLiteral("edt_Agio_Ratenzuschlag"));
    edt_Berater->setObjectName(QStringLiteral("edt_Berater"));
    edt_Firma->setObjectName(QStringLiteral("edt_Firma"));
    edt_Anschrift->setObjectName(QStringLiteral("edt_Anschrift"));
    edt_Strasse->setObjectName(QStringLiteral("edt_Strasse"));
    edt_Telefon->setObjectName(QStringLiteral("edt_Telefon"));
    ExplorerButton1->setObjectName(QStringLiteral("ExplorerButton1"));
    ExplorerButton2->setObjectName(QStringLiteral("ExplorerButton2"));
    edt_Zins_SystemEinmalanlage->setObjectName(QStringLiteral("edt_Zins_SystemEinmalanlage"));
    Ec_ManagementFee->setObjectName(QStringLiteral("Ec_ManagementFee"));
    edt_Managementfee->setObjectName(QStringLiteral("edt_Managementfee"));
    Ec_Debotgebuehr->setObjectName(QStringLiteral("Ec_Debotgebuehr"));
    edt_Depotgebuehr->setObjectName(QStringLiteral("edt_Depotgebuehr"));

    connect(Ec_Einrichtungsgebuehr, &TEditCheck::toggled, this,
            [this] { Ec_EinrichtungsgebuehrClick(); });
    connect(RB_verteilt, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RB_ZahlungClick();
    });
    connect(RB_einmalig, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RB_ZahlungClick();
    });
    connect(Ec_ManagementFee, &TEditCheck::toggled, this,
            [this] { edt_Managementfee->setEnabled(Ec_ManagementFee->Checked()); });
    connect(Ec_Debotgebuehr, &TEditCheck::toggled, this,
            [this] { edt_Depotgebuehr->setEnabled(Ec_Debotgebuehr->Checked()); });
    connect(ExplorerButton1, &TExplorerButton::clicked, this, [this] { SetModalResult(mrOk); });
    connect(ExplorerButton2, &TExplorerButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

void Tfrm_perfEinst::done(int result) {
    if (result == mrOk && isVisible()) {
        for (int spalte = 2; spalte <= 4; ++spalte) {
            QComboBox* box = Performance(spalte);
            try {
                ScenarioRateFromChoice(box->currentText().toStdString());
            } catch (const std::exception& e) {
                box->setFocus(Qt::OtherFocusReason);
                if (box->lineEdit())
                    box->lineEdit()->selectAll();
                ShowErrorMessage(QStringLiteral("Spalte %1: ").arg(spalte) + ExceptionText(e),
                                 this);
                return;
            }
        }
    }
    TbrixDialog::done(result);
}

QComboBox* Tfrm_perfEinst::Performance(int spalte) const {
    switch (spalte) {
    case 1:
        return edt_Performance_1;
    case 2:
        return edt_Performance_2;
    case 3:
        return edt_Performance_3;
    default:
        return edt_Performance_4;
    }
}

void Tfrm_perfEinst::SetzeAgioMonate(int monate) {
    FAgioMonate = monate;
    // The note always names the period of the last calculation.
    l_Monatsangabe->setText(QStringLiteral("auf %1 Monate").arg(monate));
}

void Tfrm_perfEinst::AusRecordLaden(const TPlanRecord& r) {
    edt_Agio_Satz->SetValue(r.Agio_Satz);
    edt_Zins_SystemEinmalanlage->SetValue(r.Zins_SystemEinmalanlage);
    edt_Agio_Ratenzuschlag->SetValue(r.Agio_Ratenzuschlag);
    for (int i = 1; i <= 4; ++i)
        Performance(i)->setCurrentText(Utf8(ScenarioChoiceText(r.Performance[i])));
    edt_Managementfee->SetValue(r.ManagementFee);
    edt_Depotgebuehr->SetValue(r.Depotgebuehr);
    Ec_ManagementFee->SetChecked(r.MitManagementFee != 0);
    Ec_Debotgebuehr->SetChecked(r.MitDepotgebuehr != 0);
    Ec_Einrichtungsgebuehr->SetChecked(r.MitEinrichtungsgebuehr != 0);
    SetzeAgioMonate(r.AgioMonate);
    edt_Berater->SetValue(RecordText(r.Berater));
    edt_Firma->SetValue(RecordText(r.Firma));
    edt_Anschrift->SetValue(RecordText(r.Anschrift));
    edt_Strasse->SetValue(RecordText(r.Strasse));
    edt_Telefon->SetValue(RecordText(r.Telefon));
}

void Tfrm_perfEinst::InRecordSpeichern(TPlanRecord& r) {
    r.Agio_Satz = edt_Agio_Satz->Value();
    r.Zins_SystemEinmalanlage = edt_Zins_SystemEinmalanlage->Value();
    r.Agio_Ratenzuschlag = edt_Agio_Ratenzuschlag->Value();
    for (int i = 1; i <= 4; ++i)
        r.Performance[i] = ScenarioRateFromChoice(Performance(i)->currentText().toStdString());
    r.AgioZahlungsart =
        AgioZahlungsartFromSettings(RB_einmalig->isChecked(), RB_verteilt->isChecked());
    r.ManagementFee = edt_Managementfee->Value();
    r.Depotgebuehr = edt_Depotgebuehr->Value();
    r.MitManagementFee = Ec_ManagementFee->Checked();
    r.MitDepotgebuehr = Ec_Debotgebuehr->Checked();
    r.MitEinrichtungsgebuehr = Ec_Einrichtungsgebuehr->Checked();
    SetRecordText(r.Berater, edt_Berater->Value());
    SetRecordText(r.Firma, edt_Firma->Value());
    SetRecordText(r.Anschrift, edt_Anschrift->Value());
    SetRecordText(r.Strasse, edt_Strasse->Value());
    SetRecordText(r.Telefon, edt_Telefon->Value());
}

void Tfrm_perfEinst::Zahlenformate() {
    for (TEditFloat* f :
         {edt_Agio_Satz, edt_Zins_SystemEinmalanlage, edt_Agio_Ratenzuschlag, edt_Managementfee})
        SetzeFormat(f, 2, QStringLiteral(" %"));
    SetzeFormat(edt_Depotgebuehr, 2, QStringLiteral(" €"));
}

void Tfrm_perfEinst::SetzeZahlungsart(int zahlungsart) {
    GR_Zahlung->SetValue(zahlungsart);
}

void Tfrm_perfEinst::SetzeVerteiltErlaubt(bool erlaubt) {
    RB_verteilt->setEnabled(erlaubt);
}

void Tfrm_perfEinst::ZeigeRatenzuschlag(bool sichtbar) {
    edt_Agio_Ratenzuschlag->setVisible(sichtbar);
    lbl_Agio_Ratenzuschlag->setVisible(sichtbar);
}

bool Tfrm_perfEinst::Ratierlich() const {
    return !RB_einmalig->isChecked();
}

void Tfrm_perfEinst::showEvent(QShowEvent* event) {
    FormActivate();
    TbrixDialog::showEvent(event);
}

void Tfrm_perfEinst::FormActivate() {
    ApplyHouseButtonColors(*ExplorerButton1);
    ApplyHouseButtonColors(*ExplorerButton2);
    const bool a = Ec_Einrichtungsgebuehr->Checked();
    edt_Agio_Satz->setEnabled(a);
    RB_einmalig->setEnabled(a);
    RB_verteilt->setEnabled(a && FAnlageart != KindEinmalanlage &&
                            FAnlageart != KindSystemEinmalanlage);
    edt_Agio_Ratenzuschlag->setEnabled(a && Ratierlich());
    edt_Managementfee->setEnabled(Ec_ManagementFee->Checked());
    edt_Depotgebuehr->setEnabled(Ec_Debotgebuehr->Checked());
}

void Tfrm_perfEinst::Ec_EinrichtungsgebuehrClick() {
    const bool a = Ec_Einrichtungsgebuehr->Checked();
    edt_Agio_Satz->setEnabled(a);
    RB_einmalig->setEnabled(a);
    RB_verteilt->setEnabled(a);
    edt_Agio_Ratenzuschlag->setEnabled(a && Ratierlich());
    l_Monatsangabe->setText(QStringLiteral("auf %1 Monate").arg(FAgioMonate));
}

void Tfrm_perfEinst::RB_ZahlungClick() {
    const bool on = Ec_Einrichtungsgebuehr->Checked() && Ratierlich();
    l_Monatsangabe->setVisible(on);
    edt_Agio_Ratenzuschlag->setEnabled(on);
}

} // namespace orvanta
