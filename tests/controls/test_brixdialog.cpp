// The dialog frame: Enter and Esc in modal and non-modal windows, the tab
// number rule, the show step and a window's own key handler.

#include "controls/tbrixdialog.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Root: combo (tab 0), panel (1) holding inner1 (0) and inner2 (1), check (2),
// button (3). The focus chain follows the creation order.
class FrameDialog : public TbrixDialog {
public:
    TEditCombo* combo = new TEditCombo(this);
    QFrame* panel = new QFrame(this);
    TEditCheck* inner1 = new TEditCheck(QStringLiteral("innen 1"), panel);
    TEditCheck* inner2 = new TEditCheck(QStringLiteral("innen 2"), panel);
    TEditCheck* check = new TEditCheck(QStringLiteral("außen"), this);
    TExplorerButton* button = new TExplorerButton(QStringLiteral("OK"), this);
    int clicks = 0;

    explicit FrameDialog(bool modal) {
        SetModalDialog(modal);
        combo->ItemRefList()->Add(QStringLiteral("männlich"), 1);
        combo->ItemRefList()->Add(QStringLiteral("weiblich"), 2);
        combo->setGeometry(10, 10, 120, 21);
        panel->setGeometry(10, 40, 200, 60);
        inner1->setGeometry(5, 5, 100, 20);
        inner2->setGeometry(5, 30, 100, 20);
        check->setGeometry(10, 110, 100, 20);
        button->setGeometry(10, 140, 80, 21);
        resize(240, 180);
        connect(button, &TExplorerButton::clicked, this, [this] { ++clicks; });
    }
    // Opens without blocking; modal results are read with result().
    bool Open(QWidget* focus = nullptr) { return OpenDialog(*this, focus); }
};

} // namespace

class TestBrixDialog : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void tabNumbersAndOrder();
    void modalEnterOnLastControlAccepts();
    void modalEnterMovesOnOrAcceptsByTabNumber();
    void modalShiftEnter();
    void modalEscCancelsUnlessComboListIsOpen();
    void enterAndEscIgnoredWithAltAndOnOtherControls();
    void buttonActivatedByReturnClicksInsteadOfMovingOn();
    void searchSkipsControlsThatCannotTakeFocus();
    void singleFocusableControlAcceptsOnEnter();
    void nonModalEnterWrapsAndEscStaysOpen();
    void showStepMovesFocusOnlyWhenNotModal();
    void windowHandlerComesFirst();
    void closingTheWindowCancels();
};

void TestBrixDialog::tabNumbersAndOrder() {
    FrameDialog d(true);
    QCOMPARE(TbrixDialog::TabNumber(d.combo), 0);
    QCOMPARE(TbrixDialog::TabNumber(d.panel), 1);
    QCOMPARE(TbrixDialog::TabNumber(d.inner1), 0);
    QCOMPARE(TbrixDialog::TabNumber(d.inner2), 1);
    QCOMPARE(TbrixDialog::TabNumber(d.check), 2);
    QCOMPARE(TbrixDialog::TabNumber(d.button), 3);
    const QList<QWidget*> expected{d.combo, d.panel, d.inner1, d.inner2, d.check, d.button};
    QCOMPARE(d.TabOrderList(), expected);
    // The platform's tab order decides, not the creation order.
    QWidget::setTabOrder(d.check, d.combo);
    QCOMPARE(TbrixDialog::TabNumber(d.check), 1);
    QCOMPARE(TbrixDialog::TabNumber(d.combo), 2);
}

void TestBrixDialog::modalEnterOnLastControlAccepts() {
    FrameDialog d(true);
    WhenModal([&](QWidget*) {
        d.button->setFocus();
        Key(Qt::Key_Return);
    });
    QCOMPARE(d.ShowModal(), int(TbrixDialog::mrOk));
    QVERIFY(!d.isVisible());
    QCOMPARE(d.clicks, 0);
}

void TestBrixDialog::modalEnterMovesOnOrAcceptsByTabNumber() {
    FrameDialog d(true);
    // Forward to a higher tab number: the focus moves, the button is not clicked.
    QVERIFY(d.Open(d.check));
    Key(Qt::Key_Return);
    QVERIFY(d.button->hasFocus());
    QVERIFY(d.isVisible());
    QCOMPARE(d.clicks, 0);
    // Inside the container the numbers rise too.
    d.inner1->setFocus();
    Key(Qt::Key_Enter);
    QVERIFY(d.inner2->hasFocus());
    Key(Qt::Key_Return);
    QVERIFY(d.check->hasFocus());
    QVERIFY(d.isVisible());

    // Into a container: inner1 has tab number 0, not above the combo's 0.
    d.combo->setFocus();
    Key(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrOk));
}

void TestBrixDialog::modalShiftEnter() {
    FrameDialog d(true);
    // The first control wraps to the end, whose number is higher: move.
    QVERIFY(d.Open(d.combo));
    Key(Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(d.button->hasFocus());
    QVERIFY(d.isVisible());
    // Elsewhere the previous control has a lower number: accept.
    Key(Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrOk));
}

void TestBrixDialog::modalEscCancelsUnlessComboListIsOpen() {
    FrameDialog d(true);
    QVERIFY(d.Open(d.combo));
    d.combo->SetDroppedDown(true);
    QVERIFY(d.combo->DroppedDown());
    QVERIFY(!d.BrixKeyDown(Qt::Key_Escape, Qt::NoModifier, d.combo));
    QVERIFY(d.isVisible());
    // The real key goes to the open list, which closes.
    QTest::keyClick(d.combo->findChild<QListWidget*>(), Qt::Key_Escape);
    QVERIFY(!d.combo->DroppedDown());
    QVERIFY(d.isVisible());

    d.check->setFocus();
    Key(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(TbrixDialog::mrCancel));
}

void TestBrixDialog::enterAndEscIgnoredWithAltAndOnOtherControls() {
    FrameDialog d(true);
    auto* plain = new QLineEdit(&d);
    plain->setGeometry(120, 140, 100, 21);
    QVERIFY(d.Open(d.button));
    Key(Qt::Key_Return, Qt::AltModifier);
    Key(Qt::Key_Escape, Qt::AltModifier);
    QVERIFY(d.button->hasFocus());
    QVERIFY(d.isVisible());
    // Enter and Esc of the window itself do nothing.
    QVERIFY(!d.BrixKeyDown(Qt::Key_Return, Qt::NoModifier, &d));
    QVERIFY(!d.BrixKeyDown(Qt::Key_Escape, Qt::NoModifier, &d));
    // A control outside the input family keeps its own Enter and Esc.
    plain->setFocus();
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
    QVERIFY(plain->hasFocus());
    QVERIFY(d.isVisible());
    d.close();
}

void TestBrixDialog::buttonActivatedByReturnClicksInsteadOfMovingOn() {
    FrameDialog d(true);
    d.button->SetActivateByReturn(true);
    QVERIFY(d.Open(d.button));
    Key(Qt::Key_Return);
    QCOMPARE(d.clicks, 1);
    QVERIFY(d.isVisible());
    QVERIFY(d.button->hasFocus());
    d.close();
}

void TestBrixDialog::searchSkipsControlsThatCannotTakeFocus() {
    FrameDialog d(false);
    QVERIFY(d.Open(d.combo));
    d.inner1->setEnabled(false);
    d.inner2->SetCaption(QStringLiteral("ohne Tabstopp"));
    d.inner2->setFocusPolicy(Qt::ClickFocus);
    Key(Qt::Key_Return);
    QVERIFY(d.check->hasFocus());

    d.panel->setEnabled(false);
    d.inner1->setEnabled(true);
    d.inner2->setFocusPolicy(Qt::StrongFocus);
    d.combo->setFocus();
    Key(Qt::Key_Return);
    QVERIFY(d.check->hasFocus());

    d.panel->setEnabled(true);
    d.panel->hide();
    d.combo->setFocus();
    Key(Qt::Key_Return);
    QVERIFY(d.check->hasFocus());
    d.close();
}

void TestBrixDialog::singleFocusableControlAcceptsOnEnter() {
    TbrixDialog d;
    d.SetModalDialog(true);
    auto* only = new TEditCheck(QStringLiteral("einzig"), &d);
    auto* disabled = new TExplorerButton(QStringLiteral("Abbrechen"), &d);
    disabled->setEnabled(false);
    only->move(10, 10);
    disabled->move(10, 40);
    WhenModal([&](QWidget*) {
        only->setFocus();
        Key(Qt::Key_Return);
    });
    QCOMPARE(d.ShowModal(), int(TbrixDialog::mrOk));
}

void TestBrixDialog::nonModalEnterWrapsAndEscStaysOpen() {
    FrameDialog d(false);
    QVERIFY(d.Open(d.button));
    Key(Qt::Key_Return);
    QVERIFY(d.combo->hasFocus());
    d.check->setFocus();
    Key(Qt::Key_Return, Qt::ShiftModifier);
    QVERIFY(d.inner2->hasFocus());
    Key(Qt::Key_Escape);
    QVERIFY(d.isVisible());
    QCOMPARE(d.clicks, 0);
    d.close();
}

void TestBrixDialog::showStepMovesFocusOnlyWhenNotModal() {
    // A window shown with its last tab stop active ends on the first.
    FrameDialog d(false);
    d.button->setFocus();
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(d.combo->hasFocus());
    d.close();

    // Shown again: the step runs at every showing.
    d.button->setFocus();
    d.show();
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    QTRY_VERIFY(d.combo->hasFocus());
    d.close();

    FrameDialog m(true);
    m.button->setFocus();
    WhenModal([&](QWidget*) {
        QCoreApplication::processEvents();
        QVERIFY(m.button->hasFocus());
        m.done(TbrixDialog::mrCancel);
    });
    QCOMPARE(m.ShowModal(), int(TbrixDialog::mrCancel));
}

namespace {

class WindowWithOwnKeys : public FrameDialog {
public:
    using FrameDialog::FrameDialog;
    QStringList taken;
    TEditLabel* label = new TEditLabel(QStringLiteral("&Person"), this);
    QLineEdit* edit = new QLineEdit(this);

protected:
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) override {
        if (key == Qt::Key_P && (shift & Qt::AltModifier)) {
            taken << QStringLiteral("Alt+P");
            return true;
        }
        if (key == Qt::Key_F9) {
            taken << (sender == this ? QStringLiteral("F9 at window") : QStringLiteral("F9"));
            return true;
        }
        return TbrixDialog::FormKeyDown(key, shift, sender);
    }
};

} // namespace

void TestBrixDialog::windowHandlerComesFirst() {
    WindowWithOwnKeys d(false);
    d.label->move(120, 10);
    d.label->SetFocusControl(d.edit);
    d.edit->setGeometry(120, 110, 100, 21);
    QVERIFY(d.Open(d.check));
    // Alt+P is the window's, although a label has P as its accelerator.
    Key(Qt::Key_P, Qt::AltModifier);
    QCOMPARE(d.taken, QStringList{QStringLiteral("Alt+P")});
    QVERIFY(d.check->hasFocus());
    // The window sees keys before the focused control.
    d.edit->setFocus();
    Key(Qt::Key_F9);
    QCOMPARE(d.taken.last(), QStringLiteral("F9 at window"));
    // Keys it passes on keep the frame's behaviour and reach the controls.
    Key(Qt::Key_X);
    QCOMPARE(d.edit->text(), QStringLiteral("x"));
    d.check->setFocus();
    Key(Qt::Key_Return);
    QVERIFY(d.button->hasFocus());
    d.close();
}

void TestBrixDialog::closingTheWindowCancels() {
    FrameDialog d(true);
    WhenModal([&](QWidget* modal) {
        QCOMPARE(modal, static_cast<QWidget*>(&d));
        d.close();
    });
    QCOMPARE(d.ShowModal(), int(TbrixDialog::mrCancel));
}

QTEST_MAIN(TestBrixDialog)
#include "test_brixdialog.moc"
