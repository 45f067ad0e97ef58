#pragma once
// The commission settings: the acquisition rates of the product and of the
// FRV, the trailing commission level and the scenario whose capital the
// trailing commission is computed on. The dialog holds no data of its own:
// the main window copies the record in and out; whoever opened it saves and
// recalculates when it closes, whatever its result.

#include "controls/tbrixdialog.h"
#include "core/planrecord.h"

#include <array>

class QLabel;
class QRadioButton;
class QWidget;

namespace orvanta {

class TEditCombo;
class TEditFloat;
class TExplorerButton;
class TRadioGroup;
class TItemRefList;

// Alt+E of the commission windows: Alt and E without Ctrl (Ctrl+Alt+E is
// the number fields' Deutsche Mark conversion) or Meta.
bool IstAltE(int key, Qt::KeyboardModifiers shift);

// Caption of a scenario button: " %2.1f " and "%" (3 reads " 3,0 %").
QString SzenarioCaption(double performance);

class Tfrm_perfProvPar : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_perfProvPar(QWidget* parent = nullptr);

    // The trailing commission rate of a level: 0.1, 0.2, 0.25 for 1, 2, 3, else 0.
    static double BPProvisionssatz(std::int32_t bpSatz);

    // Record to settings: the two rates, the level button of BP_Satz and the
    // scenario button of BP_Performance (none for other values), and the
    // hidden choice fields.
    void AusRecordLaden(const TPlanRecord& rec);
    // Settings to record: the two rates (a wrong entry in the focused field
    // throws EUserEditError), BP_Satz 3 / 2 / else 1, BP_Provisionssatz from
    // it, BP_Performance the selected scenario button or 4 when none.
    void InRecordSpeichern(TPlanRecord& rec);

    // Edit and view patterns of the two rates.
    void Zahlenformate();
    // The choice lists "BP-SATZ" and "BP-PERFORMANCE" of the hidden choice
    // fields of the level and the scenario.
    void SetzeAuswahllisten(TItemRefList* bpSatz, TItemRefList* bpPerformance);

    // The captions of the three level buttons.
    void SetzeBPBeschriftungen();
    // The captions of the four scenario buttons from Performance[1..4].
    void SetzeSzenarioBeschriftungen(const double (&performance)[AnzahlSzenarien]);

    // Before it is shown from the commission view: placed 30 pixels right of
    // and below the opener's top left corner, the AP rate the active control.
    void VorDemZeigen(QWidget* opener);

protected:
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Kopf = nullptr;
    QLabel* lbl_AP = nullptr;
    QLabel* lbl_AP_FRV = nullptr;
    QLabel* lbl_BP = nullptr;
    QLabel* lbl_BPP = nullptr;
    TEditFloat* edt_AP_Provisionssatz = nullptr;
    TExplorerButton* btn_speichern = nullptr;
    QWidget* pnl_BP = nullptr;
    QWidget* pnl_BPP = nullptr;
    std::array<QRadioButton*, 3> RB_BP{};  // RB_BP1..RB_BP3
    std::array<QRadioButton*, 4> RB_BPP{}; // RB_BPP1..RB_BPP4
    // The two groups, valued by their 1-based button numbers.
    TRadioGroup* GR_BP = nullptr;
    TRadioGroup* GR_BPP = nullptr;
    TEditFloat* edt_AP_Provisionssatz_FRV = nullptr;
    // Hidden choice fields of the level and the scenario, bound by the main
    // window to its lists "BP-SATZ" and "BP-PERFORMANCE"; set with the buttons.
    TEditCombo* cmb_BP_Satz = nullptr;
    TEditCombo* cmb_BP_Performance = nullptr;
};

} // namespace orvanta
