#pragma once
// Small value types of the bitmap library: colours, rectangles and points in
// the platform's drawing conventions, and the raster operations.

#include <cstdint>

namespace banmen {

// 0x00BBGGRR, as the game record stores colours. kNoColour (-1) means "none"
// wherever a transparent or shadow colour is asked for, and is what GetPixel
// answers outside the bitmap.
using Colour = std::uint32_t;
constexpr Colour kNoColour = 0xFFFFFFFFu;

constexpr Colour RgbColour(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr std::uint32_t RedOf(Colour c) {
    return c & 0xFF;
}
constexpr std::uint32_t GreenOf(Colour c) {
    return (c >> 8) & 0xFF;
}
constexpr std::uint32_t BlueOf(Colour c) {
    return (c >> 16) & 0xFF;
}

constexpr Colour kMagenta = RgbColour(255, 0, 255);

// A rectangle whose right and bottom edges are outside it: (left, top) to
// (right - 1, bottom - 1).
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr std::int32_t width() const { return right - left; }
    constexpr std::int32_t height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(std::int32_t x, std::int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Raster operations (the ternary codes): the byte at bits 16..23 is the truth
// table over pattern (brush), source and destination bits.
using RasterOp = std::uint32_t;
constexpr RasterOp kSrcCopy = 0x00CC0020;
constexpr RasterOp kSrcPaint = 0x00EE0086;  // OR
constexpr RasterOp kSrcAnd = 0x008800C6;
constexpr RasterOp kSrcInvert = 0x00660046;  // XOR
constexpr RasterOp kSrcErase = 0x00440328;
constexpr RasterOp kNotSrcCopy = 0x00330008;
constexpr RasterOp kNotSrcErase = 0x001100A6;
constexpr RasterOp kMergePaint = 0x00BB0226;
constexpr RasterOp kPatCopy = 0x00F00021;
constexpr RasterOp kDstInvert = 0x00550009;
constexpr RasterOp kBlackness = 0x00000042;
constexpr RasterOp kWhiteness = 0x00FF0062;

// Flags of DibBitmap::Draw.
constexpr std::uint32_t kDrawStretch = 0x8000;
constexpr std::uint32_t kDrawTile = 0x4000;

// Background modes and polygon fill modes of the drawing state.
constexpr int kTransparentMode = 1;
constexpr int kOpaqueMode = 2;
constexpr int kAlternate = 1;
constexpr int kWinding = 2;

}  // namespace banmen
