#pragma once

#include "toolkit/canvas.h"

// Moves a window canvas's origin to a panel's top-left corner for one drawing or routing pass
// and puts it back afterwards. Drawing offset and window position move together, so drawing and
// mouse queries become panel-local. The corner is added to the current origin, so panels nested
// in panels that draw straight onto the window land in the right place too. A null canvas is
// left alone.
class CCanvasOrigin {
public:
    CCanvasOrigin(CCanvas* canvas, const CPosition& corner)
        : canvas(canvas), savedOffset(canvas ? canvas->getOffset() : CPosition{}),
          savedWindowPosition(canvas ? canvas->getWindowPosition() : CPosition{}) {
        if (canvas) {
            canvas->setOffset(savedOffset + corner);
            canvas->setWindowPosition(savedWindowPosition + corner);
        }
    }
    ~CCanvasOrigin() {
        if (canvas) {
            canvas->setOffset(savedOffset);
            canvas->setWindowPosition(savedWindowPosition);
        }
    }
    CCanvasOrigin(const CCanvasOrigin&) = delete;
    CCanvasOrigin& operator=(const CCanvasOrigin&) = delete;

private:
    CCanvas* canvas;
    CPosition savedOffset;
    CPosition savedWindowPosition;
};
