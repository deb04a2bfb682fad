#include "tuning/tuning_map.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

// Files written by common tuning software, with pitches computed from their text.
namespace {
struct SPitch {
    int note;
    double hz;
    double tolerance;
};

struct SSample {
    const char* file;
    std::vector<SPitch> pitches;
};

const SSample kSamples[] = {
    {"vaz2001_12EDO.tun", {{0, 8.1758, 1e-4}, {60, 261.6256, 1e-4}, {127, 12543.8540, 1e-4}}},
    {"vaz2001_7-C-Al-Farabis.tun",
     {{0, 8.1758, 1e-4}, {60, 3139.5884, 1e-4}, {69, 7847.5488, 1e-4}, {127, 2411266.5563, 1e-4}}},
    {"vaz2001_10-C-African.tun",
     {{60, 523.2511, 1e-4}, {69, 1502.3720, 1e-4}, {127, 74186.0195, 1e-4}}},
    {"scaleworkshop_anamark.v1.tun",
     {{0, 0.4552, 1e-4}, {60, 149.5055, 1e-4}, {69, 440.0, 1e-9}, {127, 135168.0, 1e-4}}},
    {"scaleworkshop_anamark.v2.tun",
     {{0, 0.4552, 1e-4}, {60, 149.5055, 1e-4}, {69, 440.0, 1e-9}, {127, 135168.0, 1e-4}}},
    {"scaleworkshop_unittestscale.tun",
     {{0, 0.0001, 5e-5}, {60, 52.1261, 1e-4}, {69, 440.0, 1e-9}, {127, 1.0912e8, 1e4}}},
};

class CTunSamples : public ::testing::TestWithParam<SSample> {};
} // namespace

TEST_P(CTunSamples, LoadWithTheExpectedPitches) {
    const SSample& s = GetParam();
    CTuningMap map;
    ASSERT_TRUE(map.loadFile((std::string("tests/tuning/data/") + s.file).c_str()))
        << map.getMessage();
    for (const SPitch& p : s.pitches) {
        EXPECT_NEAR(map.frequency(p.note), p.hz, p.tolerance) << s.file << " note " << p.note;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, CTunSamples, ::testing::ValuesIn(kSamples));

TEST(TunSampleFiles, ExactSectionWinsOverWholeCents) {
    CTuningMap map;
    ASSERT_TRUE(map.loadFile("tests/tuning/data/scaleworkshop_anamark.v1.tun"));
    EXPECT_DOUBLE_EQ(map.cents[60], 5031.234049);
    EXPECT_STREQ(map.getName(), "scaleworkshop_anamark");
}

TEST(TunSampleFiles, BinaryFileIsRejected) {
    CTuningMap map;
    EXPECT_FALSE(map.loadFile("tests/tuning/data/binary_not_anamark_I-hate-22-over-15.tun"));
    EXPECT_STREQ(map.getMessage(), "No tuning data found!");
    EXPECT_DOUBLE_EQ(map.frequency(69), 440.0);
}

// A dialect with "NoteNNN=<frequency> Hz" reads by the format's rules: the leading digits of
// the frequency become whole cents.
TEST(TunSampleFiles, FrequencyDialectReadsAsWholeCents) {
    CTuningMap map;
    ASSERT_TRUE(map.loadFile("tests/tuning/data/iceface_nonconforming_hz_dialect.tun"));
    EXPECT_DOUBLE_EQ(map.cents[0], 8.0);
    EXPECT_DOUBLE_EQ(map.cents[69], 440.0);
}
