#include "drawing_fixture.h"

namespace {

struct CWindowStub : CPlatformWindow {
    int width() const override { return 10; }
    int height() const override { return 10; }
    bool isOpen() const override { return true; }
    CPosition getScreenPosition() override { return {300, 200}; }
    CSurface* borrowSurface() override { return nullptr; }
    void giveBackSurface(CSurface*) override {}
    void invalidate(const CRectangle&) override {}
    uintptr_t nativeHandle() const override { return 0; }
};

} // namespace

TEST_F(DrawingTest, MouseButtonsFollowTheSwapSetting) {
    struct {
        int physical;
        bool swapped;
        int reported;
    } cases[] = {
        {kPlatformLeft, false, kLeftButton},
        {kPlatformRight, false, kRightButton},
        {kPlatformLeft, true, kRightButton},
        {kPlatformRight, true, kLeftButton},
        {kPlatformMiddle, true, kMiddleButton},
        {kPlatformLeft | kPlatformShift | kPlatformControl | kPlatformAlt, false,
         kLeftButton | kShift | kControl | kAlt},
        {0, false, 0},
    };
    for (const auto& c : cases) {
        gSwapMouseButtons = c.swapped;
        platform.setPointer({0, 0}, c.physical);
        EXPECT_EQ(canvas.getMouseButtons(), c.reported) << c.physical << " " << c.swapped;
    }
    gSwapMouseButtons = false;
}

TEST_F(DrawingTest, MousePositionIsRelativeToTheWindow) {
    CWindowStub window;
    CCanvas windowCanvas(nullptr, nullptr, &window);
    EXPECT_EQ(windowCanvas.getWindowPosition(), CPosition(300, 200));
    platform.setPointer({310, 215}, 0);
    CPosition where;
    windowCanvas.getMousePosition(where);
    EXPECT_EQ(where, CPosition(10, 15));
    // A canvas without a window answers screen coordinates.
    canvas.getMousePosition(where);
    EXPECT_EQ(where, CPosition(310, 215));
}
