#pragma once
#include "toolkit/geometry.h"
#include <cstdint>

class CPixelBuffer;
class CPlatformFont;

// Pen line styles.
constexpr int kPenSolid = 0;
constexpr int kPenDotted = 1;

// Block copy operations: plain copy, exclusive-or of the source, and of the source.
enum ERasterOp { kRopCopy, kRopXor, kRopAnd };

// Text box alignment of CSurface::drawText.
enum ETextAlign { kTextAlignLeft, kTextAlignCentre, kTextAlignRight };

struct CPen {
    uint32_t colour = 0;
    int style = kPenSolid;
};

// A drawing surface (device context): a bitmap it draws into, plus the pen, brush, font, text
// and background colours and the background mode that drawing operations use. The pixel rules
// follow the classic 2-D raster model: lines leave out their end point, rectangles fill
// right/bottom exclusive, colour copied into a monochrome bitmap becomes white where it equals
// the source surface's background colour, and monochrome copied into colour becomes the
// destination's background colour (white bits) and text colour (black bits).
//
// A memory surface starts without a bitmap (drawing on it does nothing) until one is selected.
class CSurface {
public:
    CSurface() = default;
    explicit CSurface(CPixelBuffer* bitmap) : bitmap(bitmap) {}

    // Selects a bitmap (not owned) and returns the one selected before.
    CPixelBuffer* selectBitmap(CPixelBuffer* newBitmap);
    CPixelBuffer* getBitmap() const { return bitmap; }

    CPen selectPen(const CPen& pen);
    CPen getPen() const { return pen; }
    uint32_t selectBrush(uint32_t colour);
    uint32_t getBrush() const { return brush; }
    // The font is not owned; null draws no text.
    const CPlatformFont* selectFont(const CPlatformFont* font);
    const CPlatformFont* getFont() const { return font; }

    uint32_t setTextColour(uint32_t colour);
    uint32_t getTextColour() const { return textColour; }
    uint32_t setBackColour(uint32_t colour);
    uint32_t getBackColour() const { return backColour; }
    void setBackOpaque(bool opaque) { backOpaque = opaque; }
    bool isBackOpaque() const { return backOpaque; }

    // Lines with the pen, one pixel wide, end point excluded. A dotted pen draws three pixels
    // and leaves three out, the pattern running on along a path until the next moveTo; with an
    // opaque background the gaps take the background colour.
    void moveTo(int x, int y);
    void lineTo(int x, int y);
    CPosition getCurrentPosition() const { return current; }

    // Fills the pixels left <= x < right, top <= y < bottom with the brush.
    void fillRect(int left, int top, int right, int bottom);
    // Fills the ellipse inscribed in the box left <= x < right, top <= y < bottom with the
    // brush; no outline.
    void fillEllipse(int left, int top, int right, int bottom);
    // Fills the 4-connected area that has the colour of the seed pixel with the brush.
    void floodFill(int x, int y);

    // The colour at (x, y), or 0xffffffff outside the bitmap.
    uint32_t getPixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t colour);

    // One line of text in the box: vertically centred, aligned left, centred or right, clipped
    // to the box. An opaque background fills the text's cell with the background colour.
    // No prefix processing.
    void drawText(const char* text, const CRectangle& box, ETextAlign align);

    // Copies width x height pixels from (sx, sy) of the source to (dx, dy); parts outside either
    // bitmap are left out.
    void blit(int dx, int dy, int width, int height, const CSurface& source, int sx, int sy,
              ERasterOp op = kRopCopy);
    // The same plain copy, leaving out every source pixel equal to the transparent colour.
    void transparentBlit(int dx, int dy, int width, int height, const CSurface& source, int sx,
                         int sy, uint32_t transparent);

private:
    void plot(int x, int y, uint32_t colour);
    void markChanged(int left, int top, int right, int bottom);

    CPixelBuffer* bitmap = nullptr;
    CPen pen;
    uint32_t brush = 0xffffff;
    const CPlatformFont* font = nullptr;
    uint32_t textColour = 0;
    uint32_t backColour = 0xffffff;
    bool backOpaque = true;
    CPosition current;
    int dotPhase = 0;
};
