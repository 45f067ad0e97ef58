#pragma once
// The windows' button: a flat coloured face with an optional rounded right
// end. It takes the focus before it acts, so that a field holding a wrong
// entry reports it and the click does nothing.

#include <QColor>
#include <QWidget>

class QShortcut;

namespace orvanta {

struct TExplorerButtonColors {
    QColor NonFocusColor;    // fill
    QColor NonFocusPenColor; // outline
    QColor FocusColor;       // fill while focused
    QColor FocusPenColor;    // outline and text while focused
};

class TExplorerButton : public QWidget {
    Q_OBJECT
public:
    enum TExplorerButtonOption {
        boMonoDisplay = 0x01,
        boIconOnly = 0x02,
        boPopupMark = 0x04,
        boShowBevel = 0x08,
        boNonFocBorder = 0x10,
    };
    Q_DECLARE_FLAGS(TExplorerButtonOptions, TExplorerButtonOption)
    Q_FLAG(TExplorerButtonOptions)

    explicit TExplorerButton(QWidget* parent = nullptr);
    explicit TExplorerButton(const QString& caption, QWidget* parent = nullptr);

    // "&" marks the accelerator letter.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);

    TExplorerButtonColors Colors() const { return FColors; }
    void SetColors(const TExplorerButtonColors& colors);
    void SetFocusPenColor(const QColor& color);

    // Text colour while not focused.
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& color);

    bool Rounded() const { return FRounded; }
    void SetRounded(bool on);
    TExplorerButtonOptions Options() const { return FOptions; }
    void SetOptions(TExplorerButtonOptions options);
    // Enter clicks the focused button; otherwise Enter is the window's.
    bool ActivateByReturn() const { return FActivateByReturn; }
    void SetActivateByReturn(bool on) { FActivateByReturn = on; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool on);

    // A click as by the mouse: take the focus first if the button can, then
    // fire clicked() - unless the focus could not be taken.
    void Click();
    // What the accelerator letter does; false when the button is hidden or
    // disabled, so that another control may take the letter.
    bool Accelerate();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    // The button received the focus.
    void focusReceived();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool OwnsFocus() const;
    void UpdateShortcut();

    QString FCaption;
    TExplorerButtonColors FColors;
    QColor FFontColor = Qt::black;
    bool FRounded = false;
    TExplorerButtonOptions FOptions;
    bool FActivateByReturn = false;
    bool FTabStop = true;
    bool FMouseDown = false;
    bool FMouseInside = false;
    bool FSpaceDown = false;
    QShortcut* FShortcut = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TExplorerButton::TExplorerButtonOptions)

} // namespace orvanta
