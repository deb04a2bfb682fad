#include "instrument/instrument.h"

void CInstrument::process(float** inputs, float** outputs, int32_t sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, false);
}

void CInstrument::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    renderBlock(inputs, outputs, sampleFrames, true);
}

// For now the mix is silent: replacing writes zeros, accumulating adds nothing.
void CInstrument::renderBlock(float** /*inputs*/, float** outputs, int32_t sampleFrames,
                              bool replacing) {
    for (int32_t k = 0; k < sampleFrames && replacing; ++k) {
        outputs[0][k] = 0.0f;
        outputs[1][k] = 0.0f;
    }
    warpCurrent = paramValues[kParamWarp];
    bendCurrent = bendTarget;
}

void CInstrument::renderSample(float /*inA*/, float /*inB*/, float& left, float& right) {
    left = 0.0f;
    right = 0.0f;
}
