#pragma once

#include "toolkit/canvas.h"
#include "toolkit/platform/platform.h"

#include <optional>

// A canvas over a window surface borrowed for drawing outside a paint request, counted in nbEC
// while it is held. The canvas goes before the surface is given back. Without a window (or a
// surface) get() is null.
class CBorrowedCanvas {
public:
    CBorrowedCanvas(CFrameWindow* frame, CPlatformWindow* window)
        : window(window), surface(window ? window->borrowSurface() : nullptr) {
        if (surface) {
            ++nbEC;
            canvas.emplace(frame, surface, window);
        }
    }
    ~CBorrowedCanvas() {
        if (surface) {
            canvas.reset();
            window->giveBackSurface(surface);
            --nbEC;
        }
    }
    CBorrowedCanvas(const CBorrowedCanvas&) = delete;
    CBorrowedCanvas& operator=(const CBorrowedCanvas&) = delete;

    CCanvas* get() { return canvas ? &*canvas : nullptr; }

private:
    CPlatformWindow* window;
    CSurface* surface;
    std::optional<CCanvas> canvas;
};
