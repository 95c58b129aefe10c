#pragma once
// Writing BMP files (no Qt).
//
// A packed DIB as this library writes it: a 40-byte BITMAPINFOHEADER with a
// positive height (bottom row first); for 16-bit images other than 5-5-5 the
// three BI_BITFIELDS masks after it; for 8 bits or less the full table of
// 2^bits entries (colour-used = 2^bits, entries beyond the bitmap's own
// table black); then the rows, padded to 4 bytes. The unused byte of 32-bit
// pixels is written as 0. The BMP file is the 14-byte BITMAPFILEHEADER
// ("BM", file size, two reserved zeros, pixel offset) and the packed DIB; the
// pixel offset counts the masks, so that readers find the pixels.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/dib_info.h"
#include "platform/status.h"

namespace banmen {

// `bits` holds the rows as `info` lays them out (top-down when its height is
// negative).
std::vector<std::uint8_t> PackDib(const BitmapInfo& info, const std::uint8_t* bits);
std::vector<std::uint8_t> BmpFileHeader(const BitmapInfo& info, std::size_t packedSize);

// Writes both blocks as one file in place of any earlier one, atomically
// (WriteFileAtomically): a failure leaves the earlier file as it was.
Status WriteTwoBlocks(const std::string& path, std::span<const std::uint8_t> first,
                      std::span<const std::uint8_t> second);

}  // namespace banmen
