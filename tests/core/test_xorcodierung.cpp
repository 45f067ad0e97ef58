#include "core/xorcodierung.h"

#include <gtest/gtest.h>

using orvanta::XorCodierung;

TEST(XorCodierung, AppliedTwiceGivesTheInput) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (const std::string& s : {std::string(), std::string("berater"), std::string(40, 'x'),
                                 std::string("\0\0a\0", 4), all})
        EXPECT_TRUE(XorCodierung(XorCodierung(s)) == s);
    EXPECT_EQ(XorCodierung(""), "");
}

TEST(XorCodierung, ScramblesOnlyTheFirst31Characters) {
    const std::string plain(40, 'x');
    const std::string scrambled = XorCodierung(plain);
    ASSERT_EQ(scrambled.size(), 40u);
    for (std::size_t i = 0; i < 31; ++i)
        EXPECT_NE(scrambled[i], 'x') << i;
    EXPECT_EQ(scrambled.substr(31), std::string(9, 'x'));
}

TEST(XorCodierung, KeyIsFixed) {
    // The delivered data file holds passwords scrambled with this key; a
    // changed key would lock every adviser out.
    const std::string key = XorCodierung(std::string(31, '\0'));
    EXPECT_EQ(key, "Orvanta\xA7VALMERA47-Schl\xFCssel#06!");
}
