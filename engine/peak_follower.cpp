#include "engine/peak_follower.h"
#include <cmath>

namespace {
const float kDefaultRelease = 0.9999f; // 0x3F7FF972
const float kDefaultOffset = 1e-12f;   // 0x2B8CBCCC
const float kLevelFloor = 1e-13f;      // 0x29E12E13
} // namespace

CPeakFollower::CPeakFollower() : release(kDefaultRelease), offset(kDefaultOffset) {}

void CPeakFollower::setAttack(float a) {
    attack = a;
}

void CPeakFollower::setRelease(float r) {
    release = r;
}

float CPeakFollower::tick(float x) {
    const float a = std::fabs(x) + offset;
    if (a > currentLevel) {
        currentLevel = a + (currentLevel - a) * attack;
    } else {
        currentLevel = currentLevel * release;
    }
    if (currentLevel < kLevelFloor) {
        currentLevel = kLevelFloor;
    }
    offset = -offset;
    return currentLevel;
}

float CPeakFollower::level() const {
    return currentLevel;
}

void CPeakFollower::clear() {
    currentLevel = 0.0f;
}
