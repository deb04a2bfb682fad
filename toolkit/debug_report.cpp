#include "toolkit/debug_report.h"

#include "toolkit/platform/platform.h"

#include <cstdio>

void reportDebug(const char* format, int value) {
    char text[300];
    std::snprintf(text, sizeof text, format, value);
    getPlatform().debugOutput(text);
}
