#pragma once

// A subcommand of talvir-host: gets the arguments after its name, answers the exit code.
using CommandProc = int (*)(int argc, char** argv);

struct SCommand {
    const char* name;
    const char* usage;   // arguments, e.g. "PLUGIN"
    const char* summary; // one line
    CommandProc run;
};
