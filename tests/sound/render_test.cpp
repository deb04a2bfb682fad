#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "engine/random.h"
#include "tests/sound/sound_fixture.h"

// Counts every allocation of this test program while armed.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
std::atomic<bool> gCountAllocations{false};
std::atomic<int> gAllocations{0};
} // namespace

namespace {
void* countedAllocation(std::size_t size) {
    if (gCountAllocations.load()) {
        gAllocations.fetch_add(1);
    }
    return std::malloc(size ? size : 1);
}
} // namespace

// Every form of the global allocation functions, so that all of them are counted and matched.
void* operator new(std::size_t size) {
    if (void* p = countedAllocation(size)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return countedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

TEST_F(SoundTest, IdleVoicesGiveExactSilenceAndAccumulatingAddsNothing) {
    render(256);
    for (size_t k = 0; k < left.size(); ++k) {
        ASSERT_EQ(left[k], 0.0f);
        ASSERT_EQ(right[k], 0.0f);
    }
    std::vector<float> a(256, 0.0f), l(256, 0.25f), r(256, -0.5f);
    float* in[2] = {a.data(), a.data()};
    float* out[2] = {l.data(), r.data()};
    instrument->process(in, out, 256);
    for (int k = 0; k < 256; ++k) {
        ASSERT_EQ(l[k], 0.25f);
        ASSERT_EQ(r[k], -0.5f);
    }
}

TEST_F(SoundTest, AccumulatingAddsToWhatTheBuffersHold) {
    talvir::srand(1);
    auto twin = std::make_unique<CInstrument>(nullptr);
    sendMidi({{0x90, 69, 100, 0}});
    sendMidiTo(*twin, {{0x90, 69, 100, 0}});
    std::vector<float> a(512, 0.0f), l1(512, 0.0f), r1(512, 0.0f), l2(512, 0.25f), r2(512, 0.25f);
    a[0] = 0.5f;
    float* in[2] = {a.data(), a.data()};
    float* out1[2] = {l1.data(), r1.data()};
    float* out2[2] = {l2.data(), r2.data()};
    instrument->processReplacing(in, out1, 512);
    twin->process(in, out2, 512);
    for (int k = 0; k < 512; ++k) {
        ASSERT_NEAR(l2[k] - l1[k], 0.25f, 1e-6f) << k;
        ASSERT_NEAR(r2[k] - r1[k], 0.25f, 1e-6f) << k;
    }
}

TEST_F(SoundTest, VoicesShareTheInputByTheNumberInUse) {
    std::vector<float> outputs[2];
    const float polyphony[2] = {0.0f, 1.0f}; // 1 voice, 8 voices
    for (int i = 0; i < 2; ++i) {
        SetUp();
        usePlainString();
        instrument->setParameter(kParamPolyphony, polyphony[i]);
        sendMidi({{0x90, 69, 127, 0}});
        renderImpulse(400, 0.5f);
        outputs[i] = left;
    }
    for (int k = 0; k < 400; ++k) {
        EXPECT_NEAR(outputs[1][k], outputs[0][k] / 8.0f, 1e-6f) << k;
    }
}

TEST_F(SoundTest, PanSendsTheVoiceBetweenTheOutputs) {
    struct {
        float pan, leftShare, rightShare;
    } const cases[] = {{1.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, {0.5f, 0.5f, 0.5f}};
    for (const auto& c : cases) {
        SetUp();
        usePlainString();
        sendMidi({{0x90, 69, 127, 0}});
        renderImpulse(1, 0.5f);
        instrument->voices[0]->pan = c.pan;
        std::vector<float> a(200, 0.0f), l(200), r(200);
        float* in[2] = {a.data(), a.data()};
        float* out[2] = {l.data(), r.data()};
        // Reference: the voice's own samples from a twin state are not available, so compare
        // the two outputs with each other.
        instrument->processReplacing(in, out, 200);
        for (int k = 0; k < 200; ++k) {
            EXPECT_EQ(l[k] * c.rightShare, r[k] * c.leftShare) << k;
        }
    }
}

TEST_F(SoundTest, BendAndWarpLandExactlyOnTheirTargetsAfterEachBlock) {
    sendMidi({{0xE0, 0x7F, 0x7F, 0}});
    instrument->setParameter(kParamWarp, 0.123f);
    const float bend = instrument->bendTarget;
    render(64);
    EXPECT_EQ(instrument->bendCurrent, bend);
    EXPECT_EQ(instrument->warpCurrent, 0.123f);
    render(0);
    render(1);
    EXPECT_EQ(instrument->bendCurrent, bend);
}

TEST_F(SoundTest, VoicesBeyondPolyphonyStandStillUntilIncludedAgain) {
    for (int note = 60; note < 68; ++note) {
        sendMidi({{0x90, note, 100, 0}});
    }
    render(64, 0.01f, 0.01f);
    instrument->setParameter(kParamPolyphony, 1.0f / 7.0f); // 2 voices
    ASSERT_EQ(instrument->voiceLimit, 2);
    const uint32_t counts[2] = {instrument->voices[1]->sampleCount,
                                instrument->voices[7]->sampleCount};
    render(64, 0.01f, 0.01f);
    EXPECT_EQ(instrument->voices[1]->sampleCount, counts[0] + 64);
    EXPECT_EQ(instrument->voices[7]->sampleCount, counts[1]);
    instrument->setParameter(kParamPolyphony, 1.0f);
    render(64, 0.01f, 0.01f);
    EXPECT_EQ(instrument->voices[7]->sampleCount, counts[1] + 64);
    EXPECT_EQ(instrument->voices[7]->state(), kVoicePlaying);
}

TEST_F(SoundTest, RenderingAllocatesNothing) {
    // Worst case: every voice sounding, body filter in the output at full order, high quality.
    instrument->setParameter(kParamFilterOrder, 1.0f);
    instrument->setParameter(kParamBodyType1, 0.9f);
    instrument->setParameter(kParamBodyType2, 0.8f);
    instrument->setParameter(kParamQuality, 1.0f);
    for (int note = 40; note < 48; ++note) {
        sendMidi({{0x90, note, 100, note - 40}});
    }
    std::vector<float> a(512, 0.01f), l(512), r(512);
    float* in[2] = {a.data(), a.data()};
    float* out[2] = {l.data(), r.data()};
    gAllocations = 0;
    gCountAllocations = true;
    for (int block = 0; block < 20; ++block) {
        instrument->processReplacing(in, out, 512);
        instrument->process(in, out, 512);
    }
    gCountAllocations = false;
    EXPECT_EQ(gAllocations.load(), 0);
}

} // namespace

namespace {

// The rendering loop runs the voices' body filters two at a time; the mix must equal, bit for
// bit, that of ticking each voice on its own.
TEST_F(SoundTest, MixEqualsVoiceByVoiceTicksInEveryBodyPlacement) {
    for (float position : {0.9f, 0.5f, 0.1f}) {
        talvir::srand(1);
        CInstrument twin(nullptr);
        SetUp();
        for (CInstrument* inst : {instrument.get(), &twin}) {
            inst->setParameter(kParamFilterPos, position);
            inst->setParameter(kParamQuality, 1.0f);
            inst->setParameter(kParamLfoWarpAmp, 0.3f);
        }
        // Different orders for some voices: filter order changes between note starts.
        for (int note = 50; note < 58; ++note) {
            const float order = note < 54 ? 1.0f : 0.4f;
            for (CInstrument* inst : {instrument.get(), &twin}) {
                inst->setParameter(kParamFilterOrder, order);
                sendMidiTo(*inst, {{0x90, note, 100, note - 50}});
            }
        }
        // Both start with the warp ramp at its target.
        render(0);
        twin.warpCurrent = twin.paramValues[kParamWarp];
        renderImpulse(1000, 0.4f);
        for (int k = 0; k < 1000; ++k) {
            float l = 0.0f, r = 0.0f;
            const float in = k == 0 ? 0.4f : 0.0f;
            const float share = 1.0f / 8.0f;
            for (CVoice* v : twin.voices) {
                const float s = v->tick(share * in, share * in);
                l += s * v->pan;
                r += (1.0f - v->pan) * s;
            }
            twin.sampleCounter = twin.sampleCounter + 1;
            ASSERT_EQ(left[k], l * static_cast<float>(twin.outputGain)) << position << " " << k;
            ASSERT_EQ(right[k], r * static_cast<float>(twin.outputGain)) << position << " " << k;
        }
    }
}

} // namespace
