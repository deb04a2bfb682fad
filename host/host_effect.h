#pragma once
#include <cstdint>

#include "engine/relaxed.h"
#include "host/aeffect.h"

class CHostEditor;

// The plug-in side of the host record: owns the AEffect that the host holds, turns the
// record's five entries into virtual operations and answers every request with a default.
class CHostEffect {
public:
    CHostEffect(audioMasterCallback audioMaster, int32_t numPrograms, int32_t numParams);
    virtual ~CHostEffect();
    CHostEffect(const CHostEffect&) = delete;
    CHostEffect& operator=(const CHostEffect&) = delete;

    virtual void setParameter(int32_t /*index*/, float /*value*/) {}
    virtual float getParameter(int32_t /*index*/) { return 0.0f; }
    // Sets the parameter through the virtual table, then tells the host.
    virtual void setParameterAutomated(int32_t index, float value);
    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** /*inputs*/, float** /*outputs*/,
                                  int32_t /*sampleFrames*/) {}
    virtual intptr_t dispatcher(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                float opt);
    virtual void open() {}
    virtual void close() {}
    virtual int32_t getProgram() { return curProgram; }
    virtual void setProgram(int32_t program) { curProgram = program; }
    virtual void setProgramName(const char* /*name*/) {}
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(int32_t /*index*/, char* label) { *label = 0; }
    virtual void getParameterDisplay(int32_t /*index*/, char* text) { *text = 0; }
    virtual void getParameterName(int32_t /*index*/, char* text) { *text = 0; }
    virtual float getVu() { return 0.0f; }
    // Points *data at the bank (or the current program) and answers its size in bytes.
    virtual int32_t getChunk(void** /*data*/, bool /*onlyProgram*/) { return 0; }
    virtual int32_t setChunk(const void* /*data*/, int32_t /*byteSize*/, bool /*onlyProgram*/) {
        return 0;
    }
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(int32_t size) { blockSize = size; }
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setUniqueID(int32_t id) { hostRecord.uniqueID = id; }
    virtual void setNumInputs(int32_t count) { hostRecord.numInputs = count; }
    virtual void setNumOutputs(int32_t count) { hostRecord.numOutputs = count; }
    virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setRealtimeQualities(int32_t q) { hostRecord.realQualities = q; }
    virtual void setOfflineQualities(int32_t q) { hostRecord.offQualities = q; }
    virtual void setInitialDelay(int32_t delay) { hostRecord.initialDelay = delay; }
    virtual float getSampleRate() { return sampleRate; }
    virtual int32_t getBlockSize() { return blockSize; }

    // Requests to the host; each answers 0 without a host callback.
    virtual int32_t getMasterVersion();
    virtual int32_t getCurrentUniqueId();
    virtual void hostIdle();
    virtual bool isInputConnected(int32_t input);
    virtual bool isOutputConnected(int32_t output);

    // Text formatters for value displays.
    virtual void dbToText(float gain, char* text);
    virtual void floatToText(float value, char* text);
    virtual void intToText(int32_t value, char* text);

    AEffect* getAeffect() { return &hostRecord; }
    // Attaches the editor (owned from now on) and announces it in the record's flags.
    void setEditor(CHostEditor* newEditor);
    CHostEditor* getEditor() const { return editor; }

    CRelaxed<float> sampleRate;
    CHostEditor* editor = nullptr;
    audioMasterCallback audioMaster;
    int32_t numPrograms;
    int32_t numParams;
    int32_t curProgram = 0;
    int32_t blockSize = 1024;
    AEffect hostRecord;

protected:
    // Sends a request to the host with this record; 0 without a host callback.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void setFlag(int32_t flag, bool state);
};

// The code the base writes before a subclass sets its own identifier.
constexpr int32_t kPlaceholderUniqueId = fourCharCode('N', 'o', 'E', 'f');
// Answer to effIdentify.
constexpr int32_t kIdentifyCode = fourCharCode('N', 'v', 'E', 'f');
