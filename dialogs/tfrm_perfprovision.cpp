#include "dialogs/tfrm_perfprovision.h"

#include "dialogs/recordfelder.h"

#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "controls/teditfloat.h"
#include "controls/texplorerbutton.h"
#include "core/errors.h"
#include "core/formatprintf.h"
#include "core/zugriff.h"
#include "dialogs/tfrm_perfprovpar.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QShowEvent>
#include <QTableWidget>

namespace orvanta {

QString ProvisionZelle(double betrag) {
    return QString::fromStdString(FormatPrintf("    %9f", {betrag}));
}

QString JahrZelle(int jahr) {
    return QString::fromStdString(FormatPrintf("    %4d", {jahr}));
}

QString WertentwicklungHinweis(double performance) {
    return QString::fromStdString(
        FormatPrintf("(jährl. Wertentwicklung: %3.1f %%)", {performance}));
}

QLabel* NeueKopfleiste(QWidget* parent, const QString& text, int width) {
    auto* kopf = new QLabel(text, parent);
    kopf->setObjectName("Kopf");
    kopf->setGeometry(0, 0, width, 25);
    kopf->setAutoFillBackground(true);
    QPalette p = kopf->palette();
    p.setColor(QPalette::Window, HouseRed());
    p.setColor(QPalette::WindowText, Qt::white);
    kopf->setPalette(p);
    QFont f = kopf->font();
    f.setBold(true);
    kopf->setFont(f);
    return kopf;
}

void DialogGrundform(TbrixDialog& dlg, int width, int height) {
    // Fixed size with only a close box; Arial 12 pixels.
    dlg.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    dlg.setFixedSize(width, height);
    QFont f("Arial");
    f.setPixelSize(12);
    dlg.setFont(f);
    dlg.SetModalDialog(true);
}

namespace {

TEditFloat* BetragFeld(QWidget* parent, const char* name, int x, int y) {
    auto* e = new TEditFloat(parent);
    e->setObjectName(name);
    e->setGeometry(x, y, 95, 21);
    e->SetDecimals(2);
    e->SetAlignment(taRightJustify);
    e->SetFormatEdit("####0.00");
    e->SetFormatView("####0.00 €");
    e->setEnabled(false);
    return e;
}

QLabel* Beschriftung(QWidget* parent, const QString& text, int x, int y, int w,
                     Qt::Alignment align = Qt::AlignLeft) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 21);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

} // namespace

Tfrm_perfProvision::Tfrm_perfProvision(QWidget* parent) : TbrixDialog(parent) {
    setObjectName("frm_perfProvision");
    DialogGrundform(*this, 750, 602);

    Kopf = NeueKopfleiste(
        this, "  MIT SICHERHEIT VERMÖGEN: DAMIT SIE WISSEN, WIE IHRE PROVISION WÄCHST", 750);

    // Created before the grid: the grid follows "&schließen" in the tab order.
    btn_schliessen = new TExplorerButton("&schließen", this);
    btn_schliessen->setObjectName("btn_schliessen");
    ApplyHouseButtonDesign(*btn_schliessen);
    btn_schliessen->setGeometry(620, 566, 120, 21);
    connect(btn_schliessen, &TExplorerButton::clicked, this, [this] { SetModalResult(mrOk); });

    StringGrid1 = new QTableWidget(0, SpaltenMax, this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setGeometry(8, 33, 477, 537);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setShowGrid(true);
    StringGrid1->setWordWrap(false);
    StringGrid1->setTextElideMode(Qt::ElideNone);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->verticalHeader()->setMinimumSectionSize(15);
    StringGrid1->verticalHeader()->setDefaultSectionSize(15);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StringGrid1->setHorizontalHeaderLabels(
        {"Jahr", "VM47", "VM47 kumuliert", "FRV", "FRV kumuliert"});
    const int breiten[SpaltenMax] = {62, 90, 96, 97, 100};
    for (int c = 0; c < SpaltenMax; ++c)
        StringGrid1->setColumnWidth(c, breiten[c]);
    // The amounts are padded with blanks: they line up only in a fixed pitch.
    QFont raster("Courier New");
    raster.setStyleHint(QFont::TypeWriter);
    raster.setFixedPitch(true);
    raster.setPixelSize(12);
    StringGrid1->setFont(raster);
    StringGrid1->horizontalHeader()->setFixedHeight(17);

    lbl_VM47 = Beschriftung(this, "VALMERA 47", 550, 40, 95, Qt::AlignRight);
    lbl_VM47->setObjectName("lbl_VM47");
    lbl_FRV = Beschriftung(this, "FRV", 650, 40, 95, Qt::AlignRight);
    lbl_FRV->setObjectName("lbl_FRV");
    for (QLabel* l : {lbl_VM47, lbl_FRV}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    lbl_AP = Beschriftung(this, "AP", 500, 64, 45);
    lbl_BP = Beschriftung(this, "BP", 500, 90, 45);
    lbl_Summe = Beschriftung(this, "Summe", 500, 116, 45);
    edt_AP = BetragFeld(this, "edt_AP", 550, 64);
    edt_BP_FRV = BetragFeld(this, "edt_BP_FRV", 650, 64);
    edt_BP = BetragFeld(this, "edt_BP", 550, 90);
    edt_AP_FRV = BetragFeld(this, "edt_AP_FRV", 650, 90);
    edt_Summe_VM47 = BetragFeld(this, "edt_Summe_VM47", 550, 116);
    edt_Summe_FRV = BetragFeld(this, "edt_Summe_FRV", 650, 116);

    l_Hinweis = Beschriftung(this, "(jährl. Wertentwicklung:  0,0%)", 500, 148, 245);
    l_Hinweis->setObjectName("l_Hinweis");

    SetzeZugriffsstufe(0);
    ZeilenSetzen(0);
}

void Tfrm_perfProvision::Zahlenformate() {
    for (TEditFloat* f : {edt_AP, edt_BP, edt_Summe_VM47, edt_BP_FRV, edt_AP_FRV, edt_Summe_FRV})
        SetzeFormat(f, 2, QStringLiteral(" €"));
}

void Tfrm_perfProvision::RasterVorbereiten(const TPlanRecord& rec) {
    // Columns and rows first, as the note may fail on a stray scenario index.
    const bool frv = FRVFreigegeben(rec.Zugriffsstufe);
    StringGrid1->setColumnHidden(SpalteFRV, !frv);
    StringGrid1->setColumnHidden(SpalteFRVKum, !frv);
    FLaufzeit = rec.Laufzeit;
    ZeilenSetzen(rec.Laufzeit);
    for (int jahr = 1; jahr < Zeilen(); ++jahr)
        SetzeZelle(SpalteJahr, jahr, JahrZelle(jahr));
    if (rec.BP_Performance < 0 || rec.BP_Performance > 5)
        throw ERangeError();
    l_Hinweis->setText(WertentwicklungHinweis(rec.Performance[rec.BP_Performance]));
}

void Tfrm_perfProvision::SetzeZugriffsstufe(int zugriffsstufe) {
    const bool frv = FRVFreigegeben(zugriffsstufe);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lbl_FRV, edt_BP_FRV, edt_AP_FRV, edt_Summe_FRV, lbl_VM47})
        w->setVisible(frv);
}

void Tfrm_perfProvision::VorDemZeigen(QWidget* opener, const QColor& focusFrame) {
    if (opener)
        move(opener->pos() + QPoint(30, 30));
    btn_schliessen->SetFocusPenColor(focusFrame);
    btn_schliessen->setFocus();
}

void Tfrm_perfProvision::EinstellungenZeigen() {
    if (!FEinstellungen)
        return;
    FEinstellungen->VorDemZeigen(this);
    FEinstellungen->ShowModal();
    // Back to this view, which stays open behind the settings.
    activateWindow();
    // Closing the settings keeps their edits, also with Esc or the close box.
    RunAndReport([this] { emit speichernUndNeuberechnen(); }, this);
}

void Tfrm_perfProvision::SetzeAP(double AP) {
    edt_AP->SetValue(AP);
}

void Tfrm_perfProvision::SetzeBP(int Jahr, double BP_Jahr, double BP_Summe, double BP_Gesamt) {
    SetzeZelle(SpalteVM47, Jahr, ProvisionZelle(BP_Jahr));
    SetzeZelle(SpalteVM47Kum, Jahr, ProvisionZelle(BP_Summe));
    edt_BP->SetValue(BP_Summe);
    edt_Summe_VM47->SetValue(BP_Gesamt);
}

void Tfrm_perfProvision::SetzeFRV(int Jahr, double FRV_Jahr, double FRV_Summe, double AP_FRV,
                                  double FRV_Gesamt) {
    SetzeZelle(SpalteFRV, Jahr, ProvisionZelle(FRV_Jahr));
    SetzeZelle(SpalteFRVKum, Jahr, ProvisionZelle(FRV_Summe));
    // The FRV shows its sum of yearly commissions in the row "AP" and its
    // acquisition commission in the row "BP".
    edt_BP_FRV->SetValue(FRV_Summe);
    edt_AP_FRV->SetValue(AP_FRV);
    edt_Summe_FRV->SetValue(FRV_Gesamt);
}

int Tfrm_perfProvision::Zeilen() const {
    return StringGrid1->rowCount() + 1;
}

int Tfrm_perfProvision::Spalten() const {
    int n = 0;
    for (int c = 0; c < SpaltenMax; ++c)
        n += StringGrid1->isColumnHidden(c) ? 0 : 1;
    return n;
}

QString Tfrm_perfProvision::Zelle(int spalte, int zeile) const {
    if (spalte < 0 || spalte >= SpaltenMax || zeile < 0 || zeile >= Zeilen())
        return {};
    const QTableWidgetItem* item = zeile == 0 ? StringGrid1->horizontalHeaderItem(spalte)
                                              : StringGrid1->item(zeile - 1, spalte);
    return item ? item->text() : QString();
}

int Tfrm_perfProvision::AktuelleZeile() const {
    const int r = StringGrid1->currentRow();
    return r < 0 ? 0 : r + 1;
}

bool Tfrm_perfProvision::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    if (IstAltE(key, shift)) {
        EinstellungenZeigen();
        return true;
    }
    return TbrixDialog::FormKeyDown(key, shift, sender);
}

void Tfrm_perfProvision::showEvent(QShowEvent* event) {
    TbrixDialog::showEvent(event);
    if (!event->spontaneous())
        Aktivieren();
}

bool Tfrm_perfProvision::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Aktivieren();
    return TbrixDialog::event(event);
}

void Tfrm_perfProvision::Aktivieren() {
    ApplyHouseButtonColors(*btn_schliessen);
    btn_schliessen->SetFocusPenColor(Qt::white);
    ZeilenSetzen(FLaufzeit);
    LetzteZeileZeigen();
}

void Tfrm_perfProvision::SetzeZelle(int spalte, int jahr, const QString& text) {
    // A year beyond the prepared rows has no cell.
    if (jahr < 1 || jahr >= Zeilen())
        return;
    QTableWidgetItem* item = StringGrid1->item(jahr - 1, spalte);
    if (!item) {
        item = new QTableWidgetItem;
        // Right-aligned: where a column is narrower than the padded text, the
        // leading blanks give way, never the digits.
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        StringGrid1->setItem(jahr - 1, spalte, item);
    }
    item->setText(text);
}

void Tfrm_perfProvision::ZeilenSetzen(int laufzeit) {
    // A duration beyond any plan (possible only from the data file) gets no
    // year rows rather than a grid without end.
    StringGrid1->setRowCount(laufzeit > 0 && laufzeit <= MaxJahre ? laufzeit : 0);
}

void Tfrm_perfProvision::LetzteZeileZeigen() {
    const int letzte = StringGrid1->rowCount() - 1;
    if (letzte < 0)
        return;
    StringGrid1->setCurrentCell(letzte, 0);
    StringGrid1->scrollToBottom();
}

} // namespace orvanta
