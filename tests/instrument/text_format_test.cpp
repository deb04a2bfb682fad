#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "host/text_format.h"

namespace {

struct SFloatCase {
    float value;
    const char* expected;
};

TEST(TextFormat, FloatIsTruncatedToEightCharacters) {
    const SFloatCase cases[] = {
        {12.5f, "12.50000"},      {-41.8f, "-41.7999"},       {0.0f, "0.000000"},
        {1.0f, "1.000000"},       {0.1f, "0.100000"},         {-3.66059f, "-3.66058"},
        {1234567.0f, "1234567."}, {12345678.0f, "12345678."}, {-9999999.0f, "-9999999."},
        {123456.78f, "123456.7"}, {1e-9f, "0.000000"},
    };
    for (const SFloatCase& c : cases) {
        char text[32] = "";
        formatFloat(c.value, text);
        EXPECT_STREQ(text, c.expected) << c.value;
    }
}

TEST(TextFormat, FloatOutOfRangeLeavesTheText) {
    const float inf = std::numeric_limits<float>::infinity();
    for (float value :
         {1e8f + 16.0f, -1e7f - 1.0f, inf, -inf, std::numeric_limits<float>::quiet_NaN()}) {
        char text[32] = "kept";
        formatFloat(value, text);
        EXPECT_STREQ(text, "kept") << value;
    }
}

TEST(TextFormat, IntAndDecibels) {
    char text[32];
    formatInt(8, text);
    EXPECT_STREQ(text, "      8");
    formatInt(-5, text);
    EXPECT_STREQ(text, "     -5");
    formatInt(99999999, text);
    EXPECT_STREQ(text, "99999999");
    formatInt(100000000, text);
    EXPECT_STREQ(text, "Huge!");
    formatDb(1.0f, text);
    EXPECT_STREQ(text, "0.000000");
    formatDb(0.0f, text);
    EXPECT_STREQ(text, "-oo");
    formatDb(-1.0f, text);
    EXPECT_STREQ(text, "-oo");
    formatDb(0.0625f, text);
    EXPECT_STREQ(text, "-24.0823");
}

TEST(TextFormat, CopyTextCutsToItsCapacity) {
    char text[8];
    std::memset(text, 'z', sizeof(text));
    copyText(text, "0123456789", 4);
    EXPECT_STREQ(text, "012");
    EXPECT_EQ(text[4], 'z');
    copyText(text, nullptr, 4);
    EXPECT_STREQ(text, "");
    copyText(nullptr, "abc", 4); // nothing to write into
}

TEST(TextFormat, TruncToIntSaturates) {
    EXPECT_EQ(truncToInt(std::nan("")), 0);
    EXPECT_EQ(truncToInt(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(truncToInt(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(truncToInt(-2.7), -2);
}

} // namespace
