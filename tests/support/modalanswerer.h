#pragma once
// Answers the modal windows a test provokes, from inside their event loops
// and never by sleeping: message boxes with OK, dialogs by steps the test
// gives, in the order they appear. A window a step leaves open is closed
// after a while, so that a failing test reports instead of hanging.

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QDialog;

namespace orvanta::testing {

class ModalAnswerer {
public:
    using Step = std::function<void(QWidget*)>;

    // What an answered window showed.
    struct Seen {
        QString className;
        QString title;
        QString text; // of a message box
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    enum Windows {
        MessageBoxes, // every message box answered with OK; other windows left to the test
        AllWindows,   // every modal window closed, so that none can block the test
    };
    // Answers the windows while it lives, recording what they showed.
    explicit ModalAnswerer(Windows which = MessageBoxes);
    // Answers every modal window in the order they appear, the first ones
    // with the steps, every further one by closing it, so that an unexpected
    // window is reported instead of blocking the test.
    explicit ModalAnswerer(std::vector<Step> steps);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Steps for the list above.
    static void Close(QWidget* w);
    // A message box: presses OK (or accepts a box without one) and gives the
    // window below its activation back, as a window manager would; any other
    // window is closed.
    static void PressOk(QWidget* w);

    // Forgets what was seen (each test starts afresh).
    void reset() { m_seen.clear(); }
    int count() const { return int(m_seen.size()); }
    const Seen& last() const;
    QStringList classes() const;
    QStringList texts() const;
    QStringList titles() const;

private:
    friend void WhenModal(Step action);
    ModalAnswerer(std::vector<Step> steps, bool allWindows, bool once);
    void poll();
    void finish(); // a one-shot answerer is done

    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_allWindows;
    bool m_once;
    QString m_testFunction; // a one-shot answerer belongs to the test that made it
    QList<Seen> m_seen;
    QTimer m_poll;
};

// Runs action on the next modal window once it is up and active.
void WhenModal(ModalAnswerer::Step action);

// Runs answer once `expected` is the open modal window and active; `seen`
// tells whether it was. A dialog the answer leaves open is rejected at once.
void WhenModal(QDialog* expected, std::function<void()> answer, bool* seen);

// Top-level windows still on screen; a test must close what it opened.
QStringList VisibleTopLevels();

} // namespace orvanta::testing

// Every test ends with no window left open (one just closing may take a turn
// of the event loop).
#define ORVANTA_VERIFY_NO_WINDOW_LEFT()                                                            \
    QTRY_VERIFY2(orvanta::testing::VisibleTopLevels().isEmpty(),                                   \
                 qPrintable(orvanta::testing::VisibleTopLevels().join(QStringLiteral(", "))))
