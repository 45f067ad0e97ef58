#pragma once
// The number field's tests share one window: a text field before it, the
// number field, a text field after it, and the message boxes answered.

#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "core/formatsettings.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTest>
#include <QWidget>

namespace orvanta::testing {

inline const TFormatSettings German{',', '.'};
inline const TFormatSettings English{'.', ','};
inline const QColor ErrRed(255, 0, 0);

class TEditFloatFixture {
protected:
    static void startTestCase() {
        QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Test"));
    }

    void setUp() {
        m_boxes.reset();
        SetFormatSettings(German);
        m_window = new QWidget;
        m_before = new TEditText(m_window);
        m_field = new TEditFloat(m_window);
        m_after = new TEditText(m_window);
        QVERIFY(ShowInColumn(*m_window, {m_before, m_field, m_after}));
        m_before->setFocus(Qt::OtherFocusReason);
        QVERIFY(m_before->hasFocus());
    }

    void tearDown() {
        delete m_window;
        m_window = nullptr;
        SetFormatSettings(German);
        // No test may leave a window (a message box above all) open.
        ORVANTA_VERIFY_NO_WINDOW_LEFT();
    }

    static QColor paintedBackground(QWidget* w) {
        const QImage image = w->grab().toImage();
        // Inside the frame, right of the (short, left-aligned) text.
        return image.pixelColor(image.width() - 6, image.height() / 2);
    }

    QWidget* m_window = nullptr;
    TEditText* m_before = nullptr;
    TEditFloat* m_field = nullptr;
    TEditText* m_after = nullptr;
    ModalAnswerer m_boxes;
};

} // namespace orvanta::testing
