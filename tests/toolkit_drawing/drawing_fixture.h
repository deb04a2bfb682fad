#pragma once
#include "toolkit/canvas.h"
#include "toolkit/platform/headless_platform.h"
#include "toolkit/platform/pixel_buffer.h"
#include "toolkit/platform/surface.h"
#include <gtest/gtest.h>

constexpr CColour kBlue(0, 0, 255);
constexpr CColour kGreen(0, 255, 0);

// A canvas over a 64 x 48 bitmap cleared to black, with a headless platform installed.
class DrawingTest : public ::testing::Test {
protected:
    CHeadlessPlatform platform;
    CPlatformScope scope{platform};
    CPixelBuffer pixels{64, 48};
    CSurface surface{&pixels};
    CCanvas canvas{nullptr, &surface, nullptr};

    CColour at(int x, int y) const { return CColour::fromPlatform(pixels.get(x, y)); }

    // The smallest box (right/bottom exclusive) around pixels that differ from the colour;
    // an empty rectangle when there are none.
    CRectangle inkBox(const CColour& background) const {
        CRectangle box(pixels.width(), pixels.height(), 0, 0);
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                if (pixels.get(x, y) != background.toPlatform()) {
                    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                           std::max(box.bottom, y + 1)};
                }
            }
        }
        return box.left < box.right ? box : CRectangle();
    }

    int count(const CColour& colour) const {
        int n = 0;
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                n += pixels.get(x, y) == colour.toPlatform();
            }
        }
        return n;
    }
};
