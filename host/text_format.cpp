#include "host/text_format.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

void copyText(char* dest, const char* src, int capacity) {
    if (!dest || capacity <= 0) {
        return;
    }
    size_t n = src ? strnlen(src, static_cast<size_t>(capacity - 1)) : 0;
    std::memcpy(dest, src ? src : "", n);
    dest[n] = 0;
}

int truncToInt(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

namespace {
constexpr int kMaxChars = 8;

char digitOf(double scaled) {
    return static_cast<char>('0' + static_cast<int>(std::fmod(scaled, 10.0)));
}
} // namespace

void formatFloat(float value, char* text) {
    double x = value;
    bool negative = x < 0;
    if (negative) {
        x = -x;
    }
    // NaN fails both comparisons and is refused with the out-of-range magnitudes.
    if (!(x <= (negative ? 9999999.0 : 99999999.0))) {
        return;
    }
    // Integer digits, last first; the sign and the digits fill at most eight characters.
    char integer[kMaxChars];
    int numDigits = 0;
    double scaled = std::floor(x);
    integer[numDigits++] = digitOf(scaled);
    scaled *= 0.1;
    while (scaled >= 1.0 && (negative ? 1 : 0) + numDigits < kMaxChars) {
        integer[numDigits++] = digitOf(scaled);
        scaled *= 0.1;
    }
    char* out = text;
    if (negative) {
        *out++ = '-';
    }
    for (int i = numDigits - 1; i >= 0; --i) {
        *out++ = integer[i];
    }
    *out++ = '.';
    // Fraction digits fill the text up to eight characters, again truncated.
    int used = static_cast<int>(out - text);
    int fractionDigits = kMaxChars - used;
    if (fractionDigits > 0) {
        double fraction = std::fmod(x, 1.0) * std::pow(10.0, fractionDigits);
        for (int i = fractionDigits - 1; i >= 0; --i) {
            out[i] = fraction <= 0.0 ? '0' : digitOf(fraction);
            fraction *= 0.1;
        }
        out += fractionDigits;
    }
    *out = 0;
}

void formatInt(int value, char* text) {
    if (value >= 100000000) {
        std::strcpy(text, "Huge!");
    } else {
        std::snprintf(text, 16, "%7d", value);
    }
}

void formatDb(float gain, char* text) {
    if (gain <= 0) {
        std::strcpy(text, "-oo");
    } else {
        formatFloat(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
    }
}
