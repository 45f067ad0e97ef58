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
    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);

    TExplorerButtonColors Colors() const { return m_colors; }
    void SetColors(const TExplorerButtonColors& colors);
    void SetFocusPenColor(const QColor& color);

    // Text colour while not focused.
    QColor FontColor() const { return m_fontColor; }
    void SetFontColor(const QColor& color);

    bool Rounded() const { return m_rounded; }
    void SetRounded(bool on);
    TExplorerButtonOptions Options() const { return m_options; }
    void SetOptions(TExplorerButtonOptions options);
    // Enter clicks the focused button; otherwise Enter is the window's.
    bool ActivateByReturn() const { return m_activateByReturn; }
    void SetActivateByReturn(bool on) { m_activateByReturn = on; }
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool on);

    // A click as by the mouse: take the focus first if the button can, then
    // fire OnClick - unless the focus could not be taken.
    void Click();
    // What the accelerator letter does; false when the button is hidden or
    // disabled, so that another control may take the letter.
    bool Accelerate();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void OnClick(orvanta::TExplorerButton* Sender);
    void OnSetFocus(orvanta::TExplorerButton* Sender);

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

    QString m_caption;
    TExplorerButtonColors m_colors;
    QColor m_fontColor = Qt::black;
    bool m_rounded = false;
    TExplorerButtonOptions m_options;
    bool m_activateByReturn = false;
    bool m_tabStop = true;
    bool m_mouseDown = false;
    bool m_mouseInside = false;
    bool m_spaceDown = false;
    QShortcut* m_shortcut = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TExplorerButton::TExplorerButtonOptions)

} // namespace orvanta
