#include "media/bitmap_region.h"

#include <algorithm>

namespace banmen {

void BitmapRegion::addRun(std::int32_t y, std::int32_t left, std::int32_t right) {
    if (right <= left) {
        return;
    }
    const Rect run{left, y, right, y + 1};
    if (rects_.empty()) {
        bounds_ = run;
    } else {
        bounds_.left = std::min(bounds_.left, left);
        bounds_.top = std::min(bounds_.top, y);
        bounds_.right = std::max(bounds_.right, right);
        bounds_.bottom = std::max(bounds_.bottom, y + 1);
    }
    rects_.push_back(run);
}

bool BitmapRegion::contains(std::int32_t x, std::int32_t y) const {
    if (!bounds_.contains(x, y)) {
        return false;
    }
    // Rows are in order: find the first run of row y, then scan that row.
    auto it = std::lower_bound(rects_.begin(), rects_.end(), y,
                               [](const Rect& r, std::int32_t row) { return r.top < row; });
    for (; it != rects_.end() && it->top == y; ++it) {
        if (x >= it->left && x < it->right) {
            return true;
        }
    }
    return false;
}

std::size_t BitmapRegion::area() const {
    std::size_t total = 0;
    for (const Rect& r : rects_) {
        total += static_cast<std::size_t>(r.width());
    }
    return total;
}

}  // namespace banmen
