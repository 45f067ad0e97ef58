#pragma once
// Commission settings. Built separately; this shell carries the controls that
// the main window loads from and saves into the plan record.

#include "controls/tbrixdialog.h"

class QRadioButton;

namespace orvanta {

class TEditCombo;
class TEditFloat;

class Tfrm_perfProvPar : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_perfProvPar(QWidget* parent = nullptr);

    TEditFloat* edt_AP_Provisionssatz;
    TEditFloat* edt_AP_Provisionssatz_FRV;
    QRadioButton* RB_BP[3];  // RB_BP1 .. RB_BP3: trailing commission levels 1..3
    QRadioButton* RB_BPP[4]; // RB_BPP1 .. RB_BPP4: assumed return, scenarios 1..4
    TEditCombo* cmb_BP_Satz;
    TEditCombo* cmb_BP_Performance;
};

} // namespace orvanta
