#pragma once
#include <cstdint>
#include <vector>

#include "host/aeffect.h"
#include "tools/talvir-host/render_midi.h"

// Hands out, block by block, the MIDI events that fall into each block, with deltaFrames
// relative to the block start. A note-off whose note-on lies in the same block is carried to
// the start of the next block: the instrument acts on every event of a block at once but
// starts notes at their offsets, so an earlier release would miss the still pending note and
// the note would hang.
class CBlockScheduler {
public:
    explicit CBlockScheduler(std::vector<CFramedMidi> events);

    // The events in frames [start, start + frames); blocks must follow each other. Events
    // before the first block are placed at its start.
    const std::vector<VstMidiEvent>& nextBlock(int64_t start, int frames);

private:
    std::vector<CFramedMidi> events_;
    size_t next_ = 0;
    std::vector<CFramedMidi> carried_;
    std::vector<VstMidiEvent> block_;
};
