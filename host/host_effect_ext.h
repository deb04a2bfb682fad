#pragma once
#include "host/host_effect.h"

// The extended request range (opcodes 25 to 76) on top of CHostEffect, with its defaults,
// and the host requests the instrument and its editor make.
class CHostEffectExt : public CHostEffect {
public:
    using CHostEffect::CHostEffect;

    intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                        float opt) override;

    virtual int32_t processEvents(VstEvents* /*events*/) { return 0; }
    virtual bool canParameterBeAutomated(int32_t /*index*/) { return true; }
    virtual int32_t getNumCategories() { return 1; }
    virtual bool getProgramNameIndexed(int32_t /*category*/, int32_t /*index*/, char* /*text*/) {
        return false;
    }
    virtual bool copyProgram(int32_t /*destination*/) { return false; }
    virtual bool getInputProperties(int32_t /*index*/, VstPinProperties* /*properties*/) {
        return false;
    }
    virtual bool getOutputProperties(int32_t /*index*/, VstPinProperties* /*properties*/) {
        return false;
    }
    virtual bool getEffectName(char* /*name*/) { return false; }
    virtual bool getVendorString(char* /*text*/) { return false; }
    virtual bool getProductString(char* /*text*/) { return false; }
    virtual int32_t getVendorVersion() { return 0; }
    virtual intptr_t vendorSpecific(int32_t /*index*/, intptr_t /*value*/, void* /*ptr*/,
                                    float /*opt*/) {
        return 0;
    }
    // 1 yes, -1 no, 0 unknown.
    virtual int32_t canDo(const char* /*text*/) { return 0; }
    virtual int32_t getVstVersion() { return 2300; }
    virtual bool keysRequired() { return false; }
    virtual int32_t getCurrentMidiProgram() { return -1; }

    // Requests to the host; each answers 0 without a host callback.
    virtual bool wantEvents(int32_t filter = 1);
    virtual bool updateDisplay();
    virtual bool beginEdit(int32_t index);
    virtual bool endEdit(int32_t index);
};
