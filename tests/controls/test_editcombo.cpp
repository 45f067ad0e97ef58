// The combo field: keyboard rules, prefix search, notifications, shared lists.

#include "controls/teditcombo.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

struct ComboWindow {
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);
    TEditCombo* combo = new TEditCombo(&window);
    QStringList events;

    ComboWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(combo);
        TItemRefList* list = combo->ItemRefList();
        list->Add(QStringLiteral("Aufbauplan"), 1);
        list->Add(QStringLiteral("Anlage"), 2);
        list->Add(QStringLiteral("Anlagestrategie"), 3);
        list->Add(QStringLiteral("Einmalanlage"), 4);
        list->Add(QStringLiteral("Systemeinmalanlage"), 5);
        list->Add(QStringLiteral("Zuzahlung"), 6);
        QObject::connect(combo, &TEditCombo::changed, [this] { events << "change"; });
        QObject::connect(combo, &TEditCombo::modified, [this] { events << "modified"; });
    }
    bool Show() {
        if (!ShowActive(window))
            return false;
        combo->setFocus();
        return combo->hasFocus();
    }
    void Type(const QString& text) { QTest::keyClicks(combo, text); }
    void Press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(combo, key, mods);
    }
};

} // namespace

class TestEditCombo : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void valueSetByCodeSelectsQuietly();
    void navigationKeys();
    void pageKeysMoveByDropDownCountLessOne();
    void backspaceEscAndDelete();
    void notificationsOnlyForAnotherEntry();
    void prefixSearch();
    void prefixSearchExtendedModeKeepsSelection();
    void readOnlyIgnoresKeys();
    void popupOpensChoosesAndCloses();
    void openListFollowsTheComboKeys();
    void sharedListFollowsItsOwner();
    void popupSizeFollowsDropDownCountAndTexts();
};

void TestEditCombo::valueSetByCodeSelectsQuietly() {
    ComboWindow w;
    w.combo->SetValue(3);
    QCOMPARE(w.combo->ItemIndex(), 2);
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlagestrategie"));
    w.combo->SetValue(42);
    QCOMPARE(w.combo->Value(), 0);
    QCOMPARE(w.combo->ItemIndex(), -1);
    QCOMPARE(w.combo->Text(), QString());
    QVERIFY(w.events.isEmpty());
}

void TestEditCombo::navigationKeys() {
    ComboWindow w;
    QVERIFY(w.Show());
    // From none, Down takes the first entry; Up at the start changes nothing.
    w.Press(Qt::Key_Down);
    QCOMPARE(w.combo->Value(), 1);
    w.Press(Qt::Key_Up);
    w.Press(Qt::Key_Left);
    QCOMPARE(w.combo->Value(), 1);
    w.Press(Qt::Key_Right);
    QCOMPARE(w.combo->Value(), 2);
    w.Press(Qt::Key_End);
    QCOMPARE(w.combo->Value(), 6);
    w.Press(Qt::Key_Down);
    QCOMPARE(w.combo->Value(), 6);
    w.Press(Qt::Key_Home);
    QCOMPARE(w.combo->Value(), 1);
    // Each real move is one changed() followed by one modified().
    QCOMPARE(w.events, QStringList({"change", "modified", "change", "modified", "change",
                                    "modified", "change", "modified"}));
}

void TestEditCombo::pageKeysMoveByDropDownCountLessOne() {
    ComboWindow w;
    w.combo->SetDropDownCount(3);
    w.combo->SetValue(1);
    QVERIFY(w.Show());
    w.Press(Qt::Key_PageDown);
    QCOMPARE(w.combo->ItemIndex(), 2);
    w.Press(Qt::Key_PageDown);
    QCOMPARE(w.combo->ItemIndex(), 4);
    w.Press(Qt::Key_PageDown);
    QCOMPARE(w.combo->ItemIndex(), 5); // stops at the last
    w.Press(Qt::Key_PageUp);
    QCOMPARE(w.combo->ItemIndex(), 3);
    w.Press(Qt::Key_PageUp);
    w.Press(Qt::Key_PageUp);
    QCOMPARE(w.combo->ItemIndex(), 0); // stops at the first
}

void TestEditCombo::backspaceEscAndDelete() {
    ComboWindow w;
    w.combo->SetValueDef(4);
    w.combo->SetValue(2);
    QVERIFY(w.Show());

    w.Press(Qt::Key_Backspace);
    QCOMPARE(w.combo->Value(), 4);
    w.events.clear();
    // Esc brings back the key before the last choice, without notification.
    w.Press(Qt::Key_Escape);
    QCOMPARE(w.combo->Value(), 2);
    QVERIFY(w.events.isEmpty());

    w.Press(Qt::Key_Delete);
    QCOMPARE(w.combo->Value(), 0);
    QCOMPARE(w.combo->ItemIndex(), -1);
    QCOMPARE(w.combo->Text(), QString());
    QCOMPARE(w.events, QStringList({"change", "modified"}));
    // Delete also forgets the previous key.
    w.Press(Qt::Key_Escape);
    QCOMPARE(w.combo->Value(), 0);

    // A default key that is not in the list chooses none.
    w.combo->SetValue(3);
    w.combo->SetValueDef(99);
    w.Press(Qt::Key_Backspace);
    QCOMPARE(w.combo->ItemIndex(), -1);
}

void TestEditCombo::notificationsOnlyForAnotherEntry() {
    ComboWindow w;
    // Two entries share key 2; choosing the second is a change of entry.
    w.combo->ItemRefList()->Add(QStringLiteral("Doppelt"), 2);
    w.combo->SetValue(6);
    QVERIFY(w.Show());
    // Another entry with a key seen before is still a change.
    w.Press(Qt::Key_End);
    QCOMPARE(w.combo->ItemIndex(), 6);
    QCOMPARE(w.combo->Value(), 2);
    QCOMPARE(w.events, QStringList({"change", "modified"}));
    // The chosen entry chosen again, by key or by letter, is no change.
    w.events.clear();
    w.Press(Qt::Key_End);
    w.Type(QStringLiteral("d"));
    QVERIFY(w.events.isEmpty());
}

void TestEditCombo::prefixSearch() {
    ComboWindow w;
    QVERIFY(w.Show());
    w.Type(QStringLiteral("a"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Aufbauplan"));
    w.Type(QStringLiteral("N"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlage"));
    w.Type(QStringLiteral("lages"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlagestrategie"));
    // No entry begins with the longer prefix: start again with the letter.
    w.Type(QStringLiteral("e"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Einmalanlage"));
    w.Type(QStringLiteral("x"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Einmalanlage"));
    w.Type(QStringLiteral("z"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Zuzahlung"));
    // A navigation key ends the search.
    w.Press(Qt::Key_Home);
    w.Type(QStringLiteral("s"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Systemeinmalanlage"));
}

void TestEditCombo::prefixSearchExtendedModeKeepsSelection() {
    ComboWindow w;
    w.combo->SetSearchModeExt(true);
    QVERIFY(w.Show());
    w.Type(QStringLiteral("an"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlage"));
    w.Type(QStringLiteral("x"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlage"));
    // The wrong letter did not spoil the prefix.
    w.Type(QStringLiteral("lages"));
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlagestrategie"));
}

void TestEditCombo::readOnlyIgnoresKeys() {
    ComboWindow w;
    w.combo->SetReadOnly(true);
    w.combo->SetValue(2);
    QVERIFY(w.Show());
    w.Press(Qt::Key_Down);
    w.Press(Qt::Key_Delete);
    w.Type(QStringLiteral("z"));
    w.Press(Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(w.combo->Value(), 2);
    QVERIFY(!w.combo->DroppedDown());
    QVERIFY(w.events.isEmpty());
}

void TestEditCombo::popupOpensChoosesAndCloses() {
    ComboWindow w;
    w.combo->SetValue(1);
    QVERIFY(w.Show());
    QSignalSpy dropDown(w.combo, &TEditCombo::aboutToDropDown);

    w.Press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(w.combo->DroppedDown());
    QCOMPARE(dropDown.count(), 1);
    auto* list = w.combo->findChild<QListWidget*>();
    QVERIFY(list);
    QCOMPARE(list->count(), 6);
    QCOMPARE(list->currentRow(), 0);
    // Esc closes the list and keeps the choice.
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!w.combo->DroppedDown());
    QCOMPARE(w.combo->Value(), 1);
    QVERIFY(w.events.isEmpty());

    // Moving in the open list chooses at once; Enter closes it.
    QTest::mouseClick(w.combo, Qt::LeftButton);
    QVERIFY(w.combo->DroppedDown());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!w.combo->DroppedDown());
    QCOMPARE(w.combo->Value(), 3);
    QCOMPARE(w.events, QStringList({"change", "modified", "change", "modified"}));

    // A click on an entry chooses it.
    w.Press(Qt::Key_Up, Qt::AltModifier);
    QVERIFY(w.combo->DroppedDown());
    const QRect item = list->visualItemRect(list->item(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QVERIFY(!w.combo->DroppedDown());
    QCOMPARE(w.combo->Value(), 5);
}

void TestEditCombo::openListFollowsTheComboKeys() {
    ComboWindow w;
    w.combo->SetDropDownCount(3);
    w.combo->SetValueDef(5);
    w.combo->SetValue(1);
    QVERIFY(w.Show());
    w.Press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(w.combo->DroppedDown());
    auto* list = w.combo->findChild<QListWidget*>();
    QVERIFY(list);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(list, key, mods);
    };

    // Each key chooses at once, as in the closed combo, and the highlight
    // follows the choice.
    press(Qt::Key_Down);
    QCOMPARE(w.combo->Value(), 2);
    QCOMPARE(w.events, QStringList({"change", "modified"}));
    QCOMPARE(list->currentRow(), 1);
    press(Qt::Key_End);
    QCOMPARE(w.combo->Value(), 6);
    QCOMPARE(list->currentRow(), 5);
    press(Qt::Key_Down); // at the end nothing changes
    QCOMPARE(w.combo->Value(), 6);
    press(Qt::Key_PageUp); // DropDownCount - 1 entries
    QCOMPARE(w.combo->Value(), 4);
    QCOMPARE(list->currentRow(), 3);
    press(Qt::Key_PageDown);
    QCOMPARE(w.combo->Value(), 6);
    press(Qt::Key_Home);
    QCOMPARE(w.combo->Value(), 1);
    press(Qt::Key_Right);
    QCOMPARE(w.combo->Value(), 2);
    press(Qt::Key_Left);
    QCOMPARE(w.combo->Value(), 1);
    press(Qt::Key_Backspace);
    QCOMPARE(w.combo->Value(), 5);
    QCOMPARE(list->currentRow(), 4);
    press(Qt::Key_Delete);
    QCOMPARE(w.combo->Value(), 0);
    QCOMPARE(w.combo->ItemIndex(), -1);
    QVERIFY(list->selectedItems().isEmpty());
    QTest::keyClicks(list, QStringLiteral("an"));
    QCOMPARE(w.combo->Value(), 2);
    QCOMPARE(w.combo->Text(), QStringLiteral("Anlage"));
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(w.combo->DroppedDown());
    QCOMPARE(w.events.count(), 2 * 11);

    // Alt+Up closes the list and keeps the choice.
    press(Qt::Key_Up, Qt::AltModifier);
    QVERIFY(!w.combo->DroppedDown());
    QCOMPARE(w.combo->Value(), 2);
    QVERIFY(w.combo->hasFocus());

    // Enter closes it keeping the choice made by key.
    w.events.clear();
    w.Press(Qt::Key_Down, Qt::AltModifier);
    press(Qt::Key_Down);
    press(Qt::Key_Return);
    QVERIFY(!w.combo->DroppedDown());
    QCOMPARE(w.combo->Value(), 3);
    QCOMPARE(w.events, QStringList({"change", "modified"}));

    // Tab closes it and moves on.
    w.Press(Qt::Key_Down, Qt::AltModifier);
    QVERIFY(w.combo->DroppedDown());
    press(Qt::Key_Tab);
    QVERIFY(!w.combo->DroppedDown());
    QTRY_VERIFY(w.before->hasFocus());
    QCOMPARE(w.combo->Value(), 3);
}

void TestEditCombo::sharedListFollowsItsOwner() {
    ComboWindow w;
    auto shared = std::make_unique<TItemRefList>();
    shared->Add(QStringLiteral("männlich"), 1);
    shared->Add(QStringLiteral("weiblich"), 2);

    w.combo->SetValue(2);
    w.combo->AssignItemRefList(shared.get());
    QCOMPARE(w.combo->ItemRefList(), shared.get());
    QCOMPARE(w.combo->Text(), QStringLiteral("weiblich"));
    w.combo->AssignItemRefList(nullptr);
    QCOMPARE(w.combo->ItemRefList(), shared.get());

    // Texts replaced at run time show at once.
    shared->SetItem(1, QStringLiteral("w"));
    QCOMPARE(w.combo->Text(), QStringLiteral("w"));

    // A key missing from the new list leaves nothing chosen.
    TItemRefList other{{QStringLiteral("einmalig"), 7}};
    w.combo->AssignItemRefList(&other);
    QCOMPARE(w.combo->Value(), 0);
    QCOMPARE(w.combo->ItemIndex(), -1);

    // The combo never frees a shared list, and outlives it safely.
    w.combo->AssignItemRefList(shared.get());
    shared.reset();
    QCOMPARE(w.combo->Text(), QString());
    QVERIFY(w.Show());
    w.Press(Qt::Key_Down);
    QCOMPARE(w.combo->Value(), 0);
    w.window.grab();
}

void TestEditCombo::popupSizeFollowsDropDownCountAndTexts() {
    ComboWindow w;
    w.combo->setFixedWidth(60);
    w.combo->SetDropDownCount(3);
    QVERIFY(w.Show());
    w.combo->SetDroppedDown(true);
    auto* list = w.combo->findChild<QListWidget*>();
    QWidget* popup = list->window();
    const int row = list->visualItemRect(list->item(0)).height();
    QVERIFY(popup->height() <= 3 * row + 4);
    QVERIFY(popup->height() >= 3 * row);
    QCOMPARE(popup->width(), 60);
    w.combo->SetDroppedDown(false);

    // Widened to the longest text on request.
    w.combo->SetCanExpandHorz(true);
    w.combo->SetDroppedDown(true);
    QVERIFY(popup->width() >
            w.combo->fontMetrics().horizontalAdvance(QStringLiteral("Systemeinmalanlage")));
    w.combo->SetDroppedDown(false);

    // All entries fit: every row shows, no scroll bar.
    w.combo->SetDropDownCount(8);
    w.combo->SetDroppedDown(true);
    QVERIFY(!list->verticalScrollBar()->isVisible());
    QVERIFY(list->visualItemRect(list->item(5)).bottom() < list->viewport()->height());
    w.combo->SetDroppedDown(false);
}

QTEST_MAIN(TestEditCombo)
#include "test_editcombo.moc"
