#include "tests/tuning/test_support.h"
#include "tuning/tuning_map.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {
struct SHostileValue {
    const char* what;
    const char* bytes;
    int note;
    double cents;
    double baseFrequency;
};

constexpr double kStandardBase = 8.175798915643707;

const SHostileValue kHostileValues[] = {
    {"nan base", "[exact tuning]\nbasefreq=nan\n", 0, 0, kStandardBase},
    {"infinite base", "[exact tuning]\nbasefreq=inf\n", 0, 0, kStandardBase},
    {"overflowing base", "[exact tuning]\nbasefreq=1e999\n", 0, 0, kStandardBase},
    {"zero base", "[exact tuning]\nbasefreq=0\n", 0, 0, kStandardBase},
    {"negative base", "[exact tuning]\nbasefreq=-440\n", 0, 0, kStandardBase},
    {"text base", "[exact tuning]\nbasefreq=a4\n", 0, 0, kStandardBase},
    {"tiny base is kept", "[exact tuning]\nbasefreq=1e-300\n", 0, 0, 1e-300},
    {"nan cents", "[exact tuning]\nnote 127=12700\nnote 3=nan\n", 3, 300, kStandardBase},
    {"infinite cents", "[exact tuning]\nnote 127=12700\nnote 3=-infinity\n", 3, 300, kStandardBase},
    {"overflowing cents", "[exact tuning]\nnote 127=12700\nnote 3=1e400\n", 3, 300, kStandardBase},
    {"huge exact cents are held", "[exact tuning]\nnote 127=12700\nnote 3=-1e300\n", 3,
     -2147483647.0, kStandardBase},
    {"overflowing whole cents saturate", "[tuning]\nnote 3=99999999999999999999999\n", 3,
     2147483647.0, kStandardBase},
    {"underflowing whole cents saturate", "[tuning]\nnote 3=-99999999999999999999999\n", 3,
     -2147483648.0, kStandardBase},
    {"overflowing note number", "[tuning]\nnote 4294967299=5\nnote -4294967295=5\n", 3, 300,
     kStandardBase},
};

class CTunReaderHostile : public CTempDirTest,
                          public ::testing::WithParamInterface<SHostileValue> {};
} // namespace

TEST_P(CTunReaderHostile, KeepsEveryPitchUsable) {
    const SHostileValue& c = GetParam();
    CTuningMap map;
    ASSERT_TRUE(map.loadFile(writeFile("h.tun", c.bytes).c_str())) << map.getMessage();
    EXPECT_DOUBLE_EQ(map.cents[c.note], c.cents);
    EXPECT_DOUBLE_EQ(map.baseFrequency, c.baseFrequency);
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        const double f = map.frequency(n);
        ASSERT_TRUE(std::isfinite(f) && f > 0.0) << n << ": " << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CTunReaderHostile, ::testing::ValuesIn(kHostileValues),
                         SCaseName());

using CTunReaderLarge = CTempDirTest;

// The repetition of huge periods stays finite.
TEST_F(CTunReaderLarge, RepeatedHugePeriodStaysFinite) {
    CTuningMap map;
    ASSERT_TRUE(
        map.loadFile(writeFile("p.tun", "[exact tuning]\nnote 0=1e308\nnote 1=1e308\n").c_str()));
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        ASSERT_TRUE(std::isfinite(map.cents[n])) << n;
        ASSERT_EQ(map.frequency(n), CTuningMap::kMaxFrequency) << n;
    }
}

// Many megabytes stream through with the last value winning; line numbers keep counting.
TEST_F(CTunReaderLarge, HugeFileIsStreamed) {
    const std::string path = dir + "/huge.tun";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("[exact tuning]\nnote 127=12700\n", file);
    const std::string chunk = "; filler line of a large file\r\nnote 5=512.5\r\n";
    const int kChunks = 200000;
    for (int i = 0; i < kChunks; ++i) {
        std::fwrite(chunk.data(), 1, chunk.size(), file);
    }
    std::fputs("note 5=499.25\nbroken\n", file);
    std::fclose(file);

    CTuningMap map;
    EXPECT_FALSE(map.loadFile(path.c_str()));
    EXPECT_EQ(std::string(map.getMessage()),
              "Syntax error: '=' missing! (line " + std::to_string(2 * kChunks + 4) + ")");
    EXPECT_DOUBLE_EQ(map.cents[5], 499.25);
}
