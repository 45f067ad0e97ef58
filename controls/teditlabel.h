#pragma once
// Caption bound to an input control. A click toggles a bound check box, then
// focuses the bound control and fires OnClick; the accelerator only focuses.

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
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    QWidget* FocusControl() const { return m_focusControl; }
    void SetFocusControl(QWidget* control);

    // Horizontal alignment of the text (Qt::AlignLeft, AlignRight, AlignHCenter).
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignment);

    // Fits the label to its text: the height only while WordWrap is on.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool on);

    // Background; an invalid colour leaves the label transparent.
    QColor Color() const { return m_color; }
    void SetColor(const QColor& color);
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    // Sunken frame one pixel outside the label: grey on the top and left,
    // white on the bottom and right. The label keeps its size and text place.
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool on);

    // What a click does (also for code that wants to act as a click).
    void Click();
    // What the accelerator does; false when the bound control cannot take the
    // focus, so that another control may take the letter.
    bool Accelerate();

    void setVisible(bool visible) override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return m_wordWrap; }
    int heightForWidth(int width) const override;

signals:
    void OnClick(orvanta::TEditLabel* Sender);

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

    QString m_caption;
    QPointer<QWidget> m_focusControl;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_wordWrap = true;
    QColor m_color;
    bool m_ctl3D = false;
    bool m_pressed = false;
    QShortcut* m_shortcut = nullptr;
    QPointer<QWidget> m_frame;
};

} // namespace orvanta
