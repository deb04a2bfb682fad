#include "tuning/tuning_map.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(TuningMap, StandardTuning) {
    CTuningMap map;
    EXPECT_DOUBLE_EQ(map.frequency(69), 440.0);
    EXPECT_NEAR(map.frequency(0), 8.1758, 1e-4);
    EXPECT_NEAR(map.frequency(60), 261.6256, 1e-4);
    EXPECT_STREQ(map.getName(), "standard");
    EXPECT_STREQ(map.getMessage(), "");
    // Notes outside the table follow 100 cents per note.
    map.cents[0] = 5000.0;
    map.cents[127] = 0.0;
    EXPECT_NEAR(map.frequency(-12), 8.1758 / 2, 1e-4);
    EXPECT_NEAR(map.frequency(128), map.baseFrequency * std::pow(2.0, 128 / 12.0), 1e-6);
}

TEST(TuningMap, ResetRestoresEverything) {
    CTuningMap map;
    map.cents[60] = 6050.0;
    map.baseFrequency = 440.0;
    std::snprintf(map.name, sizeof(map.name), "%s", "other");
    std::snprintf(map.message, sizeof(map.message), "%s", "failed");
    map.reset();
    EXPECT_DOUBLE_EQ(map.cents[60], 6000.0);
    EXPECT_DOUBLE_EQ(map.frequency(69), 440.0);
    EXPECT_STREQ(map.getName(), "standard");
    EXPECT_STREQ(map.getMessage(), "");
}

// Whatever the table holds, a voice gets a finite, positive frequency.
TEST(TuningMap, FrequencyStaysFiniteAndPositive) {
    const double kCases[] = {1e12, -1e12, NAN, INFINITY, -INFINITY};
    for (double cents : kCases) {
        CTuningMap map;
        map.cents[5] = cents;
        const double f = map.frequency(5);
        EXPECT_TRUE(std::isfinite(f) && f >= CTuningMap::kMinFrequency &&
                    f <= CTuningMap::kMaxFrequency)
            << cents << " -> " << f;
    }
    CTuningMap map;
    map.baseFrequency = 0.0;
    EXPECT_EQ(map.frequency(69), CTuningMap::kMinFrequency);
}
