#pragma once
#include "engine/relaxed.h"
#include <cstdint>

enum { kLfoTriangle, kLfoSine, kLfoSaw, kLfoSquare, kLfoExponent };
constexpr int kNumLfoShapes = 5;
extern const char* const kLfoShapeNames[kNumLfoShapes];

// Wave-table low-frequency oscillator with a 32-bit phase accumulator: the top 8 bits pick the
// table entry, the low 24 bits interpolate towards the next one.
class CLfo {
public:
    explicit CLfo(float sampleRate);
    virtual ~CLfo() = default;

    // Fills the table for one of the five shapes; other codes leave it unchanged.
    void setShape(int code);
    // May be called from another thread while the audio thread ticks.
    void setFrequency(float hz);
    float tick() {
        const uint32_t i = phase >> 24;
        const float f = static_cast<float>(phase & 0xFFFFFFu) * kFractionScale;
        phase += static_cast<uint32_t>(increment.load());
        return table[i] + f * (table[i + 1] - table[i]);
    }

    int32_t getIncrement() const { return increment; }
    // Testing and tuning aid: sets the raw phase step per sample.
    void setIncrement(int32_t step) { increment = step; }
    uint32_t getPhase() const { return phase; }
    float getTableEntry(int index) const { return table[index]; }

    static constexpr int kTableSize = 256;

private:
    static constexpr float kFractionScale = 1.0f / 16777216.0f;

    float sampleRate;
    uint32_t phase = 0;
    CRelaxed<int32_t> increment;
    float table[kTableSize + 1];
};
