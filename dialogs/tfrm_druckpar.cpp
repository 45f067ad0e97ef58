#include "dialogs/tfrm_druckpar.h"

#include "controls/housestyle.h"
#include "controls/teditcheck.h"
#include "controls/texplorerbutton.h"
#include "dialogs/windowstyle.h"

namespace orvanta {

Tfrm_DruckPar::Tfrm_DruckPar(QWidget* parent) : TbrixDialog(parent) {
    setFixedSize(360, 200);
    setFont(ArialPx(12));
    Kopfzeile(this, QStringLiteral("  Angaben zum Ausdruck"), 0, 0, 360);
    auto check = [this](const char* caption, int y) {
        auto* c = new TEditCheck(QString::fromUtf8(caption), this);
        c->setGeometry(16, y, 330, 20);
        return c;
    };
    cb_Grafik = check("  Schweizer Kreuz / Matterhorn-Grafik mitdrucken", 86);
    cb_Logo = check("Logo", 0);
    cb_Einzahlung = check("  Einzahlungsphase ausdrucken", 30);
    cb_Auszahlung = check("  Entnahmephase ausdrucken", 58);
    CB_Einz_FRV_Vergleich = check("  Einzahlungsphase mit FRV- Vergleich", 0);
    CB_Ausz_FRV_Vergleich = check("  Entnahmephase mit FRV- Vergleich", 0);
    cb_Logo->hide();
    CB_Einz_FRV_Vergleich->hide();
    CB_Ausz_FRV_Vergleich->hide();
    btn_OK = HausButton(this, QStringLiteral("OK"), 260, 160, 80);
    connect(btn_OK, &TExplorerButton::OnClick, this, [this] { SetModalResult(mrOk); });
}

} // namespace orvanta
