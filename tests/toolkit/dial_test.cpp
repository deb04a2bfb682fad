#include "toolkit/dial.h"
#include "toolkit/panel.h"
#include "toolkit/picture.h"
#include "toolkit_fixture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kTag = 7;

// A 40 x 40 dial at (50, 30) in a panel at (20, 10): its top-left is (70, 40) in the window.
class Dial : public CToolkitFixture {
protected:
    void SetUp() override {
        CToolkitFixture::SetUp();
        panel = new CPanel(CRectangle{20, 10, 220, 110}, frame, nullptr);
        dial =
            new CDial(CRectangle{50, 30, 90, 70}, &editor, kTag, nullptr, nullptr, CPosition{0, 0});
        panel->addView(dial);
        frame->addView(panel);
        platform.paint(window);
    }
    // A point given relative to the dial's top-left, in window coordinates.
    static CPosition atDial(int x, int y) { return CPosition{70 + x, 40 + y}; }
    // Presses at the first point and moves through the others with the buttons held, then
    // releases at the last one.
    void drag(const std::vector<CPosition>& points, int modifiers = 0) {
        for (size_t i = 1; i < points.size(); ++i) {
            const bool last = i + 1 == points.size();
            platform.queuePointerInWindow(window, atDial(points[i].x, points[i].y),
                                          last ? modifiers : (kPlatformLeft | modifiers));
        }
        platform.click(window, atDial(points[0].x, points[0].y), 1, modifiers);
        EXPECT_FALSE(platform.scriptOverrun());
    }

    CPanel* panel = nullptr;
    CDial* dial = nullptr;
};

TEST_F(Dial, HandlePointFollowsTheValueAroundTheSweep) {
    struct CCase {
        float value;
        CPosition point;
    };
    const CCase cases[] = {
        {0.0f, {8, 32}},  // lower left, 225 degrees
        {0.5f, {20, 3}},  // top
        {1.0f, {32, 32}}, // lower right, -45 degrees
    };
    for (const CCase& c : cases) {
        dial->setValue(c.value);
        CPosition point;
        dial->valueToPoint(point);
        EXPECT_EQ(point, c.point) << "value " << c.value;
    }
}

TEST_F(Dial, PointsMapLinearlyInsideTheSweepAndSplitTheDeadZone) {
    struct CCase {
        const char* name;
        CPosition point;
        float value;
    };
    const CCase cases[] = {
        {"top", {20, 2}, 0.5f},
        {"right", {38, 20}, 0.8333333f},
        {"left", {2, 20}, 0.1666667f},
        {"just right of the bottom", {22, 38}, 1.0f},
        {"just left of the bottom", {18, 38}, 0.0f},
    };
    for (const CCase& c : cases) {
        EXPECT_NEAR(dial->pointToValue(c.point), c.value, 1e-5f) << c.name;
    }
}

TEST_F(Dial, ClockwiseAndCounterClockwiseSweepsAreMirrorImages) {
    dial->setStartAngle(-0.7853982f); // lower right
    dial->setRangeAngle(4.712389f);   // counter-clockwise to lower left
    EXPECT_NEAR(dial->pointToValue(CPosition{20, 2}), 0.5f, 1e-5f);
    EXPECT_NEAR(dial->pointToValue(CPosition{38, 20}), 0.1666667f, 1e-5f);
    EXPECT_NEAR(dial->pointToValue(CPosition{22, 38}), 0.0f, 1e-5f);
    EXPECT_NEAR(dial->pointToValue(CPosition{18, 38}), 1.0f, 1e-5f);
    EXPECT_TRUE(dial->isDirty());
}

TEST_F(Dial, DialWithoutRangeDoesNotBreakTheHandle) {
    dial->setRangeAngle(0.0f);
    CPosition point;
    dial->valueToPoint(point);
    EXPECT_LE(std::abs(point.x - 20), 20);
    EXPECT_LE(std::abs(point.y - 20), 20);
}

TEST_F(Dial, DrawnHandleIsALineWithItsShadowToTheCentre) {
    dial->setValue(0.5f);
    frame->doIdle();
    // Handle point (20, 3) in the dial at window (70, 40): the handle line runs one pixel up
    // from the point to one pixel above the centre, the shadow one pixel left and down.
    EXPECT_EQ(pixel(90, 42), kWhiteColour.toPlatform());
    EXPECT_EQ(pixel(90, 58), kWhiteColour.toPlatform());
    EXPECT_EQ(pixel(89, 43), kGreyColour.toPlatform());
    EXPECT_EQ(pixel(89, 59), kGreyColour.toPlatform());
    EXPECT_EQ(pixel(91, 50), kBlackColour.toPlatform());
    EXPECT_FALSE(dial->isDirty());
}

TEST_F(Dial, HandlePictureSetsTheInset) {
    CPicture* dot = new CPicture(3);
    ASSERT_EQ(dot->getWidth(), 7);
    dial->setHandlePicture(dot);
    EXPECT_EQ(dial->getInset(), 6); // floor(7 * 0.5 + 2.5)
    dial->setHandlePicture(nullptr);
    EXPECT_EQ(dial->getInset(), 6);
    EXPECT_EQ(dot->referenceCount(), 1);
    dot->release();
}

TEST_F(Dial, CircularDragStaysAtTheEndItPassedThroughTheDeadZone) {
    drag({{20, 2}, {38, 20}, {30, 38}, {22, 38}, {18, 38}, {18, 38}});
    ASSERT_EQ(editor.log.front(), "begin 7");
    ASSERT_EQ(editor.log.back(), "end 7");
    ASSERT_EQ(editor.values.size(), 3u) << ::testing::PrintToString(editor.values);
    EXPECT_NEAR(editor.values[0], 0.5f, 1e-5f);
    EXPECT_NEAR(editor.values[1], 0.8333333f, 1e-5f);
    EXPECT_EQ(editor.values[2], 1.0f);
    EXPECT_EQ(dial->getValue(), 1.0f); // not wrapped to the minimum
    EXPECT_EQ(frame->getFocusView(), dial);
    EXPECT_GT(editor.idleCalls, 0);
}

TEST_F(Dial, LinearDragTakes200PixelsForTheFullRange) {
    gKnobMode = kKnobModeLinear;
    drag({{20, 20}, {70, 20}, {120, 20}, {220, 20}, {220, 20}});
    ASSERT_EQ(editor.log.size(), 5u); // begin, 0.25, 0.5, 1.0, end (the press itself: no change)
    EXPECT_EQ(editor.log.front(), "begin 7");
    EXPECT_EQ(editor.log.back(), "end 7");
    EXPECT_NEAR(editor.values[0], 0.25f, 1e-5f);
    EXPECT_NEAR(editor.values[1], 0.5f, 1e-5f);
    EXPECT_EQ(editor.values[2], 1.0f);
}

TEST_F(Dial, LinearDragCountsUpwardMovementAsIncrease) {
    gKnobMode = kKnobModeLinear;
    dial->setValue(0.5f);
    frame->doIdle();
    drag({{20, 20}, {20, -20}, {10, 0}});
    EXPECT_NEAR(dial->getValue(), 0.5f + 10.0f / 200.0f, 1e-5f);
}

TEST_F(Dial, ShiftFromTheStartNeeds300Pixels) {
    gKnobMode = kKnobModeLinear;
    drag({{0, 20}, {150, 20}, {300, 20}}, kPlatformShift);
    ASSERT_EQ(editor.values.size(), 2u);
    EXPECT_NEAR(editor.values[0], 0.5f, 1e-5f);
    EXPECT_NEAR(editor.values[1], 1.0f, 1e-5f);
}

TEST_F(Dial, ShiftInMidDragChangesTheRateWithoutAJump) {
    gKnobMode = kKnobModeLinear;
    platform.queuePointerInWindow(window, atDial(100, 20), kPlatformLeft);
    platform.queuePointerInWindow(window, atDial(100, 20), kPlatformLeft | kPlatformShift);
    platform.queuePointerInWindow(window, atDial(130, 20), kPlatformLeft | kPlatformShift);
    platform.queuePointerInWindow(window, atDial(160, 20), kPlatformShift);
    platform.click(window, atDial(0, 20));
    ASSERT_EQ(editor.values.size(), 3u);
    EXPECT_NEAR(editor.values[0], 0.5f, 1e-5f);
    EXPECT_NEAR(editor.values[1], 0.65f, 1e-5f); // the step changes here, the value does not jump
    EXPECT_NEAR(editor.values[2], 0.75f, 1e-5f); // 30 more pixels at 1/300
}

TEST_F(Dial, AltSwapsTheDragMode) {
    gKnobMode = kKnobModeLinear;
    drag({{20, 2}, {20, 2}}, kPlatformAlt); // circular: the top is the middle
    EXPECT_NEAR(dial->getValue(), 0.5f, 1e-5f);
    gKnobMode = 0;
    dial->setValue(0.0f);
    drag({{20, 2}, {60, 2}}, kPlatformAlt); // linear: 40 pixels right
    EXPECT_NEAR(dial->getValue(), 0.2f, 1e-5f);
}

TEST_F(Dial, ControlClickRestoresTheDefaultWithoutAnEditBracket) {
    dial->setValue(0.9f);
    frame->doIdle();
    platform.click(window, atDial(5, 5), 1, kPlatformControl);
    EXPECT_EQ(editor.log, std::vector<std::string>{"value"});
    EXPECT_EQ(dial->getValue(), 0.5f);
    // With Shift as well it is a normal drag.
    editor.log.clear();
    platform.click(window, atDial(20, 2), 1, kPlatformControl | kPlatformShift);
    ASSERT_GE(editor.log.size(), 2u);
    EXPECT_EQ(editor.log.front(), "begin 7");
    EXPECT_EQ(editor.log.back(), "end 7");
}

TEST_F(Dial, OtherButtonsAndDisabledDialsAreIgnored) {
    platform.click(window, atDial(20, 2), 3);
    dial->setMouseEnabled(false);
    EXPECT_FALSE(dial->onWheel(nullptr, CPosition{}, 1.0f));
    dial->onMouseDown(nullptr, CPosition{60, 32});
    EXPECT_TRUE(editor.log.empty());
}

TEST_F(Dial, WheelStepsAndShiftMakesThemTenTimesSmaller) {
    platform.setPointer(screen(90, 60), 0);
    EXPECT_TRUE(frame->onWheel(nullptr, CPosition{}, 2.0f));
    EXPECT_NEAR(dial->getValue(), 0.2f, 1e-6f);
    platform.setPointer(screen(90, 60), kPlatformShift);
    EXPECT_TRUE(frame->onWheel(nullptr, CPosition{}, 1.0f));
    EXPECT_NEAR(dial->getValue(), 0.21f, 1e-6f);
    platform.setPointer(screen(90, 60), 0);
    frame->onWheel(nullptr, CPosition{}, -5.0f);
    EXPECT_EQ(dial->getValue(), 0.0f); // clamped
    EXPECT_EQ(editor.values.size(), 3u);
    EXPECT_EQ(std::count(editor.log.begin(), editor.log.end(), "begin 7"), 0);
}

TEST_F(Dial, ArrowKeysNudgeAndOtherKeysAreNotHandled) {
    struct CCase {
        uint8_t virtualKey;
        uint8_t modifier;
        float change;
    };
    const CCase cases[] = {
        {kVirtualKeyUp, 0, 0.1f},
        {kVirtualKeyRight, 0, 0.1f},
        {kVirtualKeyDown, 0, -0.1f},
        {kVirtualKeyLeft, 0, -0.1f},
        {kVirtualKeyUp, kModifierShift, 0.01f},
    };
    for (const CCase& c : cases) {
        dial->setValue(0.5f);
        CKeyCode key;
        key.virtualKey = c.virtualKey;
        key.modifier = c.modifier;
        EXPECT_EQ(dial->onKeyDown(key), 1);
        EXPECT_NEAR(dial->getValue(), 0.5f + c.change, 1e-6f);
    }
    CKeyCode other;
    other.character = 'a';
    dial->setValue(0.5f);
    EXPECT_EQ(dial->onKeyDown(other), -1);
    EXPECT_EQ(dial->getValue(), 0.5f);
    // Through the frame window, a focused dial takes the key first.
    frame->setFocusView(dial);
    CKeyCode up;
    up.virtualKey = kVirtualKeyUp;
    EXPECT_EQ(frame->onKeyDown(up), 1);
    EXPECT_NEAR(dial->getValue(), 0.6f, 1e-6f);
}

} // namespace
