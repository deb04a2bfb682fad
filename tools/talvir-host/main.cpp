#include <cstdio>
#include <cstring>

#include "tools/talvir-host/commands.h"

// Subcommands, each defined in its own file (<name>_command.cpp).
int runInfoCommand(int argc, char** argv);
int runRenderCommand(int argc, char** argv);
// >>> Registration point: declare further subcommands here, one line each.

namespace {

const SCommand kCommands[] = {
    {"info", "PLUGIN", "identity, parameters, programs and tuning of a VST 2 library",
     runInfoCommand},
    {"render", "PLUGIN [options]", "render notes through the library into a WAV file (--help)",
     runRenderCommand},
    // >>> Registration point: add further subcommands here, one line each.
};

void printUsage(FILE* out) {
    std::fprintf(out, "usage: talvir-host COMMAND ARGUMENTS\n\ncommands:\n");
    for (const SCommand& command : kCommands) {
        std::fprintf(out, "  %s %s\n      %s\n", command.name, command.usage, command.summary);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0) {
        printUsage(stdout);
        return 0;
    }
    for (const SCommand& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            return command.run(argc - 2, argv + 2);
        }
    }
    std::fprintf(stderr, "talvir-host: unknown command '%s'\n\n", argv[1]);
    printUsage(stderr);
    return 2;
}
