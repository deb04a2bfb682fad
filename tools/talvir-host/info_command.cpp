#include <cstdio>
#include <string>

#include "host/vendor_requests.h"
#include "tools/talvir-host/plugin_host.h"

namespace {

const char* const kCapabilities[] = {
    "receiveVstEvents", "receiveVstMidiEvent", "sendVstEvents",
    "sendVstMidiEvent", "receiveVstTimeInfo",  "offline",
    "bypass",
};

struct SFlagName {
    int32_t flag;
    const char* name;
};
const SFlagName kFlagNames[] = {
    {effFlagsHasEditor, "editor"},
    {effFlagsHasClip, "clip"},
    {effFlagsHasVu, "vu"},
    {effFlagsCanMono, "mono"},
    {effFlagsCanReplacing, "replacing"},
    {effFlagsProgramChunks, "program-chunks"},
    {effFlagsIsSynth, "synth"},
    {effFlagsNoSoundInStop, "no-sound-in-stop"},
};

std::string flagNames(int32_t flags) {
    std::string names;
    for (const SFlagName& f : kFlagNames) {
        if (flags & f.flag) {
            names += names.empty() ? "" : " ";
            names += f.name;
        }
    }
    return names;
}

void printIdentity(CPluginHost& host) {
    const AEffect* e = host.record();
    std::printf("effect name:       %s\n", host.text(effGetEffectName, 0, 64).c_str());
    std::printf("product:           %s\n", host.text(effGetProductString, 0, 64).c_str());
    std::printf("vendor:            %s\n", host.text(effGetVendorString, 0, 64).c_str());
    std::printf("unique identifier: %s (0x%08X)\n", fourCharText(e->uniqueID).c_str(),
                static_cast<uint32_t>(e->uniqueID));
    std::printf("version:           %d (vendor version %ld)\n", e->version,
                static_cast<long>(host.dispatch(effGetVendorVersion)));
    std::printf("interface version: %ld\n", static_cast<long>(host.dispatch(effGetVstVersion)));
    std::printf("inputs:            %d\n", e->numInputs);
    std::printf("outputs:           %d\n", e->numOutputs);
    std::printf("flags:             0x%X (%s)\n", static_cast<unsigned>(e->flags),
                flagNames(e->flags).c_str());
    for (const char* capability : kCapabilities) {
        std::printf(
            "can do %-20s %ld\n", capability,
            static_cast<long>(host.dispatch(effCanDo, 0, 0, const_cast<char*>(capability))));
    }
}

void printParameters(CPluginHost& host) {
    const int count = host.record()->numParams;
    std::printf("\nparameters (%d):\n", count);
    for (int i = 0; i < count; ++i) {
        std::printf("  %2d  %-16s %-10s [%s]\n", i,
                    ("\"" + host.text(effGetParamName, i) + "\"").c_str(),
                    ("\"" + host.text(effGetParamLabel, i) + "\"").c_str(),
                    host.text(effGetParamDisplay, i).c_str());
    }
}

void printPrograms(CPluginHost& host) {
    const int count = host.record()->numPrograms;
    const intptr_t current = host.dispatch(effGetProgram);
    std::printf("\nprograms (%d, current %ld):\n", count, static_cast<long>(current));
    for (int i = 0; i < count; ++i) {
        std::printf("  %2d  %s\n", i, host.text(effGetProgramNameIndexed, i, 64).c_str());
    }
}

void printTuning(CPluginHost& host) {
    char text[kTuningTextSize] = {};
    if (host.dispatch(effVendorSpecific, kTuningNameRequest, 0, text) == 1) {
        std::printf("\ntuning:            %s\n", text);
        text[0] = 0;
        host.dispatch(effVendorSpecific, kTuningMessageRequest, 0, text);
        if (text[0]) {
            std::printf("tuning message:    %s\n", text);
        }
    } else {
        std::printf("\ntuning:            (not reported)\n");
    }
}

} // namespace

int runInfoCommand(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: talvir-host info PLUGIN\n");
        return 2;
    }
    CPluginHost host;
    if (!host.load(argv[0])) {
        std::fprintf(stderr, "talvir-host: %s\n", host.error().c_str());
        return 1;
    }
    printIdentity(host);
    printParameters(host);
    printPrograms(host);
    printTuning(host);
    host.unload();
    return 0;
}
