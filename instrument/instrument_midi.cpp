#include "instrument/instrument.h"

// MIDI input: events are accepted and, for now, not acted on.
int32_t CInstrument::processEvents(VstEvents* /*events*/) {
    return 1;
}

void CInstrument::noteOn(int32_t /*time*/, int32_t /*velocity*/, int32_t /*note*/,
                         int32_t /*detune*/, int32_t /*deltaFrames*/) {}

void CInstrument::noteOff(int32_t /*time*/, int32_t /*unused*/, int32_t /*note*/) {}
