#pragma once

// The built-in body coefficient sets, one per non-random body type, and the body type names.
constexpr int kNumBodyShapes = 9;
constexpr int kBodyCoefficientCount = 30;
extern const double kBodyShapeTables[kNumBodyShapes][kBodyCoefficientCount];

constexpr int kNumBodyTypeNames = 14;
extern const char* const kBodyTypeNames[kNumBodyTypeNames];

// Body type codes chosen by a body-type parameter.
enum {
    kBodyNone = 0,
    kBodyRandom = 9,
    kBodyTimeRandom = 10,
    kBodyNoteRandom = 11,
    kNumSelectableBodyTypes = 12
};

// Code of a body-type parameter value 0..1: floor(12·v), 1.0 (and above) giving the last
// selectable code, negative or NaN values giving 0.
int bodyTypeCode(float value);
