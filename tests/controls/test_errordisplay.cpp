// The application's error display: the real modal box and the full stop rule.

#include "controls/errordisplay.h"
#include "controls/tcustomuseredit.h"
#include "tests/support/modalanswerer.h"

#include <QtTest>

#include <filesystem>

using namespace orvanta;
using namespace orvanta::testing;

class TestErrorDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void fullStop_data();
    void fullStop();
    void showsAModalErrorBox();
    void runAndReportEndsTheOperation();

private:
    ModalAnswerer m_boxes;
};

void TestErrorDisplay::initTestCase() {
    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta 1.6"));
}

void TestErrorDisplay::cleanup() {
    m_boxes.reset();
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* w : tops)
        QVERIFY2(!w->isVisible(), w->metaObject()->className());
}

void TestErrorDisplay::fullStop_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Datei nicht gefunden"
                            << "Datei nicht gefunden.";
    QTest::newRow("digit") << "Fehler 5"
                           << "Fehler 5.";
    QTest::newRow("quote") << "bis \"2,00\""
                           << "bis \"2,00\"";
    QTest::newRow("exclamation") << "zu groß!"
                                 << "zu groß!";
    QTest::newRow("full stop") << "Ende."
                               << "Ende.";
    QTest::newRow("umlaut") << "Prüfung fehlgeschlagen für Ä"
                            << "Prüfung fehlgeschlagen für Ä.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestErrorDisplay::fullStop() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(ErrorDisplayText(text), shown);
}

void TestErrorDisplay::showsAModalErrorBox() {
    QWidget window;
    window.show();
    ShowErrorMessage(QStringLiteral("Fehler bei Bereichsprüfung"), &window);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("Fehler bei Bereichsprüfung."));
    QCOMPARE(m_boxes.last().title, QStringLiteral("Orvanta 1.6"));
    QCOMPARE(m_boxes.last().icon, QMessageBox::Critical);
    QCOMPARE(m_boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestErrorDisplay::runAndReportEndsTheOperation() {
    bool after = false;
    const bool ok = RunAndReport([&] {
        throw EUserEditError(QStringLiteral("Der Eingabewert ist zu klein!"));
        after = true;
    });
    QVERIFY(!ok);
    QVERIFY(!after);
    QCOMPARE(m_boxes.last().text, QStringLiteral("Der Eingabewert ist zu klein!"));
    QVERIFY(RunAndReport([&] { after = true; }));
    QVERIFY(after);
    QCOMPARE(m_boxes.count(), 1);
    // The operating system's errors in German, not in the library's English.
    QVERIFY(!RunAndReport([] {
        throw std::filesystem::filesystem_error("", "/ordner/plan.Dat",
                                                std::make_error_code(std::errc::permission_denied));
    }));
    QCOMPARE(m_boxes.last().text, QStringLiteral("„/ordner/plan.Dat“: Dateizugriff verweigert."));
}

QTEST_MAIN(TestErrorDisplay)
#include "test_errordisplay.moc"
