#pragma once
// The commission view: year by year the trailing commission of the product
// and, from access level 3, the commission of the compared fund-linked
// pension insurance (FRV), with the totals. It computes nothing: the
// accumulation run hands it its figures (it is the calculation's
// TProvisionSink), and the recalculation prepares the grid and the note.
// Alt+E opens the commission settings on top; when they close, the signal
// speichernUndNeuberechnen() has the main window save and recalculate, which
// refills this view.

#include "controls/tbrixdialog.h"
#include "core/planrecord.h"
#include "core/provisionsink.h"

#include <QColor>
#include <QString>

class QLabel;
class QTableWidget;

namespace orvanta {

class TEditFloat;
class TExplorerButton;
class Tfrm_perfProvPar;

// Grid cell text of an amount: "    %9f".
QString ProvisionZelle(double betrag);
// Grid cell text of a year number: "    %4d".
QString JahrZelle(int jahr);
// The note with the assumed return: "(jährl. Wertentwicklung: " + "%3.1f" + " %)".
QString WertentwicklungHinweis(double performance);

class Tfrm_perfProvision : public TbrixDialog, public TProvisionSink {
    Q_OBJECT
public:
    explicit Tfrm_perfProvision(QWidget* parent = nullptr);

    // Grid columns: year, VM47, VM47 cumulated, FRV, FRV cumulated.
    enum { SpalteJahr = 0, SpalteVM47, SpalteVM47Kum, SpalteFRV, SpalteFRVKum, SpaltenMax };
    // Year rows are made for durations up to this many years.
    static constexpr int MaxJahre = 999;

    // The recalculation's preparation, before the accumulation run: Laufzeit
    // + 1 rows with the year numbers (only the title row for a Laufzeit
    // outside 0..MaxJahre), five columns from access level 3 and
    // three below, and the note with Performance[BP_Performance].
    // ERangeError when BP_Performance is no scenario (0..5).
    void RasterVorbereiten(const TPlanRecord& rec);

    // What depends on the access level: the FRV totals and the column titles
    // are shown from level 3 on.
    void SetzeZugriffsstufe(int zugriffsstufe);

    // Before the view is shown from the main window: placed 30 pixels right of
    // and below the opener's top left corner, focus frame of "&schließen" in
    // focusFrame, "&schließen" the active control.
    void VorDemZeigen(QWidget* opener, const QColor& focusFrame = Qt::white);

    // The commission settings that Alt+E opens.
    void SetzeEinstellungen(Tfrm_perfProvPar* einstellungen) { FEinstellungen = einstellungen; }

    // Alt+E: the settings, placed 30 pixels right of and below this view,
    // with the AP rate active, shown modally; then speichernUndNeuberechnen(),
    // whatever their result. Errors of its receiver are shown and end it.
    void EinstellungenZeigen();

    // TProvisionSink: the figures of the accumulation run.
    void SetzeAP(double AP) override;
    void SetzeBP(int Jahr, double BP_Jahr, double BP_Summe, double BP_Gesamt) override;
    void SetzeFRV(int Jahr, double FRV_Jahr, double FRV_Summe, double AP_FRV,
                  double FRV_Gesamt) override;

    // The grid as rows and columns with the title row as row 0.
    int Zeilen() const;
    int Spalten() const;
    QString Zelle(int spalte, int zeile) const;
    int AktuelleZeile() const;

    // Edit and view patterns of the amount fields.
    void Zahlenformate();

signals:
    // The settings have closed: save and recalculate (the main window's
    // SaveData and Neuberechnung), which refills this view.
    void speichernUndNeuberechnen();

protected:
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    QLabel* Kopf = nullptr;
    TExplorerButton* btn_schliessen = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QLabel* lbl_VM47 = nullptr;
    QLabel* lbl_FRV = nullptr;
    QLabel* lbl_AP = nullptr;
    QLabel* lbl_BP = nullptr;
    QLabel* lbl_Summe = nullptr;
    TEditFloat* edt_AP = nullptr;
    TEditFloat* edt_BP = nullptr;
    TEditFloat* edt_Summe_VM47 = nullptr;
    TEditFloat* edt_BP_FRV = nullptr;
    TEditFloat* edt_AP_FRV = nullptr;
    TEditFloat* edt_Summe_FRV = nullptr;
    QLabel* l_Hinweis = nullptr;

    // Each showing and each activation (also the return from the settings):
    // the colours of "&schließen", Laufzeit + 1 rows, the last year current.
    void Aktivieren();
    void SetzeZelle(int spalte, int jahr, const QString& text);
    void ZeilenSetzen(int laufzeit);
    void LetzteZeileZeigen();

    // The Laufzeit of the last preparation.
    int FLaufzeit = 0;
    Tfrm_perfProvPar* FEinstellungen = nullptr;
};

} // namespace orvanta
