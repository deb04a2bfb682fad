#include "tuning/text_numbers.h"

#include <cstdint>
#include <cstdlib>
#include <locale.h>

namespace {
constexpr long kWholeMax = INT32_MAX;
constexpr long kWholeMin = INT32_MIN;

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A "C" locale of our own: the host may have switched LC_NUMERIC to a comma decimal point.
locale_t numberLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}
} // namespace

long readWholeNumber(const char* text) {
    while (isSpace(*text)) {
        ++text;
    }
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    // Accumulate towards the sign so that the most negative value needs no special case.
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const int digit = *text - '0';
        if (negative) {
            value = value < (kWholeMin + digit) / 10 ? kWholeMin : value * 10 - digit;
        } else {
            value = value > (kWholeMax - digit) / 10 ? kWholeMax : value * 10 + digit;
        }
    }
    return value;
}

double readDecimalNumber(const char* text) {
    const locale_t locale = numberLocale();
    if (locale == static_cast<locale_t>(0)) {
        return std::strtod(text, nullptr);
    }
    return strtod_l(text, nullptr, locale);
}
