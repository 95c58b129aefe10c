#pragma once
// Decoding of BI_RLE8 and BI_RLE4 pixel data (internal to the BMP reader).
//
// The data is a list of byte pairs. (n > 0, v): n pixels of v (RLE4: the two
// nibbles of v in turn). (0, 0): end of line. (0, 1): end of bitmap. (0, 2,
// dx, dy): move right by dx and up by dy rows. (0, n >= 3): n literal pixels
// follow (RLE4: nibbles), padded to a 16-bit boundary.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/status.h"

namespace banmen {

// Writes into `out`, bottom-up rows of `stride` bytes, already zeroed.
// Pixels right of the last column are dropped; data that ends early leaves
// the rest at index 0; a pixel below the last row fails.
Status DecodeRle(std::span<const std::uint8_t> data, bool rle4, std::int32_t width,
                 std::int32_t height, std::size_t stride, std::uint8_t* out);

}  // namespace banmen
