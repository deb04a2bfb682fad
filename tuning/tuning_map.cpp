#include "tuning/tuning_map.h"

#include <cmath>
#include <cstring>

namespace {
constexpr double kStandardBaseFrequency = 8.175798915643707; // MIDI note 0 when note 69 is 440 Hz
constexpr double kOneOver1200 = 0.0008333333333333334;
} // namespace

CTuningMap::CTuningMap() {
    reset();
}

void CTuningMap::reset() {
    for (int n = 0; n < kNumNotes; ++n) {
        cents[n] = 100.0 * n;
    }
    baseFrequency = kStandardBaseFrequency;
    std::memset(name, 0, sizeof(name));
    std::strcpy(name, "standard");
    std::memset(message, 0, sizeof(message));
}

double CTuningMap::frequency(int note) const {
    const double c = (note >= 0 && note < kNumNotes) ? cents[note].load() : 100.0 * note;
    const double f = baseFrequency.load() * std::pow(2.0, c * kOneOver1200);
    // Extreme tables overflow to infinity or underflow to 0; NaN falls to the lower bound.
    if (!(f >= kMinFrequency)) {
        return kMinFrequency;
    }
    return f > kMaxFrequency ? kMaxFrequency : f;
}
