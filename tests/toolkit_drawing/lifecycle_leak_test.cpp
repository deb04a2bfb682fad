#include "drawing_fixture.h"
#include "toolkit/offscreen_canvas.h"
#include "toolkit/picture.h"

// Builds and drops canvases, buffers, fonts and pictures many times; the sanitized build's
// leak checker reports anything left behind.
TEST_F(DrawingTest, RepeatedCreateAndDestroyLeavesNothingBehind) {
    for (int round = 0; round < 200; ++round) {
        COffscreenCanvas buffer(nullptr, 20 + round % 7, 10, kBlue);
        for (int id = 0; id < 9; ++id) {
            buffer.setFont(id, round % 3 ? 0 : 15, round % 8);
            buffer.drawString("Talvir", {0, 0, 20, 10}, round % 2 == 0, id % 3);
        }
        CPicture* picture = new CPicture(1 + round % 4);
        picture->retain();
        picture->drawTransparent(&buffer, {0, 0, 10, 10});
        picture->release();
        CCanvas inner(nullptr, &surface, nullptr);
        inner.setFont(round % 8);
        buffer.copyTo(&inner, {0, 0, 20, 10});
        picture->release();
    }
    EXPECT_EQ(nbEC, 0);
}
