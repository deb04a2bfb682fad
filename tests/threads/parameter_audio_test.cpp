#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "instrument/instrument.h"

// Parameters change on one thread while the audio thread renders and takes MIDI: every
// shared field must be a single race-free access.
namespace {

VstMidiEvent noteEvent(unsigned char status, unsigned char note, unsigned char velocity,
                       int32_t delta) {
    VstMidiEvent e;
    std::memset(&e, 0, sizeof(e));
    e.type = kVstMidiType;
    e.byteSize = sizeof(e);
    e.deltaFrames = delta;
    e.midiData[0] = static_cast<char>(status);
    e.midiData[1] = static_cast<char>(note);
    e.midiData[2] = static_cast<char>(velocity);
    return e;
}

TEST(ParameterAudioThreads, SetParameterWhileRendering) {
    CInstrument instrument(nullptr);
    instrument.setSampleRate(44100.0f);
    instrument.resume();
    std::atomic<bool> done{false};

    std::thread audio([&] {
        constexpr int kFrames = 64;
        std::vector<float> in(kFrames, 0.01f), left(kFrames), right(kFrames);
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        VstMidiEvent events[2] = {noteEvent(0x90, 60, 100, 3), noteEvent(0x80, 55, 0, 0)};
        VstEvents block{};
        block.numEvents = 2;
        block.events[0] = reinterpret_cast<VstEvent*>(&events[0]);
        block.events[1] = reinterpret_cast<VstEvent*>(&events[1]);
        for (int b = 0; !done || b < 50; ++b) {
            events[0].midiData[1] = static_cast<char>(48 + b % 24);
            events[1].midiData[1] = static_cast<char>(48 + (b + 12) % 24);
            instrument.processEvents(&block);
            instrument.processReplacing(inputs, outputs, kFrames);
            if (b > 2000) {
                break;
            }
        }
    });

    // Every parameter, through its whole range, including the ones that reach into voices.
    for (int round = 0; round < 20; ++round) {
        for (int index = 0; index < kNumParams; ++index) {
            instrument.setParameter(index, static_cast<float>((round * 7 + index) % 11) / 10.0f);
        }
    }
    done = true;
    audio.join();
    SUCCEED();
}

} // namespace
