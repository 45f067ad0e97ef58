// What the fields look like, checked on their painted pixels: normal and
// right-aligned, focused, in the error state, disabled. With
// ORVANTA_SCREENSHOT_DIR set, the window is also saved as fieldlook.png
// (tools/screenshots.sh).

#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "core/formatsettings.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"

#include <QFormLayout>
#include <QLabel>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Columns [from, to) of the image that hold text-coloured (dark) pixels.
bool HasDarkPixels(const QImage& image, int from, int to) {
    for (int x = std::max(from, 0); x < std::min(to, image.width()); ++x)
        for (int y = 4; y < image.height() - 4; ++y)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

QColor Background(const QImage& image) {
    return image.pixelColor(image.width() / 2, 3 + (image.height() - 6) / 4);
}

} // namespace

class TestFieldLook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void looksAsItShould();

private:
    ModalAnswerer m_boxes;
};

void TestFieldLook::initTestCase() {
    SetFormatSettings(TFormatSettings{',', '.'});
    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta"));
}

void TestFieldLook::looksAsItShould() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Eingabefelder"));
    auto* form = new QFormLayout(&window);
    auto* name = new TEditText(&window);
    name->SetValue(QStringLiteral("Mustermann"));
    auto* amount = new TEditFloat(&window);
    amount->SetAlignment(taRightJustify);
    amount->SetFormatEdit(QStringLiteral("####0.00"));
    amount->SetFormatView(QStringLiteral("####0.00 €"));
    amount->SetDecimals(2);
    amount->SetValue(2500);
    auto* years = new TEditFloat(&window);
    years->SetAlignment(taRightJustify);
    years->SetFormatEdit(QStringLiteral("##0."));
    years->SetFormatView(QStringLiteral("##0. Jahre"));
    years->SetValueMin(1);
    years->SetValueMax(99);
    years->SetValue(12);
    auto* ende = new TEditFloat(&window);
    ende->SetAlignment(taRightJustify);
    ende->SetFormatView(QStringLiteral("##0. Jahre"));
    ende->SetValue(85);
    ende->setEnabled(false);
    form->addRow(QStringLiteral("&Name"), name);
    form->addRow(QStringLiteral("&Betrag Einmalanlage"), amount);
    form->addRow(QStringLiteral("An&lagedauer"), years);
    form->addRow(QStringLiteral("individuell"), ende);
    window.resize(380, 150);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Normal, right-aligned with its unit: text in the right half only.
    name->setFocus(Qt::OtherFocusReason);
    QImage shot = amount->grab().toImage();
    QCOMPARE(amount->text(), QStringLiteral("2500,00 €"));
    QVERIFY(HasDarkPixels(shot, shot.width() / 2, shot.width()));
    QVERIFY(!HasDarkPixels(shot, 0, shot.width() / 2));
    const QColor normal = Background(shot);

    // Focused: the edit format, flush left.
    QTest::keyClick(name, Qt::Key_Tab);
    QVERIFY(amount->hasFocus());
    shot = amount->grab().toImage();
    QCOMPARE(amount->text(), QStringLiteral("2500,00"));
    QVERIFY(HasDarkPixels(shot, 0, shot.width() / 3));
    const QImage focusedWindow = window.grab().toImage();

    // Disabled: button face behind grey text.
    shot = ende->grab().toImage();
    QCOMPARE(Background(shot), QApplication::palette().color(QPalette::Active, QPalette::Button));
    QVERIFY(Background(shot) != normal);

    // Error state: red until the next key.
    QTest::keyClick(amount, Qt::Key_Tab);
    QTest::keyClicks(years, "120");
    QTest::keyClick(years, Qt::Key_Return);
    QCOMPARE(m_boxes.count(), 1);
    QTRY_VERIFY(years->hasFocus());
    shot = years->grab().toImage();
    QCOMPARE(shot.pixelColor(shot.width() - 6, shot.height() / 2), QColor(255, 0, 0));
    const QImage errorWindow = window.grab().toImage();

    Screenshot(SideBySide(focusedWindow, errorWindow), QStringLiteral("fieldlook"));
    QTest::keyClick(years, Qt::Key_Escape);
}

QTEST_MAIN(TestFieldLook)
#include "test_fieldlook.moc"
