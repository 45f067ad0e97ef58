// The text field: patterns, text bounds, ValueDef, the 255-character limit.

#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QClipboard>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestTEditText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void patterns_data();
    void patterns();
    void everyCharacterButTabGoesIn();
    void charactersTheFileCannotHoldAreRefused_data();
    void charactersTheFileCannotHoldAreRefused();
    void commitRules();
    void textBounds_data();
    void textBounds();
    void boundsSwitchTheirChecks();
    void emptiedFieldTakesValueDef();
    void limitedTo255Characters();
    void longTextShowsItsBeginningWhenLeft();

private:
    QWidget* m_window = nullptr;
    TEditFloat* m_before = nullptr;
    TEditText* m_field = nullptr;
    TEditFloat* m_after = nullptr;
    ModalAnswerer m_boxes;
};

void TestTEditText::initTestCase() {
    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Test"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestTEditText::init() {
    m_boxes.reset();
    m_window = new QWidget;
    m_before = new TEditFloat(m_window);
    m_field = new TEditText(m_window);
    m_after = new TEditFloat(m_window);
    QVERIFY(ShowInColumn(*m_window, {m_before, m_field, m_after}));
}

void TestTEditText::cleanup() {
    delete m_window;
    m_window = nullptr;
    ORVANTA_VERIFY_NO_WINDOW_LEFT();
}

void TestTEditText::patterns_data() {
    QTest::addColumn<QString>("formatEdit");
    QTest::addColumn<QString>("formatView");
    QTest::addColumn<QString>("viewText");
    QTest::addColumn<QString>("editText");
    QTest::newRow("none") << ""
                          << ""
                          << "Ott"
                          << "Ott";
    QTest::newRow("view only") << ""
                               << "Herr %s"
                               << "Herr Ott"
                               << "Ott";
    QTest::newRow("both") << "[%s]"
                          << "%s (100 %%)"
                          << "Ott (100 %)"
                          << "[Ott]";
    QTest::newRow("no placeholder") << ""
                                    << "-"
                                    << "-"
                                    << "Ott";
}

void TestTEditText::patterns() {
    QFETCH(QString, formatEdit);
    QFETCH(QString, formatView);
    QFETCH(QString, viewText);
    QFETCH(QString, editText);
    m_field->SetFormatEdit(formatEdit);
    m_field->SetFormatView(formatView);
    m_field->SetValue(QStringLiteral("Ott"));
    QCOMPARE(m_field->text(), viewText);
    TabInto(m_field);
    QCOMPARE(m_field->text(), editText);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->text(), viewText);
    QCOMPARE(m_field->Value(), QStringLiteral("Ott"));
}

void TestTEditText::everyCharacterButTabGoesIn() {
    TabInto(m_field);
    QTest::keyClicks(m_field, "Ab 1,5.-%\"'");
    QCOMPARE(m_field->text(), QStringLiteral("Ab 1,5.-%\"'"));
    QTest::keyClick(m_field, Qt::Key_Tab); // moves on, never goes in
    QVERIFY(m_after->hasFocus());
    QCOMPARE(m_field->Value(), QStringLiteral("Ab 1,5.-%\"'"));
}

void TestTEditText::charactersTheFileCannotHoldAreRefused_data() {
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("kept");
    // Windows-1252 has the umlauts, the euro sign and typographic quotes,
    // not the Polish or Czech letters, Cyrillic or emoji.
    const QString names = QStringLiteral("Müller-Lüdenscheidt „Ös“ 5 €");
    QTest::newRow("typed: Windows-1252 goes in") << false << names << names;
    QTest::newRow("typed: Ł refused") << false << QStringLiteral("Łukasz") << "ukasz";
    QTest::newRow("typed: mixed") << false << QStringLiteral("Dvořák Ивана")
                                  << QStringLiteral("Dvoák ");
    QTest::newRow("pasted: Ł and emoji dropped")
        << true << QStringLiteral("Łukasz 😀 Nowak") << QStringLiteral("ukasz  Nowak");
}

void TestTEditText::charactersTheFileCannotHoldAreRefused() {
    QFETCH(bool, pasted);
    QFETCH(QString, entry);
    QFETCH(QString, kept);
    TabInto(m_field);
    if (pasted) {
        QApplication::clipboard()->setText(entry);
        QTest::keyClick(m_field, Qt::Key_V, Qt::ControlModifier);
    } else {
        typeText(m_field, entry);
    }
    QCOMPARE(m_field->text(), kept);
    QCOMPARE(m_field->cursorPosition(), kept.size());
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->Value(), kept);
    QCOMPARE(m_boxes.count(), 0);
}

void TestTEditText::commitRules() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    m_field->SetValue(QStringLiteral("Alt"));
    TabInto(m_field);
    QTest::keyClicks(m_field, "Neu");
    m_field->CommitEntry();
    QCOMPARE(m_field->Value(), QStringLiteral("Neu")); // committed by code: taken, no notice
    QCOMPARE(modified.count(), 0);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(modified.count(), 1);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(modified.count(), 1);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);

    TabInto(m_field);
    QTest::keyClicks(m_field, "Weg");
    QTest::keyClick(m_field, Qt::Key_Escape);
    QCOMPARE(m_field->text(), QStringLiteral("Neu"));
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_field->Value(), QStringLiteral("Neu"));
}

void TestTEditText::textBounds_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind");
    QTest::newRow("lower bound, other case") << "b" << int(ekNone);
    QTest::newRow("upper bound, other case") << "MÜLLER" << int(ekNone);
    QTest::newRow("between") << "Kaiser" << int(ekNone);
    QTest::newRow("umlaut sorts by its letter") << "Äpfel" << int(ekTooSmall);
    QTest::newRow("before") << "Aal" << int(ekTooSmall);
    QTest::newRow("after") << "Müllers" << int(ekTooLarge);
}

void TestTEditText::textBounds() {
    QFETCH(QString, typed);
    QFETCH(int, kind);
    m_field->SetValueMin(QStringLiteral("B"));
    m_field->SetValueMax(QStringLiteral("Müller"));
    TabInto(m_field);
    typeText(m_field, typed);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(int(m_field->ErrorKind()), kind);
    if (kind == ekNone) {
        QCOMPARE(m_boxes.count(), 0);
        QCOMPARE(m_field->Value(), typed);
        return;
    }
    QCOMPARE(m_boxes.count(), 1);
    const QString head = kind == ekTooSmall ? QStringLiteral("Der Eingabewert ist zu klein!")
                                            : QStringLiteral("Der Eingabewert ist zu groß!");
    // Ends with a quote: no full stop is added.
    QCOMPARE(m_boxes.last().text, head + QStringLiteral(" Gültige Eingaben liegen im Bereich\n\n"
                                                        "von \"B\" bis \"Müller\""));
    QCOMPARE(m_boxes.last().icon, QMessageBox::Critical);
    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_field->selectedText(), typed);
    QVERIFY(m_field->ErrorColorShown());
    QCOMPARE(m_field->ValueAt(viValue), QString());
}

void TestTEditText::boundsSwitchTheirChecks() {
    m_field->SetValueMin(QStringLiteral("A"));
    m_field->SetValueMax(QStringLiteral("Z"));
    QCOMPARE(m_field->CheckMode(), TUserCheckModes(ucmMinCheck | ucmMaxCheck));
    m_field->SetValueMin(QString());
    QCOMPARE(m_field->CheckMode(), TUserCheckModes(ucmMaxCheck));
    m_field->SetCheckMode(TUserCheckModes());
    m_field->SetValueMax(QStringLiteral("Z"));
    QCOMPARE(m_field->CheckMode(), TUserCheckModes());
}

void TestTEditText::emptiedFieldTakesValueDef() {
    m_field->SetValue(QStringLiteral("Ott"));
    m_field->SetValueDef(QStringLiteral("unbekannt"));
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_Delete);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->Value(), QStringLiteral("unbekannt"));
    QCOMPARE(m_field->text(), QStringLiteral("unbekannt"));
}

void TestTEditText::limitedTo255Characters() {
    m_field->SetValue(QString(300, QLatin1Char('x')));
    QCOMPARE(m_field->Value().size(), 255);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_End);
    QTest::keyClicks(m_field, "yz");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), QString(255, QLatin1Char('x')));
}

void TestTEditText::longTextShowsItsBeginningWhenLeft() {
    TabInto(m_field);
    QTest::keyClicks(m_field, QStringLiteral("Anfang ") + QString(80, QLatin1Char('m')));
    QVERIFY(m_field->cursorPosition() > 0);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->cursorPosition(), 0);
}

QTEST_MAIN(TestTEditText)
#include "test_tedittext.moc"
