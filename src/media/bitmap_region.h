#pragma once
// The region DibBitmap::MakeRegion returns: the opaque pixels of a picture
// as one-row rectangles, in row order and left to right within a row.

#include <cstddef>
#include <vector>

#include "media/bitmap_types.h"

namespace banmen {

class BitmapRegion {
  public:
    // Adds a run; runs of one row are added left to right, rows top down.
    void addRun(std::int32_t y, std::int32_t left, std::int32_t right);

    bool empty() const { return rects_.empty(); }
    const std::vector<Rect>& rects() const { return rects_; }
    // The smallest rectangle holding the region; empty for an empty region.
    Rect bounds() const { return bounds_; }
    bool contains(std::int32_t x, std::int32_t y) const;
    // Pixels inside the region.
    std::size_t area() const;

  private:
    std::vector<Rect> rects_;
    Rect bounds_;
};

}  // namespace banmen
