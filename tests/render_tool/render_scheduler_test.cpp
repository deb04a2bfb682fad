#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/talvir-host/render_scheduler.h"

namespace {

CFramedMidi message(int64_t frame, uint8_t status, uint8_t a, uint8_t b) {
    CFramedMidi e;
    e.frame = frame;
    e.data[0] = status;
    e.data[1] = a;
    e.data[2] = b;
    return e;
}

struct CSeen {
    int64_t blockStart;
    int32_t delta;
    uint8_t status, note;
};

// Runs the scheduler over consecutive blocks and records every event it hands out.
std::vector<CSeen> runBlocks(const std::vector<CFramedMidi>& events, int blockSize, int blocks) {
    CBlockScheduler scheduler(events);
    std::vector<CSeen> seen;
    for (int b = 0; b < blocks; ++b) {
        int64_t start = int64_t(b) * blockSize;
        for (const VstMidiEvent& e : scheduler.nextBlock(start, blockSize)) {
            EXPECT_EQ(e.type, 1);
            EXPECT_EQ(e.byteSize, 32);
            EXPECT_GE(e.deltaFrames, 0);
            EXPECT_LT(e.deltaFrames, blockSize);
            seen.push_back({start, e.deltaFrames, static_cast<uint8_t>(e.midiData[0]),
                            static_cast<uint8_t>(e.midiData[1])});
        }
    }
    return seen;
}

TEST(BlockScheduler, EventsLandInTheirBlockWithOffsets) {
    std::vector<CFramedMidi> events = {
        message(0, 0x90, 60, 100),  // first frame of block 0
        message(63, 0x90, 62, 100), // last frame of block 0
        message(64, 0xE0, 0, 64),   // first frame of block 1
        message(200, 0x80, 60, 0),  // block 3, offset 8
        message(200, 0xB0, 1, 10),  // same frame: kept in order
        message(1000, 0x80, 62, 0), // past the rendered blocks: never handed out
    };
    std::vector<CSeen> seen = runBlocks(events, 64, 5);
    ASSERT_EQ(seen.size(), 5u);
    const CSeen expected[] = {{0, 0, 0x90, 60},
                              {0, 63, 0x90, 62},
                              {64, 0, 0xE0, 0},
                              {192, 8, 0x80, 60},
                              {192, 8, 0xB0, 1}};
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].blockStart, expected[i].blockStart) << i;
        EXPECT_EQ(seen[i].delta, expected[i].delta) << i;
        EXPECT_EQ(seen[i].status, expected[i].status) << i;
        EXPECT_EQ(seen[i].note, expected[i].note) << i;
    }
}

TEST(BlockScheduler, NoteOffOfANotePendingInTheSameBlockWaitsForTheNextBlock) {
    std::vector<CFramedMidi> events = {
        message(10, 0x90, 60, 100),
        message(20, 0x80, 60, 0), // short note inside one block
        message(30, 0x90, 61, 100),
        message(40, 0x80, 62, 0),  // nothing pending for this note: stays
        message(130, 0x90, 61, 0), // velocity 0 in a later block
    };
    std::vector<CSeen> seen = runBlocks(events, 100, 3);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[2].note, 62);
    EXPECT_EQ(seen[2].blockStart, 0);
    EXPECT_EQ(seen[3].note, 60); // carried: first event of the next block
    EXPECT_EQ(seen[3].blockStart, 100);
    EXPECT_EQ(seen[3].delta, 0);
    EXPECT_EQ(seen[3].status, 0x80);
    EXPECT_EQ(seen[4].note, 61);
    EXPECT_EQ(seen[4].blockStart, 100);
    EXPECT_EQ(seen[4].delta, 30);
}

TEST(BlockScheduler, BlocksOfOneFrameAndEarlyEvents) {
    std::vector<CFramedMidi> events = {message(-5, 0x90, 60, 1), message(3, 0x90, 64, 1)};
    std::vector<CSeen> seen = runBlocks(events, 1, 5);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].blockStart, 0);
    EXPECT_EQ(seen[1].blockStart, 3);
    EXPECT_EQ(seen[1].delta, 0);
}

} // namespace
