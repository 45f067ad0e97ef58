// The number field driven as a user drives it: what typing may enter, the
// conversion keys, and the field among windows, handlers and disabling.

#include "editfloatfixture.h"

#include "controls/housestyle.h"

#include <QShortcut>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>

using namespace orvanta;
using namespace orvanta::testing;

class TestTEditFloatKeys : public QObject, public TEditFloatFixture {
    Q_OBJECT

private slots:
    void initTestCase() { startTestCase(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void characterFilter_data();
    void characterFilter();
    void typedNumbers_data();
    void typedNumbers();
    void deutscheMarkConversion();
    void keypadDecimalKeyGivesTheRegionalSeparator();
    void conversionKeysWinOverWindowShortcuts();
    void keysTypedAheadReportOnce();

    void switchingWindowsIsNotLeaving();
    void failingHandlerIsReportedAndTheEntryKept();
    void disabledColours();
    void disablingAFieldWithAWrongEntryGivesItUp();
};

void TestTEditFloatKeys::characterFilter_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    // The thousands separator goes in: where it does not group thousands it
    // is read as the decimal separator (typedNumbers).
    QTest::newRow("german") << false << "1a2,5.x-E %"
                            << "12,5.-";
    QTest::newRow("english") << true << "1a2,5.x-E %"
                             << "12,5.-";
    QTest::newRow("umlaut and euro") << false << QStringLiteral("ä€3") << "3";
    QTest::newRow("letters only: the selected value stays") << false << "abc"
                                                            << "0";
}

void TestTEditFloatKeys::characterFilter() {
    QFETCH(bool, english);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    if (english)
        SetFormatSettings(English);
    TabInto(m_field);
    typeText(m_field, keys);
    QCOMPARE(m_field->text(), shown);
}

void TestTEditFloatKeys::typedNumbers_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shownAfterEnter");

    // A habitual dot is the decimal point, never a silent factor of 100.
    QTest::newRow("150.50") << "150.50" << false << 150.5 << "150.50";
    QTest::newRow("grouping kept") << "1.000" << false << 1000.0 << "1.000";
    QTest::newRow("grouping and comma") << "1.000.000,50" << false << 1000000.5 << "1.000.000,50";
    // Whole-number fields take the whole part that is stored, and show it.
    QTest::newRow("whole: fraction dropped") << "35,7" << true << 35.0 << "35";
    QTest::newRow("whole: habitual dot") << "40.9" << true << 40.0 << "40";
    QTest::newRow("whole: no negative zero") << "-0,5" << true << 0.0 << "0";
    QTest::newRow("whole: below the upper bound once whole") << "99,9" << true << 99.0 << "99";
}

void TestTEditFloatKeys::typedNumbers() {
    QFETCH(QString, typed);
    QFETCH(bool, whole);
    QFETCH(double, value);
    QFETCH(QString, shownAfterEnter);
    m_field->SetWholeNumbers(whole);
    m_field->SetValueMax(whole ? 99 : 0);
    m_field->SetFormatView(whole ? QStringLiteral("##0. Jahre") : QString());
    TabInto(m_field);
    typeText(m_field, typed);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 0);
    QCOMPARE(m_field->Value(), value);
    QVERIFY(!std::signbit(m_field->Value()));
    QCOMPARE(m_field->text(), shownAfterEnter);
    QTest::keyClick(m_field, Qt::Key_Tab);
    if (whole)
        QCOMPARE(m_field->text(), QString::number(value) + QStringLiteral(" Jahre"));
    QCOMPARE(m_field->Value(), value);
}

void TestTEditFloatKeys::deutscheMarkConversion() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    m_field->SetValue(100);
    m_field->SetValueMax(150);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_field->Value(), 100 / 1.95583);
    QCOMPARE(m_field->selectedText(), m_field->text());
    // The converted amount is an entry: the window hears of it at once.
    QCOMPARE(modified.count(), 1);
    QTest::keyClick(m_field, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_field->Value(), 100 / 1.95583 * 1.95583);
    QCOMPARE(modified.count(), 2);

    // A typed entry is taken over first; a result beyond the bounds is
    // refused like a typed one, and the value stays.
    QTest::keyClicks(m_field, "70");
    QTest::keyClick(m_field, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_field->Value(), 70 * 1.95583);
    QVERIFY(!m_field->isModified());
    QCOMPARE(modified.count(), 3);
    QTest::keyClick(m_field, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.startsWith(QStringLiteral("Der Eingabewert ist zu groß!")));
    QCOMPARE(m_field->Value(), 70 * 1.95583);
    QCOMPARE(modified.count(), 3);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 3);
    m_boxes.reset();

    // A wrong typed entry stops the conversion with its message.
    m_field->SetValue(10);
    TabInto(m_field);
    QTest::keyClicks(m_field, "151");
    QTest::keyClick(m_field, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_field->ValueAt(viValue), 10.0);
    // Without both modifiers the letters are just filtered out.
    QTest::keyClick(m_field, Qt::Key_Escape);
    QTest::keyClick(m_field, Qt::Key_E, Qt::ControlModifier);
    QTest::keyClick(m_field, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(m_field->Value(), 10.0);
}

void TestTEditFloatKeys::keypadDecimalKeyGivesTheRegionalSeparator() {
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_1);
    QTest::keyClick(m_field, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(m_field, Qt::Key_5, Qt::KeypadModifier);
    QCOMPARE(m_field->text(), QStringLiteral("1,5"));
    SetFormatSettings(English);
    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(m_field, Qt::Key_2);
    QTest::keyClick(m_field, Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(m_field, Qt::Key_5);
    QCOMPARE(m_field->text(), QStringLiteral("2.5"));
}

void TestTEditFloatKeys::switchingWindowsIsNotLeaving() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    QTest::keyClicks(m_field, "123");
    // Another window (here a message box of someone else) comes and goes.
    QMessageBox::information(m_window, QStringLiteral("Hinweis"), QStringLiteral("Test"));
    QCOMPARE(m_boxes.count(), 1);
    QTRY_VERIFY(m_field->hasFocus());
    QVERIFY(m_field->Editing());
    QVERIFY(m_field->isModified());
    QCOMPARE(m_field->text(), QStringLiteral("123"));
    QCOMPARE(modified.count(), 0);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_field->Value(), 123.0);

    // Typing after Enter survives a window switch as well.
    TabInto(m_field);
    QTest::keyClicks(m_field, "5");
    QTest::keyClick(m_field, Qt::Key_Return);
    QTest::keyClicks(m_field, "6");
    QMessageBox::information(m_window, QStringLiteral("Hinweis"), QStringLiteral("Test"));
    QTRY_VERIFY(m_field->hasFocus());
    QCOMPARE(m_field->text(), QStringLiteral("56"));
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->Value(), 56.0);
    QCOMPARE(modified.count(), 3);
}

void TestTEditFloatKeys::failingHandlerIsReportedAndTheEntryKept() {
    connect(m_field, &TCustomUserEdit::modified, m_window,
            [] { throw EMathError("Gleitkommadivision durch Null"); });
    TabInto(m_field);
    QTest::keyClicks(m_field, "4");
    QTest::keyClick(m_field, Qt::Key_Tab);
    QTRY_COMPARE(m_boxes.count(), 1);
    QCOMPARE(m_boxes.last().text, QStringLiteral("Gleitkommadivision durch Null."));
    QCOMPARE(m_field->Value(), 4.0);
    QTRY_VERIFY(m_after->hasFocus());
    QVERIFY(!m_field->Editing());
}

void TestTEditFloatKeys::disabledColours() {
    const QPalette app = QApplication::palette();
    const QColor face = app.color(QPalette::Active, QPalette::Button);
    const QColor normal = paintedBackground(m_field);
    QVERIFY(normal != face);
    m_field->setEnabled(false);
    QCOMPARE(paintedBackground(m_field), face);
    // The platform's grey, darkened as far as a readable contrast needs.
    const QColor text = m_field->palette().color(QPalette::Disabled, QPalette::Text);
    QCOMPARE(text, ReadableTextColor(app.color(QPalette::Disabled, QPalette::Text), face));
    QVERIFY2(ContrastRatio(text, face) >= 4.5,
             qPrintable(QStringLiteral("%1 on %2").arg(text.name(), face.name())));
    m_field->setEnabled(true);
    QCOMPARE(paintedBackground(m_field), normal);

    // Created disabled: the disabled colours at once.
    TEditFloat created(m_window);
    created.setEnabled(false);
    created.resize(m_field->size());
    QCOMPARE(paintedBackground(&created), face);
}

void TestTEditFloatKeys::disablingAFieldWithAWrongEntryGivesItUp() {
    m_field->SetValue(3);
    m_field->SetValueMax(5);
    TabInto(m_field);
    QTest::keyClicks(m_field, "9");
    m_field->setEnabled(false); // as a handler elsewhere may do
    QTRY_COMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.startsWith(QStringLiteral("Der Eingabewert ist zu groß!")));
    QVERIFY(!m_field->hasFocus());
    QVERIFY(!m_field->Editing());
    QCOMPARE(m_field->text(), QStringLiteral("3"));
    QCOMPARE(m_field->Value(), 3.0);
    // Enabled again, it is entered as usual.
    m_field->setEnabled(true);
    TabInto(m_field);
    QCOMPARE(m_field->selectedText(), QStringLiteral("3"));
    QVERIFY(!m_field->ErrorRefocus());
}

void TestTEditFloatKeys::conversionKeysWinOverWindowShortcuts() {
    int fired = 0;
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E), m_window);
    connect(shortcut, &QShortcut::activated, m_window, [&fired] { ++fired; });
    m_field->SetValue(1.95583);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(fired, 0);
    QCOMPARE(m_field->Value(), 1.0);
}

void TestTEditFloatKeys::keysTypedAheadReportOnce() {
    m_field->SetValueMax(9);
    TabInto(m_field);
    QTest::keyClicks(m_field, "10");
    QTest::keyClick(m_field, Qt::Key_Tab);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QTRY_COMPARE(m_boxes.count(), 1);
    // A second message would be due now.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(m_boxes.count(), 1);
}

QTEST_MAIN(TestTEditFloatKeys)
#include "test_teditfloatkeys.moc"
