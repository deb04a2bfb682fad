#include "toolkit/picture.h"
#include "toolkit/canvas.h"
#include "toolkit/platform/bitmap_file.h"
#include "toolkit/platform/resources.h"
#include "toolkit/platform/surface.h"

TransparentCopyFunction gTransparentCopy = nullptr;

namespace {

void transparentCopy(CSurface* destination, int dx, int dy, int width, int height,
                     const CSurface* source, int sx, int sy, uint32_t transparentColour) {
    if (destination && source) {
        destination->transparentBlit(dx, dy, width, height, *source, sx, sy, transparentColour);
    }
}

} // namespace

TransparentCopyFunction platformTransparentCopy() {
    return transparentCopy;
}

CPicture::CPicture(int resourceNumber) : resourceNumber(resourceNumber) {
    if (const CEmbeddedResource* resource = findResource(resourceNumber)) {
        bitmap = readBitmapFile(resource->data, resource->size);
        width = bitmap.width();
        height = bitmap.height();
    }
}

void CPicture::release() {
    if (nbReference <= 0) {
        return;
    }
    if (--nbReference == 0) {
        delete this;
    }
}

void CPicture::draw(CCanvas* canvas, const CRectangle& r, const CPosition& source) {
    if (!canvas || !canvas->getSurface() || bitmap.isEmpty()) {
        return;
    }
    CSurface memory(&bitmap);
    const CPosition to = r.topLeft() + canvas->getOffset();
    canvas->getSurface()->blit(to.x, to.y, r.width(), r.height(), memory, source.x, source.y);
}

void CPicture::drawTransparent(CCanvas* canvas, const CRectangle& r, const CPosition& source) {
    if (!canvas || !canvas->getSurface() || bitmap.isEmpty() || r.width() <= 0 || r.height() <= 0) {
        return;
    }
    CSurface* target = canvas->getSurface();
    CSurface memory(&bitmap);
    const CPosition to = r.topLeft() + canvas->getOffset();
    const int w = r.width();
    const int h = r.height();
    if (gTransparentCopy) {
        gTransparentCopy(target, to.x, to.y, w, h, &memory, source.x, source.y,
                         transparentColour.toPlatform());
        return;
    }
    // One-bit mask: 1 where the picture has the transparent colour (and outside the picture),
    // 0 elsewhere. The picture goes in with exclusive-or, the mask clears the picture's own
    // pixels, and a second exclusive-or brings back the destination under the mask's ones and
    // puts the picture everywhere else.
    CPixelBuffer maskBits(w, h, true, 0xffffff);
    if (maskBits.isEmpty()) {
        return;
    }
    CSurface mask(&maskBits);
    memory.setBackColour(transparentColour.toPlatform());
    mask.blit(0, 0, w, h, memory, source.x, source.y);
    const uint32_t oldBack = target->setBackColour(0xffffff);
    const uint32_t oldText = target->setTextColour(0);
    target->blit(to.x, to.y, w, h, memory, source.x, source.y, kRopXor);
    target->blit(to.x, to.y, w, h, mask, 0, 0, kRopAnd);
    target->blit(to.x, to.y, w, h, memory, source.x, source.y, kRopXor);
    target->setBackColour(oldBack);
    target->setTextColour(oldText);
}
