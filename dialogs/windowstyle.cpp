#include "dialogs/windowstyle.h"

#include "controls/housestyle.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"

#include <QLabel>
#include <QRadioButton>

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
    l->setProperty("orvantaHeading", true); // read as a heading
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

QLabel* Textzeile(QWidget* parent, const QString& caption, int x, int y, int w, bool bold, int px) {
    auto* l = new QLabel(caption, parent);
    l->setFont(ArialPx(px, bold));
    l->setGeometry(x, y, w, 16);
    return l;
}

QRadioButton* Knopf(QWidget* parent, const QString& caption, int x, int y, int w) {
    auto* b = new QRadioButton(caption, parent);
    b->setFont(ArialPx(12));
    b->setGeometry(x, y, w, 18);
    return b;
}

TEditFloat* Zahlfeld(QWidget* parent, int x, int y, int w, int decimals) {
    auto* e = new TEditFloat(parent);
    e->setFont(ArialPx(12));
    e->SetDecimals(static_cast<std::uint8_t>(decimals));
    e->SetWholeNumbers(decimals == 0);
    e->SetAlignment(taRightJustify);
    e->setGeometry(x, y, w, 21);
    return e;
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
