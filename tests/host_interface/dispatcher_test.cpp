#include <cstring>
#include <vector>

#include "tests/host_interface/loaded_plugin.h"

namespace {

using Dispatcher = LoadedPlugin;

struct SFixedAnswer {
    int32_t opcode;
    intptr_t value;
    intptr_t expected;
};

TEST_F(Dispatcher, FixedAnswers) {
    const SFixedAnswer cases[] = {
        {effOpen, 0, 0},
        {effGetProgram, 0, 0},
        {effGetVu, 0, 0},
        {effIdentify, 0, 0x4E764566},
        {effCanBeAutomated, 0, 1},
        {effString2Parameter, 0, 0},
        {effGetNumProgramCategories, 0, 1},
        {effConnectInput, 0, 1},
        {effConnectOutput, 0, 1},
        {effGetInputProperties, 0, 0},
        {effGetPlugCategory, 0, 0},
        {effGetVendorVersion, 0, 1},
        {effVendorSpecific, 0, 0},
        {effKeysRequired, 0, 1},
        {effGetVstVersion, 0, 2300},
        {effGetCurrentMidiProgram, 0, -1},
        {effSetTotalSampleToProcess, 12345, 12345},
        {16, 0, 0},
        {44, 0, 0},
        {77, 0, 0},
        {1000, 0, 0},
    };
    for (const SFixedAnswer& c : cases) {
        EXPECT_EQ(host.dispatch(c.opcode, 0, c.value), c.expected) << "opcode " << c.opcode;
    }
}

TEST_F(Dispatcher, CapabilityAnswers) {
    const struct {
        const char* text;
        intptr_t answer;
    } cases[] = {{"receiveVstEvents", 1},      {"receiveVstMidiEvent", 1},
                 {"sendVstMidiEvent", -1},     {"", -1},
                 {"receiveVstMidiEvents", -1}, {"ReceiveVstEvents", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(host.dispatch(effCanDo, 0, 0, const_cast<char*>(c.text)), c.answer) << c.text;
    }
    EXPECT_EQ(host.dispatch(effCanDo, 0, 0, nullptr), -1);
}

TEST_F(Dispatcher, OutputProperties) {
    VstPinProperties properties;
    std::memset(&properties, 0x55, sizeof(properties));
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 1, 0, &properties), 1);
    EXPECT_STREQ(properties.label, "Talvir 2");
    EXPECT_EQ(properties.flags, 3);
    EXPECT_EQ(properties.arrangementType, 0x55555555); // the rest is left alone

    VstPinProperties untouched;
    std::memset(&untouched, 0x55, sizeof(untouched));
    VstPinProperties copy = untouched;
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 2, 0, &untouched), 0);
    EXPECT_EQ(host.dispatch(effGetOutputProperties, -1, 0, &untouched), 0);
    EXPECT_EQ(std::memcmp(&copy, &untouched, sizeof(copy)), 0);
    EXPECT_EQ(host.dispatch(effGetOutputProperties, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, ProgramSelectionIgnoresIndicesOutsideTheTable) {
    for (intptr_t bad : {intptr_t(32), intptr_t(-1), intptr_t(1) << 40}) {
        EXPECT_EQ(host.dispatch(effSetProgram, 0, bad), 0);
        EXPECT_EQ(host.dispatch(effGetProgram), 0);
    }
    host.dispatch(effSetProgram, 0, 7);
    EXPECT_EQ(host.dispatch(effGetProgram), 7);
    EXPECT_EQ(host.text(effGetProgramName, 0, 24), "rubbarb");
}

TEST_F(Dispatcher, ProgramNames) {
    EXPECT_EQ(host.text(effGetProgramName, 0, 24), "pneumatic koto");
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 7, 24), "rubbarb");
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 8, 24), "Init");
    char name[24] = "unchanged";
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, 32, 0, name), 0);
    EXPECT_EQ(host.dispatch(effGetProgramNameIndexed, -1, 0, name), 0);
    EXPECT_STREQ(name, "unchanged");

    std::string longName(100, 'n');
    host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    EXPECT_EQ(host.text(effGetProgramName, 0, 24), std::string(23, 'n'));
}

TEST_F(Dispatcher, MainsChangedAsksForMidiOnAnyNonZeroValue) {
    host.clearRequests();
    host.dispatch(effMainsChanged, 0, 5);
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.requests()[0].index, 0);
    EXPECT_EQ(host.requests()[0].value, 1);
    EXPECT_TRUE(host.requests()[0].withRecord);
    host.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(host.requests().size(), 1u);
}

TEST_F(Dispatcher, EditorRectangle) {
    ERect* rect = nullptr;
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 311);
    EXPECT_EQ(rect->right, 851);
    EXPECT_EQ(host.dispatch(effEditGetRect, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, SpeakerArrangementClearsBothPointers) {
    void* input = &input;
    void* output = &output;
    EXPECT_EQ(
        host.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, TuningTextsThroughTheVendorRequest) {
    char text[400];
    std::memset(text, 'x', sizeof(text));
    EXPECT_EQ(host.dispatch(effVendorSpecific, fourCharCode('T', 'L', 't', 'n'), 0, text), 1);
    EXPECT_STREQ(text, "standard");
    EXPECT_EQ(host.dispatch(effVendorSpecific, fourCharCode('T', 'L', 't', 'm'), 0, text), 1);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(host.dispatch(effVendorSpecific, fourCharCode('T', 'L', 't', 'n'), 0, nullptr), 0);
    EXPECT_EQ(host.dispatch(effVendorSpecific, fourCharCode('T', 'L', 't', 'x'), 0, text), 0);
}

TEST_F(Dispatcher, BankChunkRoundTripAndRefusedSizes) {
    void* data = nullptr;
    ASSERT_EQ(host.dispatch(effGetChunk, 0, 0, &data), 12032);
    ASSERT_NE(data, nullptr);
    std::vector<char> bank(static_cast<char*>(data), static_cast<char*>(data) + 12032);
    EXPECT_STREQ(bank.data() + 152, "pneumatic koto");
    EXPECT_STREQ(bank.data() + 8 * 376 + 152, "Init");

    // A program whose name and path fill their fields without a terminator.
    std::vector<char> changed = bank;
    std::memset(changed.data() + 9 * 376 + 152, 'p', 224);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 12031, changed.data()), 0);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 12033, changed.data()), 0);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, -1, changed.data()), 0);
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 12032, nullptr), 0);
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 9, 24), "Init");
    EXPECT_EQ(host.dispatch(effSetChunk, 0, 12032, changed.data()), 1);
    EXPECT_EQ(host.text(effGetProgramNameIndexed, 9, 24), std::string(23, 'p'));
    EXPECT_EQ(host.dispatch(effGetChunk, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, ProgramChunkTakesEffectAtTheNextProgramChange) {
    void* data = nullptr;
    ASSERT_EQ(host.dispatch(effGetChunk, 1, 0, &data), 376);
    std::vector<char> program(static_cast<char*>(data), static_cast<char*>(data) + 376);
    const float gain = 0.125f;
    std::memcpy(program.data() + 4 * 4, &gain, sizeof(gain));
    EXPECT_EQ(host.dispatch(effSetChunk, 1, 375, program.data()), 0);
    EXPECT_EQ(host.dispatch(effSetChunk, 1, 12032, program.data()), 0);
    EXPECT_EQ(host.dispatch(effSetChunk, 1, 376, program.data()), 1);
    EXPECT_EQ(host.getParameter(4), 1.0f);
    host.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(host.getParameter(4), 0.125f);
}

TEST_F(Dispatcher, SampleRateAndBlockSizeTogether) {
    EXPECT_EQ(host.dispatch(effSetBlockSizeAndSampleRate, 0, 256, nullptr, 48000.0f), 1);
    EXPECT_EQ(host.dispatch(effSetBlockSize, 0, 512), 0);
    EXPECT_EQ(host.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f), 0);
}

} // namespace
