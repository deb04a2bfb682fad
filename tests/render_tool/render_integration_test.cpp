#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tools/talvir-host/render_analysis.h"
#include "tools/talvir-host/wav_file.h"
#include "tuning/tuning_map.h"

#if defined(TALVIR_HOST_TOOL) && defined(TALVIR_PLUGIN_LIBRARY)

namespace {

struct CRun {
    int exitCode = -1;
    std::string output; // stdout and stderr
};

CRun runRender(const std::string& arguments) {
    std::string command = std::string(TALVIR_HOST_TOOL) + " render " + TALVIR_PLUGIN_LIBRARY +
                          " --quiet " + arguments + " 2>&1";
    CRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.output += buffer;
    }
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string outputPath(const std::string& name) {
    return std::string(TALVIR_TEST_OUTPUT_DIR) + "/" + name;
}

// Left plus right: the random pan only scales the two sides.
std::vector<float> mono(const CAudioBuffer& audio) {
    std::vector<float> x(static_cast<size_t>(audio.frames()));
    for (int64_t f = 0; f < audio.frames(); ++f) {
        for (int c = 0; c < audio.channels; ++c) {
            x[static_cast<size_t>(f)] += audio.at(f, c);
        }
    }
    return x;
}

double peakOf(const std::vector<float>& x) {
    double peak = 0.0;
    for (float v : x) {
        peak = std::max(peak, double(std::fabs(v)));
    }
    return peak;
}

TEST(RenderCommand, LengthChannelsAndFormatOfTheOutput) {
    struct CCase {
        const char* arguments;
        int rate;
        int64_t frames;
    };
    const CCase cases[] = {
        {"--note 60:0.1:0.3 --length 1 --block 100 --rate 48000 --pcm16", 48000, 48000},
        {"--note 60:0.2:0.3 --tail 0.5 --block 1", 44100, 44100},
        {"--note 60:0:0.2 --length 0.25 --block 16384 --excite sine:100", 44100, 11025},
    };
    for (const CCase& c : cases) {
        std::string path = outputPath("length.wav");
        CRun run = runRender(std::string(c.arguments) + " -o " + path);
        ASSERT_EQ(run.exitCode, 0) << c.arguments << "\n" << run.output;
        CAudioBuffer audio;
        std::string error;
        ASSERT_TRUE(readAudioFile(path, audio, error)) << error;
        EXPECT_EQ(audio.channels, 2) << c.arguments;
        EXPECT_EQ(audio.sampleRate, c.rate) << c.arguments;
        EXPECT_EQ(audio.frames(), c.frames) << c.arguments;
        EXPECT_NE(run.output.find("voices: 1"), std::string::npos) << run.output;
    }
}

TEST(RenderCommand, HostileInputIsRefusedWithExitCodeTwo) {
    std::string text = outputPath("not_midi.mid");
    std::ofstream(text) << "plain text, not a MIDI file";
    const char* cases[] = {
        "--note 60:0:1 --block 0",
        "--note 60:0:1 --block 1000000000",
        "--note 60:0:-1",
        "--length 0",
        "",
        "--midi /nonexistent/song.mid",
        "--input /nonexistent/in.wav --note 60:0:1",
        "--note 60:0:1 --param Nonexistent=0.5",
        "--note 60:0:1 --program 40",
        "--note 60:0:1 --tuning /nonexistent/map.tun",
    };
    for (const char* arguments : cases) {
        CRun run = runRender(std::string(arguments) + " -o " + outputPath("hostile.wav"));
        EXPECT_EQ(run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("render: "), std::string::npos) << arguments;
    }
    CRun run = runRender("--midi " + text);
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("not a Standard MIDI File"), std::string::npos) << run.output;
}

// A held note rings at the frequency the tuning map gives its number.
TEST(RenderCommand, HeldNoteRingsAtTheTuningMapsFrequency) {
    struct CCase {
        int program;
        int note;
        const char* tuningFile; // relative to the source tree, or empty
        const char* extra;
    };
    const CCase cases[] = {
        {1, 57, "", ""},
        {1, 69, "", "--quality high"},
        {5, 64, "", "--rate 48000"},
        {1, 62, "tests/render_tool/data/quarter_tone.tun", ""},
        // Files written by tuning software: [Tuning] and [Exact Tuning] with comments and
        // capitals (the exact section wins), and a CR LF file with a comment header.
        {1, 60, "fuzz/corpus/tun/scaleworkshop_anamark.v2.tun", ""},
        {1, 60, "fuzz/corpus/tun/vaz2001_10-C-African.tun", ""},
    };
    for (const CCase& c : cases) {
        CTuningMap map;
        std::string tuning;
        if (c.tuningFile[0] != '\0') {
            tuning = std::string(TALVIR_SOURCE_DIR) + "/" + c.tuningFile;
            ASSERT_TRUE(map.loadFile(tuning.c_str())) << map.getMessage();
        }
        const double expected = map.frequency(c.note);
        std::string path = outputPath("pitch.wav");
        // LFOs and the detuned second line held still: one steady pitch to measure
        std::string arguments = "--program " + std::to_string(c.program) +
                                " --param 7=0 --param 17=0 --param 12=0 --note " +
                                std::to_string(c.note) + ":0.05:1.5:100 --length 1.5 " + c.extra +
                                (tuning.empty() ? "" : " --tuning " + tuning) + " -o " + path;
        CRun run = runRender(arguments);
        ASSERT_EQ(run.exitCode, 0) << arguments << "\n" << run.output;
        if (!tuning.empty()) {
            std::string name = tuning.substr(tuning.rfind('/') + 1);
            name = name.substr(0, name.find('.'));
            EXPECT_NE(run.output.find("tuning: " + name + "\n"), std::string::npos) << run.output;
        }
        CAudioBuffer audio;
        std::string error;
        ASSERT_TRUE(readAudioFile(path, audio, error)) << error;
        std::vector<float> x = mono(audio);
        if (peakOf(x) < 1e-6) {
            GTEST_SKIP() << "the instrument renders silence: no voice to measure yet";
        }
        const size_t from = static_cast<size_t>(0.4 * audio.sampleRate);
        const size_t n = std::min<size_t>(8192, x.size() - from);
        double f0 = estimateFundamental(x.data() + from, n, audio.sampleRate);
        ASSERT_GT(f0, 0.0) << arguments;
        EXPECT_NEAR(centsBetween(f0, expected), 0.0, 5.0)
            << arguments << ": " << f0 << " Hz, expected " << expected << " Hz";
    }
}

// Notes from a MIDI file start on the sample their tick and the tempo map give.
TEST(RenderCommand, MidiFileNotesStartOnTheirSample) {
    // format 1: tempo track at 60 bpm, note track with a note-on after one quarter note (1 s)
    // clang-format off
    const unsigned char file[] = {
        'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0, // 480 ticks per quarter
        'M', 'T', 'r', 'k', 0, 0, 0, 11,
        0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,               // 1 s per quarter
        0x00, 0xFF, 0x2F, 0x00,
        'M', 'T', 'r', 'k', 0, 0, 0, 14,
        0x83, 0x60, 0x90, 69, 100,                              // tick 480
        0x83, 0x60, 0x80, 69, 0,                                // tick 960
        0x00, 0xFF, 0x2F, 0x00};
    // clang-format on
    std::string midi = outputPath("onset.mid");
    std::ofstream(midi, std::ios::binary).write(reinterpret_cast<const char*>(file), sizeof file);
    std::string path = outputPath("onset.wav");
    CRun run = runRender("--program 1 --midi " + midi +
                         " --excite impulse --tail 0.5 --block 256 -o " + path);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    CAudioBuffer audio;
    std::string error;
    ASSERT_TRUE(readAudioFile(path, audio, error)) << error;
    EXPECT_EQ(audio.frames(), 44100 * 2 + 22050);
    std::vector<float> x = mono(audio);
    if (peakOf(x) < 1e-6) {
        GTEST_SKIP() << "the instrument renders silence: no voice to measure yet";
    }
    size_t first = 0;
    while (first < x.size() && std::fabs(x[first]) < 1e-7f) {
        ++first;
    }
    EXPECT_GE(first, 44100u);
    EXPECT_LT(first, 44100u + 441u) << "sound starts " << first - 44100 << " frames late";
}

} // namespace

#endif
