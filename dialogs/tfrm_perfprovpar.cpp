#include "dialogs/tfrm_perfprovpar.h"

#include "dialogs/recordfelder.h"

#include "controls/housestyle.h"
#include "controls/radiogroup.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/texplorerbutton.h"
#include "core/formatprintf.h"

#include <QLabel>
#include <QRadioButton>
#include <QShowEvent>

namespace orvanta {

// Shared with the commission view (tfrm_perfprovision.cpp).
QLabel* NeueKopfleiste(QWidget* parent, const QString& text, int width);
void DialogGrundform(TbrixDialog& dlg, int width, int height);

double Tfrm_perfProvPar::BPProvisionssatz(std::int32_t bpSatz) {
    return orvanta::BPProvisionssatz(bpSatz);
}

bool IstAltE(int key, Qt::KeyboardModifiers shift) {
    return key == Qt::Key_E && (shift & Qt::AltModifier) &&
           !(shift & (Qt::ControlModifier | Qt::MetaModifier));
}

QString SzenarioCaption(double performance) {
    return QString::fromStdString(FormatPrintf(" %2.1f ", {performance})) + "%";
}

namespace {

TEditFloat* SatzFeld(QWidget* parent, const char* name, int y) {
    auto* e = new TEditFloat(parent);
    e->setObjectName(name);
    e->setGeometry(250, y, 90, 21);
    e->SetDecimals(2);
    e->SetAlignment(taRightJustify);
    e->SetFormatEdit("####0.00");
    e->SetFormatView("####0.00 %");
    return e;
}

QLabel* Zeile(QWidget* parent, const QString& text, int y) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(16, y, 220, 21);
    return l;
}

} // namespace

Tfrm_perfProvPar::Tfrm_perfProvPar(QWidget* parent) : TbrixDialog(parent) {
    setObjectName("frm_perfProvPar");
    DialogGrundform(*this, 564, 307);
    Kopf = NeueKopfleiste(this, "  Provisionssätze", 564);

    // Created in their tab order: AP rate, the button, the level buttons,
    // the return buttons, the FRV rate.
    lbl_AP = Zeile(this, "AP - Satz VM 47", 48);
    edt_AP_Provisionssatz = SatzFeld(this, "edt_AP_Provisionssatz", 48);

    btn_speichern = new TExplorerButton("&speichern und schließen", this);
    btn_speichern->setObjectName("btn_speichern");
    ApplyHouseButtonDesign(*btn_speichern);
    // Never narrower than its caption; its right edge stays in place.
    const int breite = qMax(200, btn_speichern->sizeHint().width());
    btn_speichern->setGeometry(544 - breite, 270, breite, 21);
    connect(btn_speichern, &TExplorerButton::clicked, this, [this] { SetModalResult(mrOk); });

    lbl_BP = Zeile(this, "BP - Satz (VM47 / FRV)", 120);
    pnl_BP = new QWidget(this);
    pnl_BP->setObjectName("pnl_BP");
    pnl_BP->setGeometry(250, 120, 300, 21);
    for (std::size_t k = 0; k < RB_BP.size(); ++k) {
        RB_BP[k] = new QRadioButton(pnl_BP);
        RB_BP[k]->setObjectName(QString("RB_BP%1").arg(k + 1));
        RB_BP[k]->setGeometry(static_cast<int>(k) * 100, 0, 100, 21);
    }

    lbl_BPP = Zeile(this, "angenommene Wertentwicklung", 156);
    pnl_BPP = new QWidget(this);
    pnl_BPP->setObjectName("pnl_BPP");
    pnl_BPP->setGeometry(250, 156, 300, 21);
    for (std::size_t k = 0; k < RB_BPP.size(); ++k) {
        RB_BPP[k] = new QRadioButton(pnl_BPP);
        RB_BPP[k]->setObjectName(QString("RB_BPP%1").arg(k + 1));
        RB_BPP[k]->setGeometry(static_cast<int>(k) * 75, 0, 75, 21);
    }

    GR_BP = new TRadioGroup({{RB_BP[0], 1}, {RB_BP[1], 2}, {RB_BP[2], 3}}, this);
    GR_BPP =
        new TRadioGroup({{RB_BPP[0], 1}, {RB_BPP[1], 2}, {RB_BPP[2], 3}, {RB_BPP[3], 4}}, this);

    lbl_AP_FRV = Zeile(this, "AP - Satz FRV", 84);
    edt_AP_Provisionssatz_FRV = SatzFeld(this, "edt_AP_Provisionssatz_FRV", 84);

    cmb_BP_Satz = new TEditCombo(this);
    cmb_BP_Satz->setObjectName("cmb_BP_Satz");
    cmb_BP_Satz->hide();
    cmb_BP_Performance = new TEditCombo(this);
    cmb_BP_Performance->setObjectName("cmb_BP_Performance");
    cmb_BP_Performance->hide();

    SetzeBPBeschriftungen();
}

void Tfrm_perfProvPar::Zahlenformate() {
    for (TEditFloat* f : {edt_AP_Provisionssatz, edt_AP_Provisionssatz_FRV})
        SetzeFormat(f, 2, QStringLiteral(" %"));
}

void Tfrm_perfProvPar::SetzeAuswahllisten(TItemRefList* bpSatz, TItemRefList* bpPerformance) {
    cmb_BP_Satz->AssignItemRefList(bpSatz);
    cmb_BP_Performance->AssignItemRefList(bpPerformance);
}

void Tfrm_perfProvPar::AusRecordLaden(const TPlanRecord& rec) {
    edt_AP_Provisionssatz->SetValue(rec.AP_Provisionssatz);
    edt_AP_Provisionssatz_FRV->SetValue(rec.AP_Provisionssatz_FRV);
    GR_BP->SetValue(rec.BP_Satz);
    cmb_BP_Satz->SetValue(rec.BP_Satz);
    GR_BPP->SetValue(rec.BP_Performance);
    cmb_BP_Performance->SetValue(rec.BP_Performance);
}

void Tfrm_perfProvPar::InRecordSpeichern(TPlanRecord& rec) {
    rec.AP_Provisionssatz = edt_AP_Provisionssatz->Value();
    rec.AP_Provisionssatz_FRV = edt_AP_Provisionssatz_FRV->Value();
    rec.BP_Satz = GR_BP->Value(1);
    rec.BP_Provisionssatz = BPProvisionssatz(rec.BP_Satz);
    rec.BP_Performance = GR_BPP->Value(4);
}

void Tfrm_perfProvPar::SetzeBPBeschriftungen() {
    RB_BP[0]->setText("0,1%   1,0%");
    RB_BP[1]->setText("0,2%   1,5%");
    RB_BP[2]->setText("0,25%  2,0%");
}

void Tfrm_perfProvPar::SetzeSzenarioBeschriftungen(const double (&performance)[AnzahlSzenarien]) {
    for (std::size_t k = 0; k < RB_BPP.size(); ++k)
        RB_BPP[k]->setText(SzenarioCaption(performance[k + 1]));
}

void Tfrm_perfProvPar::VorDemZeigen(QWidget* opener) {
    if (opener)
        move(opener->pos() + QPoint(30, 30));
    edt_AP_Provisionssatz->setFocus();
}

bool Tfrm_perfProvPar::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    // The commission view is already open behind the settings (they are
    // reached only from it): Alt+E returns to it by closing the settings,
    // which saves and recalculates as every closing does.
    if (IstAltE(key, shift)) {
        SetModalResult(mrOk);
        return true;
    }
    return TbrixDialog::FormKeyDown(key, shift, sender);
}

void Tfrm_perfProvPar::showEvent(QShowEvent* event) {
    TbrixDialog::showEvent(event);
    if (!event->spontaneous())
        ApplyHouseButtonColors(*btn_speichern);
}

} // namespace orvanta
