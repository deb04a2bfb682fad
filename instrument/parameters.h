#pragma once

// Parameter indices: every value is a float in 0..1.
enum {
    kParamBright = 0,
    kParamAttack,
    kParamRelease,
    kParamCutoffA,
    kParamGainA,
    kParamSaturationA,
    kParamLfoAFreq,
    kParamLfoAAmp,
    kParamLeakAB,
    kParamQuantizeNoise,
    kParamLeakageCut,
    kParamPolarityB,
    kParamDetuneB,
    kParamCutoffB,
    kParamGainB,
    kParamSaturationB,
    kParamLfoBFreq,
    kParamLfoBAmp,
    kParamLeakBA,
    kParamFilterPos,
    kParamFilterOrder,
    kParamResonance,
    kParamWarp,
    kParamLfoWarpFreq,
    kParamLfoWarpAmp,
    kParamBodyType1,
    kParamBodyType2,
    kParamFilterAttack,
    kParamFilterDecay,
    kParamFilterSustain,
    kParamFilterRelease,
    kParamRandomPan,
    kParamVelToVol,
    kParamVelToBright,
    kParamMix,
    kParamVolume,
    kParamPolyphony,
    kParamQuality,
    kNumParams,
    // Not a parameter: 1.0 asks for a tuning file, -1.0 reloads the program's tuning file.
    kParamTuningCommand = 39,
};

// Number of body types a body type parameter selects (codes 0..12; 12 only at exactly 1.0).
constexpr int kNumBodyCodes = 13;

// Engine quantities derived from parameter values, each clamped to the range its user indexes.
int voiceLimitFor(float value);        // Polyphony: 1..8
int filterOrderFor(float value);       // Flt. Ord: 1..30
int bodyCodeFor(float value);          // BdyType: 0..12
float quantizedBodyValue(float value); // the middle of the value's body type interval
