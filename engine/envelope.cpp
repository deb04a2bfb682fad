#include "engine/envelope.h"

namespace {
// Negative (or NaN) times would give steps that never reach their target.
float usableTime(float t) {
    return t > 0.0f ? t : 0.0f;
}
} // namespace

CEnvelope::CEnvelope(int sampleRate)
    : sampleRate(sampleRate > 0 ? static_cast<float>(sampleRate) : 0.0f), currentStage(kEnvIdle),
      sustain(0.0f), attackStep(0.0f), decayStep(0.0f), releaseStep(0.0f), currentValue(0.0f) {}

float CEnvelope::tick() {
    float v = currentValue;
    switch (currentStage.load()) {
    case kEnvAttack:
        v += attackStep;
        if (v >= 1.0f) {
            v = 1.0f;
            currentStage = kEnvDecay;
        }
        break;
    case kEnvDecay: {
        v -= decayStep;
        const float level = sustain;
        if (v <= level) {
            v = level;
            currentStage = kEnvSustain;
        }
        break;
    }
    case kEnvRelease:
        v -= releaseStep;
        if (v <= 0.0f) {
            v = 0.0f;
            currentStage = kEnvIdle;
        }
        break;
    default:
        break;
    }
    currentValue = v;
    return v;
}

void CEnvelope::trigger() {
    currentStage = kEnvAttack;
    currentValue = 0.0f;
}

void CEnvelope::release() {
    currentStage = kEnvRelease;
}

void CEnvelope::setTimes(const EnvelopeTimes& t) {
    attackTime = t.attack;
    decayTime = t.decay;
    sustain = t.sustain;
    releaseTime = t.release;
    computeSteps();
}

void CEnvelope::setSustain(float level) {
    sustain = level;
    currentValue = level;
    computeSteps();
}

EnvelopeTimes CEnvelope::getTimes() const {
    return EnvelopeTimes{attackTime, decayTime, sustain, releaseTime};
}

int CEnvelope::stage() const {
    return currentStage;
}

void CEnvelope::computeSteps() {
    const float level = sustain;
    attackStep = 1.0f / (sampleRate * usableTime(attackTime) + 1.0f);
    decayStep = (1.0f - level) / (sampleRate * usableTime(decayTime) + 1.0f);
    releaseStep = level / (sampleRate * usableTime(releaseTime) + 1.0f);
}
