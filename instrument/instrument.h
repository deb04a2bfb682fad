#pragma once
#include <cstdint>

#include "engine/relaxed.h"
#include "host/host_effect_ext.h"
#include "host/vendor_requests.h"
#include "instrument/parameters.h"
#include "instrument/program_record.h"
#include "tuning/tuning_map.h"

class CVoice;

// The plug-in object: owns the voices, the tuning map, the body tables and the programs, and
// holds the state that the host requests, the MIDI input, the editor and the voices share.
// Fields written by requests and read by the audio thread are relaxed atomics.
class CInstrument : public CHostEffectExt {
public:
    static constexpr int kNumVoices = 8;
    static constexpr int kLineSize = 8192;
    static constexpr int kBodyTableSize = 30;
    static constexpr int kNumControllers = 128;

    explicit CInstrument(audioMasterCallback audioMaster);
    ~CInstrument() override;

    // Parameters (instrument_parameters.cpp).
    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void getParameterLabel(int32_t index, char* label) override;
    void getParameterDisplay(int32_t index, char* text) override;
    void getParameterName(int32_t index, char* text) override;

    // Programs and chunks (instrument_programs.cpp).
    void setProgram(int32_t program) override;
    void setProgramName(const char* name) override;
    void getProgramName(char* name) override;
    int32_t getChunk(void** data, bool onlyProgram) override;
    int32_t setChunk(const void* data, int32_t byteSize, bool onlyProgram) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;
    bool copyProgram(int32_t destination) override;

    // MIDI (instrument_midi.cpp) and audio (instrument_render.cpp).
    int32_t processEvents(VstEvents* events) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;

    // Lifecycle and identity (instrument.cpp).
    void setSampleRate(float rate) override;
    void suspend() override;
    void resume() override;
    bool getOutputProperties(int32_t index, VstPinProperties* properties) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1; }
    int32_t canDo(const char* text) override;
    // kTuningNameRequest and kTuningMessageRequest write the tuning map's name or last
    // load message into ptr (at most kTuningTextSize bytes) and answer 1.
    intptr_t vendorSpecific(int32_t index, intptr_t value, void* ptr, float opt) override;

    // Operations of the instrument itself.
    virtual void renderBlock(float** inputs, float** outputs, int32_t sampleFrames, bool replacing);
    virtual void loadTuning(bool ask);
    virtual const char* getTuningName();
    virtual void applyQuality();
    virtual void updateLfoRate(int32_t index);
    virtual void noteOff(int32_t time, int32_t unused, int32_t note);
    virtual void noteOn(int32_t time, int32_t velocity, int32_t note, int32_t detune,
                        int32_t deltaFrames);
    virtual void loadFactoryPresets();
    virtual double* getBodyTable(bool second);
    // One frame of the voice mix, before the output gain.
    void renderSample(float inA, float inB, float& left, float& right);

    CTuningMap tuningMap;
    CRelaxed<float> paramValues[kNumParams];
    int32_t controllerMap[kNumControllers];
    CRelaxed<int32_t> voiceLimit{1};
    CRelaxed<float> detuneFactor{1.0f};
    CRelaxed<float> satACubed;
    CRelaxed<float> satBCubed;
    float warpCurrent = 0.0f;
    CRelaxed<float> bendTarget{1.0f};
    float bendCurrent = 1.0f;
    CRelaxed<float> outputGain;
    CRelaxed<float> mixComplement;
    CRelaxed<float> leakABSquared;
    CRelaxed<float> leakBASquared;
    CRelaxed<float> cutoffACoef;
    CRelaxed<float> cutoffBCoef;
    ProgramRecord* programs = nullptr;
    CVoice* voices[kNumVoices] = {};
    double bodyTable1[kBodyTableSize] = {};
    double bodyTable2[kBodyTableSize] = {};
    CRelaxed<int32_t> filterOrder{5};
    CRelaxed<bool> leakABOn;
    CRelaxed<bool> leakBAOn;
    CRelaxed<bool> body1On;
    CRelaxed<bool> body2On;
    CRelaxed<bool> quantizeNoiseOn;
    CRelaxed<bool> highQuality;
    int32_t sampleCounter = 0;
    int32_t nextVoice = 0;
    CRelaxed<float> quantizeNoiseScale;

protected:
    // The current program record, or null without programs.
    ProgramRecord* currentProgram();
    // Applies one parameter's rule to the derived fields (after the value is stored).
    void applyParameterRule(int32_t index, float value);
};

constexpr int32_t kInstrumentUniqueId = fourCharCode('T', 'L', 'V', 'R');
