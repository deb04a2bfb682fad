#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "instrument/instrument.h"

// A new instrument without a host (no requests are answered) for every test.
class InstrumentTest : public ::testing::Test {
protected:
    std::string display(int index) {
        char text[64] = {};
        instrument->getParameterDisplay(index, text);
        return text;
    }
    std::string name(int index) {
        char text[64] = {};
        instrument->getParameterName(index, text);
        return text;
    }
    std::string label(int index) {
        char text[64] = "untouched";
        instrument->getParameterLabel(index, text);
        return text;
    }
    std::string programName(int index) {
        char text[64] = {};
        instrument->getProgramNameIndexed(0, index, text);
        return text;
    }

    std::unique_ptr<CInstrument> instrument = std::make_unique<CInstrument>(nullptr);
};
