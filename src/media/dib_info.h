#pragma once
// The header and colour table of a device-independent bitmap, as the BMP
// format lays them out (BITMAPINFOHEADER, then the colour masks of a
// BI_BITFIELDS image, then the RGBQUAD colour table). No Qt: the BMP reader
// and writer share it.
//
// Pixel memory of a DIB: rows of ((width * bits + 31) / 32) * 4 bytes, the
// bottom row first when `height` is positive, the top row first when it is
// negative. 1-, 4- and 8-bit pixels are colour table indices (the leftmost
// pixel in the high bits of a byte); 16- and 32-bit pixels are little-endian
// words split by the three masks; 24-bit pixels are blue, green, red bytes.

#include <array>
#include <cstddef>
#include <cstdint>

namespace banmen {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

// Largest width and height the library makes or loads.
constexpr std::int32_t kMaxDibSide = 16384;

struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
    friend constexpr bool operator==(const RgbQuad&, const RgbQuad&) = default;
};

struct BitmapInfo {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative: top-down rows
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;  // 0: 2^bitCount entries when bitCount <= 8
    std::uint32_t colorsImportant = 0;
    // Red, green and blue masks. Always filled for 16 and 32 bits: with
    // BI_RGB they are the implied 5-5-5 and 8-8-8 masks.
    std::array<std::uint32_t, 3> masks{};
    // The colour table; entries beyond tableSize() are black.
    std::array<RgbQuad, 256> colours{};

    // Entries of the colour table: 0 above 8 bits.
    std::uint32_t tableSize() const;
};

// Bytes of one row of pixel memory.
constexpr std::size_t DibStride(std::int32_t width, std::uint32_t bitCount) {
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
}

// Depths a DIB of this library may have.
constexpr bool IsDibDepth(std::uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The info this library makes for a depth and size: a 40-byte header,
// bottom-up, BI_RGB with the standard 2-, 16- or 256-colour table for 8 bits
// or less, BI_BITFIELDS 5-6-5 for 16 bits. `usedSize` (when given) receives
// the block size the platform used for it: 40 plus 8, 64 or 1024 bytes of
// colour table, 104 for 16 bits, 40 above. False for any other depth.
bool BuildBitmapInfo(std::uint32_t bits, std::int32_t width, std::int32_t height, BitmapInfo& info,
                     std::size_t* usedSize = nullptr);

// Header size plus the colour table (and the masks of a 16- or 32-bit
// BI_BITFIELDS image).
std::size_t InfoSize(const BitmapInfo& info);

// The standard colour tables: black and white; the 16 colours (dark levels
// 128, light grey 192); 256 colours of the 20 static system colours (first
// and last ten), a 6 x 6 x 6 cube on the levels 0, 51, 102, 153, 204, 255
// (entries 10 to 225, blue fastest) and 20 greys (226 to 245).
const std::array<RgbQuad, 2>& StandardTable1();
const std::array<RgbQuad, 16>& StandardTable4();
const std::array<RgbQuad, 256>& StandardTable8();

// The default masks of a 16-bit image: 5-5-5 for BI_RGB, 5-6-5 as this
// library makes them.
constexpr std::array<std::uint32_t, 3> kMasks555 = {0x7C00, 0x03E0, 0x001F};
constexpr std::array<std::uint32_t, 3> kMasks565 = {0xF800, 0x07E0, 0x001F};
constexpr std::array<std::uint32_t, 3> kMasks888 = {0x00FF0000, 0x0000FF00, 0x000000FF};

}  // namespace banmen
