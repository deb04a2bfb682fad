#pragma once
#include <cstddef>

// A file built into the library (the bitmaps), found by its resource number.
struct CEmbeddedResource {
    int number;
    const unsigned char* data;
    std::size_t size;
};

// Null when no resource has the number.
const CEmbeddedResource* findResource(int number);
