#include "instrument/parameter_texts.h"

#include <cmath>
#include <cstdio>

#include "engine/body_types.h"
#include "host/aeffect.h"
#include "host/text_format.h"
#include "instrument/parameters.h"

namespace {

constexpr const char* kBlank = "        ";
constexpr const char* kSeconds = "    s   ";

struct SParameterTexts {
    const char* name;
    const char* label; // null: no label
};

// clang-format off
const SParameterTexts kTexts[kNumParams] = {
    {" Bright ", kBlank},           {" Attack ", kSeconds},       {" Release", kSeconds},
    {"Cutoff A", kBlank},           {"Gain A  ", kBlank},         {"Saturation A", kBlank},
    {"LFO A Freq", nullptr},        {"LFO A Amp", nullptr},       {" Lkg A->B", " (gain) "},
    {"Quantize", kBlank},           {"Leakage Cut", nullptr},     {"Line B Polarity", nullptr},
    {"Detune B", kBlank},           {"Cutoff B", kBlank},         {"Gain B  ", kBlank},
    {"Saturation B", kBlank},       {"LFO B Freq", nullptr},      {"LFO B Amp", nullptr},
    {" Lkg B->A", nullptr},         {"Filter Pos", kBlank},       {"Flt. Ord", "  taps  "},
    {"Reso.   ", kBlank},           {" Warp   ", kBlank},         {"LFO Wrp. Frq", nullptr},
    {"LFO Wrp. Amp", nullptr},      {"BdyType1", kBlank},         {"BdyType2", kBlank},
    {"Filter Attack", kSeconds},    {"Filter Decay", kSeconds},   {"Filter Sustain", "    %   "},
    {"Filter Release", kSeconds},   {"Random Pan", nullptr},      {"Vel -> Vol", nullptr},
    {"Vel -> Bright", nullptr},     {" Mix    ", kBlank},         {" Volume ", "   dB   "},
    {"Polyphony", " voices "},      {"Quality", nullptr},
};
// clang-format on

bool inTable(int index) {
    return index >= 0 && index < kNumParams;
}

void fixed(float shown, char* text) {
    std::snprintf(text, kVstParamTextSize, "%0.4f", static_cast<double>(shown));
}

// LFO rate in Hz, with fewer decimals the faster it is.
void rate(float v, char* text) {
    float hz = 200.0f * v * v;
    const char* format = hz > 100.0f  ? "%0.1f Hz"
                         : hz > 10.0f ? "%0.2f Hz"
                         : hz > 0.01f ? "%0.3f Hz"
                                      : "%0.4f Hz";
    std::snprintf(text, kVstParamTextSize, format, static_cast<double>(hz));
}

float seconds(float v) {
    return 16.0f * v * v;
}

void quantizeNoise(float v, char* text) {
    if (v > 0.49f && v < 0.51f) {
        std::snprintf(text, kVstParamTextSize, "--nq--");
    } else if (v < 0.5f) {
        std::snprintf(text, kVstParamTextSize, "%d Q", truncToInt(255.0f * v + 1.0f));
    } else {
        std::snprintf(text, kVstParamTextSize, "%d N", truncToInt(255.0f * (1.0f - v) + 1.0f));
    }
}

void bodyTypeName(float v, char* text) {
    int k = truncToInt(std::floor(std::fabs(12.0f * v)));
    if (k > 11) {
        k = 11;
    }
    copyText(text, kBodyTypeNames[k], kVstParamTextSize);
}

} // namespace

const char* parameterName(int index, float value) {
    if (!inTable(index)) {
        return nullptr;
    }
    if (index == kParamQuantizeNoise) {
        return value < 0.5f ? "Quantize" : "Noise";
    }
    return kTexts[index].name;
}

const char* parameterLabel(int index) {
    return inTable(index) ? kTexts[index].label : nullptr;
}

void formatParameterDisplay(int index, float v, int voiceLimit, char* text) {
    text[0] = 0;
    switch (index) {
    case kParamAttack:
    case kParamRelease:
    case kParamFilterAttack:
    case kParamFilterDecay:
    case kParamFilterRelease:
        fixed(seconds(v), text);
        break;
    case kParamLfoAFreq:
    case kParamLfoBFreq:
    case kParamLfoWarpFreq:
        rate(v, text);
        break;
    case kParamQuantizeNoise:
        quantizeNoise(v, text);
        break;
    case kParamPolarityB:
        copyText(text, v > 0.5f ? "positive" : "negative", kVstParamTextSize);
        break;
    case kParamDetuneB:
        fixed(12.0f * v, text);
        break;
    case kParamFilterPos:
        copyText(text, v < 0.5f ? "leakage" : "output", kVstParamTextSize);
        break;
    case kParamFilterOrder:
        formatInt(filterOrderFor(v), text);
        break;
    case kParamBodyType1:
    case kParamBodyType2:
        bodyTypeName(v, text);
        break;
    case kParamFilterSustain:
        fixed(100.0f * v, text);
        break;
    case kParamMix:
        std::snprintf(text, kVstParamTextSize, "%0.2f", static_cast<double>(v));
        break;
    case kParamVolume:
        formatDb(v * v * v * v, text);
        break;
    case kParamPolyphony:
        formatInt(voiceLimit, text);
        break;
    case kParamQuality:
        break;
    default:
        if (inTable(index)) {
            fixed(v, text);
        }
        break;
    }
}
