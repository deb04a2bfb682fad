#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/talvir-host/render_midi.h"
#include "tools/talvir-host/render_notes.h"

namespace {

TEST(NoteSpec, ParsesFieldsAndDefaultVelocity) {
    CNoteRequest s;
    std::string error;
    ASSERT_TRUE(parseNoteText("69:0.1:0.5:100", s, error)) << error;
    EXPECT_EQ(s.note, 69);
    EXPECT_DOUBLE_EQ(s.start, 0.1);
    EXPECT_DOUBLE_EQ(s.length, 0.5);
    EXPECT_EQ(s.velocity, 100);
    ASSERT_TRUE(parseNoteText("0:0:2", s, error)) << error;
    EXPECT_EQ(s.note, 0);
    EXPECT_EQ(s.velocity, 100);
}

TEST(NoteSpec, RefusesBadFields) {
    const char* bad[] = {"",        "69",       "69:0.1",     "69:0.1:0.5:100:1", "128:0:1",
                         "-1:0:1",  "60.5:0:1", "x:0:1",      "60:-1:1",          "60:0:0",
                         "60:0:-2", "60:0:1:0", "60:0:1:128", "60:nan:1",         "60:0:inf",
                         "60:0:1:", "60::1",    "60:0:1e300", "60:1x:1"};
    for (const char* text : bad) {
        CNoteRequest s;
        std::string error;
        EXPECT_FALSE(parseNoteText(text, s, error)) << text;
        EXPECT_NE(error.find("bad note"), std::string::npos) << text;
    }
}

TEST(NoteEvents, FramesSortWithNoteOffsFirst) {
    // a repeated note: the first one's end coincides with the second one's start
    std::vector<CTimedMidi> events = notesToEvents({{60, 0.5, 0.5, 90}, {60, 0.0, 0.5, 80}});
    std::vector<CFramedMidi> framed = frameEvents(events, 1000.0);
    ASSERT_EQ(framed.size(), 4u);
    EXPECT_EQ(framed[0].frame, 0);
    EXPECT_TRUE(isNoteOn(framed[0].data));
    EXPECT_EQ(framed[0].data[2], 80);
    EXPECT_EQ(framed[1].frame, 500);
    EXPECT_TRUE(isNoteOff(framed[1].data));
    EXPECT_EQ(framed[2].frame, 500);
    EXPECT_TRUE(isNoteOn(framed[2].data));
    EXPECT_EQ(framed[3].frame, 1000);
    EXPECT_EQ(lastEventFrame(framed), 1000);
}

TEST(NoteEvents, MostNotesHeldFollowsTheInstrumentsRelease) {
    struct CCase {
        const char* name;
        std::vector<CNoteRequest> notes;
        int expected;
    };
    const std::vector<CCase> cases = {
        {"none", {}, 0},
        {"sequence", {{60, 0, 1, 100}, {62, 1, 1, 100}, {64, 2, 1, 100}}, 1},
        {"chord", {{60, 0, 1, 100}, {64, 0, 1, 100}, {67, 0.5, 1, 100}}, 3},
        // the same note twice: one note-off ends both voices
        {"same note twice", {{60, 0, 2, 100}, {60, 0.5, 0.5, 100}, {62, 1.5, 1, 100}}, 2},
    };
    for (const CCase& c : cases) {
        EXPECT_EQ(mostNotesHeld(frameEvents(notesToEvents(c.notes), 1000.0)), c.expected) << c.name;
    }
}

} // namespace
