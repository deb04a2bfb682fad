#include "engine/delay_line.h"
#include <cmath>

namespace {
// Four taps need at least four slots.
constexpr int kMinSize = 4;
// Beyond 2^23 every float is a whole number, so larger delays only differ by the cap.
constexpr float kMaxDelay = 8388608.0f;
} // namespace

CDelayLine::CDelayLine(int size)
    : writeIndex(0), size(size < kMinSize ? kMinSize : size), buffer(new float[this->size]()) {
    writeIndex = this->size - 1;
}

CDelayLine::~CDelayLine() {
    delete[] buffer;
}

void CDelayLine::clear() {
    for (int i = 0; i < size; ++i) {
        buffer[i] = 0.0f;
    }
    output = 0.0f;
}

void CDelayLine::setDelay(float delay) {
    // A negative delay would point the taps ahead of the ring; NaN has no place at all.
    if (!(delay >= 0.0f)) {
        delay = 0.0f;
    } else if (delay > kMaxDelay) {
        delay = kMaxDelay;
    }
    const float up = std::ceil(delay);
    const int c = static_cast<int>(up);
    integerDelay = c + 1;
    fraction = static_cast<float>(c) - delay;

    d = 2.0f - fraction;
    d1 = d - 1.0f;
    d2 = d - 2.0f;
    d3 = d - 3.0f;
    const float sixth = 0.16666667f;
    h0 = -sixth * d1 * d2 * d3;
    h1 = 0.5f * d * d2 * d3;
    h2 = -0.5f * d * d1 * d3;
    h3 = sixth * d * d1 * d2;

    if (integerDelay >= size) {
        integerDelay = size - 1;
        fraction = 0.0f;
    }
    readIndex = writeIndex - integerDelay;
    if (readIndex < 0) {
        readIndex += size;
    }
}

float CDelayLine::tick(float x) {
    buffer[writeIndex] = x;
    int i1 = readIndex + 1;
    if (i1 >= size) {
        i1 -= size;
    }
    int i2 = i1 + 1;
    if (i2 >= size) {
        i2 -= size;
    }
    int i3 = i2 + 1;
    if (i3 >= size) {
        i3 -= size;
    }
    const float y = h3 * buffer[readIndex] + h2 * buffer[i1] + h1 * buffer[i2] + h0 * buffer[i3];
    writeIndex += 1;
    if (writeIndex >= size) {
        writeIndex = 0;
    }
    readIndex = i1;
    output = y;
    return y;
}

float CDelayLine::getCoefficient(int index) const {
    switch (index) {
    case 0:
        return h0;
    case 1:
        return h1;
    case 2:
        return h2;
    case 3:
        return h3;
    default:
        return 0.0f;
    }
}
