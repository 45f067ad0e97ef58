// The number field driven as a user drives it: keys, Tab, mouse clicks, and
// the real modal message box: display, commit and wrong entries.

#include "editfloatfixture.h"

#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestTEditFloat : public QObject, public TEditFloatFixture {
    Q_OBJECT

private slots:
    void initTestCase() { startTestCase(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void display_data();
    void display();
    void rightAlignedOnlyWithoutFocus();

    void enterCommitsAndNotifies();
    void leavingCommitsAndNotifiesEvenForTheSameNumber();
    void commitEntryTakesOverWithoutNotifying();
    void valuesSetByCodeNeverNotify();
    void emptiedFieldTakesValueDef();

    void wrongEntryOnLeaving_data();
    void wrongEntryOnLeaving();
    void wrongEntryOnEnter();
    void mouseClickElsewhereKeepsTheFocusInAWrongField();
    void committingAWrongEntryThrows();
    void longMessagesAreCut();
    void errorColourLastsUntilTheNextTypedKey();
    void escRestoresTheLastAcceptedValue();

    void boundsSwitchTheirChecks();
    void onlyIgnoredCheckModesCheckTheSyntaxOnly();
};

void TestTEditFloat::display_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("formatEdit");
    QTest::addColumn<QString>("formatView");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("viewText");
    QTest::addColumn<QString>("editText");

    QTest::newRow("no patterns, 0 decimals") << 12.5 << ""
                                             << "" << 0 << false << "12,5"
                                             << "12,5";
    QTest::newRow("no patterns, 2 decimals") << 12.5 << ""
                                             << "" << 2 << false << "12,50"
                                             << "12,5";
    QTest::newRow("no patterns, english") << 12.5 << ""
                                          << "" << 2 << true << "12.50"
                                          << "12.5";
    QTest::newRow("amount") << 200.0 << "####0.00"
                            << "####0.00 €" << 2 << false << "200,00 €"
                            << "200,00";
    QTest::newRow("years") << 35.0 << "##0."
                           << "##0. Jahre" << 0 << false << "35 Jahre"
                           << "35";
    QTest::newRow("rate") << 6.0 << "###0.0"
                          << "###0.0 %" << 1 << false << "6,0 %"
                          << "6,0";
    QTest::newRow("negative") << -2.675 << "###0.00"
                              << "" << 2 << false << "-2,68"
                              << "-2,68";
    QTest::newRow("default edit pattern") << 1234.5 << "###0.00"
                                          << "#,##0.00 EUR" << 2 << false << "1.234,50 EUR"
                                          << "1234,50";
}

void TestTEditFloat::display() {
    QFETCH(double, value);
    QFETCH(QString, formatEdit);
    QFETCH(QString, formatView);
    QFETCH(int, decimals);
    QFETCH(bool, english);
    QFETCH(QString, viewText);
    QFETCH(QString, editText);

    if (english)
        SetFormatSettings(English);
    m_field->SetFormatEdit(formatEdit);
    m_field->SetFormatView(formatView);
    m_field->SetDecimals(static_cast<std::uint8_t>(decimals));
    m_field->SetValue(value);
    QCOMPARE(m_field->text(), viewText);

    TabInto(m_field);
    QVERIFY(m_field->Editing());
    QCOMPARE(m_field->text(), editText);
    QCOMPARE(m_field->selectedText(), editText);
    QVERIFY(!m_field->isModified());

    QTest::keyClick(m_field, Qt::Key_Tab);
    QVERIFY(!m_field->Editing());
    QCOMPARE(m_field->text(), viewText);
    QCOMPARE(m_field->Value(), value);
}

void TestTEditFloat::rightAlignedOnlyWithoutFocus() {
    m_field->SetAlignment(taRightJustify);
    QVERIFY(m_field->alignment() & Qt::AlignRight);
    QCOMPARE(m_field->textMargins().right(), m_field->fontMetrics().height() / 4);
    TabInto(m_field);
    QVERIFY(m_field->alignment() & Qt::AlignLeft);
    QCOMPARE(m_field->textMargins().right(), 0);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QVERIFY(m_field->alignment() & Qt::AlignRight);
    // Without a frame there is no inset.
    m_field->setFrame(false);
    m_field->SetAlignment(taRightJustify);
    QCOMPARE(m_field->textMargins().right(), 0);
}

void TestTEditFloat::enterCommitsAndNotifies() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    // Enter in an unchanged field does nothing.
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(modified.count(), 0);
    QVERIFY(m_field->Editing());

    QTest::keyClicks(m_field, "42,25");
    QCOMPARE(m_field->ValueAt(viValue), 0.0); // not yet taken over
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_field->ValueAt(viValue), 42.25);
    QVERIFY(!m_field->Editing());
    QVERIFY(!m_field->isModified());
    QVERIFY(m_field->hasFocus());
    // Leaving afterwards takes nothing over again.
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_boxes.count(), 0);
}

void TestTEditFloat::leavingCommitsAndNotifiesEvenForTheSameNumber() {
    m_field->SetValue(7);
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_Tab); // unchanged: nothing
    QCOMPARE(modified.count(), 0);

    TabInto(m_field);
    QTest::keyClicks(m_field, "7"); // replaces the selected text by the same number
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_field->Value(), 7.0);
    QVERIFY(m_after->hasFocus());

    // Leaving by mouse click into another field commits as well.
    TabInto(m_field);
    QTest::keyClicks(m_field, "8,5");
    QTest::mouseClick(m_before, Qt::LeftButton);
    QVERIFY(m_before->hasFocus());
    QCOMPARE(modified.count(), 2);
    QCOMPARE(m_field->Value(), 8.5);
    // The typed number is kept as typed, not rounded to Decimals.
    m_field->SetDecimals(0);
    TabInto(m_field);
    QTest::keyClicks(m_field, "2,675");
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->Value(), 2.675);
    QCOMPARE(m_field->text(), QStringLiteral("2,675"));
}

void TestTEditFloat::commitEntryTakesOverWithoutNotifying() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    QTest::keyClicks(m_field, "13");
    QCOMPARE(m_field->Value(), 0.0); // reading takes nothing over
    m_field->CommitEntry();
    QCOMPARE(m_field->Value(), 13.0);
    QCOMPARE(modified.count(), 0);
    QVERIFY(m_field->Editing());
    // The user's notification still comes when the field is left.
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 1);
    // A field that is not being edited returns its value as it stands.
    m_field->setText(QStringLiteral("99"));
    QCOMPARE(m_field->Value(), 13.0);
}

void TestTEditFloat::valuesSetByCodeNeverNotify() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    m_field->SetValueMax(10);
    m_field->SetValue(500); // beyond the bound: code is not checked
    QCOMPARE(m_field->text(), QStringLiteral("500"));
    TabInto(m_field);
    m_field->SetValue(3);
    QCOMPARE(m_field->selectedText(), QStringLiteral("3"));
    QVERIFY(!m_field->isModified());
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 0);
    QCOMPARE(m_boxes.count(), 0);
}

void TestTEditFloat::emptiedFieldTakesValueDef() {
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    m_field->SetValue(55);
    m_field->SetDecimals(2);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->Value(), 0.0);
    QCOMPARE(m_field->text(), QStringLiteral("0,00"));
    QCOMPARE(modified.count(), 1);

    m_field->SetValueDef(12.5);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_Delete);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), 12.5);
    QCOMPARE(m_field->text(), QStringLiteral("12,5"));
    // ValueDef is checked like a typed entry.
    m_field->SetValueMin(20);
    TabInto(m_field);
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.startsWith(QStringLiteral("Der Eingabewert ist zu klein!")));
}

void TestTEditFloat::wrongEntryOnLeaving_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");

    const QString range = QStringLiteral(" Gültige Eingaben liegen im Bereich\n\nvon ");
    QTest::newRow("too large, 2 decimals")
        << 1.0 << 2.0 << 2 << "3" << int(ekTooLarge)
        << QStringLiteral("Der Eingabewert ist zu groß!") + range + "\"1,00\" bis \"2,00\"";
    QTest::newRow("too small, 0 decimals")
        << 1.0 << 99.0 << 0 << "0" << int(ekTooSmall)
        << QStringLiteral("Der Eingabewert ist zu klein!") + range + "\"1\" bis \"99\"";
    QTest::newRow("too small, negative")
        << 1.0 << 10000000.0 << 2 << "-5" << int(ekTooSmall)
        << QStringLiteral("Der Eingabewert ist zu klein!") + range + "\"1,00\" bis \"10000000,00\"";
    QTest::newRow("just above the bound")
        << 0.0 << 150.0 << 0 << "150,001" << int(ekTooLarge)
        << QStringLiteral("Der Eingabewert ist zu groß!") + range + "\"0\" bis \"150\"";
    QTest::newRow("not a number")
        << 0.0 << 0.0 << 0 << "1-2" << int(ekNotValid)
        << QStringLiteral("Der Eingabewert liegt nicht im gültigen Bereich!\n1-2 ist keine "
                          "gültige Zahl.");
    QTest::newRow("two separators")
        << 0.0 << 0.0 << 2 << "1,2,3" << int(ekNotValid)
        << QStringLiteral("Der Eingabewert liegt nicht im gültigen Bereich!\n1,2,3 ist keine "
                          "gültige Zahl.");
}

void TestTEditFloat::wrongEntryOnLeaving() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, decimals);
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(QString, message);

    m_field->SetValueMin(min);
    m_field->SetValueMax(max);
    m_field->SetDecimals(static_cast<std::uint8_t>(decimals));
    m_field->SetValue(min);
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    QSignalSpy afterEntered(m_after, &TCustomUserEdit::entered);

    TabInto(m_field);
    QTest::keyClicks(m_field, typed);
    QTest::keyClick(m_field, Qt::Key_Tab);
    // The field took the focus back at once; the next control never got it.
    QCOMPARE(QApplication::focusWidget(), m_field);
    QCOMPARE(afterEntered.count(), 0);
    QCOMPARE(int(m_field->ErrorKind()), kind);

    QTRY_COMPARE(m_boxes.count(), 1);
    const ModalAnswerer::Seen& box = m_boxes.last();
    QCOMPARE(box.text, message);
    QCOMPARE(box.title, QStringLiteral("Orvanta Test"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // After the box: focus in the field, the wrong text selected, error colour.
    QTRY_VERIFY(m_field->hasFocus());
    QCOMPARE(m_field->text(), typed);
    QCOMPARE(m_field->selectedText(), typed);
    QVERIFY(m_field->ErrorColorShown());
    QCOMPARE(paintedBackground(m_field), ErrRed);
    QVERIFY(m_field->Editing());
    QCOMPARE(modified.count(), 0);
    QCOMPARE(m_field->ValueAt(viValue), min);
    QCOMPARE(afterEntered.count(), 0);
}

void TestTEditFloat::wrongEntryOnEnter() {
    m_field->SetValueMax(20);
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    QTest::keyClicks(m_field, "21");
    QTest::keyClick(m_field, Qt::Key_Return); // the box is answered inside
    QCOMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.endsWith(QStringLiteral("von \"0\" bis \"20\"")));
    QVERIFY(m_field->hasFocus());
    QCOMPARE(m_field->selectedText(), QStringLiteral("21"));
    QCOMPARE(modified.count(), 0);
    QVERIFY(!m_field->ErrorRefocus());

    // Corrected, the entry goes through and the colour has gone with the key.
    QTest::keyClicks(m_field, "20");
    QVERIFY(!m_field->ErrorColorShown());
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(m_field->Value(), 20.0);
    QCOMPARE(m_boxes.count(), 1);

    // Entering again later is a normal entering, not an error refocus.
    QTest::keyClick(m_field, Qt::Key_Tab);
    TabInto(m_field);
    QCOMPARE(m_field->selectedText(), QStringLiteral("20"));
    QVERIFY(!m_field->isModified());
}

void TestTEditFloat::mouseClickElsewhereKeepsTheFocusInAWrongField() {
    TabInto(m_field);
    QTest::keyClicks(m_field, "--");
    QTest::mouseClick(m_after, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), m_field);
    QTRY_COMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.endsWith(QStringLiteral("-- ist keine gültige Zahl.")));
    QTRY_VERIFY(m_field->hasFocus());
    // Esc gives up the wrong entry; then the field may be left.
    QTest::keyClick(m_field, Qt::Key_Escape);
    QCOMPARE(m_field->text(), QStringLiteral("0"));
    QTest::mouseClick(m_after, Qt::LeftButton);
    QVERIFY(m_after->hasFocus());
    QCOMPARE(m_boxes.count(), 1);
}

void TestTEditFloat::committingAWrongEntryThrows() {
    m_field->SetValue(5);
    m_field->SetValueMax(10);
    TabInto(m_field);
    QTest::keyClicks(m_field, "11");
    QString what;
    try {
        m_field->CommitEntry();
        QFAIL("no exception");
    } catch (const EUserEditError& e) {
        what = e.Text;
        QCOMPARE(QString::fromUtf8(e.what()), e.Text);
    }
    QCOMPARE(what, QStringLiteral("Der Eingabewert ist zu groß! Gültige Eingaben liegen im "
                                  "Bereich\n\nvon \"0\" bis \"10\""));
    QVERIFY(m_field->ErrorColorShown());
    QCOMPARE(m_field->selectedText(), QStringLiteral("11"));
    QCOMPARE(m_field->ValueAt(viValue), 5.0);
    // Nothing is shown by the field itself: the caller's error handling does.
    QCoreApplication::processEvents();
    QCOMPARE(m_boxes.count(), 0);
    // Committing again reports it again.
    QVERIFY_THROWS_EXCEPTION(EUserEditError, m_field->CommitEntry());
}

void TestTEditFloat::longMessagesAreCut() {
    TabInto(m_field);
    // Pasted text passes no character filter; the message names it and is cut.
    m_field->insert(QString(300, QLatin1Char('9')) + QStringLiteral("x"));
    QVERIFY(m_field->isModified());
    QString text;
    try {
        m_field->CommitEntry();
    } catch (const EUserEditError& e) {
        text = e.Text;
    }
    QCOMPARE(text.size(), 255);
    QVERIFY(
        text.startsWith(QStringLiteral("Der Eingabewert liegt nicht im gültigen Bereich!\n999")));
}

void TestTEditFloat::errorColourLastsUntilTheNextTypedKey() {
    const QColor normal = paintedBackground(m_field);
    m_field->SetErrColor(QColor(255, 255, 0));
    m_field->SetValueMin(3);
    TabInto(m_field);
    QTest::keyClicks(m_field, "2");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(paintedBackground(m_field), QColor(255, 255, 0));
    // Moving the cursor is no typed key.
    QTest::keyClick(m_field, Qt::Key_Left);
    QVERIFY(m_field->ErrorColorShown());
    QTest::keyClick(m_field, Qt::Key_Backspace);
    QVERIFY(!m_field->ErrorColorShown());
    QCOMPARE(paintedBackground(m_field), normal);
}

void TestTEditFloat::escRestoresTheLastAcceptedValue() {
    m_field->SetValue(10);
    QSignalSpy modified(m_field, &TCustomUserEdit::modified);
    TabInto(m_field);
    QTest::keyClicks(m_field, "77");
    QTest::keyClick(m_field, Qt::Key_Escape);
    QCOMPARE(m_field->text(), QStringLiteral("10"));
    QCOMPARE(m_field->selectedText(), QStringLiteral("10"));
    QVERIFY(!m_field->isModified());
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(modified.count(), 0);
    QCOMPARE(m_field->Value(), 10.0);

    // After a committed entry, Esc brings that one back, also out of an error.
    m_field->SetValueMax(50);
    TabInto(m_field);
    QTest::keyClicks(m_field, "40");
    QTest::keyClick(m_field, Qt::Key_Return);
    QTest::keyClicks(m_field, "60");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 1);
    QTest::keyClick(m_field, Qt::Key_Escape);
    QVERIFY(!m_field->ErrorColorShown());
    QCOMPARE(m_field->text(), QStringLiteral("40"));
    QCOMPARE(m_field->Value(), 40.0);
}

void TestTEditFloat::boundsSwitchTheirChecks() {
    QCOMPARE(m_field->CheckMode(), TUserCheckModes());
    m_field->SetValueMin(1);
    m_field->SetValueMax(2);
    QCOMPARE(m_field->CheckMode(), TUserCheckModes(ucmMinCheck | ucmMaxCheck));
    m_field->SetValueMax(0);
    QCOMPARE(m_field->CheckMode(), TUserCheckModes(ucmMinCheck));
    m_field->SetValueMax(2);
    m_field->SetCheckMode(m_field->CheckMode() & ~TUserCheckModes(ucmMaxCheck));
    m_field->SetValueMax(2); // unchanged: the check stays off
    QCOMPARE(m_field->CheckMode(), TUserCheckModes(ucmMinCheck));

    // Bounds are inclusive; with the upper check off any larger number passes.
    TabInto(m_field);
    QTest::keyClicks(m_field, "1");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), 1.0);
    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(m_field, "1000");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), 1000.0);
    m_field->SetCheckMode(m_field->CheckMode() | ucmMaxCheck);
    QTest::keyClick(m_field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(m_field, "2");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), 2.0);
    QCOMPARE(m_boxes.count(), 0);
}

void TestTEditFloat::onlyIgnoredCheckModesCheckTheSyntaxOnly() {
    m_field->SetValueMax(5);
    m_field->SetCheckMode(TUserCheckModes(ucmNotValid | ucmMandatory));
    TabInto(m_field);
    QTest::keyClicks(m_field, "-100");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_field->Value(), -100.0);
    QTest::keyClicks(m_field, "5-");
    QTest::keyClick(m_field, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 1);
    QCOMPARE(m_field->ErrorKind(), ekNotValid);
}

QTEST_MAIN(TestTEditFloat)
#include "test_teditfloat.moc"
