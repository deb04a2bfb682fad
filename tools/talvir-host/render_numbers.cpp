#include "tools/talvir-host/render_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseWhole(const std::string& text, int lo, int hi, int& value) {
    double v;
    if (!parseNumber(text, v) || v != std::floor(v) || v < lo || v > hi) {
        return false;
    }
    value = static_cast<int>(v);
    return true;
}
