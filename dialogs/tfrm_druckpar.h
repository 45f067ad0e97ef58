#pragma once
// Print options. Built separately; this shell carries the check boxes that
// the main window loads from and saves into the plan record.

#include "controls/tbrixdialog.h"

namespace orvanta {

class TEditCheck;
class TExplorerButton;

class Tfrm_DruckPar : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_DruckPar(QWidget* parent = nullptr);

    TEditCheck* cb_Grafik;
    TEditCheck* cb_Logo;
    TEditCheck* cb_Einzahlung;
    TEditCheck* cb_Auszahlung;
    TEditCheck* CB_Einz_FRV_Vergleich;
    TEditCheck* CB_Ausz_FRV_Vergleich;
    TExplorerButton* btn_OK;
};

} // namespace orvanta
