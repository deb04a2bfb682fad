#include "tools/talvir-host/render_scheduler.h"

#include <cstring>
#include <utility>

CBlockScheduler::CBlockScheduler(std::vector<CFramedMidi> events) : events_(std::move(events)) {}

void* CBlockScheduler::nextBlock(int64_t start, int frames) {
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
        CHostMidiEvent h;
        h.deltaFrames = delta;
        std::memcpy(h.midiData, e.data, 3);
        block_.push_back(h);
    };
    for (const CFramedMidi& e : carried_) {
        add(e, 0);
    }
    // Events before the first block (negative frames) are played at its start.
    while (next_ < events_.size() && events_[next_].frame < start + frames) {
        const CFramedMidi& e = events_[next_++];
        add(e, static_cast<int32_t>(e.frame > start ? e.frame - start : 0));
    }
    carried_ = std::move(carry);
    if (block_.empty()) {
        return nullptr;
    }
    // Count at offset 0, a pointer-sized reserved word, then the pointers.
    list_.assign(2 + block_.size(), nullptr);
    int32_t n = count();
    std::memcpy(list_.data(), &n, sizeof n);
    for (size_t i = 0; i < block_.size(); ++i) {
        list_[2 + i] = &block_[i];
    }
    return list_.data();
}
