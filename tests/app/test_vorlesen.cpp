// What a screen reader gets from the main window and the dialogs, read in
// process through QAccessible: every input named after its caption, every
// button a button with its caption and a press action, every result cell
// its row, column and value, the chart what it shows.

#include "app/orvantaapplication.h"
#include "controls/texplorerbutton.h"
#include "dialogs/tfrm_druckpar.h"
#include "mainwindowsupport.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

Q_DECLARE_METATYPE(QAccessible::Role)

class TestVorlesen : public QObject, TBeraterProgramm {
    Q_OBJECT

private slots:
    void init() { Vorbereiten(); }
    void cleanup() { Aufraeumen(); }

    void inputsAndButtonsNamed_data();
    void inputsAndButtonsNamed();
    void nothingUnnamedInAnyWindow();
    void resultCellsAndChart();
    void buttonsPressLikeAClick();
};

namespace {

QAccessibleInterface* zugang(QObject* o) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
    if (!i)
        qFatal("no accessible interface");
    return i;
}

} // namespace

void TestVorlesen::inputsAndButtonsNamed_data() {
    QTest::addColumn<QString>("steuerelement");
    QTest::addColumn<QAccessible::Role>("rolle");
    QTest::addColumn<QString>("name");
    const auto zeile = [](const char* objekt, QAccessible::Role rolle, const char* name) {
        QTest::newRow(objekt) << QString::fromLatin1(objekt) << rolle << QString::fromUtf8(name);
    };
    const auto text = QAccessible::EditableText;
    zeile("edt_I_P_Nachname", text, "Name");
    zeile("edt_I_P_Vorname", text, "Vorname");
    zeile("edt_I_P_Eintrittsalter", text, "Alter");
    zeile("edt_Anlagebetrag", text, "Monatsbetrag Aufbauplan");
    zeile("edt_Laufzeit", text, "Anlagedauer");
    zeile("edt_Einzahlungsdauer", text, "Einzahlungsdauer");
    zeile("cb_Dynamik", QAccessible::CheckBox, "Dynamik");
    zeile("edt_AuszBeginn", text, "Entnahme ab Alter");
    zeile("edt_AuszEnde", text, "Entnahme bis Alter individuell");
    zeile("edt_Monatsrente", text, "Monatliche Entnahme");
    zeile("edt_Rentenkapital", text, "Kapital bei Entnahmebeginn");
    zeile("ExplorerButton1", QAccessible::Button, "speichern und beenden");
    zeile("btn_Ergebnis", QAccessible::Button, "Ergebnis / Ausdruck");
    zeile("ExplorerButton3", QAccessible::Button, "Einstellungen");
    zeile("SPB_Chart", QAccessible::Button, "Chart");
    zeile("lbl_DynamikCaption", QAccessible::StaticText, "Dynamik");
}

void TestVorlesen::inputsAndButtonsNamed() {
    QFETCH(QString, steuerelement);
    QFETCH(QAccessible::Role, rolle);
    Start(BeispielPlan());
    QAccessibleInterface* i = zugang(Control<QWidget>(P->Main(), steuerelement));
    QCOMPARE(i->role(), rolle);
    QTEST(i->text(QAccessible::Name), "name");
}

void TestVorlesen::nothingUnnamedInAnyWindow() {
    // The main window and every dialog: whatever the user can reach is named
    // and has a role of its own; the section headers are headings.
    Start(MitPasswoertern(BeispielPlan()));
    QList<QWidget*> fenster{&P->Main()};
    for (QWidget* w : P->Main().findChildren<QWidget*>())
        if (w->isWindow())
            fenster << w;
    QStringList fehlt;
    int kopfzeilen = 0;
    for (QWidget* f : fenster) {
        f->ensurePolished(); // as before its first show
        for (QWidget* w : f->findChildren<QWidget*>()) {
            if (w->window() != f || !w->isVisibleTo(f))
                continue;
            const bool bedienbar =
                (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())) ||
                qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                qobject_cast<TExplorerButton*>(w);
            QAccessibleInterface* i = zugang(w);
            if (i->role() == QAccessible::Heading)
                ++kopfzeilen;
            if (bedienbar && (i->text(QAccessible::Name).trimmed().isEmpty() ||
                              i->role() == QAccessible::Client))
                fehlt << QString::fromLatin1(f->metaObject()->className()) + QLatin1Char('/') +
                             w->objectName() + QLatin1Char(' ') +
                             QString::fromLatin1(w->metaObject()->className());
        }
    }
    QVERIFY2(fehlt.isEmpty(), qPrintable(fehlt.join(QStringLiteral(", "))));
    QVERIFY(kopfzeilen >= 4);
}

void TestVorlesen::resultCellsAndChart() {
    Start(BeispielPlan());
    Tfrm_perfmain& m = P->Main();
    // "Mögliche monatliche Entnahme (…), 6 %: 955,84 €"
    auto* zelle = Control<QLineEdit>(m, "edt_Ausz3");
    const QString name = zugang(zelle)->text(QAccessible::Name);
    QVERIFY2(name.startsWith(QStringLiteral("Mögliche monatliche Entnahme")), qPrintable(name));
    QVERIFY2(name.endsWith(QStringLiteral(", 6 %: ") + zelle->text().trimmed()), qPrintable(name));
    // All 26 cells, each its own name with its value.
    QWidget* tabelle = Control<QWidget>(m, "pn_Tabelle");
    QSet<QString> namen;
    for (QLineEdit* e : tabelle->findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        QAccessibleInterface* i = zugang(e);
        QCOMPARE(i->role(), QAccessible::Cell);
        QVERIFY(i->state().readOnly);
        QVERIFY(i->text(QAccessible::Name).endsWith(QStringLiteral(": ") + e->text().trimmed()));
        namen << i->text(QAccessible::Name).section(QStringLiteral(": "), 0, 0);
    }
    QCOMPARE(namen.size(), 26);
    // The chart says what it draws.
    QAccessibleInterface* chart = zugang(Control<QWidget>(m, "Chart4"));
    QCOMPARE(chart->role(), QAccessible::Chart);
    QVERIFY(chart->text(QAccessible::Description).contains(QStringLiteral("Linien")));
    QVERIFY(!chart->text(QAccessible::Name).isEmpty());
}

void TestVorlesen::buttonsPressLikeAClick() {
    Start(BeispielPlan());
    QAccessibleActionInterface* aktion =
        zugang(Control<QWidget>(P->Main(), "btn_Ergebnis"))->actionInterface();
    QVERIFY(aktion);
    QVERIFY(aktion->actionNames().contains(QAccessibleActionInterface::pressAction()));
    ModalAnswerer fenster(ModalAnswerer::AllWindows);
    aktion->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(fenster.classes(), QStringList{"orvanta::Tfrm_DruckPar"});
}

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestVorlesen test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_vorlesen.moc"
