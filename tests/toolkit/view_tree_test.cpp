#include "toolkit/offscreen_canvas.h"
#include "toolkit/panel.h"
#include "toolkit_fixture.h"

namespace {

struct CEdgeCase {
    const char* name;
    CPosition point;
    bool hits;
};

TEST(ViewGeometry, HitTestIncludesAllFourEdges) {
    const CEdgeCase cases[] = {
        {"top-left corner", {10, 20}, true},    {"bottom-right corner", {30, 40}, true},
        {"right edge", {30, 25}, true},         {"bottom edge", {15, 40}, true},
        {"left of the view", {9, 25}, false},   {"below the view", {15, 41}, false},
        {"right of the view", {31, 25}, false}, {"above the view", {15, 19}, false},
    };
    CView* view = new CView(CRectangle{10, 20, 30, 40});
    for (const CEdgeCase& c : cases) {
        EXPECT_EQ(view->hitTest(c.point, 0), c.hits) << c.name;
    }
    view->release();
}

struct COverlapCase {
    const char* name;
    CRectangle other;
    bool overlaps;
};

TEST(ViewGeometry, RectanglesSharingOnlyAnEdgeOverlap) {
    const COverlapCase cases[] = {
        {"shares the right edge", {30, 0, 50, 50}, true},
        {"shares the bottom edge", {0, 40, 50, 60}, true},
        {"shares the top edge", {0, 0, 50, 20}, true},
        {"one pixel to the right", {31, 0, 50, 50}, false},
        {"one pixel below", {0, 41, 50, 60}, false},
        {"one pixel above", {0, 0, 50, 19}, false},
        {"inside", {12, 22, 14, 24}, true},
    };
    CView* view = new CView(CRectangle{10, 20, 30, 40});
    for (const COverlapCase& c : cases) {
        EXPECT_EQ(view->overlaps(c.other), c.overlaps) << c.name;
    }
    view->release();
}

class ViewTree : public CToolkitFixture {};

TEST_F(ViewTree, ReleaseDestroysAtZeroAndIgnoresFurtherReleases) {
    CView* view = new CView(CRectangle{0, 0, 10, 10});
    view->retain();
    EXPECT_EQ(view->referenceCount(), 2);
    view->release();
    EXPECT_EQ(view->referenceCount(), 1);
    view->release(); // destroyed; LeakSanitizer and ASan watch the rest
    EXPECT_TRUE(platform.debugLines().empty());
}

TEST_F(ViewTree, DeletingAViewStillReferencedReportsTheCount) {
    CView* view = new CView(CRectangle{0, 0, 10, 10});
    view->retain();
    view->retain();
    delete view;
    ASSERT_EQ(platform.debugLines().size(), 1u);
    EXPECT_EQ(platform.debugLines()[0], "nbReference is 3 when trying to delete CView\n");
}

TEST_F(ViewTree, AddingTakesAReferenceAndSetsParentFrameAndDirt) {
    CPanel* panel = new CPanel(CRectangle{0, 0, 100, 100}, frame, nullptr);
    CView* child = new CView(CRectangle{0, 0, 10, 10});
    panel->addView(child);
    EXPECT_EQ(child->referenceCount(), 2);
    EXPECT_EQ(child->getParentView(), panel);
    EXPECT_EQ(child->getFrameWindow(), frame);
    EXPECT_TRUE(child->isDirty());
    EXPECT_TRUE(panel->isDirty()); // through the child
    panel->addView(nullptr);
    EXPECT_EQ(panel->viewCount(), 1);
    EXPECT_EQ(panel->viewAt(0), child);
    EXPECT_EQ(panel->viewAt(1), nullptr);
    EXPECT_EQ(panel->viewAt(-1), nullptr);
    panel->release(); // gives up the creator's and the node's reference: the child goes too
    EXPECT_TRUE(platform.debugLines().empty());
}

TEST_F(ViewTree, RemovingAViewAddedTwiceRemovesBothNodes) {
    CPanel* panel = new CPanel(CRectangle{0, 0, 100, 100}, frame, nullptr);
    CView* child = new CView(CRectangle{0, 0, 10, 10});
    CView* other = new CView(CRectangle{0, 0, 10, 10});
    panel->addView(child);
    panel->addView(other);
    panel->addView(child);
    EXPECT_EQ(child->referenceCount(), 3);
    panel->removeView(child, false);
    EXPECT_EQ(panel->viewCount(), 1);
    EXPECT_FALSE(panel->containsView(child));
    EXPECT_EQ(child->referenceCount(), 1);
    // With the creator's reference given up, a view added twice is released once for the
    // creator and once per node, and destroyed only after its last node.
    panel->addView(child);
    panel->addView(child);
    panel->removeView(child, true);
    EXPECT_EQ(panel->viewCount(), 1);
    panel->release();
    EXPECT_TRUE(platform.debugLines().empty());
}

TEST_F(ViewTree, OnlyPanelsAnswerTheContainerMessage) {
    CPanel* panel = new CPanel(CRectangle{0, 0, 10, 10}, frame, nullptr);
    CView* view = new CView(CRectangle{0, 0, 10, 10});
    static const char lookalike[] = "kMsgCheckIfViewContainer";
    EXPECT_EQ(panel->notify(nullptr, kMsgCheckIfViewContainer), 1);
    EXPECT_EQ(panel->notify(nullptr, lookalike), 0); // the pointer counts, not the text
    EXPECT_EQ(view->notify(nullptr, kMsgCheckIfViewContainer), 0);
    view->release();
    panel->release();
}

TEST_F(ViewTree, KeysGoTailToHeadAndTheFirstAnswerStops) {
    CPanel* panel = new CPanel(CRectangle{0, 0, 100, 100}, frame, nullptr);
    CProbeView* first = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "first");
    CProbeView* second = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "second");
    CProbeView* third = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "third");
    panel->addView(first);
    panel->addView(second);
    panel->addView(third);
    second->keyAnswer = 0;
    EXPECT_EQ(panel->onKeyDown(CKeyCode{}), 0);
    EXPECT_EQ(journal, (std::vector<std::string>{"third key", "second key"}));
    second->keyAnswer = -1;
    EXPECT_EQ(panel->onKeyDown(CKeyCode{}), -1);
    panel->release();
}

TEST_F(ViewTree, PanelRoutesClicksAndDropsToTheLastAddedOverlappingChild) {
    CPanel* panel = new CPanel(CRectangle{50, 40, 150, 140}, frame, nullptr);
    CProbeView* below = new CProbeView(CRectangle{0, 0, 40, 40}, &journal, "below");
    CProbeView* above = new CProbeView(CRectangle{20, 20, 60, 60}, &journal, "above");
    panel->addView(below);
    panel->addView(above);
    frame->addView(panel);
    platform.click(window, CPosition{80, 70}); // panel-local (30, 30): both children
    EXPECT_EQ(journal, std::vector<std::string>{"above click"});
    EXPECT_EQ(above->lastPosition, (CPosition{30, 30}));
    journal.clear();
    const char* items[] = {"/tmp/a.tun"};
    EXPECT_TRUE(panel->onDrop(items, 1, kDropFiles, CPosition{80, 70}));
    EXPECT_EQ(journal, std::vector<std::string>{"above drop"});
    journal.clear();
    above->acceptDrops = false; // refused: the one below gets its chance
    EXPECT_TRUE(panel->onDrop(items, 1, kDropFiles, CPosition{80, 70}));
    EXPECT_EQ(journal, (std::vector<std::string>{"above drop", "below drop"}));
}

TEST_F(ViewTree, PanelDrawsChildrenInOrderOverItsBackground) {
    CPanel* panel = new CPanel(CRectangle{10, 10, 60, 60}, frame, nullptr);
    panel->setBackgroundColour(CColour{0, 0, 200});
    CProbeView* child = new CProbeView(CRectangle{0, 0, 10, 10});
    panel->addView(child);
    frame->addView(panel);
    platform.paint(window);
    EXPECT_EQ(child->draws, 1);
    EXPECT_FALSE(panel->isDirty());
    EXPECT_EQ(pixel(30, 30), (CColour{0, 0, 200}.toPlatform()));
}

TEST_F(ViewTree, TransparentPanelWithoutPicturePaintsNoBackground) {
    CPanel* panel = new CPanel(CRectangle{10, 10, 60, 60}, frame, nullptr);
    panel->setOffscreenEnabled(false);
    panel->setTransparent(true);
    panel->setBackgroundColour(CColour{0, 0, 200});
    frame->addView(panel);
    CHeadlessWindow* headless = static_cast<CHeadlessWindow*>(window);
    headless->pixels().set(30, 30, 0x123456);
    platform.paint(window);
    EXPECT_EQ(pixel(30, 30), 0x123456u);
}

// Panels inside panels that draw straight onto the window add up their corners, for drawing
// and for the mouse position a child reads from the canvas.
TEST_F(ViewTree, NestedDirectPanelsAddUpTheirOrigins) {
    CPanel* outer = new CPanel(CRectangle{50, 40, 250, 190}, frame, nullptr);
    outer->setOffscreenEnabled(false);
    CPanel* inner = new CPanel(CRectangle{10, 20, 60, 70}, frame, nullptr);
    inner->setOffscreenEnabled(false);
    inner->setBackgroundColour(CColour{200, 0, 0});
    CProbeView* probe = new CProbeView(CRectangle{5, 5, 15, 15});
    inner->addView(probe);
    outer->addView(inner);
    frame->addView(outer);
    platform.paint(window);
    EXPECT_EQ(pixel(61, 61), (CColour{200, 0, 0}.toPlatform()));
    EXPECT_EQ(pixel(59, 61), kBlackColour.toPlatform());
    platform.click(window, CPosition{68, 68});
    EXPECT_EQ(probe->clicks, 1);
    EXPECT_EQ(probe->lastPosition, (CPosition{8, 8}));
}

TEST_F(ViewTree, OffscreenBufferFollowsSizeAndCanBeSwitchedOff) {
    CPanel* buffered = new CPanel(CRectangle{0, 0, 40, 30}, frame, nullptr);
    frame->addView(buffered); // attached: the buffer exists now
    ASSERT_NE(buffered->getOffscreen(), nullptr);
    buffered->setSize(CRectangle{0, 0, 80, 50});
    ASSERT_NE(buffered->getOffscreen(), nullptr);
    EXPECT_EQ(buffered->getOffscreen()->getWidth(), 80);
    EXPECT_EQ(buffered->getOffscreen()->getHeight(), 50);
    EXPECT_TRUE(buffered->isDirty());

    CPanel* direct = new CPanel(CRectangle{100, 0, 140, 30}, frame, nullptr);
    direct->setOffscreenEnabled(false);
    frame->addView(direct);
    platform.paint(window);
    direct->setSize(CRectangle{100, 0, 150, 40});
    EXPECT_EQ(direct->getOffscreen(), nullptr);
    buffered->setOffscreenEnabled(false);
    EXPECT_EQ(buffered->getOffscreen(), nullptr);
}

// In update mode 1 without a buffer, a dirty child panel is redrawn whole over freshly painted
// background, with its own update mode forced to 0 for that call and restored afterwards.
TEST_F(ViewTree, ChangedOnlyModeRedrawsADirtyChildPanelWhole) {
    CPanel* outer = new CPanel(CRectangle{0, 0, 200, 150}, frame, nullptr);
    outer->setOffscreenEnabled(false);
    outer->setUpdateMode(kPanelRedrawChanged);
    outer->setBackgroundColour(CColour{0, 120, 0});
    CPanel* inner = new CPanel(CRectangle{10, 10, 60, 60}, frame, nullptr);
    inner->setOffscreenEnabled(false);
    inner->setTransparent(true); // shows the outer panel's background under it
    inner->setUpdateMode(kPanelRedrawChanged);
    CProbeView* clean = new CProbeView(CRectangle{0, 0, 10, 10});
    CProbeView* changed = new CProbeView(CRectangle{20, 20, 30, 30});
    inner->addView(clean);
    inner->addView(changed);
    outer->addView(inner);
    frame->addView(outer);
    platform.paint(window);
    ASSERT_EQ(clean->draws, 1);

    CHeadlessWindow* headless = static_cast<CHeadlessWindow*>(window);
    headless->pixels().set(15, 15, 0x123456);   // under the inner panel: repainted
    headless->pixels().set(100, 100, 0x123456); // elsewhere: left alone
    changed->setDirty(true);
    frame->doIdle();
    EXPECT_EQ(clean->draws, 2); // the whole child panel, not just its dirty child
    EXPECT_EQ(changed->draws, 2);
    EXPECT_EQ(inner->getUpdateMode(), kPanelRedrawChanged);
    EXPECT_EQ(pixel(15, 15), (CColour{0, 120, 0}.toPlatform()));
    EXPECT_EQ(pixel(100, 100), 0x123456u);
    EXPECT_FALSE(outer->isDirty());
}

TEST_F(ViewTree, ChangedOnlyModeWithBufferRedrawsOnlyDirtyChildren) {
    CPanel* panel = new CPanel(CRectangle{0, 0, 100, 100}, frame, nullptr);
    panel->setUpdateMode(kPanelRedrawChanged);
    CProbeView* clean = new CProbeView(CRectangle{0, 0, 10, 10});
    CProbeView* changed = new CProbeView(CRectangle{20, 20, 30, 30});
    panel->addView(clean);
    panel->addView(changed);
    frame->addView(panel);
    platform.paint(window);
    changed->setDirty(true);
    frame->doIdle();
    EXPECT_EQ(clean->draws, 1);
    EXPECT_EQ(changed->draws, 2);
    EXPECT_FALSE(panel->isDirty());
}

} // namespace
