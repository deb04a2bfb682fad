#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/talvir-host/smf_reader.h"

namespace {

using Bytes = std::vector<uint8_t>;

void appendBig(Bytes& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

Bytes header(int format, int tracks, uint16_t division) {
    Bytes b = {'M', 'T', 'h', 'd'};
    appendBig(b, 6, 4);
    appendBig(b, static_cast<uint32_t>(format), 2);
    appendBig(b, static_cast<uint32_t>(tracks), 2);
    appendBig(b, division, 2);
    return b;
}

void appendTrack(Bytes& file, const Bytes& body) {
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    appendBig(file, static_cast<uint32_t>(body.size()), 4);
    file.insert(file.end(), body.begin(), body.end());
}

const Bytes kEndOfTrack = {0x00, 0xFF, 0x2F, 0x00};

Bytes withEnd(Bytes body) {
    body.insert(body.end(), kEndOfTrack.begin(), kEndOfTrack.end());
    return body;
}

struct CExpected {
    double seconds;
    uint8_t status, a, b;
};

void expectEvents(const CSmfReader& reader, const std::vector<CExpected>& expected) {
    ASSERT_EQ(reader.events().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const CTimedMidi& e = reader.events()[i];
        EXPECT_NEAR(e.seconds, expected[i].seconds, 1e-9) << "event " << i;
        EXPECT_EQ(e.data[0], expected[i].status) << "event " << i;
        EXPECT_EQ(e.data[1], expected[i].a) << "event " << i;
        EXPECT_EQ(e.data[2], expected[i].b) << "event " << i;
    }
}

TEST(SmfReader, FormatZeroWithRunningStatusAtDefaultTempo) {
    // 480 ticks per quarter at 120 bpm: 480 ticks = 0.5 s
    Bytes file = header(0, 1, 480);
    appendTrack(file, withEnd({
                          0x00, 0x91, 60,   100,        // note-on channel 2
                          0x83, 0x60, 64,   90,         // running status, delta 480
                          0x83, 0x60, 60,   0,          // velocity 0: a note-off
                          0x00, 0xC0, 5,                // program change: one data byte
                          0x00, 0xD0, 9,                // channel pressure: skipped
                          0x00, 0xE3, 0x00, 0x50,       // pitch bend
                          0x00, 0xB0, 1,    127,        // controller
                          0x00, 0xF0, 0x02, 1,    0xF7, // system exclusive: skipped
                          0x81, 0x70, 0x80, 64,   0,    // note-off after 240 ticks
                      }));
    CSmfReader reader;
    ASSERT_TRUE(reader.parse(file)) << reader.error();
    EXPECT_EQ(reader.format(), 0);
    expectEvents(reader, {{0.0, 0x91, 60, 100},
                          {0.5, 0x91, 64, 90},
                          {1.0, 0x91, 60, 0},
                          {1.0, 0xC0, 5, 0},
                          {1.0, 0xE3, 0x00, 0x50},
                          {1.0, 0xB0, 1, 127},
                          {1.25, 0x80, 64, 0}});
}

TEST(SmfReader, FormatOneFollowsTheTempoMapOfAnyTrack) {
    Bytes file = header(1, 2, 480);
    // tempo track: 60 bpm from the start, 240 bpm from tick 960
    appendTrack(file, withEnd({0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40, //
                               0x87, 0x40, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90}));
    appendTrack(file, withEnd({0x83, 0x60, 0x90, 60, 100,  // tick 480: 1 s
                               0x83, 0x60, 0x90, 62, 100,  // tick 960: 2 s
                               0x83, 0x60, 0x80, 60, 0})); // tick 1440: 2 s + 0.25 s
    CSmfReader reader;
    ASSERT_TRUE(reader.parse(file)) << reader.error();
    EXPECT_EQ(reader.format(), 1);
    expectEvents(reader, {{1.0, 0x90, 60, 100}, {2.0, 0x90, 62, 100}, {2.25, 0x80, 60, 0}});
}

TEST(SmfReader, SmpteDivisionCountsFixedTicks) {
    // 25 frames per second, 40 ticks per frame: 1000 ticks per second
    Bytes file = header(0, 1, static_cast<uint16_t>((0x100 - 25) << 8 | 40));
    appendTrack(file, withEnd({0x87, 0x68, 0x90, 69, 100})); // delta 1000
    CSmfReader reader;
    ASSERT_TRUE(reader.parse(file)) << reader.error();
    expectEvents(reader, {{1.0, 0x90, 69, 100}});
}

TEST(SmfReader, RefusesDamagedOrUnsupportedFiles) {
    Bytes format2 = header(2, 1, 480);
    appendTrack(format2, kEndOfTrack);
    Bytes noStatus = header(0, 1, 480);
    appendTrack(noStatus, withEnd({0x00, 60, 100}));
    Bytes truncated = header(0, 1, 480);
    appendTrack(truncated, {0x00, 0x90, 60});
    Bytes shortTrack = header(0, 1, 480);
    appendTrack(shortTrack, withEnd({0x00, 0x90, 60, 100}));
    shortTrack.resize(shortTrack.size() - 3);
    Bytes missingTrack = header(1, 2, 480);
    appendTrack(missingTrack, kEndOfTrack);
    Bytes hugeMeta = header(0, 1, 480);
    appendTrack(hugeMeta, {0x00, 0xFF, 0x01, 0x8F, 0xFF, 0xFF, 0x7F});
    Bytes zeroDivision = header(0, 1, 0);
    appendTrack(zeroDivision, kEndOfTrack);

    struct CCase {
        const char* name;
        Bytes bytes;
        const char* reason;
    };
    const std::vector<CCase> cases = {
        {"empty", {}, "not a Standard MIDI File"},
        {"text",
         {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'},
         "not a Standard MIDI File"},
        {"format 2", format2, "format 2"},
        {"data without status", noStatus, "running status"},
        {"truncated message", truncated, "truncated"},
        {"track past the end", shortTrack, "past the end"},
        {"missing track", missingTrack, "holds 1"},
        {"meta longer than track", hugeMeta, "truncated meta"},
        {"zero division", zeroDivision, "division"},
    };
    for (const CCase& c : cases) {
        CSmfReader reader;
        EXPECT_FALSE(reader.parse(c.bytes)) << c.name;
        EXPECT_NE(reader.error().find(c.reason), std::string::npos)
            << c.name << ": " << reader.error();
        EXPECT_TRUE(reader.events().empty()) << c.name;
    }
}

TEST(SmfReader, MissingFileIsAnError) {
    CSmfReader reader;
    EXPECT_FALSE(reader.readFile("/nonexistent/song.mid"));
    EXPECT_NE(reader.error().find("cannot open"), std::string::npos);
}

} // namespace
