#pragma once
// The result area of the main window: the preview table ("Ergebnisvorschau")
// and the chart with its phase and scenario buttons, one of them shown at a
// time. It shows what each recalculation hands it and keeps no plan data;
// the main window's mapping reads and sets its chart buttons like its other
// inputs.

#include <QWidget>

#include <array>
#include <vector>

class QFrame;
class QLabel;
class QRadioButton;

namespace orvanta {

class TEditFloat;
class TRadioGroup;
class TResultChart;
struct TChartData;
class TPerformCalc;

class TErgebnisAnzeige : public QWidget {
    Q_OBJECT
public:
    // Four value columns for the scenarios 1..4.
    static constexpr int Spalten = 4;

    explicit TErgebnisAnzeige(QWidget* parent);

    // The views the view buttons choose; before either is chosen both lie
    // one over the other, the table in front.
    void TabelleZeigen();
    void ChartZeigen();

    // Chart phase: 1 accumulation, 2 withdrawal ("Entnahmephase" checked);
    // any other value checks neither button.
    int GrafikPhase() const;
    void SetzeGrafikPhase(int phase);
    // Chart scenario 2..4; 0 when no button is checked.
    int GrafikSzenario() const;
    void SetzeGrafikSzenario(int szenario);
    // A plan without accumulation years: only the withdrawal phase can be
    // drawn. EntnahmephaseWaehlen checks its button as a click would.
    void EntnahmephaseWaehlen();
    void EinzahlungsphaseErlauben(bool erlaubt);

    // The column heads 2..4 and the chart's scenario buttons, from the rates
    // of the scenarios 2..4.
    void SetzeSzenariotexte(const std::array<QString, 3>& texte);
    // The number formats of the four withdrawal cells.
    void Zahlenformate();
    // The chart legend's background.
    void SetzeLegendenfarbe(const QBrush& farbe);

    // The display step: the chart's series and titles, then the preview's
    // captions, rows and values, each as far as it gets before an error.
    void ChartDatenZeigen(const TChartData& daten);
    void VorschauZeigen(const TPerformCalc& calc);
    // No figures: the plan could not be calculated.
    void VorschauLeeren();

signals:
    // A chart phase or scenario button became checked, by a click or by code.
    void grafikGewaehlt();
    // The table took (or gave back) the room beside it for large figures.
    void erweitertGeaendert(bool erweitert);

private:
    void BaueChart();
    void BaueVorschau();
    // Value columns as wide as the widest figure shown needs, never narrower
    // than designed; the row captions take the rest, in two lines where
    // needed, and their rows grow with them.
    void TabelleAnordnen();

    QWidget* pn_Chart;
    QRadioButton* RB_Grafik_Einz;
    QRadioButton* RB_Grafik_Ausz;
    QRadioButton* RB_Grafik_1;
    QRadioButton* RB_Grafik_2;
    QRadioButton* RB_Grafik_3;
    TResultChart* Chart4;
    TRadioGroup* GR_GrafikPhase;
    TRadioGroup* GR_GrafikSzenario;

    QLabel* lbl_Vorschau;
    QWidget* pn_Tabelle;
    std::vector<QFrame*> FBaender; // shading of rows 1, 3, 5, 7
    QLabel* EditLabel22;
    TEditFloat* edt_Summe_Monatsbeitraege;
    QLabel* lbl_Wertentw;
    TEditFloat* edt_Wertentw;
    std::array<QLabel*, Spalten> lbl_Prozent;
    QLabel* lbl_Entnahme;
    std::array<TEditFloat*, Spalten> edt_Ausz;
    QLabel* lbl_Kapital;
    std::array<TEditFloat*, Spalten> edt_Kapital;
    QLabel* lbl_Entnahme2;
    std::array<TEditFloat*, Spalten> Edt_Entnahme;
    QLabel* lbl_Gesamt;
    std::array<TEditFloat*, Spalten> edt_RestK;
    QLabel* lbl_EntnahmeSumme;
    std::array<TEditFloat*, Spalten> edt_SumEntn;
    QLabel* lbl_RestKapital;
    std::array<TEditFloat*, Spalten> edt_Gesamt;
    bool FErweitert = false;
};

} // namespace orvanta
