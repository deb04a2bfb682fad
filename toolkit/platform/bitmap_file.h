#pragma once
#include "toolkit/platform/pixel_buffer.h"
#include <cstddef>

// Reads an uncompressed 24- or 32-bit BMP file image (bottom-up or top-down rows). Anything
// else, or a damaged file, gives an empty buffer.
CPixelBuffer readBitmapFile(const unsigned char* data, std::size_t size);
