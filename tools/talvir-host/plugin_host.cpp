#include "tools/talvir-host/plugin_host.h"

#include <dlfcn.h>

#include <memory>

namespace {
// The host whose plug-in is being created: the version query comes without a record.
thread_local CPluginHost* gLoadingHost = nullptr;

using EntryProc = AEffect* (*)(audioMasterCallback);
} // namespace

CPluginHost::~CPluginHost() {
    unload();
}

bool CPluginHost::load(const std::string& path) {
    unload();
    lastError.clear();
    library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = dlerror();
        lastError = "cannot open " + path + ": " + (reason ? reason : "unknown error");
        return false;
    }
    void* entry = dlsym(library, "VSTPluginMain");
    if (!entry) {
        entry = dlsym(library, "main");
    }
    if (!entry) {
        lastError = path + " exports neither VSTPluginMain nor main";
        unload();
        return false;
    }
    gLoadingHost = this;
    AEffect* created = reinterpret_cast<EntryProc>(entry)(&CPluginHost::callback);
    gLoadingHost = nullptr;
    if (!created || created->magic != kEffectMagic) {
        lastError = path + " made no instance";
        unload();
        return false;
    }
    effect = created;
    effect->user = this;
    return true;
}

void CPluginHost::unload() {
    if (effect) {
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        effect = nullptr;
    }
    if (library) {
        dlclose(library);
        library = nullptr;
    }
}

intptr_t CPluginHost::callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t value,
                               void* /*ptr*/, float opt) {
    CPluginHost* host =
        effect && effect->user ? static_cast<CPluginHost*>(effect->user) : gLoadingHost;
    if (!host) {
        return opcode == audioMasterVersion ? kHostVersion : 0;
    }
    return host->answer(SHostRequest{opcode, index, value, opt, effect != nullptr});
}

intptr_t CPluginHost::answer(const SHostRequest& request) {
    {
        std::lock_guard<std::mutex> guard(requestsLock);
        received.push_back(request);
    }
    switch (request.opcode) {
    case audioMasterVersion:
        return hostVersion;
    case audioMasterWantMidi:
    case audioMasterUpdateDisplay:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        return 1;
    default:
        return 0;
    }
}

intptr_t CPluginHost::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    if (!effect) {
        return 0;
    }
    intptr_t result = effect->dispatcher(effect, opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        effect = nullptr; // the instance is gone
    }
    return result;
}

void CPluginHost::setParameter(int32_t index, float value) {
    if (effect) {
        effect->setParameter(effect, index, value);
    }
}

float CPluginHost::getParameter(int32_t index) {
    return effect ? effect->getParameter(effect, index) : 0.0f;
}

void CPluginHost::processReplacing(float** inputs, float** outputs, int32_t frames) {
    if (effect) {
        effect->processReplacing(effect, inputs, outputs, frames);
    }
}

void CPluginHost::process(float** inputs, float** outputs, int32_t frames) {
    if (effect) {
        effect->process(effect, inputs, outputs, frames);
    }
}

intptr_t CPluginHost::sendMidi(const std::vector<VstMidiEvent>& events) {
    // The block holds as many event pointers as there are events.
    const size_t pointers = events.size() > 2 ? events.size() : 2;
    std::unique_ptr<char[]> storage(
        new char[sizeof(VstEvents) + (pointers - 2) * sizeof(VstEvent*)]());
    VstEvents* block = reinterpret_cast<VstEvents*>(storage.get());
    block->numEvents = static_cast<int32_t>(events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        block->events[i] = reinterpret_cast<VstEvent*>(const_cast<VstMidiEvent*>(&events[i]));
    }
    return dispatch(effProcessEvents, 0, 0, block);
}

std::string CPluginHost::text(int32_t opcode, int32_t index, int size, intptr_t value) {
    std::vector<char> buffer(static_cast<size_t>(size) + 1, 0);
    dispatch(opcode, index, value, buffer.data());
    return std::string(buffer.data());
}

std::vector<SHostRequest> CPluginHost::requests() const {
    std::lock_guard<std::mutex> guard(requestsLock);
    return received;
}

void CPluginHost::clearRequests() {
    std::lock_guard<std::mutex> guard(requestsLock);
    received.clear();
}

std::string fourCharText(int32_t code) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const int c = (static_cast<uint32_t>(code) >> shift) & 0xFF;
        text += (c >= 32 && c < 127) ? static_cast<char>(c) : '?';
    }
    return text;
}
