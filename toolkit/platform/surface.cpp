#include "toolkit/platform/surface.h"
#include "toolkit/platform/font.h"
#include "toolkit/platform/pixel_buffer.h"
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// Dotted pens draw three pixels, then leave three out; the pattern runs on across the lines of
// one path and restarts when the pen moves.
constexpr int kDotOn = 3;
constexpr int kDotPeriod = 6;

uint32_t toMonochrome(uint32_t colour, uint32_t backColour) {
    return (colour & 0xffffff) == (backColour & 0xffffff) ? 0xffffff : 0;
}

} // namespace

CPixelBuffer* CSurface::selectBitmap(CPixelBuffer* newBitmap) {
    CPixelBuffer* old = bitmap;
    bitmap = newBitmap;
    return old;
}

CPen CSurface::selectPen(const CPen& newPen) {
    CPen old = pen;
    pen = newPen;
    pen.colour &= 0xffffff;
    dotPhase = 0;
    return old;
}

uint32_t CSurface::selectBrush(uint32_t colour) {
    uint32_t old = brush;
    brush = colour & 0xffffff;
    return old;
}

const CPlatformFont* CSurface::selectFont(const CPlatformFont* newFont) {
    const CPlatformFont* old = font;
    font = newFont;
    return old;
}

uint32_t CSurface::setTextColour(uint32_t colour) {
    uint32_t old = textColour;
    textColour = colour & 0xffffff;
    return old;
}

uint32_t CSurface::setBackColour(uint32_t colour) {
    uint32_t old = backColour;
    backColour = colour & 0xffffff;
    return old;
}

void CSurface::plot(int x, int y, uint32_t colour) {
    if (bitmap && bitmap->contains(x, y)) {
        bitmap->set(x, y, colour);
    }
}

void CSurface::markChanged(int left, int top, int right, int bottom) {
    if (bitmap) {
        bitmap->markChanged(left, top, right, bottom);
    }
}

uint32_t CSurface::getPixel(int x, int y) const {
    if (!bitmap || !bitmap->contains(x, y)) {
        return 0xffffffff;
    }
    return bitmap->get(x, y);
}

void CSurface::setPixel(int x, int y, uint32_t colour) {
    plot(x, y, colour);
    markChanged(x, y, x + 1, y + 1);
}

void CSurface::moveTo(int x, int y) {
    current = {x, y};
    dotPhase = 0;
}

void CSurface::lineTo(int x, int y) {
    // Bresenham from the current point; the end point itself is left out.
    int x0 = current.x;
    int y0 = current.y;
    const int dx = std::abs(x - x0);
    const int dy = std::abs(y - y0);
    const int sx = x0 < x ? 1 : -1;
    const int sy = y0 < y ? 1 : -1;
    const int steps = std::max(dx, dy);
    int error = (dx > dy ? dx : -dy) / 2;
    for (int i = 0; i < steps; ++i) {
        if (pen.style != kPenDotted || dotPhase < kDotOn) {
            plot(x0, y0, pen.colour);
        } else if (backOpaque) {
            plot(x0, y0, backColour); // the gaps of a styled pen take the background colour
        }
        if (pen.style == kPenDotted) {
            dotPhase = (dotPhase + 1) % kDotPeriod;
        }
        const int e = error;
        if (e > -dx) {
            error -= dy;
            x0 += sx;
        }
        if (e < dy) {
            error += dx;
            y0 += sy;
        }
    }
    markChanged(std::min(current.x, x), std::min(current.y, y), std::max(current.x, x) + 1,
                std::max(current.y, y) + 1);
    current = {x, y};
}

void CSurface::fillRect(int left, int top, int right, int bottom) {
    if (!bitmap) {
        return;
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, bitmap->width());
    bottom = std::min(bottom, bitmap->height());
    if (left >= right || top >= bottom) {
        return;
    }
    const uint32_t colour = bitmap->isMonochrome() ? (brush ? 0xffffff : 0) : brush;
    for (int y = top; y < bottom; ++y) {
        std::fill(bitmap->row(y) + left, bitmap->row(y) + right, colour);
    }
    markChanged(left, top, right, bottom);
}

void CSurface::fillEllipse(int left, int top, int right, int bottom) {
    if (!bitmap || right <= left || bottom <= top) {
        return;
    }
    // A pixel belongs to the ellipse when its centre lies inside the ellipse inscribed in the
    // box; rows are symmetric about the box's centre.
    const double cx = (left + right) * 0.5;
    const double cy = (top + bottom) * 0.5;
    const double rx = (right - left) * 0.5;
    const double ry = (bottom - top) * 0.5;
    for (int y = top; y < bottom; ++y) {
        const double ny = (y + 0.5 - cy) / ry;
        const double rest = 1.0 - ny * ny;
        if (rest < 0.0) {
            continue;
        }
        for (int x = left; x < right; ++x) {
            const double nx = (x + 0.5 - cx) / rx;
            if (nx * nx <= rest) {
                plot(x, y, brush);
            }
        }
    }
    markChanged(left, top, right, bottom);
}

void CSurface::floodFill(int x, int y) {
    if (!bitmap || !bitmap->contains(x, y)) {
        return;
    }
    const uint32_t target = bitmap->get(x, y);
    const uint32_t colour = bitmap->isMonochrome() ? (brush ? 0xffffff : 0) : brush;
    if (target == colour) {
        return;
    }
    // Scanline fill with an explicit stack of seeds.
    std::vector<CPosition> seeds;
    seeds.push_back({x, y});
    int minX = x, maxX = x, minY = y, maxY = y;
    const int w = bitmap->width();
    const int h = bitmap->height();
    while (!seeds.empty()) {
        const CPosition seed = seeds.back();
        seeds.pop_back();
        uint32_t* row = bitmap->row(seed.y);
        if (row[seed.x] != target) {
            continue;
        }
        int l = seed.x;
        while (l > 0 && row[l - 1] == target) {
            --l;
        }
        int r = seed.x;
        while (r + 1 < w && row[r + 1] == target) {
            ++r;
        }
        std::fill(row + l, row + r + 1, colour);
        minX = std::min(minX, l);
        maxX = std::max(maxX, r);
        minY = std::min(minY, seed.y);
        maxY = std::max(maxY, seed.y);
        for (int ny : {seed.y - 1, seed.y + 1}) {
            if (ny < 0 || ny >= h) {
                continue;
            }
            const uint32_t* other = bitmap->row(ny);
            bool inRun = false;
            for (int i = l; i <= r; ++i) {
                const bool match = other[i] == target;
                if (match && !inRun) {
                    seeds.push_back({i, ny});
                }
                inRun = match;
            }
        }
    }
    markChanged(minX, minY, maxX + 1, maxY + 1);
}

void CSurface::drawText(const char* text, const CRectangle& box, ETextAlign align) {
    if (!text || !bitmap || !font || !font->isValid()) {
        return;
    }
    const int width = font->textWidth(text);
    const int height = font->lineHeight();
    int x = box.left;
    if (align == kTextAlignCentre) {
        x = box.left + (box.width() - width) / 2;
    } else if (align == kTextAlignRight) {
        x = box.right - width;
    }
    const int y = box.top + (box.height() - height) / 2;
    const int clipLeft = std::max(box.left, 0);
    const int clipTop = std::max(box.top, 0);
    const int clipRight = std::min(box.right, bitmap->width());
    const int clipBottom = std::min(box.bottom, bitmap->height());
    if (clipLeft >= clipRight || clipTop >= clipBottom) {
        return;
    }
    if (backOpaque) {
        // The text's cell takes the background colour.
        for (int row = std::max(y, clipTop); row < std::min(y + height, clipBottom); ++row) {
            for (int col = std::max(x, clipLeft); col < std::min(x + width, clipRight); ++col) {
                bitmap->set(col, row, backColour);
            }
        }
    }
    font->drawText(*bitmap, x, y + font->ascent(), text, textColour, clipLeft, clipTop, clipRight,
                   clipBottom);
    markChanged(clipLeft, clipTop, clipRight, clipBottom);
}

void CSurface::blit(int dx, int dy, int width, int height, const CSurface& source, int sx, int sy,
                    ERasterOp op) {
    const CPixelBuffer* from = source.bitmap;
    if (!bitmap || !from || width <= 0 || height <= 0) {
        return;
    }
    // Clip against both bitmaps.
    if (sx < 0) {
        dx -= sx;
        width += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        height += sy;
        sy = 0;
    }
    if (dx < 0) {
        sx -= dx;
        width += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        height += dy;
        dy = 0;
    }
    width = std::min({width, from->width() - sx, bitmap->width() - dx});
    height = std::min({height, from->height() - sy, bitmap->height() - dy});
    if (width <= 0 || height <= 0) {
        return;
    }
    const bool toMono = bitmap->isMonochrome() && !from->isMonochrome();
    const bool fromMono = from->isMonochrome() && !bitmap->isMonochrome();
    const bool overlapping = from == bitmap;
    std::vector<uint32_t> line(static_cast<std::size_t>(width));
    const int first = overlapping && sy < dy ? height - 1 : 0;
    const int step = overlapping && sy < dy ? -1 : 1;
    for (int i = 0, row = first; i < height; ++i, row += step) {
        std::copy(from->row(sy + row) + sx, from->row(sy + row) + sx + width, line.begin());
        uint32_t* out = bitmap->row(dy + row) + dx;
        for (int col = 0; col < width; ++col) {
            uint32_t s = line[std::size_t(col)];
            if (toMono) {
                s = toMonochrome(s, source.backColour);
            } else if (fromMono) {
                s = s ? backColour : textColour;
            }
            switch (op) {
            case kRopCopy:
                out[col] = s;
                break;
            case kRopXor:
                out[col] ^= s;
                break;
            case kRopAnd:
                out[col] &= s;
                break;
            }
        }
    }
    markChanged(dx, dy, dx + width, dy + height);
}

void CSurface::transparentBlit(int dx, int dy, int width, int height, const CSurface& source,
                               int sx, int sy, uint32_t transparent) {
    const CPixelBuffer* from = source.bitmap;
    if (!bitmap || !from || width <= 0 || height <= 0) {
        return;
    }
    transparent &= 0xffffff;
    int changedLeft = bitmap->width(), changedTop = bitmap->height(), changedRight = 0,
        changedBottom = 0;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int fx = sx + col, fy = sy + row, tx = dx + col, ty = dy + row;
            if (!from->contains(fx, fy) || !bitmap->contains(tx, ty)) {
                continue;
            }
            const uint32_t s = from->get(fx, fy);
            if (s == transparent) {
                continue;
            }
            bitmap->set(tx, ty, s);
            changedLeft = std::min(changedLeft, tx);
            changedTop = std::min(changedTop, ty);
            changedRight = std::max(changedRight, tx + 1);
            changedBottom = std::max(changedBottom, ty + 1);
        }
    }
    markChanged(changedLeft, changedTop, changedRight, changedBottom);
}
