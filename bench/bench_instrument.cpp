// The whole instrument rendering eight held notes, block by block as a host drives it.
// CInstrument is the class the library's CInstrumentWithEditor derives from; the editor
// wrapper only mirrors parameter changes and adds nothing to rendering.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/voice.h"
#include "host/aeffect.h"
#include "instrument/instrument.h"

namespace {

constexpr float kSampleRate = 44100.0f;
constexpr int kBlockSize = 512;
constexpr int kVoices = 8;
constexpr int kWorstCaseProgram = -1;

// Eight held notes, fed with quiet noise so that every voice keeps sounding.
class CHeldChord {
public:
    CHeldChord(int program, bool highQuality)
        : instrument(std::make_unique<CInstrument>(nullptr)),
          input(2, std::vector<float>(kBlockSize)), output(2, std::vector<float>(kBlockSize)) {
        instrument->setSampleRate(kSampleRate);
        instrument->dispatcher(effSetBlockSize, 0, kBlockSize, nullptr, 0.0f);
        if (program == kWorstCaseProgram) {
            // body filter at full order on the output, both body types on
            instrument->setProgram(0);
            instrument->setParameter(kParamFilterOrder, 1.0f);
            instrument->setParameter(kParamFilterPos, 1.0f);
            instrument->setParameter(kParamBodyType1, 0.2f);
            instrument->setParameter(kParamBodyType2, 0.6f);
        } else {
            instrument->setProgram(program);
        }
        instrument->setParameter(kParamPolyphony, 1.0f);
        instrument->setParameter(kParamQuality, highQuality ? 1.0f : 0.0f);
        instrument->resume();
        for (int c = 0; c < 2; ++c) {
            in[c] = input[static_cast<size_t>(c)].data();
            out[c] = output[static_cast<size_t>(c)].data();
        }
        render(); // the first frames pass before notes are taken
        playChord();
        render();
    }

    void render() {
        for (auto& channel : input) {
            for (float& v : channel) {
                noise = noise * 1664525u + 1013904223u;
                v = static_cast<float>(static_cast<int32_t>(noise)) * (0.01f / 2147483648.0f);
            }
        }
        instrument->processReplacing(in, out, kBlockSize);
    }

    int sounding() const {
        int n = 0;
        for (CVoice* voice : instrument->voices) {
            n += voice != nullptr && voice->state() == kVoicePlaying ? 1 : 0;
        }
        return n;
    }

private:
    void playChord() {
        VstMidiEvent notes[kVoices] = {};
        struct {
            int32_t numEvents;
            intptr_t reserved;
            VstEvent* events[kVoices];
        } block{kVoices, 0, {}};
        const int keys[kVoices] = {45, 52, 57, 60, 64, 67, 69, 76};
        for (int i = 0; i < kVoices; ++i) {
            notes[i].type = kVstMidiType;
            notes[i].byteSize = sizeof(VstMidiEvent);
            notes[i].midiData[0] = static_cast<char>(0x90);
            notes[i].midiData[1] = static_cast<char>(keys[i]);
            notes[i].midiData[2] = 100;
            block.events[i] = reinterpret_cast<VstEvent*>(&notes[i]);
        }
        instrument->processEvents(reinterpret_cast<VstEvents*>(&block));
    }

    std::unique_ptr<CInstrument> instrument;
    std::vector<std::vector<float>> input, output;
    float* in[2] = {};
    float* out[2] = {};
    uint32_t noise = 1;
};

// Arguments: program (-1 for the worst case), quality (0 low, 1 high).
void instrumentEightVoices(benchmark::State& state) {
    CHeldChord chord(static_cast<int>(state.range(0)), state.range(1) != 0);
    if (chord.sounding() != kVoices) {
        state.SkipWithError("not every voice sounds");
        return;
    }
    for (auto _ : state) {
        chord.render();
    }
    state.counters["realtime_factor"] =
        benchmark::Counter(kBlockSize / kSampleRate, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["s_per_voice_sample"] = benchmark::Counter(
        double(kBlockSize) * kVoices,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["voices"] = chord.sounding();
}
BENCHMARK(instrumentEightVoices)
    ->ArgNames({"program", "high"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {0, 1}})
    ->Args({kWorstCaseProgram, 1});

} // namespace
