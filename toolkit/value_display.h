#pragma once

#include "toolkit/canvas.h"
#include "toolkit/value_control.h"

// Writes the text for a value into a 256-byte buffer.
using CValueToText = void (*)(float value, char* text);
using CValueToTextWithData = void (*)(float value, char* text, void* userData);
// Reads a value back from a text; kept for derived controls, never called by the display.
using CTextToValue = float (*)(const char* text, void* userData);

// Style bits of a value display.
constexpr uint32_t kDisplayShadowText = 4;
constexpr uint32_t kDisplayBevelRaised = 128;
constexpr uint32_t kDisplayBevelSunken = 256;
constexpr uint32_t kDisplayNoText = 2048;
constexpr uint32_t kDisplayNoDraw = 4096;

// Size of the text buffer a converter writes into.
constexpr int kDisplayTextSize = 256;

// Shows a value (or any text) in a box with font, colours, alignment and frame styles.
class CValueDisplay : public CValueControl {
public:
    CValueDisplay(const CRectangle& size, CPicture* background, uint32_t style);

    void draw(CCanvas* canvas) override;

    virtual void setFont(int32_t id);
    virtual void setFontColour(const CColour& colour);
    virtual void setBackColour(const CColour& colour);
    virtual void setFrameColour(const CColour& colour);
    virtual void setShadowColour(const CColour& colour);
    virtual void setAlignment(int32_t value);
    virtual void setConverterWithData(CValueToTextWithData function, void* data);
    virtual void setConverter(CValueToText function);
    virtual void setTextToValue(CTextToValue function);
    virtual void setStyle(uint32_t bits);
    virtual void setTextStyle(uint32_t bits);
    virtual void setTextTransparent(bool value);

    // Draws the box and the text; a null picture means the control's own background.
    void drawText(CCanvas* canvas, const char* text, CPicture* picture);

    // Writes the text for the current value as draw does.
    void formatValue(char* text) const;

    int32_t getFont() const { return fontId; }
    int32_t getAlignment() const { return alignment; }
    uint32_t getStyle() const { return style; }
    uint32_t getTextStyle() const { return textStyle; }
    const CColour& getFontColour() const { return fontColour; }
    const CColour& getBackColour() const { return backColour; }
    const CColour& getFrameColour() const { return frameColour; }
    const CColour& getShadowColour() const { return shadowColour; }
    bool isTextTransparent() const { return textTransparent; }
    CTextToValue getTextToValue() const { return textToValue; }
    void* getUserData() const { return userData; }

protected:
    // Stores a colour and marks the display dirty when a drawn byte changed.
    void storeColour(CColour& field, const CColour& colour);

    CValueToText converter = nullptr;
    CValueToTextWithData converterWithData = nullptr;
    CTextToValue textToValue = nullptr;
    void* userData = nullptr;
    int32_t alignment = kAlignCentre;
    uint32_t style;
    int32_t fontId = 3;
    uint32_t textStyle = 0;
    CColour fontColour{255, 255, 255, 0};
    CColour backColour{0, 0, 0, 0};
    CColour frameColour{0, 0, 0, 0};
    CColour shadowColour{255, 0, 0, 0};
    bool textTransparent = true;
};
