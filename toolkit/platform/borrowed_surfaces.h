#pragma once
#include "toolkit/platform/surface.h"
#include <algorithm>
#include <memory>
#include <vector>

// The surfaces lent out over one window's bitmap until they are given back.
class CBorrowedSurfaces {
public:
    CSurface* lend(CPixelBuffer* bitmap) {
        surfaces.push_back(std::make_unique<CSurface>(bitmap));
        return surfaces.back().get();
    }
    void giveBack(CSurface* surface) {
        auto found = std::find_if(
            surfaces.begin(), surfaces.end(),
            [surface](const std::unique_ptr<CSurface>& s) { return s.get() == surface; });
        if (found != surfaces.end()) {
            surfaces.erase(found);
        }
    }
    int count() const { return int(surfaces.size()); }

private:
    std::vector<std::unique_ptr<CSurface>> surfaces;
};
