#include "toolkit/offscreen_canvas.h"

COffscreenCanvas::COffscreenCanvas(CFrameWindow* frameWindow, int width, int height,
                                   const CColour& colour)
    : CCanvas(frameWindow, nullptr, nullptr), bitmap(width, height), width(bitmap.width()),
      height(bitmap.height()) {
    // The canvas part was built without a surface; from here on it draws into the bitmap.
    ++nbEC;
    memorySurface.selectBitmap(&bitmap);
    surface = &memorySurface;
    penFound = memorySurface.getPen();
    brushFound = memorySurface.getBrush();
    fontFound = memorySurface.getFont();
    memorySurface.setBackOpaque(false);
    memorySurface.setTextColour(kWhiteColour.toPlatform());
    setLineStyle(kLineSolid);
    setFillColour(colour);
    setFrameColour(colour);
    fillRect({0, 0, width, height});
    drawRectOutline({0, 0, width, height});
}

COffscreenCanvas::~COffscreenCanvas() {
    --nbEC;
    // The memory surface and its bitmap are members and go before the canvas part: nothing is
    // to be put back into them.
    surface = nullptr;
}

void COffscreenCanvas::copyTo(CCanvas* destination, const CRectangle& r, const CPosition& source) {
    if (!destination || !destination->getSurface()) {
        return;
    }
    const CPosition to = r.topLeft() + destination->getOffset();
    destination->getSurface()->blit(to.x, to.y, r.width(), r.height(), memorySurface, source.x,
                                    source.y);
}
