#include "toolkit/canvas.h"
#include "toolkit/platform/font.h"
#include "toolkit/platform/platform.h"

int nbEC = 0;
bool gSwapMouseButtons = false;

CCanvas::CCanvas(CFrameWindow* frameWindow, CSurface* surface, CPlatformWindow* window)
    : surface(surface), window(window), frameWindow(frameWindow) {
    if (surface) {
        penFound = surface->getPen();
        brushFound = surface->getBrush();
        fontFound = surface->getFont();
        surface->setBackOpaque(false);
    }
    if (window) {
        windowPosition = window->getScreenPosition();
    }
    if (surface) {
        setFrameColour(kWhiteColour);
        setLineStyle(kLineSolid);
        setFillColour(kBlackColour);
        surface->setTextColour(kWhiteColour.toPlatform());
    }
}

CCanvas::~CCanvas() {
    if (surface) {
        surface->selectBrush(brushFound);
        surface->selectPen(penFound);
        surface->selectFont(fontFound);
    }
    delete createdFont;
}

void CCanvas::moveTo(const CPosition& p) {
    if (surface) {
        surface->moveTo(p.x + offset.x, p.y + offset.y);
    }
}

void CCanvas::lineTo(const CPosition& p) {
    if (surface) {
        surface->lineTo(p.x + offset.x, p.y + offset.y);
    }
}

void CCanvas::drawRectOutline(const CRectangle& r) {
    moveTo({r.left, r.top});
    lineTo({r.right, r.top});
    lineTo({r.right, r.bottom});
    lineTo({r.left, r.bottom});
    lineTo({r.left, r.top});
}

void CCanvas::fillRect(const CRectangle& r) {
    if (surface) {
        surface->fillRect(r.left + 1 + offset.x, r.top + 1 + offset.y, r.right + offset.x,
                          r.bottom + offset.y);
    }
}

void CCanvas::fillEllipse(const CRectangle& r) {
    if (surface) {
        surface->fillEllipse(r.left + 1 + offset.x, r.top + 1 + offset.y, r.right + 1 + offset.x,
                             r.bottom + 1 + offset.y);
    }
}

void CCanvas::floodFill(const CPosition& p) {
    if (surface) {
        surface->floodFill(p.x + offset.x, p.y + offset.y);
    }
}

void CCanvas::makePen() {
    if (surface) {
        surface->selectPen(
            {frameColour.toPlatform(), lineStyle == kLineDotted ? kPenDotted : kPenSolid});
    }
}

void CCanvas::setFrameColour(const CColour& colour) {
    frameColour = colour;
    makePen();
}

void CCanvas::setLineStyle(int style) {
    lineStyle = style;
    makePen();
}

void CCanvas::setFillColour(const CColour& colour) {
    fillColour = colour;
    if (surface) {
        surface->setBackColour(colour.toPlatform());
        surface->selectBrush(colour.toPlatform());
    }
}

void CCanvas::setFontColour(const CColour& colour) {
    fontColour = colour;
    if (surface) {
        surface->setTextColour(colour.toPlatform());
    }
}

void CCanvas::setFont(int id, int size, int style) {
    if (id < 0 || id >= kNumFonts) {
        id = 0;
    }
    fontId = id;
    if (size == 0) {
        size = kFontTable[id].defaultSize;
    }
    fontSize = size;
    const CFontTableEntry& entry = kFontTable[id];
    CFontRequest request;
    request.face = entry.face;
    // A negative size is a cell height in the classic model; either way it is the pixel size.
    request.pixelSize = size < 0 ? -size : size;
    request.weight = (entry.alwaysBold || (style & kFontBold)) ? 700 : 400;
    request.italic = (style & kFontItalic) != 0;
    request.underline = (style & kFontUnderline) != 0;
    request.family = entry.decorative ? kFamilyDecorative : kFamilySwiss;
    CPlatformFont* font = CPlatformFont::create(request);
    if (!font) {
        return;
    }
    if (surface) {
        surface->selectFont(font);
    }
    delete createdFont;
    createdFont = font;
}

void CCanvas::drawString(const char* text, const CRectangle& r, bool opaque, int alignment) {
    if (!text || !surface) {
        return;
    }
    if (!surface->getFont()) {
        setFont(fontId, fontSize); // text drawn before any setFont uses the current font id
    }
    CRectangle box = r.offsetBy(offset);
    surface->setBackOpaque(opaque);
    ETextAlign align = kTextAlignLeft;
    if (alignment == kAlignCentre) {
        align = kTextAlignCentre;
    } else if (alignment == kAlignRight) {
        align = kTextAlignRight;
    } else {
        box.left += 1;
    }
    surface->drawText(text, box, align);
    surface->setBackOpaque(false);
}

int CCanvas::getMouseButtons() {
    const int state = getPlatform().getButtonState();
    int buttons = 0;
    if (state & kPlatformLeft) {
        buttons |= gSwapMouseButtons ? kRightButton : kLeftButton;
    }
    if (state & kPlatformRight) {
        buttons |= gSwapMouseButtons ? kLeftButton : kRightButton;
    }
    if (state & kPlatformMiddle) {
        buttons |= kMiddleButton;
    }
    if (state & kPlatformShift) {
        buttons |= kShift;
    }
    if (state & kPlatformControl) {
        buttons |= kControl;
    }
    if (state & kPlatformAlt) {
        buttons |= kAlt;
    }
    return buttons;
}

void CCanvas::getMousePosition(CPosition& where) {
    where = getPlatform().getCursorPosition() - windowPosition;
}
