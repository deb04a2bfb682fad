#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/talvir-host/render_midi.h"

// The host's MIDI event record as the library reads it (32 bytes, type 1).
struct CHostMidiEvent {
    int32_t type = 1;
    int32_t byteSize = 32;
    int32_t deltaFrames = 0;
    int32_t flags = 0;
    int32_t noteLength = 0;
    int32_t noteOffset = 0;
    uint8_t midiData[4] = {0, 0, 0, 0};
    int8_t detune = 0;
    uint8_t noteOffVelocity = 0;
    uint8_t reserved1 = 0;
    uint8_t reserved2 = 0;
};
static_assert(sizeof(CHostMidiEvent) == 32, "host MIDI event record is 32 bytes");

// Hands out, block by block, the events that fall into each block as the host's event list
// (int32 count, pointer-sized reserved word, then one pointer per event), with deltaFrames
// relative to the block start. A note-off whose note-on lies in the same block is carried
// to the start of the next block: the instrument acts on every event of a list at once but
// starts notes at their offsets, so an earlier release would miss the still pending note.
class CBlockScheduler {
public:
    explicit CBlockScheduler(std::vector<CFramedMidi> events);

    // The events in frames [start, start + frames); start must follow the previous block.
    // The pointer stays valid until the next call. Answers null when the block has none.
    void* nextBlock(int64_t start, int frames);

    int32_t count() const { return static_cast<int32_t>(block_.size()); }
    const CHostMidiEvent& event(int i) const { return block_[static_cast<size_t>(i)]; }

private:
    std::vector<CFramedMidi> events_;
    size_t next_ = 0;
    std::vector<CFramedMidi> carried_;
    std::vector<CHostMidiEvent> block_;
    std::vector<void*> list_;
};
