#include "core/errors.h"
#include "core/formatprintf.h"

#include <gtest/gtest.h>

using namespace orvanta;

namespace {
const TFormatSettings Deutsch{',', '.'};
const TFormatSettings Englisch{'.', ','};
} // namespace

TEST(FormatPrintf, GridCellsOfTheCommissionView) {
    // Four blanks, then nine characters with two decimals, no grouping.
    EXPECT_EQ(FormatPrintf("    %9f", {20.0}, Deutsch), "        20,00");
    EXPECT_EQ(FormatPrintf("    %9f", {1234567.891}, Deutsch), "    1234567,89");
    EXPECT_EQ(FormatPrintf("    %9f", {12345678.5}, Deutsch), "    12345678,50"); // wider than 9
    EXPECT_EQ(FormatPrintf("    %9f", {0.0}, Deutsch), "         0,00");
    EXPECT_EQ(FormatPrintf("    %9f", {-3.456}, Deutsch), "        -3,46");
    EXPECT_EQ(FormatPrintf("    %9f", {20.0}, Englisch), "        20.00");
    EXPECT_EQ(FormatPrintf("    %4d", {7}, Deutsch), "       7");
    EXPECT_EQ(FormatPrintf("    %4d", {12345}, Deutsch), "    12345");
}

TEST(FormatPrintf, ReturnCaptionsAndNote) {
    EXPECT_EQ(FormatPrintf(" %2.1f ", {3.0}, Deutsch), " 3,0 ");
    EXPECT_EQ(FormatPrintf(" %2.1f ", {9.0}, Deutsch), " 9,0 ");
    EXPECT_EQ(FormatPrintf("%3.1f", {6.0}, Deutsch), "6,0");
    EXPECT_EQ(FormatPrintf("%3.1f", {0.0}, Deutsch), "0,0");
    EXPECT_EQ(FormatPrintf("%3.1f", {12.25}, Deutsch), "12,3");
    EXPECT_EQ(FormatPrintf("(jährl. Wertentwicklung: %3.1f %%)", {6.0}, Deutsch),
              "(jährl. Wertentwicklung: 6,0 %)");
}

TEST(FormatPrintf, RoundsWhatWasTypedHalfAwayFromZero) {
    // 2.675 is stored just below; the display rounds the 15-digit value.
    EXPECT_EQ(FormatFixedDecimals(2.675, 2, Deutsch), "2,68");
    EXPECT_EQ(FormatFixedDecimals(-2.675, 2, Deutsch), "-2,68");
    EXPECT_EQ(FormatFixedDecimals(0.125, 2, Deutsch), "0,13");
    EXPECT_EQ(FormatFixedDecimals(9.995, 2, Deutsch), "10,00");
    EXPECT_EQ(FormatFixedDecimals(999.96, 1, Deutsch), "1000,0");
    EXPECT_EQ(FormatFixedDecimals(0.1 + 0.2, 2, Deutsch), "0,30");
    EXPECT_EQ(FormatFixedDecimals(0.004, 2, Deutsch), "0,00");
    EXPECT_EQ(FormatFixedDecimals(-0.004, 2, Deutsch), "0,00"); // never "-0,00"
    EXPECT_EQ(FormatFixedDecimals(0.00004, 4, Deutsch), "0,0000");
    EXPECT_EQ(FormatFixedDecimals(0.00005, 4, Deutsch), "0,0001");
    EXPECT_EQ(FormatFixedDecimals(1e20, 2, Deutsch), "100000000000000000000,00");
    EXPECT_EQ(FormatFixedDecimals(1234.5, 0, Deutsch), "1235");
}

TEST(FormatPrintf, FlagsPrecisionAndTexts) {
    EXPECT_EQ(FormatPrintf("[%-6d]", {42}), "[42    ]");
    EXPECT_EQ(FormatPrintf("[%.4d]", {-7}), "[-0007]");
    EXPECT_EQ(FormatPrintf("[%d]", {-9223372036854775807LL - 1}), "[-9223372036854775808]");
    EXPECT_EQ(FormatPrintf("[%5s|%-5s|%.2s]", {"ab", "cd", "xyz"}), "[   ab|cd   |xy]");
    EXPECT_EQ(FormatPrintf("%.*f", {3, 1.5}, Deutsch), "1,500");
    EXPECT_EQ(FormatPrintf("100%%", {}), "100%");
    EXPECT_EQ(FormatPrintf("%f", {1.0 / 0.0}), "INF");
}

TEST(FormatPrintf, MismatchedOrMissingArgumentsAreConversionErrors) {
    EXPECT_THROW(FormatPrintf("%d", {1.5}), EConvertError);
    EXPECT_THROW(FormatPrintf("%f", {3}), EConvertError);
    EXPECT_THROW(FormatPrintf("%s", {3}), EConvertError);
    EXPECT_THROW(FormatPrintf("%x", {3}), EConvertError);
    EXPECT_THROW(FormatPrintf("%5", {3}), EConvertError);
    try {
        FormatPrintf("%d und %d", {1});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Kein Argument für Format '%d und %d'");
    }
    try {
        FormatPrintf("%d", {1.5});
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Format '%d' ungültig oder nicht kompatibel mit Argument");
    }
}
