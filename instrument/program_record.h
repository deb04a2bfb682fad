#pragma once
#include <cstddef>

#include "instrument/parameters.h"

constexpr int kNumPrograms = 32;
constexpr int kProgramNameSize = 24;
constexpr int kTuningPathSize = 200;

// One program, exactly as exchanged with the host in chunks: raw bytes, no header.
struct ProgramRecord {
    float values[kNumParams];
    char name[kProgramNameSize];
    char tuningPath[kTuningPathSize];
};

static_assert(sizeof(ProgramRecord) == 376, "program chunk size");
static_assert(offsetof(ProgramRecord, name) == 152, "program name offset");
static_assert(offsetof(ProgramRecord, tuningPath) == 176, "tuning path offset");

constexpr int kProgramChunkSize = sizeof(ProgramRecord);
constexpr int kBankChunkSize = kNumPrograms * kProgramChunkSize;
static_assert(kBankChunkSize == 12032, "bank chunk size");

// Fills a record with the Init program.
void initProgram(ProgramRecord& program);
// Makes sure name and path end inside their fields (records that came from a host).
void terminateTexts(ProgramRecord& program);
// The eight factory presets, written over programs 0..7 (values 0..36 and the name).
void writeFactoryPresets(ProgramRecord* programs);
