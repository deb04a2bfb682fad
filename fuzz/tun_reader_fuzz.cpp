// Feeds arbitrary bytes to the tuning file reader through a real file and checks that the map
// it leaves behind is always usable by a voice.
#include "tuning/tuning_map.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
std::string gInputPath;

void removeInput() {
    unlink(gInputPath.c_str());
}

const char* inputPath() {
    if (gInputPath.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tun-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        gInputPath = pattern;
        std::atexit(removeInput);
    }
    return gInputPath.c_str();
}

void writeInput(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(inputPath(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeInput(data, size);
    static CTuningMap map;
    const bool loaded = map.loadFile(inputPath());

    check(std::memchr(map.name, '\0', sizeof(map.name)) != nullptr, "name terminated");
    check(std::memchr(map.message, '\0', sizeof(map.message)) != nullptr, "message terminated");
    check(loaded == (map.message[0] == '\0'), "a message exactly when loading failed");
    const double base = map.baseFrequency;
    check(std::isfinite(base) && base > 0.0, "base frequency finite and positive");
    for (int note = -1; note <= CTuningMap::kNumNotes; ++note) {
        if (note >= 0 && note < CTuningMap::kNumNotes) {
            check(std::isfinite(map.cents[note]), "cents finite");
        }
        const double f = map.frequency(note);
        check(std::isfinite(f) && f > 0.0, "frequency finite and positive");
    }
    return 0;
}
