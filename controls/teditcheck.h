#pragma once
// Check box of the input family: draws its own box and mark. Its click
// notification is toggled(): it fires on every change of Checked, whether the
// user clicks or code sets it, and never without one.

#include <QCheckBox>
#include <QColor>

class QPainter;

namespace orvanta {

class TEditCheck : public QCheckBox {
    Q_OBJECT
public:
    enum TChecksign { csCross, csHook };
    Q_ENUM(TChecksign)

    explicit TEditCheck(QWidget* parent = nullptr);
    explicit TEditCheck(const QString& caption, QWidget* parent = nullptr);

    bool Checked() const { return isChecked(); }
    // Fires toggled() when the state changes, nothing when it stays.
    void SetChecked(bool checked) { setChecked(checked); }

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    TChecksign Checksign() const { return FChecksign; }
    void SetChecksign(TChecksign sign);

    // Background of the box while enabled.
    QColor BackColor() const { return FBackColor; }
    void SetBackColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect BoxRect() const;
    // The dotted focus mark: around the caption, or around the box when the
    // control has no caption of its own (its label stands elsewhere).
    void DrawFocusMark(QPainter& p, const QRect& around) const;

    TChecksign FChecksign = csCross;
    QColor FBackColor = Qt::white;
};

} // namespace orvanta
