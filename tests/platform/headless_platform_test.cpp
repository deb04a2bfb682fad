#include "toolkit/platform/headless_platform.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what a window reports.
struct CRecorder : CWindowListener {
    std::vector<std::string> events;
    void onPaint(CPlatformWindow*, CSurface* surface, const CRectangle& r) override {
        surface->selectBrush(0x0000ff);
        surface->fillRect(r.left, r.top, r.right, r.bottom);
        events.push_back("paint " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                         std::to_string(r.right) + "," + std::to_string(r.bottom));
    }
    void onButtonDown(CPlatformWindow*, const CPosition& p, int button) override {
        events.push_back("down " + std::to_string(button) + " " + std::to_string(p.x) + "," +
                         std::to_string(p.y) + " buttons " +
                         std::to_string(getPlatform().getButtonState()));
    }
    void onWheel(CPlatformWindow*, const CPosition&, float distance, bool horizontal) override {
        events.push_back("wheel " + std::to_string(int(distance)) + (horizontal ? " h" : " v"));
    }
    void onKeyDown(CPlatformWindow*, const CPlatformKey& key) override {
        events.push_back("key " + std::to_string(key.virtualKey));
    }
    void onDestroyed(CPlatformWindow*) override { events.push_back("destroyed"); }
};

void* const kParent = reinterpret_cast<void*>(uintptr_t(0x1234));

} // namespace

class HeadlessTest : public ::testing::Test {
protected:
    CHeadlessPlatform platform;
    CPlatformScope scope{platform};
    CRecorder recorder;
};

TEST_F(HeadlessTest, WindowsNeedAParent) {
    EXPECT_EQ(platform.createWindow(nullptr, 10, 10, "x", &recorder), nullptr);
    EXPECT_EQ(platform.createWindow(kParent, 0, 10, "x", &recorder), nullptr);
    CPlatformWindow* window = platform.createWindow(kParent, 30, 20, "x", &recorder);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(&getPlatform(), &platform);
    EXPECT_EQ(window->getScreenPosition(), CPosition(100, 50));
    platform.destroyWindow(window);
    EXPECT_TRUE(platform.windows().empty());
}

TEST_F(HeadlessTest, EventsReachTheListener) {
    CPlatformWindow* window = platform.createWindow(kParent, 30, 20, "x", &recorder);
    platform.click(window, {3, 4}, 3, kPlatformShift);
    platform.wheel(window, {1, 1}, -1);
    platform.keyDown(window, {0, 12, 0});
    window->invalidate({0, 0, 2, 2});
    platform.pumpEvents();
    platform.destroyFromOutside(window);
    platform.click(window, {3, 4});
    EXPECT_FALSE(window->isOpen());
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"down 3 3,4 buttons 12", "wheel -1 v",
                                                         "key 12", "paint 0,0,2,2", "destroyed"}));
    EXPECT_EQ(platform.getButtonState(), kPlatformShift); // the click's button went up
    auto* headless = static_cast<CHeadlessWindow*>(window);
    EXPECT_EQ(headless->pixels().get(1, 1), 0x0000ffu);
    EXPECT_EQ(headless->pixels().get(2, 2), 0u);
    platform.destroyWindow(window);
}

TEST_F(HeadlessTest, PointerScriptAdvancesOnPositionReads) {
    platform.setPointer({1, 1}, kPlatformLeft);
    platform.queuePointer({2, 2}, kPlatformLeft);
    platform.queuePointer({3, 3}, 0);
    EXPECT_EQ(platform.getButtonState(), kPlatformLeft);
    EXPECT_EQ(platform.getButtonState(), kPlatformLeft); // button reads do not advance
    EXPECT_EQ(platform.getCursorPosition(), CPosition(2, 2));
    EXPECT_EQ(platform.getButtonState(), kPlatformLeft);
    EXPECT_EQ(platform.getCursorPosition(), CPosition(3, 3));
    EXPECT_EQ(platform.getButtonState(), 0);
    EXPECT_EQ(platform.getCursorPosition(), CPosition(3, 3)); // the last state stays
    EXPECT_FALSE(platform.scriptOverrun());
}

TEST_F(HeadlessTest, ADragLoopWithAShortScriptEnds) {
    platform.setPointer({0, 0}, kPlatformLeft);
    int passes = 0;
    while (platform.getButtonState() & kPlatformLeft) {
        platform.getCursorPosition();
        ++passes;
    }
    EXPECT_TRUE(platform.scriptOverrun());
    EXPECT_GT(passes, 100);
}

TEST_F(HeadlessTest, FakeClockAndDebugRecord) {
    const uint32_t start = getPlatform().getTickCount();
    getPlatform().sleep(25);
    platform.advanceTime(5);
    EXPECT_EQ(getPlatform().getTickCount() - start, 30u);
    getPlatform().debugOutput("nbEC is 29 in frame.doIdle\n");
    getPlatform().debugOutput(nullptr);
    EXPECT_EQ(platform.debugLines(),
              (std::vector<std::string>{"nbEC is 29 in frame.doIdle\n", ""}));
}

TEST_F(HeadlessTest, BorrowedSurfacesDrawIntoTheWindow) {
    CPlatformWindow* window = platform.createWindow(kParent, 8, 8, "x", &recorder);
    auto* headless = static_cast<CHeadlessWindow*>(window);
    CSurface* surface = window->borrowSurface();
    EXPECT_EQ(headless->borrowedSurfaces(), 1);
    surface->setPixel(2, 3, 0xabcdef);
    window->giveBackSurface(surface);
    EXPECT_EQ(headless->borrowedSurfaces(), 0);
    EXPECT_EQ(headless->pixels().get(2, 3), 0xabcdefu);
    platform.destroyWindow(window);
}

TEST(PlatformScope, RestoresThePreviousPlatform) {
    CHeadlessPlatform outer, inner;
    CPlatformScope a(outer);
    {
        CPlatformScope b(inner);
        EXPECT_EQ(&getPlatform(), &inner);
    }
    EXPECT_EQ(&getPlatform(), &outer);
}
