#pragma once

class CTuningMap;

// The state machine that applies the lines of a tuning file to a tuning map. Values of the
// "[tuning]" section (whole cents) are collected aside and only used when the file has no
// "[exact tuning]" section; exact-tuning values and the base frequency go into the map as they
// are read.
class CTunParser {
public:
    enum EStatus { kOk, kSectionTagError, kMissingEquals };

    // The map must already be in its standard state.
    explicit CTunParser(CTuningMap& map);

    // One lower-cased, non-empty line of the file.
    EStatus applyLine(char* line, int length);
    // End of file: false when neither known section appeared.
    bool finish();

private:
    enum ESection { kBeforeSections, kUnknownSection, kTuningSection, kExactSection };

    void applyTuningValue(const char* key, const char* value);
    void applyExactValue(const char* key, const char* value);
    void repeatExactPattern();

    CTuningMap& map;
    int wholeCents[128];
    ESection section = kBeforeSections;
    bool sawTuning = false;
    bool sawExact = false;
    int highestExactNote = -1;
};
