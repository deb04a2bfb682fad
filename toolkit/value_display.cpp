#include "toolkit/value_display.h"

#include "toolkit/canvas.h"
#include "toolkit/picture_use.h"

#include <cstdio>

CValueDisplay::CValueDisplay(const CRectangle& size, CPicture* background, uint32_t style)
    : CValueControl(size, nullptr, 0, background), style(style) {
    if (style & kDisplayNoDraw) {
        setDirty(false);
    }
}

void CValueDisplay::formatValue(char* text) const {
    text[0] = 0;
    if (converterWithData) {
        converterWithData(value, text, userData);
    } else if (converter) {
        converter(value, text);
    } else {
        std::snprintf(text, kDisplayTextSize, "%2.2f", static_cast<double>(value));
    }
    text[kDisplayTextSize - 1] = 0;
}

void CValueDisplay::draw(CCanvas* canvas) {
    char text[kDisplayTextSize];
    formatValue(text);
    drawText(canvas, text, nullptr);
}

void CValueDisplay::drawText(CCanvas* canvas, const char* text, CPicture* picture) {
    setDirty(false);
    if ((style & kDisplayNoDraw) || !canvas) {
        return;
    }
    const bool bevel = (style & (kDisplayBevelRaised | kDisplayBevelSunken)) != 0;
    CPicture* face = picture ? picture : background;
    if (face) {
        drawPicture(face, canvas, size, backgroundOffset, transparent);
    } else if (!transparent) {
        canvas->setFillColour(backColour);
        canvas->fillRect(size);
        if (!bevel) {
            canvas->setFrameColour(frameColour);
            canvas->drawRectOutline(size);
        }
    }
    if (bevel) {
        const bool raised = (style & kDisplayBevelRaised) != 0;
        canvas->setFrameColour(raised ? backColour : frameColour);
        canvas->moveTo(CPosition{size.left, size.bottom});
        canvas->lineTo(CPosition{size.left, size.top});
        canvas->lineTo(CPosition{size.right + 1, size.top});
        canvas->setFrameColour(raised ? frameColour : backColour);
        canvas->moveTo(CPosition{size.right, size.top + 1});
        canvas->lineTo(CPosition{size.right, size.bottom});
        canvas->lineTo(CPosition{size.left, size.bottom});
    }
    if ((style & kDisplayNoText) || !text) {
        return;
    }
    canvas->setFont(fontId, 0, static_cast<int32_t>(textStyle));
    if (style & kDisplayShadowText) {
        canvas->setFontColour(shadowColour);
        canvas->drawString(text, size.offsetBy(CPosition{1, 1}), !textTransparent, alignment);
    }
    canvas->setFontColour(fontColour);
    canvas->drawString(text, size, !textTransparent, alignment);
}

void CValueDisplay::storeColour(CColour& field, const CColour& colour) {
    const bool changed = !field.sameRgb(colour);
    field = colour;
    if (changed) {
        setDirty(true);
    }
}

void CValueDisplay::setFont(int32_t id) {
    if (fontId != id) {
        fontId = id;
        setDirty(true);
    }
}

void CValueDisplay::setFontColour(const CColour& colour) {
    storeColour(fontColour, colour);
}

void CValueDisplay::setBackColour(const CColour& colour) {
    storeColour(backColour, colour);
}

void CValueDisplay::setFrameColour(const CColour& colour) {
    storeColour(frameColour, colour);
}

void CValueDisplay::setShadowColour(const CColour& colour) {
    storeColour(shadowColour, colour);
}

void CValueDisplay::setAlignment(int32_t value) {
    if (alignment != value) {
        alignment = value;
        setDirty(true);
    }
}

void CValueDisplay::setConverterWithData(CValueToTextWithData function, void* data) {
    converterWithData = function;
    userData = data;
}

void CValueDisplay::setConverter(CValueToText function) {
    converter = function;
}

void CValueDisplay::setTextToValue(CTextToValue function) {
    textToValue = function;
}

void CValueDisplay::setStyle(uint32_t bits) {
    if (style != bits) {
        style = bits;
        setDirty(true);
    }
}

void CValueDisplay::setTextStyle(uint32_t bits) {
    if (textStyle != bits) {
        textStyle = bits;
        setDirty(true);
    }
}

void CValueDisplay::setTextTransparent(bool value) {
    textTransparent = value;
}
