#pragma once

#include "toolkit/view.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// True when the view at index already appeared earlier in the list.
inline bool listedBefore(const std::vector<CView*>& views, size_t index) {
    const auto end = views.begin() + static_cast<std::ptrdiff_t>(index);
    return std::find(views.begin(), end, views[index]) != end;
}

// Offers a key to the views from the last to the first; the first answer other than -1 wins.
inline int32_t offerKey(const std::vector<CView*>& views, const CKeyCode& key,
                        int32_t (CView::*handler)(const CKeyCode&)) {
    for (size_t i = views.size(); i-- > 0;) {
        const int32_t result = (views[i]->*handler)(key);
        if (result != -1) {
            return result;
        }
    }
    return -1;
}

inline bool listContains(const std::vector<CView*>& views, const CView* view) {
    return std::find(views.begin(), views.end(), view) != views.end();
}

// The view at index, or null when the index is out of range.
inline CView* listAt(const std::vector<CView*>& views, int32_t index) {
    return index < 0 || static_cast<size_t>(index) >= views.size()
               ? nullptr
               : views[static_cast<size_t>(index)];
}
