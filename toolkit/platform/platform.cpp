#include "toolkit/platform/platform.h"
#include "toolkit/platform/x11_platform.h"

namespace {
CPlatform* gInstalledPlatform = nullptr;
} // namespace

CPlatform& getPlatform() {
    if (gInstalledPlatform) {
        return *gInstalledPlatform;
    }
    return CX11Platform::instance();
}

void setPlatform(CPlatform* platform) {
    gInstalledPlatform = platform;
}

CPlatformScope::CPlatformScope(CPlatform& platform) : previous(gInstalledPlatform) {
    gInstalledPlatform = &platform;
}

CPlatformScope::~CPlatformScope() {
    gInstalledPlatform = previous;
}
