#include "controls/turllabel.h"

#include <QMouseEvent>

namespace orvanta {

TURLLabel::TURLLabel(QWidget* parent) : TURLLabel(QString(), parent) {}

TURLLabel::TURLLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    // Its window may follow the mouse over it (the main window's cursor).
    setMouseTracking(true);
    ApplyColor();
}

void TURLLabel::SetClickedColor(const QColor& c) {
    FClickedColor = c;
    ApplyColor();
}

void TURLLabel::SetUnClickedColor(const QColor& c) {
    FUnClickedColor = c;
    ApplyColor();
}

QColor TURLLabel::TextColor() const {
    return palette().color(QPalette::WindowText);
}

void TURLLabel::mousePressEvent(QMouseEvent* event) {
    FPressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TURLLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A click is a press and a release of the left button over the label.
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
    QLabel::mouseReleaseEvent(event);
    if (!click)
        return;
    FClicked = true;
    ApplyColor();
    emit clicked();
}

void TURLLabel::mouseMoveEvent(QMouseEvent* event) {
    QLabel::mouseMoveEvent(event);
    // Taken here: the move is over the link, not over the window behind it.
    event->accept();
    emit mouseMoved();
}

void TURLLabel::ApplyColor() {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, FClicked ? FClickedColor : FUnClickedColor);
    setPalette(p);
}

} // namespace orvanta
