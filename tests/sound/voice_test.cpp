#include <cmath>

#include "tests/sound/sound_fixture.h"

namespace {

float peak(const std::vector<float>& v) {
    float m = 0.0f;
    for (float x : v) {
        m = std::fmax(m, std::fabs(x));
    }
    return m;
}

TEST_F(SoundTest, SilentNoteStaysSilentAndFreesItselfAfterTheGracePeriod) {
    sendMidi({{0x90, 60, 100, 0}});
    render(44100);
    CVoice* voice = instrument->voices[0];
    EXPECT_EQ(voice->state(), kVoicePlaying);
    EXPECT_LT(peak(left), 1e-9f);
    EXPECT_LT(peak(right), 1e-9f);
    render(1);
    EXPECT_EQ(voice->state(), kVoiceFree);
}

TEST_F(SoundTest, NoteStartsAtTheFrameOfItsOffsetWhileTheOldNoteFades) {
    usePlainString();
    sendMidi({{0x90, 69, 127, 0}});
    renderImpulse(256, 0.5f);
    sendMidi({{0x90, 60, 100, 5}});
    CVoice* voice = instrument->voices[0];
    for (int frame = 1; frame <= 5; ++frame) {
        render(1);
        EXPECT_EQ(voice->state(), kVoiceWaiting) << "frame " << frame;
        EXPECT_EQ(voice->note, 69);
    }
    render(1);
    EXPECT_EQ(voice->state(), kVoicePlaying);
    EXPECT_EQ(voice->note, 60);
}

TEST_F(SoundTest, SilentWaitingVoiceCountsAsFreeBetweenSamples) {
    sendMidi({{0x90, 60, 100, 3}});
    CVoice* voice = instrument->voices[0];
    render(3);
    EXPECT_EQ(voice->state(), kVoiceFree);
    EXPECT_EQ(voice->pendingCountdown, 0);
    render(1);
    EXPECT_EQ(voice->state(), kVoicePlaying);
}

// The loop of a string is its delay plus the one sample between writing and reading back:
// sampleRate / f - 1.3 + 1 samples.
TEST_F(SoundTest, StringRingsAtThePlayedPitch) {
    struct {
        int note;
        float rate;
    } const cases[] = {{69, 44100.0f}, {57, 48000.0f}, {81, 96000.0f}, {45, 22050.0f}};
    for (const auto& c : cases) {
        SetUp();
        instrument->setSampleRate(c.rate);
        usePlainString();
        sendMidi({{0x90, c.note, 127, 0}});
        renderImpulse(8192, 0.5f);
        const double f = 440.0 * std::pow(2.0, (c.note - 69) / 12.0);
        const double loop = c.rate / f - 0.3;
        const double period =
            estimatePeriod(left, static_cast<int>(loop * 0.8), static_cast<int>(loop * 1.2));
        // Within one cent.
        EXPECT_NEAR(period, loop, loop * 6e-4) << "note " << c.note << " at " << c.rate;
    }
}

TEST_F(SoundTest, MixChoosesBetweenTheTwoLines) {
    // Input only on line A, no leakage: line B stays silent.
    for (float mix : {1.0f, 0.0f}) {
        SetUp();
        usePlainString();
        instrument->setParameter(kParamMix, mix);
        sendMidi({{0x90, 69, 127, 0}});
        std::vector<float> a(512, 0.0f), b(512, 0.0f);
        a[0] = 0.5f;
        left.assign(512, 0.0f);
        right.assign(512, 0.0f);
        float* in[2] = {a.data(), b.data()};
        float* out[2] = {left.data(), right.data()};
        instrument->processReplacing(in, out, 512);
        if (mix == 1.0f) {
            EXPECT_GT(peak(left), 0.1f);
        } else {
            EXPECT_LT(peak(left), 1e-9f);
        }
    }
}

TEST_F(SoundTest, VelocityScalesTheOutputEvenWithoutVelocitySensitivity) {
    std::vector<float> outputs[2];
    const float velToVol[2] = {0.0f, 1.0f};
    for (int i = 0; i < 2; ++i) {
        SetUp();
        usePlainString();
        instrument->setParameter(kParamVelToVol, velToVol[i]);
        sendMidi({{0x90, 69, 127, 0}});
        renderImpulse(256, 0.5f);
        outputs[i] = left;
    }
    // velocityGain = 1 - VelToVol + velocity: 2 at VelToVol 0, 1 at VelToVol 1.
    for (size_t k = 0; k < outputs[0].size(); ++k) {
        EXPECT_NEAR(outputs[0][k], 2.0f * outputs[1][k], 1e-6f) << k;
    }
}

TEST_F(SoundTest, StringLengthsStayInsideTheLineAtExtremeRates) {
    struct {
        int note;
        float rate;
        bool silentString;
    } const cases[] = {{127, 8000.0f, true}, {0, 384000.0f, false}, {0, 8000.0f, false}};
    for (const auto& c : cases) {
        SetUp();
        instrument->setSampleRate(c.rate);
        sendMidi({{0x90, c.note, 100, 0}});
        renderImpulse(2048, 0.5f);
        CVoice* voice = instrument->voices[0];
        if (c.silentString) {
            EXPECT_EQ(voice->baseDelayA, 0.0f);
            EXPECT_EQ(voice->baseDelayB, 0.0f);
        } else {
            EXPECT_GT(voice->baseDelayA, 0.0f);
        }
        for (float x : left) {
            ASSERT_TRUE(std::isfinite(x));
        }
    }
}

TEST_F(SoundTest, WaitingVoiceFadesItsOldNote) {
    usePlainString();
    sendMidi({{0x90, 69, 127, 0}});
    renderImpulse(512, 0.5f);
    CVoice* voice = instrument->voices[0];
    const float gain = voice->gainA;
    sendMidi({{0x90, 72, 127, 400}});
    render(100);
    EXPECT_EQ(voice->state(), kVoiceWaiting);
    EXPECT_FLOAT_EQ(voice->gainA, gain * std::pow(0.98f, 100));
}

} // namespace
