#pragma once
// Answers the message boxes a test provokes: waits (through the event loop,
// never by sleeping) for a modal QMessageBox, records what it shows and
// presses its OK button.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

class MessageBoxAnswerer {
public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    MessageBoxAnswerer() : m_context(new QObject) {}
    ~MessageBoxAnswerer() { delete m_context; }

    // Starts watching for the next box; with `every`, for all boxes until
    // disarm() (so that a surplus box is counted instead of blocking).
    void arm(bool every = false) {
        m_every = every;
        m_armed = true;
        QTimer::singleShot(0, m_context, [this] { poll(); });
    }
    // Stops watching (for tests that expect no box).
    void disarm() { m_armed = false; }
    // Forgets what was seen (each test starts afresh).
    void reset() {
        m_armed = false;
        m_every = false;
        m_count = 0;
        m_last = Seen();
    }

    int count() const { return m_count; }
    const Seen& last() const { return m_last; }

private:
    void poll() {
        if (!m_armed)
            return;
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            m_last.text = box->text();
            m_last.title = box->windowTitle();
            m_last.icon = box->icon();
            m_last.buttons = box->standardButtons();
            ++m_count;
            m_armed = m_every;
            QPointer<QWidget> below = box->parentWidget() ? box->parentWidget()->window() : nullptr;
            box->button(QMessageBox::Ok)->click();
            // The offscreen platform has no window manager that would make the
            // window below active again; do what it would do.
            if (below)
                below->activateWindow();
            if (m_armed)
                QTimer::singleShot(0, m_context, [this] { poll(); });
            return;
        }
        QTimer::singleShot(5, m_context, [this] { poll(); });
    }

    QObject* m_context;
    bool m_armed = false;
    bool m_every = false;
    int m_count = 0;
    Seen m_last;
};
