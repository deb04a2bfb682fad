#include "tools/talvir-host/render_setup.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "host/vendor_requests.h"
#include "instrument/program_record.h"
#include "tools/talvir-host/plugin_host.h"

namespace {

std::string trimmedLower(const std::string& text) {
    size_t a = text.find_first_not_of(" \t");
    if (a == std::string::npos) {
        return "";
    }
    size_t b = text.find_last_not_of(" \t");
    std::string out = text.substr(a, b - a + 1);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

int findParameter(CPluginHost& host, const std::string& key) {
    const int count = host.record()->numParams;
    std::string wanted = trimmedLower(key);
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
        long index = wanted.size() <= 6 ? std::strtol(wanted.c_str(), nullptr, 10) : LONG_MAX;
        return index < count ? static_cast<int>(index) : -1;
    }
    for (int i = 0; i < count; ++i) {
        if (!wanted.empty() && trimmedLower(host.text(effGetParamName, i, 64)) == wanted) {
            return i;
        }
    }
    return -1;
}

bool applyParameters(CPluginHost& host, const std::vector<std::pair<std::string, float>>& params,
                     std::string& error) {
    for (const auto& [key, value] : params) {
        int index = findParameter(host, key);
        if (index < 0) {
            error = "no parameter \"" + key + "\" (give an index from 0 to " +
                    std::to_string(host.record()->numParams - 1) +
                    " or a name as `talvir-host info` lists it)";
            return false;
        }
        if (!(value >= 0.0f && value <= 1.0f)) {
            error = "parameter \"" + key + "\": values lie between 0 and 1";
            return false;
        }
        host.setParameter(index, value);
    }
    return true;
}

bool loadTuningFile(CPluginHost& host, const std::string& path, std::string& error) {
    if (!std::ifstream(path)) {
        error = "cannot read tuning file " + path;
        return false;
    }
    char* resolved = realpath(path.c_str(), nullptr);
    std::string full = resolved ? resolved : path;
    std::free(resolved);
    if (full.size() >= static_cast<size_t>(kTuningPathSize)) {
        error = "tuning file path too long for a program (at most " +
                std::to_string(kTuningPathSize - 1) + " bytes): " + full;
        return false;
    }
    void* data = nullptr;
    intptr_t size = host.dispatch(effGetChunk, 1, 0, &data);
    if (size != kProgramChunkSize || data == nullptr) {
        error = "the library did not hand out its program record";
        return false;
    }
    ProgramRecord program;
    std::memcpy(&program, data, sizeof program);
    std::memset(program.tuningPath, 0, sizeof program.tuningPath);
    std::memcpy(program.tuningPath, full.data(), full.size());
    if (host.dispatch(effSetChunk, 1, kProgramChunkSize, &program) != 1) {
        error = "the library refused the program record with the tuning file";
        return false;
    }
    host.setParameter(kParamTuningCommand, -1.0f);
    return true;
}

bool readTuningTexts(CPluginHost& host, std::string& name, std::string& message) {
    char text[kTuningTextSize + 1] = {};
    if (host.dispatch(effVendorSpecific, kTuningNameRequest, 0, text) != 1) {
        return false;
    }
    name = text;
    std::memset(text, 0, sizeof text);
    host.dispatch(effVendorSpecific, kTuningMessageRequest, 0, text);
    message = text;
    return true;
}

int polyphonyOf(CPluginHost& host) {
    if (host.record()->numParams <= kParamPolyphony ||
        trimmedLower(host.text(effGetParamName, kParamPolyphony, 64)) != "polyphony") {
        return 0;
    }
    float v = host.getParameter(kParamPolyphony);
    int voices = static_cast<int>(std::floor(7.0f * v)) + 1;
    return voices < 1 ? 1 : (voices > 8 ? 8 : voices);
}
