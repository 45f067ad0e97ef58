// What a screen reader gets from the main window beyond the captions: the
// age field of "individuell", the result cells named after their row and
// column with their value, and the chart with what it shows.

#include "app/resultchart.h"
#include "app/tfrm_perfmain.h"
#include "app/tfrm_perfmain_anzeige.h"
#include "controls/accessibility.h"
#include "controls/teditfloat.h"

#include <QAccessibleWidget>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QToolButton>
#include <QValueAxis>

namespace orvanta {

namespace {

// A cell of the preview table: read-only, named after the caption of its row
// (the text to its left) and the head of its column.
class TZellenZugang : public QAccessibleWidget {
public:
    explicit TZellenZugang(TEditFloat* zelle) : QAccessibleWidget(zelle, QAccessible::Cell) {}

    QString text(QAccessible::Text t) const override {
        const auto* zelle = static_cast<const TEditFloat*>(widget());
        if (t == QAccessible::Value)
            return zelle->text().trimmed();
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        QString name = Zeile(zelle);
        const QString spalte = Spalte(zelle);
        if (!spalte.isEmpty())
            name += QStringLiteral(", ") + spalte;
        return name + QStringLiteral(": ") + zelle->text().trimmed();
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

private:
    static QString Zeile(const QWidget* zelle) {
        const QRect z = zelle->geometry();
        for (const QLabel* l :
             zelle->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            if (l->isVisibleTo(zelle->parentWidget()) && l->geometry().right() < z.left() &&
                qAbs(l->geometry().center().y() - z.center().y()) < z.height() / 2 + 2 &&
                !l->objectName().startsWith(QLatin1String("lbl_Prozent")))
                return l->text().simplified();
        return {};
    }
    static QString Spalte(const QWidget* zelle) {
        const QString name = zelle->objectName();
        if (name.isEmpty() || !name.back().isDigit())
            return {};
        const auto* kopf =
            zelle->parentWidget()->findChild<QLabel*>(QStringLiteral("lbl_Prozent") + name.back());
        return kopf ? kopf->text().simplified() : QString();
    }
};

// The chart: its title, its lines and the ranges of its axes.
class TChartZugang : public QAccessibleWidget {
public:
    explicit TChartZugang(TResultChart* chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override {
        const auto* chart = static_cast<const TResultChart*>(widget());
        if (t == QAccessible::Name)
            return QStringLiteral("Chart: ") + chart->Chart()->title().simplified();
        if (t != QAccessible::Description)
            return QAccessibleWidget::text(t);
        QStringList linien;
        for (int i = 0; i < 3; ++i)
            if (chart->Series(i)->isVisible() && chart->Series(i)->count() > 0)
                linien << chart->Series(i)->name().simplified();
        const QLocale l;
        return QStringLiteral("Liniendiagramm des Kapitals über die Jahre, Linien: %1. "
                              "Waagrecht %2 von %3 bis %4, senkrecht %5 von %6 bis %7.")
            .arg(
                linien.isEmpty() ? QStringLiteral("keine") : linien.join(QStringLiteral(", ")),
                chart->AxisX()->titleText().simplified(), l.toString(chart->AxisX()->min(), 'f', 0),
                l.toString(chart->AxisX()->max(), 'f', 0), chart->AxisY()->titleText().simplified(),
                l.toString(chart->AxisY()->min(), 'f', 0),
                l.toString(chart->AxisY()->max(), 'f', 0));
    }
};

QAccessibleInterface* ergebnisZugang(const QString& /*className*/, QObject* object) {
    if (auto* chart = qobject_cast<TResultChart*>(object))
        return new TChartZugang(chart);
    // Asked for as soon as a reader listens, before the names are given: the
    // cells are the number fields of the result area's table panel.
    auto* zelle = qobject_cast<TEditFloat*>(object);
    if (zelle && zelle->parentWidget() &&
        qobject_cast<TErgebnisAnzeige*>(zelle->parentWidget()->parentWidget()))
        return new TZellenZugang(zelle);
    return nullptr;
}

} // namespace

void Tfrm_perfmain::ErgebnisZugang() {
    // Before the cells exist: a reader that listens asks for them at once.
    static bool installiert = false;
    if (!installiert) {
        installiert = true;
        QAccessible::installFactory(ergebnisZugang);
    }
}

void Tfrm_perfmain::VorleseNamen() {
    // The age of "individuell" stands beside its button, without a caption.
    edt_AuszEnde->setAccessibleName(QStringLiteral("Entnahme bis Alter individuell"));
    SPB_Chart->setAccessibleName(QStringLiteral("Chart"));
    SPB_Preview->setAccessibleName(QStringLiteral("Ergebnisvorschau"));
}

} // namespace orvanta
