#include "dialogs/windowstyle.h"

#include "controls/housestyle.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"

namespace orvanta {

QFont ArialPx(int px, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

TEditLabel* Kopfzeile(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
    auto* l = new TEditLabel(caption, parent);
    l->SetAutoSize(false);
    l->SetWordWrap(false);
    l->setFont(ArialPx(12, true));
    l->SetColor(HouseRed());
    l->SetFontColor(Qt::white);
    l->setGeometry(x, y, w, h);
    return l;
}

TEditLabel* Beschriftung(QWidget* parent, const QString& caption, int x, int y, int w,
                         QWidget* focus) {
    auto* l = new TEditLabel(caption, parent);
    l->SetAutoSize(false);
    l->SetWordWrap(false);
    l->setFont(ArialPx(12));
    l->setGeometry(x, y, w, 16);
    if (focus)
        l->SetFocusControl(focus);
    return l;
}

TExplorerButton* HausButton(QWidget* parent, const QString& caption, int x, int y, int w) {
    auto* b = new TExplorerButton(caption, parent);
    ApplyHouseButtonDesign(*b);
    ApplyHouseButtonColors(*b);
    // Never narrower than its caption.
    b->setGeometry(x, y, qMax(w, b->sizeHint().width()), 21);
    return b;
}

} // namespace orvanta
