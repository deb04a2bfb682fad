#pragma once
#include <cstdint>
#include <vector>

// One MIDI channel message at a time in seconds, as read from a file or the command line.
struct CTimedMidi {
    double seconds = 0.0;
    uint8_t data[3] = {0, 0, 0};
};

// The same message placed on the render's sample timeline.
struct CFramedMidi {
    int64_t frame = 0;
    uint8_t data[3] = {0, 0, 0};
};

inline bool isNoteOn(const uint8_t* d) {
    return (d[0] & 0xF0) == 0x90 && (d[2] & 0x7F) != 0;
}
inline bool isProgramChange(const uint8_t* d) { return (d[0] & 0xF0) == 0xC0; }
inline bool isNoteOff(const uint8_t* d) {
    return (d[0] & 0xF0) == 0x80 || ((d[0] & 0xF0) == 0x90 && (d[2] & 0x7F) == 0);
}

// Places timed messages on frames at the given rate and sorts them by frame; at the same
// frame note-offs come first so that a repeated note is released before it starts again.
std::vector<CFramedMidi> frameEvents(const std::vector<CTimedMidi>& events, double sampleRate);

// Frame of the last note-off (or of the last event of any kind), -1 for no events.
int64_t lastEventFrame(const std::vector<CFramedMidi>& events);
