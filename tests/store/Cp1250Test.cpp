#include <gtest/gtest.h>

#include "store/Cp1250.h"

TEST(Cp1250, EveryByteRoundTripsThroughUtf8) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(byte)), byte) << b;
    }
}

TEST(Cp1250, MapsCharactersBothWays) {
    struct Case {
        const char* utf8;
        const char* cp1250;
    };
    const Case cases[] = {
        {"zażółć gęślą jaźń", "za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1"},
        {"ĄĆĘŁŃÓŚŹŻ", "\xa5\xc6\xca\xa3\xd1\xd3\x8c\x8f\xaf"},
        {"€ „cytat” – …", "\x80 \x84" "cytat\x94 \x96 \x85"},
        // the five bytes the code page leaves unassigned
        {"\xc2\x81\xc2\x83\xc2\x88\xc2\x90\xc2\x98", "\x81\x83\x88\x90\x98"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250) << c.utf8;
        EXPECT_EQ(Cp1250ToUtf8(c.cp1250), c.utf8) << c.utf8;
        EXPECT_TRUE(IsCp1250Representable(c.utf8)) << c.utf8;
    }
}

TEST(Cp1250, CharacterWithoutByteBecomesQuestionMark) {
    const struct {
        const char* utf8;
        const char* cp1250;
    } cases[] = {
        {"Ελλάδα", "??????"},
        {"a😀b", "a?b"},
        {"ñ", "?"},
        {"a\xff" "b", "a?b"},          // malformed UTF-8
        {"x\xc5", "x?"},               // cut sequence at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1250(c.utf8), c.cp1250) << c.utf8;
        EXPECT_FALSE(IsCp1250Representable(c.utf8)) << c.utf8;
        EXPECT_EQ(Cp1250Length(c.utf8), std::string(c.cp1250).size()) << c.utf8;
    }
}

TEST(Cp1250, LengthCountsCharacters) {
    EXPECT_EQ(Cp1250Length(""), 0u);
    EXPECT_EQ(Cp1250Length("abc"), 3u);
    EXPECT_EQ(Cp1250Length("Żółw"), 4u);
}
