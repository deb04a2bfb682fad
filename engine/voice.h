#pragma once
#include <cstdint>

#include "engine/peak_follower.h"
#include "engine/relaxed.h"

class CInstrument;
class CDelayLine;
class CBodyFilter;
class CLfo;
class CNoiseTable;
class CEnvelope;

// Voice state codes.
constexpr int kVoicePlaying = 2;
constexpr int kVoiceFree = 6;
constexpr int kVoiceWaiting = 7;

// One unit of polyphony: two delay-line strings A and B, each closed into a feedback loop
// through a saturator and a loss filter, coupled by two leakage paths, with a warped body
// filter on the output or inside one of the leakage paths. The strings ring with the host's
// input; the voice has no exciter of its own.
class CVoice {
public:
    CVoice(CInstrument* owner, int lineSize);
    virtual ~CVoice();
    CVoice(const CVoice&) = delete;
    CVoice& operator=(const CVoice&) = delete;

    // One output sample for one sample of each string input.
    virtual float tick(float inputA, float inputB);
    // Silences the voice; with clearAll also forgets the pending note and clears all memory.
    virtual void stop(bool clearAll);
    // Starts a note: velocity 0..1; bright does not change the sound.
    virtual void noteOn(int noteNumber, float noteVelocity, float bright);
    // Voice-local parameter copies are not needed: the voice reads the instrument directly.
    virtual void setParameter(int index, float value);
    virtual float level() const { return currentLevel; }
    virtual int state() const { return currentState; }
    // Loads the body type of BdyType1 (which != 0) or BdyType2 (which == 0) into coefficient
    // set A (target != 0) or B (target == 0) of the body filter.
    virtual void loadBody(int which, int target);

    void setState(int code) { currentState = code; }

    // tick in two halves around the body filter, so that the rendering loop can run the body
    // filters of several voices side by side: beginTick does everything up to the body filter
    // and answers false for a free voice (whose output is 0); when bodyPending is set, the
    // caller runs body->tick(bodyInput, bodyWarp, bodyMorph) and hands the result to finishTick,
    // which does the rest and returns the output sample.
    bool beginTick(float inputA, float inputB);
    float finishTick(double bodyOutput);
    // Starts the pending note written by the instrument's voice allocation.
    void startPendingNote();

    float pan = 0.5f;
    int lineSize;
    CInstrument* owner;
    CDelayLine* lineA = nullptr;
    CDelayLine* lineB = nullptr;
    CBodyFilter* body = nullptr;
    CLfo* lfoA = nullptr;
    CLfo* lfoB = nullptr;
    CLfo* lfoWarp = nullptr;
    CNoiseTable* noise = nullptr;
    CEnvelope* ampEnv = nullptr;
    CEnvelope* morphEnv = nullptr;
    CPeakFollower meterA, meterB;
    CPeakFollower limiterAB, limiterBA;
    float lossA = 0, lossB = 0;
    float dcBA = 0, dcAB = 0;
    float gainA = 0, gainB = 0;
    float leakSmooth = 0;
    float leakHold = 0;
    float currentLevel = 0;
    float levelA = 0, levelB = 0;
    float baseDelayA = 0, baseDelayB = 0;
    float noiseSmooth = 0;
    float offset = 1e-14f;
    float quantSteps = 1, quantStepsInv = 1;
    float velocityGain = 0;
    // Samples since note start; wraps without overflow.
    uint32_t sampleCount = 0;
    // Written by the audio side and by control change 126; read by the parameter side.
    CRelaxed<int32_t> currentState{kVoiceFree};
    int32_t note = 0, detune = 0, velocity = 0;
    // Pending note: pendingStamp non-zero marks one; pendingCountdown -1 means none.
    int32_t pendingStamp = 0, pendingNote = 0, pendingDetune = 0, pendingVelocity = 0;
    int32_t pendingCountdown = -1;

    // The body filter's input for this sample, when bodyPending.
    bool bodyPending = false;
    double bodyInput = 0.0;
    float bodyWarp = 0.0f;
    float bodyMorph = 0.0f;

private:
    enum EBodyPlace { kBodyOnOutput, kBodyInLeakBA, kBodyInLeakAB };

    float leakAToB(float yA, float yB, float cut);

    // Values of the current sample carried from beginTick to finishTick.
    EBodyPlace stepPlace = kBodyOnOutput;
    float stepYA = 0, stepYB = 0;
    float stepLab = 0, stepLba = 0;
    float stepMix = 0;
};
