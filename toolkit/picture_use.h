#pragma once

#include "toolkit/picture.h"

// Points a shared picture slot at another picture: the new one is retained before the old one
// is released, so passing the picture already held is safe. Null clears the slot.
inline void replacePicture(CPicture*& slot, CPicture* picture) {
    if (picture) {
        picture->retain();
    }
    if (slot) {
        slot->release();
    }
    slot = picture;
}

// Draws a picture plainly, or with its transparent colour left out for a transparent view.
inline void drawPicture(CPicture* picture, CCanvas* canvas, const CRectangle& area,
                        const CPosition& source, bool transparent) {
    if (transparent) {
        picture->drawTransparent(canvas, area, source);
    } else {
        picture->draw(canvas, area, source);
    }
}
