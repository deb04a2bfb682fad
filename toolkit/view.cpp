#include "toolkit/view.h"

#include "toolkit/debug_report.h"
#include "toolkit/frame_window.h"

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

CView::CView(const CRectangle& size) : size(size), mouseArea(size) {}

CView::~CView() {
    if (nbReference > 1) {
        reportDebug("nbReference is %d when trying to delete CView\n", nbReference);
    }
}

void CView::draw(CCanvas*) {
    setDirty(false);
}

void CView::drawArea(CCanvas* canvas, const CRectangle&) {
    draw(canvas);
}

bool CView::overlaps(const CRectangle& r) const {
    if (r.right < size.left || r.left > size.right || r.bottom < size.top) {
        return false;
    }
    return r.top <= size.bottom;
}

void CView::onMouseDown(CCanvas*, const CPosition&) {}

void CView::redrawIfDirty(CCanvas* canvas) {
    if (isDirty()) {
        draw(canvas);
        setDirty(false);
    }
}

int32_t CView::notify(CView*, const char*) {
    return 0;
}

int32_t CView::onKeyDown(const CKeyCode&) {
    return -1;
}

int32_t CView::onKeyUp(const CKeyCode&) {
    return -1;
}

bool CView::onDrop(const char* const*, int32_t, int32_t, const CPosition&) {
    return false;
}

bool CView::onWheel(CCanvas*, const CPosition&, float) {
    return false;
}

void CView::loseFocus(CCanvas*) {}

void CView::gainFocus(CCanvas*) {}

bool CView::isDirty() const {
    return dirty;
}

void CView::setDirty(bool value) {
    dirty = value;
}

void CView::setMouseEnabled(bool value) {
    mouseEnabled = value;
}

bool CView::isMouseEnabled() const {
    return mouseEnabled;
}

void CView::setMouseArea(const CRectangle& area) {
    mouseArea = area;
}

void CView::getMouseArea(CRectangle& out) const {
    out = mouseArea;
}

bool CView::hitTest(const CPosition& where, int32_t) const {
    return size.contains(where);
}

void CView::setTransparent(bool value) {
    transparent = value;
}

bool CView::isTransparent() const {
    return transparent;
}

void CView::setSize(const CRectangle& rectangle) {
    size = rectangle;
    setDirty(true);
}

void CView::getSize(CRectangle& out) const {
    out = size;
}

void CView::setParentView(CView* view) {
    parentView = view;
}

void CView::setFrameWindow(CFrameWindow* frame) {
    frameWindow = frame;
}

CFrameEditor* CView::getEditor() const {
    return frameWindow ? frameWindow->getEditor() : nullptr;
}

bool CView::onRemoved(CView*) {
    return true;
}

bool CView::onAttached(CView*) {
    return true;
}

void CView::release() {
    if (nbReference <= 0) {
        return;
    }
    if (--nbReference == 0) {
        delete this;
    }
}

void CView::retain() {
    ++nbReference;
}

int32_t CView::referenceCount() const {
    return nbReference;
}
