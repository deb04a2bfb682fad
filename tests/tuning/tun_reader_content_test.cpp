#include "tests/tuning/test_support.h"
#include "tuning/tuning_map.h"

#include <cmath>
#include <string>
#include <vector>

namespace {
using namespace std::string_literals;

struct SNoteValue {
    int note;
    double cents;
};

struct SGoodFile {
    const char* what;
    std::string bytes;
    std::vector<SNoteValue> expected; // every other note keeps 100 n
    double baseFrequency;
};

constexpr double kStandardBase = 8.175798915643707;

// Notes from, from + stride, ... up to 127 with offsets first, first + step, ...
std::vector<SNoteValue> steps(int from, int stride, double first, double step) {
    std::vector<SNoteValue> values;
    for (int n = from; n < CTuningMap::kNumNotes; n += stride) {
        values.push_back({n, first + step * ((n - from) / stride)});
    }
    return values;
}

const SGoodFile kGoodFiles[] = {
    {"capitals", "[Tuning]\nNote 69 = 6900\nNOTE 70=7050\n", {{70, 7050}}, kStandardBase},
    {"whole cents are integers", "[tuning]\nnote 12=1250.7\n", {{12, 1250}}, kStandardBase},
    {"exact cents are fractional",
     "[exact tuning]\nnote 127=12700\nnote 12=1250.7\n",
     {{12, 1250.7}},
     kStandardBase},
    {"blanks and tabs around key and value",
     "\t[tuning] \t\n \tnote\t 5 \t=\t -250 \t\n",
     {{5, -250}},
     kStandardBase},
    {"notes out of range are ignored",
     "[tuning]\nnote 200=5\nnote -1=5\nnote 128=5\n[exact tuning]\nnote 200=5\nnote -1=5\n",
     {},
     kStandardBase},
    {"a word after note reads as note 0", "[tuning]\nnotes=50\n", {{0, 50}}, kStandardBase},
    {"other keys are ignored", "[tuning]\nname=x\nfoo = note 3\nbasefreq=440\n", {}, kStandardBase},
    {"value without a number reads 0",
     "[tuning]\nnote 4=abc\nnote 5=\n",
     {{4, 0}, {5, 0}},
     kStandardBase},
    {"later lines overwrite earlier ones",
     "[tuning]\nnote 4=1\n[x]\n[tuning]\nnote 4=2\n",
     {{4, 2}},
     kStandardBase},
    {"basefreq in the exact section", "[exact tuning]\nBaseFreq = 440\n", {}, 440.0},
    {"exact section drops whole cents",
     "[tuning]\nnote 3=1\n[exact tuning]\nnote 127=12700\n",
     {},
     kStandardBase},
    {"sections in any order",
     "[exact tuning]\nnote 127=12700\nnote 2=201\n[tuning]\nnote 3=1\n",
     {{2, 201}},
     kStandardBase},
    {"two notes repeat up to 127", "[exact tuning]\nnote 0=0\nnote 1=100\n", {}, kStandardBase},
    {"twelve-note pattern repeats", "[exact tuning]\nnote 0=0\nnote 4=390\nnote 12=1200\n",
     steps(4, 12, 390, 1200), kStandardBase},
    {"period other than an octave", "[exact tuning]\nnote 0=0\nnote 1=150\nnote 2=300\n",
     steps(0, 1, 0, 150), kStandardBase},
    {"note m is rewritten from note 0", "[exact tuning]\nnote 0=10\nnote 1=110\nnote 2=200\n",
     steps(0, 1, 10, 100), kStandardBase},
    {"missing equals in unknown section",
     "[info]\nno equals here\n[tuning]\nnote 1=5\n",
     {{1, 5}},
     kStandardBase},
    {"tag with blanks inside is unknown",
     "[ tuning ]\nnote 1=5\n[exact  tuning]\nx\n[tuning]\n",
     {},
     kStandardBase},
    {"text before the first tag is ignored", "hello\nnote 1=5\n[tuning]\n", {}, kStandardBase},
    {"last line without a break", "[tuning]\r\nnote 9=901", {{9, 901}}, kStandardBase},
    {"zero bytes end lines",
     "[tuning]\0note 9=901\0\0note 10=1001"s,
     {{9, 901}, {10, 1001}},
     kStandardBase},
    {"509 characters are accepted",
     "[tuning]\nnote 1=5" + std::string(509 - 8, ' ') + "\n",
     {{1, 5}},
     kStandardBase},
    {"signs and leading zeros",
     "[tuning]\nnote +007=-0700\nnote 008=+801\n",
     {{7, -700}, {8, 801}},
     kStandardBase},
    {"exponent and hexadecimal exact values",
     "[exact tuning]\nnote 127=1\nnote 1=1.5e2\nnote 2=0x10\n",
     {{1, 150}, {2, 16}, {127, 1}},
     kStandardBase},
};

class CTunReaderContent : public CTempDirTest, public ::testing::WithParamInterface<SGoodFile> {};
} // namespace

TEST_P(CTunReaderContent, LoadsTheExpectedCents) {
    const SGoodFile& c = GetParam();
    std::vector<double> expected(CTuningMap::kNumNotes);
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        expected[n] = 100.0 * n;
    }
    for (const SNoteValue& v : c.expected) {
        expected[v.note] = v.cents;
    }
    CTuningMap map;
    ASSERT_TRUE(map.loadFile(writeFile("good.tun", c.bytes).c_str())) << map.getMessage();
    EXPECT_STREQ(map.getMessage(), "");
    EXPECT_DOUBLE_EQ(map.baseFrequency, c.baseFrequency);
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        EXPECT_DOUBLE_EQ(map.cents[n], expected[n]) << "note " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CTunReaderContent, ::testing::ValuesIn(kGoodFiles), SCaseName());

using CTunReaderPitch = CTempDirTest;

TEST_F(CTunReaderPitch, NoteSixtyAtFiveOctaves) {
    CTuningMap map;
    ASSERT_TRUE(map.loadFile(writeFile("c.tun", "[tuning]\nnote 60=6000\n").c_str()));
    EXPECT_NEAR(map.frequency(60), 8.1758 * 32, 1e-2);
}

TEST_F(CTunReaderPitch, BaseFrequencyMovesEveryNote) {
    CTuningMap map;
    ASSERT_TRUE(map.loadFile(writeFile("c.tun", "[exact tuning]\nbasefreq=440\n").c_str()));
    for (int n : {0, 12, 69, 127}) {
        EXPECT_NEAR(map.frequency(n), 440.0 * std::pow(2.0, n / 12.0), 1e-9 * map.frequency(n));
    }
}

TEST(TunReaderName, FromThePath) {
    struct SCase {
        std::string path;
        const char* name;
    };
    const SCase cases[] = {
        {"/scales/just.intonation.tun", "just"},
        {"C:\\Scales\\just.intonation.tun", "just"},
        {"/mixed\\sep/arated\\pyth.tun", "pyth"},
        {"/scales/noextension", "noextension"},
        {"relative.tun", "relative"},
        {"/a/.hidden", ""},
        {"/x/" + std::string(100, 'n') + ".tun", nullptr},
        {"a.tu", "standard"},
        {"/b.t", "standard"},
    };
    for (const SCase& c : cases) {
        CTuningMap map;
        map.loadFile(c.path.c_str());
        const std::string expected = c.name ? c.name : std::string(79, 'n');
        EXPECT_EQ(map.getName(), expected) << c.path;
    }
}
