#pragma once
// Block copies between bitmaps with a raster operation (internal).

#include <cstdint>
#include <vector>

#include "media/bitmap_types.h"
#include "media/dib_bitmap.h"
#include "media/pixel_format.h"

namespace banmen {

// Combines rows of source pixels, already in the destination's raw format,
// into a destination by a raster operation.
class RowCombiner {
  public:
    RowCombiner(DibBitmap& destination, RasterOp rop, std::uint32_t patternRaw);

    // n raw pixels into row y from column x (all inside the bitmap).
    void combine(int y, int x, int n, const std::uint32_t* source);

  private:
    DibBitmap& destination_;
    std::uint32_t bits_;
    std::uint32_t rawMask_;
    std::uint8_t code_;
    std::uint32_t pattern_;
    std::vector<std::uint32_t> row_;
};

// The destination raw values of source pixels: the same raw values when both
// formats agree, otherwise through their colours.
class RawConverter {
  public:
    RawConverter(const PixelFormat& source, const PixelFormat& destination)
        : source_(source), destination_(destination), same_(source.sameAs(destination)) {}

    void convert(const std::uint8_t* row, int x, int n, std::uint32_t* out) const;

  private:
    const PixelFormat& source_;
    const PixelFormat& destination_;
    bool same_;
};

// Copies the source box (sourceX, sourceY, width, height) onto the box at
// (x, y) of the destination, both clipped to their bitmaps. Source and
// destination may be the same bitmap.
void BlitRect(DibBitmap& destination, int x, int y, int width, int height, const DibBitmap& source,
              int sourceX, int sourceY, RasterOp rop);

// The raw value of the destination's brush colour, the pattern of a raster
// operation.
std::uint32_t PatternRaw(const DibBitmap& destination);

}  // namespace banmen
