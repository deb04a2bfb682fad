#pragma once
#include <cstdint>

// Geometry and colour types shared by the toolkit and the editor.

struct CPosition {
    int32_t x = 0;
    int32_t y = 0;

    constexpr CPosition() = default;
    constexpr CPosition(int32_t x, int32_t y) : x(x), y(y) {}

    constexpr CPosition operator+(const CPosition& o) const { return {x + o.x, y + o.y}; }
    constexpr CPosition operator-(const CPosition& o) const { return {x - o.x, y - o.y}; }
    constexpr bool operator==(const CPosition& o) const { return x == o.x && y == o.y; }
    constexpr bool operator!=(const CPosition& o) const { return !(*this == o); }
};

// All four edges count as inside for hit and overlap tests; width is right - left.
struct CRectangle {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr CRectangle() = default;
    constexpr CRectangle(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr CPosition topLeft() const { return {left, top}; }

    // Inclusive at all four edges.
    constexpr bool contains(const CPosition& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    constexpr CRectangle offsetBy(const CPosition& d) const {
        return {left + d.x, top + d.y, right + d.x, bottom + d.y};
    }
    constexpr bool operator==(const CRectangle& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator!=(const CRectangle& o) const { return !(*this == o); }
};

// Red, green, blue and alpha bytes; alpha is carried but never drawn.
struct CColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    constexpr CColour() = default;
    constexpr CColour(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0)
        : red(red), green(green), blue(blue), alpha(alpha) {}

    // The platform colour value: red + 256 * green + 65536 * blue.
    constexpr uint32_t toPlatform() const {
        return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
    }
    static constexpr CColour fromPlatform(uint32_t value) {
        return {uint8_t(value & 0xff), uint8_t((value >> 8) & 0xff), uint8_t((value >> 16) & 0xff),
                0};
    }
    // Compares the drawn bytes only.
    constexpr bool sameRgb(const CColour& o) const {
        return red == o.red && green == o.green && blue == o.blue;
    }
    constexpr bool operator==(const CColour& o) const { return sameRgb(o) && alpha == o.alpha; }
    constexpr bool operator!=(const CColour& o) const { return !(*this == o); }
};

constexpr CColour kWhiteColour(255, 255, 255, 0);
constexpr CColour kGreyColour(127, 127, 127, 0);
constexpr CColour kRedColour(255, 0, 0, 0);
constexpr CColour kBlackColour(0, 0, 0, 0);
// A picture's transparent colour when it is loaded.
constexpr CColour kPictureTransparentColour(255, 255, 255, 0);
