#pragma once
#include "engine/relaxed.h"

// Times in seconds, sustain as a level 0..1.
struct EnvelopeTimes {
    float attack, decay, sustain, release;
};

enum { kEnvAttack, kEnvDecay, kEnvSustain, kEnvRelease, kEnvIdle };

// Linear attack-decay-sustain-release generator, one step per sample. setSustain may come from
// another thread while the audio thread ticks.
class CEnvelope {
public:
    explicit CEnvelope(int sampleRate);
    virtual ~CEnvelope() = default;

    virtual float tick();
    virtual void trigger();
    virtual void release();
    virtual void setTimes(const EnvelopeTimes& t);
    virtual void setSustain(float level);
    virtual EnvelopeTimes getTimes() const;
    virtual int stage() const;

    float value() const { return currentValue; }
    float getAttackStep() const { return attackStep; }
    float getDecayStep() const { return decayStep; }
    float getReleaseStep() const { return releaseStep; }

private:
    void computeSteps();

    float sampleRate;
    CRelaxed<int> currentStage;
    // The times are read by setSustain, which may run on another thread than setTimes.
    CRelaxed<float> attackTime{0.0f};
    CRelaxed<float> decayTime{0.0f};
    CRelaxed<float> sustain;
    CRelaxed<float> releaseTime{0.0f};
    CRelaxed<float> attackStep;
    CRelaxed<float> decayStep;
    CRelaxed<float> releaseStep;
    CRelaxed<float> currentValue;
};
