#pragma once
#include "toolkit/geometry.h"
#include "toolkit/platform/pixel_buffer.h"

class CCanvas;
class CSurface;

// The platform's transparent block copy: copies width x height from (sx, sy) of the source to
// (dx, dy) of the destination, leaving out pixels of the transparent colour. The frame window
// sets gTransparentCopy (to platformTransparentCopy()) when it starts; without it pictures draw
// transparently through a one-bit mask, with the same result.
using TransparentCopyFunction = void (*)(CSurface* destination, int dx, int dy, int width,
                                         int height, const CSurface* source, int sx, int sy,
                                         uint32_t transparentColour);
extern TransparentCopyFunction gTransparentCopy;
TransparentCopyFunction platformTransparentCopy();

// A reference-counted bitmap loaded by resource number (1 background, 2 dial disc, 3 dial
// handle). A missing number gives a 0 x 0 picture that draws nothing.
class CPicture {
public:
    explicit CPicture(int resourceNumber);

    void retain() { ++nbReference; }
    // Nothing at a count of 0 or less; destroys the picture when the count reaches 0.
    void release();
    int referenceCount() const { return nbReference; }

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getResourceNumber() const { return resourceNumber; }
    const CColour& getTransparentColour() const { return transparentColour; }
    void setTransparentColour(const CColour& colour) { transparentColour = colour; }
    const CPixelBuffer& getBitmap() const { return bitmap; }

    // Copies the rectangle's width and height from the source position to the canvas at the
    // rectangle (plus the canvas offset).
    void draw(CCanvas* canvas, const CRectangle& r, const CPosition& source = {0, 0});
    // The same, leaving out the pixels of the transparent colour.
    void drawTransparent(CCanvas* canvas, const CRectangle& r, const CPosition& source = {0, 0});

    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

private:
    ~CPicture() = default;

    int width = 0;
    int height = 0;
    int resourceNumber;
    int nbReference = 1;
    CColour transparentColour = kPictureTransparentColour;
    CPixelBuffer bitmap;
};
