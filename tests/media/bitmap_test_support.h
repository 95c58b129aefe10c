#pragma once
// Helpers of the bitmap tests: bitmaps with known pixels, and comparisons.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "media/dib_bitmap.h"

namespace banmen::test {

constexpr Colour kRed = RgbColour(255, 0, 0);
constexpr Colour kGreen = RgbColour(0, 255, 0);
constexpr Colour kBlue = RgbColour(0, 0, 255);
constexpr Colour kWhite = RgbColour(255, 255, 255);
// A colour no drawing of the tests makes: what a copy must leave alone.
constexpr Colour kSentinel = RgbColour(1, 2, 250);

inline void fill(DibBitmap& bitmap, Colour colour) {
    bitmap.FillSolidRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight(), colour);
}

// A colour that tells its position apart: red = x, green = y (both below 256).
inline Colour positionColour(int x, int y, std::uint32_t blue = 7) {
    return RgbColour(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), blue);
}

// A 32-bit bitmap whose every pixel is positionColour(x, y).
inline void fillWithPositions(DibBitmap& bitmap, std::uint32_t blue = 7) {
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            bitmap.SetPixel(x, y, positionColour(x, y, blue));
        }
    }
}

// A new 32-bit bitmap in one colour; false when it cannot be made.
inline bool createFilled(DibBitmap& bitmap, int width, int height, Colour colour) {
    if (!bitmap.Create(32, width, height)) {
        return false;
    }
    fill(bitmap, colour);
    return true;
}

// A new 32-bit bitmap filled with positionColour(x, y).
inline bool createWithPositions(DibBitmap& bitmap, int width, int height) {
    if (!bitmap.Create(32, width, height)) {
        return false;
    }
    fillWithPositions(bitmap);
    return true;
}

// A new bitmap of the depth, top-down or bottom-up, with the standard colour
// table; false when it cannot be made.
inline bool createWithRowOrder(DibBitmap& bitmap, int bits, bool topDown, int width, int height) {
    BitmapInfo info;
    if (!BuildBitmapInfo(static_cast<std::uint32_t>(bits), width, height, info)) {
        return false;
    }
    if (topDown) {
        info.height = -info.height;
    }
    return bitmap.Create(info, nullptr);
}

// Random raw pixels (indices inside the table for 8 bits or less).
inline void fillRandomly(DibBitmap& bitmap, std::uint32_t seed) {
    std::mt19937 random(seed);
    const std::uint32_t bits = bitmap.GetBitsPerPixel();
    const std::uint32_t colours = bitmap.GetColourCount();
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            if (bits <= 8) {
                const auto index = random() % colours;
                const RgbQuad q = bitmap.GetInfo()->colours[index];
                bitmap.SetPixel(x, y, RgbColour(q.red, q.green, q.blue));
            } else {
                bitmap.SetPixel(x, y, random() & 0xFFFFFF);
            }
        }
    }
}

// The first pixel where two bitmaps' colours differ, or "" when none does.
inline std::string firstDifference(const DibBitmap& a, const DibBitmap& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight()) {
        return "sizes differ";
    }
    for (int y = 0; y < a.GetHeight(); ++y) {
        for (int x = 0; x < a.GetWidth(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
    }
    return {};
}

inline std::string hex(Colour c) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", c);
    return text;
}

}  // namespace banmen::test
