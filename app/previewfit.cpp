#include "app/previewfit.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace orvanta {

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

int NeededWidth(const QLineEdit& edit) {
    return edit.fontMetrics().horizontalAdvance(edit.text()) + edit.width() - TextRoom(edit);
}

} // namespace orvanta
