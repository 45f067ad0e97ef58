// The button: click by mouse, Space and accelerator, focus first, colours.

#include "controls/housestyle.h"
#include "controls/tbrixdialog.h"
#include "controls/teditcheck.h"
#include "controls/texplorerbutton.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Stands in for a field whose entry fails its check: leaving it takes the
// focus straight back.
class StubbornEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool Wrong = false;
    int Refusals = 0;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (Wrong && event->reason() != Qt::ActiveWindowFocusReason &&
            event->reason() != Qt::PopupFocusReason) {
            ++Refusals;
            setFocus(Qt::OtherFocusReason);
        }
    }
};

struct ButtonWindow {
    TbrixDialog window;
    StubbornEdit* edit = new StubbornEdit(&window);
    TEditCheck* check = new TEditCheck(QStringLiteral("Dynamik"), &window);
    TExplorerButton* button = new TExplorerButton(QStringLiteral("E&instellungen"), &window);
    TExplorerButton* other = new TExplorerButton(QStringLiteral("&speichern und beenden"), &window);
    QStringList events;

    ButtonWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(check);
        layout->addWidget(button);
        layout->addWidget(other);
        for (auto* b : {button, other}) {
            ApplyHouseButtonDesign(*b);
            ApplyHouseButtonColors(*b);
        }
        QObject::connect(button, &TExplorerButton::focusReceived, [this] { events << "focus"; });
        QObject::connect(button, &TExplorerButton::clicked,
                         [this] { events << (button->hasFocus() ? "click, focused" : "click"); });
    }
    bool Show() {
        if (!ShowActive(window))
            return false;
        edit->setFocus();
        return edit->hasFocus();
    }
};

} // namespace

class TestExplorerButton : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void mouseClickTakesFocusThenClicks();
    void pressReleasedOutsideIsNoClick();
    void spaceClicksOnRelease();
    void returnClicksOnlyWithActivateByReturn();
    void acceleratorClicks();
    void acceleratorOfHiddenOrDisabledButtonDoesNothing();
    void wrongEntryInFieldStopsTheClick();
    void buttonWithoutTabStopClicksWithoutFocus();
    void houseColoursAndRoundedEnd();
};

void TestExplorerButton::mouseClickTakesFocusThenClicks() {
    ButtonWindow w;
    QVERIFY(w.Show());
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.events, QStringList({"focus", "click, focused"}));
    // Already focused: no second focus event.
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.events, QStringList({"focus", "click, focused", "click, focused"}));
    w.window.close();
}

void TestExplorerButton::pressReleasedOutsideIsNoClick() {
    ButtonWindow w;
    QVERIFY(w.Show());
    QTest::mousePress(w.button, Qt::LeftButton);
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(-3, 5));
    QVERIFY(w.events.isEmpty());
    QVERIFY(w.edit->hasFocus());
    w.window.close();
}

void TestExplorerButton::spaceClicksOnRelease() {
    ButtonWindow w;
    QVERIFY(w.Show());
    w.button->setFocus();
    w.events.clear();
    QTest::keyPress(w.button, Qt::Key_Space);
    QVERIFY(w.events.isEmpty());
    QTest::keyRelease(w.button, Qt::Key_Space);
    QCOMPARE(w.events, QStringList({"click, focused"}));
    w.window.close();
}

void TestExplorerButton::returnClicksOnlyWithActivateByReturn() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new TExplorerButton(QStringLiteral("OK"), &window);
    layout->addWidget(button);
    QSignalSpy clicks(button, &TExplorerButton::clicked);
    QVERIFY(ShowActive(window));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 0);
    button->SetActivateByReturn(true);
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicks.count(), 1);
}

void TestExplorerButton::acceleratorClicks() {
    ButtonWindow w;
    QVERIFY(w.Show());
    // Alt and the letter, from inside a field.
    Key(Qt::Key_I, Qt::AltModifier);
    QCOMPARE(w.events, QStringList({"focus", "click, focused"}));
    QCOMPARE(w.edit->text(), QString());

    // The letter alone while a control that takes no characters has the focus.
    w.check->setFocus();
    w.events.clear();
    Key(Qt::Key_I);
    QCOMPARE(w.events, QStringList({"focus", "click, focused"}));
    QVERIFY(!w.check->Checked());

    // In a field the letter is typed.
    w.edit->setFocus();
    w.events.clear();
    Key(Qt::Key_I);
    QVERIFY(w.events.isEmpty());
    QCOMPARE(w.edit->text(), QStringLiteral("i"));
    w.window.close();
}

void TestExplorerButton::acceleratorOfHiddenOrDisabledButtonDoesNothing() {
    ButtonWindow w;
    QVERIFY(w.Show());
    w.button->hide();
    Key(Qt::Key_I, Qt::AltModifier);
    w.button->show();
    w.button->setEnabled(false);
    Key(Qt::Key_I, Qt::AltModifier);
    QTest::mouseClick(w.button, Qt::LeftButton);
    QVERIFY(w.events.isEmpty());
    QVERIFY(w.edit->hasFocus());
    w.window.close();
}

void TestExplorerButton::wrongEntryInFieldStopsTheClick() {
    ButtonWindow w;
    QVERIFY(w.Show());
    w.edit->Wrong = true;
    QTest::mouseClick(w.button, Qt::LeftButton);
    Key(Qt::Key_I, Qt::AltModifier);
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(w.edit->Refusals, 2);
    QVERIFY(!w.events.contains(QStringLiteral("click, focused")));
    QVERIFY(!w.events.contains(QStringLiteral("click")));

    w.edit->Wrong = false;
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.events.last(), QStringLiteral("click, focused"));
    w.window.close();
}

void TestExplorerButton::buttonWithoutTabStopClicksWithoutFocus() {
    ButtonWindow w;
    w.button->SetTabStop(false);
    QVERIFY(w.Show());
    w.edit->Wrong = true;
    QTest::mouseClick(w.button, Qt::LeftButton);
    QCOMPARE(w.events, QStringList({"click"}));
    QVERIFY(w.edit->hasFocus());
    QCOMPARE(w.edit->Refusals, 0);
    w.window.close();
}

void TestExplorerButton::houseColoursAndRoundedEnd() {
    ButtonWindow w;
    QPalette pal = w.window.palette();
    pal.setColor(QPalette::Window, QColor(10, 200, 10));
    w.window.setPalette(pal);
    QVERIFY(w.Show());
    QCOMPARE(w.button->height(), 21);
    const auto pixel = [&](const QPoint& p) {
        return w.window.grab().toImage().pixelColor(w.button->mapTo(&w.window, p));
    };
    const QPoint fill(6, 10);
    QCOMPARE(pixel(fill), HouseRed());
    // The corners outside the rounded end take the window's colour.
    QCOMPARE(pixel(QPoint(w.button->width() - 1, 0)), QColor(10, 200, 10));
    QCOMPARE(pixel(QPoint(w.button->width() - 1, w.button->height() - 1)), QColor(10, 200, 10));
    QCOMPARE(pixel(QPoint(5, 0)), QColor(Qt::black));

    w.button->setFocus();
    QCOMPARE(pixel(fill), HouseFocusRed());
    // The focus pen follows the font colour: white outline and text.
    QCOMPARE(w.button->Colors().FocusPenColor, QColor(Qt::white));
    QCOMPARE(pixel(QPoint(5, 0)), QColor(Qt::white));
    w.window.close();
}

QTEST_MAIN(TestExplorerButton)
#include "test_explorerbutton.moc"
