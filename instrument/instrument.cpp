#include "instrument/instrument.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/body_filter.h"
#include "engine/lfo.h"
#include "engine/voice.h"
#include "host/text_format.h"
#include "toolkit/platform/dialogs/file_dialog.h"

namespace {
constexpr const char* kEffectName = "Talvir";
constexpr const char* kProductName = "Talvir Comb Filter";
constexpr const char* kVendorName = "Orvedal Sound Works";

// Controllers that drive parameters from the start (all others are unassigned).
struct SControllerAssignment {
    int controller;
    int parameter;
};
constexpr SControllerAssignment kDefaultControllers[] = {
    {1, kParamFilterSustain},
    {105, kParamLeakageCut},
    {106, kParamResonance},
    {107, kParamWarp},
};
} // namespace

CInstrument::CInstrument(audioMasterCallback audioMaster)
    : CHostEffectExt(audioMaster, kNumPrograms, kNumParams) {
    tuningMap.reset();

    programs = new (std::nothrow) ProgramRecord[kNumPrograms];
    if (programs) {
        for (int p = 0; p < kNumPrograms; ++p) {
            initProgram(programs[p]);
        }
    }

    setNumInputs(2);
    setNumOutputs(2);
    canProcessReplacing(true);
    hasVu(false);
    hasClip(false);
    setUniqueID(kInstrumentUniqueId);

    for (int32_t& entry : controllerMap) {
        entry = -1;
    }
    for (const SControllerAssignment& a : kDefaultControllers) {
        controllerMap[a.controller] = a.parameter;
    }
    // Values the voices see while they are constructed, before program 0 is applied.
    paramValues[kParamResonance] = 0.8f;
    paramValues[kParamWarp] = 0.5f;
    paramValues[kParamRandomPan] = 0.0f;
    paramValues[kParamVelToVol] = 0.5f;
    paramValues[kParamVelToBright] = 0.5f;
    filterOrder = 5;
    bendTarget = 1.0f;
    bendCurrent = 1.0f;
    detuneFactor = 1.0f;
    sampleCounter = 0;
    nextVoice = 0;
    warpCurrent = paramValues[kParamWarp];
    for (CVoice*& voice : voices) {
        voice = new (std::nothrow) CVoice(this, kLineSize);
    }

    loadFactoryPresets();
    if (programs) {
        setProgram(0);
    }
    suspend();
}

CInstrument::~CInstrument() {
    delete[] programs;
    programs = nullptr;
    for (CVoice*& voice : voices) {
        delete voice;
        voice = nullptr;
    }
}

void CInstrument::setSampleRate(float rate) {
    // Rates the voices cannot work with (zero, negative, NaN, infinite) are refused.
    if (rate > 0.0f && rate <= 1.0e7f) {
        sampleRate = rate;
    }
}

void CInstrument::suspend() {
    for (CVoice* voice : voices) {
        if (voice) {
            voice->stop(true);
        }
    }
}

void CInstrument::resume() {
    wantEvents(1);
}

void CInstrument::applyQuality() {
    const int interval = highQuality ? 1 : 8;
    for (CVoice* voice : voices) {
        if (voice && voice->body) {
            voice->body->setUpdateInterval(interval);
        }
    }
}

void CInstrument::updateLfoRate(int32_t index) {
    const float v =
        paramValues[index == kParamLfoAFreq || index == kParamLfoBFreq || index == kParamLfoWarpFreq
                        ? index
                        : kParamLfoAFreq];
    const float hz = v * v * 200.0f;
    for (CVoice* voice : voices) {
        if (!voice || voice->state() == kVoiceFree) {
            continue;
        }
        CLfo* lfo = index == kParamLfoAFreq      ? voice->lfoA
                    : index == kParamLfoBFreq    ? voice->lfoB
                    : index == kParamLfoWarpFreq ? voice->lfoWarp
                                                 : nullptr;
        if (lfo) {
            lfo->setFrequency(hz);
        }
    }
}

const char* CInstrument::getTuningName() {
    return tuningMap.getName();
}

double* CInstrument::getBodyTable(bool second) {
    return second ? bodyTable2 : bodyTable1;
}

void CInstrument::loadTuning(bool ask) {
    ProgramRecord* program = currentProgram();
    char path[kTuningPathSize] = {};
    if (program) {
        copyText(path, program->tuningPath, kTuningPathSize);
    }
    if (!ask && path[0] == 0) {
        tuningMap.reset();
        return;
    }
    if (path[0] != 0 && tuningMap.loadFile(path) && !ask) {
        return;
    }
    SOpenFileRequest request{"Open a Scala .TUN File", "TUN files (*.tun)", "*.tun", path,
                             kTuningPathSize};
    char chosen[kTuningPathSize] = {};
    if (showOpenFileDialog(request, chosen)) {
        chosen[kTuningPathSize - 1] = 0;
        tuningMap.loadFile(chosen);
        if (program) {
            copyText(program->tuningPath, chosen, kTuningPathSize);
        }
    } else if (program) {
        program->tuningPath[0] = 0;
    }
}

bool CInstrument::getOutputProperties(int32_t index, VstPinProperties* properties) {
    if (index < 0 || index > 1) {
        return false;
    }
    std::snprintf(properties->label, sizeof(properties->label), "Talvir %1d", index + 1);
    properties->flags = kVstPinIsActive | kVstPinIsStereo;
    return true;
}

bool CInstrument::getEffectName(char* name) {
    copyText(name, kEffectName, kVstEffectNameSize);
    return true;
}

bool CInstrument::getVendorString(char* text) {
    copyText(text, kVendorName, kVstVendorTextSize);
    return true;
}

bool CInstrument::getProductString(char* text) {
    copyText(text, kProductName, kVstVendorTextSize);
    return true;
}

int32_t CInstrument::canDo(const char* text) {
    if (std::strcmp(text, "receiveVstEvents") == 0 ||
        std::strcmp(text, "receiveVstMidiEvent") == 0) {
        return 1;
    }
    return -1;
}

intptr_t CInstrument::vendorSpecific(int32_t index, intptr_t /*value*/, void* ptr, float /*opt*/) {
    if (index != kTuningNameRequest && index != kTuningMessageRequest) {
        return 0;
    }
    if (!ptr) {
        return 0;
    }
    copyText(static_cast<char*>(ptr),
             index == kTuningNameRequest ? tuningMap.getName() : tuningMap.getMessage(),
             kTuningTextSize);
    return 1;
}

ProgramRecord* CInstrument::currentProgram() {
    if (!programs || curProgram < 0 || curProgram >= kNumPrograms) {
        return nullptr;
    }
    return &programs[curProgram];
}
