#include "tools/talvir-host/render_notes.h"
#include "tools/talvir-host/render_numbers.h"

#include <cmath>
#include <sstream>

bool parseNoteText(const std::string& text, CNoteRequest& request, std::string& error) {
    std::vector<std::string> fields;
    std::stringstream in(text);
    std::string field;
    while (std::getline(in, field, ':')) {
        fields.push_back(field);
    }
    if (!text.empty() && text.back() == ':') {
        fields.push_back("");
    }
    auto bad = [&](const std::string& why) {
        error = "bad note \"" + text + "\": " + why + " (expected NOTE:START:LENGTH[:VELOCITY])";
        return false;
    };
    if (fields.size() < 3 || fields.size() > 4) {
        return bad("wrong number of fields");
    }
    CNoteRequest s;
    if (!parseWhole(fields[0], 0, 127, s.note)) {
        return bad("note number must be 0 to 127");
    }
    if (!parseNumber(fields[1], s.start) || s.start < 0.0 || s.start > 86400.0) {
        return bad("start must be a time of 0 seconds or more");
    }
    if (!parseNumber(fields[2], s.length) || s.length <= 0.0 || s.length > 86400.0) {
        return bad("length must be above 0 seconds");
    }
    if (fields.size() == 4 && !parseWhole(fields[3], 1, 127, s.velocity)) {
        return bad("velocity must be 1 to 127");
    }
    request = s;
    return true;
}

std::vector<CTimedMidi> notesToEvents(const std::vector<CNoteRequest>& notes) {
    std::vector<CTimedMidi> events;
    for (const CNoteRequest& n : notes) {
        CTimedMidi on;
        on.seconds = n.start;
        on.data[0] = 0x90;
        on.data[1] = static_cast<uint8_t>(n.note);
        on.data[2] = static_cast<uint8_t>(n.velocity);
        CTimedMidi off = on;
        off.seconds = n.start + n.length;
        off.data[0] = 0x80;
        off.data[2] = 64;
        events.push_back(on);
        events.push_back(off);
    }
    return events;
}

int mostNotesHeld(const std::vector<CFramedMidi>& events) {
    int held[128] = {};
    int total = 0;
    int most = 0;
    for (const CFramedMidi& e : events) {
        int note = e.data[1] & 0x7F;
        if (isNoteOn(e.data)) {
            ++held[note];
            ++total;
        } else if (isNoteOff(e.data)) {
            total -= held[note];
            held[note] = 0;
        }
        if (total > most) {
            most = total;
        }
    }
    return most;
}
