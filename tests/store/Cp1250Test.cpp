#include <gtest/gtest.h>

#include "store/Cp1250.h"

TEST(Cp1250, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(byte)), byte) << b;
    }
}
