#include "tools/talvir-host/render_midi.h"

#include <algorithm>
#include <cmath>

std::vector<CFramedMidi> frameEvents(const std::vector<CTimedMidi>& events, double sampleRate) {
    std::vector<CFramedMidi> framed;
    framed.reserve(events.size());
    for (const CTimedMidi& e : events) {
        CFramedMidi f;
        f.frame = static_cast<int64_t>(std::llround(e.seconds * sampleRate));
        std::copy(e.data, e.data + 3, f.data);
        framed.push_back(f);
    }
    std::stable_sort(framed.begin(), framed.end(), [](const CFramedMidi& a, const CFramedMidi& b) {
        if (a.frame != b.frame) {
            return a.frame < b.frame;
        }
        return isNoteOff(a.data) && !isNoteOff(b.data);
    });
    return framed;
}

int64_t lastEventFrame(const std::vector<CFramedMidi>& events) {
    return events.empty() ? -1 : events.back().frame;
}
