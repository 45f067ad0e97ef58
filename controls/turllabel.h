#pragma once
// A label that acts as a link: underlined, in UnClickedColor until its first
// click and in ClickedColor from then on for the rest of the run, with the
// hand cursor while the mouse is over it.

#include <QColor>
#include <QLabel>

namespace orvanta {

class TURLLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QColor ClickedColor READ ClickedColor WRITE SetClickedColor)
    Q_PROPERTY(QColor UnClickedColor READ UnClickedColor WRITE SetUnClickedColor)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
public:
    explicit TURLLabel(QWidget* parent = nullptr);
    explicit TURLLabel(const QString& caption, QWidget* parent = nullptr);

    QColor ClickedColor() const { return FClickedColor; }
    void SetClickedColor(const QColor& c);
    QColor UnClickedColor() const { return FUnClickedColor; }
    void SetUnClickedColor(const QColor& c);

    bool IsClicked() const { return FClicked; }
    // The colour the text is shown in now.
    QColor TextColor() const;

signals:
    // After the label has marked itself clicked.
    void clicked();
    // The mouse moved over the label (with or without a button held).
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void ApplyColor();

    QColor FClickedColor{128, 0, 128};
    QColor FUnClickedColor{0, 0, 255};
    bool FClicked = false;
    bool FPressed = false;
};

} // namespace orvanta
