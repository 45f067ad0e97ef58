// Check box click rules and the label bound to a control.

#include "controls/tbrixdialog.h"
#include "controls/teditcheck.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestCheckAndLabel : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void checkClickFiresOnEveryChange();
    void checkToggledByUser();
    void focusedCheckShowsItsMark_data();
    void focusedCheckShowsItsMark();
    void labelClickTogglesCheckThenFocusesThenClicks();
    void labelClickOnUnfocusableControl();
    void labelAcceleratorOnlyFocuses();
    void bareLetterIsTypedInFieldsAndAcceleratorElsewhere();
    void labelAcceleratorOutsideFrameWindows();
    void labelCtl3DFrame();
};

void TestCheckAndLabel::checkClickFiresOnEveryChange() {
    TEditCheck check(QStringLiteral("&Dynamik"));
    QSignalSpy clicks(&check, &TEditCheck::toggled);
    check.SetChecked(false);
    QCOMPARE(clicks.count(), 0);
    check.SetChecked(true);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(check.Checked());
    check.SetChecked(true);
    QCOMPARE(clicks.count(), 1);
    check.SetChecked(false);
    QCOMPARE(clicks.count(), 2);
    // A handler sees the new state.
    bool seen = false;
    connect(&check, &TEditCheck::toggled, &check, [&] { seen = check.Checked(); });
    check.SetChecked(true);
    QVERIFY(seen);
}

void TestCheckAndLabel::checkToggledByUser() {
    QWidget window;
    auto* check = new TEditCheck(QStringLiteral("aus Einzahlungsphase bei"), &window);
    check->resize(check->sizeHint());
    QSignalSpy clicks(check, &TEditCheck::toggled);
    QVERIFY(ShowActive(window));

    // A click on the caption counts as a click on the box.
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->width() - 3, check->height() / 2));
    QVERIFY(check->Checked());
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    QVERIFY(!check->Checked());
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(check->Checked());
    QCOMPARE(clicks.count(), 3);
}

void TestCheckAndLabel::focusedCheckShowsItsMark_data() {
    QTest::addColumn<QString>("caption");
    QTest::newRow("with its caption") << QStringLiteral("aus Einzahlungsphase bei");
    // Its label stands beside it, as "&Dynamik" does.
    QTest::newRow("box alone") << QString();
}

void TestCheckAndLabel::focusedCheckShowsItsMark() {
    QFETCH(QString, caption);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit(&window);
    auto* check = new TEditCheck(caption, &window);
    check->setFixedSize(caption.isEmpty() ? QSize(22, 18) : check->sizeHint());
    layout->addWidget(before);
    layout->addWidget(check);
    QVERIFY(ShowActive(window));
    before->setFocus();
    const QImage plain = check->grab().toImage();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(check->hasFocus());
    const QImage focused = check->grab().toImage();
    QVERIFY2(focused != plain, "no focus mark");
    // The mark is not the box: the box itself looks the same.
    const int top = (check->height() - 13) / 2;
    const int left = caption.isEmpty() ? 2 : 0;
    for (int y = top + 1; y < top + 12; ++y)
        for (int x = left + 1; x < left + 12; ++x)
            QCOMPARE(focused.pixel(x, y), plain.pixel(x, y));
    // Space still toggles: the focus is where the user sees it.
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(check->Checked());
}

void TestCheckAndLabel::labelClickTogglesCheckThenFocusesThenClicks() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(&window);
    auto* check = new TEditCheck(QStringLiteral("5%"), &window);
    auto* label = new TEditLabel(QStringLiteral("&Dynamik"), &window);
    layout->addWidget(edit);
    layout->addWidget(label);
    layout->addWidget(check);
    label->SetFocusControl(check);
    QStringList order;
    connect(check, &TEditCheck::toggled, [&] { order << "check"; });
    connect(label, &TEditLabel::clicked,
            [&] { order << (check->hasFocus() ? "label, check focused" : "label"); });
    QVERIFY(ShowActive(window));
    edit->setFocus();

    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(check->Checked());
    QVERIFY(check->hasFocus());
    QCOMPARE(order, QStringList({"check", "label, check focused"}));

    // Bound to an edit box it only focuses.
    label->SetFocusControl(edit);
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    QVERIFY(check->Checked());
}

void TestCheckAndLabel::labelClickOnUnfocusableControl() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* check = new TEditCheck(QStringLiteral("x"), &window);
    auto* label = new TEditLabel(QStringLiteral("&Dynamik"), &window);
    auto* button = new TExplorerButton(QStringLiteral("OK"), &window);
    layout->addWidget(label);
    layout->addWidget(check);
    layout->addWidget(button);
    label->SetFocusControl(check);
    QSignalSpy labelClicks(label, &TEditLabel::clicked);
    check->setEnabled(false);
    QVERIFY(ShowActive(window));
    button->setFocus();

    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(!check->Checked());
    QVERIFY(button->hasFocus());
    QCOMPARE(labelClicks.count(), 1);

    // A press that leaves the label before the release is no click.
    QTest::mousePress(label, Qt::LeftButton);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(labelClicks.count(), 1);
}

void TestCheckAndLabel::labelAcceleratorOnlyFocuses() {
    TbrixDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new TEditLabel(QStringLiteral("&Dynamik"), &dialog);
    auto* check = new TEditCheck(QStringLiteral("5%"), &dialog);
    auto* button = new TExplorerButton(QStringLiteral("OK"), &dialog);
    layout->addWidget(label);
    layout->addWidget(check);
    layout->addWidget(button);
    label->SetFocusControl(check);
    QSignalSpy labelClicks(label, &TEditLabel::clicked);
    QVERIFY(ShowActive(dialog));
    button->setFocus();
    QVERIFY(button->hasFocus());

    Key(Qt::Key_D, Qt::AltModifier);
    QVERIFY(check->hasFocus());
    QVERIFY(!check->Checked());
    QCOMPARE(labelClicks.count(), 0);
    dialog.close();
}

void TestCheckAndLabel::bareLetterIsTypedInFieldsAndAcceleratorElsewhere() {
    TbrixDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* nameLabel = new TEditLabel(QStringLiteral("&Name"), &dialog);
    auto* name = new QLineEdit(&dialog);
    auto* other = new QLineEdit(&dialog);
    auto* check = new TEditCheck(QStringLiteral("5%"), &dialog);
    layout->addWidget(nameLabel);
    layout->addWidget(name);
    layout->addWidget(other);
    layout->addWidget(check);
    nameLabel->SetFocusControl(name);
    QVERIFY(ShowActive(dialog));

    other->setFocus();
    Key(Qt::Key_N);
    QCOMPARE(other->text(), QStringLiteral("n"));
    QVERIFY(other->hasFocus());

    // On a check box the letter alone is the accelerator.
    check->setFocus();
    Key(Qt::Key_N);
    QVERIFY(name->hasFocus());
    QCOMPARE(name->text(), QString());

    // Alt and the letter works from inside a field too.
    other->setFocus();
    Key(Qt::Key_N, Qt::AltModifier);
    QVERIFY(name->hasFocus());
    QCOMPARE(other->text(), QStringLiteral("n"));

    // Alt and a letter that is nobody's accelerator types nothing.
    Key(Qt::Key_Q, Qt::AltModifier);
    QCOMPARE(name->text(), QString());

    // A hidden label has no accelerator.
    nameLabel->hide();
    other->setFocus();
    Key(Qt::Key_N, Qt::AltModifier);
    QVERIFY(other->hasFocus());
    dialog.close();
}

void TestCheckAndLabel::labelAcceleratorOutsideFrameWindows() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new TEditLabel(QStringLiteral("V&orname"), &window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(label);
    layout->addWidget(second);
    label->SetFocusControl(second);
    QVERIFY(ShowActive(window));
    first->setFocus();
    Key(Qt::Key_O, Qt::AltModifier);
    QVERIFY(second->hasFocus());
}

void TestCheckAndLabel::labelCtl3DFrame() {
    QWidget window;
    window.setStyleSheet(QString());
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    const QColor back(200, 200, 255);
    pal.setColor(QPalette::Window, back);
    window.setPalette(pal);
    window.resize(200, 100);
    auto* label = new TEditLabel(QStringLiteral("Kapital"), &window);
    label->SetAutoSize(false);
    label->setGeometry(10, 10, 80, 20);
    label->SetCtl3D(true);
    // The frame lies one pixel outside the label; the label keeps its size.
    QCOMPARE(label->geometry(), QRect(10, 10, 80, 20));
    const auto frameOk = [&](const QImage& image, const QRect& g) {
        const QPoint tl = g.topLeft();
        const QPoint br = g.bottomRight();
        QCOMPARE(image.pixelColor(tl + QPoint(5, -1)), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(tl + QPoint(-1, 5)), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(br + QPoint(-5, 1)), QColor(Qt::white));
        QCOMPARE(image.pixelColor(br + QPoint(1, -5)), QColor(Qt::white));
        // The label's own edge pixels are the window's: nothing drawn there
        // but the text.
        QCOMPARE(image.pixelColor(tl + QPoint(60, 0)), back);
        QCOMPARE(image.pixelColor(tl + QPoint(0, g.height() - 2)), back);
        QCOMPARE(image.pixelColor(br - QPoint(0, 3)), back);
        QCOMPARE(image.pixelColor(br - QPoint(3, 0)), back);
        QCOMPARE(image.pixelColor(br - QPoint(3, 3)), back);
        // Two pixels out is the window again.
        QCOMPARE(image.pixelColor(tl + QPoint(5, -2)), back);
        QCOMPARE(image.pixelColor(br + QPoint(2, -5)), back);
    };
    frameOk(window.grab().toImage(), label->geometry());
    if (QTest::currentTestFailed())
        return;

    // The frame follows the label, and goes with Ctl3D or the label itself.
    label->setGeometry(30, 40, 100, 24);
    frameOk(window.grab().toImage(), label->geometry());
    if (QTest::currentTestFailed())
        return;
    label->hide();
    QCOMPARE(window.grab().toImage().pixelColor(QPoint(35, 39)), back);
    label->show();
    label->SetCtl3D(false);
    QCOMPARE(window.grab().toImage().pixelColor(QPoint(35, 39)), back);
}

QTEST_MAIN(TestCheckAndLabel)
#include "test_checkandlabel.moc"
