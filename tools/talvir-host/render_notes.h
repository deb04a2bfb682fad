#pragma once
#include <string>
#include <vector>

#include "tools/talvir-host/render_midi.h"

// One note given on the command line as NOTE:START:LENGTH:VELOCITY (seconds).
struct CNoteRequest {
    int note = 60;
    double start = 0.0;
    double length = 0.0;
    int velocity = 100;
};

// Parses "69:0.1:0.5:100"; the velocity may be left out (100). On failure answers false
// and says why in error.
bool parseNoteText(const std::string& text, CNoteRequest& request, std::string& error);

// Note-on and note-off messages on MIDI channel 1 for the given notes.
std::vector<CTimedMidi> notesToEvents(const std::vector<CNoteRequest>& notes);

// The most notes held at the same time: a note-on adds one; a note-off ends every held
// note of its number, as the instrument releases every voice sounding that note.
int mostNotesHeld(const std::vector<CFramedMidi>& events);
