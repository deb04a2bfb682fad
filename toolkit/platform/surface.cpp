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

// The columns and rows of a block copy that lie inside both bitmaps, relative to the block.
struct CBlock {
    int64_t colFirst, colEnd, rowFirst, rowEnd;
};

bool clipBlock(const CPixelBuffer* from, const CPixelBuffer* to, int dx, int dy, int width,
               int height, int sx, int sy, CBlock& b) {
    if (!from || !to || width <= 0 || height <= 0) {
        return false;
    }
    b.colFirst = std::max<int64_t>({0, -int64_t(sx), -int64_t(dx)});
    b.colEnd = std::min<int64_t>({width, int64_t(from->width()) - sx, int64_t(to->width()) - dx});
    b.rowFirst = std::max<int64_t>({0, -int64_t(sy), -int64_t(dy)});
    b.rowEnd =
        std::min<int64_t>({height, int64_t(from->height()) - sy, int64_t(to->height()) - dy});
    return b.colFirst < b.colEnd && b.rowFirst < b.rowEnd;
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
    // Midpoint rule along the major axis, end point left out. Each pixel is computed from its
    // step number, so only the steps inside the bitmap are visited.
    const int64_t x0 = current.x;
    const int64_t y0 = current.y;
    const int64_t dx = std::llabs(int64_t(x) - x0);
    const int64_t dy = std::llabs(int64_t(y) - y0);
    const int64_t sx = x0 < x ? 1 : -1;
    const int64_t sy = y0 < y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int64_t steps = xMajor ? dx : dy;
    const int64_t minorLength = xMajor ? dy : dx;
    if (bitmap && steps > 0) {
        // Steps whose major coordinate lies inside the bitmap.
        const int64_t start = xMajor ? x0 : y0;
        const int64_t direction = xMajor ? sx : sy;
        const int64_t limit = xMajor ? bitmap->width() : bitmap->height();
        int64_t first = 0;
        int64_t last = steps - 1;
        if (direction > 0) {
            first = std::max<int64_t>(first, -start);
            last = std::min<int64_t>(last, limit - 1 - start);
        } else {
            first = std::max<int64_t>(first, start - (limit - 1));
            last = std::min<int64_t>(last, start);
        }
        for (int64_t i = first; i <= last; ++i) {
            const int64_t minor = (2 * i * minorLength + steps) / (2 * steps);
            const int64_t px = xMajor ? x0 + sx * i : x0 + sx * minor;
            const int64_t py = xMajor ? y0 + sy * minor : y0 + sy * i;
            if (px < 0 || py < 0 || px >= bitmap->width() || py >= bitmap->height()) {
                continue;
            }
            const int phase = int((dotPhase + i) % kDotPeriod);
            if (pen.style != kPenDotted || phase < kDotOn) {
                plot(int(px), int(py), pen.colour);
            } else if (backOpaque) {
                plot(int(px), int(py), backColour); // the gaps of a styled pen
            }
        }
        markChanged(int(std::max<int64_t>(std::min<int64_t>(x0, x), -1)),
                    int(std::max<int64_t>(std::min<int64_t>(y0, y), -1)),
                    int(std::min<int64_t>(std::max<int64_t>(x0, x) + 1, bitmap->width())),
                    int(std::min<int64_t>(std::max<int64_t>(y0, y) + 1, bitmap->height())));
    }
    if (pen.style == kPenDotted) {
        dotPhase = int((dotPhase + steps) % kDotPeriod);
    }
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
    const double cx = (double(left) + double(right)) * 0.5;
    const double cy = (double(top) + double(bottom)) * 0.5;
    const double rx = (double(right) - double(left)) * 0.5;
    const double ry = (double(bottom) - double(top)) * 0.5;
    for (int y = std::max(top, 0); y < std::min(bottom, bitmap->height()); ++y) {
        const double ny = (y + 0.5 - cy) / ry;
        const double rest = 1.0 - ny * ny;
        if (rest < 0.0) {
            continue;
        }
        for (int x = std::max(left, 0); x < std::min(right, bitmap->width()); ++x) {
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
    CBlock b;
    if (!clipBlock(from, bitmap, dx, dy, width, height, sx, sy, b)) {
        return;
    }
    const int64_t colFirst = b.colFirst, colEnd = b.colEnd, rowFirst = b.rowFirst,
                  rowEnd = b.rowEnd;
    const bool toMono = bitmap->isMonochrome() && !from->isMonochrome();
    const bool fromMono = from->isMonochrome() && !bitmap->isMonochrome();
    // Within one bitmap, copy rows in the order that does not read what was just written.
    const bool upwards = from == bitmap && sy < dy;
    std::vector<uint32_t> line(std::size_t(colEnd - colFirst));
    for (int64_t i = rowFirst; i < rowEnd; ++i) {
        const int64_t row = upwards ? rowEnd - 1 - (i - rowFirst) : i;
        const uint32_t* in = from->row(int(sy + row));
        std::copy(in + (sx + colFirst), in + (sx + colEnd), line.begin());
        uint32_t* out = bitmap->row(int(dy + row));
        for (int64_t col = colFirst; col < colEnd; ++col) {
            uint32_t s = line[std::size_t(col - colFirst)];
            if (toMono) {
                s = toMonochrome(s, source.backColour);
            } else if (fromMono) {
                s = s ? backColour : textColour;
            }
            uint32_t& d = out[dx + col];
            switch (op) {
            case kRopCopy:
                d = s;
                break;
            case kRopXor:
                d ^= s;
                break;
            case kRopAnd:
                d &= s;
                break;
            }
        }
    }
    markChanged(int(dx + colFirst), int(dy + rowFirst), int(dx + colEnd), int(dy + rowEnd));
}

void CSurface::transparentBlit(int dx, int dy, int width, int height, const CSurface& source,
                               int sx, int sy, uint32_t transparent) {
    const CPixelBuffer* from = source.bitmap;
    CBlock b;
    if (!clipBlock(from, bitmap, dx, dy, width, height, sx, sy, b)) {
        return;
    }
    transparent &= 0xffffff;
    const int64_t colFirst = b.colFirst, colEnd = b.colEnd, rowFirst = b.rowFirst,
                  rowEnd = b.rowEnd;
    for (int64_t row = rowFirst; row < rowEnd; ++row) {
        const uint32_t* in = from->row(int(sy + row));
        uint32_t* out = bitmap->row(int(dy + row));
        for (int64_t col = colFirst; col < colEnd; ++col) {
            const uint32_t pixel = in[sx + col];
            if (pixel != transparent) {
                out[dx + col] = pixel;
            }
        }
    }
    markChanged(int(dx + colFirst), int(dy + rowFirst), int(dx + colEnd), int(dy + rowEnd));
}
