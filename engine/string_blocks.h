#pragma once
#include "engine/peak_follower.h"
#include <cmath>

// Per-sample blocks of the string loops and the leakage paths, single precision throughout.

// Cubic saturation; amounts of 0 or below pass the sample unchanged.
inline float saturate(float x, float amount) {
    if (amount > 0.0f) {
        return (1.0f + amount) * x - amount * (x * x * x);
    }
    return x;
}

// One-pole low-pass with unity DC gain; coef 0 passes the input.
inline float lossFilter(float& state, float x, float coef) {
    state = x + (state - x) * coef;
    return state;
}

// Pulls a leak signal back once its follower level exceeds 0.6. The follower sees the signal
// before the reduction.
inline float leakLimit(CPeakFollower& follower, float s) {
    const float level = follower.tick(s);
    if (level > 0.6f) {
        s = s * std::exp(-20.0f * (level - 0.6f));
    }
    return s;
}

// Removes the DC of a leak signal; state is the running mean.
inline float dcBlock(float& state, float s) {
    state = s + (state - s) * 0.97f;
    return s - state;
}

inline float clampLeak(float s) {
    if (s < -0.5f) {
        return -0.5f;
    }
    if (s > 0.5f) {
        return 0.5f;
    }
    return s;
}
