#pragma once
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "host/aeffect.h"

// One request the plug-in made of the host through its callback.
struct SHostRequest {
    int32_t opcode;
    int32_t index;
    intptr_t value;
    float opt;
    bool withRecord; // the plug-in passed its record (every request but the version query)
};

// Loads a VST 2 library the way a host does (dlopen, VSTPluginMain or else main) and talks to
// one instance only through its AEffect record. Records every request the plug-in makes.
class CPluginHost {
public:
    static constexpr intptr_t kHostVersion = 2400;

    CPluginHost() = default;
    ~CPluginHost();
    CPluginHost(const CPluginHost&) = delete;
    CPluginHost& operator=(const CPluginHost&) = delete;

    // Opens the library and creates an instance; false with a reason in error().
    bool load(const std::string& path);
    // Closes the instance (effClose) and the library.
    void unload();
    bool isLoaded() const { return effect != nullptr; }
    AEffect* record() const { return effect; }
    const std::string& error() const { return lastError; }
    // The answer to the version query; 0 makes a well-behaved plug-in refuse to load.
    void setHostVersion(intptr_t version) { hostVersion = version; }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index);
    void processReplacing(float** inputs, float** outputs, int32_t frames);
    void process(float** inputs, float** outputs, int32_t frames);
    // Sends one block of MIDI events (effProcessEvents); answers the plug-in's answer.
    intptr_t sendMidi(const std::vector<VstMidiEvent>& events);
    // A text request (effGetParamName and the like) into a zeroed buffer of the given size.
    std::string text(int32_t opcode, int32_t index = 0, int size = 256, intptr_t value = 0);

    std::vector<SHostRequest> requests() const;
    void clearRequests();

private:
    static intptr_t callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                             void* ptr, float opt);
    intptr_t answer(const SHostRequest& request);

    void* library = nullptr;
    AEffect* effect = nullptr;
    intptr_t hostVersion = kHostVersion;
    std::string lastError;
    mutable std::mutex requestsLock;
    std::vector<SHostRequest> received;
};

// The four characters of a unique identifier ("TLVR"), with '?' for unprintable bytes.
std::string fourCharText(int32_t code);
