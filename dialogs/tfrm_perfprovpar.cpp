#include "dialogs/tfrm_perfprovpar.h"

#include "controls/housestyle.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "dialogs/windowstyle.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace orvanta {

Tfrm_perfProvPar::Tfrm_perfProvPar(QWidget* parent) : TbrixDialog(parent) {
    SetModalDialog(true);
    setFixedSize(564, 307);
    setFont(ArialPx(12));
    edt_AP_Provisionssatz = new TEditFloat(this);
    edt_AP_Provisionssatz->setGeometry(200, 40, 100, 21);
    edt_AP_Provisionssatz_FRV = new TEditFloat(this);
    edt_AP_Provisionssatz_FRV->setGeometry(200, 66, 100, 21);
    for (TEditFloat* f : {edt_AP_Provisionssatz, edt_AP_Provisionssatz_FRV}) {
        f->SetDecimals(2);
        f->SetAlignment(taRightJustify);
    }
    const char* level[3] = {"0,1%   1,0%", "0,2%   1,5%", "0,25%  2,0%"};
    auto* levels = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        RB_BP[i] = new QRadioButton(QString::fromUtf8(level[i]), this);
        RB_BP[i]->setGeometry(200 + i * 110, 96, 105, 20);
        levels->addButton(RB_BP[i]);
    }
    auto* returns = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        RB_BPP[i] = new QRadioButton(this);
        RB_BPP[i]->setGeometry(200 + i * 80, 124, 75, 20);
        returns->addButton(RB_BPP[i]);
    }
    cmb_BP_Satz = new TEditCombo(this);
    cmb_BP_Performance = new TEditCombo(this);
    cmb_BP_Satz->hide();
    cmb_BP_Performance->hide();
}

} // namespace orvanta
