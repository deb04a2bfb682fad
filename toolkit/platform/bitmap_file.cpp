#include "toolkit/platform/bitmap_file.h"
#include <cstdint>
#include <cstdlib>

namespace {

uint32_t read16(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
}

uint32_t read32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr int32_t kMaxSide = 16384;

} // namespace

CPixelBuffer readBitmapFile(const unsigned char* data, std::size_t size) {
    if (!data || size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') {
        return {};
    }
    const uint32_t pixelOffset = read32(data + 10);
    const unsigned char* info = data + kFileHeaderSize;
    if (read32(info) < kInfoHeaderSize) {
        return {};
    }
    const int32_t width = int32_t(read32(info + 4));
    const int32_t rawHeight = int32_t(read32(info + 8));
    const uint32_t bits = read16(info + 14);
    const uint32_t compression = read32(info + 16);
    if (width <= 0 || width > kMaxSide || rawHeight == 0 || rawHeight < -kMaxSide ||
        rawHeight > kMaxSide || (bits != 24 && bits != 32) ||
        (compression != 0 && compression != 3)) {
        return {};
    }
    const bool topDown = rawHeight < 0;
    const int32_t height = std::abs(rawHeight);
    const std::size_t bytesPerPixel = bits / 8;
    const std::size_t stride = (std::size_t(width) * bytesPerPixel + 3) & ~std::size_t(3);
    if (pixelOffset > size || size - pixelOffset < stride * std::size_t(height)) {
        return {};
    }
    CPixelBuffer result(width, height);
    if (result.isEmpty()) {
        return result;
    }
    for (int32_t row = 0; row < height; ++row) {
        const int32_t y = topDown ? row : height - 1 - row;
        const unsigned char* p = data + pixelOffset + stride * std::size_t(row);
        for (int32_t x = 0; x < width; ++x, p += bytesPerPixel) {
            // Stored blue, green, red.
            result.set(x, y, uint32_t(p[2]) | (uint32_t(p[1]) << 8) | (uint32_t(p[0]) << 16));
        }
    }
    return result;
}
