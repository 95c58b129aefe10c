#pragma once
// Raw pixels of a DIB and the colours they stand for (internal to the bitmap
// library). A "quad" is 0x00RRGGBB: the order of a 32-bit DIB pixel and of a
// QImage::Format_RGB32 pixel, which the row conversions use.

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "media/bitmap_types.h"
#include "media/dib_info.h"

namespace banmen {

constexpr std::uint32_t QuadOf(Colour c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr Colour ColourOf(std::uint32_t quad) {
    return QuadOf(quad & 0x00FFFFFF);
}

// The raw pixel at column x of a row.
inline std::uint32_t ReadRaw(const std::uint8_t* row, std::int32_t x, std::uint32_t bits) {
    const auto ux = static_cast<std::size_t>(x);
    switch (bits) {
        case 1:
            return (row[ux / 8] >> (7 - ux % 8)) & 1u;
        case 4:
            return (row[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 0x0Fu;
        case 8:
            return row[ux];
        case 16:
            return static_cast<std::uint32_t>(row[2 * ux] | (row[2 * ux + 1] << 8));
        case 24:
            return static_cast<std::uint32_t>(row[3 * ux] | (row[3 * ux + 1] << 8) |
                                              (row[3 * ux + 2] << 16));
        default: {
            const std::uint8_t* p = row + 4 * ux;
            return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                   (static_cast<std::uint32_t>(p[2]) << 16) |
                   (static_cast<std::uint32_t>(p[3]) << 24);
        }
    }
}

inline void WriteRaw(std::uint8_t* row, std::int32_t x, std::uint32_t bits, std::uint32_t raw) {
    const auto ux = static_cast<std::size_t>(x);
    switch (bits) {
        case 1: {
            const auto bit = static_cast<std::uint8_t>(0x80u >> (ux % 8));
            row[ux / 8] =
                static_cast<std::uint8_t>((raw & 1) != 0 ? row[ux / 8] | bit : row[ux / 8] & ~bit);
            break;
        }
        case 4:
            row[ux / 2] =
                static_cast<std::uint8_t>(ux % 2 == 0 ? (row[ux / 2] & 0x0F) | ((raw & 0x0F) << 4)
                                                      : (row[ux / 2] & 0xF0) | (raw & 0x0F));
            break;
        case 8:
            row[ux] = static_cast<std::uint8_t>(raw);
            break;
        case 16:
            row[2 * ux] = static_cast<std::uint8_t>(raw);
            row[2 * ux + 1] = static_cast<std::uint8_t>(raw >> 8);
            break;
        case 24:
            row[3 * ux] = static_cast<std::uint8_t>(raw);
            row[3 * ux + 1] = static_cast<std::uint8_t>(raw >> 8);
            row[3 * ux + 2] = static_cast<std::uint8_t>(raw >> 16);
            break;
        default:
            row[4 * ux] = static_cast<std::uint8_t>(raw);
            row[4 * ux + 1] = static_cast<std::uint8_t>(raw >> 8);
            row[4 * ux + 2] = static_cast<std::uint8_t>(raw >> 16);
            row[4 * ux + 3] = static_cast<std::uint8_t>(raw >> 24);
            break;
    }
}

// How the raw pixels of one bitmap map to colours. Mask fields of any width
// scale to 0..255 with rounding (5-bit 3 is 25), and back exactly.
class PixelFormat {
  public:
    explicit PixelFormat(const BitmapInfo& info);

    std::uint32_t bits() const { return bits_; }
    bool indexed() const { return bits_ <= 8; }
    // 32 bits laid out as 0x??RRGGBB, the fast case of every conversion.
    bool standard32() const { return standard32_; }
    // The bits a raw pixel has: 0x1, 0xF, 0xFF, 0xFFFF, 0xFFFFFF or 0xFFFFFFFF.
    std::uint32_t rawMask() const { return rawMask_; }
    bool sameAs(const PixelFormat& other) const;
    // 1 bit with the table black, white (a mask). Copied into another format
    // such pixels become raw 0 and all ones, as a monochrome bitmap becomes
    // the destination's black and white, so that ANDing a mask keeps or
    // clears the destination whatever its table holds.
    bool blackAndWhite() const { return blackAndWhite_; }

    std::uint32_t toQuad(std::uint32_t raw) const;
    Colour toColour(std::uint32_t raw) const { return ColourOf(toQuad(raw)); }
    // For 8 bits or less, the nearest table entry (the first of equals).
    std::uint32_t fromQuad(std::uint32_t quad) const;
    std::uint32_t fromColour(Colour c) const { return fromQuad(QuadOf(c)); }
    std::uint32_t nearestIndex(std::uint32_t quad) const;

    // Converts n pixels from column x of a row.
    void readQuads(const std::uint8_t* row, std::int32_t x, std::int32_t n,
                   std::uint32_t* out) const;
    void readRaws(const std::uint8_t* row, std::int32_t x, std::int32_t n,
                  std::uint32_t* out) const;

  private:
    struct Field {
        unsigned shift = 0;
        std::uint32_t max = 0;  // largest value of the field; 0 for an empty mask
    };
    std::uint32_t bits_;
    std::uint32_t rawMask_;
    bool standard32_ = false;
    bool blackAndWhite_ = false;
    std::uint32_t tableSize_ = 0;
    std::uint32_t table_[256] = {};  // quads
    Field fields_[3];
    mutable std::unordered_map<std::uint32_t, std::uint32_t> nearest_;
};

}  // namespace banmen
