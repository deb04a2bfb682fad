#include "toolkit/frame_window.h"

#include "toolkit/borrowed_canvas.h"
#include "toolkit/canvas.h"
#include "toolkit/debug_report.h"
#include "toolkit/frame_editor.h"
#include "toolkit/picture_use.h"
#include "toolkit/platform/platform.h"
#include "toolkit/view_list.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <new>

int32_t gKnobMode = 0;
CDropTargetRegistration gRegisterDropTarget = nullptr;
CDropTargetRevocation gRevokeDropTarget = nullptr;

namespace {
int gClassUsers = 0;
char gClassName[32] = "";

// Registers the window class on first use: a name unique to this loaded copy of the plug-in,
// and the desktop's button swap setting.
void registerWindowClass() {
    if (gClassUsers++ > 0) {
        return;
    }
    Dl_info info{};
    const void* base = nullptr;
    if (dladdr(reinterpret_cast<void*>(&registerWindowClass), &info) != 0) {
        base = info.dli_fbase;
    }
    std::snprintf(gClassName, sizeof gClassName, "Plugin%08x",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(base)));
    gSwapMouseButtons = getPlatform().areButtonsSwapped();
}

void unregisterWindowClass() {
    if (gClassUsers > 0 && --gClassUsers == 0) {
        gClassName[0] = 0;
    }
}

// A key from the window, in the form the host hands keys to the editor.
CKeyCode keyFromPlatform(const CPlatformKey& key) {
    CKeyCode code;
    code.character = key.character;
    code.virtualKey = key.virtualKey;
    code.modifier = key.modifiers;
    return code;
}

} // namespace

// Turns the platform window's events into the frame window's operations.
class CFrameWindow::CEvents : public CWindowListener {
public:
    explicit CEvents(CFrameWindow* frame) : frame(frame) {}

    void onPaint(CPlatformWindow* source, CSurface* surface, const CRectangle& dirty) override {
        if (!frame->windowOpen) {
            return;
        }
        CCanvas canvas(frame, surface, source);
        frame->drawArea(&canvas, dirty);
    }

    void onButtonDown(CPlatformWindow* source, const CPosition& where, int) override {
        // Presses that arrive while a control tracks the mouse belong to that drag.
        if (frame->trackingMouse || !frame->windowOpen) {
            return;
        }
        frame->trackingMouse = true;
        {
            CBorrowedCanvas canvas(frame, source);
            frame->onMouseDown(canvas.get(), where);
        }
        frame->trackingMouse = false;
    }

    void onWheel(CPlatformWindow*, const CPosition& where, float distance,
                 bool horizontal) override {
        if (!horizontal && !frame->trackingMouse) {
            frame->onWheel(nullptr, where, distance);
        }
    }

    void onKeyDown(CPlatformWindow*, const CPlatformKey& key) override {
        frame->onKeyDown(keyFromPlatform(key));
    }

    void onKeyUp(CPlatformWindow*, const CPlatformKey& key) override {
        frame->onKeyUp(keyFromPlatform(key));
    }

    void onDestroyed(CPlatformWindow*) override {
        frame->windowOpen = false;
        frame->parentWindow = nullptr;
    }

private:
    CFrameWindow* frame;
};

CFrameWindow::CFrameWindow(const CRectangle& size, void* parentWindow, CFrameEditor* editor)
    : CView(size), editor(editor), parentWindow(parentWindow), events(new CEvents(this)) {
    gTransparentCopy = platformTransparentCopy();
    openWindow(parentWindow);
}

CFrameWindow::~CFrameWindow() {
    if (dropTargetRegistered && window && gRevokeDropTarget) {
        gRevokeDropTarget(this, window);
    }
    dropTargetRegistered = false;
    removeAllViews(true);
    setBackgroundPicture(nullptr);
    if (window) {
        getPlatform().destroyWindow(window);
        window = nullptr;
        unregisterWindowClass();
    }
    delete events;
}

bool CFrameWindow::openWindow(void* parent) {
    if (!parent || window) {
        return false;
    }
    registerWindowClass();
    window = getPlatform().createWindow(parent, size.right - size.left, size.bottom - size.top,
                                        gClassName, events);
    if (!window) {
        // No window holds the class: give the use back at once.
        unregisterWindowClass();
    } else if (gRegisterDropTarget) {
        dropTargetRegistered = gRegisterDropTarget(this, window);
    }
    return true;
}

const char* CFrameWindow::windowClassName() {
    return gClassName;
}

int CFrameWindow::windowClassUsers() {
    return gClassUsers;
}

void CFrameWindow::setBackgroundPicture(CPicture* picture) {
    replacePicture(backgroundPicture, picture);
}

bool CFrameWindow::addView(CView* view) {
    if (!view) {
        return false;
    }
    try {
        if (views.size() == views.capacity()) {
            views.reserve(views.capacity() + 20);
        }
        views.push_back(view);
    } catch (const std::bad_alloc&) {
        return false;
    }
    view->setFrameWindow(this);
    view->onAttached(this);
    return true;
}

bool CFrameWindow::removeView(CView* view, bool releaseIt) {
    const auto found = std::find(views.begin(), views.end(), view);
    if (found == views.end()) {
        return true;
    }
    views.erase(found);
    if (view == focusView) {
        dropFocus();
    }
    view->onRemoved(this);
    if (releaseIt) {
        view->release();
    }
    return true;
}

bool CFrameWindow::removeAllViews(bool releaseThem) {
    dropFocus();
    std::vector<CView*> removed;
    removed.swap(views);
    for (size_t i = 0; i < removed.size(); ++i) {
        CView* view = removed[i];
        // The array holds no reference: a view listed twice is released once.
        if (listedBefore(removed, i)) {
            continue;
        }
        view->onRemoved(this);
        if (releaseThem) {
            view->release();
        }
    }
    return true;
}

bool CFrameWindow::containsView(CView* view) const {
    return listContains(views, view);
}

int32_t CFrameWindow::viewCount() const {
    return static_cast<int32_t>(views.size());
}

CView* CFrameWindow::viewAt(int32_t index) const {
    return listAt(views, index);
}

void CFrameWindow::draw(CCanvas* canvas) {
    firstDrawPending = false;
    if (backgroundPicture) {
        backgroundPicture->draw(
            canvas, CRectangle{0, 0, backgroundPicture->getWidth(), backgroundPicture->getHeight()},
            CPosition{0, 0});
    }
    for (size_t i = 0; i < views.size(); ++i) {
        views[i]->draw(canvas);
    }
}

void CFrameWindow::drawArea(CCanvas* canvas, const CRectangle& area) {
    firstDrawPending = false;
    if (backgroundPicture) {
        backgroundPicture->draw(canvas, area, CPosition{area.left, area.top});
    }
    for (size_t i = 0; i < views.size(); ++i) {
        if (views[i]->overlaps(area)) {
            views[i]->drawArea(canvas, area);
        }
    }
}

void CFrameWindow::redrawIfDirty(CCanvas* canvas) {
    if (!windowOpen) {
        return;
    }
    if (dirty) {
        draw(canvas);
        setDirty(false);
        return;
    }
    for (size_t i = 0; i < views.size(); ++i) {
        views[i]->redrawIfDirty(canvas);
    }
}

bool CFrameWindow::anyViewDirty() const {
    for (CView* view : views) {
        if (view->isDirty()) {
            return true;
        }
    }
    return false;
}

void CFrameWindow::doIdle() {
    if (window) {
        // The window's events (paints, clicks) are handled when the editor idles.
        getPlatform().pumpEvents();
    }
    if (!windowOpen || firstDrawPending || !window) {
        return;
    }
    if (!dirty && !anyViewDirty()) {
        return;
    }
    CBorrowedCanvas canvas(this, window);
    if (nbEC > kMaxHeldSurfaces) {
        reportDebug("nbEC is %d in frame.doIdle\n", nbEC);
    }
    if (canvas.get()) {
        redrawIfDirty(canvas.get());
    }
}

void CFrameWindow::onMouseDown(CCanvas* canvas, const CPosition& where) {
    dropFocus();
    const int32_t buttons = canvas ? canvas->getMouseButtons() : -1;
    for (size_t i = views.size(); i-- > 0;) {
        CView* view = views[i];
        if (view->isMouseEnabled() && view->hitTest(where, buttons)) {
            view->onMouseDown(canvas, where);
            break;
        }
    }
}

CView* CFrameWindow::viewUnderMouse() const {
    CPosition mouse;
    getMousePosition(mouse);
    for (size_t i = views.size(); i-- > 0;) {
        if (views[i]->sizeRect().contains(mouse)) {
            return views[i];
        }
    }
    return nullptr;
}

bool CFrameWindow::onWheel(CCanvas* canvas, const CPosition&, float distance) {
    CView* view = viewUnderMouse();
    if (!view) {
        return false;
    }
    CPosition mouse;
    getMousePosition(mouse);
    if (canvas) {
        return view->onWheel(canvas, mouse, distance);
    }
    CBorrowedCanvas borrowed(this, window);
    return view->onWheel(borrowed.get(), mouse, distance);
}

int32_t CFrameWindow::offerKeyToViews(const CKeyCode& key,
                                      int32_t (CView::*handler)(const CKeyCode&)) {
    if (focusView) {
        const int32_t result = (focusView->*handler)(key);
        if (result != -1) {
            return result;
        }
    }
    return offerKey(views, key, handler);
}

int32_t CFrameWindow::onKeyDown(const CKeyCode& key) {
    return offerKeyToViews(key, &CView::onKeyDown);
}

int32_t CFrameWindow::onKeyUp(const CKeyCode& key) {
    return offerKeyToViews(key, &CView::onKeyUp);
}

bool CFrameWindow::onDrop(const char* const* items, int32_t count, int32_t type,
                          const CPosition& where) {
    if (focusView) {
        return false;
    }
    for (size_t i = views.size(); i-- > 0;) {
        CView* view = views[i];
        if (view->isMouseEnabled() && view->sizeRect().contains(where) &&
            view->onDrop(items, count, type, where)) {
            return true;
        }
    }
    return false;
}

void CFrameWindow::beginEdit(int32_t tag) {
    if (editor) {
        editor->beginEdit(tag);
    }
}

void CFrameWindow::endEdit(int32_t tag) {
    if (editor) {
        editor->endEdit(tag);
    }
}

bool CFrameWindow::getMousePosition(CPosition& out) const {
    out = getPlatform().getCursorPosition();
    if (window) {
        out = out - window->getScreenPosition();
    }
    return true;
}

void CFrameWindow::setFocusView(CView* view) {
    CView* previous = focusView;
    focusView = view;
    if (previous && previous != view) {
        previous->loseFocus(nullptr);
    }
}

void CFrameWindow::dropFocus() {
    CView* previous = focusView;
    focusView = nullptr;
    if (previous) {
        previous->loseFocus(nullptr);
    }
}

int32_t CFrameWindow::getKnobMode() const {
    return gKnobMode;
}

void CFrameWindow::idleEditor() {
    if (editor) {
        editor->throttledIdle();
    }
}
