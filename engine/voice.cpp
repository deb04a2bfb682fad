#include "engine/voice.h"

#include <cmath>

#include "engine/body_filter.h"
#include "engine/body_types.h"
#include "engine/delay_line.h"
#include "engine/envelope.h"
#include "engine/lfo.h"
#include "engine/noise_table.h"
#include "engine/random.h"
#include "engine/string_blocks.h"
#include "instrument/instrument.h"

namespace {
constexpr int kNoiseCount = 44100;
constexpr int kBodyCapacity = 30;
constexpr float kStartDelay = 400.0f;
constexpr float kDelayTrim = 1.3f; // the float 1.29999995
constexpr double kCentRatio = 1.0005777895;
constexpr float kWaitFade = 0.98f;
constexpr float kOneThird = 1.0f / 3.0f;  // 0.33333334
constexpr float kTwoThirds = 2.0f / 3.0f; // 0.6666667
constexpr float kWarpMin = 0.0001f;
constexpr float kWarpMax = 0.999f;
constexpr float kLimiterCoef = 0.95f;
constexpr float kWaitSilence = 1e-5f;
constexpr float kSilence = 1e-6f;
constexpr uint32_t kSilenceGrace = 44100;
constexpr float kMeterFloor = 1e-13f;

// (4 v^2)^2 seconds: the time curve of every envelope parameter.
float envelopeSeconds(float v) {
    const float t = 4.0f * v * v;
    return t * t;
}

float lfoHertz(float v) {
    return v * v * 200.0f;
}
} // namespace

CVoice::CVoice(CInstrument* owner, int lineSize) : lineSize(lineSize), owner(owner) {
    const float rate = owner->sampleRate;
    lineA = new CDelayLine(lineSize);
    lineB = new CDelayLine(lineSize);
    noise = new CNoiseTable(kNoiseCount);
    body = new CBodyFilter(kBodyCapacity);
    body->setOrder(owner->filterOrder);
    body->setGain(owner->paramValues[kParamResonance]);
    body->setUpdateInterval(8);
    lfoA = new CLfo(rate);
    lfoB = new CLfo(rate);
    lfoWarp = new CLfo(rate);
    lfoA->setShape(kLfoTriangle);
    lfoB->setShape(kLfoTriangle);
    lfoWarp->setShape(kLfoTriangle);
    lfoA->setFrequency(0.2f);
    lfoB->setFrequency(0.1f);
    lfoWarp->setFrequency(0.1f);
    ampEnv = new CEnvelope(static_cast<int>(rate));
    morphEnv = new CEnvelope(static_cast<int>(rate));

    leakHold = noiseSmooth = 0;
    lineA->setDelay(kStartDelay);
    lineB->setDelay(kStartDelay);
    // The lines start cleared so that a stray read never meets uninitialised
    // memory.
    lineA->clear();
    lineB->clear();

    loadBody(1, 1);
    loadBody(0, 0);

    pendingCountdown = -1;
    pendingStamp = 0;
    currentState = kVoiceFree;
    offset = 1e-14f;
}

CVoice::~CVoice() {
    delete lineA;
    delete lineB;
    delete body;
    delete lfoA;
    delete lfoB;
    delete lfoWarp;
    delete noise;
    delete ampEnv;
    delete morphEnv;
}

void CVoice::setParameter(int index, float value) {
    (void)index;
    (void)value;
}

void CVoice::startPendingNote() {
    note = pendingNote;
    detune = pendingDetune;
    velocity = pendingVelocity;
    pendingStamp = pendingNote = pendingDetune = pendingVelocity = 0;
    pendingCountdown = -1;
    noteOn(note, static_cast<float>(velocity) / 127.0f, owner->paramValues[kParamBright]);
}

void CVoice::noteOn(int noteNumber, float noteVelocity, float bright) {
    (void)bright;
    const CRelaxed<float>* p = owner->paramValues;

    lossA = lossB = dcBA = dcAB = 0;
    velocityGain = 1.0f - p[kParamVelToVol] + noteVelocity;
    gainA = p[kParamGainA];
    gainB = p[kParamGainB];

    const float f = static_cast<float>(owner->tuningMap.frequency(noteNumber & 127) *
                                       std::pow(kCentRatio, static_cast<double>(detune)));
    const float rate = owner->sampleRate;
    baseDelayA = rate / f - kDelayTrim;
    baseDelayB = rate / (f * owner->detuneFactor) - kDelayTrim;

    const uint32_t seed = static_cast<uint32_t>(owner->sampleCounter) +
                          static_cast<uint32_t>(static_cast<int>(200.0f * noteVelocity)) +
                          static_cast<uint32_t>(noteNumber);
    talvir::srand(seed);
    const int r = talvir::rand();
    pan = (static_cast<float>(r % 1000) * 0.001f - 0.5f) * p[kParamRandomPan] + 0.5f;

    // Negative lengths (notes above sampleRate / 1.3) and a nonsensical host rate
    // become 0.
    if (!(baseDelayA > 0.0f)) {
        baseDelayA = 0.0f;
    }
    if (!(baseDelayB > 0.0f)) {
        baseDelayB = 0.0f;
    }

    lfoA->setFrequency(lfoHertz(p[kParamLfoAFreq]));
    lfoB->setFrequency(lfoHertz(p[kParamLfoBFreq]));
    lfoWarp->setFrequency(lfoHertz(p[kParamLfoWarpFreq]));

    lineA->setDelay(baseDelayA);
    lineB->setDelay(baseDelayB);
    lineA->clear();
    lineB->clear();

    const float resonance = p[kParamResonance];
    body->setOrder(owner->filterOrder);
    body->setGain(resonance);
    body->clear();
    loadBody(1, 1);
    loadBody(0, 0);
    body->computeCoefficients(p[kParamWarp], resonance, 1e-7);

    ampEnv->setTimes(EnvelopeTimes{envelopeSeconds(p[kParamAttack]), 0.0f, 0.99f,
                                   envelopeSeconds(p[kParamRelease])});
    ampEnv->trigger();
    morphEnv->setTimes(EnvelopeTimes{envelopeSeconds(p[kParamFilterAttack]),
                                     envelopeSeconds(p[kParamFilterDecay]), p[kParamFilterSustain],
                                     envelopeSeconds(p[kParamFilterRelease])});
    morphEnv->trigger();

    leakSmooth = 0;
    quantSteps = p[kParamQuantizeNoise] * 255.0f + 1.0f;
    quantStepsInv = 1.0f / quantSteps;

    limiterAB.setRelease(kLimiterCoef);
    limiterAB.setAttack(kLimiterCoef);
    limiterBA.setRelease(kLimiterCoef);
    limiterBA.setAttack(kLimiterCoef);

    currentState = kVoicePlaying;
    sampleCount = 0;
}

// The A-to-B leak signal: plain smoothing, or the quantizer, hard-sign or noise
// stage.
float CVoice::leakAToB(float yA, float yB, float cut) {
    if (!owner->quantizeNoiseOn || levelB <= kMeterFloor) {
        leakSmooth = yA + cut * (leakSmooth - yA) + offset;
        return leakSmooth * owner->leakABSquared;
    }
    float e;
    if (owner->highQuality || sampleCount % 4 == 0) {
        const float qn = owner->paramValues[kParamQuantizeNoise];
        if (qn > 0.0f && qn < 0.5f) {
            e = std::copysign(
                std::ceil(std::fabs(quantSteps * yB / levelA)) * quantStepsInv * levelA, yA);
        } else if (qn <= 0.0f) {
            e = std::copysign(levelA, yA);
        } else {
            const float n = std::copysign(noise->next(), yA);
            noiseSmooth = n + cut * (noiseSmooth - n);
            e = yA + noiseSmooth * owner->quantizeNoiseScale * levelB;
        }
        e = e * owner->leakABSquared;
        leakHold = e;
    } else {
        e = leakHold;
    }
    leakSmooth = e + cut * (leakSmooth - e) + offset;
    return leakSmooth;
}

float CVoice::tick(float inputA, float inputB) {
    if (!beginTick(inputA, inputB)) {
        return 0.0f;
    }
    const double y = bodyPending ? body->tick(bodyInput, bodyWarp, bodyMorph) : 0.0;
    return finishTick(y);
}

bool CVoice::beginTick(float inputA, float inputB) {
    bodyPending = false;
    if (pendingStamp != 0) {
        if (pendingCountdown == 0) {
            startPendingNote();
        } else if (pendingCountdown > 0) {
            currentState = kVoiceWaiting;
            --pendingCountdown;
        }
    }
    if (currentState == kVoiceFree) {
        return false;
    }
    const CInstrument& in = *owner;
    const CRelaxed<float>* p = in.paramValues;

    float a = lineA->lastOutput() + inputA;
    float b = lineB->lastOutput() + inputB;
    a = saturate(a, in.satACubed);
    b = saturate(b, in.satBCubed);
    const float yA = lossFilter(lossA, a, in.cutoffACoef);
    const float yB = lossFilter(lossB, b, in.cutoffBCoef);

    levelA = meterA.tick(yA);
    levelB = meterB.tick(yB);
    const float mixC = in.mixComplement;
    currentLevel = levelA + (levelB - levelA) * mixC;

    const float cut = 1.0f - p[kParamLeakageCut];
    float lab = leakAToB(yA, yB, cut);
    float lba = yB * in.leakBASquared;
    lab = leakLimit(limiterAB, lab);
    lba = leakLimit(limiterBA, lba);

    const bool waiting = currentState == kVoiceWaiting;
    if (waiting) {
        gainA *= kWaitFade;
        gainB *= kWaitFade;
    }
    if (waiting && currentLevel < kWaitSilence) {
        currentState = kVoiceFree;
    }

    // Body placement: on the output, in the B-to-A leak or in the A-to-B leak.
    const bool leakActive = in.leakABOn || in.leakBAOn;
    const bool bodyActive = in.body1On || in.body2On;
    if (bodyActive) {
        float warp = lfoWarp->tick() * p[kParamLfoWarpAmp] * 0.5f + in.warpCurrent;
        bodyWarp = warp < kWarpMin ? kWarpMin : (warp > kWarpMax ? kWarpMax : warp);
        bodyMorph = morphEnv->tick();
    }
    stepMix = a + (b - a) * mixC;
    const float position = p[kParamFilterPos];
    stepPlace = position >= kTwoThirds ? kBodyOnOutput
                : position > kOneThird ? kBodyInLeakBA
                                       : kBodyInLeakAB;
    if (leakActive) {
        lba = dcBlock(dcBA, lba);
        lab = dcBlock(dcAB, lab);
    }
    if (bodyActive) {
        bodyPending = true;
        bodyInput = stepPlace == kBodyOnOutput   ? stepMix + offset
                    : stepPlace == kBodyInLeakBA ? lba + offset
                                                 : lab + offset;
    }
    stepYA = yA;
    stepYB = yB;
    stepLab = lab;
    stepLba = lba;
    return true;
}

float CVoice::finishTick(double bodyOutput) {
    const CInstrument& in = *owner;
    const CRelaxed<float>* p = in.paramValues;
    float lab = stepLab;
    float lba = stepLba;
    const float lineBFeed = p[kParamPolarityB] > 0.5f ? stepYB * gainB : -stepYB * gainB;
    float out;
    if (stepPlace == kBodyOnOutput) {
        lineA->tick(stepYA * gainA + offset + lba);
        lineB->tick(lineBFeed + offset + lab);
        if (bodyPending) {
            out = static_cast<float>(bodyOutput * velocityGain);
        } else {
            out = stepMix * velocityGain;
        }
    } else {
        if (bodyPending) {
            if (stepPlace == kBodyInLeakBA) {
                lba = static_cast<float>(bodyOutput);
            } else {
                lab = static_cast<float>(bodyOutput);
            }
        }
        lba = clampLeak(lba);
        lab = clampLeak(lab);
        // In the leak placements B-to-A leakage enters line A with inverted sign.
        lineA->tick(stepYA * gainA - lba + offset);
        lineB->tick(lineBFeed + offset + lab);
        out = stepMix * velocityGain;
    }

    out = out * ampEnv->tick();
    if (ampEnv->stage() == kEnvIdle) {
        currentState = kVoiceFree;
    }

    sampleCount += 1;
    if (in.highQuality || sampleCount % 8 == 0) {
        const float bend = in.bendCurrent;
        if (baseDelayA > 0.0f) {
            lineA->setDelay((lfoA->tick() * p[kParamLfoAAmp] + 1.0f) * bend * baseDelayA);
        }
        if (baseDelayB > 0.0f) {
            lineB->setDelay((lfoB->tick() * p[kParamLfoBAmp] + 1.0f) * bend * baseDelayB);
        }
    } else {
        lfoA->tick();
        lfoB->tick();
    }

    offset = -offset;
    if (currentLevel < kSilence && sampleCount > kSilenceGrace) {
        currentState = kVoiceFree;
    }
    return out;
}

void CVoice::stop(bool clearAll) {
    currentState = kVoiceFree;
    if (!clearAll) {
        return;
    }
    note = detune = velocity = 0;
    pendingStamp = pendingNote = pendingDetune = pendingVelocity = 0;
    pendingCountdown = -1;
    lineA->clear();
    lineB->clear();
    body->clear();
    meterA.clear();
    meterB.clear();
    lossA = lossB = dcBA = dcAB = 0;
    leakSmooth = noiseSmooth = 0;
    currentLevel = levelA = levelB = 0;
}

void CVoice::loadBody(int which, int target) {
    const float v =
        which != 0 ? owner->paramValues[kParamBodyType1] : owner->paramValues[kParamBodyType2];
    int code = 0;
    const float scaled = std::floor(12.0f * v);
    if (scaled > 0.0f) { // NaN and negative values select "None"
        code = scaled >= 11.0f ? 11 : static_cast<int>(scaled);
    }
    int order = owner->filterOrder;
    order = order < 1 ? 1 : (order > kBodyCapacity ? kBodyCapacity : order);

    const double* source;
    if (code <= 8) {
        source = kBodyShapeTables[code];
    } else if (code == 9) {
        source = kBodyShapeTables[talvir::rand() % kNumBodyShapes];
    } else {
        double* table = owner->getBodyTable(which != 0);
        const int seed = code == 10 ? static_cast<int>(static_cast<uint32_t>(owner->sampleCounter) +
                                                       static_cast<uint32_t>(which))
                                    : note;
        fillRandomBody(table, seed, order);
        source = table;
    }
    body->loadCoefficients(source, order, target);
}
