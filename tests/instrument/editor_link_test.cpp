#include <gtest/gtest.h>

#include <vector>

#include "engine/body_filter.h"
#include "engine/voice.h"
#include "host/host_editor.h"
#include "host/process_state.h"
#include "instrument/instrument_with_editor.h"

// The instrument with an editor: parameter changes reach the editor, automation reaches the
// host after the change, and a missing editor makes the construction fail.
namespace {

struct SCall {
    char who; // 'e' editor, 'h' host
    int32_t code;
    int32_t index;
    float value;
};
std::vector<SCall> gCalls;
bool gEditorFails = false;

class CRecordingEditor : public CHostEditor {
public:
    using CHostEditor::CHostEditor;
    void setParameter(int32_t index, float value) override {
        gCalls.push_back({'e', 0, index, value});
    }
};

intptr_t recordingHost(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    gCalls.push_back({'h', opcode, index, opt});
    return opcode == audioMasterVersion ? 2400 : 0;
}

} // namespace

// This test binary links no editor library: it supplies the instrument's editor itself.
CHostEditor* createInstrumentEditor(CInstrument* instrument) {
    return gEditorFails ? nullptr : new CRecordingEditor(instrument);
}

namespace {

class EditorLink : public ::testing::Test {
protected:
    void SetUp() override {
        gCalls.clear();
        gEditorFails = false;
        gOutOfMemory = false;
    }
};

TEST_F(EditorLink, AutomatedChangeSetsMirrorsThenTellsTheHost) {
    CInstrumentWithEditor instrument(recordingHost);
    EXPECT_EQ(instrument.getAeffect()->flags, effFlagsHasEditor | effFlagsCanReplacing);
    EXPECT_EQ(instrument.getAeffect()->uniqueID, kInstrumentUniqueId);
    gCalls.clear();
    instrument.setParameterAutomated(kParamWarp, 0.25f);
    ASSERT_EQ(gCalls.size(), 2u);
    EXPECT_EQ(gCalls[0].who, 'e');
    EXPECT_EQ(gCalls[0].index, kParamWarp);
    EXPECT_EQ(gCalls[0].value, 0.25f);
    EXPECT_EQ(gCalls[1].who, 'h');
    EXPECT_EQ(gCalls[1].code, audioMasterAutomate);
    EXPECT_EQ(gCalls[1].index, kParamWarp);
    EXPECT_EQ(gCalls[1].value, 0.25f);
    EXPECT_EQ(instrument.getParameter(kParamWarp), 0.25f);
}

TEST_F(EditorLink, ProgramChangeMirrorsEveryParameterInOrder) {
    CInstrumentWithEditor instrument(recordingHost);
    gCalls.clear();
    instrument.setProgram(2);
    const int order[] = {3,  4,  5,  15, 8,  13, 14, 12, 34, 9,  0,  25, 26,
                         22, 21, 20, 1,  2,  19, 27, 28, 29, 30, 35, 6,  7,
                         16, 17, 23, 24, 10, 18, 11, 31, 32, 33, 36, 37, kParamTuningCommand};
    ASSERT_EQ(gCalls.size(), std::size(order));
    for (size_t i = 0; i < gCalls.size(); ++i) {
        EXPECT_EQ(gCalls[i].index, order[i]) << i;
    }
}

TEST_F(EditorLink, EditorAndHostRequests) {
    CInstrumentWithEditor instrument(recordingHost);
    gCalls.clear();
    instrument.beginEdit(7);
    instrument.endEdit(7);
    instrument.hostIdle();
    instrument.updateDisplay();
    instrument.resume();
    const int32_t expected[] = {audioMasterBeginEdit, audioMasterEndEdit, audioMasterIdle,
                                audioMasterUpdateDisplay, audioMasterWantMidi};
    ASSERT_EQ(gCalls.size(), std::size(expected));
    for (size_t i = 0; i < gCalls.size(); ++i) {
        EXPECT_EQ(gCalls[i].code, expected[i]);
    }
    EXPECT_EQ(gCalls[0].index, 7);
}

TEST_F(EditorLink, MissingEditorMarksTheConstructionFailed) {
    gEditorFails = true;
    auto* instrument = new CInstrumentWithEditor(recordingHost);
    EXPECT_TRUE(gOutOfMemory);
    EXPECT_EQ(instrument->getEditor(), nullptr);
    EXPECT_EQ(instrument->getAeffect()->flags & effFlagsHasEditor, 0);
    delete instrument;
    gOutOfMemory = false;
}

TEST_F(EditorLink, QualityChangesTheBodyUpdateIntervalOfEveryVoice) {
    CInstrument instrument(nullptr);
    const struct {
        float value;
        int interval;
    } cases[] = {{0.5f, 8}, {0.51f, 1}, {0.0f, 8}};
    for (const auto& c : cases) {
        instrument.setParameter(kParamQuality, c.value);
        for (CVoice* voice : instrument.voices) {
            ASSERT_NE(voice, nullptr);
            EXPECT_EQ(voice->body->getUpdateInterval(), c.interval) << c.value;
        }
    }
}

} // namespace
