#include "tools/talvir-host/render_scheduler.h"

#include <utility>

CBlockScheduler::CBlockScheduler(std::vector<CFramedMidi> events) : events_(std::move(events)) {}

const std::vector<VstMidiEvent>& CBlockScheduler::nextBlock(int64_t start, int frames) {
    block_.clear();
    std::vector<CFramedMidi> carry;
    bool startedHere[128] = {};
    auto add = [&](const CFramedMidi& e, int32_t delta) {
        int note = e.data[1] & 0x7F;
        if (isNoteOff(e.data) && startedHere[note]) {
            carry.push_back(e);
            return;
        }
        if (isNoteOn(e.data)) {
            startedHere[note] = true;
        }
        VstMidiEvent h{};
        h.type = kVstMidiType;
        h.byteSize = static_cast<int32_t>(sizeof(VstMidiEvent));
        h.deltaFrames = delta;
        for (int i = 0; i < 3; ++i) {
            h.midiData[i] = static_cast<char>(e.data[i]);
        }
        block_.push_back(h);
    };
    for (const CFramedMidi& e : carried_) {
        add(e, 0);
    }
    while (next_ < events_.size() && events_[next_].frame < start + frames) {
        const CFramedMidi& e = events_[next_++];
        add(e, static_cast<int32_t>(e.frame > start ? e.frame - start : 0));
    }
    carried_ = std::move(carry);
    return block_;
}
