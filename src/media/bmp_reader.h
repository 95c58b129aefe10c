#pragma once
// Reading BMP files and packed DIBs (a BMP without its 14-byte file header,
// as the clipboard holds them). No Qt.
//
// Accepted: the core (12-byte), OS/2 2.x (16 to 64 bytes), info (40), V2
// (52), V3 (56), V4 (108) and V5 (124) headers; 1, 2, 4, 8, 16, 24 and
// 32 bits; BI_RGB, BI_RLE8, BI_RLE4, BI_BITFIELDS and BI_ALPHABITFIELDS;
// bottom-up and top-down rows. Refused with a short reason: a missing "BM",
// truncated headers, tables or pixels, sizes of 0 or above 16384, more than
// kMaxDibPixelBytes of pixel memory (or, for RLE, more than 16 MiB and over
// 256 times the compressed data), table or pixel offsets outside the data, combinations of bit
// count and compression that make no sense, RLE that writes past the last row, JPEG and PNG
// contents.
//
// The result is normalised for the bitmap library:
// - rows bottom-up (positive height), 40-byte header;
// - 2-bit images become 4-bit (same indices, same table);
// - RLE images become BI_RGB of the same depth; pixels that the RLE data
//   skips (deltas, early line ends, data that stops) are index 0; runs past
//   the right edge are cut off there;
// - 16-bit images keep their masks (BI_RGB 5-5-5, or BI_BITFIELDS);
// - 32-bit images with other masks than 8-8-8 are converted to it (BI_RGB);
//   the top byte holds the alpha of a mask that has one, otherwise 0;
// - `colorsUsed` is the number of table entries read (8 bits or less), 0
//   above. The table is what the file holds, without padding; a table cut
//   short by the pixel offset keeps the entries before it, and a longer one
//   than the depth can use (all of it in the file) gives its first 2^bits.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/dib_info.h"
#include "platform/status.h"

namespace banmen {

// Upper bound of the pixel memory of one loaded image.
constexpr std::size_t kMaxDibPixelBytes = std::size_t{256} << 20;

struct DibImage {
    BitmapInfo info;
    std::vector<std::uint8_t> bits;  // DibStride(width, bitCount) * height bytes
};

Status ReadBmp(std::span<const std::uint8_t> file, DibImage& out);
Status ReadPackedDib(std::span<const std::uint8_t> packed, DibImage& out);
Status ReadBmpFile(const std::string& path, DibImage& out);

}  // namespace banmen
