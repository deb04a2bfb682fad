#include "tests/sound/sound_fixture.h"

#include <cmath>

#include "engine/random.h"

std::vector<int> SoundTest::gHostRequests;

namespace {
intptr_t recordingHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    SoundTest::gHostRequests.push_back(opcode);
    return opcode == audioMasterVersion ? 2400 : 0;
}
} // namespace

void SoundTest::SetUp() {
    gHostRequests.clear();
    // Every instance draws its noise tables from the generator: start each from the same state.
    talvir::srand(1);
    instrument = std::make_unique<CInstrument>(recordingHost);
}

void SoundTest::sendMidiTo(CInstrument& target, const std::vector<SMidi>& messages) {
    std::vector<VstMidiEvent> records(messages.size());
    std::vector<char> block(sizeof(VstEvents) + messages.size() * sizeof(VstEvent*));
    auto* events = reinterpret_cast<VstEvents*>(block.data());
    events->numEvents = static_cast<int32_t>(messages.size());
    for (size_t i = 0; i < messages.size(); ++i) {
        VstMidiEvent& e = records[i];
        e = VstMidiEvent{};
        e.type = kVstMidiType;
        e.byteSize = sizeof(VstMidiEvent);
        e.deltaFrames = messages[i].delta;
        e.midiData[0] = static_cast<char>(messages[i].status);
        e.midiData[1] = static_cast<char>(messages[i].data1);
        e.midiData[2] = static_cast<char>(messages[i].data2);
        events->events[i] = reinterpret_cast<VstEvent*>(&e);
    }
    target.processEvents(events);
}

void SoundTest::render(int n, float inA, float inB) {
    std::vector<float> a(n, inA), b(n, inB);
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
    float* inputs[2] = {a.data(), b.data()};
    float* outputs[2] = {left.data(), right.data()};
    instrument->processReplacing(inputs, outputs, n);
}

void SoundTest::renderImpulse(int n, float value) {
    std::vector<float> a(n, 0.0f), b(n, 0.0f);
    a[0] = b[0] = value;
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
    float* inputs[2] = {a.data(), b.data()};
    float* outputs[2] = {left.data(), right.data()};
    instrument->processReplacing(inputs, outputs, n);
}

void SoundTest::usePlainString() {
    struct {
        int index;
        float value;
    } const settings[] = {
        {kParamMix, 1.0f},         {kParamLeakAB, 0.0f},        {kParamLeakBA, 0.0f},
        {kParamBodyType1, 0.0f},   {kParamBodyType2, 0.0f},     {kParamSaturationA, 0.0f},
        {kParamSaturationB, 0.0f}, {kParamCutoffA, 1.0f},       {kParamCutoffB, 1.0f},
        {kParamGainA, 0.999f},     {kParamGainB, 0.999f},       {kParamLfoAAmp, 0.0f},
        {kParamLfoBAmp, 0.0f},     {kParamQuantizeNoise, 0.5f}, {kParamAttack, 0.0f},
        {kParamRelease, 0.1f},     {kParamRandomPan, 0.0f},     {kParamVelToVol, 1.0f},
        {kParamVolume, 1.0f},      {kParamPolyphony, 0.0f},     {kParamDetuneB, 0.0f},
    };
    for (const auto& s : settings) {
        instrument->setParameter(s.index, s.value);
    }
}

double estimatePeriod(const std::vector<float>& signal, int minLag, int maxLag) {
    const int n = static_cast<int>(signal.size());
    std::vector<double> r(maxLag + 2, 0.0);
    for (int lag = minLag - 1; lag <= maxLag + 1; ++lag) {
        double sum = 0.0;
        for (int i = 0; i + lag < n; ++i) {
            sum += static_cast<double>(signal[i]) * signal[i + lag];
        }
        r[lag] = sum;
    }
    int best = minLag;
    for (int lag = minLag; lag <= maxLag; ++lag) {
        if (r[lag] > r[best]) {
            best = lag;
        }
    }
    const double a = r[best - 1], b = r[best], c = r[best + 1];
    const double denom = a - 2.0 * b + c;
    return best + (denom != 0.0 ? 0.5 * (a - c) / denom : 0.0);
}
