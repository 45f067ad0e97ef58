// Layout of the main window and the settings dialog with the delivered plan:
// nothing cut off, nothing overlapping, everything inside its window. With
// ORVANTA_SCREENSHOT_DIR set, the views are also saved as pictures
// (tools/screenshots.sh).

#include "app/orvantaapplication.h"
#include "app/resultchart.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/formatsettings.h"
#include "dialogs/tfrm_perfeinst.h"
#include "mainwindowsupport.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

bool IstBand(const QWidget* w) {
    return w->metaObject()->className() == QByteArray("QFrame");
}

// Width the widget needs to show its text completely.
int Bedarf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text().isEmpty() ? 0 : l->fontMetrics().horizontalAdvance(l->text());
    if (auto* b = qobject_cast<const QRadioButton*>(w))
        return b->sizeHint().width();
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->fontMetrics().horizontalAdvance(e->text()) + 8;
    if (auto* l = qobject_cast<const TEditLabel*>(w))
        return l->fontMetrics().horizontalAdvance(QString(l->Caption()).remove(QLatin1Char('&')));
    if (auto* b = qobject_cast<const TExplorerButton*>(w))
        return b->sizeHint().width();
    return 0;
}

// Problems of the visible children of parent, recursively.
void Pruefen(const QWidget* parent, QStringList& probleme) {
    QList<const QWidget*> sichtbar;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(parent) || IstBand(w))
            continue;
        if (qobject_cast<const TResultChart*>(parent) || parent->inherits("QComboBox") ||
            parent->inherits("QLineEdit") || parent->inherits("QAbstractScrollArea"))
            continue;
        sichtbar << w;
        const QString name = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        const QString wo =
            name + QStringLiteral(" '") +
            (qobject_cast<const QLabel*>(w) ? qobject_cast<const QLabel*>(w)->text()
             : qobject_cast<const QAbstractButton*>(w)
                 ? qobject_cast<const QAbstractButton*>(w)->text()
             : qobject_cast<const TEditLabel*>(w) ? qobject_cast<const TEditLabel*>(w)->Caption()
                                                  : QString()) +
            QStringLiteral("'");
        if (!parent->rect().contains(w->geometry()))
            probleme << wo + QStringLiteral(" outside its parent");
        if (Bedarf(w) > w->width())
            probleme << wo + QStringLiteral(" cut off (%1 > %2)").arg(Bedarf(w)).arg(w->width());
        Pruefen(w, probleme);
    }
    for (int i = 0; i < sichtbar.size(); ++i)
        for (int j = i + 1; j < sichtbar.size(); ++j)
            if (sichtbar[i]->geometry().intersects(sichtbar[j]->geometry()))
                probleme << QStringLiteral("%1 overlaps %2")
                                .arg(QString::fromLatin1(sichtbar[i]->metaObject()->className()) +
                                         QLatin1Char(' ') + QString::number(sichtbar[i]->x()) +
                                         QLatin1Char(',') + QString::number(sichtbar[i]->y()),
                                     QString::fromLatin1(sichtbar[j]->metaObject()->className()) +
                                         QLatin1Char(' ') + QString::number(sichtbar[j]->x()) +
                                         QLatin1Char(',') + QString::number(sichtbar[j]->y()));
}

void Bild(QWidget* w, const char* name) {
    const QString dir = qEnvironmentVariable("ORVANTA_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    // The chart lays itself out in the event loop.
    QTest::qWait(50);
    QVERIFY(w->grab().save(dir + QLatin1Char('/') + QString::fromLatin1(name) +
                           QStringLiteral(".png")));
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT
    std::unique_ptr<TTestProgramm> P;

private slots:
    void init() {
        SetFormatSettings(TFormatSettings{',', '.'});
        const QString dat = qEnvironmentVariable("ORVANTA_DATA_DIR") + QStringLiteral("/Orvan.Dat");
        if (!QFile::exists(dat))
            QSKIP("delivered data not built");
        TPlanRecord plan;
        ReadPlanRecordFile(plan, dat.toStdString(), OpenFor::Reading);
        P = std::make_unique<TTestProgramm>(&plan);
        QVERIFY(P->Starten());
    }
    void cleanup() { P.reset(); }

    void mainWindowViews() {
        Tfrm_perfmain& m = P->Main();
        m.SPB_PreviewClick();
        QStringList probleme;
        Bild(&m, "main_table");
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));

        m.SPB_ChartClick();
        m.RB_Grafik_Einz->setChecked(true);
        Bild(&m, "main_chart_einzahlung");
        m.RB_Grafik_Ausz->setChecked(true);
        Bild(&m, "main_chart_entnahme");
        probleme.clear();
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));

        // The lump-sum kinds change the rows under "Anlageart".
        m.RB_SystemEinmalanlage->setChecked(true);
        m.RB_ewig->setChecked(true);
        m.SPB_PreviewClick();
        Bild(&m, "main_systemeinmalanlage_ewig");
        probleme.clear();
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }

    void settingsDialog() {
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        QStringList probleme;
        WennModal([&](QWidget*) {
            Bild(&e, "settings");
            Pruefen(&e, probleme);
            e.SetModalResult(TbrixDialog::mrCancel);
        });
        P->Main().ExplorerButton3Click();
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_layout.moc"
