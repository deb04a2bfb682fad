#include "host/host_effect.h"

#include <cstring>

#include "host/host_editor.h"
#include "host/text_format.h"

namespace {

CHostEffect* objectOf(AEffect* effect) {
    return effect ? static_cast<CHostEffect*>(effect->object) : nullptr;
}

intptr_t dispatchEntry(AEffect* effect, int32_t opcode, int32_t index, intptr_t value, void* ptr,
                       float opt) {
    CHostEffect* object = objectOf(effect);
    if (!object) {
        return 0;
    }
    intptr_t result = object->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete object;
        return 1;
    }
    return result;
}

bool buffersPresent(float** inputs, float** outputs, int32_t frames) {
    if (frames <= 0) {
        return true; // nothing is read or written
    }
    return inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
}

void processEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
    CHostEffect* object = objectOf(effect);
    if (object && buffersPresent(inputs, outputs, frames)) {
        object->process(inputs, outputs, frames);
    }
}

void processReplacingEntry(AEffect* effect, float** inputs, float** outputs, int32_t frames) {
    CHostEffect* object = objectOf(effect);
    if (object && buffersPresent(inputs, outputs, frames)) {
        object->processReplacing(inputs, outputs, frames);
    }
}

void setParameterEntry(AEffect* effect, int32_t index, float value) {
    if (CHostEffect* object = objectOf(effect)) {
        object->setParameter(index, value);
    }
}

float getParameterEntry(AEffect* effect, int32_t index) {
    CHostEffect* object = objectOf(effect);
    return object ? object->getParameter(index) : 0.0f;
}

} // namespace

CHostEffect::CHostEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams)
    : sampleRate(44100.0f), audioMaster(audioMaster), numPrograms(numPrograms),
      numParams(numParams) {
    std::memset(&hostRecord, 0, sizeof(hostRecord));
    hostRecord.magic = kEffectMagic;
    hostRecord.dispatcher = dispatchEntry;
    hostRecord.process = processEntry;
    hostRecord.setParameter = setParameterEntry;
    hostRecord.getParameter = getParameterEntry;
    hostRecord.processReplacing = processReplacingEntry;
    hostRecord.numPrograms = numPrograms;
    hostRecord.numParams = numParams;
    hostRecord.numInputs = 1;
    hostRecord.numOutputs = 2;
    hostRecord.flags = 0;
    hostRecord.ioRatio = 1.0f;
    hostRecord.object = this;
    hostRecord.uniqueID = kPlaceholderUniqueId;
    hostRecord.version = 1;
}

CHostEffect::~CHostEffect() {
    delete editor;
    editor = nullptr;
}

void CHostEffect::setEditor(CHostEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void CHostEffect::setFlag(int32_t flag, bool state) {
    if (state) {
        hostRecord.flags |= flag;
    } else {
        hostRecord.flags &= ~flag;
    }
}

intptr_t CHostEffect::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    return audioMaster ? audioMaster(&hostRecord, opcode, index, value, ptr, opt) : 0;
}

void CHostEffect::setParameterAutomated(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

int32_t CHostEffect::getMasterVersion() {
    return static_cast<int32_t>(callHost(audioMasterVersion));
}

int32_t CHostEffect::getCurrentUniqueId() {
    return static_cast<int32_t>(callHost(audioMasterCurrentId));
}

void CHostEffect::hostIdle() {
    callHost(audioMasterIdle);
}

// The host answers 0 for a connected pin.
bool CHostEffect::isInputConnected(int32_t input) {
    return audioMaster && callHost(audioMasterPinConnected, input, 0) == 0;
}

bool CHostEffect::isOutputConnected(int32_t output) {
    return audioMaster && callHost(audioMasterPinConnected, output, 1) == 0;
}

void CHostEffect::dbToText(float gain, char* text) {
    formatDb(gain, text);
}
void CHostEffect::floatToText(float value, char* text) {
    formatFloat(value, text);
}
void CHostEffect::intToText(int32_t value, char* text) {
    formatInt(value, text);
}

intptr_t CHostEffect::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                 float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) {
            setProgram(static_cast<int32_t>(value));
        }
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text) {
            setProgramName(text);
        }
        return 0;
    case effGetProgramName:
        if (text) {
            getProgramName(text);
        }
        return 0;
    case effGetParamLabel:
        if (text) {
            getParameterLabel(index, text);
        }
        return 0;
    case effGetParamDisplay:
        if (text) {
            getParameterDisplay(index, text);
        }
        return 0;
    case effGetParamName:
        if (text) {
            getParameterName(index, text);
        }
        return 0;
    case effGetVu:
        return truncToInt(getVu() * 32767.0);
    case effSetSampleRate:
        setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<int32_t>(value));
        return 0;
    case effMainsChanged:
        if (value == 0) {
            suspend();
        } else {
            resume();
        }
        return 0;
    case effEditGetRect:
        if (editor && ptr) {
            return editor->getRect(static_cast<ERect**>(ptr));
        }
        return 0;
    case effEditOpen:
        return editor ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor) {
            editor->close();
        }
        return 0;
    case effEditIdle:
        if (editor) {
            editor->idle();
        }
        return 0;
    case effIdentify:
        return kIdentifyCode;
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        if (!ptr || value < 0 || value > INT32_MAX) {
            return 0;
        }
        return setChunk(ptr, static_cast<int32_t>(value), index != 0);
    default:
        return 0;
    }
}
