#include "toolkit/canvas.h"
#include "toolkit/panel.h"
#include "toolkit_fixture.h"

namespace {

class FrameWindow : public CToolkitFixture {};

TEST_F(FrameWindow, ClickWhereTopLevelViewsOverlapGoesToTheLastAdded) {
    frame->addView(new CProbeView(CRectangle{0, 0, 100, 100}, &journal, "first"));
    frame->addView(new CProbeView(CRectangle{50, 50, 150, 150}, &journal, "second"));
    CProbeView* disabled = new CProbeView(CRectangle{50, 50, 150, 150}, &journal, "disabled");
    disabled->setMouseEnabled(false);
    frame->addView(disabled);
    platform.click(window, CPosition{60, 60});
    platform.click(window, CPosition{10, 10});
    EXPECT_EQ(journal, (std::vector<std::string>{"second click", "first click"}));
}

TEST_F(FrameWindow, AnyClickTakesTheFocusAwayEvenWhenNoViewIsHit) {
    CProbeView* focused = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "focused");
    frame->addView(focused);
    frame->setFocusView(focused);
    platform.click(window, CPosition{250, 150});
    EXPECT_EQ(journal, std::vector<std::string>{"focused loseFocus"});
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameWindow, SettingAnotherFocusViewTellsOnlyThePreviousOne) {
    CProbeView* a = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "a");
    CProbeView* b = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "b");
    frame->addView(a);
    frame->addView(b);
    frame->setFocusView(a);
    frame->setFocusView(b);
    EXPECT_EQ(journal, std::vector<std::string>{"a loseFocus"});
    // Removing the focused view forgets it, so no stale focus outlives the view.
    frame->removeView(b, true);
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameWindow, DropsAreRefusedWhileAViewHasTheFocus) {
    CProbeView* target = new CProbeView(CRectangle{0, 0, 100, 100}, &journal, "target");
    frame->addView(target);
    const char* items[] = {"some text"};
    frame->setFocusView(target);
    EXPECT_FALSE(frame->onDrop(items, 9, kDropText, CPosition{10, 10}));
    frame->setFocusView(nullptr);
    journal.clear();
    EXPECT_TRUE(frame->onDrop(items, 9, kDropText, CPosition{10, 10}));
    EXPECT_EQ(journal, std::vector<std::string>{"target drop"});
    EXPECT_FALSE(frame->onDrop(items, 9, kDropText, CPosition{200, 150}));
}

TEST_F(FrameWindow, WheelGoesToTheViewUnderTheCursorWithTheCursorsPosition) {
    CProbeView* left = new CProbeView(CRectangle{0, 0, 100, 100});
    CProbeView* right = new CProbeView(CRectangle{150, 0, 250, 100});
    frame->addView(left);
    frame->addView(right);
    platform.setPointer(screen(170, 30), 0);
    EXPECT_TRUE(frame->onWheel(nullptr, CPosition{10, 10}, 2.0f));
    EXPECT_EQ(right->lastPosition, (CPosition{170, 30}));
    EXPECT_EQ(right->lastDistance, 2.0f);
    EXPECT_EQ(left->lastPosition, (CPosition{-1, -1}));
    platform.setPointer(screen(120, 150), 0);
    EXPECT_FALSE(frame->onWheel(nullptr, CPosition{10, 10}, 1.0f));
}

TEST_F(FrameWindow, WheelInAPanelReachesTheChildUnderTheCursorPanelLocal) {
    CPanel* panel = new CPanel(CRectangle{100, 50, 200, 150}, frame, nullptr);
    CProbeView* child = new CProbeView(CRectangle{10, 10, 30, 30});
    CProbeView* hidden = new CProbeView(CRectangle{60, 60, 80, 80});
    panel->addView(child);
    panel->addView(hidden);
    frame->addView(panel);
    platform.setPointer(screen(115, 65), 0);
    EXPECT_TRUE(frame->onWheel(nullptr, CPosition{0, 0}, -1.0f));
    EXPECT_EQ(child->lastPosition, (CPosition{15, 15}));
    EXPECT_EQ(hidden->lastPosition, (CPosition{-1, -1}));
}

TEST_F(FrameWindow, KeysGoToTheFocusViewFirstThenLastToFirst) {
    CProbeView* a = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "a");
    CProbeView* b = new CProbeView(CRectangle{0, 0, 10, 10}, &journal, "b");
    frame->addView(a);
    frame->addView(b);
    frame->setFocusView(a);
    a->keyAnswer = 1;
    EXPECT_EQ(frame->onKeyDown(CKeyCode{}), 1);
    EXPECT_EQ(journal, std::vector<std::string>{"a key"});
    journal.clear();
    a->keyAnswer = -1;
    EXPECT_EQ(frame->onKeyDown(CKeyCode{}), -1);
    EXPECT_EQ(journal, (std::vector<std::string>{"a key", "b key", "a key"}));
}

TEST_F(FrameWindow, IdleDrawsNothingBeforeTheFirstPaint) {
    CProbeView* view = new CProbeView(CRectangle{0, 0, 10, 10});
    frame->addView(view);
    view->setDirty(true);
    frame->doIdle();
    EXPECT_EQ(view->draws, 0);
    EXPECT_TRUE(frame->isFirstDrawPending());
    platform.paint(window, CRectangle{0, 0, 50, 50});
    EXPECT_FALSE(frame->isFirstDrawPending());
    EXPECT_EQ(view->draws, 1);
    frame->doIdle(); // clean: nothing to do
    EXPECT_EQ(view->draws, 1);
    view->setDirty(true);
    frame->doIdle();
    EXPECT_EQ(view->draws, 2);
    EXPECT_EQ(static_cast<CHeadlessWindow*>(window)->borrowedSurfaces(), 0);
    EXPECT_EQ(nbEC, 0);
}

TEST_F(FrameWindow, PaintDrawsOnlyViewsUnderTheDirtyRectangle) {
    CProbeView* inside = new CProbeView(CRectangle{0, 0, 10, 10});
    CProbeView* outside = new CProbeView(CRectangle{100, 100, 110, 110});
    frame->addView(inside);
    frame->addView(outside);
    platform.paint(window, CRectangle{0, 0, 50, 50});
    EXPECT_EQ(inside->draws, 1);
    EXPECT_EQ(outside->draws, 0);
}

TEST_F(FrameWindow, TooManyHeldSurfacesAreReportedAndTheIdlePassGoesOn) {
    CProbeView* view = new CProbeView(CRectangle{0, 0, 10, 10});
    frame->addView(view);
    platform.paint(window);
    view->setDirty(true);
    const int held = nbEC;
    nbEC = kMaxHeldSurfaces; // as if that many were borrowed elsewhere
    frame->doIdle();
    nbEC = held;
    ASSERT_EQ(platform.debugLines().size(), 1u);
    EXPECT_EQ(platform.debugLines()[0], "nbEC is 29 in frame.doIdle\n");
    EXPECT_EQ(view->draws, 2);
}

TEST_F(FrameWindow, WindowDestroyedFromOutsideStopsPaintingAndIdling) {
    CProbeView* view = new CProbeView(CRectangle{0, 0, 10, 10});
    frame->addView(view);
    platform.paint(window);
    platform.destroyFromOutside(window);
    EXPECT_FALSE(frame->isWindowOpen());
    EXPECT_EQ(frame->getParentWindow(), nullptr);
    view->setDirty(true);
    frame->doIdle();
    EXPECT_EQ(view->draws, 1);
}

TEST_F(FrameWindow, EditBracketsAndIdleReachTheEditor) {
    frame->beginEdit(4);
    frame->idleEditor();
    frame->endEdit(4);
    EXPECT_EQ(editor.log, (std::vector<std::string>{"begin 4", "end 4"}));
    EXPECT_EQ(editor.idleCalls, 1);
    CView* view = new CView(CRectangle{0, 0, 1, 1});
    frame->addView(view);
    EXPECT_EQ(view->getEditor(), &editor);
    EXPECT_EQ(frame->getEditor(), &editor);
}

TEST_F(FrameWindow, TwoFrameWindowsShareOneWindowClass) {
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 1);
    const std::string name = CFrameWindow::windowClassName();
    EXPECT_EQ(name.rfind("Plugin", 0), 0u);
    EXPECT_EQ(name.size(), 14u);
    CFrameWindow* second = new CFrameWindow(CRectangle{0, 0, 50, 50}, &fakeParent, nullptr);
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 2);
    EXPECT_EQ(std::string(CFrameWindow::windowClassName()), name);
    delete second;
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 1);
    EXPECT_EQ(std::string(CFrameWindow::windowClassName()), name);
    // Without a parent there is no window and no class use.
    CFrameWindow* hidden = new CFrameWindow(CRectangle{0, 0, 50, 50}, nullptr, nullptr);
    EXPECT_EQ(hidden->getWindow(), nullptr);
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 1);
    EXPECT_TRUE(hidden->addView(new CView(CRectangle{0, 0, 1, 1})));
    hidden->doIdle();
    delete hidden;
}

TEST_F(FrameWindow, DropTargetIsRegisteredWithTheWindowAndWithdrawnBeforeItGoes) {
    static std::vector<std::string>* calls;
    std::vector<std::string> seen;
    calls = &seen;
    gRegisterDropTarget = [](CFrameWindow* f, CPlatformWindow* w) {
        calls->push_back(f->getWindow() == w ? "register" : "register elsewhere");
        return true;
    };
    gRevokeDropTarget = [](CFrameWindow*, CPlatformWindow* w) {
        calls->push_back(w->isOpen() ? "revoke" : "revoke closed");
    };
    CFrameWindow* other = new CFrameWindow(CRectangle{0, 0, 50, 50}, &fakeParent, nullptr);
    EXPECT_TRUE(other->isDropTargetRegistered());
    delete other;
    gRegisterDropTarget = nullptr;
    gRevokeDropTarget = nullptr;
    EXPECT_EQ(seen, (std::vector<std::string>{"register", "revoke"}));
    EXPECT_FALSE(frame->isDropTargetRegistered());
}

TEST_F(FrameWindow, LastFrameWindowUnregistersTheClass) {
    delete frame;
    frame = nullptr;
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 0);
    EXPECT_STREQ(CFrameWindow::windowClassName(), "");
}

TEST_F(FrameWindow, ViewArrayKeepsOrderAndRemovesWithoutReleasingUnlessAsked) {
    CView* a = new CView(CRectangle{0, 0, 1, 1});
    CView* b = new CView(CRectangle{0, 0, 1, 1});
    for (int i = 0; i < 25; ++i) { // past one growth step
        frame->addView(new CView(CRectangle{0, 0, 1, 1}));
    }
    frame->addView(a);
    frame->addView(b);
    EXPECT_EQ(frame->viewCount(), 27);
    EXPECT_EQ(frame->viewAt(25), a);
    EXPECT_EQ(a->referenceCount(), 1); // the array holds no reference
    EXPECT_TRUE(frame->removeView(a, false));
    EXPECT_EQ(frame->viewAt(25), b);
    EXPECT_FALSE(frame->containsView(a));
    EXPECT_EQ(frame->viewAt(27), nullptr);
    a->release();
}

} // namespace
