#pragma once

#include "toolkit/view.h"

#include <vector>

class COffscreenCanvas;
class CPicture;

// Update modes of a panel's redrawIfDirty.
constexpr int32_t kPanelRedrawWhole = 0;   // any dirt redraws the whole panel
constexpr int32_t kPanelRedrawChanged = 1; // only dirty children are redrawn

// A view that holds child views in insertion order (each with one reference), draws a
// background colour or picture under them, routes events to them from the topmost down and can
// compose itself in an offscreen buffer of its own size.
class CPanel : public CView {
public:
    CPanel(const CRectangle& size, CFrameWindow* frame, CPicture* background);
    ~CPanel() override;

    void draw(CCanvas* canvas) override;
    void drawArea(CCanvas* canvas, const CRectangle& area) override;
    void onMouseDown(CCanvas* canvas, const CPosition& where) override;
    void redrawIfDirty(CCanvas* canvas) override;
    int32_t notify(CView* sender, const char* message) override;
    int32_t onKeyDown(const CKeyCode& key) override;
    int32_t onKeyUp(const CKeyCode& key) override;
    bool onDrop(const char* const* items, int32_t count, int32_t type,
                const CPosition& where) override;
    bool onWheel(CCanvas* canvas, const CPosition& where, float distance) override;
    void loseFocus(CCanvas* canvas) override;
    void gainFocus(CCanvas* canvas) override;
    bool isDirty() const override;
    void setSize(const CRectangle& rectangle) override;
    bool onRemoved(CView* parent) override;
    bool onAttached(CView* parent) override;

    virtual void addViewWithMouseArea(CView* view, const CRectangle& area, bool enabled);
    virtual void addView(CView* view);
    virtual void removeView(CView* view, bool releaseIt);
    virtual void removeAllViews(bool releaseThem);
    virtual bool containsView(CView* view) const;
    virtual int32_t viewCount() const;
    virtual CView* viewAt(int32_t index) const;
    virtual void setBackgroundColour(const CColour& colour) { backgroundColour = colour; }
    virtual void getBackgroundColour(CColour& out) const { out = backgroundColour; }
    virtual void setBackgroundPicture(CPicture* picture);
    virtual CPicture* getBackgroundPicture() const { return backgroundPicture; }
    virtual void setBackgroundOffset(const CPosition& offset) { backgroundOffset = offset; }
    virtual CPosition getBackgroundOffset() const { return backgroundOffset; }
    virtual void setUpdateMode(int32_t mode) { updateMode = mode; }
    virtual int32_t getUpdateMode() const { return updateMode; }
    virtual void setOffscreenEnabled(bool enabled);

    // Paints the background into a panel-local rectangle.
    void drawBackgroundArea(CCanvas* canvas, const CRectangle& area);

    COffscreenCanvas* getOffscreen() const { return offscreen; }

private:
    int32_t width() const { return size.right - size.left; }
    int32_t height() const { return size.bottom - size.top; }
    void createOffscreen();
    void destroyOffscreen();
    // The buffer when offscreen drawing is on (created on demand), else null.
    COffscreenCanvas* drawingBuffer();
    CView* viewUnderMouse() const;
    CPosition toLocal(const CPosition& where) const;

    std::vector<CView*> children;
    CPicture* backgroundPicture = nullptr;
    int32_t updateMode = kPanelRedrawWhole;
    COffscreenCanvas* offscreen = nullptr;
    CColour backgroundColour{0, 0, 0, 0};
    CPosition backgroundOffset{0, 0};
    bool offscreenEnabled = true;
};
