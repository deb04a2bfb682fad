#pragma once

// The toolkit's fonts, numbered 0 to 7.
constexpr int kNumFonts = 8;

// Style bits of CCanvas::setFont.
constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kFontUnderline = 4;

struct CFontTableEntry {
    const char* face;
    int defaultSize; // pixels
    bool alwaysBold; // font 0
    bool decorative; // font 7: decorative family, default pitch
};

extern const CFontTableEntry kFontTable[kNumFonts];
