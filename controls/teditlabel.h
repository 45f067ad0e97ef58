#pragma once
// Caption bound to an input control. A click toggles a bound check box, then
// focuses the bound control and fires clicked(); the accelerator only focuses.

#include <QColor>
#include <QPointer>
#include <QWidget>

class QShortcut;

namespace orvanta {

class TEditLabel : public QWidget {
    Q_OBJECT
public:
    explicit TEditLabel(QWidget* parent = nullptr);
    explicit TEditLabel(const QString& caption, QWidget* parent = nullptr);
    ~TEditLabel() override;

    // "&" marks the accelerator letter, "&&" stands for an ampersand.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);

    QWidget* FocusControl() const { return FFocusControl; }
    void SetFocusControl(QWidget* control);

    // Horizontal alignment of the text (Qt::AlignLeft, AlignRight, AlignHCenter).
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment alignment);

    // Fits the label to its text: the height only while WordWrap is on.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool on);

    // Background; an invalid colour leaves the label transparent.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    // Sunken frame one pixel outside the label: grey on the top and left,
    // white on the bottom and right. The label keeps its size and text place.
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool on);

    // What a click does (also for code that wants to act as a click).
    void Click();
    // What the accelerator does; false when the bound control cannot take the
    // focus, so that another control may take the letter.
    bool Accelerate();

    void setVisible(bool visible) override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return FWordWrap; }
    int heightForWidth(int width) const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    int TextFlags() const;
    QRect TextRect(const QRect& outer) const;
    void AdjustBounds();
    void UpdateShortcut();
    // Places, shows or removes the frame beside the label in its parent.
    void UpdateFrame();

    QString FCaption;
    QPointer<QWidget> FFocusControl;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    bool FAutoSize = true;
    bool FWordWrap = true;
    QColor FColor;
    bool FCtl3D = false;
    bool FPressed = false;
    QShortcut* FShortcut = nullptr;
    QPointer<QWidget> FFrame;
};

} // namespace orvanta
