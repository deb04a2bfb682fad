#pragma once
#include <cstddef>

// Finds an executable program in the directories of PATH; writes its full path into found.
bool findProgramOnPath(const char* program, char* found, std::size_t size);

// What a finished child process left behind.
struct SChildResult {
    bool started = false;
    bool exitKnown = false; // false when the host reaped the child before we could
    int exitCode = -1;      // valid when exitKnown; -1 when a signal ended the child
    std::size_t length = 0; // bytes the child wrote to its standard output, even past capacity
};

// Runs program with argv (argv[0] first, null-terminated), standard input and error on
// /dev/null, and waits for it on the calling thread. Its standard output goes into output
// (at most capacity bytes kept; the rest is read and dropped).
SChildResult runAndCapture(const char* program, char* const argv[], char* output,
                           std::size_t capacity);
