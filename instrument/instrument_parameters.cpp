#include <cmath>

#include "engine/envelope.h"
#include "engine/voice.h"
#include "host/text_format.h"
#include "instrument/instrument.h"
#include "instrument/parameter_texts.h"

namespace {
// One cent as a period factor: 1.0005777895^1200 = 2.
constexpr float kCentFactor = 1.0005777895f;
} // namespace

void CInstrument::setParameter(int32_t index, float value) {
    if (static_cast<uint32_t>(index) >= 40u) {
        return;
    }
    if (index == kParamTuningCommand) {
        if (value == 1.0f) {
            loadTuning(true);
        } else if (value == -1.0f) {
            loadTuning(false);
        }
        return;
    }
    // Index 38 has no parameter; a NaN would poison every formula and is refused.
    if (index >= kNumParams || std::isnan(value)) {
        return;
    }
    if (index == kParamBodyType1 || index == kParamBodyType2) {
        value = quantizedBodyValue(value);
    }
    paramValues[index] = value;
    if (ProgramRecord* program = currentProgram()) {
        program->values[index] = value;
    }
    applyParameterRule(index, value);
}

void CInstrument::applyParameterRule(int32_t index, float v) {
    switch (index) {
    case kParamCutoffA:
        cutoffACoef = (1.0f - v) * 0.95f;
        break;
    case kParamSaturationA:
        satACubed = v * v * v;
        break;
    case kParamLfoAFreq:
    case kParamLfoBFreq:
    case kParamLfoWarpFreq:
        updateLfoRate(index);
        break;
    case kParamLeakAB:
        leakABSquared = v * v;
        leakABOn = v > 0.0f;
        break;
    case kParamQuantizeNoise:
        quantizeNoiseOn = v < 0.49f || v > 0.51f;
        quantizeNoiseScale = std::pow(2.0f, -8.0f * (1.0f - v));
        break;
    case kParamDetuneB:
        detuneFactor = std::pow(kCentFactor, 1200.0f * v);
        break;
    case kParamCutoffB:
        cutoffBCoef = (1.0f - v) * 0.95f;
        break;
    case kParamSaturationB:
        satBCubed = v * v * v;
        break;
    case kParamLeakBA:
        leakBASquared = v * v;
        leakBAOn = v > 0.0f;
        break;
    case kParamFilterOrder:
        filterOrder = filterOrderFor(v);
        break;
    case kParamBodyType1:
        body1On = 12.0f * v > 1.0f;
        break;
    case kParamBodyType2:
        body2On = 12.0f * v > 1.0f;
        break;
    case kParamFilterSustain:
        for (CVoice* voice : voices) {
            if (voice && voice->state() != kVoiceFree && voice->morphEnv) {
                voice->morphEnv->setSustain(v);
            }
        }
        break;
    case kParamMix:
        mixComplement = 1.0f - v;
        break;
    case kParamVolume:
        outputGain = v * v * v * v;
        break;
    case kParamPolyphony:
        voiceLimit = voiceLimitFor(v);
        break;
    case kParamQuality:
        highQuality = v > 0.5f;
        applyQuality();
        break;
    default:
        break; // stored only: the voices read the value where they use it
    }
}

float CInstrument::getParameter(int32_t index) {
    return index >= 0 && index < kNumParams ? paramValues[index].load() : 0.0f;
}

void CInstrument::getParameterName(int32_t index, char* text) {
    if (const char* name = parameterName(index, getParameter(index))) {
        copyText(text, name, kVstParamTextSize);
    }
}

void CInstrument::getParameterLabel(int32_t index, char* label) {
    if (const char* text = parameterLabel(index)) {
        copyText(label, text, kVstParamTextSize);
    }
}

void CInstrument::getParameterDisplay(int32_t index, char* text) {
    formatParameterDisplay(index, getParameter(index), voiceLimit, text);
}
