#include "toolkit/panel.h"

#include "toolkit/canvas_origin.h"
#include "toolkit/frame_window.h"
#include "toolkit/offscreen_canvas.h"
#include "toolkit/picture_use.h"
#include "toolkit/view_list.h"

#include <algorithm>

CPanel::CPanel(const CRectangle& size, CFrameWindow* frame, CPicture* background) : CView(size) {
    frameWindow = frame;
    setBackgroundPicture(background);
}

CPanel::~CPanel() {
    setBackgroundPicture(nullptr);
    removeAllViews(true);
    destroyOffscreen();
}

void CPanel::createOffscreen() {
    offscreen = new COffscreenCanvas(frameWindow, width(), height(), CColour{0, 0, 0, 0});
}

void CPanel::destroyOffscreen() {
    delete offscreen;
    offscreen = nullptr;
}

COffscreenCanvas* CPanel::drawingBuffer() {
    if (!offscreenEnabled) {
        return nullptr;
    }
    if (!offscreen) {
        createOffscreen();
    }
    return offscreen;
}

CPosition CPanel::toLocal(const CPosition& where) const {
    return CPosition{where.x - size.left, where.y - size.top};
}

void CPanel::drawBackgroundArea(CCanvas* canvas, const CRectangle& area) {
    if (!canvas) {
        return;
    }
    if (backgroundPicture) {
        drawPicture(backgroundPicture, canvas, area, backgroundOffset + area.topLeft(),
                    transparent);
    } else if (!transparent) {
        canvas->setFillColour(backgroundColour);
        canvas->fillRect(area);
    }
}

void CPanel::draw(CCanvas* canvas) {
    COffscreenCanvas* buffer = drawingBuffer();
    CCanvas* target = buffer ? buffer : canvas;
    if (target) {
        CCanvasOrigin origin(buffer ? nullptr : canvas, CPosition{size.left, size.top});
        drawBackgroundArea(target, CRectangle{0, 0, width(), height()});
        for (size_t i = 0; i < children.size(); ++i) {
            children[i]->draw(target);
        }
        if (buffer && canvas) {
            buffer->copyTo(canvas, size, CPosition{0, 0});
        }
    }
    setDirty(false);
}

void CPanel::drawArea(CCanvas* canvas, const CRectangle& area) {
    COffscreenCanvas* buffer = drawingBuffer();
    CCanvas* target = buffer ? buffer : canvas;
    if (target) {
        CCanvasOrigin origin(buffer ? nullptr : canvas, CPosition{size.left, size.top});
        CRectangle clipped{std::max(area.left, size.left), std::max(area.top, size.top),
                           std::min(area.right, size.right), std::min(area.bottom, size.bottom)};
        if (clipped.bottom < clipped.top) {
            clipped.bottom = clipped.top;
        }
        if (clipped.right < clipped.left) {
            clipped.right = clipped.left;
        }
        const CRectangle local{clipped.left - size.left, clipped.top - size.top,
                               clipped.right - size.left, clipped.bottom - size.top};
        drawBackgroundArea(target, local);
        for (size_t i = 0; i < children.size(); ++i) {
            if (children[i]->overlaps(local)) {
                children[i]->draw(target);
            }
        }
        if (buffer && canvas) {
            buffer->copyTo(canvas, clipped, CPosition{local.left, local.top});
        }
    }
    setDirty(false);
}

void CPanel::redrawIfDirty(CCanvas* canvas) {
    if (updateMode == kPanelRedrawWhole) {
        if (isDirty()) {
            draw(canvas);
        }
        return;
    }
    if (updateMode != kPanelRedrawChanged) {
        return;
    }
    if (dirty) {
        draw(canvas);
        setDirty(false);
        return;
    }
    if (offscreenEnabled && offscreen) {
        const bool wasDirty = isDirty();
        for (size_t i = 0; i < children.size(); ++i) {
            children[i]->redrawIfDirty(offscreen);
        }
        if (wasDirty && canvas) {
            offscreen->copyTo(canvas, size, CPosition{0, 0});
        }
        setDirty(false);
        return;
    }
    if (canvas) {
        CCanvasOrigin origin(canvas, CPosition{size.left, size.top});
        for (size_t i = 0; i < children.size(); ++i) {
            CView* child = children[i];
            if (!child->isDirty()) {
                continue;
            }
            // A child panel is redrawn whole over the background just repainted under it.
            CPanel* childPanel = nullptr;
            int32_t childMode = 0;
            if (child->notify(this, kMsgCheckIfViewContainer) != 0) {
                childPanel = static_cast<CPanel*>(child);
                childMode = childPanel->getUpdateMode();
                childPanel->setUpdateMode(kPanelRedrawWhole);
            }
            drawBackgroundArea(canvas, child->sizeRect());
            child->redrawIfDirty(canvas);
            if (childPanel) {
                childPanel->setUpdateMode(childMode);
            }
        }
    }
    setDirty(false);
}

int32_t CPanel::notify(CView*, const char* message) {
    return message == kMsgCheckIfViewContainer ? 1 : 0;
}

void CPanel::onMouseDown(CCanvas* canvas, const CPosition& where) {
    CCanvasOrigin origin(canvas, CPosition{size.left, size.top});
    const int32_t buttons = canvas ? canvas->getMouseButtons() : -1;
    const CPosition local = toLocal(where);
    for (size_t i = children.size(); i-- > 0;) {
        CView* child = children[i];
        if (child->isMouseEnabled() && child->hitTest(local, buttons)) {
            child->onMouseDown(canvas, local);
            break;
        }
    }
}

CView* CPanel::viewUnderMouse() const {
    if (!frameWindow) {
        return nullptr;
    }
    CPosition mouse{0, 0};
    frameWindow->getMousePosition(mouse);
    const CPosition local = toLocal(mouse);
    for (size_t i = children.size(); i-- > 0;) {
        CRectangle area;
        children[i]->getMouseArea(area);
        if (area.contains(local)) {
            return children[i];
        }
    }
    return nullptr;
}

bool CPanel::onWheel(CCanvas* canvas, const CPosition& where, float distance) {
    CView* child = viewUnderMouse();
    if (!child) {
        return false;
    }
    CCanvasOrigin origin(canvas, CPosition{size.left, size.top});
    return child->onWheel(canvas, toLocal(where), distance);
}

bool CPanel::onDrop(const char* const* items, int32_t count, int32_t type, const CPosition& where) {
    if (!frameWindow) {
        return false;
    }
    const CPosition local = toLocal(where);
    for (size_t i = children.size(); i-- > 0;) {
        CView* child = children[i];
        CRectangle area;
        child->getMouseArea(area);
        if (child->isMouseEnabled() && area.contains(local) &&
            child->onDrop(items, count, type, local)) {
            return true;
        }
    }
    return false;
}

int32_t CPanel::onKeyDown(const CKeyCode& key) {
    return offerKey(children, key, &CView::onKeyDown);
}

int32_t CPanel::onKeyUp(const CKeyCode& key) {
    return offerKey(children, key, &CView::onKeyUp);
}

void CPanel::loseFocus(CCanvas* canvas) {
    for (size_t i = 0; i < children.size(); ++i) {
        children[i]->loseFocus(canvas);
    }
}

void CPanel::gainFocus(CCanvas* canvas) {
    for (size_t i = 0; i < children.size(); ++i) {
        children[i]->gainFocus(canvas);
    }
}

bool CPanel::isDirty() const {
    if (dirty) {
        return true;
    }
    for (CView* child : children) {
        if (child->isDirty()) {
            return true;
        }
    }
    return false;
}

void CPanel::setSize(const CRectangle& rectangle) {
    CView::setSize(rectangle);
    if (offscreen) {
        destroyOffscreen();
        createOffscreen();
    }
}

bool CPanel::onRemoved(CView*) {
    destroyOffscreen();
    return true;
}

bool CPanel::onAttached(CView*) {
    if (offscreenEnabled && !offscreen) {
        createOffscreen();
    }
    return true;
}

void CPanel::addViewWithMouseArea(CView* view, const CRectangle& area, bool enabled) {
    if (!view) {
        return;
    }
    view->setMouseEnabled(enabled);
    view->setMouseArea(area);
    addView(view);
}

void CPanel::addView(CView* view) {
    if (!view) {
        return;
    }
    view->retain();
    view->setFrameWindow(frameWindow);
    view->setParentView(this);
    children.push_back(view);
    view->onAttached(this);
    view->setDirty(true);
}

void CPanel::removeView(CView* view, bool releaseIt) {
    // The creator's reference is given up once, however often the view was added: releasing it
    // once per node would destroy a view that was added twice before its last node is gone.
    bool creatorReleased = !releaseIt;
    for (size_t i = 0; i < children.size();) {
        if (children[i] != view) {
            ++i;
            continue;
        }
        children.erase(children.begin() + static_cast<std::ptrdiff_t>(i));
        view->onRemoved(this);
        if (!creatorReleased) {
            view->release();
            creatorReleased = true;
        }
        view->release();
    }
}

void CPanel::removeAllViews(bool releaseThem) {
    std::vector<CView*> removed;
    removed.swap(children);
    for (size_t i = 0; i < removed.size(); ++i) {
        CView* view = removed[i];
        view->onRemoved(this);
        if (releaseThem && !listedBefore(removed, i)) {
            view->release();
        }
        view->release();
    }
}

bool CPanel::containsView(CView* view) const {
    return listContains(children, view);
}

int32_t CPanel::viewCount() const {
    return static_cast<int32_t>(children.size());
}

CView* CPanel::viewAt(int32_t index) const {
    return listAt(children, index);
}

void CPanel::setBackgroundPicture(CPicture* picture) {
    replacePicture(backgroundPicture, picture);
}

void CPanel::setOffscreenEnabled(bool enabled) {
    offscreenEnabled = enabled;
    if (!enabled) {
        destroyOffscreen();
    }
}
