#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/talvir-host/render_options.h"

namespace {

TEST(RenderOptions, ReadsEveryOption) {
    CRenderOptions o;
    std::string error;
    ASSERT_TRUE(parseRenderOptions(
        {"lib.so",    "-o",     "x.wav",    "--note",  "60:0:1",  "--note",    "64:0.5:1:90",
         "--program", "3",      "--param",  "21=0.9",  "--param", "Reso.=0.5", "--param",
         "a=b=1",     "--rate", "48000",    "--block", "64",      "--quality", "high",
         "--tail",    "0",      "--length", "2.5",     "--pcm24", "--excite",  "sine:110",
         "--midi",    "m.mid",  "--tuning", "t.tun"},
        o, error))
        << error;
    EXPECT_EQ(o.plugin, "lib.so");
    EXPECT_EQ(o.output, "x.wav");
    ASSERT_EQ(o.notes.size(), 2u);
    EXPECT_EQ(o.notes[1].velocity, 90);
    EXPECT_EQ(o.program, 3);
    ASSERT_EQ(o.params.size(), 3u);
    EXPECT_EQ(o.params[0].first, "21");
    EXPECT_FLOAT_EQ(o.params[0].second, 0.9f);
    EXPECT_EQ(o.params[1].first, "Reso.");
    EXPECT_EQ(o.params[2].first, "a=b"); // the value follows the last '='
    EXPECT_EQ(o.sampleRate, 48000.0);
    EXPECT_EQ(o.blockSize, 64);
    EXPECT_EQ(o.quality, 1);
    EXPECT_EQ(o.tail, 0.0);
    EXPECT_EQ(o.length, 2.5);
    EXPECT_EQ(o.format, CWavWriter::EFormat::kPcm24);
    EXPECT_EQ(o.excitation, "sine:110");
    EXPECT_EQ(o.midiFile, "m.mid");
    EXPECT_EQ(o.tuningFile, "t.tun");

    ASSERT_TRUE(parseRenderOptions({"lib.so"}, o, error));
    EXPECT_EQ(o.blockSize, CRenderOptions::kDefaultBlockSize);
    EXPECT_EQ(o.sampleRate, 0.0);
    EXPECT_EQ(o.program, -1);
    EXPECT_EQ(o.format, CWavWriter::EFormat::kFloat32);
    ASSERT_TRUE(parseRenderOptions({"--help"}, o, error));
    EXPECT_TRUE(o.help);
}

TEST(RenderOptions, RefusesBadOptionsWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"lib.so", "other.so"},
        {"lib.so", "--bogus"},
        {"lib.so", "--note"},
        {"lib.so", "--note", "200:0:1"},
        {"lib.so", "--block", "0"},
        {"lib.so", "--block", "-512"},
        {"lib.so", "--block", "100000000"},
        {"lib.so", "--block", "64.5"},
        {"lib.so", "--rate", "0"},
        {"lib.so", "--rate", "1e12"},
        {"lib.so", "--length", "0"},
        {"lib.so", "--length", "-1"},
        {"lib.so", "--length", "1e9"},
        {"lib.so", "--tail", "-0.5"},
        {"lib.so", "--program", "32"},
        {"lib.so", "--program", "-1"},
        {"lib.so", "--param", "21"},
        {"lib.so", "--param", "=0.5"},
        {"lib.so", "--param", "21=loud"},
        {"lib.so", "--param", "21=nan"},
        {"lib.so", "--quality", "best"},
        {"lib.so", "--excite-gain", "-1"},
        {"lib.so", "-o", ""},
    };
    for (const std::vector<std::string>& args : bad) {
        CRenderOptions o;
        std::string error;
        std::string joined;
        for (const std::string& a : args) {
            joined += a + " ";
        }
        EXPECT_FALSE(parseRenderOptions(args, o, error)) << joined;
        EXPECT_FALSE(error.empty()) << joined;
    }
}

} // namespace
