#include "engine/lfo.h"
#include "engine/noise_table.h"
#include "engine/random.h"
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr int32_t kOneEntryPerSample = 1 << 24;

float triangleAt(int i) {
    if (i < 64) {
        return i / 64.0f;
    }
    if (i < 128) {
        return (128 - i) / 64.0f;
    }
    if (i < 192) {
        return -(i - 128) / 64.0f;
    }
    return (i - 256) / 64.0f;
}

TEST(Lfo, TriangleStepsOneEntryPerSample) {
    CLfo lfo(44100.0f);
    lfo.setIncrement(kOneEntryPerSample);
    for (int n = 0; n < 512; ++n) {
        ASSERT_EQ(lfo.tick(), triangleAt(n % 256)) << n;
    }
}

TEST(Lfo, ShapeTables) {
    struct Case {
        int shape, index;
        float expected;
    } cases[] = {
        {kLfoSine, 0, 0.0f},      {kLfoSine, 64, 1.0f},       {kLfoSine, 192, -1.0f},
        {kLfoSaw, 0, -1.0f},      {kLfoSaw, 255, 1.0f},       {kLfoSaw, 256, -1.0f},
        {kLfoSquare, 127, 1.0f},  {kLfoSquare, 128, -1.0f},   {kLfoSquare, 256, 1.0f},
        {kLfoExponent, 0, -1.0f}, {kLfoExponent, 128, 1.0f},  {kLfoExponent, 256, -1.0f},
        {kLfoTriangle, 64, 1.0f}, {kLfoTriangle, 192, -1.0f}, {kLfoTriangle, 256, 0.0f},
    };
    for (const Case& c : cases) {
        CLfo lfo(44100.0f);
        lfo.setShape(c.shape);
        EXPECT_NEAR(lfo.getTableEntry(c.index), c.expected, 1e-6f)
            << kLfoShapeNames[c.shape] << " " << c.index;
    }
    EXPECT_STREQ(kLfoShapeNames[kLfoSine], "sinus");
    EXPECT_STREQ(kLfoShapeNames[kLfoExponent], "exponent");
}

TEST(Lfo, UnknownShapeKeepsTheTable) {
    CLfo lfo(44100.0f);
    lfo.setShape(kLfoSaw);
    lfo.setShape(9);
    EXPECT_EQ(lfo.getTableEntry(0), -1.0f);
}

TEST(Lfo, SawFallsWithinOneTableStep) {
    CLfo lfo(44100.0f);
    lfo.setShape(kLfoSaw);
    lfo.setIncrement(kOneEntryPerSample / 2);
    float last = 0.0f;
    for (int n = 0; n <= 511; ++n) {
        last = lfo.tick();
    }
    // Half-way between entry 255 (+1) and the guard (-1).
    EXPECT_NEAR(last, 0.0f, 1e-6f);
}

TEST(Lfo, FrequencySetsThePhaseStep) {
    CLfo lfo(44100.0f);
    lfo.setFrequency(0.0f);
    EXPECT_EQ(lfo.getIncrement(), 0);
    const float first = lfo.tick();
    EXPECT_EQ(lfo.tick(), first);

    lfo.setFrequency(44100.0f / 256.0f);
    EXPECT_EQ(lfo.getIncrement(), kOneEntryPerSample);
}

TEST(Lfo, OutOfRangeFrequenciesSaturate) {
    CLfo lfo(44100.0f);
    lfo.setFrequency(30000.0f);
    EXPECT_EQ(lfo.getIncrement(), INT32_MAX);
    lfo.setFrequency(-30000.0f);
    EXPECT_EQ(lfo.getIncrement(), INT32_MIN);
    lfo.setFrequency(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(lfo.getIncrement(), 0);
}

TEST(NoiseTable, DrawsOnTheGridFromTheGenerator) {
    talvir::srand(12345);
    CNoiseTable table(1000);
    uint32_t state = 12345;
    for (int i = 0; i < 1000; ++i) {
        state = state * 214013u + 2531011u;
        const int r = static_cast<int>((state >> 16) & 0x7FFF);
        const double expected = -1.0 + (r % 10000) / 5000.0;
        ASSERT_NEAR(table.getValue(i), expected, 1e-7) << i;
        const double level = (table.getValue(i) + 1.0) * 5000.0;
        ASSERT_NEAR(level, std::round(level), 1e-3) << i;
    }
}

TEST(NoiseTable, RepeatsAfterItsCount) {
    CNoiseTable table(44100);
    float first[4];
    for (float& v : first) {
        v = table.next();
    }
    for (int n = 4; n < 44100; ++n) {
        table.next();
    }
    for (float v : first) {
        EXPECT_EQ(table.next(), v);
    }
}

TEST(NoiseTable, EmptyCountStillGivesAValue) {
    CNoiseTable table(0);
    EXPECT_EQ(table.getCount(), 1);
    EXPECT_EQ(table.next(), table.next());
}

} // namespace
