#pragma once
#include "toolkit/canvas.h"
#include "toolkit/platform/pixel_buffer.h"

// A canvas over a bitmap of its own, filled with a colour (border included) at creation, copied
// to another canvas in one block. Counts its surface in nbEC while it lives.
class COffscreenCanvas : public CCanvas {
public:
    COffscreenCanvas(CFrameWindow* frameWindow, int width, int height, const CColour& colour);
    ~COffscreenCanvas() override;

    // Copies a block of the rectangle's size from the source position of this buffer to the
    // destination at the rectangle's top-left (plus the destination's offset).
    void copyTo(CCanvas* destination, const CRectangle& r, const CPosition& source = {0, 0});

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    const CPixelBuffer& getBitmap() const { return bitmap; }

private:
    CPixelBuffer bitmap;
    CSurface memorySurface;
    int width;
    int height;
};
