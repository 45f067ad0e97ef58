#include "app/previewfit.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace orvanta {

int FittingPixelSize(const QFont& font, const QString& text, int width, int maxPx, int minPx) {
    QFont f = font;
    for (int px = maxPx; px > minPx; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text) <= width)
            return px;
    }
    return minPx;
}

int TextRoom(const QLineEdit& edit) {
    QStyleOptionFrame opt;
    opt.initFrom(&edit);
    opt.rect = edit.rect();
    opt.lineWidth =
        edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &edit) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect contents = edit.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &opt, &edit)
                               .marginsRemoved(edit.textMargins());
    // The edit keeps 2 px on either side and one for the cursor; 2 px more
    // keep the first character clear of the border, where it would seem cut.
    return contents.width() - 2 * 2 - 1 - 2;
}

namespace {
template <typename W> void SetPixelSize(W& widget, int px) {
    if (widget.font().pixelSize() == px)
        return;
    QFont f = widget.font();
    f.setPixelSize(px);
    widget.setFont(f);
}
} // namespace

void FitToWidth(QLabel& label, int maxPx, int minPx) {
    SetPixelSize(label, FittingPixelSize(label.font(), label.text(), label.contentsRect().width(),
                                         maxPx, minPx));
}

void FitToWidth(QLineEdit& edit, int maxPx, int minPx) {
    // The room depends on the font (a right-aligned field's inset follows its
    // height), so each size is measured as set.
    int px = maxPx;
    for (; px > minPx; --px) {
        SetPixelSize(edit, px);
        if (edit.fontMetrics().horizontalAdvance(edit.text()) <= TextRoom(edit))
            return;
    }
    SetPixelSize(edit, minPx);
}

void KeepFitting(QLineEdit& edit, int maxPx, int minPx) {
    FitToWidth(edit, maxPx, minPx);
    QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                     [&edit, maxPx, minPx] { FitToWidth(edit, maxPx, minPx); });
}

} // namespace orvanta
