#pragma once
// Types text into a widget key by key, as a keyboard does: unlike
// QTest::keyClicks also characters beyond ASCII (umlauts, the euro sign).

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const int key = c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}
