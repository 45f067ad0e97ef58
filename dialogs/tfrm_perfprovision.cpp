#include "dialogs/tfrm_perfprovision.h"

#include "controls/housestyle.h"
#include "controls/teditfloat.h"
#include "dialogs/windowstyle.h"

#include <QLabel>
#include <QTableWidget>

namespace orvanta {

Tfrm_perfProvision::Tfrm_perfProvision(QWidget* parent) : TbrixDialog(parent) {
    SetModalDialog(true);
    setFixedSize(750, 602);
    setFont(ArialPx(12));
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setGeometry(8, 40, 477, 537);
    l_Hinweis = new QLabel(QStringLiteral("(jährl. Wertentwicklung:  0,0%)"), this);
    l_Hinweis->setGeometry(500, 200, 240, 16);
    TEditFloat** fields[] = {&edt_AP,     &edt_BP,     &edt_Summe_VM47,
                             &edt_BP_FRV, &edt_AP_FRV, &edt_Summe_FRV};
    int i = 0;
    for (TEditFloat** f : fields) {
        *f = new TEditFloat(this);
        (*f)->SetDecimals(2);
        (*f)->SetAlignment(taRightJustify);
        (*f)->setEnabled(false);
        (*f)->setGeometry(i < 3 ? 500 : 620, 60 + (i % 3) * 26, 110, 21);
        ++i;
    }
}

} // namespace orvanta
