#include "core/numberparse.h"
#include "core/numberpattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using orvanta::FormatFloat;
using orvanta::FormatFloatFixed;
using orvanta::FormatFloatGeneral;
using orvanta::TFormatSettings;
using orvanta::TryStrToFloat;

namespace {

const TFormatSettings German{',', '.'};
const TFormatSettings English{'.', ','};

struct PatternCase {
    const char* pattern;
    double value;
    const char* german;
    const char* english;
};

void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" " << c.value;
}

class PatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternTable, FormatsWithBothSeparatorSets) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatFloat(c.pattern, c.value, German), c.german);
    EXPECT_EQ(FormatFloat(c.pattern, c.value, English), c.english);
}

// The patterns the windows and report pages use, with typical and awkward values.
const PatternCase WindowRows[] = {
    {"###0.00", 2.5, "2,50", "2.50"},
    {"###0.00", 0.5, "0,50", "0.50"},
    {"###0.00", 123456.789, "123456,79", "123456.79"},
    {"####0.00 €", 200, "200,00 €", "200.00 €"},
    {"####0.00 €", 10000000, "10000000,00 €", "10000000.00 €"},
    {"##0. Jahre", 12, "12 Jahre", "12 Jahre"},
    {"##0. Jahre", 0, "0 Jahre", "0 Jahre"},
    {"##0. Jahre", 150, "150 Jahre", "150 Jahre"},
    {"##0. Jahre", 1234, "1234 Jahre", "1234 Jahre"},
    {"###0.0 %", 6, "6,0 %", "6.0 %"},
    {"###0.0 %", 2.25, "2,3 %", "2.3 %"},
    {"##0.", 5.2, "5", "5"},
    {"##0.", 2.5, "3", "3"},
    {"##0.", 12, "12", "12"},
    {"#,##0.00", 1234567.891, "1.234.567,89", "1,234,567.89"},
    {"#,##0.00", 999.995, "1.000,00", "1,000.00"},
    {"#,##0.00", 0, "0,00", "0.00"},
    {"#,##0.00 EUR", 100, "100,00 EUR", "100.00 EUR"},
    {"#,##0", 1000, "1.000", "1,000"},
    {"#,##0", 999, "999", "999"},
    {"#,##0 EUR", 1234567, "1.234.567 EUR", "1,234,567 EUR"},
    {"#,##0. EUR", 100000, "100.000 EUR", "100,000 EUR"},
    {"####,000.00 EUR", 50, "050,00 EUR", "050.00 EUR"},
    {"####,000.00 EUR", 1234567.5, "1.234.567,50 EUR", "1,234,567.50 EUR"},
    {"####,000.00 EUR", 0, "000,00 EUR", "000.00 EUR"},
    {"0.00", 3.14159, "3,14", "3.14"},
    {"0.0", 0.04, "0,0", "0.0"},
    {"##0.0", 99.96, "100,0", "100.0"},
    {"#0", 7, "7", "7"},
    {"#0", 0, "0", "0"},
    {"##0", 1000, "1000", "1000"},
    {"##00 Jahre", 5, "05 Jahre", "05 Jahre"},
    {"##00 Jahre", 35, "35 Jahre", "35 Jahre"},
    {"##0 Jahr", 1, "1 Jahr", "1 Jahr"},
    {"##0 Jahre", 65, "65 Jahre", "65 Jahre"},
    {"##,##0.00 € ", 98765.4321, "98.765,43 € ", "98,765.43 € "},
    {"####0.00 % ", 4.5, "4,50 % ", "4.50 % "},
};
INSTANTIATE_TEST_SUITE_P(WindowPatterns, PatternTable, ::testing::ValuesIn(WindowRows));

// Rounding works on the decimal value the user typed, half away from zero,
// not on the binary approximation (2.675 is stored as 2.67499999...).
const PatternCase RoundingRows[] = {
    {"0.00", 2.675, "2,68", "2.68"},
    {"0.00", 1.005, "1,01", "1.01"},
    {"0.00", 0.005, "0,01", "0.01"},
    {"0.00", 0.285, "0,29", "0.29"},
    {"0.00", 0.0049999, "0,00", "0.00"},
    {"0.00", -2.675, "-2,68", "-2.68"},
    {"0.00", 0.1 + 0.2, "0,30", "0.30"},
    {"0", 0.5, "1", "1"},
    {"0", 1.5, "2", "2"},
    {"0", 2.5, "3", "3"},
    {"0", -2.5, "-3", "-3"},
    {"#,##0", 999999.5, "1.000.000", "1,000,000"},
    {"0.00", 9.999, "10,00", "10.00"},
};
INSTANTIATE_TEST_SUITE_P(DecimalRounding, PatternTable, ::testing::ValuesIn(RoundingRows));

// A minus sign in front, and no "-0" for what rounds to zero.
const PatternCase NegativeRows[] = {
    {"#,##0.00 EUR", -1234.5, "-1.234,50 EUR", "-1,234.50 EUR"},
    {"##0. Jahre", -3, "-3 Jahre", "-3 Jahre"},
    {"####,000.00 EUR", -5, "-005,00 EUR", "-005.00 EUR"},
    {"0.00", -0.004, "0,00", "0.00"},
    {"##0.", -0.4, "0", "0"},
    {"0.00", -0.0, "0,00", "0.00"},
    {"###0.0 %", -0.04, "0,0 %", "0.0 %"},
};
INSTANTIATE_TEST_SUITE_P(NegativeValues, PatternTable, ::testing::ValuesIn(NegativeRows));

// Less common pattern forms: "#" only digits, quoted text, a prefix text.
const PatternCase FormRows[] = {
    {"#.##", 0.5, ",5", ".5"},
    {"#.##", 5, "5", "5"},
    {"#.##", 5.1, "5,1", "5.1"},
    {"0.0#", 5, "5,0", "5.0"},
    {"0.0#", 5.125, "5,13", "5.13"},
    {"#", 0, "", ""},
    {"'#'0", 3, "#3", "#3"},
    {"\"Jahre: \"0", 3, "Jahre: 3", "Jahre: 3"},
    {"'ca. '#0", 3, "ca. 3", "ca. 3"},
    {".00", 1.5, "1,50", "1.50"},
    {"0,000", 5, "0.005", "0,005"},
    {"0", 1e20, "100000000000000000000", "100000000000000000000"},
};
INSTANTIATE_TEST_SUITE_P(PatternForms, PatternTable, ::testing::ValuesIn(FormRows));

TEST(FormatFloat, EmptyPatternIsTheGeneralFormat) {
    EXPECT_EQ(FormatFloat("", 12.5, German), "12,5");
    EXPECT_EQ(FormatFloat("", 12.5, English), "12.5");
}

TEST(FormatFloat, UsesTheProcessWideSettingsByDefault) {
    const TFormatSettings saved = orvanta::FormatSettings();
    orvanta::SetFormatSettings(English);
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1,234.50");
    orvanta::SetFormatSettings(German);
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5), "1.234,50");
    orvanta::SetFormatSettings(saved);
}

TEST(FormatFloat, NonFiniteValuesNeverFail) {
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::infinity(), German), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity(), German), "-INF");
    EXPECT_EQ(FormatFloat("0.00", std::nan(""), German), "NAN");
    EXPECT_EQ(FormatFloatGeneral(std::nan(""), German), "NAN");
}

TEST(FormatFloat, HugeAndTinyValuesKeepAllIntegerDigits) {
    EXPECT_EQ(FormatFloat("#,##0", 1.5e17, German), "150.000.000.000.000.000");
    EXPECT_EQ(FormatFloat("0.00", 1e-300, German), "0,00");
    EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<double>::max(), German).size(), 312u);
}

TEST(FormatFloatGeneral, ShortestFormUpToFifteenDigits) {
    EXPECT_EQ(FormatFloatGeneral(0, German), "0");
    EXPECT_EQ(FormatFloatGeneral(-0.0, German), "0");
    EXPECT_EQ(FormatFloatGeneral(12.5, German), "12,5");
    EXPECT_EQ(FormatFloatGeneral(-7, German), "-7");
    EXPECT_EQ(FormatFloatGeneral(0.1 + 0.2, German), "0,3");
    EXPECT_EQ(FormatFloatGeneral(1234567.25, German), "1234567,25");
    EXPECT_EQ(FormatFloatGeneral(1.0 / 3.0, German), "0,333333333333333");
    EXPECT_EQ(FormatFloatGeneral(200 / 1.95583, English), "102.258376239244");
    EXPECT_EQ(FormatFloatGeneral(0.0001, German), "0,0001");
    EXPECT_EQ(FormatFloatGeneral(999999999999999.0, German), "999999999999999");
}

TEST(FormatFloatGeneral, ExponentBeyondFifteenDigitsAndBelowTenToTheMinusFive) {
    EXPECT_EQ(FormatFloatGeneral(1e20, German), "1E20");
    EXPECT_EQ(FormatFloatGeneral(1.5e-6, German), "1,5E-6");
    EXPECT_EQ(FormatFloatGeneral(-2.5e16, English), "-2.5E16");
}

TEST(FormatFloatFixed, DecimalsWithoutGrouping) {
    EXPECT_EQ(FormatFloatFixed(1, 2, German), "1,00");
    EXPECT_EQ(FormatFloatFixed(10000000, 2, German), "10000000,00");
    EXPECT_EQ(FormatFloatFixed(2.5, 0, German), "3");
    EXPECT_EQ(FormatFloatFixed(-0.001, 2, English), "0.00");
    EXPECT_EQ(FormatFloatFixed(150, 0, English), "150");
}

struct ParseCase {
    const char* text;
    double expected;
};

TEST(TryStrToFloat, ReadsNumbersWithTheRegionalDecimalSeparator) {
    const ParseCase german[] = {{"12,5", 12.5},   {"-3", -3}, {"0", 0},  {",5", 0.5},
                                {"5,", 5},        {" 7 ", 7}, {"+2", 2}, {"1E3", 1000},
                                {"2,5e-1", 0.25}, {"007", 7}, {"-0", 0}, {"1,5E-6", 1.5e-6}};
    for (const ParseCase& c : german) {
        double v = -99;
        EXPECT_TRUE(TryStrToFloat(c.text, v, German)) << c.text;
        EXPECT_EQ(v, c.expected) << c.text;
    }
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("12.5", v, English));
    EXPECT_EQ(v, 12.5);
    double negZero = 1;
    ASSERT_TRUE(TryStrToFloat("-0,0", negZero, German));
    EXPECT_FALSE(std::signbit(negZero));
}

TEST(TryStrToFloat, RefusesWhatIsNotANumber) {
    const char* bad[] = {"",      " ",   "-",     ",",      "1-2", "1,2,3",  "12.5",
                         "1.000", "abc", "1e",    "1e+",    "--1", "1 2",    "0x10",
                         "inf",   "nan", "1e400", "-1e999", "5 €", "1.234,5"};
    for (const char* text : bad) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloat(text, v, German)) << text;
        EXPECT_EQ(v, 42) << "unchanged after " << text;
    }
    double v = 42;
    EXPECT_FALSE(TryStrToFloat("12,5", v, English));
    EXPECT_FALSE(TryStrToFloat("1,000", v, English));
}

TEST(TryStrToFloat, TinyResultsBecomeZero) {
    double v = 42;
    EXPECT_TRUE(TryStrToFloat("1e-400", v, German));
    EXPECT_EQ(v, 0.0);
}

// What the fields show must read back as the same value (within the shown
// decimals), or committing an untouched entry would change it.
TEST(TryStrToFloat, ReadsBackWhatTheFormattersWrite) {
    const double values[] = {0, 12.5, -7.25, 1.0 / 3.0, 123456789.125, 1e20, 1.5e-6, 2.675};
    for (const TFormatSettings& fs : {German, English}) {
        for (double value : values) {
            double back = 0;
            ASSERT_TRUE(TryStrToFloat(FormatFloatGeneral(value, fs), back, fs)) << value;
            // Fifteen digits: exact for what a user types, close for the rest.
            EXPECT_NEAR(back, value, std::fabs(value) * 5e-15);
            ASSERT_TRUE(TryStrToFloat(FormatFloat("###0.00", value, fs), back, fs)) << value;
            EXPECT_NEAR(back, value, 0.005 + std::fabs(value) * 1e-15);
        }
    }
}

} // namespace

namespace {
// A number the user typed (at most 15 digits) comes back bit for bit from the
// general form, so showing and committing an untouched field changes nothing.
TEST(TryStrToFloat, TypedNumbersSurviveTheGeneralFormExactly) {
    const double typed[] = {0.1, 2.675, 1.005, 123456789.125, 99999999999999.9, -0.07};
    for (double value : typed) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloat(FormatFloatGeneral(value, German), back, German));
        EXPECT_EQ(back, value);
    }
}
} // namespace
