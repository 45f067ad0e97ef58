#pragma once
// Check box of the input family: draws its own box and mark, and fires OnClick
// on every change of Checked, whether the user clicks or code sets it.

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
    // Fires OnClick when the state changes, nothing when it stays.
    void SetChecked(bool checked) { setChecked(checked); }

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    TChecksign Checksign() const { return m_checksign; }
    void SetChecksign(TChecksign sign);

    // Background of the box while enabled.
    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void OnClick(orvanta::TEditCheck* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect BoxRect() const;
    // The dotted focus mark: around the caption, or around the box when the
    // control has no caption of its own (its label stands elsewhere).
    void DrawFocusMark(QPainter& p, const QRect& around) const;

    TChecksign m_checksign = csCross;
    QColor m_backColor = Qt::white;
};

} // namespace orvanta
