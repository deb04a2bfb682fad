#pragma once

#include "engine/relaxed.h"
#include "toolkit/geometry.h"
#include "toolkit/key_code.h"

#include <cstdint>

class CCanvas;
class CFrameWindow;
class CFrameEditor;

// Message a view answers with non-zero when it holds child views. Receivers compare the pointer.
extern const char* const kMsgCheckIfViewContainer;

// Kinds of dropped items handed to onDrop.
constexpr int32_t kDropFiles = 0;
constexpr int32_t kDropText = 1;

// Base of every on-screen element: a rectangle in its parent's coordinates, a mouse area, a
// dirty flag and a hand-managed reference count (born with one reference).
class CView {
public:
    explicit CView(const CRectangle& size);
    // Normally reached through release(); a count above one is reported, not prevented.
    virtual ~CView();
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    virtual void draw(CCanvas* canvas);
    virtual void drawArea(CCanvas* canvas, const CRectangle& area);
    virtual bool overlaps(const CRectangle& rectangle) const;
    virtual void onMouseDown(CCanvas* canvas, const CPosition& where);
    virtual void redrawIfDirty(CCanvas* canvas);
    virtual int32_t notify(CView* sender, const char* message);
    virtual int32_t onKeyDown(const CKeyCode& key);
    virtual int32_t onKeyUp(const CKeyCode& key);
    virtual bool onDrop(const char* const* items, int32_t count, int32_t type,
                        const CPosition& where);
    virtual bool onWheel(CCanvas* canvas, const CPosition& where, float distance);
    virtual void loseFocus(CCanvas* canvas);
    virtual void gainFocus(CCanvas* canvas);
    virtual bool isDirty() const;
    virtual void setDirty(bool value);
    virtual void setMouseEnabled(bool value);
    virtual bool isMouseEnabled() const;
    virtual void setMouseArea(const CRectangle& area);
    virtual void getMouseArea(CRectangle& out) const;
    virtual bool hitTest(const CPosition& where, int32_t buttons) const;
    virtual void setTransparent(bool value);
    virtual bool isTransparent() const;
    virtual void setSize(const CRectangle& rectangle);
    virtual void getSize(CRectangle& out) const;
    virtual void setParentView(CView* view);
    virtual void setFrameWindow(CFrameWindow* frame);
    virtual CFrameEditor* getEditor() const;
    virtual bool onRemoved(CView* parent);
    virtual bool onAttached(CView* parent);
    virtual void release();
    virtual void retain();
    virtual int32_t referenceCount() const;

    // Plain accessors for the toolkit's own use.
    const CRectangle& sizeRect() const { return size; }
    CFrameWindow* getFrameWindow() const { return frameWindow; }
    CView* getParentView() const { return parentView; }

protected:
    int32_t nbReference = 1;
    CRectangle size;
    CRectangle mouseArea;
    CFrameWindow* frameWindow = nullptr;
    CView* parentView = nullptr;
    // The editor may mark views dirty from the thread that sets parameters.
    CRelaxed<bool> dirty{false};
    bool mouseEnabled = true;
    bool transparent = false;
};
