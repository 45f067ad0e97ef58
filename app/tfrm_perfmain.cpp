#include "app/tfrm_perfmain.h"

#include "app/panelrules.h"
#include "app/pictures.h"
#include "app/radiogroup.h"
#include "app/resultchart.h"
#include "app/tperformcomboreflist.h"
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
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>

namespace orvanta {

namespace {

QString Utf8(const std::string& s) {
    return QString::fromStdString(s);
}

template <std::size_t N> QString RecordText(const ShortString<N>& s) {
    return Utf8(ShortStringToUtf8(s));
}

template <std::size_t N> void SetRecordText(ShortString<N>& s, const QString& text) {
    ShortStringFromUtf8(s, text.left(static_cast<qsizetype>(N)).toStdString());
}

// (d + 2) x "#", "0.", d x "0": the pattern of a number field with d decimals.
QString Zahlenmuster(int decimals) {
    return QString(decimals + 2, QLatin1Char('#')) + QStringLiteral("0.") +
           QString(decimals, QLatin1Char('0'));
}

void SetzeFormat(TEditFloat* field, int decimals, const QString& suffix) {
    field->SetFormatEdit(Zahlenmuster(decimals));
    field->SetFormatView(Zahlenmuster(decimals) + suffix);
}

QLabel* Text(QWidget* parent, const QString& caption, int x, int y, int w, bool bold = false,
             int px = 12) {
    auto* l = new QLabel(caption, parent);
    l->setFont(ArialPx(px, bold));
    l->setGeometry(x, y, w, 16);
    return l;
}

QRadioButton* Knopf(QWidget* parent, const QString& caption, int x, int y, int w) {
    auto* b = new QRadioButton(caption, parent);
    b->setFont(ArialPx(12));
    b->setGeometry(x, y, w, 18);
    return b;
}

TEditFloat* Zahlfeld(QWidget* parent, int x, int y, int w, int decimals) {
    auto* e = new TEditFloat(parent);
    e->setFont(ArialPx(12));
    e->SetDecimals(static_cast<std::uint8_t>(decimals));
    e->SetAlignment(taRightJustify);
    e->setGeometry(x, y, w, 21);
    return e;
}

// The preview's font: one pixel below the input panel's, so that amounts up
// to 99.999.999,99 € fit the four value columns and the built captions with
// their amounts fit the label column, all within the panel's 657 pixels.
constexpr int VorschauPx = 11;

QLabel* VorschauText(QWidget* parent, const QString& caption, int x, int y, int w,
                     bool bold = false) {
    return Text(parent, caption, x, y, w, bold, VorschauPx);
}

// A display field of the preview: right-aligned, never focused or edited.
TEditFloat* Anzeigefeld(QWidget* parent, int x, int y, int w, const QString& pattern) {
    auto* e = Zahlfeld(parent, x, y, w, 2);
    e->setFont(ArialPx(VorschauPx));
    e->SetFormatView(pattern);
    e->SetFormatEdit(pattern);
    e->setFocusPolicy(Qt::NoFocus);
    e->setReadOnly(true);
    return e;
}

// Preview columns 1..4, side by side up to 3 pixels before the panel's right
// edge; the labels take the rest. Rows 1 and 2 have one field under columns
// 3 and 4.
constexpr int SpalteB = 94;
constexpr int SpalteX[4] = {279, 279 + SpalteB, 279 + 2 * SpalteB, 279 + 3 * SpalteB};
constexpr int LabelX = 6;
constexpr int LabelB = SpalteX[0] - LabelX - 2;
constexpr int LabelBreitB = SpalteX[2] - LabelX - 2;

// Unchecks radio buttons that are exclusive by their common parent.
void KeinerGewaehlt(std::initializer_list<QRadioButton*> buttons) {
    for (QRadioButton* b : buttons) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

const QString MusterBetrag = QStringLiteral("##,##0.00 € ");

} // namespace

Tfrm_perfmain::Tfrm_perfmain(const QString& programDir, QWidget* parent)
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
    FSterbetafel =
        std::make_unique<TSterbetafel>(QDir::toNativeSeparators(programDir).toStdString());
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
    return Utf8(DataFilePath(QDir::toNativeSeparators(FProgrammVerzeichnis).toStdString()));
}

// ---------------------------------------------------------------------------
// Building the window

void Tfrm_perfmain::BaueEingaben() {
    QWidget* w = this;
    constexpr int L = 16;   // left label column
    constexpr int LI = 190; // left input column
    constexpr int R = 424;  // right label column
    constexpr int RI = 590; // right input column

    Kopfzeile(w, QStringLiteral("  Angaben zur Person"), 8, 8, 400);
    edt_I_P_Nachname = new TEditText(w);
    edt_I_P_Nachname->setFont(ArialPx(12));
    edt_I_P_Nachname->setGeometry(LI, 32, 210, 21);
    Beschriftung(w, QStringLiteral("&Name"), L, 35, 160, edt_I_P_Nachname);
    edt_I_P_Vorname = new TEditText(w);
    edt_I_P_Vorname->setFont(ArialPx(12));
    edt_I_P_Vorname->setGeometry(LI, 56, 210, 21);
    Beschriftung(w, QStringLiteral("V&orname"), L, 59, 160, edt_I_P_Vorname);
    edt_I_P_Eintrittsalter = Zahlfeld(w, LI, 80, 80, 0);
    Beschriftung(w, QStringLiteral("&Alter"), L, 83, 160, edt_I_P_Eintrittsalter);
    RB_maennlich = Knopf(w, QStringLiteral("männlich"), LI, 105, 90);
    RB_weiblich = Knopf(w, QStringLiteral("weiblich"), LI + 95, 105, 90);
    Beschriftung(w, QStringLiteral("&Geschlecht"), L, 106, 160, RB_maennlich);
    cmb_Geschlecht = new TEditCombo(w);
    cmb_Geschlecht->hide();

    Kopfzeile(w, QStringLiteral("  Angaben zur Einzahlungsphase"), 8, 130, 400);
    RB_Depot_F = Knopf(w, QStringLiteral("Strategiedepot F"), LI, 153, 150);
    RB_Depot_S = Knopf(w, QStringLiteral("Strategiedepot S"), LI, 171, 150);
    RB_Depot_W = Knopf(w, QStringLiteral("Strategiedepot W"), LI, 189, 150);
    RB_Depot_Z = Knopf(w, QStringLiteral("Strategiedepot Z"), LI, 189, 150);
    RB_Depot_Z->hide();
    Beschriftung(w, QStringLiteral("Anlages&trategie"), L, 154, 160, RB_Depot_F);
    RB_Aufbauplan = Knopf(w, QStringLiteral("Aufbauplan"), LI, 213, 150);
    RB_Einmalanlage = Knopf(w, QStringLiteral("Einmalanlage"), LI, 231, 150);
    RB_SystemEinmalanlage = Knopf(w, QStringLiteral("Systemeinmalanlage"), LI, 249, 170);
    Beschriftung(w, QStringLiteral("Anlageart"), L, 214, 160);

    // "&Zahlung Einrichtungsgebühr" and "Übertragungsdauer" share one place.
    lbl_Zahlung = Beschriftung(w, QStringLiteral("&Zahlung Einrichtungsgebühr"), L, 275, 170);
    RB_einmalig = Knopf(w, QStringLiteral("sofort"), LI, 274, 70);
    RB_verteilt = Knopf(w, QStringLiteral("ratierlich"), LI + 75, 274, 90);
    lbl_Zahlung->SetFocusControl(RB_einmalig);
    lbl_Uebertragungsdauer = Beschriftung(w, QStringLiteral("Übertragungsdauer"), L, 275, 170);
    RB_12 = Knopf(w, QStringLiteral("12"), LI, 274, 45);
    RB_24 = Knopf(w, QStringLiteral("24"), LI + 48, 274, 45);
    RB_36 = Knopf(w, QStringLiteral("36"), LI + 96, 274, 45);
    lbl_Monate = Text(w, QStringLiteral("Monate"), LI + 146, 275, 60);
    // Only a Systemeinmalanlage shows the transfer row in this place.
    for (QWidget* c :
         std::initializer_list<QWidget*>{lbl_Uebertragungsdauer, RB_12, RB_24, RB_36, lbl_Monate})
        c->hide();

    edt_Anlagebetrag = Zahlfeld(w, LI, 298, 110, 2);
    edt_Anlagebetrag->SetValueMin(1);
    edt_Anlagebetrag->SetValueMax(10000000);
    edt_Anlagebetrag->SetValue(200);
    LB_Anlagebetrag =
        Beschriftung(w, QStringLiteral("Monats&betrag Aufbauplan"), L, 301, 170, edt_Anlagebetrag);
    edt_Laufzeit = Zahlfeld(w, LI, 322, 80, 0);
    edt_Laufzeit->SetValueMin(1);
    edt_Laufzeit->SetValueMax(99);
    Beschriftung(w, QStringLiteral("An&lagedauer"), L, 325, 170, edt_Laufzeit);
    edt_Einzahlungsdauer = Zahlfeld(w, LI, 346, 80, 0);
    edt_Einzahlungsdauer->SetValueMin(1);
    edt_Einzahlungsdauer->SetValueMax(99);
    Beschriftung(w, QStringLiteral("Ein&zahlungsdauer"), L, 349, 170, edt_Einzahlungsdauer);
    cb_Dynamik = new TEditCheck(w);
    cb_Dynamik->setGeometry(LI, 371, 22, 18);
    lbl_Dynamik = Text(w, QStringLiteral("5%"), LI + 24, 372, 40);
    lbl_Dynamik->setEnabled(false);
    lbl_DynamikCaption = Beschriftung(w, QStringLiteral("&Dynamik"), L, 372, 170, cb_Dynamik);

    // Right column.
    Kopfzeile(w, QStringLiteral("  Für Sie gelesen / Für Sie verlinkt"), 416, 8, 388);
    auto link = [w](const QString& caption, int y) {
        auto* l = new TURLLabel(caption, w);
        QFont f = ArialPx(12);
        f.setUnderline(true);
        l->setFont(f);
        l->setGeometry(R, y, l->sizeHint().width(), 16);
        return l;
    };
    URLLabel1 = link(QStringLiteral("Wertentwicklung der gewählten Anlagestrategie"), 33);
    URLLabel2 = link(QStringLiteral("Verkaufsdokumentation von VALMERA 47"), 53);
    URLLabel3 =
        link(QStringLiteral("Fondsgebundene Rentenversicherung mit Lücken (FAZ / 30.5.2006)"), 73);
    // Its fixed width reaches past the window's edge; only empty label space
    // is cut there.
    URLLabel3->setFixedWidth(401);
    URLLabel3->hide(); // shown from access level 3 on
    Kopfzeile(w, QStringLiteral("  Angaben zur Entnahmephase"), 416, 104, 388);
    RB_Depot_F_Ausz = Knopf(w, QStringLiteral("Strategiedepot F"), R, 128, 125);
    RB_Depot_S_Ausz = Knopf(w, QStringLiteral("Strategiedepot S"), R + 127, 128, 125);
    RB_Depot_W_Ausz = Knopf(w, QStringLiteral("Strategiedepot W"), R + 254, 128, 125);
    RB_Depot_Z_Ausz = Knopf(w, QStringLiteral("Strategiedepot Z"), R + 254, 128, 125);
    RB_Depot_Z_Ausz->hide();
    edt_AuszBeginn = Zahlfeld(w, RI, 152, 80, 0);
    Beschriftung(w, QStringLiteral("Entnahme ab Alter"), R, 155, 160, edt_AuszBeginn);
    RB_T1 = Knopf(w, QStringLiteral("Lebenserwartung"), RI, 178, 210);
    RB_95 = Knopf(w, QStringLiteral("95 Jahre"), RI, 196, 210);
    RB_individuell = Knopf(w, QStringLiteral("individuell"), RI, 216, 95);
    edt_AuszEnde = Zahlfeld(w, RI + 98, 214, 80, 0);
    edt_AuszEnde->SetValueMax(150);
    edt_AuszEnde->setEnabled(false);
    RB_ewig = Knopf(w, QStringLiteral("ohne Kapitalverzehr"), RI, 238, 210);
    Beschriftung(w, QStringLiteral("Entnahme bis Alter"), R, 179, 160);
    edt_Monatsrente = Zahlfeld(w, RI, 262, 110, 2);
    Beschriftung(w, QStringLiteral("Monatliche Entnahme"), R, 265, 160, edt_Monatsrente);
    edt_Rentenkapital = Zahlfeld(w, RI, 286, 110, 2);
    Beschriftung(w, QStringLiteral("Kapital bei Entnahmebeginn"), R, 289, 165, edt_Rentenkapital);
    CB_Kapital_aus_Einz = new TEditCheck(QStringLiteral("aus Einzahlungsphase bei"), w);
    CB_Kapital_aus_Einz->setFont(ArialPx(12));
    CB_Kapital_aus_Einz->setGeometry(R, 312, 165, 20);
    RB_Kapital_1 = Knopf(w, QStringLiteral("3 %"), RI, 313, 60);
    RB_Kapital_2 = Knopf(w, QStringLiteral("6 %"), RI + 62, 313, 60);
    RB_Kapital_3 = Knopf(w, QStringLiteral("9 %"), RI + 124, 313, 60);

    // Inputs that are never shown but carry record values, with their
    // labels; where they stand does not matter.
    edt_Zuzahlung_Betrag_1 = Zahlfeld(w, LI, 396, 80, 0);
    edt_Zuzahlung_Monat_1 = Zahlfeld(w, LI + 84, 396, 40, 0);
    edt_Zuzahlung_Betrag_2 = Zahlfeld(w, LI, 420, 80, 0);
    edt_Zuzahlung_Monat_2 = Zahlfeld(w, LI + 84, 420, 40, 0);
    edt_Zuzahlung_Monat_1->SetValueMax(12);
    edt_Zuzahlung_Monat_2->SetValueMax(12);
    lbl_Zuzahlungen =
        Beschriftung(w, QStringLiteral("&Zuzahlungen"), L, 399, 170, edt_Zuzahlung_Betrag_1);
    btn_Zuzahlungen = new QToolButton(w);
    btn_Zuzahlungen->setText(QStringLiteral("..."));
    btn_Zuzahlungen->setFont(ArialPx(12));
    btn_Zuzahlungen->setGeometry(LI + 128, 396, 24, 21);
    lbl_Erben = Beschriftung(w, QStringLiteral("Auszahlung an Erben"), R, 340, 160);
    RB_G0 = Knopf(w, QStringLiteral("nichts"), RI, 340, 200);
    RB_G5 = Knopf(w, QStringLiteral("Rentengarantie   5 Jahre"), RI, 358, 200);
    RB_G10 = Knopf(w, QStringLiteral("Rentengarantie 10 Jahre"), RI, 376, 200);
    RB_G15 = Knopf(w, QStringLiteral("Rentengarantie 15 Jahre"), RI, 394, 200);
    RB_G99 = Knopf(w, QStringLiteral("volles Restkapital"), RI, 412, 200);
    edt_Performance_5 = Zahlfeld(w, RI, 436, 80, 1);
    edt_Performance_5->SetValue(6);
    lbl_Performance_5 =
        Beschriftung(w, QStringLiteral("Perfor&mance p.a."), R, 439, 160, edt_Performance_5);
    edt_Dynamik = Zahlfeld(w, LI + 70, 370, 60, 1);
    edt_Dynamik->SetValueMax(20);
    btn_FRV_Vergleich = HausButton(w, QStringLiteral("Ergebnis mit FRV &Vergleich"), 0, 0, 180);
    btn_FRV_Vergleich->setEnabled(false);
    for (QWidget* h : std::initializer_list<QWidget*>{
             lbl_Zuzahlungen, btn_Zuzahlungen, edt_Zuzahlung_Betrag_1, edt_Zuzahlung_Betrag_2,
             edt_Zuzahlung_Monat_1, edt_Zuzahlung_Monat_2, lbl_Erben, RB_G0, RB_G5, RB_G10, RB_G15,
             RB_G99, lbl_Performance_5, edt_Performance_5, edt_Dynamik, btn_FRV_Vergleich})
        h->hide();

    GR_Geschlecht = new TRadioGroup({{RB_maennlich, 1}, {RB_weiblich, 2}}, this);
    GR_Anlagestrategie =
        new TRadioGroup({{RB_Depot_F, 1}, {RB_Depot_S, 2}, {RB_Depot_W, 3}, {RB_Depot_Z, 4}}, this);
    GR_Anlagestrategie_Entnahme = new TRadioGroup(
        {{RB_Depot_F_Ausz, 1}, {RB_Depot_S_Ausz, 2}, {RB_Depot_W_Ausz, 3}, {RB_Depot_Z_Ausz, 4}},
        this);
    GR_Anlageart = new TRadioGroup(
        {{RB_Aufbauplan, 1}, {RB_Einmalanlage, 2}, {RB_SystemEinmalanlage, 3}}, this);
    GR_Uebertragung = new TRadioGroup({{RB_12, 12}, {RB_24, 24}, {RB_36, 36}}, this);
    GR_Zahlung = new TRadioGroup({{RB_einmalig, 1}, {RB_verteilt, 2}}, this);
    GR_AuszEndeArt =
        new TRadioGroup({{RB_individuell, 1}, {RB_T1, 2}, {RB_95, 4}, {RB_ewig, 5}}, this);
    GR_Kapital = new TRadioGroup({{RB_Kapital_1, 2}, {RB_Kapital_2, 3}, {RB_Kapital_3, 4}}, this);
    GR_Rentengarantie =
        new TRadioGroup({{RB_G0, 1}, {RB_G5, 2}, {RB_G10, 3}, {RB_G15, 4}, {RB_G99, 5}}, this);

    // Design state.
    RB_Depot_W->setChecked(true);
    RB_Depot_W_Ausz->setChecked(true);
    RB_95->setChecked(true);

    // Bottom row.
    ExplorerButton1 = HausButton(w, QStringLiteral("&speichern und beenden"), 8, 708, 190);
    btn_Ergebnis = HausButton(w, QStringLiteral("Ergebnis / Ausdruck"),
                              ExplorerButton1->geometry().right() + 13, 708, 170);
    ExplorerButton3 = HausButton(w, QStringLiteral("E&instellungen"),
                                 btn_Ergebnis->geometry().right() + 13, 708, 150);
    btn_Ergebnis->setEnabled(false);
}

void Tfrm_perfmain::BaueErgebnis() {
    QWidget* w = this;

    // Chart panel: created first, so that the table panel lies in front of it.
    pn_Chart = new QWidget(w);
    pn_Chart->setGeometry(8, 398, 657, 275);
    Text(pn_Chart, QStringLiteral("Chart"), 4, 4, 50, true);
    RB_Grafik_Einz = Knopf(pn_Chart, QStringLiteral("Einzahlungsphase"), 60, 3, 135);
    RB_Grafik_Ausz = Knopf(pn_Chart, QStringLiteral("Entnahmephase"), 196, 3, 125);
    RB_Grafik_Einz->setEnabled(false);
    RB_Grafik_1 = Knopf(pn_Chart, QStringLiteral("3 %"), 360, 3, 70);
    RB_Grafik_2 = Knopf(pn_Chart, QStringLiteral("6 %"), 432, 3, 70);
    RB_Grafik_3 = Knopf(pn_Chart, QStringLiteral("9 %"), 504, 3, 70);
    Chart4 = new TResultChart(pn_Chart);
    Chart4->setGeometry(0, 26, 657, 249);
    GR_GrafikPhase = new TRadioGroup({{RB_Grafik_Einz, 1}, {RB_Grafik_Ausz, 2}}, this);
    GR_GrafikSzenario =
        new TRadioGroup({{RB_Grafik_1, 2}, {RB_Grafik_2, 3}, {RB_Grafik_3, 4}}, this);

    lbl_Vorschau = Text(w, QStringLiteral("Ergebnisvorschau"), 8, 398, 657, true);
    // Covers the chart header while both panels are shown (no view chosen yet).
    lbl_Vorschau->setAutoFillBackground(true);
    lbl_Vorschau->setFixedHeight(24);
    lbl_Vorschau->setIndent(4);

    // Preview panel; it takes neither the mouse nor the focus.
    pn_Tabelle = new QWidget(w);
    pn_Tabelle->setGeometry(8, 422, 657, 249);
    pn_Tabelle->setAttribute(Qt::WA_TransparentForMouseEvents);
    pn_Tabelle->setAutoFillBackground(true); // in front of the chart panel
    auto band = [this](int y) {
        auto* f = new QFrame(pn_Tabelle);
        FBaender.push_back(f);
        f->setGeometry(0, y, 657, 24);
        f->setAutoFillBackground(true);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, ShadedRowGrey());
        f->setPalette(p);
    };
    // Shaded rows: 1, 3, 5, 7 (bands first, behind the fields).
    for (int y : {0, 76, 124, 172})
        band(y);

    EditLabel22 =
        VorschauText(pn_Tabelle, QStringLiteral("Summe der Monatsbeträge (Einzahlungsphase)"),
                     LabelX, 4, LabelBreitB);
    edt_Summe_Monatsbeitraege = Anzeigefeld(pn_Tabelle, SpalteX[2], 1, 2 * SpalteB, MusterBetrag);
    lbl_Wertentw = VorschauText(pn_Tabelle, QString(), LabelX, 28, LabelBreitB);
    edt_Wertentw =
        Anzeigefeld(pn_Tabelle, SpalteX[2], 25, 2 * SpalteB, QStringLiteral("####0.00 % "));
    const QString heads[4] = {QStringLiteral("0 %"), QStringLiteral("3 %"), QStringLiteral("6 %"),
                              QStringLiteral("9 %")};
    for (int k = 0; k < 4; ++k) {
        lbl_Prozent[k] = VorschauText(pn_Tabelle, heads[k], SpalteX[k], 56, SpalteB - 4, true);
        lbl_Prozent[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lbl_Entnahme = VorschauText(pn_Tabelle, QString(), LabelX, 80, LabelB);
    lbl_Kapital = VorschauText(pn_Tabelle, QString(), LabelX, 104, LabelB);
    lbl_Entnahme2 =
        VorschauText(pn_Tabelle, QStringLiteral("Monatliche Entnahme"), LabelX, 128, LabelB);
    lbl_Gesamt = VorschauText(pn_Tabelle, QStringLiteral("Anfangskapital"), LabelX, 152, LabelB);
    lbl_EntnahmeSumme =
        VorschauText(pn_Tabelle, QStringLiteral("Summe der Entnahmen"), LabelX, 176, LabelB);
    lbl_RestKapital = VorschauText(
        pn_Tabelle, QStringLiteral("Restkapital am Ende der Entnahmephase"), LabelX, 200, LabelB);
    for (int k = 0; k < 4; ++k) {
        edt_Ausz[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 77, SpalteB, MusterBetrag);
        edt_Kapital[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 101, SpalteB, MusterBetrag);
        Edt_Entnahme[k] =
            Anzeigefeld(pn_Tabelle, SpalteX[k], 125, SpalteB, QStringLiteral("####0.00 € "));
        edt_RestK[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 149, SpalteB, MusterBetrag);
        edt_SumEntn[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 173, SpalteB, MusterBetrag);
        edt_Gesamt[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 197, SpalteB, MusterBetrag);
    }

    // View buttons and the decorative pictures at the right edge.
    auto viewButton = [w](const QIcon& icon, int x, const QString& tip) {
        auto* b = new QToolButton(w);
        b->setGeometry(x, 398, 41, 41);
        b->setIcon(icon);
        b->setIconSize(QSize(33, 33));
        b->setAutoRaise(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(tip);
        return b;
    };
    SPB_Chart = viewButton(ChartButtonIcon(), 692, QStringLiteral("Chart"));
    SPB_Preview = viewButton(TableButtonIcon(), 746, QStringLiteral("Ergebnisvorschau"));
    Image1 = new QLabel(w);
    Image1->setGeometry(680, 450, 120, 105);
    Image1->setPixmap(DecorativePicture(1, Image1->size()));
    Image2 = new QLabel(w);
    Image2->setGeometry(680, 566, 120, 105);
    Image2->setPixmap(DecorativePicture(2, Image2->size()));
}

void Tfrm_perfmain::VerbindeHandler() {
    auto onChecked = [this](QRadioButton* b, void (Tfrm_perfmain::*handler)()) {
        connect(b, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                Handler([this, handler] { (this->*handler)(); });
        });
    };
    auto onModified = [this](TEditFloat* f, void (Tfrm_perfmain::*handler)()) {
        connect(f, &TCustomUserEdit::OnModified, this,
                [this, handler] { Handler([this, handler] { (this->*handler)(); }); });
    };

    onModified(edt_I_P_Eintrittsalter, &Tfrm_perfmain::SpeichernUndRechnen);
    onChecked(RB_maennlich, &Tfrm_perfmain::cmb_GeschlechtModified);
    onChecked(RB_weiblich, &Tfrm_perfmain::cmb_GeschlechtModified);
    connect(cmb_Geschlecht, &TEditCombo::OnModified, this,
            [this] { Handler([this] { cmb_GeschlechtModified(); }); });
    for (QRadioButton* b :
         {RB_Depot_F, RB_Depot_F_Ausz, RB_T1, RB_Depot_S, RB_Depot_S_Ausz, RB_Depot_W,
          RB_Depot_W_Ausz, RB_95, RB_Depot_Z, RB_Depot_Z_Ausz, RB_ewig})
        onChecked(b, &Tfrm_perfmain::RB_T1Click);
    onChecked(RB_individuell, &Tfrm_perfmain::RB_individuellClick);
    for (QRadioButton* b :
         {RB_Aufbauplan, RB_Einmalanlage, RB_SystemEinmalanlage, RB_12, RB_24, RB_36})
        onChecked(b, &Tfrm_perfmain::RB_AufbauplanClick);
    onChecked(RB_einmalig, &Tfrm_perfmain::RB_einmaligClick);
    onChecked(RB_verteilt, &Tfrm_perfmain::RB_verteiltClick);
    onModified(edt_Anlagebetrag, &Tfrm_perfmain::edt_AnlagebetragModified);
    for (TEditFloat* f : {edt_Laufzeit, edt_AuszBeginn, edt_Monatsrente, edt_Rentenkapital})
        onModified(f, &Tfrm_perfmain::edt_LaufzeitModified);
    onModified(edt_Einzahlungsdauer, &Tfrm_perfmain::edt_EinzahlungsdauerModified);
    connect(edt_Einzahlungsdauer, &TCustomUserEdit::OnEnter, this,
            [this] { Handler([this] { edt_EinzahlungsdauerModified(); }); });
    onModified(edt_AuszEnde, &Tfrm_perfmain::SpeichernUndRechnen);
    connect(cb_Dynamik, &TEditCheck::OnClick, this,
            [this] { Handler([this] { cb_DynamikClick(); }); });
    connect(CB_Kapital_aus_Einz, &TEditCheck::OnClick, this,
            [this] { Handler([this] { CB_Kapital_aus_EinzClick(); }); });
    for (QRadioButton* b : {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3})
        onChecked(b, &Tfrm_perfmain::SpeichernUndRechnen);
    for (QRadioButton* b : {RB_Grafik_Einz, RB_Grafik_Ausz, RB_Grafik_1, RB_Grafik_2, RB_Grafik_3})
        onChecked(b, &Tfrm_perfmain::SpeichernUndRechnen);
    connect(ExplorerButton1, &TExplorerButton::OnClick, this,
            [this] { Handler([this] { ExplorerButton1Click(); }); });
    connect(ExplorerButton3, &TExplorerButton::OnClick, this,
            [this] { Handler([this] { ExplorerButton3Click(); }); });
    connect(btn_Ergebnis, &TExplorerButton::OnClick, this,
            [this] { Handler([this] { btn_ErgebnisClick(); }); });
    for (TExplorerButton* b : {ExplorerButton1, btn_Ergebnis, ExplorerButton3, btn_FRV_Vergleich})
        connect(b, &TExplorerButton::OnSetFocus, b, [b] { b->SetFocusPenColor(b->FontColor()); });
    connect(SPB_Chart, &QToolButton::clicked, this, [this] { SPB_ChartClick(); });
    connect(URLLabel1, &TURLLabel::clicked, this, [this] { URLLabel1Click(); });
    connect(URLLabel2, &TURLLabel::clicked, this, [this] { URLLabel2Click(); });
    connect(URLLabel3, &TURLLabel::clicked, this, [this] { URLLabel3Click(); });
    for (TURLLabel* link : {URLLabel1, URLLabel2, URLLabel3})
        connect(link, &TURLLabel::mouseMoved, this, [this] { URLLabel1MouseMove(); });
    // Moves over the window's own surface reach FormMouseMove.
    setMouseTracking(true);
    connect(SPB_Preview, &QToolButton::clicked, this, [this] { SPB_PreviewClick(); });
}

// ---------------------------------------------------------------------------
// Handler nesting

void Tfrm_perfmain::Handler(const std::function<void()>& body) {
    struct Tiefe {
        int& t;
        explicit Tiefe(int& v) : t(v) { ++t; }
        ~Tiefe() { --t; }
    };
    if (FTiefe > 0) {
        Tiefe nested(FTiefe);
        body();
        return;
    }
    FSpeichernOffen = FRechnenOffen = false;
    Tiefe outer(FTiefe);
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
    Handler([this] { FormActivate(); });
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
    if (FEinst) {
        for (TEditFloat* f : {FEinst->edt_Agio_Satz, FEinst->edt_Zins_SystemEinmalanlage,
                              FEinst->edt_Agio_Ratenzuschlag, FEinst->edt_Managementfee})
            SetzeFormat(f, 2, QStringLiteral(" %"));
        SetzeFormat(FEinst->edt_Depotgebuehr, 2, QStringLiteral(" €"));
    }
    if (FProvPar)
        for (TEditFloat* f : {FProvPar->edt_AP_Provisionssatz, FProvPar->edt_AP_Provisionssatz_FRV})
            SetzeFormat(f, 2, QStringLiteral(" %"));
    if (FProvision)
        for (TEditFloat* f :
             {FProvision->edt_AP, FProvision->edt_BP, FProvision->edt_Summe_VM47,
              FProvision->edt_BP_FRV, FProvision->edt_AP_FRV, FProvision->edt_Summe_FRV})
            SetzeFormat(f, 2, QStringLiteral(" €"));
}

void Tfrm_perfmain::FormActivate() {
    // 1. Colours.
    Chart4->Chart()->legend()->setBrush(palette().window());
    for (TExplorerButton* b : {ExplorerButton1, btn_Ergebnis, ExplorerButton3})
        ApplyHouseButtonColors(*b);
    if (FDruckPar)
        ApplyHouseButtonColors(*FDruckPar->btn_OK);
    // 2. Number formats.
    Zahlenformate();
    // 3. Choice lists.
    cmb_Geschlecht->AssignItemRefList(FComboRefList->GetList(QStringLiteral("GESCHLECHT")));
    if (FProvPar) {
        FProvPar->cmb_BP_Satz->AssignItemRefList(FComboRefList->GetList(QStringLiteral("BP-SATZ")));
        FProvPar->cmb_BP_Performance->AssignItemRefList(
            FComboRefList->GetList(QStringLiteral("BP-PERFORMANCE")));
    }
    // 4. Load; a failure ends the activation here.
    LoadData();
    // 5. Commission scenario texts.
    BPPerformanceTexte();
    // 6. Captions.
    const QString v = RecordText(FCalc->Rec.Version);
    setWindowTitle(v);
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
    if (FEinst) {
        FEinst->edt_Agio_Ratenzuschlag->hide();
        FEinst->lbl_Agio_Ratenzuschlag->hide();
    }
    // 12. The frame's show step would move the focus on by one field after
    // this; the surname field is where the adviser starts.
    CancelFocusMoveAfterShow();
    edt_I_P_Nachname->setFocus();
}

// ---------------------------------------------------------------------------
// Loading

void Tfrm_perfmain::LoadData() {
    // Every load closes the lock: also a reload that fails, and one whose
    // recalculation below fails on a damaged file (the stored level means
    // nothing).
    try {
        LoadPlanRecord(FCalc->Rec, DatenDatei().toStdString());
    } catch (...) {
        FCalc->Rec.Zugriffsstufe = 0;
        FFRV_verfuegbar = false;
        Zugriffsabhaengiges();
        throw;
    }
    FCalc->Rec.Zugriffsstufe = 0;
    {
        // While the inputs are set their handlers change nothing in the record.
        struct Laden {
            bool& f;
            explicit Laden(bool& v) : f(v) { f = true; }
            ~Laden() { f = false; }
        } laden(FLaedt);
        RecordToMainWindow();
        RecordToDialogs();
        btn_Ergebnis->setEnabled(true);
        AnlageartRegeln();
    }
    FGeladen = true;
    Neuberechnung();
    FCalc->Rec.Zugriffsstufe = 0;
    Zugriffsanzeige();
}

void Tfrm_perfmain::RecordToMainWindow() {
    TPlanRecord& r = FCalc->Rec;
    edt_I_P_Nachname->SetValue(RecordText(r.Nachname));
    edt_I_P_Vorname->SetValue(RecordText(r.Vorname));
    edt_I_P_Eintrittsalter->SetValue(r.Eintrittsalter);
    edt_Zuzahlung_Betrag_1->SetValue(r.Zuzahlung_Betrag_1);
    edt_Zuzahlung_Monat_1->SetValue(r.Zuzahlung_Monat_1);
    edt_Zuzahlung_Betrag_2->SetValue(r.Zuzahlung_Betrag_2);
    edt_Zuzahlung_Monat_2->SetValue(r.Zuzahlung_Monat_2);
    edt_Laufzeit->SetValue(r.Laufzeit);
    LaufzeitRegeln();
    cb_Dynamik->SetChecked(DynamikChecked(r.Dynamik));
    edt_Dynamik->SetValue(r.Dynamik);
    GR_Rentengarantie->SetValue(r.Rentengarantie);
    GR_Geschlecht->SetValue(r.Geschlecht);
    cmb_Geschlecht->SetValue(r.Geschlecht);
    GR_Anlagestrategie->SetValue(r.Anlagestrategie);
    GR_Anlagestrategie_Entnahme->SetValue(r.Anlagestrategie_Entnahme);
    edt_AuszBeginn->SetValue(r.AuszBeginn);
    edt_AuszEnde->SetValue(r.AuszEnde);
    GR_AuszEndeArt->SetValue(r.AuszEndeArt);
    SetzeAnlageart(r.Anlageart);
    GR_Uebertragung->SetValue(r.Uebertragungsmonate);
    edt_Anlagebetrag->SetValue(r.Anlageart == KindAufbauplan ? r.Sparbetrag
                               : r.Anlageart == KindEinmalanlage ||
                                       r.Anlageart == KindSystemEinmalanlage
                                   ? r.Anlagebetrag
                                   : edt_Anlagebetrag->ValueAt(viValue));
    edt_Einzahlungsdauer->SetValue(r.Einzahlungsdauer);
    edt_Rentenkapital->SetValue(r.Rentenkapital);
    edt_Monatsrente->SetValue(r.Monatsrente);
    GR_Kapital->SetValue(r.Kapital_Szenario);
    CB_Kapital_aus_Einz->SetChecked(r.Kapital_aus_Einzahlung != 0);
    KapitalquelleRegeln();
    Entnahmedauer();
    GR_GrafikSzenario->SetValue(r.Grafik_Szenario);
    // Any other stored value leaves both phase buttons unchecked; the display
    // step reads the stored value itself.
    GR_GrafikPhase->SetValue(r.Grafik_Phase);
    ZahlungsartRegeln(r.Anlageart);
    if (r.Ansicht == 1)
        SPB_ChartClick();
    else if (r.Ansicht == 2)
        SPB_PreviewClick();
}

void Tfrm_perfmain::RecordToDialogs() {
    TPlanRecord& r = FCalc->Rec;
    if (FDruckPar) // rows 10 and 29
        FDruckPar->LoadFromRecord(r);
    if (FEinst) {
        FEinst->edt_Agio_Satz->SetValue(r.Agio_Satz);
        FEinst->edt_Zins_SystemEinmalanlage->SetValue(r.Zins_SystemEinmalanlage);
        FEinst->edt_Agio_Ratenzuschlag->SetValue(r.Agio_Ratenzuschlag);
        for (int i = 1; i <= 4; ++i)
            FEinst->Performance(i)->setCurrentText(Utf8(ScenarioChoiceText(r.Performance[i])));
    }
    if (FProvPar) // rows 13, 14 and 17
        FProvPar->LadeAusRecord(r);
    if (FEinst) {
        FEinst->edt_Managementfee->SetValue(r.ManagementFee);
        FEinst->edt_Depotgebuehr->SetValue(r.Depotgebuehr);
        FEinst->Ec_ManagementFee->SetChecked(r.MitManagementFee != 0);
        FEinst->Ec_Debotgebuehr->SetChecked(r.MitDepotgebuehr != 0);
        FEinst->Ec_Einrichtungsgebuehr->SetChecked(r.MitEinrichtungsgebuehr != 0);
        FEinst->SetAgioMonate(r.AgioMonate);
        FEinst->edt_Berater->SetValue(RecordText(r.Berater));
        FEinst->edt_Firma->SetValue(RecordText(r.Firma));
        FEinst->edt_Anschrift->SetValue(RecordText(r.Anschrift));
        FEinst->edt_Strasse->SetValue(RecordText(r.Strasse));
        FEinst->edt_Telefon->SetValue(RecordText(r.Telefon));
    }
    ZahlungsartRegeln(r.Anlageart);
}

// ---------------------------------------------------------------------------
// Saving

void Tfrm_perfmain::SaveDataNow() {
    TPlanRecord& r = FCalc->Rec;
    SetRecordText(r.Nachname, edt_I_P_Nachname->Value());        // 1
    SetRecordText(r.Vorname, edt_I_P_Vorname->Value());          // 2
    r.Eintrittsalter = Trunc(edt_I_P_Eintrittsalter->Value());   // 3
    r.Zuzahlung_Betrag_1 = edt_Zuzahlung_Betrag_1->Value();      // 4
    r.Zuzahlung_Monat_1 = Trunc(edt_Zuzahlung_Monat_1->Value()); // 5
    r.Zuzahlung_Betrag_2 = edt_Zuzahlung_Betrag_2->Value();      // 6
    r.Zuzahlung_Monat_2 = Trunc(edt_Zuzahlung_Monat_2->Value()); // 7
    r.Laufzeit = Trunc(edt_Laufzeit->Value());                   // 8
    r.Dynamik = DynamikFromCheck(cb_Dynamik->Checked());         // 9
    // 10 and 29: the print options' boxes in one go. The FRV boxes are set
    // by code only, so taking them here instead of after row 28 stores the same.
    if (FDruckPar)
        FDruckPar->SaveToRecord(r);
    if (FEinst) {
        r.Agio_Satz = FEinst->edt_Agio_Satz->Value(); // 11
        r.Zins_SystemEinmalanlage = FEinst->edt_Zins_SystemEinmalanlage->Value();
        r.Agio_Ratenzuschlag = FEinst->edt_Agio_Ratenzuschlag->Value();
        for (int i = 1; i <= 4; ++i) // 12
            r.Performance[i] =
                ScenarioRateFromChoice(FEinst->Performance(i)->currentText().toStdString());
    }
    // 13, 14 and 17: the commission settings in one go; row 15 does not
    // depend on them.
    if (FProvPar)
        FProvPar->SpeichereInRecord(r);
    r.Rentengarantie = GR_Rentengarantie->Value(1);    // 15
    r.BP_Provisionssatz = BPProvisionssatz(r.BP_Satz); // 16
    if (FEinst)                                        // 18
        r.AgioZahlungsart = AgioZahlungsartFromSettings(FEinst->RB_einmalig->isChecked(),
                                                        FEinst->RB_verteilt->isChecked());
    r.Geschlecht = GR_Geschlecht->Value(r.Geschlecht);                  // 19
    r.Anlagestrategie = GR_Anlagestrategie->Value(1);                   // 20
    r.Anlagestrategie_Entnahme = GR_Anlagestrategie_Entnahme->Value(1); // 21
    if (FEinst) {                                                       // 22
        r.ManagementFee = FEinst->edt_Managementfee->Value();
        r.Depotgebuehr = FEinst->edt_Depotgebuehr->Value();
        r.MitManagementFee = FEinst->Ec_ManagementFee->Checked();
        r.MitDepotgebuehr = FEinst->Ec_Debotgebuehr->Checked();
        r.MitEinrichtungsgebuehr = FEinst->Ec_Einrichtungsgebuehr->Checked();
    }
    BPPerformanceTexte();
    r.Berichtstitel.assign(BerichtstitelCp1252(r.Anlagestrategie)); // 23
    if (FEinst) {                                                   // 24
        SetRecordText(r.Berater, FEinst->edt_Berater->Value());
        SetRecordText(r.Firma, FEinst->edt_Firma->Value());
        SetRecordText(r.Anschrift, FEinst->edt_Anschrift->Value());
        SetRecordText(r.Strasse, FEinst->edt_Strasse->Value());
        SetRecordText(r.Telefon, FEinst->edt_Telefon->Value());
    }
    r.AuszBeginn = Trunc(edt_AuszBeginn->Value()); // 25
    r.AuszEnde = Trunc(edt_AuszEnde->Value());
    r.AuszEndeArt = GR_AuszEndeArt->Value(4);          // 26
    r.Anlageart = LiesAnlageart();                     // 27
    r.Uebertragungsmonate = GR_Uebertragung->Value(0); // 28
    // 29: with row 10.
    if (r.Anlageart == KindAufbauplan) // 30
        r.Sparbetrag = edt_Anlagebetrag->Value();
    else if (r.Anlageart == KindEinmalanlage || r.Anlageart == KindSystemEinmalanlage)
        r.Anlagebetrag = edt_Anlagebetrag->Value();
    r.Einzahlungsdauer = Trunc(edt_Einzahlungsdauer->Value()); // 31
    r.Rentenkapital = edt_Rentenkapital->Value();              // 32
    r.Monatsrente = edt_Monatsrente->Value();
    r.Kapital_Szenario = GR_Kapital->Value(3);
    r.Kapital_aus_Einzahlung = CB_Kapital_aus_Einz->Checked();
    Entnahmedauer();                                 // 33
    r.Grafik_Szenario = GR_GrafikSzenario->Value(0); // 34
    r.Grafik_Phase = RB_Grafik_Ausz->isChecked() ? 2 : 1;
    ZahlungsartRegeln(r.Anlageart); // 35
    // The file is written once per change, before the recalculation (or at the
    // end of the handler): several saves of one handler cost one write.
    FSchreibenOffen = true;
    ScenarioCaptionsRefresh();
}

void Tfrm_perfmain::Entnahmedauer() {
    TPlanRecord& r = FCalc->Rec;
    const TEntnahmedauer d = orvanta::Entnahmedauer(r, *FSterbetafel);
    r.AuszDauer = d.Jahre;
    if (d.AufIndividuellGesetzt) {
        edt_AuszEnde->SetValue(r.AuszEnde);
        RB_individuell->setChecked(true);
    }
}

void Tfrm_perfmain::ScenarioCaptionsRefresh() {
    const TPlanRecord& r = FCalc->Rec;
    if (FProvPar)
        FProvPar->SetSzenarioCaptions(r.Performance);
    QRadioButton* kapital[3] = {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3};
    QRadioButton* grafik[3] = {RB_Grafik_1, RB_Grafik_2, RB_Grafik_3};
    for (int i = 0; i < 3; ++i) {
        const QString caption = Utf8(ScenarioCaption(r.Performance[i + 2]));
        kapital[i]->setText(caption);
        grafik[i]->setText(caption);
        lbl_Prozent[i + 1]->setText(caption);
    }
}

void Tfrm_perfmain::BPPerformanceTexte() {
    TItemRefList* list = FComboRefList->GetList(QStringLiteral("BP-PERFORMANCE"));
    if (!list)
        return;
    for (int i = 0; i < 4 && i < list->Count(); ++i)
        list->SetItem(i, Utf8(BPPerformanceText(FCalc->Rec.Performance[i + 1])));
}

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
    if (FEinst) {
        FEinst->edt_Agio_Ratenzuschlag->setVisible(hoch);
        FEinst->lbl_Agio_Ratenzuschlag->setVisible(hoch);
    }
    if (FProvision)
        FProvision->SetZugriffsstufe(stufe);
}

// ---------------------------------------------------------------------------
// Access keys

bool Tfrm_perfmain::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    return PerfDlgKeyDown(key, shift) || TbrixDialog::FormKeyDown(key, shift, sender);
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
    struct Vergleich {
        reports::TReportSet& set;
        explicit Vergleich(reports::TReportSet& s) : set(s) { set.Vergleichsdruck = true; }
        ~Vergleich() { set.Vergleichsdruck = false; }
    } vergleich(*FBerichte);
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

// ---------------------------------------------------------------------------
// Links

void Tfrm_perfmain::URLLabel1MouseMove() {
    setCursor(Qt::PointingHandCursor);
}

void Tfrm_perfmain::FormMouseMove() {
    unsetCursor();
}

void Tfrm_perfmain::mouseMoveEvent(QMouseEvent* event) {
    // Only the free surface: a control with mouse tracking that passed the
    // move on is no part of it.
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    TbrixDialog::mouseMoveEvent(event);
}

void Tfrm_perfmain::URLLabel1Click() {
    // A strategy outside 1..4 (only from the data file) is a range error and
    // opens nothing.
    Oeffnen(LinkZiel(FCalc->Rec, 1));
}

void Tfrm_perfmain::URLLabel2Click() {
    Oeffnen(LinkZiel(FCalc->Rec, 2));
}

void Tfrm_perfmain::URLLabel3Click() {
    Oeffnen(LinkZiel(FCalc->Rec, 3));
}

// ---------------------------------------------------------------------------
// Recalculation and display

void Tfrm_perfmain::Uebernahme() {
    if (UebernehmeRentenkapital(FCalc->Rec))
        edt_Rentenkapital->SetValue(FCalc->Rec.Rentenkapital);
}

void Tfrm_perfmain::NeuberechnungNow() {
    TPlanRecord& r = FCalc->Rec;
    Schreiben();    // the saved inputs reach the file first
    Uebernahme();   // 1
    if (FProvision) // 2 and 3: grid rows and columns, the note
        FProvision->RasterVorbereiten(r);
    FCalc->BerechneAufbauphase();   // 4
    Uebernahme();                   // 5
    FCalc->BerechneEntnahmephase(); // 6
    Anzeigen();                     // 7
}

void Tfrm_perfmain::Anzeigen() {
    TPlanRecord& r = FCalc->Rec;
    // FRV comparison values, looked up in the working directory.
    FFRV_verfuegbar = false;
    if (FRVLookupApplies(r)) {
        const bool gefunden =
            LadeFRVFuerPlan(r, FCalc->Aufbautabelle, QDir::currentPath().toStdString());
        FFRV_verfuegbar = gefunden && r.Zugriffsstufe >= 3;
    }

    if (const auto chart = ChartData(*FCalc, FFRV_verfuegbar)) {
        Chart4->Anzeigen(*chart);
        RB_T1->setText(Utf8(LebenserwartungCaption(
            r.Eintrittsalter, FSterbetafel->Lebenserwartung(r.Eintrittsalter, r.Geschlecht))));
        if (RaiseAuszBeginn(r)) {
            edt_AuszBeginn->SetValue(r.AuszBeginn);
            // Only for the fall-back to "individuell"; the duration is stored
            // with the next save.
            const std::int32_t dauer = r.AuszDauer;
            Entnahmedauer();
            r.AuszDauer = dauer;
        }
    }

    lbl_Wertentw->setText(Utf8(WertentwicklungCaption(r.Monatsrente, r.Rentenkapital)));
    lbl_Entnahme->setText(Utf8(EntnahmeCaption(r.Rentenkapital)));
    lbl_Kapital->setText(Utf8(KapitalCaption(r.Monatsrente)));

    const TPreviewValues v = PreviewValues(*FCalc);
    Edt_Entnahme[0]->SetValue(v.Monatsrente);
    for (int k = 1; k < 4; ++k)
        Edt_Entnahme[k]->SetValue(Edt_Entnahme[0]->ValueAt(viValue));

    const bool sichtbar = PreviewWithdrawalRowsVisible(r.AuszEndeArt);
    edt_Ausz[0]->setVisible(sichtbar);
    edt_Kapital[0]->setVisible(sichtbar);
    lbl_Prozent[0]->setVisible(sichtbar);
    for (QLabel* l : {lbl_Entnahme2, lbl_Gesamt, lbl_EntnahmeSumme, lbl_RestKapital})
        l->setVisible(sichtbar);
    // The shading of rows 5 and 7 goes with them.
    FBaender[2]->setVisible(sichtbar);
    FBaender[3]->setVisible(sichtbar);
    for (int k = 0; k < 4; ++k)
        for (TEditFloat* f : {Edt_Entnahme[k], edt_RestK[k], edt_SumEntn[k], edt_Gesamt[k]})
            f->setVisible(sichtbar);

    edt_Summe_Monatsbeitraege->SetValue(v.Anlagesumme);
    for (int k = 0; k < 4; ++k) {
        edt_Ausz[k]->SetValue(v.Ausz[k]);
        edt_Kapital[k]->SetValue(v.Kapital[k]);
    }
    edt_Wertentw->SetValue(v.Wertentwicklung);
    for (int k = 0; k < 4; ++k) {
        edt_RestK[k]->SetValue(v.Anfangskapital[k]);
        edt_SumEntn[k]->SetValue(v.SummeEntnahmen[k]);
        edt_Gesamt[k]->SetValue(v.Restkapital[k]);
    }
}

// ---------------------------------------------------------------------------
// Rules

int Tfrm_perfmain::LiesAnlageart() {
    const int kind = GR_Anlageart->Value(1);
    edt_Laufzeit->SetValueMin(LaufzeitMinimum(kind));
    return kind;
}

void Tfrm_perfmain::SetzeAnlageart(int kind) {
    GR_Anlageart->SetValue(kind);
    cb_Dynamik->setEnabled(RB_Aufbauplan->isChecked());
    lbl_Dynamik->setEnabled(cb_Dynamik->Checked() && cb_Dynamik->isEnabled());
    const double minimum = LaufzeitMinimum(kind);
    edt_Laufzeit->SetValueMin(minimum);
    if (edt_Laufzeit->ValueAt(viValue) < minimum) {
        edt_Laufzeit->SetValue(minimum);
        edt_LaufzeitModified();
    }
}

void Tfrm_perfmain::AnlageartRegeln() {
    const TAnlageartState s = orvanta::AnlageartRegeln(LiesAnlageart());
    LB_Anlagebetrag->SetCaption(QString::fromUtf8(s.BetragCaption));
    for (QRadioButton* b : {RB_12, RB_24, RB_36})
        b->setEnabled(s.UebertragungEnabled);
    edt_Einzahlungsdauer->setEnabled(s.EinzahlungsdauerEnabled);
}

void Tfrm_perfmain::ZahlungsartRegeln(int kind) {
    const TZahlungsartState s = orvanta::ZahlungsartRegeln(FCalc->Rec, kind);
    RB_verteilt->setEnabled(s.VerteiltEnabled);
    if (FEinst)
        FEinst->RB_verteilt->setEnabled(s.VerteiltEnabled);
    for (QWidget* c : std::initializer_list<QWidget*>{lbl_Zahlung, RB_einmalig, RB_verteilt})
        c->setVisible(s.ZahlungVisible);
    for (QWidget* c :
         std::initializer_list<QWidget*>{lbl_Uebertragungsdauer, RB_12, RB_24, RB_36, lbl_Monate})
        c->setVisible(s.UebertragungVisible);
    const int zahlungsart = s.EinmaligChecked ? 1 : s.VerteiltChecked ? 2 : 0;
    GR_Zahlung->SetValue(zahlungsart);
    if (FEinst) {
        if (zahlungsart == 1)
            FEinst->RB_einmalig->setChecked(true);
        else if (zahlungsart == 2)
            FEinst->RB_verteilt->setChecked(true);
        else
            KeinerGewaehlt({FEinst->RB_einmalig, FEinst->RB_verteilt});
    }
}

void Tfrm_perfmain::LaufzeitRegeln() {
    TPlanRecord& r = FCalc->Rec;
    edt_Laufzeit->SetValueMin(LaufzeitMinimum(r.Anlageart));           // 1
    edt_Laufzeit->SetValue(r.Laufzeit);                                // 2
    if (edt_Laufzeit->ValueMin() > edt_Anlagebetrag->ValueAt(viValue)) // 3
        edt_Anlagebetrag->SetValue(edt_Laufzeit->ValueMin());
    const bool ohneJahre = edt_Laufzeit->ValueAt(viValue) == 0;
    if (ohneJahre) { // 4
        r.Grafik_Phase = 2;
        RB_Grafik_Ausz->setChecked(true);
        r.Dynamik = 0;
        edt_Dynamik->SetValue(0);
        cb_Dynamik->SetChecked(false);
    }
    RB_Grafik_Einz->setEnabled(!ohneJahre); // 5
    cb_Dynamik->setEnabled(!ohneJahre);
}

void Tfrm_perfmain::KapitalquelleRegeln() {
    const bool ausEinzahlung = CB_Kapital_aus_Einz->Checked();
    edt_Rentenkapital->setEnabled(!ausEinzahlung);
    for (QRadioButton* b : {RB_Kapital_1, RB_Kapital_2, RB_Kapital_3})
        b->setEnabled(ausEinzahlung);
}

// ---------------------------------------------------------------------------
// Handlers

void Tfrm_perfmain::SpeichernUndRechnen() {
    SaveData();
    Neuberechnung();
}

void Tfrm_perfmain::cmb_GeschlechtModified() {
    if (!FGeladen || FLaedt)
        return;
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_T1Click() {
    edt_AuszEnde->setEnabled(RB_individuell->isChecked());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_individuellClick() {
    edt_AuszEnde->setEnabled(RB_individuell->isChecked());
    if (RB_individuell->isChecked()) {
        const auto ende = IndividuellEndAge(Trunc(edt_AuszBeginn->Value()), FCalc->Rec.AuszEnde);
        if (ende)
            edt_AuszEnde->SetValue(*ende);
    }
    SpeichernUndRechnen();
}

void Tfrm_perfmain::edt_LaufzeitModified() {
    TPlanRecord& r = FCalc->Rec;
    SaveData();                                    // 1
    if (FGeladen && !FLaedt && RaiseAuszBeginn(r)) // 2
        edt_AuszBeginn->SetValue(r.AuszBeginn);
    if (r.AuszEndeArt == EndeIndividuell) { // 3
        const auto ende = IndividuellEndAge(Trunc(edt_AuszBeginn->Value()), r.AuszEnde);
        if (ende)
            edt_AuszEnde->SetValue(*ende);
    }
    SaveData();       // 4
    LaufzeitRegeln(); // 5
    Neuberechnung();  // 6
}

void Tfrm_perfmain::edt_EinzahlungsdauerModified() {
    SaveData();
    if (!FGeladen || FLaedt)
        return;
    TPlanRecord& r = FCalc->Rec;
    const std::int32_t begrenzt = ClampEinzahlungsdauer(r.Einzahlungsdauer, r.Laufzeit);
    if (begrenzt != r.Einzahlungsdauer) {
        edt_Einzahlungsdauer->SetValue(begrenzt);
        SaveData();
    }
    Neuberechnung();
}

void Tfrm_perfmain::edt_AnlagebetragModified() {
    if (edt_Anlagebetrag->Value() < edt_Anlagebetrag->ValueMin())
        edt_Anlagebetrag->SetValue(edt_Anlagebetrag->ValueMin());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::RB_AufbauplanClick() {
    if (!FGeladen || FLaedt) // 1
        return;
    AnlageartRegeln(); // 2
    TPlanRecord& r = FCalc->Rec;
    const int alt = r.Anlageart; // 3
    const int neu = LiesAnlageart();
    const TAmountField f =
        ParkAmount(r, alt, neu, {edt_Anlagebetrag->Value(), edt_Anlagebetrag->ValueMin()});
    edt_Anlagebetrag->SetValue(f.Shown);
    edt_Anlagebetrag->SetValueMin(f.ValueMin);             // 4 included
    ZahlungsartRegeln(neu);                                // 5
    SaveData();                                            // 6
    cb_Dynamik->setEnabled(r.Anlageart == KindAufbauplan); // 7
    lbl_Dynamik->setEnabled(cb_Dynamik->Checked() && cb_Dynamik->isEnabled());
    Neuberechnung(); // 8
}

void Tfrm_perfmain::RB_einmaligClick() {
    FCalc->Rec.AgioZahlungsart = 1;
    if (FEinst)
        FEinst->RB_einmalig->setChecked(true);
    Neuberechnung();
}

void Tfrm_perfmain::RB_verteiltClick() {
    FCalc->Rec.AgioZahlungsart = 2;
    if (FEinst)
        FEinst->RB_verteilt->setChecked(true);
    Neuberechnung();
}

void Tfrm_perfmain::cb_DynamikClick() {
    lbl_Dynamik->setEnabled(cb_Dynamik->Checked() && cb_Dynamik->isEnabled());
    SpeichernUndRechnen();
}

void Tfrm_perfmain::CB_Kapital_aus_EinzClick() {
    SpeichernUndRechnen();
    KapitalquelleRegeln();
}

void Tfrm_perfmain::ExplorerButton1Click() {
    SaveData();
    close();
}

void Tfrm_perfmain::ExplorerButton3Click() {
    if (!FEinst)
        return;
    FEinst->move(pos() + QPoint(30, 30));
    FEinst->SetAgioMonate(FCalc->Rec.AgioMonate);
    FEinst->SetAnlageart(FCalc->Rec.Anlageart);
    const int ergebnis = FEinst->ShowModal();
    if (ergebnis == mrCancel) {
        struct Laden {
            bool& f;
            explicit Laden(bool& v) : f(v) { f = true; }
            ~Laden() { f = false; }
        } laden(FLaedt);
        RecordToDialogs();
    }
    SaveData();
    Neuberechnung();
    ExplorerButton3->setFocus();
}

void Tfrm_perfmain::btn_ErgebnisClick() {
    if (FDruckPar)
        FDruckPar->Oeffnen(this);
}

void Tfrm_perfmain::DruckVorschau() {
    if (!FBerichte)
        return;
    FBerichte->FRV_verfuegbar = FFRV_verfuegbar;
    // Modal over the print options, which stay open behind it; an empty set
    // shows nothing.
    reports::ShowReportPreview(*FBerichte, FDruckPar ? static_cast<QWidget*>(FDruckPar) : this);
}

void Tfrm_perfmain::SPB_PreviewClick() {
    pn_Tabelle->setVisible(true);
    pn_Chart->setVisible(false);
    lbl_Vorschau->setVisible(true);
    FCalc->Rec.Ansicht = 2;
}

void Tfrm_perfmain::SPB_ChartClick() {
    pn_Tabelle->setVisible(false);
    pn_Chart->setVisible(true);
    lbl_Vorschau->setVisible(false);
    FCalc->Rec.Ansicht = 1;
}

} // namespace orvanta
