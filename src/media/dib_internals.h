#pragma once
// What the library's own routines read of a DibBitmap beyond its public
// interface (internal).

#include "media/bitmap_dc.h"
#include "media/dib_bitmap.h"
#include "media/pixel_format.h"

namespace banmen {

struct DibInternals {
    static const PixelFormat& format(const DibBitmap& bitmap) { return bitmap.format(); }
    static const DibBitmap::DrawState& state(const DibBitmap& bitmap) { return bitmap.state(); }
    static DibBitmap::DrawState& state(DibBitmap& bitmap) { return bitmap.state(); }
};

}  // namespace banmen
