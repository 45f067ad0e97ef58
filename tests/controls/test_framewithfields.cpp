// The frame and the button over the validated fields: a wrong entry stops a
// click and keeps a dialog open; a typed entry is taken over before Enter
// closes a dialog; the default edit format of the show step.

#include "controls/tbrixdialog.h"
#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/formatsettings.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// A field class of its own: the show step leaves its edit format alone.
class TEditRate : public TEditFloat {
public:
    using TEditFloat::TEditFloat;
};

// Name (tab 0), Anlagedauer 1..99 (1), Betrag (2), button (3).
class FieldDialog : public TbrixDialog {
public:
    TEditText* name = new TEditText(this);
    TEditFloat* years = new TEditFloat(this);
    TEditFloat* amount = new TEditFloat(this);
    TExplorerButton* button = new TExplorerButton(QStringLiteral("E&instellungen"), this);
    QStringList events;

    explicit FieldDialog(bool modal) {
        SetModalDialog(modal);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(years),
                           static_cast<QWidget*>(amount), static_cast<QWidget*>(button)})
            layout->addWidget(w);
        years->SetValueMin(1);
        years->SetValueMax(99);
        years->SetValue(25);
        amount->SetDecimals(2);
        amount->SetValue(200);
        connect(years, &TEditFloat::modified, this,
                [this] { events << QStringLiteral("years %1").arg(years->ValueAt(viValue)); });
        connect(amount, &TEditFloat::modified, this,
                [this] { events << QStringLiteral("amount %1").arg(amount->ValueAt(viValue)); });
        connect(button, &TExplorerButton::clicked, this,
                [this] { events << QStringLiteral("click"); });
    }
    bool Open(QWidget* focus) { return OpenDialog(*this, focus, Qt::TabFocusReason); }
    // Replaces the text of the focused field as a user would.
    static void Retype(QWidget* field, const QString& text) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
};

} // namespace

class TestFrameWithFields : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Test")); }
    void init() {
        SetFormatSettings(TFormatSettings{',', '.'});
        m_boxes.reset();
    }
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void wrongEntryStopsButtonClick();
    void entryIsTakenOverBeforeTheClick();
    void modalEnterInLastFieldTakesOverAndAccepts();
    void modalEnterWithWrongEntryKeepsDialogOpen();
    void modalEnterMovingOnCommitsTheField();
    void nonModalEnterWrapsAndEscRestoresField();
    void showStepGivesDefaultEditFormat();
    void escAfterWrongEntryLeavesNoErrorBehind();
    void escKeepsAValidTypedEntry();
    void fieldEnteredAnewWhenDialogShownAgain();

private:
    ModalAnswerer m_boxes;
};

void TestFrameWithFields::wrongEntryStopsButtonClick() {
    FieldDialog d(false);
    QVERIFY(d.Open(d.years));
    FieldDialog::Retype(d.years, QStringLiteral("100"));

    QTest::mouseClick(d.button, Qt::LeftButton);
    QTRY_COMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.startsWith(QStringLiteral("Der Eingabewert ist zu groß!")));
    QVERIFY(d.events.isEmpty());
    QTRY_VERIFY(d.years->hasFocus());

    // The accelerator goes the same way.
    Key(Qt::Key_I, Qt::AltModifier);
    QTRY_COMPARE(m_boxes.count(), 2);
    QVERIFY(d.events.isEmpty());
    QCOMPARE(d.years->ValueAt(viValue), 25.0);
    d.close();
}

void TestFrameWithFields::entryIsTakenOverBeforeTheClick() {
    FieldDialog d(false);
    QVERIFY(d.Open(d.years));
    FieldDialog::Retype(d.years, QStringLiteral("30"));
    QTest::mouseClick(d.button, Qt::LeftButton);
    QCOMPARE(d.events, QStringList({"years 30", "click"}));
    QVERIFY(d.button->hasFocus());
    QCOMPARE(m_boxes.count(), 0);
    d.close();
}

void TestFrameWithFields::modalEnterInLastFieldTakesOverAndAccepts() {
    FieldDialog d(true);
    // Betrag is the last field before the button; make the button unreachable
    // so that Enter in Betrag wraps to Name.
    d.button->SetTabStop(false);
    WhenModal([&](QWidget*) {
        d.amount->setFocus(Qt::TabFocusReason);
        FieldDialog::Retype(d.amount, QStringLiteral("1234,5"));
        Key(Qt::Key_Return);
    });
    QCOMPARE(d.ShowModal(), int(TbrixDialog::mrOk));
    QCOMPARE(d.amount->ValueAt(viValue), 1234.5);
    QCOMPARE(d.events, QStringList({"amount 1234.5"}));
}

void TestFrameWithFields::modalEnterWithWrongEntryKeepsDialogOpen() {
    FieldDialog d(true);
    QVERIFY(d.Open(d.years));
    QWidget::setTabOrder(d.button, d.name);
    // Anlagedauer is made the last tab stop.
    d.amount->setFocusPolicy(Qt::NoFocus);
    d.button->SetTabStop(false);
    FieldDialog::Retype(d.years, QStringLiteral("0"));
    Key(Qt::Key_Return);
    QTRY_COMPARE(m_boxes.count(), 1);
    QVERIFY(m_boxes.last().text.startsWith(QStringLiteral("Der Eingabewert ist zu klein!")));
    QVERIFY(d.isVisible());
    QTRY_VERIFY(d.years->hasFocus());
    QVERIFY(d.events.isEmpty());

    // Put right, the same Enter takes it over and accepts.
    FieldDialog::Retype(d.years, QStringLiteral("40"));
    Key(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrOk));
    QCOMPARE(d.events, QStringList({"years 40"}));
}

void TestFrameWithFields::modalEnterMovingOnCommitsTheField() {
    FieldDialog d(true);
    QVERIFY(d.Open(d.years));
    FieldDialog::Retype(d.years, QStringLiteral("12"));
    Key(Qt::Key_Return);
    QVERIFY(d.amount->hasFocus());
    QVERIFY(d.isVisible());
    QCOMPARE(d.events, QStringList({"years 12"}));
    // Esc cancels, whatever the field holds.
    FieldDialog::Retype(d.amount, QStringLiteral("5"));
    Key(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrCancel));
}

void TestFrameWithFields::nonModalEnterWrapsAndEscRestoresField() {
    FieldDialog d(false);
    d.button->SetTabStop(false);
    QVERIFY(d.Open(d.amount));
    FieldDialog::Retype(d.amount, QStringLiteral("300"));
    Key(Qt::Key_Return);
    QVERIFY(d.name->hasFocus());
    QCOMPARE(d.events, QStringList({"amount 300"}));

    d.years->setFocus(Qt::TabFocusReason);
    FieldDialog::Retype(d.years, QStringLiteral("7"));
    Key(Qt::Key_Escape);
    QVERIFY(d.isVisible());
    QVERIFY(d.years->hasFocus());
    QCOMPARE(d.years->text(), QStringLiteral("25,00"));
    Key(Qt::Key_Return);
    QVERIFY(d.amount->hasFocus());
    QCOMPARE(d.events, QStringList({"amount 300"}));
    d.close();
}

void TestFrameWithFields::showStepGivesDefaultEditFormat() {
    FieldDialog d(false);
    auto* own = new TEditFloat(&d);
    auto* rate = new TEditRate(&d);
    d.layout()->addWidget(own);
    d.layout()->addWidget(rate);
    own->SetFormatEdit(QStringLiteral("##0.0"));
    d.amount->SetValue(12.5);
    own->SetValue(12.5);
    rate->SetValue(12.5);
    QVERIFY(d.amount->FormatEdit().isEmpty());

    QVERIFY(d.Open(d.amount));
    QCOMPARE(d.amount->FormatEdit(), QStringLiteral("###0.00"));
    QCOMPARE(d.amount->text(), QStringLiteral("12,50"));
    own->setFocus(Qt::TabFocusReason);
    QCOMPARE(own->text(), QStringLiteral("12,5"));
    QCOMPARE(own->FormatEdit(), QStringLiteral("##0.0"));
    rate->setFocus(Qt::TabFocusReason);
    QVERIFY(rate->FormatEdit().isEmpty());
    QCOMPARE(rate->text(), QStringLiteral("12,5"));
    d.close();
}

void TestFrameWithFields::escAfterWrongEntryLeavesNoErrorBehind() {
    FieldDialog d(true);
    QVERIFY(d.Open(d.years));
    const QColor normal = d.years->palette().color(QPalette::Active, QPalette::Base);
    QWidget::setTabOrder(d.button, d.name);
    d.amount->setFocusPolicy(Qt::NoFocus);
    d.button->SetTabStop(false);
    FieldDialog::Retype(d.years, QStringLiteral("0"));
    Key(Qt::Key_Return);
    QTRY_COMPARE(m_boxes.count(), 1);
    QTRY_VERIFY(d.years->hasFocus());
    QVERIFY(d.years->ErrorColorShown());

    // The frame takes Esc and cancels: the field must not stay red.
    Key(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrCancel));
    QVERIFY(!d.years->ErrorColorShown());
    QVERIFY(!d.years->Editing());
    QCOMPARE(d.years->palette().color(QPalette::Active, QPalette::Base), normal);
    QCOMPARE(d.years->ValueAt(viValue), 25.0);
    QCOMPARE(d.years->text(), QStringLiteral("25"));

    // A value set by code meanwhile shows in the view pattern.
    d.years->SetValue(30);
    QCOMPARE(d.years->text(), QStringLiteral("30"));

    // Shown again: the field is entered as usual, in its normal colour.
    d.open();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(d.years->hasFocus());
    QVERIFY(!d.years->ErrorColorShown());
    QCOMPARE(d.years->palette().color(QPalette::Active, QPalette::Base), normal);
    QCOMPARE(d.years->text(), QStringLiteral("30,00"));
    QVERIFY(d.events.isEmpty());
    d.done(TbrixDialog::mrCancel);
}

void TestFrameWithFields::escKeepsAValidTypedEntry() {
    // Windows that save after every closing (the commission settings) read
    // the field afterwards: a valid entry typed before Esc is not lost.
    FieldDialog d(true);
    QVERIFY(d.Open(d.amount));
    FieldDialog::Retype(d.amount, QStringLiteral("450"));
    Key(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrCancel));
    QVERIFY(!d.amount->Editing());
    QCOMPARE(d.amount->Value(), 450.0);
    QCOMPARE(d.amount->text(), QStringLiteral("450,00"));
    QVERIFY(d.events.isEmpty());
}

void TestFrameWithFields::fieldEnteredAnewWhenDialogShownAgain() {
    FieldDialog d(true);
    QVERIFY(d.Open(d.years));
    QWidget::setTabOrder(d.button, d.name);
    d.amount->setFocusPolicy(Qt::NoFocus);
    d.button->SetTabStop(false);
    d.years->SetFormatView(QStringLiteral("##0 Jahre"));
    FieldDialog::Retype(d.years, QStringLiteral("40"));
    Key(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrOk));
    QCOMPARE(d.events, QStringList({"years 40"}));
    // Closed, the field is no longer being edited and shows its view pattern.
    QVERIFY(!d.years->Editing());
    QCOMPARE(d.years->text(), QStringLiteral("40 Jahre"));

    // Loaded anew while hidden, as a window's LoadData does.
    d.years->SetValue(5);
    QCOMPARE(d.years->text(), QStringLiteral("5 Jahre"));

    // Shown again, the field still holds the window's focus and gets it back
    // through the activation: that is entering it.
    d.open();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(d.years->hasFocus());
    QVERIFY(d.years->Editing());
    QCOMPARE(d.years->text(), QStringLiteral("5,00"));
    QCOMPARE(d.years->selectedText(), d.years->text());
    QVERIFY(!d.years->isModified());

    // Typing replaces the selected value.
    QTest::keyClicks(d.years, QStringLiteral("7"));
    QCOMPARE(d.years->text(), QStringLiteral("7"));
    Key(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(m_boxes.count(), 0);
    QCOMPARE(d.years->ValueAt(viValue), 7.0);
    QCOMPARE(d.events, QStringList({"years 40", "years 7"}));
}

QTEST_MAIN(TestFrameWithFields)
#include "test_framewithfields.moc"
