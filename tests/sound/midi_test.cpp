#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "engine/envelope.h"
#include "tests/sound/sound_fixture.h"

namespace {

int releasedVoices(CInstrument& instrument) {
    int count = 0;
    for (CVoice* v : instrument.voices) {
        count += v->ampEnv->stage() == kEnvRelease ? 1 : 0;
    }
    return count;
}

TEST_F(SoundTest, NoteOffFormsReleaseTheSoundingNoteOnAnyChannel) {
    struct {
        int offStatus, offVelocity;
    } const cases[] = {{0x80, 64}, {0x90, 0}, {0x89, 0}, {0x9F, 0}};
    for (const auto& c : cases) {
        SetUp();
        sendMidi({{0x93, 60, 100, 0}});
        render(8);
        sendMidi({{c.offStatus, 60, c.offVelocity, 0}});
        EXPECT_EQ(instrument->voices[0]->ampEnv->stage(), kEnvRelease) << std::hex << c.offStatus;
        EXPECT_EQ(instrument->voices[0]->morphEnv->stage(), kEnvRelease);
    }
}

TEST_F(SoundTest, SingleVoiceTakesEveryNoteAndNoteOffReachesAllEightVoices) {
    sendMidi({{0x90, 60, 100, 0}, {0x90, 62, 100, 0}, {0x90, 64, 100, 0}});
    render(4);
    // Program 0 plays 8 voices: each note takes the first free voice.
    EXPECT_EQ(instrument->voices[0]->note, 60);
    EXPECT_EQ(instrument->voices[2]->note, 64);
    instrument->setParameter(kParamPolyphony, 0.0f);
    ASSERT_EQ(instrument->voiceLimit, 1);
    // A voice beyond the limit that still holds the note is released too.
    instrument->voices[5]->note = 67;
    instrument->voices[5]->setState(kVoicePlaying);
    sendMidi({{0x90, 67, 100, 0}});
    render(2);
    EXPECT_EQ(instrument->voices[0]->note, 67);
    sendMidi({{0x80, 67, 0, 0}});
    EXPECT_EQ(releasedVoices(*instrument), 2);
}

TEST_F(SoundTest, StealsTheQuietestVoiceThenTheFirstWithoutPendingNote) {
    instrument->setParameter(kParamPolyphony, 3.0f / 7.0f); // 4 voices
    ASSERT_EQ(instrument->voiceLimit, 4);
    const float levels[4] = {0.5f, 0.2f, 0.2f, 0.9f};
    for (int i = 0; i < 4; ++i) {
        instrument->voices[i]->setState(kVoicePlaying);
        instrument->voices[i]->currentLevel = levels[i];
    }
    instrument->nextVoice = 3;
    sendMidi({{0x90, 70, 100, 0}});
    EXPECT_EQ(instrument->voices[1]->pendingNote, 70); // lowest level, lowest index on ties
    EXPECT_EQ(instrument->nextVoice, 2);

    for (int i = 0; i < 4; ++i) {
        instrument->voices[i]->currentLevel = 1.0f;
    }
    instrument->nextVoice = 3;
    sendMidi({{0x90, 71, 100, 0}});
    EXPECT_EQ(instrument->voices[0]->pendingNote, 71); // nothing below 1.0: first not pending
}

TEST_F(SoundTest, SecondNoteInOneBlockOverwritesThePendingFirst) {
    instrument->setParameter(kParamPolyphony, 0.0f);
    sendMidi({{0x90, 60, 100, 10}, {0x90, 65, 90, 20}});
    render(64);
    EXPECT_EQ(instrument->voices[0]->note, 65);
    EXPECT_EQ(instrument->voices[0]->velocity, 90);
}

TEST_F(SoundTest, NoteOffInTheSameBlockAsItsNoteOnDoesNotStopIt) {
    sendMidi({{0x90, 60, 100, 10}, {0x80, 60, 0, 20}});
    render(64);
    EXPECT_EQ(instrument->voices[0]->state(), kVoicePlaying);
    EXPECT_NE(instrument->voices[0]->ampEnv->stage(), kEnvRelease);
}

TEST_F(SoundTest, FirstNoteBeforeAnySampleIsRenderedStillStarts) {
    ASSERT_EQ(instrument->sampleCounter, 0);
    sendMidi({{0x90, 60, 100, 0}});
    render(1);
    EXPECT_EQ(instrument->voices[0]->state(), kVoicePlaying);
}

TEST_F(SoundTest, ControllersDriveMappedParametersOnly) {
    gHostRequests.clear();
    sendMidi({{0xB0, 105, 127, 0}});
    EXPECT_EQ(instrument->getParameter(kParamLeakageCut), 1.0f);
    EXPECT_EQ(std::count(gHostRequests.begin(), gHostRequests.end(), audioMasterUpdateDisplay), 1);

    float before[kNumParams];
    for (int i = 0; i < kNumParams; ++i) {
        before[i] = instrument->getParameter(i);
    }
    gHostRequests.clear();
    sendMidi({{0xB0, 7, 100, 0}, {0xB0, 123, 0, 0}, {0xB5, 0xC8, 5, 0}});
    for (int i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(instrument->getParameter(i), before[i]) << i;
    }
    EXPECT_TRUE(gHostRequests.empty());
}

TEST_F(SoundTest, Controller126FreesEveryVoiceButPendingNotesStillStart) {
    sendMidi({{0x90, 60, 100, 0}, {0x90, 64, 100, 0}});
    render(16);
    sendMidi({{0x90, 67, 100, 3}, {0xB0, 126, 0, 0}});
    for (CVoice* v : instrument->voices) {
        EXPECT_EQ(v->state(), kVoiceFree);
    }
    render(8);
    const auto sounding =
        std::count_if(std::begin(instrument->voices), std::end(instrument->voices),
                      [](CVoice* v) { return v->state() != kVoiceFree; });
    EXPECT_EQ(sounding, 1);
}

TEST_F(SoundTest, PitchBendSetsThePeriodFactor) {
    struct {
        int lo, hi;
        float factor;
        float tolerance;
    } const cases[] = {
        {0x00, 0x40, 1.0f, 0.0f}, {0x7F, 0x7F, 0.89091f, 1e-5f}, {0x00, 0x00, 1.12246f, 1e-5f}};
    for (const auto& c : cases) {
        sendMidi({{0xE5, c.lo, c.hi, 0}});
        EXPECT_NEAR(instrument->bendTarget, c.factor, c.tolerance);
    }
}

TEST_F(SoundTest, MalformedEventBlocksAreSurvived) {
    instrument->processEvents(nullptr);
    std::vector<char> storage(sizeof(VstEvents) + 4 * sizeof(VstEvent*), 0);
    auto* events = reinterpret_cast<VstEvents*>(storage.data());
    for (int count : {0, -1, -1000}) {
        events->numEvents = count;
        EXPECT_EQ(instrument->processEvents(events), 1);
    }
    // Null pointers, other event types, and bytes with the top bit set.
    VstEvent other{};
    other.type = 6;
    VstMidiEvent wild{};
    wild.type = kVstMidiType;
    wild.deltaFrames = -50;
    wild.midiData[0] = static_cast<char>(0x9F);
    wild.midiData[1] = static_cast<char>(0xFF);
    wild.midiData[2] = static_cast<char>(0xFF);
    events->numEvents = 3;
    VstEvent** slots = reinterpret_cast<VstEvent**>(storage.data() + offsetof(VstEvents, events));
    slots[0] = nullptr;
    slots[1] = &other;
    slots[2] = reinterpret_cast<VstEvent*>(&wild);
    EXPECT_EQ(instrument->processEvents(events), 1);
    render(4);
    // Masked to note 127 at velocity 127, started at once despite the negative offset.
    EXPECT_EQ(instrument->voices[0]->note, 127);
    EXPECT_EQ(instrument->voices[0]->state(), kVoicePlaying);
    for (int status = 0; status < 256; ++status) {
        sendMidi({{status, status ^ 0x55, 0xFF - status, status}});
    }
    render(300, 0.1f, -0.1f);
    for (float x : left) {
        ASSERT_TRUE(std::isfinite(x));
    }
}

} // namespace
