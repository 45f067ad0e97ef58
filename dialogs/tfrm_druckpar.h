#pragma once
// Print options: which phases the report set holds, whether the Swiss
// pictures are printed, and OK that starts the preview. The check boxes are
// the window-side inputs of six plan record fields; the main window loads and
// saves them with all its other inputs.

#include "controls/tbrixdialog.h"

namespace orvanta {

class TEditCheck;
class TEditLabel;
class TExplorerButton;
struct TPlanRecord;

class Tfrm_DruckPar : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_DruckPar(QWidget* parent = nullptr);

    // The six boxes from and into the record's fields.
    void AusRecordLaden(const TPlanRecord& rec);
    void InRecordSpeichern(TPlanRecord& rec) const;

    // "Kostenübersicht": the cost overview page follows the model calculation.
    // A choice of the program, not of the plan: kept in the program's
    // settings (QSettings), off until the adviser checks it.
    bool Kostenuebersicht() const;

    // The access-level refresh: each FRV box is enabled exactly when FRV
    // values are available and its phase box is checked. The rule is kept
    // when a phase box changes afterwards.
    void Zugriffsanzeige(bool frvVerfuegbar);
    bool FRV_verfuegbar() const { return FFRV_verfuegbar; }

    // Alt+F of the main window sets both FRV boxes.
    void SetzeFRVVergleich(bool einzahlung, bool entnahme);

    // "Ergebnis / Ausdruck": OK becomes the active control, the dialog sits
    // 240 pixels right of and 420 below the opener's top left corner and is
    // shown modally. Returns the modal result.
    int Oeffnen(QWidget* opener);

    // The house colours of OK, refreshed when the main window is activated.
    void Hausfarben();

    // What OK does (also for code that acts as a click).
    void btn_OKClick();

signals:
    // What OK runs, in this order (the main window's SaveData and
    // Neuberechnung, then the preview of the report set, which returns when
    // the preview window closes, at once for an empty set). An exception from
    // either is shown and keeps the dialog open.
    void speichernUndNeuberechnen();
    void vorschauZeigen();

protected:
    bool event(QEvent* event) override;

private:
    void FRVFreigabe();

    // Top to bottom: heading, accumulation, (its FRV box), withdrawal, (its
    // FRV box), pictures, (logo), cost overview, OK. Boxes in brackets are hidden.
    TEditLabel* lbl_Kopf;
    TEditCheck* cb_Grafik;             // Grafik_drucken
    TEditCheck* cb_Logo;               // Logo_drucken
    TEditCheck* cb_Einzahlung;         // Einzahlungsphase_drucken
    TEditCheck* cb_Auszahlung;         // Entnahmephase_drucken
    TEditCheck* CB_Einz_FRV_Vergleich; // FRV_Vergleich_Einzahlung
    TEditCheck* CB_Ausz_FRV_Vergleich; // FRV_Vergleich_Entnahme
    TEditCheck* cb_Kosten;             // the program's settings
    TExplorerButton* btn_OK;

    bool FFRV_verfuegbar = false;
};

} // namespace orvanta
