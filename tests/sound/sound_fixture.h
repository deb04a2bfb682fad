#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/voice.h"
#include "instrument/instrument.h"

// An instrument driven directly, with a host callback that records the requests it receives.
class SoundTest : public ::testing::Test {
public:
    static std::vector<int> gHostRequests;

protected:
    void SetUp() override;

    // Sends one block of MIDI events: each entry is status, data1, data2, delta frames.
    struct SMidi {
        int status, data1, data2, delta;
    };
    void sendMidi(const std::vector<SMidi>& messages) { sendMidiTo(*instrument, messages); }
    static void sendMidiTo(CInstrument& target, const std::vector<SMidi>& messages);
    // Renders n frames with the given constant inputs (replacing); returns left, right.
    void render(int n, float inA = 0.0f, float inB = 0.0f);
    // Renders n frames of an input that is one sample of 'value' at frame 0, silence after.
    void renderImpulse(int n, float value);

    // A plain single-string sound: line A only, no leakage, no body, no saturation,
    // no modulation, so the output is the string's own ring.
    void usePlainString();

    std::unique_ptr<CInstrument> instrument;
    std::vector<float> left, right;
};

// Fundamental period in samples of a signal, by the autocorrelation peak within [minLag, maxLag]
// refined by a parabola through its neighbours.
double estimatePeriod(const std::vector<float>& signal, int minLag, int maxLag);
