#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/talvir-host/excitation_generator.h"
#include "tools/talvir-host/render_analysis.h"
#include "tools/talvir-host/wav_file.h"

namespace {

std::string tempPath(const char* name) {
    return std::string(::testing::TempDir()) + "talvir_render_" + name;
}

std::vector<float> sine(double hz, double rate, size_t n, float gain = 0.5f) {
    std::vector<float> x(n);
    for (size_t i = 0; i < n; ++i) {
        x[i] = gain * static_cast<float>(std::sin(2.0 * M_PI * hz * double(i) / rate));
    }
    return x;
}

TEST(WavFile, RoundTripKeepsFormatAndSamples) {
    struct CCase {
        CWavWriter::EFormat format;
        double tolerance;
    };
    const CCase cases[] = {{CWavWriter::EFormat::kFloat32, 0.0},
                           {CWavWriter::EFormat::kPcm24, 1.0 / 8388608.0},
                           {CWavWriter::EFormat::kPcm16, 1.0 / 32768.0}};
    std::vector<float> frames = {0.0f, -0.25f, 0.5f, 0.75f, -1.0f, 0.125f};
    for (const CCase& c : cases) {
        std::string path = tempPath("roundtrip.wav");
        std::string error;
        {
            CWavWriter writer;
            ASSERT_TRUE(writer.open(path, 48000, 2, c.format, error)) << error;
            ASSERT_TRUE(writer.write(frames.data(), 2, error)) << error;
            ASSERT_TRUE(writer.write(frames.data() + 4, 1, error)) << error;
            ASSERT_TRUE(writer.close(error)) << error;
        }
        CAudioBuffer audio;
        ASSERT_TRUE(readAudioFile(path, audio, error)) << error;
        EXPECT_EQ(audio.sampleRate, 48000);
        EXPECT_EQ(audio.channels, 2);
        ASSERT_EQ(audio.frames(), 3);
        for (size_t i = 0; i < frames.size(); ++i) {
            EXPECT_NEAR(audio.samples[i], frames[i], c.tolerance) << i;
        }
        std::remove(path.c_str());
    }
}

TEST(WavFile, PcmClipsInsteadOfWrapping) {
    std::string path = tempPath("clip.wav");
    std::string error;
    CWavWriter writer;
    ASSERT_TRUE(writer.open(path, 8000, 1, CWavWriter::EFormat::kPcm16, error)) << error;
    float loud[] = {1.5f, -3.0f};
    ASSERT_TRUE(writer.write(loud, 2, error)) << error;
    ASSERT_TRUE(writer.close(error)) << error;
    CAudioBuffer audio;
    ASSERT_TRUE(readAudioFile(path, audio, error)) << error;
    ASSERT_EQ(audio.frames(), 2);
    EXPECT_GT(audio.samples[0], 0.99f);
    EXPECT_LT(audio.samples[1], -0.99f);
    std::remove(path.c_str());
}

TEST(WavFile, UnreadableOrUnwritableFilesAreErrors) {
    std::string error;
    CAudioBuffer audio;
    EXPECT_FALSE(readAudioFile("/nonexistent/in.wav", audio, error));
    EXPECT_NE(error.find("/nonexistent/in.wav"), std::string::npos);
    std::string text = tempPath("not_audio.wav");
    FILE* f = std::fopen(text.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("this is not audio at all, just some text in a file", f);
    std::fclose(f);
    EXPECT_FALSE(readAudioFile(text, audio, error));
    std::remove(text.c_str());
    CWavWriter writer;
    EXPECT_FALSE(
        writer.open("/nonexistent/dir/out.wav", 44100, 2, CWavWriter::EFormat::kFloat32, error));
    EXPECT_FALSE(writer.write(nullptr, 0, error));
}

TEST(Analysis, FundamentalOfTonesWithinACent) {
    const double rates[] = {44100.0, 48000.0};
    const double tones[] = {55.0, 220.0, 440.0, 1046.5};
    for (double rate : rates) {
        for (double hz : tones) {
            std::vector<float> x = sine(hz, rate, 8192);
            // a harmonic stronger than the fundamental must not fool the estimate
            std::vector<float> h = sine(2.0 * hz, rate, 8192, 0.8f);
            for (size_t i = 0; i < x.size(); ++i) {
                x[i] += h[i];
            }
            double f0 = estimateFundamental(x.data(), x.size(), rate);
            EXPECT_NEAR(centsBetween(f0, hz), 0.0, 1.0) << hz << " Hz at " << rate;
        }
    }
}

TEST(Analysis, SilenceAndNoiseHaveNoFundamental) {
    std::vector<float> silence(4096, 0.0f);
    EXPECT_EQ(estimateFundamental(silence.data(), silence.size(), 44100.0), 0.0);
    CExcitationGenerator noise;
    std::string error;
    ASSERT_TRUE(noise.configure("burst", error));
    noise.prepare(1.0 / CExcitationGenerator::kBurstSeconds * 4096, {0});
    std::vector<float> x(4096);
    noise.fill(0, 4096, x.data());
    EXPECT_EQ(estimateFundamental(x.data(), x.size(), 44100.0), 0.0);
    EXPECT_EQ(estimateFundamental(x.data(), 10, 44100.0), 0.0);
}

TEST(Analysis, LevelMeterPeakRmsAndBadValues) {
    CLevelMeter meter(2);
    float frames[] = {0.5f, -1.0f, -0.5f, 0.0f, NAN, 0.0f};
    meter.add(frames, 2);
    meter.add(frames + 4, 1);
    EXPECT_EQ(meter.frames(), 3);
    EXPECT_EQ(meter.nonFinite(), 1);
    EXPECT_DOUBLE_EQ(meter.peak(0), 0.5);
    EXPECT_DOUBLE_EQ(meter.peak(1), 1.0);
    EXPECT_DOUBLE_EQ(meter.rms(0), std::sqrt(0.5 / 3.0));
    EXPECT_NEAR(toDecibels(0.5), -6.0206, 1e-4);
    EXPECT_TRUE(std::isinf(toDecibels(0.0)));
}

TEST(Excitation, SignalsAtNoteOnsAcrossBlocks) {
    std::string error;
    CExcitationGenerator gen;
    ASSERT_TRUE(gen.configure("impulse", error));
    gen.setGain(0.75f);
    gen.prepare(1000.0, {130, 5, 64});
    std::vector<float> all;
    for (int64_t start = 0; start < 192; start += 64) {
        std::vector<float> block(64);
        gen.fill(start, 64, block.data());
        all.insert(all.end(), block.begin(), block.end());
    }
    for (size_t i = 0; i < all.size(); ++i) {
        bool onset = i == 5 || i == 64 || i == 130;
        EXPECT_EQ(all[i], onset ? 0.75f : 0.0f) << i;
    }

    ASSERT_TRUE(gen.configure("burst", error));
    gen.prepare(1000.0, {60}); // 10 frames of noise across a block boundary
    std::vector<float> a(64), b(64);
    gen.fill(0, 64, a.data());
    gen.fill(64, 64, b.data());
    int nonzero = 0;
    for (int i = 0; i < 64; ++i) {
        nonzero += (a[i] != 0.0f) + (b[i] != 0.0f);
        EXPECT_LE(std::fabs(a[i]), 0.75f);
        EXPECT_EQ(a[i] != 0.0f || b[i] != 0.0f, i >= 60 || i < 6) << i;
    }
    EXPECT_EQ(nonzero, 10);
}

TEST(Excitation, ParsesKindsAndRefusesOthers) {
    CExcitationGenerator gen;
    std::string error;
    ASSERT_TRUE(gen.configure("sine:110.5", error)) << error;
    EXPECT_EQ(gen.kind(), CExcitationGenerator::EKind::kSine);
    EXPECT_DOUBLE_EQ(gen.sineFrequency(), 110.5);
    gen.prepare(44100.0, {});
    std::vector<float> x(8192);
    gen.fill(0, 8192, x.data());
    EXPECT_NEAR(centsBetween(estimateFundamental(x.data(), x.size(), 44100.0), 110.5), 0, 1);
    for (const char* bad : {"", "sine:", "sine:0", "sine:-3", "sine:x", "chirp", "burst:2"}) {
        EXPECT_FALSE(gen.configure(bad, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
