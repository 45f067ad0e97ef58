#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace orvanta;

TEST(FloatToShortest, PositionalNotationWithTheRegionalSeparator) {
    EXPECT_EQ(FloatToShortest(100, ','), "100");
    EXPECT_EQ(FloatToShortest(150.5, ','), "150,5");
    EXPECT_EQ(FloatToShortest(150.5, '.'), "150.5");
    EXPECT_EQ(FloatToShortest(0, ','), "0");
    EXPECT_EQ(FloatToShortest(5, ','), "5");
    // Round numbers whose exponent form is shorter stay plain digits.
    EXPECT_EQ(FloatToShortest(100000, ','), "100000");
    EXPECT_EQ(FloatToShortest(10000000, ','), "10000000");
    EXPECT_EQ(FloatToShortest(-2000000, ','), "-2000000");
    EXPECT_EQ(FloatToShortest(0.001, ','), "0,001");
    EXPECT_EQ(FloatToShortest(0.000001, ','), "0,000001");
    EXPECT_EQ(FloatToShortest(1e15, ','), "1000000000000000");
    EXPECT_EQ(FloatToShortest(1e20, ','), "100000000000000000000");
    // Shortest digits that read back: no rounding noise, nothing lost.
    EXPECT_EQ(FloatToShortest(0.1 + 0.2, ','), "0,30000000000000004");
    EXPECT_EQ(FloatToShortest(1234567.25, ','), "1234567,25");
}

TEST(FloatToShortest, ReadsBackToTheSameValueWithoutExponent) {
    const double values[] = {1e-6,   3.3e-6,   0.1,    2.0 / 3.0,
                             99.99,  123456,   1.5e7,  9007199254740993.0,
                             4.2e14, 1e15 - 1, 5e-324, std::numeric_limits<double>::max()};
    for (double v : values) {
        for (double w : {v, -v}) {
            const std::string text = FloatToShortest(w, ',');
            EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
            double back = 0;
            ASSERT_TRUE(TextToFloat(text, back, ',')) << text;
            EXPECT_EQ(back, w) << text;
        }
    }
}

TEST(FloatToShortest, ValuesThatAreNotFinite) {
    EXPECT_EQ(FloatToShortest(std::nan(""), ','), "NAN");
    EXPECT_EQ(FloatToShortest(std::numeric_limits<double>::infinity(), ','), "INF");
    EXPECT_EQ(FloatToShortest(-std::numeric_limits<double>::infinity(), ','), "-INF");
}
