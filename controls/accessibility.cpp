#include "controls/accessibility.h"

#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <climits>

namespace orvanta {

namespace {

// Marks a name that a caption gave, so that a later caption may replace it.
constexpr const char* NameFromCaption = "orvantaNameFromCaption";

class TButtonAccess : public QAccessibleWidget {
public:
    explicit TButtonAccess(TExplorerButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return WithoutAccelerator(static_cast<TExplorerButton*>(widget())->Caption());
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction() && widget()->isEnabled())
            static_cast<TExplorerButton*>(widget())->Click();
        else
            QAccessibleWidget::doAction(action);
    }
};

class TLabelAccess : public QAccessibleWidget {
public:
    explicit TLabelAccess(TEditLabel* label)
        : QAccessibleWidget(label, label->property("orvantaHeading").toBool()
                                       ? QAccessible::Heading
                                       : QAccessible::StaticText) {}

    TEditLabel* label() const { return static_cast<TEditLabel*>(widget()); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return WithoutAccelerator(label()->Caption()).trimmed();
        return QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto r = QAccessibleWidget::relations(match);
        if (label()->FocusControl() && (match & QAccessible::Labelled))
            if (QAccessibleInterface* i =
                    QAccessible::queryAccessibleInterface(label()->FocusControl()))
                r.append({i, QAccessible::Labelled});
        return r;
    }
};

QAccessibleInterface* houseControls(const QString& /*className*/, QObject* object) {
    if (auto* b = qobject_cast<TExplorerButton*>(object))
        return new TButtonAccess(b);
    if (auto* l = qobject_cast<TEditLabel*>(object))
        return new TLabelAccess(l);
    return nullptr;
}

} // namespace

QString WithoutAccelerator(const QString& caption) {
    QString s;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        else if (caption[i] == QLatin1Char('&'))
            continue;
        s += caption[i];
    }
    return s;
}

void InstallAccessibility() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(houseControls);
}

void NameAfterCaption(QWidget* control, const QString& caption) {
    if (!control)
        return;
    const QString text = WithoutAccelerator(caption).trimmed();
    auto* button = qobject_cast<QAbstractButton*>(control);
    const bool ownText = button && !button->text().isEmpty();
    if (ownText) {
        control->setAccessibleDescription(text);
        return;
    }
    if (!control->accessibleName().isEmpty() && !control->property(NameFromCaption).toBool())
        return;
    control->setAccessibleName(text);
    control->setProperty(NameFromCaption, true);
}

void NameFieldsAfterRowCaptions(QWidget* window) {
    QList<QWidget*> fields;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QWidget* parent = w->parentWidget();
        const bool field = (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(parent) &&
                            !qobject_cast<QAbstractSpinBox*>(parent)) ||
                           qobject_cast<QComboBox*>(w);
        if (field && parent && w->window() == window &&
            (w->accessibleName().isEmpty() || w->property(NameFromCaption).toBool()))
            fields << w;
    }
    for (QWidget* field : fields) {
        const QRect f = field->geometry();
        // The nearest caption left in its row, else the one right above it
        // (a column head).
        QString caption;
        int nearest = INT_MAX;
        for (QWidget* w :
             field->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QString text;
            if (auto* l = qobject_cast<TEditLabel*>(w))
                text = l->Caption();
            else if (auto* l = qobject_cast<QLabel*>(w))
                text = l->text();
            const QRect g = w->geometry();
            if (text.trimmed().isEmpty() || w->isHidden())
                continue;
            int distance = INT_MAX;
            if (g.right() < f.left() && qAbs(g.center().y() - f.center().y()) <= f.height() / 2)
                distance = f.left() - g.right();
            else if (g.bottom() < f.top() && f.top() - g.bottom() <= 8 &&
                     g.left() <= f.left() + 4 && g.right() > f.left())
                distance = 1000 + f.top() - g.bottom();
            if (distance < nearest) {
                nearest = distance;
                caption = text;
            }
        }
        if (!caption.isEmpty()) {
            field->setAccessibleName(WithoutAccelerator(caption).trimmed());
            field->setProperty(NameFromCaption, true);
        }
    }
}

} // namespace orvanta
