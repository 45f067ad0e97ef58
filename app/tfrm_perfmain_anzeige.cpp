#include "app/tfrm_perfmain_anzeige.h"

#include "app/displaydata.h"
#include "app/previewfit.h"
#include "app/resultchart.h"
#include "controls/housestyle.h"
#include "controls/radiogroup.h"
#include "controls/teditfloat.h"
#include "core/wertentwicklung.h"
#include "dialogs/recordfelder.h"
#include "dialogs/windowstyle.h"

#include <QChart>
#include <QFrame>
#include <QLabel>
#include <QLegend>
#include <QRadioButton>

namespace orvanta {

namespace {

// The area is as wide as both panels; the table lies below the heading that
// stands in the chart's header row.
constexpr int Breite = 657;
constexpr int Hoehe = 275;
constexpr int KopfHoehe = 24;

// Preview columns 1..4, side by side up to 3 pixels before the panel's right
// edge; the labels take the rest. Rows 1 and 2 have one field under columns
// 3 and 4. The columns widen for figures that need more (TabelleAnordnen).
constexpr int SpalteB = 94;
constexpr int SpalteX[TErgebnisAnzeige::Spalten] = {279, 279 + SpalteB, 279 + 2 * SpalteB,
                                                    279 + 3 * SpalteB};
constexpr int LabelX = 6;
constexpr int LabelB = SpalteX[0] - LabelX - 2;
// Right edge of the value columns.
constexpr int Rechts = SpalteX[0] + TErgebnisAnzeige::Spalten * SpalteB;
// What a caption with its amount needs to stay within two lines.
constexpr int MindestTextbreite = 200;

QLabel* VorschauText(QWidget* parent, const QString& caption, int x, int y, int w,
                     bool bold = false) {
    return Textzeile(parent, caption, x, y, w, bold, VorschauPx);
}

// A row caption: a caption too long for one line goes on in a second one at
// the same size, and its row grows (TabelleAnordnen).
QLabel* Zeilentext(QWidget* parent, const QString& caption) {
    QLabel* l = VorschauText(parent, caption, LabelX, 0, LabelB);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
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

const QString MusterBetrag = QStringLiteral("##,##0.00 € ");

// The object name of a cell of column k (0..3): the column's number after
// the row's name.
template <typename T>
void BenenneSpalten(const std::array<T*, TErgebnisAnzeige::Spalten>& zellen, const char* name) {
    for (int k = 0; k < TErgebnisAnzeige::Spalten; ++k)
        zellen[k]->setObjectName(QString::fromLatin1(name) + QString::number(k + 1));
}

} // namespace

TErgebnisAnzeige::TErgebnisAnzeige(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pn_Ergebnis"));
    setGeometry(8, 398, Breite, Hoehe);
    // The preview table lets the mouse through to this area: moves over it
    // go on to the window (its cursor), a right click asks for the area's
    // context menu, as one over the chart does that the chart does not use.
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    BaueChart();
    BaueVorschau();
}

void TErgebnisAnzeige::BaueChart() {
    // Chart panel: created first, so that the table panel lies in front of it.
    pn_Chart = new QWidget(this);
    pn_Chart->setGeometry(0, 0, Breite, Hoehe);
    Textzeile(pn_Chart, QStringLiteral("Chart"), 4, 4, 50, true);
    RB_Grafik_Einz = Knopf(pn_Chart, QStringLiteral("Einzahlungsphase"), 60, 3, 135);
    RB_Grafik_Ausz = Knopf(pn_Chart, QStringLiteral("Entnahmephase"), 196, 3, 125);
    RB_Grafik_Einz->setEnabled(false);
    RB_Grafik_1 = Knopf(pn_Chart, QStringLiteral("3 %"), 360, 3, 70);
    RB_Grafik_2 = Knopf(pn_Chart, QStringLiteral("6 %"), 432, 3, 70);
    RB_Grafik_3 = Knopf(pn_Chart, QStringLiteral("9 %"), 504, 3, 70);
    Chart4 = new TResultChart(pn_Chart);
    Chart4->setGeometry(0, 26, Breite, 249);
    GR_GrafikPhase = new TRadioGroup({{RB_Grafik_Einz, 1}, {RB_Grafik_Ausz, 2}}, this);
    GR_GrafikSzenario =
        new TRadioGroup({{RB_Grafik_1, 2}, {RB_Grafik_2, 3}, {RB_Grafik_3, 4}}, this);
    for (QRadioButton* b : {RB_Grafik_Einz, RB_Grafik_Ausz, RB_Grafik_1, RB_Grafik_2, RB_Grafik_3})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                emit grafikGewaehlt();
        });
    for (auto [w, name] :
         std::initializer_list<std::pair<QWidget*, const char*>>{{pn_Chart, "pn_Chart"},
                                                                 {RB_Grafik_Einz, "RB_Grafik_Einz"},
                                                                 {RB_Grafik_Ausz, "RB_Grafik_Ausz"},
                                                                 {RB_Grafik_1, "RB_Grafik_1"},
                                                                 {RB_Grafik_2, "RB_Grafik_2"},
                                                                 {RB_Grafik_3, "RB_Grafik_3"},
                                                                 {Chart4, "Chart4"}})
        w->setObjectName(QString::fromLatin1(name));
}

void TErgebnisAnzeige::BaueVorschau() {
    lbl_Vorschau = Textzeile(this, QStringLiteral("Ergebnisvorschau"), 0, 0, Breite, true);
    // Covers the chart header while both panels are shown (no view chosen yet).
    lbl_Vorschau->setAutoFillBackground(true);
    lbl_Vorschau->setFixedHeight(KopfHoehe);
    lbl_Vorschau->setIndent(4);

    // Preview panel; it takes neither the mouse nor the focus.
    pn_Tabelle = new QWidget(this);
    pn_Tabelle->setGeometry(0, KopfHoehe, Breite, 249);
    pn_Tabelle->setAttribute(Qt::WA_TransparentForMouseEvents);
    pn_Tabelle->setAutoFillBackground(true); // in front of the chart panel
    // Shaded rows: 1, 3, 5, 7 (bands first, behind the fields).
    for (int i = 0; i < 4; ++i) {
        auto* f = new QFrame(pn_Tabelle);
        FBaender.push_back(f);
        f->setAutoFillBackground(true);
        QPalette p = f->palette();
        p.setColor(QPalette::Window, ShadedRowGrey());
        f->setPalette(p);
    }

    // Created in their rows' order; TabelleAnordnen places them.
    EditLabel22 =
        Zeilentext(pn_Tabelle, QStringLiteral("Summe der Monatsbeträge (Einzahlungsphase)"));
    edt_Summe_Monatsbeitraege = Anzeigefeld(pn_Tabelle, SpalteX[2], 0, 2 * SpalteB, MusterBetrag);
    lbl_Wertentw = Zeilentext(pn_Tabelle, QString());
    edt_Wertentw =
        Anzeigefeld(pn_Tabelle, SpalteX[2], 0, 2 * SpalteB, QStringLiteral("####0.00 % "));
    const QString heads[Spalten] = {QStringLiteral("0 %"), QStringLiteral("3 %"),
                                    QStringLiteral("6 %"), QStringLiteral("9 %")};
    for (int k = 0; k < Spalten; ++k) {
        lbl_Prozent[k] = VorschauText(pn_Tabelle, heads[k], SpalteX[k], 0, SpalteB - 4, true);
        lbl_Prozent[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    lbl_Entnahme = Zeilentext(pn_Tabelle, QString());
    lbl_Kapital = Zeilentext(pn_Tabelle, QString());
    lbl_Entnahme2 = Zeilentext(pn_Tabelle, QStringLiteral("Monatliche Entnahme"));
    lbl_Gesamt = Zeilentext(pn_Tabelle, QStringLiteral("Anfangskapital"));
    lbl_EntnahmeSumme = Zeilentext(pn_Tabelle, QStringLiteral("Summe der Entnahmen"));
    lbl_RestKapital =
        Zeilentext(pn_Tabelle, QStringLiteral("Restkapital am Ende der Entnahmephase"));
    for (int k = 0; k < Spalten; ++k) {
        edt_Ausz[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, MusterBetrag);
        edt_Kapital[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, MusterBetrag);
        Edt_Entnahme[k] =
            Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, QStringLiteral("####0.00 € "));
        edt_RestK[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, MusterBetrag);
        edt_SumEntn[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, MusterBetrag);
        edt_Gesamt[k] = Anzeigefeld(pn_Tabelle, SpalteX[k], 0, SpalteB, MusterBetrag);
    }

    for (auto [w, name] : std::initializer_list<std::pair<QWidget*, const char*>>{
             {lbl_Vorschau, "lbl_Vorschau"},
             {pn_Tabelle, "pn_Tabelle"},
             {EditLabel22, "EditLabel22"},
             {edt_Summe_Monatsbeitraege, "edt_Summe_Monatsbeitraege"},
             {lbl_Wertentw, "lbl_Wertentw"},
             {edt_Wertentw, "edt_Wertentw"},
             {lbl_Entnahme, "lbl_Entnahme"},
             {lbl_Kapital, "lbl_Kapital"},
             {lbl_Entnahme2, "lbl_Entnahme2"},
             {lbl_Gesamt, "lbl_Gesamt"},
             {lbl_EntnahmeSumme, "lbl_EntnahmeSumme"},
             {lbl_RestKapital, "lbl_RestKapital"}})
        w->setObjectName(QString::fromLatin1(name));
    BenenneSpalten(lbl_Prozent, "lbl_Prozent");
    BenenneSpalten(edt_Ausz, "edt_Ausz");
    BenenneSpalten(edt_Kapital, "edt_Kapital");
    BenenneSpalten(Edt_Entnahme, "Edt_Entnahme");
    BenenneSpalten(edt_RestK, "edt_RestK");
    BenenneSpalten(edt_SumEntn, "edt_SumEntn");
    BenenneSpalten(edt_Gesamt, "edt_Gesamt");

    for (TEditFloat* f : pn_Tabelle->findChildren<TEditFloat*>())
        connect(f, &QLineEdit::textChanged, this, [this] { TabelleAnordnen(); });
    TabelleAnordnen();
}

void TErgebnisAnzeige::TabelleAnordnen() {
    int breite = SpalteB;
    for (int k = 0; k < Spalten; ++k)
        for (TEditFloat* f : {edt_Ausz[k], edt_Kapital[k], Edt_Entnahme[k], edt_RestK[k],
                              edt_SumEntn[k], edt_Gesamt[k]})
            breite = std::max(breite, NeededWidth(*f));
    for (TEditFloat* f : {edt_Summe_Monatsbeitraege, edt_Wertentw})
        breite = std::max(breite, (NeededWidth(*f) + 1) / 2);
    // The captions take what the columns leave. Where that is too little for
    // two lines, the table takes the room of the pictures beside it as well,
    // up to the window's edge; the header's view buttons stay clear of the
    // wide fields of rows 1 and 2, which keep the designed right edge.
    const int zusatz =
        pn_Tabelle->isHidden()
            ? 0
            : std::clamp(MindestTextbreite - (Rechts - Spalten * breite - LabelX - 2), 0,
                         parentWidget() ? parentWidget()->width() - x() - Breite - 8 : 0);
    const bool erweitert = zusatz > 0;
    resize(Breite + zusatz, height());
    pn_Tabelle->resize(Breite + zusatz, pn_Tabelle->height());
    lbl_Vorschau->resize(Breite + zusatz, lbl_Vorschau->height());
    const int links = Rechts + zusatz - Spalten * breite;
    const int breitLinks = erweitert ? Rechts - 2 * breite : links + 2 * breite;
    if (erweitert != FErweitert) {
        FErweitert = erweitert;
        emit erweitertGeaendert(erweitert);
    }

    const std::array<QLabel*, 8> texte = {EditLabel22,       lbl_Wertentw,   lbl_Entnahme,
                                          lbl_Kapital,       lbl_Entnahme2,  lbl_Gesamt,
                                          lbl_EntnahmeSumme, lbl_RestKapital};
    std::array<std::vector<TEditFloat*>, 8> felder;
    felder[0] = {edt_Summe_Monatsbeitraege};
    felder[1] = {edt_Wertentw};
    for (int k = 0; k < Spalten; ++k) {
        felder[2].push_back(edt_Ausz[k]);
        felder[3].push_back(edt_Kapital[k]);
        felder[4].push_back(Edt_Entnahme[k]);
        felder[5].push_back(edt_RestK[k]);
        felder[6].push_back(edt_SumEntn[k]);
        felder[7].push_back(edt_Gesamt[k]);
    }
    // Rows of 24 pixels, higher where the caption needs a second line; the
    // column heads stand between rows 2 and 3.
    int y = 0;
    for (std::size_t z = 0; z < texte.size(); ++z) {
        const bool breit = z < 2; // one field under columns 3 and 4
        if (z == 2) {
            for (int k = 0; k < Spalten; ++k)
                lbl_Prozent[k]->setGeometry(links + k * breite, y + 8, breite - 4, 16);
            y += 28;
        }
        const int textBreite = (breit ? breitLinks : links) - LabelX - 2;
        const int hoehe = std::max(24, texte[z]->heightForWidth(textBreite));
        texte[z]->setGeometry(LabelX, y, textBreite, hoehe);
        for (std::size_t k = 0; k < felder[z].size(); ++k) {
            TEditFloat* f = felder[z][k];
            const int x = breit ? breitLinks : links + static_cast<int>(k) * breite;
            f->setGeometry(x, y + (hoehe - f->height() + 1) / 2, breit ? 2 * breite : breite,
                           f->height());
        }
        if (z % 2 == 0)
            FBaender[z / 2]->setGeometry(0, y, pn_Tabelle->width(), hoehe);
        y += hoehe;
    }
}

// ---------------------------------------------------------------------------
// Views and chart buttons

void TErgebnisAnzeige::TabelleZeigen() {
    pn_Tabelle->setVisible(true);
    pn_Chart->setVisible(false);
    lbl_Vorschau->setVisible(true);
    TabelleAnordnen();
}

void TErgebnisAnzeige::ChartZeigen() {
    pn_Tabelle->setVisible(false);
    pn_Chart->setVisible(true);
    lbl_Vorschau->setVisible(false);
    TabelleAnordnen(); // the chart keeps its own width
}

int TErgebnisAnzeige::GrafikPhase() const {
    return RB_Grafik_Ausz->isChecked() ? 2 : 1;
}

void TErgebnisAnzeige::SetzeGrafikPhase(int phase) {
    GR_GrafikPhase->SetValue(phase);
}

int TErgebnisAnzeige::GrafikSzenario() const {
    return GR_GrafikSzenario->Value(0);
}

void TErgebnisAnzeige::SetzeGrafikSzenario(int szenario) {
    GR_GrafikSzenario->SetValue(szenario);
}

void TErgebnisAnzeige::EntnahmephaseWaehlen() {
    RB_Grafik_Ausz->setChecked(true);
}

void TErgebnisAnzeige::EinzahlungsphaseErlauben(bool erlaubt) {
    RB_Grafik_Einz->setEnabled(erlaubt);
}

void TErgebnisAnzeige::SetzeSzenariotexte(const std::array<QString, 3>& texte) {
    QRadioButton* grafik[3] = {RB_Grafik_1, RB_Grafik_2, RB_Grafik_3};
    for (int i = 0; i < 3; ++i) {
        grafik[i]->setText(texte[i]);
        lbl_Prozent[i + 1]->setText(texte[i]);
    }
}

void TErgebnisAnzeige::Zahlenformate() {
    for (TEditFloat* f : Edt_Entnahme)
        SetzeFormat(f, 2, QStringLiteral(" € "));
}

void TErgebnisAnzeige::SetzeLegendenfarbe(const QBrush& farbe) {
    Chart4->Chart()->legend()->setBrush(farbe);
}

// ---------------------------------------------------------------------------
// Display step

void TErgebnisAnzeige::ChartDatenZeigen(const TChartData& daten) {
    Chart4->ShowData(daten);
}

void TErgebnisAnzeige::VorschauZeigen(const TPerformCalc& calc) {
    const TPlanRecord& r = calc.Rec;
    lbl_Wertentw->setText(Utf8(WertentwicklungCaption(r.Monatsrente, r.Rentenkapital)));
    lbl_Entnahme->setText(Utf8(EntnahmeCaption(r.Rentenkapital)));
    lbl_Kapital->setText(Utf8(KapitalCaption(r.Monatsrente)));

    const TPreviewValues v = PreviewValues(calc);
    Edt_Entnahme[0]->SetValue(v.Monatsrente);
    for (int k = 1; k < Spalten; ++k)
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
    for (int k = 0; k < Spalten; ++k)
        for (TEditFloat* f : {Edt_Entnahme[k], edt_RestK[k], edt_SumEntn[k], edt_Gesamt[k]})
            f->setVisible(sichtbar);

    edt_Summe_Monatsbeitraege->SetValue(v.Anlagesumme);
    for (int k = 0; k < Spalten; ++k) {
        edt_Ausz[k]->SetValue(v.Ausz[k]);
        edt_Kapital[k]->SetValue(v.Kapital[k]);
    }
    edt_Wertentw->SetValue(v.Wertentwicklung);
    // The record keeps 0 where no return carries the withdrawals; "0,00 %"
    // would read as "no return needed".
    if (!WertentwicklungErreichbar(r))
        edt_Wertentw->setText(QString::fromUtf8(WertentwicklungNichtErreichbar) + QLatin1Char(' '));
    for (int k = 0; k < Spalten; ++k) {
        edt_RestK[k]->SetValue(v.Anfangskapital[k]);
        edt_SumEntn[k]->SetValue(v.SummeEntnahmen[k]);
        edt_Gesamt[k]->SetValue(v.Restkapital[k]);
    }
    TabelleAnordnen(); // the captions may need a second line now
}

void TErgebnisAnzeige::VorschauLeeren() {
    // The shown text only: the next display step writes the values anew.
    for (TEditFloat* f : pn_Tabelle->findChildren<TEditFloat*>())
        f->setText(QString());
}

} // namespace orvanta
