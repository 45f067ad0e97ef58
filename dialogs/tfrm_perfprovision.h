#pragma once
// Commission view. Its contents and behaviour are built separately; this
// shell carries the controls the main window fills at every recalculation.

#include "controls/tbrixdialog.h"

class QLabel;
class QTableWidget;

namespace orvanta {

class TEditFloat;

class Tfrm_perfProvision : public TbrixDialog {
    Q_OBJECT
public:
    explicit Tfrm_perfProvision(QWidget* parent = nullptr);

    QTableWidget* StringGrid1;
    QLabel* l_Hinweis;
    TEditFloat* edt_AP;
    TEditFloat* edt_BP;
    TEditFloat* edt_Summe_VM47;
    TEditFloat* edt_BP_FRV;
    TEditFloat* edt_AP_FRV;
    TEditFloat* edt_Summe_FRV;
};

} // namespace orvanta
