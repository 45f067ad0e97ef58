#include "tests/support/modalanswerer.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

namespace orvanta::testing {

namespace {

// Windows some answerer is working on: another answerer (a nested one, made
// by a step for the window the step opens next) must not take them as new. A
// window leaves the list when it hides, so that the same dialog shown again
// is answered again.
class TAnswering : public QObject {
public:
    static TAnswering& Instance() {
        static TAnswering answering;
        return answering;
    }
    bool contains(QWidget* w) const { return m_windows.contains(w); }
    void add(QWidget* w) {
        m_windows << w;
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            m_windows.removeAll(watched);
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    QList<QPointer<QObject>> m_windows;
};

// Answerers that take every window; one for message boxes only leaves a box
// to them, since the step a test gave may want to look at it.
QList<const ModalAnswerer*>& TakingAll() {
    static QList<const ModalAnswerer*> answerers;
    return answerers;
}

QString CurrentTest() {
    const char* function = QTest::currentTestFunction();
    const char* tag = QTest::currentDataTag();
    return QString::fromLatin1(function ? function : "") + QLatin1Char('/') +
           QString::fromLatin1(tag ? tag : "");
}

// A window the step left open is closed after a while.
void CloseLater(QWidget* w) {
    QTimer::singleShot(5000, w, [w] {
        if (!w->isVisible())
            return;
        qWarning("modal window %s left open by the test; closing it", w->metaObject()->className());
        if (auto* dialog = qobject_cast<QDialog*>(w))
            dialog->reject();
        else
            w->close();
    });
}

} // namespace

ModalAnswerer::ModalAnswerer(Windows which) : ModalAnswerer({}, which == AllWindows, false) {}

ModalAnswerer::ModalAnswerer(std::vector<Step> steps)
    : ModalAnswerer(std::move(steps), true, false) {}

ModalAnswerer::ModalAnswerer(std::vector<Step> steps, bool allWindows, bool once)
    : m_steps(std::move(steps)), m_allWindows(allWindows), m_once(once),
      m_testFunction(CurrentTest()) {
    // Not at 0 ms: a test waiting for a window would keep a core busy.
    m_poll.setInterval(1);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { poll(); });
    m_poll.start();
    if (m_allWindows)
        TakingAll() << this;
}

ModalAnswerer::~ModalAnswerer() {
    TakingAll().removeAll(this);
}

void ModalAnswerer::finish() {
    m_poll.stop();
    TakingAll().removeAll(this);
    // Not from inside the poll's own signal.
    QTimer::singleShot(0, [this] { delete this; });
}

void ModalAnswerer::Close(QWidget* w) {
    w->close();
}

void ModalAnswerer::PressOk(QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (!box) {
        w->close();
        return;
    }
    QPointer<QWidget> below = box->parentWidget() ? box->parentWidget()->window() : nullptr;
    if (QAbstractButton* ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->accept();
    // The offscreen platform has no window manager that would make the
    // window below active again; do what it would do.
    if (below && below->isVisible())
        below->activateWindow();
}

const ModalAnswerer::Seen& ModalAnswerer::last() const {
    static const Seen none;
    return m_seen.isEmpty() ? none : m_seen.last();
}

QStringList ModalAnswerer::classes() const {
    QStringList list;
    for (const Seen& s : m_seen)
        list << s.className;
    return list;
}

QStringList ModalAnswerer::texts() const {
    QStringList list;
    for (const Seen& s : m_seen)
        list << s.text;
    return list;
}

QStringList ModalAnswerer::titles() const {
    QStringList list;
    for (const Seen& s : m_seen)
        list << s.title;
    return list;
}

void ModalAnswerer::poll() {
    if (m_once && CurrentTest() != m_testFunction) {
        // Its test ended without the window it waited for.
        finish();
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || TAnswering::Instance().contains(modal))
        return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!m_allWindows && (!box || !TakingAll().isEmpty()))
        return;
    TAnswering::Instance().add(modal);

    Seen seen;
    seen.className = QString::fromLatin1(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    if (box) {
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
    }
    m_seen << seen;

    Step step = m_allWindows ? Step(Close) : Step(PressOk);
    if (m_next < m_steps.size())
        step = m_steps[m_next++];
    const bool done = m_once && m_next >= m_steps.size();
    // Run from a timer of its own: a step that opens the next modal window
    // must not block this poll, which may have to answer that one too.
    QPointer<QWidget> window = modal;
    QTimer::singleShot(0, modal, [step, window] {
        if (!QTest::qWaitForWindowActive(window))
            qWarning("modal window did not become active");
        if (!window)
            return;
        step(window);
        if (window && window->isVisible())
            CloseLater(window);
    });
    if (done)
        finish();
}

void WhenModal(ModalAnswerer::Step action) {
    new ModalAnswerer({std::move(action)}, true, true); // deletes itself
}

void WhenModal(QDialog* expected, std::function<void()> answer, bool* seen) {
    *seen = false;
    WhenModal([expected, answer, seen](QWidget* w) {
        *seen = w == expected;
        answer();
        if (expected->isVisible())
            expected->done(QDialog::Rejected);
    });
}

QStringList VisibleTopLevels() {
    QStringList names;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->isVisible())
            names << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
                         w->windowTitle();
    }
    return names;
}

} // namespace orvanta::testing
