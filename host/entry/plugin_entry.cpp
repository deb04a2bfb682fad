#include <dlfcn.h>

#include <new>

#include "host/aeffect.h"
#include "host/process_state.h"
#include "instrument/instrument_with_editor.h"

// The library's exported entry points: a host calls one of them once per instance.
extern "C" AEffect* talvirMain(audioMasterCallback audioMaster) asm("main");
extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace {

// Load-time entry: records the library's own base address for the toolkit.
__attribute__((constructor)) void recordModuleHandle() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&recordModuleHandle), &info) != 0) {
        gModuleHandle = info.dli_fbase;
    }
}

AEffect* createInstance(audioMasterCallback audioMaster) {
    if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    // A failure of an earlier construction must not refuse every later one.
    gOutOfMemory = false;
    CInstrumentWithEditor* instrument = new (std::nothrow) CInstrumentWithEditor(audioMaster);
    if (!instrument) {
        return nullptr;
    }
    if (gOutOfMemory) {
        delete instrument;
        return nullptr;
    }
    return instrument->getAeffect();
}

} // namespace

extern "C" __attribute__((visibility("default"))) AEffect*
talvirMain(audioMasterCallback audioMaster) {
    return createInstance(audioMaster);
}

extern "C" __attribute__((visibility("default"))) AEffect*
VSTPluginMain(audioMasterCallback audioMaster) {
    return createInstance(audioMaster);
}
