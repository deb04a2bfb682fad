#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A bitmap: width x height pixels, each a platform colour value (red + 256 * green + 65536 *
// blue; the top byte is always 0). A monochrome bitmap holds only black (0) and white
// (0xffffff). A buffer whose allocation failed has size 0 x 0.
class CPixelBuffer {
public:
    CPixelBuffer() = default;
    CPixelBuffer(int width, int height, bool monochrome = false, uint32_t fill = 0);

    int width() const { return w; }
    int height() const { return h; }
    bool isMonochrome() const { return mono; }
    bool isEmpty() const { return w <= 0 || h <= 0; }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    uint32_t get(int x, int y) const {
        return pixels[std::size_t(y) * std::size_t(w) + std::size_t(x)];
    }
    void set(int x, int y, uint32_t colour);
    uint32_t* row(int y) { return pixels.data() + std::size_t(y) * std::size_t(w); }
    const uint32_t* row(int y) const { return pixels.data() + std::size_t(y) * std::size_t(w); }

    // Bounding box (exclusive right/bottom) of what changed since the last takeChanges();
    // window backends use it to send only that part to the screen.
    void markChanged(int left, int top, int right, int bottom);
    bool takeChanges(int& left, int& top, int& right, int& bottom);

private:
    int w = 0;
    int h = 0;
    bool mono = false;
    std::vector<uint32_t> pixels;
    int changedLeft = 0, changedTop = 0, changedRight = 0, changedBottom = 0;
};
