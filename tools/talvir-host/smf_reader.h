#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/talvir-host/render_midi.h"

// Reads Standard MIDI Files of format 0 and 1: note-on, note-off, control change, program
// change and pitch bend messages of every channel, timed through the file's tempo map
// (metrical or SMPTE division). Other messages, system exclusive data and meta events other
// than tempo are skipped. Failures are answered with false and a reason in error().
class CSmfReader {
public:
    bool readFile(const std::string& path);
    bool parse(const std::vector<uint8_t>& bytes);

    const std::vector<CTimedMidi>& events() const { return events_; }
    const std::string& error() const { return error_; }
    int format() const { return format_; }

private:
    struct CTickEvent {
        uint64_t tick;
        int track;
        int order;
        bool tempo;
        uint32_t microsPerQuarter;
        uint8_t data[3];
    };

    bool fail(const std::string& why);
    bool parseTrack(const uint8_t* p, size_t size, int track, std::vector<CTickEvent>& out);

    std::vector<CTimedMidi> events_;
    std::string error_;
    int format_ = -1;
};
