#include "host/host_effect_ext.h"

#include "host/host_editor.h"
#include "host/text_format.h"

bool CHostEffectExt::wantEvents(int32_t filter) {
    return callHost(audioMasterWantMidi, 0, filter) != 0;
}

bool CHostEffectExt::updateDisplay() {
    return callHost(audioMasterUpdateDisplay) != 0;
}

bool CHostEffectExt::beginEdit(int32_t index) {
    return callHost(audioMasterBeginEdit, index) != 0;
}

bool CHostEffectExt::endEdit(int32_t index) {
    return callHost(audioMasterEndEdit, index) != 0;
}

intptr_t CHostEffectExt::dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                    float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        if (ptr) {
            processEvents(static_cast<VstEvents*>(ptr));
        }
        return 1;
    case effCanBeAutomated:
        return canParameterBeAutomated(index) ? 1 : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed:
        return text && getProgramNameIndexed(static_cast<int32_t>(value), index, text) ? 1 : 0;
    case effCopyProgram:
        return copyProgram(index) ? 1 : 0;
    case effConnectInput:
    case effConnectOutput:
        return 1;
    case effGetInputProperties:
        return ptr && getInputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetOutputProperties:
        return ptr && getOutputProperties(index, static_cast<VstPinProperties*>(ptr)) ? 1 : 0;
    case effGetPlugCategory:
        return (hostRecord.flags & effFlagsIsSynth) ? 2 : 0;
    case effSetBlockSizeAndSampleRate:
        blockSize = static_cast<int32_t>(value);
        if (opt > 0.0f && opt <= 1.0e7f) { // a rate the voices can work with
            sampleRate = opt;
        }
        return 1;
    case effGetEffectName:
        return text && getEffectName(text) ? 1 : 0;
    case effGetVendorString:
        return text && getVendorString(text) ? 1 : 0;
    case effGetProductString:
        return text && getProductString(text) ? 1 : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text ? canDo(text) : -1;
    case effKeysRequired:
        return keysRequired() ? 0 : 1;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp:
        if (editor) {
            VstKeyCode key{index, static_cast<uint8_t>(value & 0xFF),
                           static_cast<uint8_t>(truncToInt(opt) & 0xFF)};
            return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
        }
        return 0;
    case effSetEditKnobMode:
        return editor ? editor->setKnobMode(static_cast<int32_t>(value)) : 0;
    case effGetCurrentMidiProgram:
        return getCurrentMidiProgram();
    case effGetSpeakerArrangement:
        if (value) {
            *reinterpret_cast<void**>(value) = nullptr;
        }
        if (ptr) {
            *static_cast<void**>(ptr) = nullptr;
        }
        return 0;
    case effSetTotalSampleToProcess:
        return value;
    default:
        if (opcode >= effProcessEvents && opcode <= effLastKnownOpcode) {
            return 0; // the rest of the extended range is not supported
        }
        return CHostEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}
