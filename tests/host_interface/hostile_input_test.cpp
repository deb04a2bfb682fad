#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "tests/host_interface/loaded_plugin.h"

// Every entry of the record survives hostile input with a defined answer (run under ASan and
// UBSan, which stop the test on any fault).
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kHostileValues[] = {kNaN,   kInf, -kInf, -1e30f, 1e30f, -1.0f, 2.0f,  -0.0f,
                                1e-40f, 0.5f, 1.0f,  0.0f,   -0.5f, 7.0f,  1e10f, -1e10f};
const int32_t kHostileIndices[] = {INT_MIN, -1000, -1, 38, 39, 40, 41, 127, 1000, INT_MAX};

// Bytes the texts must never reach beyond their documented sizes.
constexpr unsigned char kSentinel = 0xA5;

class HostileInput : public LoadedPlugin {
protected:
    // Calls a text request on a sentinel-filled buffer and checks how far it wrote.
    std::string boundedText(int32_t opcode, int32_t index, size_t limit) {
        std::vector<unsigned char> buffer(1024, kSentinel);
        host.dispatch(opcode, index, 0, buffer.data());
        for (size_t i = limit; i < buffer.size(); ++i) {
            if (buffer[i] != kSentinel) {
                ADD_FAILURE() << "opcode " << opcode << " index " << index << " wrote byte " << i;
                break;
            }
        }
        const void* end = std::memchr(buffer.data(), 0, limit);
        return end ? std::string(reinterpret_cast<char*>(buffer.data())) : std::string();
    }

    void checkTextsBounded() {
        for (int32_t index = -2; index < 42; ++index) {
            boundedText(effGetParamName, index, 16);
            boundedText(effGetParamLabel, index, 16);
            boundedText(effGetParamDisplay, index, 16);
        }
        boundedText(effGetProgramName, 0, 24);
        for (int32_t program = -1; program < 33; ++program) {
            boundedText(effGetProgramNameIndexed, program, 24);
        }
        boundedText(effGetEffectName, 0, 32);
        boundedText(effGetVendorString, 0, 64);
        boundedText(effGetProductString, 0, 64);
    }
};

TEST_F(HostileInput, ParametersKeepEveryDerivedIndexInRange) {
    for (int32_t index : kHostileIndices) {
        for (float value : kHostileValues) {
            host.setParameter(index, value);
            EXPECT_EQ(host.getParameter(index), 0.0f);
        }
    }
    for (int32_t index = 0; index < 38; ++index) {
        for (float value : kHostileValues) {
            const float before = host.getParameter(index);
            host.setParameter(index, value);
            const float after = host.getParameter(index);
            if (std::isnan(value)) {
                EXPECT_EQ(std::memcmp(&before, &after, sizeof(float)), 0) << index;
            } else if (index != 25 && index != 26) {
                EXPECT_EQ(std::memcmp(&value, &after, sizeof(float)), 0) << index;
            } else {
                EXPECT_GE(after, 0.0f);
                EXPECT_LE(after, 13.0f / 12.0f);
            }
            checkTextsBounded();
            const std::string voices = boundedText(effGetParamDisplay, 36, 16);
            const std::string order = boundedText(effGetParamDisplay, 20, 16);
            EXPECT_GE(std::stoi(voices), 1);
            EXPECT_LE(std::stoi(voices), 8);
            EXPECT_GE(std::stoi(order), 1);
            EXPECT_LE(std::stoi(order), 30);
        }
    }
    // Programs built from such values can be selected and processed.
    host.dispatch(effSetProgram, 0, 0);
    std::vector<float> in(64, 0.1f), outL(64), outR(64);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    host.processReplacing(inputs, outputs, 64);
    host.process(inputs, outputs, 64);
}

TEST_F(HostileInput, EveryOpcodeWithNullAndWithOverlongBuffers) {
    // A buffer holding an overlong text, large enough for every documented write.
    std::vector<char> buffer(16384, 'x');
    buffer.back() = 0;
    const intptr_t values[] = {0, 1, -1, 32, 376, 12032, INT_MAX, intptr_t(INT_MIN) - 5};
    const float opts[] = {0.0f, 1.0f, -1.0f, kNaN, kInf, -kInf, 1e30f};
    for (int32_t opcode = 0; opcode <= 1000; ++opcode) {
        if (opcode == effClose || opcode == effGetSpeakerArrangement ||
            opcode == effProcessEvents) {
            // Closing ends the instance; 69 takes a pointer in value and 25 an event block
            // (both below).
            continue;
        }
        for (int32_t index : {0, 1, -1, 38, 39, INT_MAX, INT_MIN}) {
            for (intptr_t value : values) {
                for (float opt : opts) {
                    host.dispatch(opcode, index, value, nullptr, opt);
                    host.dispatch(opcode, index, value, buffer.data(), opt);
                    buffer.back() = 0;
                }
            }
        }
    }
    EXPECT_EQ(host.dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
    // Still a working instance with a sane record and bounded texts.
    EXPECT_EQ(effect->numParams, 38);
    EXPECT_EQ(effect->numPrograms, 32);
    EXPECT_EQ(host.dispatch(effIdentify), 0x4E764566);
    checkTextsBounded();
    for (intptr_t program = 0; program < 32; ++program) {
        host.dispatch(effSetProgram, 0, program);
        checkTextsBounded();
    }
}

TEST_F(HostileInput, ProcessingWithoutBuffersOrFrames) {
    std::vector<float> in(16, 0.0f), out(16, 0.0f);
    float* inputs[2] = {in.data(), in.data()};
    float* outputs[2] = {out.data(), out.data()};
    float* missing[2] = {nullptr, nullptr};
    for (int32_t frames : {0, -1, INT_MIN}) {
        host.processReplacing(inputs, outputs, frames);
        host.process(inputs, outputs, frames);
    }
    host.processReplacing(nullptr, nullptr, 16);
    host.process(missing, missing, 16);
    host.processReplacing(inputs, missing, 16);
}

TEST_F(HostileInput, EventBlocks) {
    std::vector<VstMidiEvent> events(3);
    std::memset(events.data(), 0, events.size() * sizeof(VstMidiEvent));
    events[0].type = 1;
    events[0].byteSize = sizeof(VstMidiEvent);
    events[0].midiData[0] = static_cast<char>(0x90);
    events[0].midiData[1] = static_cast<char>(0xFF);
    events[0].midiData[2] = static_cast<char>(0xFF);
    events[1].type = 7; // not MIDI
    events[2] = events[0];
    events[2].midiData[0] = static_cast<char>(0xB0);
    events[2].midiData[1] = static_cast<char>(126);
    EXPECT_EQ(host.sendMidi(events), 1);
    EXPECT_EQ(host.sendMidi({}), 1);
    EXPECT_EQ(host.dispatch(effProcessEvents, 0, 0, nullptr), 1);
}

} // namespace
