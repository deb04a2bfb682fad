#pragma once

#include "toolkit/view.h"

#include <vector>

class CPicture;
class CPlatformWindow;
class CFrameEditor;

// The process-wide knob mode: kKnobModeLinear makes dials drag linearly. Written by the
// editor's setKnobMode, read through CFrameWindow::getKnobMode.
extern int32_t gKnobMode;

// Drag-and-drop support installs these to make each frame window's platform window a drop
// target (answering true when it is one) and to withdraw it before the window goes.
using CDropTargetRegistration = bool (*)(CFrameWindow* frame, CPlatformWindow* window);
using CDropTargetRevocation = void (*)(CFrameWindow* frame, CPlatformWindow* window);
extern CDropTargetRegistration gRegisterDropTarget;
extern CDropTargetRevocation gRevokeDropTarget;

// Device contexts held at once above which the idle pass reports a leak.
constexpr int kMaxHeldSurfaces = 28;

// The root of the view tree and the toolkit's link to the windowing platform: a child window
// in the host's window, top-level views in an array that holds no references, the focus view,
// idle redraws of dirty views and the parameter-edit brackets through the editor.
class CFrameWindow : public CView {
public:
    CFrameWindow(const CRectangle& size, void* parentWindow, CFrameEditor* editor);
    ~CFrameWindow() override;

    void draw(CCanvas* canvas) override;
    void drawArea(CCanvas* canvas, const CRectangle& area) override;
    void onMouseDown(CCanvas* canvas, const CPosition& where) override;
    void redrawIfDirty(CCanvas* canvas) override;
    int32_t onKeyDown(const CKeyCode& key) override;
    int32_t onKeyUp(const CKeyCode& key) override;
    bool onDrop(const char* const* items, int32_t count, int32_t type,
                const CPosition& where) override;
    bool onWheel(CCanvas* canvas, const CPosition& where, float distance) override;
    CFrameEditor* getEditor() const override { return editor; }

    virtual bool addView(CView* view);
    virtual bool removeView(CView* view, bool releaseIt);
    virtual bool removeAllViews(bool releaseThem);
    virtual bool containsView(CView* view) const;
    virtual int32_t viewCount() const;
    virtual CView* viewAt(int32_t index) const;

    // Redraws dirty views on a borrowed window surface, once the window has been painted.
    void doIdle();
    bool openWindow(void* parent);
    void setBackgroundPicture(CPicture* picture);
    void beginEdit(int32_t tag);
    void endEdit(int32_t tag);
    // The cursor in window coordinates (screen coordinates without a window).
    bool getMousePosition(CPosition& out) const;
    // The previous focus view, if any, loses the focus; the new one is not told.
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }
    int32_t getKnobMode() const;
    // Runs the editor's idle work; controls call it from their mouse-tracking loops.
    void idleEditor();

    bool isWindowOpen() const { return windowOpen; }
    bool isDropTargetRegistered() const { return dropTargetRegistered; }
    bool isFirstDrawPending() const { return firstDrawPending; }
    CPlatformWindow* getWindow() const { return window; }
    void* getParentWindow() const { return parentWindow; }
    CPicture* getBackgroundPicture() const { return backgroundPicture; }

    // The window class shared by every frame window of this copy of the plug-in.
    static const char* windowClassName();
    static int windowClassUsers();

private:
    class CEvents;
    friend class CEvents;

    CView* viewUnderMouse() const;
    bool anyViewDirty() const;
    // Forgets the focus view, telling it first.
    void dropFocus();
    // The focus view first, then the views from the last to the first.
    int32_t offerKeyToViews(const CKeyCode& key, int32_t (CView::*handler)(const CKeyCode&));

    CFrameEditor* editor;
    void* parentWindow;
    CPicture* backgroundPicture = nullptr;
    std::vector<CView*> views;
    CView* focusView = nullptr;
    bool firstDrawPending = true;
    bool windowOpen = true;
    bool dropTargetRegistered = false;
    bool trackingMouse = false;
    CPlatformWindow* window = nullptr;
    CEvents* events;
};
