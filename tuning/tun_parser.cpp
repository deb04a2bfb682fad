#include "tuning/tun_parser.h"

#include "tuning/text_numbers.h"
#include "tuning/tuning_map.h"

#include <cmath>
#include <cstring>

namespace {
// Exact offsets are held within the range of the whole-cent section, so that the pattern
// repetition below can never overflow.
constexpr double kCentsLimit = 2147483647.0;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Cuts leading and trailing blanks of text[0..length) in place; returns the new start.
char* trim(char* text, int& length) {
    while (length > 0 && isBlank(*text)) {
        ++text;
        --length;
    }
    while (length > 0 && isBlank(text[length - 1])) {
        --length;
    }
    text[length] = '\0';
    return text;
}

// The note number of a "note..." key, or -1 for any other key or a number outside 0..127.
int noteOfKey(const char* key) {
    if (std::strncmp(key, "note", 4) != 0) {
        return -1;
    }
    const long note = readWholeNumber(key + 4);
    return (note >= 0 && note < CTuningMap::kNumNotes) ? static_cast<int>(note) : -1;
}
} // namespace

CTunParser::CTunParser(CTuningMap& map) : map(map) {
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        wholeCents[n] = 100 * n;
    }
}

CTunParser::EStatus CTunParser::applyLine(char* line, int length) {
    line = trim(line, length);
    if (length == 0 || line[0] == ';') {
        return kOk;
    }
    if (line[0] == '[') {
        if (line[length - 1] != ']') {
            return kSectionTagError;
        }
        section = kUnknownSection;
        if (std::strcmp(line, "[tuning]") == 0) {
            section = kTuningSection;
            sawTuning = true;
        } else if (std::strcmp(line, "[exact tuning]") == 0) {
            section = kExactSection;
            sawExact = true;
        }
        return kOk;
    }
    if (section == kBeforeSections || section == kUnknownSection) {
        return kOk;
    }
    char* equals = std::strchr(line, '=');
    if (equals == nullptr) {
        return kMissingEquals;
    }
    int keyLength = static_cast<int>(equals - line);
    int valueLength = length - keyLength - 1;
    char* value = trim(equals + 1, valueLength);
    const char* key = trim(line, keyLength);
    if (section == kTuningSection) {
        applyTuningValue(key, value);
    } else {
        applyExactValue(key, value);
    }
    return kOk;
}

void CTunParser::applyTuningValue(const char* key, const char* value) {
    const int note = noteOfKey(key);
    if (note >= 0) {
        wholeCents[note] = static_cast<int>(readWholeNumber(value));
    }
}

void CTunParser::applyExactValue(const char* key, const char* value) {
    if (std::strcmp(key, "basefreq") == 0) {
        // Only a usable frequency replaces the base: no NaN, infinity, zero or negative.
        const double base = readDecimalNumber(value);
        if (std::isfinite(base) && base > 0.0) {
            map.baseFrequency = base;
        }
        return;
    }
    const int note = noteOfKey(key);
    if (note < 0) {
        return;
    }
    const double cents = readDecimalNumber(value);
    if (!std::isfinite(cents)) {
        return;
    }
    map.cents[note] = std::fmax(-kCentsLimit, std::fmin(kCentsLimit, cents));
    if (note > highestExactNote) {
        highestExactNote = note;
    }
}

bool CTunParser::finish() {
    if (sawTuning && !sawExact) {
        for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
            map.cents[n] = wholeCents[n];
        }
        return true;
    }
    if (!sawExact) {
        return false;
    }
    repeatExactPattern();
    return true;
}

// Notes above the highest exact note repeat the given pattern, the highest note's offset
// being the period. Each step reads values already rewritten, including note m itself.
void CTunParser::repeatExactPattern() {
    const int m = highestExactNote;
    if (m < 0 || m >= CTuningMap::kNumNotes - 1) {
        return;
    }
    const double period = map.cents[m];
    for (int j = 0; m + j < CTuningMap::kNumNotes; ++j) {
        map.cents[m + j] = period + map.cents[j];
    }
}
