// Separators taken from the regional settings, and the process-wide setting
// on a system without any (the C locale this test starts in).

#include "controls/regionalsettings.h"
#include "core/numberpattern.h"

#include <QtTest>

using namespace orvanta;

class TestRegionalSettings : public QObject {
    Q_OBJECT
private slots:
    void fromLocale_data();
    void fromLocale();
    void systemWithoutRegionalSettingsIsGerman();
};

void TestRegionalSettings::fromLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<char>("decimal");
    QTest::addColumn<char>("thousands");
    QTest::newRow("German") << "de_DE" << ',' << '.';
    QTest::newRow("Austrian") << "de_AT" << ',' << ' ';
    QTest::newRow("English") << "en_US" << '.' << ',';
    QTest::newRow("C is German") << "C" << ',' << '.';
    QTest::newRow("French narrow no-break space") << "fr_FR" << ',' << ' ';
    QTest::newRow("Russian no-break space") << "ru_RU" << ',' << ' ';
    QTest::newRow("Swiss apostrophe") << "de_CH" << '.' << '\'';
    QTest::newRow("Arabic separators fall back to German") << "ar_EG" << ',' << '.';
}

void TestRegionalSettings::fromLocale() {
    QFETCH(QString, locale);
    QFETCH(char, decimal);
    QFETCH(char, thousands);
    const TFormatSettings fs = formatSettingsFromLocale(QLocale(locale));
    QCOMPARE(fs.DecimalSeparator, decimal);
    QCOMPARE(fs.ThousandSeparator, thousands);
}

void TestRegionalSettings::systemWithoutRegionalSettingsIsGerman() {
    QCOMPARE(QLocale::system().language(), QLocale::C);
    SetFormatSettings(TFormatSettings{'.', ','});
    const TFormatSettings fs = applySystemFormatSettings();
    QCOMPARE(fs.DecimalSeparator, ',');
    QCOMPARE(FormatSettings().DecimalSeparator, ',');
    QCOMPARE(FormatSettings().ThousandSeparator, '.');
    QCOMPARE(QString::fromStdString(FormatFloat("#,##0.00 €", 1234.5)),
             QStringLiteral("1.234,50 €"));
}

int main(int argc, char** argv) {
    // The test fixes the locale it tests: a system without regional settings.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LC_NUMERIC");
    QCoreApplication app(argc, argv);
    TestRegionalSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_regionalsettings.moc"
