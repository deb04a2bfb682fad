#include "instrument/parameters.h"

#include <cmath>

#include "host/text_format.h"

namespace {
int clampInt(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}
} // namespace

int voiceLimitFor(float value) {
    return clampInt(truncToInt(std::floor(7.0f * value)), 0, 7) + 1;
}

int filterOrderFor(float value) {
    return clampInt(truncToInt(29.0f * value + 1.0f), 1, 30);
}

int bodyCodeFor(float value) {
    return clampInt(truncToInt(std::floor(12.0f * value)), 0, kNumBodyCodes - 1);
}

float quantizedBodyValue(float value) {
    return (static_cast<float>(bodyCodeFor(value)) + 0.5f) * 0.0833333358f;
}
