// What the fields look like, checked on their painted pixels: normal and
// right-aligned, focused, in the error state, disabled. With
// ORVANTA_SCREENSHOT_DIR set, the window is also saved as fieldlook.png
// (tools/screenshots.sh).

#include "controls/housestyle.h"
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
    void greyTextIsMadeReadable_data();
    void greyTextIsMadeReadable();

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

    // Disabled: button face behind grey text that is still legible: its
    // darkest painted pixel stands out from the face by at least 4.5:1.
    shot = ende->grab().toImage();
    QCOMPARE(Background(shot), QApplication::palette().color(QPalette::Active, QPalette::Button));
    QVERIFY(Background(shot) != normal);
    QColor darkest = Qt::white;
    for (int x = 3; x < shot.width() - 3; ++x)
        for (int y = 3; y < shot.height() - 3; ++y)
            if (qGray(shot.pixel(x, y)) < qGray(darkest.rgb()))
                darkest = shot.pixelColor(x, y);
    QVERIFY2(ContrastRatio(darkest, Background(shot)) >= 4.5, qPrintable(darkest.name()));

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

void TestFieldLook::greyTextIsMadeReadable_data() {
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("unchanged");
    // #ABABAB on #EFEFEF is about 2:1.
    QTest::newRow("light grey on button face")
        << QColor(0xAB, 0xAB, 0xAB) << QColor(0xEF, 0xEF, 0xEF) << false;
    QTest::newRow("grey on white") << QColor(0xBE, 0xBE, 0xBE) << QColor(Qt::white) << false;
    QTest::newRow("already dark enough")
        << QColor(0x60, 0x60, 0x60) << QColor(0xEF, 0xEF, 0xEF) << true;
    QTest::newRow("grey on a dark theme")
        << QColor(0x50, 0x50, 0x50) << QColor(0x30, 0x30, 0x30) << false;
    QTest::newRow("tinted grey keeps its tint")
        << QColor(0xB0, 0xB0, 0xD0) << QColor(0xEF, 0xEF, 0xEF) << false;
}

void TestFieldLook::greyTextIsMadeReadable() {
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(bool, unchanged);
    const QColor readable = ReadableTextColor(text, background);
    QVERIFY2(ContrastRatio(readable, background) >= 4.5, qPrintable(readable.name()));
    if (unchanged) {
        QCOMPARE(readable, text);
        return;
    }
    // Only as far as needed: still a grey, not black or white.
    QVERIFY(readable != QColor(Qt::black) && readable != QColor(Qt::white));
    QVERIFY(ContrastRatio(readable, background) < 6);
    if (text.blue() > text.red())
        QVERIFY(readable.blue() > readable.red());
}

QTEST_MAIN(TestFieldLook)
#include "test_fieldlook.moc"
