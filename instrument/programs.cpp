#include "instrument/program_record.h"

#include <cstring>

namespace {

// Init values of every parameter.
constexpr float kInitValues[kNumParams] = {
    0.335581f, // kParamBright
    0.0f,      // kParamAttack
    0.8f,      // kParamRelease
    0.96f,     // kParamCutoffA
    0.99f,     // kParamGainA
    0.009155f, // kParamSaturationA
    0.09999f,  // kParamLfoAFreq
    0.011719f, // kParamLfoAAmp
    0.059207f, // kParamLeakAB
    0.98f,     // kParamQuantizeNoise
    0.00003f,  // kParamLeakageCut
    1.0f,      // kParamPolarityB
    0.003f,    // kParamDetuneB
    0.281f,    // kParamCutoffB
    0.98f,     // kParamGainB
    0.01144f,  // kParamSaturationB
    0.161f,    // kParamLfoBFreq
    0.019196f, // kParamLfoBAmp
    0.01f,     // kParamLeakBA
    0.0f,      // kParamFilterPos
    1.0f,      // kParamFilterOrder
    0.91f,     // kParamResonance
    0.8f,      // kParamWarp
    0.001f,    // kParamLfoWarpFreq
    0.05f,     // kParamLfoWarpAmp
    0.2f,      // kParamBodyType1
    0.6f,      // kParamBodyType2
    0.27f,     // kParamFilterAttack
    0.125f,    // kParamFilterDecay
    0.44f,     // kParamFilterSustain
    0.04f,     // kParamFilterRelease
    0.5f,      // kParamRandomPan
    0.5f,      // kParamVelToVol
    0.5f,      // kParamVelToBright
    0.0f,      // kParamMix
    0.3f,      // kParamVolume
    0.5f,      // kParamPolyphony
    0.0f,      // kParamQuality
};

constexpr int kNumFactoryPresets = 8;
// The factory presets set every value but Quality; Quality and the tuning path stay Init.
constexpr int kPresetValues = kParamQuality;

struct SPreset {
    const char* name;
    float values[kPresetValues];
};

// clang-format off
const SPreset kFactoryPresets[kNumFactoryPresets] = {
    {"pneumatic koto", {
        0.03357036f, 0.0f, 0.37583545f, 0.55705434f, 1.0f, 0.0f,
        0.09999f, 0.011719f, 0.0671102f, 1.0f, 0.37583545f, 0.046967987f,
        1.0f, 0.76509905f, 0.98f, 0.07382427f, 0.161f, 0.019196f,
        0.087252416f, 0.67113256f, 0.7449568f, 1.0f, 0.7919553f, 0.001f,
        0.05f, 0.83892334f, 0.36912137f, 0.27f, 0.125f, 1.0f,
        0.09396649f, 0.83892334f, 0.5f, 0.5f, 1.0f, 0.90000004f,
        1.0f,
    }},
    {"chimar", {
        0.07382427f, 0.0f, 0.50001526f, 0.9f, 0.99f, 0.009155f,
        0.09999f, 0.011719f, 0.059207f, 0.98f, 0.53019804f, 1.0f,
        0.003f, 0.28100002f, 0.98f, 0.01144f, 0.161f, 0.019196f,
        0.01f, 0.0f, 0.2751549f, 1.0f, 0.26847133f, 0.001f,
        0.05f, 0.21475875f, 0.8657796f, 0.14093448f, 0.19461654f, 0.9328898f,
        0.6241646f, 0.5f, 0.1342204f, 0.5f, 1.0f, 0.90000004f,
        0.5f,
    }},
    {"little dissonant koto", {
        0.08053835f, 0.0f, 0.19461654f, 0.5838801f, 0.99f, 0.006714072f,
        0.040253915f, 0.008758812f, 0.30201116f, 0.5033418f, 0.087252416f, 0.0f,
        0.0f, 0.5771661f, 0.98f, 0.013428144f, 0.013428144f, 0.009430219f,
        0.07382427f, 0.0f, 0.6308786f, 1.0f, 0.48994416f, 0.07382427f,
        0.12079226f, 0.55705434f, 0.91274756f, 0.87920773f, 0.89260536f, 0.44f,
        0.6979888f, 0.5f, 0.5f, 0.5f, 0.9f, 0.88858306f,
        0.5f,
    }},
    {"soft koto", {
        0.12750633f, 0.0f, 0.23490097f, 0.26175725f, 0.99f, 0.009155f,
        0.09999f, 0.011719f, 0.059207f, 0.98f, 0.80538344f, 1.0f,
        0.003f, 0.5973083f, 0.98f, 0.01144f, 0.161f, 0.019196f,
        0.01f, 0.0f, 0.6308786f, 1.0f, 0.8f, 0.001f,
        0.05f, 0.3624073f, 0.476516f, 0.27f, 0.125f, 0.44f,
        0.04f, 0.5f, 0.5f, 0.5f, 0.9f, 0.90000004f,
        0.5f,
    }},
    {"inner vibration", {
        0.335581f, 0.4295175f, 0.34229562f, 0.50001526f, 0.99f, 0.33558154f,
        0.41611987f, 0.006714072f, 0.259207f, 0.006714072f, 0.42283395f, 1.0f,
        0.00469985f, 0.48323008f, 0.98f, 0.20804468f, 0.22147283f, 0.7315287f,
        0.25039613f, 0.0f, 1.0f, 1.0f, 1.0f, 0.43623158f,
        0.5436262f, 0.946318f, 0.40269172f, 0.69127476f, 0.87920773f, 0.44f,
        0.96642965f, 0.5f, 0.5f, 0.5f, 1.0f, 0.90000004f,
        1.0f,
    }},
    {"rattling koto cc105", {
        0.0671102f, 0.0f, 0.12079226f, 0.8724937f, 0.99f, 0.006714072f,
        0.09999f, 0.011719f, 0.059207f, 0.0f, 0.53691214f, 0.0f,
        0.003f, 0.6308786f, 0.98f, 0.01144f, 0.161f, 0.019196f,
        0.01f, 0.0f, 0.020142216f, 0.91f, 0.78524125f, 0.001f,
        0.05f, 0.013428144f, 0.0f, 0.27f, 0.125f, 0.62992126f,
        0.04f, 0.114108704f, 0.087252416f, 0.8322092f, 0.91946167f, 0.90000004f,
        0.5f,
    }},
    {"hybrid 1", {
        0.026856288f, 0.26847133f, 0.28858304f, 0.6979888f, 0.99f, 0.3221534f,
        0.020142216f, 0.011719f, 0.059207f, 1.0f, 0.53019804f, 0.25504318f,
        0.0f, 0.75838494f, 0.98f, 0.38254952f, 0.006714072f, 0.019196f,
        0.06039613f, 0.26175725f, 0.3154393f, 1.0f, 0.53691214f, 0.001f,
        0.20804468f, 0.34229562f, 0.523484f, 0.5503403f, 0.75838494f, 0.6375927f,
        0.5436262f, 0.107394636f, 0.5f, 0.1812189f, 1.0f, 0.90000004f,
        0.5f,
    }},
    {"rubbarb", {
        0.040253915f, 0.0f, 0.25504318f, 0.67113256f, 0.99f, 0.40269172f,
        0.09999f, 0.011719f, 0.30201116f, 0.0f, 0.05368206f, 1.0f,
        0.006714072f, 0.67113256f, 0.98f, 0.37583545f, 0.161f, 0.019196f,
        0.21475875f, 1.0f, 0.39597765f, 1.0f, 0.93960387f, 0.001f,
        0.05f, 0.83892334f, 0.8724937f, 0.2013306f, 0.3221534f, 0.44f,
        0.5973083f, 0.026856288f, 0.5f, 0.8523514f, 0.9328898f, 0.84450483f,
        0.5f,
    }},
};
// clang-format on

} // namespace

void initProgram(ProgramRecord& program) {
    std::memset(&program, 0, sizeof(program));
    std::memcpy(program.values, kInitValues, sizeof(kInitValues));
    std::strcpy(program.name, "Init");
}

void terminateTexts(ProgramRecord& program) {
    program.name[kProgramNameSize - 1] = 0;
    program.tuningPath[kTuningPathSize - 1] = 0;
}

void writeFactoryPresets(ProgramRecord* programs) {
    for (int p = 0; p < kNumFactoryPresets; ++p) {
        const SPreset& preset = kFactoryPresets[p];
        std::memcpy(programs[p].values, preset.values, sizeof(preset.values));
        std::memset(programs[p].name, 0, sizeof(programs[p].name));
        std::strcpy(programs[p].name, preset.name);
    }
}
