// Radio groups under the keyboard: one tab stop per group at its checked
// button, arrows that stay inside the group, accelerators that land on the
// checked button. A wrong stop would let Space or an arrow change the plan.

#include "controls/radiogroup.h"
#include "controls/teditlabel.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvanta;

namespace {

// A field, a group of three buttons (values 1, 2, 3) with a hidden fourth,
// and a field after it, as the main window lays out "Anlagestrategie".
struct TGruppenFenster {
    QWidget Window;
    QLineEdit* Vorher;
    QRadioButton* B[4];
    QLineEdit* Nachher;
    TRadioGroup* Gruppe;
    TEditLabel* Beschriftung;

    TGruppenFenster() {
        auto* layout = new QVBoxLayout(&Window);
        Vorher = new QLineEdit(&Window);
        Beschriftung = new TEditLabel(&Window);
        Beschriftung->SetCaption(QStringLiteral("Anlages&trategie"));
        layout->addWidget(Vorher);
        layout->addWidget(Beschriftung);
        const char* captions[4] = {"Strategiedepot F", "Strategiedepot S", "Strategiedepot W",
                                   "Strategiedepot Z"};
        for (int i = 0; i < 4; ++i) {
            B[i] = new QRadioButton(QString::fromLatin1(captions[i]), &Window);
            layout->addWidget(B[i]);
        }
        Nachher = new QLineEdit(&Window);
        layout->addWidget(Nachher);
        Gruppe = new TRadioGroup({{B[0], 1}, {B[1], 2}, {B[2], 3}, {B[3], 4}}, &Window);
        B[3]->hide();
        Beschriftung->SetFocusControl(B[0]);
    }

    bool Zeigen() {
        Window.show();
        Window.activateWindow();
        return QTest::qWaitForWindowActive(&Window);
    }
};

} // namespace

class TestRadioGroup : public QObject {
    Q_OBJECT
private slots:
    void tabAndBacktabStopAtTheCheckedButton_data();
    void tabAndBacktabStopAtTheCheckedButton();
    void arrowsMoveAndCheckWithinTheGroup_data();
    void arrowsMoveAndCheckWithinTheGroup();
    void acceleratorLandsOnTheCheckedButton();
    void tabLeavesTheGroupFromAnyButton();
};

void TestRadioGroup::tabAndBacktabStopAtTheCheckedButton_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("stop"); // index of the button Tab reaches
    QTest::newRow("W checked") << 3 << 2;
    QTest::newRow("S checked") << 2 << 1;
    QTest::newRow("none checked: the first") << 0 << 0;
    QTest::newRow("hidden Z checked: the first shown") << 4 << 0;
}

void TestRadioGroup::tabAndBacktabStopAtTheCheckedButton() {
    QFETCH(int, value);
    QFETCH(int, stop);
    TGruppenFenster f;
    QVERIFY(f.Zeigen());
    // The first button had the focus once (the platform then makes it the
    // stop); the value set by code afterwards decides.
    f.B[0]->setFocus(Qt::MouseFocusReason);
    f.Gruppe->SetValue(value);
    f.Vorher->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(f.Vorher, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.B[stop]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.Nachher);
    QTest::keyClick(f.Nachher, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), f.B[stop]);
    // Getting there changed nothing.
    QCOMPARE(f.Gruppe->Value(0), value);
}

void TestRadioGroup::arrowsMoveAndCheckWithinTheGroup_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("reached");
    QTest::newRow("down") << 1 << int(Qt::Key_Down) << 2;
    QTest::newRow("right in a column") << 1 << int(Qt::Key_Right) << 2;
    QTest::newRow("up") << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("down wraps, skipping the hidden one") << 3 << int(Qt::Key_Down) << 1;
    QTest::newRow("left wraps") << 1 << int(Qt::Key_Left) << 3;
}

void TestRadioGroup::arrowsMoveAndCheckWithinTheGroup() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, reached);
    TGruppenFenster f;
    QVERIFY(f.Zeigen());
    f.Gruppe->SetValue(start);
    QSignalSpy clicked(f.B[reached - 1], &QRadioButton::clicked);
    f.B[start - 1]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.B[start - 1], Qt::Key(key));
    QCOMPARE(QApplication::focusWidget(), f.B[reached - 1]);
    QCOMPARE(f.Gruppe->Value(0), reached);
    QCOMPARE(clicked.count(), 1); // as a click: the handler runs
    // The new checked button is the group's stop.
    f.Vorher->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(f.Vorher, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.B[reached - 1]);
}

void TestRadioGroup::acceleratorLandsOnTheCheckedButton() {
    TGruppenFenster f;
    QVERIFY(f.Zeigen());
    f.Gruppe->SetValue(3);
    f.Vorher->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(f.Vorher, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), f.B[2]);
    QTest::keyClick(f.B[2], Qt::Key_Space);
    QCOMPARE(f.Gruppe->Value(0), 3);
}

void TestRadioGroup::tabLeavesTheGroupFromAnyButton() {
    TGruppenFenster f;
    QVERIFY(f.Zeigen());
    f.Gruppe->SetValue(3);
    // A mouse press that was dragged off: focused, not checked.
    f.B[0]->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(f.B[0], Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.Nachher);
    QCOMPARE(f.Gruppe->TabStop(), f.B[2]);
}

QTEST_MAIN(TestRadioGroup)
#include "test_radiogroup.moc"
