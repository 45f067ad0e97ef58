// Numbers as the user types them: a habitual dot must never shift the
// decimal point, while real thousands grouping keeps its meaning.

#include "core/numberparse.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

using orvanta::TFormatSettings;
using orvanta::TryReadTypedNumber;

namespace {

const TFormatSettings German{',', '.'};
const TFormatSettings English{'.', ','};

struct TypedCase {
    const char* text;
    std::optional<double> expected; // nothing: refused
};

void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class TypedNumberGerman : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedNumberGerman, ReadsGroupingAndHabitualDots) {
    const TypedCase& c = GetParam();
    double v = -42;
    const bool ok = TryReadTypedNumber(c.text, v, German);
    if (!c.expected) {
        EXPECT_FALSE(ok);
        EXPECT_EQ(v, -42) << "unchanged when refused";
        return;
    }
    ASSERT_TRUE(ok);
    EXPECT_EQ(v, *c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TypedNumberGerman,
                         ::testing::Values(
                             // The dot as a decimal point out of habit.
                             TypedCase{"150.50", 150.5}, TypedCase{"1.5", 1.5},
                             TypedCase{"0.125", 0.125}, TypedCase{"1234.567", 1234.567},
                             TypedCase{".5", 0.5}, TypedCase{"7.", 7}, TypedCase{"-2.25", -2.25},
                             TypedCase{"1.0000", 1.0},
                             // Real thousands grouping.
                             TypedCase{"1.000", 1000}, TypedCase{"1.000.000,50", 1000000.5},
                             TypedCase{"10.000.000", 10000000}, TypedCase{"-1.000", -1000},
                             TypedCase{"999.999,99", 999999.99},
                             // Without a dot nothing changes.
                             TypedCase{"150,50", 150.5}, TypedCase{"35", 35},
                             // Two decimal points, or a dot after the comma, are no number.
                             TypedCase{"1.5.3", std::nullopt}, TypedCase{"12.34.567", std::nullopt},
                             TypedCase{"1,5.0", std::nullopt}, TypedCase{"1.000,5.5", std::nullopt},
                             TypedCase{"1,000.000", std::nullopt}, TypedCase{".", std::nullopt},
                             TypedCase{"1..000", std::nullopt}));

TEST(TypedNumber, EnglishSettingsSwapTheRoles) {
    double v = 0;
    ASSERT_TRUE(TryReadTypedNumber("150,50", v, English));
    EXPECT_EQ(v, 150.5);
    ASSERT_TRUE(TryReadTypedNumber("1,000,000.50", v, English));
    EXPECT_EQ(v, 1000000.5);
    ASSERT_TRUE(TryReadTypedNumber("1,000", v, English));
    EXPECT_EQ(v, 1000);
}

} // namespace
