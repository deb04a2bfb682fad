#include <cstring>

#include "host/text_format.h"
#include "instrument/instrument.h"

namespace {
// setProgram applies the values in this order.
constexpr int kProgramApplyOrder[kNumParams] = {3,  4,  5,  15, 8,  13, 14, 12, 34, 9,  0,  25, 26,
                                                22, 21, 20, 1,  2,  19, 27, 28, 29, 30, 35, 6,  7,
                                                16, 17, 23, 24, 10, 18, 11, 31, 32, 33, 36, 37};
} // namespace

void CInstrument::loadFactoryPresets() {
    if (programs) {
        writeFactoryPresets(programs);
    }
}

void CInstrument::setProgram(int32_t program) {
    if (!programs || program < 0 || program >= kNumPrograms) {
        return;
    }
    curProgram = program;
    for (int index : kProgramApplyOrder) {
        // Read the record afresh each time: every call writes its value back.
        setParameter(index, programs[program].values[index]);
    }
    setParameter(kParamTuningCommand, -1.0f);
}

void CInstrument::setProgramName(const char* name) {
    if (ProgramRecord* program = currentProgram()) {
        std::memset(program->name, 0, sizeof(program->name));
        copyText(program->name, name, kProgramNameSize);
    }
}

void CInstrument::getProgramName(char* name) {
    ProgramRecord* program = currentProgram();
    copyText(name, program ? program->name : "", kVstProgramNameSize);
}

bool CInstrument::getProgramNameIndexed(int32_t /*category*/, int32_t index, char* text) {
    if (!programs || index < 0 || index >= kNumPrograms) {
        return false;
    }
    copyText(text, programs[index].name, kVstProgramNameSize);
    return true;
}

bool CInstrument::copyProgram(int32_t destination) {
    ProgramRecord* program = currentProgram();
    if (!program || destination < 0 || destination >= kNumPrograms) {
        return false;
    }
    std::memmove(&programs[destination], program, sizeof(ProgramRecord));
    return true;
}

int32_t CInstrument::getChunk(void** data, bool onlyProgram) {
    ProgramRecord* program = currentProgram();
    if (!program) {
        *data = nullptr;
        return 0;
    }
    *data = onlyProgram ? program : programs;
    return onlyProgram ? kProgramChunkSize : kBankChunkSize;
}

int32_t CInstrument::setChunk(const void* data, int32_t byteSize, bool onlyProgram) {
    ProgramRecord* program = currentProgram();
    if (!program || !data) {
        return 0;
    }
    if (onlyProgram ? byteSize != kProgramChunkSize : byteSize != kBankChunkSize) {
        return 0;
    }
    ProgramRecord* first = onlyProgram ? program : programs;
    const int count = onlyProgram ? 1 : kNumPrograms;
    std::memmove(first, data, static_cast<size_t>(byteSize));
    for (int p = 0; p < count; ++p) {
        terminateTexts(first[p]);
    }
    return 1;
}
