#include "toolkit/platform/pixel_buffer.h"
#include <algorithm>
#include <new>

CPixelBuffer::CPixelBuffer(int width, int height, bool monochrome, uint32_t fill)
    : mono(monochrome) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (monochrome) {
        fill = fill ? 0xffffff : 0;
    }
    try {
        pixels.assign(std::size_t(width) * std::size_t(height), fill & 0xffffff);
    } catch (const std::bad_alloc&) {
        return; // a bitmap that cannot be made is empty
    }
    w = width;
    h = height;
}

void CPixelBuffer::set(int x, int y, uint32_t colour) {
    if (mono) {
        colour = (colour & 0xffffff) ? 0xffffff : 0;
    }
    pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)] = colour & 0xffffff;
}

void CPixelBuffer::markChanged(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, w);
    bottom = std::min(bottom, h);
    if (left >= right || top >= bottom) {
        return;
    }
    if (changedLeft >= changedRight || changedTop >= changedBottom) {
        changedLeft = left;
        changedTop = top;
        changedRight = right;
        changedBottom = bottom;
        return;
    }
    changedLeft = std::min(changedLeft, left);
    changedTop = std::min(changedTop, top);
    changedRight = std::max(changedRight, right);
    changedBottom = std::max(changedBottom, bottom);
}

bool CPixelBuffer::takeChanges(int& left, int& top, int& right, int& bottom) {
    if (changedLeft >= changedRight || changedTop >= changedBottom) {
        return false;
    }
    left = changedLeft;
    top = changedTop;
    right = changedRight;
    bottom = changedBottom;
    changedLeft = changedTop = changedRight = changedBottom = 0;
    return true;
}
