#include "engine/lfo.h"
#include <cmath>

const char* const kLfoShapeNames[kNumLfoShapes] = {"triangle", "sinus", "sawtooth", "square",
                                                   "exponent"};

CLfo::CLfo(float sampleRate) : sampleRate(sampleRate), increment(0) {
    setShape(kLfoTriangle);
    setFrequency(1.0f);
}

void CLfo::setShape(int code) {
    switch (code) {
    case kLfoTriangle:
        for (int i = 0; i < 64; ++i) {
            const float f = static_cast<float>(i);
            table[i] = f / 64.0f;
            table[64 + i] = (64.0f - f) / 64.0f;
            table[128 + i] = -f / 64.0f;
            table[192 + i] = (f - 64.0f) / 64.0f;
        }
        table[kTableSize] = 0.0f;
        break;
    case kLfoSine: {
        const double pi = 4.0 * std::atan(1.0);
        for (int i = 0; i <= kTableSize; ++i) {
            table[i] = static_cast<float>(std::sin(2.0 * pi * i / 256.0));
        }
        break;
    }
    case kLfoSaw:
        for (int i = 0; i < kTableSize; ++i) {
            table[i] = 2.0f * static_cast<float>(i) * (1.0f / 255.0f) - 1.0f;
        }
        table[kTableSize] = -1.0f;
        break;
    case kLfoSquare:
        for (int i = 0; i < kTableSize; ++i) {
            table[i] = i < 128 ? 1.0f : -1.0f;
        }
        table[kTableSize] = 1.0f;
        break;
    case kLfoExponent: {
        const double e = std::exp(1.0);
        for (int i = 0; i < kTableSize; ++i) {
            const int m = i < 128 ? i : 256 - i;
            table[i] = static_cast<float>(2.0 * (std::exp(m / 128.0) - 1.0) / (e - 1.0) - 1.0);
        }
        table[kTableSize] = -1.0f;
        break;
    }
    default:
        break;
    }
}

void CLfo::setFrequency(float hz) {
    const float step = hz / sampleRate * 256.0f * 16777216.0f;
    // Rates at or above half the sample rate (and NaN) do not fit the signed step: saturate.
    if (step >= 2147483648.0f) {
        increment = INT32_MAX;
    } else if (step <= -2147483648.0f) {
        increment = INT32_MIN;
    } else if (step == step) {
        increment = static_cast<int32_t>(step);
    } else {
        increment = 0;
    }
}
