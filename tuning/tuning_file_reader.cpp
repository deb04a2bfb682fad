#include "tuning/tuning_map.h"

// Placeholder until the ".tun" reader lands: every file is refused.
bool CTuningMap::loadFile(const char* path) {
    (void)path;
    reset();
    return false;
}
