#include "drawing_fixture.h"
#include "toolkit/offscreen_canvas.h"

TEST_F(DrawingTest, FillLiesInsideTheOutlineOfTheSameRectangle) {
    const CRectangle r(10, 10, 20, 16);
    canvas.setFillColour(kBlue);
    canvas.fillRect(r);
    canvas.setFrameColour(kRedColour);
    canvas.drawRectOutline(r);

    EXPECT_EQ(count(kBlue), 9 * 5); // (11, 11) to (20, 16) exclusive
    EXPECT_EQ(at(11, 11), kBlue);
    EXPECT_EQ(at(19, 15), kBlue);
    for (int x = 10; x <= 20; ++x) {
        EXPECT_EQ(at(x, 10), kRedColour) << x;
        EXPECT_EQ(at(x, 16), kRedColour) << x;
    }
    for (int y = 10; y <= 16; ++y) {
        EXPECT_EQ(at(10, y), kRedColour) << y;
        EXPECT_EQ(at(20, y), kRedColour) << y;
    }
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(10, 10, 21, 17));
}

TEST_F(DrawingTest, FillRectAloneLeavesTopAndLeftEdgesOut) {
    canvas.setFillColour(kGreen);
    canvas.fillRect({0, 0, 4, 3});
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(1, 1, 4, 3));
}

struct CLineCase {
    CPosition from, to;
    int pixels;
};

class LineTest : public DrawingTest, public ::testing::WithParamInterface<CLineCase> {};

TEST_P(LineTest, EndPointIsLeftOut) {
    const CLineCase& c = GetParam();
    canvas.setFrameColour(kRedColour);
    canvas.moveTo(c.from);
    canvas.lineTo(c.to);
    EXPECT_EQ(at(c.from.x, c.from.y), c.pixels > 0 ? kRedColour : kBlackColour);
    EXPECT_EQ(at(c.to.x, c.to.y), kBlackColour);
    EXPECT_EQ(count(kRedColour), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, LineTest,
    ::testing::Values(CLineCase{{5, 5}, {15, 5}, 10}, CLineCase{{15, 5}, {5, 5}, 10},
                      CLineCase{{5, 5}, {5, 20}, 15}, CLineCase{{5, 5}, {15, 15}, 10},
                      CLineCase{{20, 5}, {10, 15}, 10}, CLineCase{{2, 2}, {30, 9}, 28},
                      CLineCase{{7, 7}, {7, 7}, 0}));

TEST_F(DrawingTest, OutlineCornersAreClosed) {
    canvas.setFrameColour(kWhiteColour);
    canvas.drawRectOutline({3, 4, 8, 9});
    EXPECT_EQ(count(kWhiteColour), 2 * 5 + 2 * 5);
}

TEST_F(DrawingTest, DottedPenDrawsThreeAndLeavesThree) {
    canvas.setFrameColour(kRedColour);
    canvas.setLineStyle(kLineDotted);
    canvas.moveTo({0, 0});
    canvas.lineTo({13, 0});
    const char* expected = "###...###...#";
    for (int x = 0; x < 13; ++x) {
        EXPECT_EQ(at(x, 0) == kRedColour, expected[x] == '#') << x;
    }
    // The gaps show what was there: the canvas draws with a transparent background.
    EXPECT_EQ(at(4, 0), kBlackColour);

    canvas.setLineStyle(kLineSolid);
    canvas.moveTo({0, 2});
    canvas.lineTo({6, 2});
    EXPECT_EQ(count(kRedColour), 7 + 6);
}

TEST_F(DrawingTest, EllipseFillsItsBoxShiftedByOne) {
    canvas.setFillColour(kBlue);
    canvas.fillEllipse({10, 10, 20, 20});
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(11, 11, 21, 21));
    // The widest row and column span the whole box; the corners stay out.
    for (int x = 11; x <= 20; ++x) {
        EXPECT_EQ(at(x, 15), kBlue) << x;
        EXPECT_EQ(at(15, x), kBlue) << x;
    }
    EXPECT_EQ(at(11, 11), kBlackColour);
    EXPECT_EQ(at(20, 20), kBlackColour);
}

TEST_F(DrawingTest, FloodFillStopsAtADifferentColour) {
    canvas.setFrameColour(kWhiteColour);
    canvas.drawRectOutline({5, 5, 15, 12});
    canvas.setFillColour(kRedColour);
    canvas.floodFill({8, 8});
    EXPECT_EQ(count(kRedColour), 9 * 6);
    EXPECT_EQ(at(4, 4), kBlackColour);
    EXPECT_EQ(at(5, 5), kWhiteColour);

    // Filling the outside reaches around the box, through every pixel of the seed's colour.
    canvas.setFillColour(kGreen);
    canvas.floodFill({0, 0});
    EXPECT_EQ(count(kGreen), 64 * 48 - 9 * 6 - 2 * 11 - 2 * 6);
}

TEST_F(DrawingTest, OffsetMovesEveryOperation) {
    canvas.setOffset({20, 10});
    canvas.setFillColour(kBlue);
    canvas.fillRect({0, 0, 2, 2});
    canvas.setFrameColour(kRedColour);
    canvas.moveTo({0, 5});
    canvas.lineTo({3, 5});
    EXPECT_EQ(at(21, 11), kBlue);
    EXPECT_EQ(at(20, 15), kRedColour);
    EXPECT_EQ(count(kBlue), 1);
}

TEST_F(DrawingTest, DegenerateAndOutsideShapesDoNotCrash) {
    const CRectangle cases[] = {{10, 10, 10, 10},       {20, 20, 5, 5},
                                {-100, -100, -50, -50}, {60, 40, 500, 500},
                                {-5, -5, 3, 3},         {INT32_MIN / 2, 0, INT32_MAX / 2, 4}};
    canvas.setFillColour(kBlue);
    canvas.setFrameColour(kRedColour);
    for (const CRectangle& r : cases) {
        canvas.fillRect(r);
        canvas.fillEllipse(r);
        canvas.drawRectOutline(r);
        canvas.floodFill(r.topLeft());
        canvas.drawString("text", r, true, kAlignLeft);
    }
    EXPECT_EQ(at(1, 1), kBlue);
    EXPECT_EQ(at(63, 0), kRedColour); // the top line of the widest outline
}

TEST_F(DrawingTest, OffscreenBufferStartsFilledAndCopiesABlock) {
    COffscreenCanvas buffer(nullptr, 10, 8, kRedColour);
    EXPECT_EQ(nbEC, 1);
    buffer.setFillColour(kBlue);
    buffer.fillRect({4, 4, 8, 7}); // (5, 5) to (8, 7)

    canvas.setOffset({2, 1});
    buffer.copyTo(&canvas, {10, 10, 16, 14}, {3, 4});
    // Copied: a 6 x 4 block from (3, 4) of the buffer to (12, 11) of the surface.
    EXPECT_EQ(inkBox(kBlackColour), CRectangle(12, 11, 18, 15));
    EXPECT_EQ(at(12, 11), kRedColour);
    EXPECT_EQ(at(14, 12), kBlue);      // buffer (5, 5)
    EXPECT_EQ(at(16, 13), kBlue);      // buffer (7, 6)
    EXPECT_EQ(at(17, 13), kRedColour); // buffer (8, 6)
    EXPECT_EQ(at(14, 14), kRedColour); // buffer (5, 7)
}

TEST_F(DrawingTest, OffscreenBuffersAreCountedWhileTheyLive) {
    EXPECT_EQ(nbEC, 0);
    {
        COffscreenCanvas a(nullptr, 4, 4, kBlackColour);
        COffscreenCanvas b(nullptr, 0, 0, kBlackColour);
        EXPECT_EQ(nbEC, 2);
        b.fillRect({0, 0, 5, 5}); // an empty buffer draws nothing
    }
    EXPECT_EQ(nbEC, 0);
}

TEST_F(DrawingTest, CanvasPutsBackWhatTheSurfaceHad) {
    surface.selectPen({0x123456, kPenSolid});
    surface.selectBrush(0x654321);
    {
        CCanvas inner(nullptr, &surface, nullptr);
        inner.setFrameColour(kRedColour);
        inner.setFillColour(kBlue);
        inner.setFont(3);
        EXPECT_NE(surface.getFont(), nullptr);
    }
    EXPECT_EQ(surface.getPen().colour, 0x123456u);
    EXPECT_EQ(surface.getBrush(), 0x654321u);
    EXPECT_EQ(surface.getFont(), nullptr);
}
