// DibBitmap: rotation, multiplying by a grey map, and the region of the
// opaque pixels.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "media/dib_bitmap.h"
#include "media/dib_lock.h"
#include "media/pixel_format.h"

namespace banmen {
namespace {

// Channel by channel: a * (255 - w) / 255 + b * w / 255.
Colour mix(Colour a, Colour b, std::uint32_t w) {
    Colour out = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        const std::uint32_t ca = (a >> shift) & 0xFF;
        const std::uint32_t cb = (b >> shift) & 0xFF;
        out |= ((ca * (255 - w) + cb * w) / 255) << shift;
    }
    return out;
}

// Weight 0..255 of a fraction in [0, 1).
std::uint32_t weightOf(double fraction) {
    return std::min<std::uint32_t>(static_cast<std::uint32_t>(fraction * 255.0), 255);
}

}  // namespace

// Every destination pixel of the turned box's bounding box is turned back
// (pixel centres, by -degrees about the box's centre) to a source position.
// Inside the source box, the source pixel there is blended with its right
// neighbour by the fractional x, and the result with the pixel below by the
// fractional y; the last column and row of the source box do not blend.
// Positive angles turn counter-clockwise as seen on the screen.
void DibBitmap::DrawRotated(const DibBitmap& source, int x, int y, int width, int height,
                            int sourceX, int sourceY, double degrees) {
    LockGuard lock(*this);
    if (IsEmpty() || source.IsEmpty() || width <= 0 || height <= 0) {
        return;
    }
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double cx = x + width / 2.0;
    const double cy = y + height / 2.0;
    double minX = cx;
    double maxX = cx;
    double minY = cy;
    double maxY = cy;
    for (const auto& [dx, dy] :
         {std::pair{-width / 2.0, -height / 2.0}, std::pair{width / 2.0, -height / 2.0},
          std::pair{-width / 2.0, height / 2.0}, std::pair{width / 2.0, height / 2.0}}) {
        const double px = cx + dx * c + dy * s;
        const double py = cy - dx * s + dy * c;
        minX = std::min(minX, px);
        maxX = std::max(maxX, px);
        minY = std::min(minY, py);
        maxY = std::max(maxY, py);
    }
    const int left = std::max(0, static_cast<int>(std::floor(minX)));
    const int top = std::max(0, static_cast<int>(std::floor(minY)));
    const int right = std::min(width_, static_cast<int>(std::ceil(maxX)));
    const int bottom = std::min(height_, static_cast<int>(std::ceil(maxY)));
    // The source box, inside the source bitmap.
    const int boxLeft = std::max(sourceX, 0);
    const int boxTop = std::max(sourceY, 0);
    const int boxRight = std::min(sourceX + width, source.GetWidth());
    const int boxBottom = std::min(sourceY + height, source.GetHeight());
    const DibBitmap* mask = source.GetMask();
    auto transparent = [&](int px, int py) {
        return mask != nullptr && mask->GetPixel(px, py) != 0;
    };
    // Snaps positions that rounding left a hair off a whole pixel.
    auto snap = [](double v) {
        const double r = std::round(v);
        return std::abs(v - r) < 1e-9 ? r : v;
    };
    for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
            const double dx = px + 0.5 - cx;
            const double dy = py + 0.5 - cy;
            const double u = snap(dx * c - dy * s + width / 2.0 - 0.5 + sourceX);
            const double v = snap(dx * s + dy * c + height / 2.0 - 0.5 + sourceY);
            const double fu = std::floor(u);
            const double fv = std::floor(v);
            if (fu < boxLeft || fv < boxTop || fu >= boxRight || fv >= boxBottom) {
                continue;
            }
            const auto sx = static_cast<int>(fu);
            const auto sy = static_cast<int>(fv);
            if (transparent(sx, sy)) {
                continue;
            }
            Colour colour = source.GetPixel(sx, sy);
            if (sx + 1 < boxRight && !transparent(sx + 1, sy)) {
                colour = mix(colour, source.GetPixel(sx + 1, sy), weightOf(u - fu));
            }
            if (sy + 1 < boxBottom && !transparent(sx, sy + 1)) {
                colour = mix(colour, source.GetPixel(sx, sy + 1), weightOf(v - fv));
            }
            SetPixelV(px, py, colour);
        }
    }
}

// The map box is clipped to the map less the map offset; pixels are then
// multiplied channel by channel by v / 255 where v (the map's red channel)
// is not 255.
void DibBitmap::MultiplyByMap(const DibBitmap& map, int x, int y, int width, int height, int mapX,
                              int mapY) {
    LockGuard lock(*this);
    if (IsEmpty() || map.IsEmpty()) {
        return;
    }
    width = std::min(width, map.GetWidth() - mapX);
    height = std::min(height, map.GetHeight() - mapY);
    for (int j = 0; j < height; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= height_ || mapY + j < 0) {
            continue;
        }
        for (int i = 0; i < width; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= width_ || mapX + i < 0) {
                continue;
            }
            const std::uint32_t v = RedOf(map.GetPixel(mapX + i, mapY + j));
            if (v == 255) {
                continue;
            }
            const Colour c = GetPixel(tx, ty);
            SetPixelV(tx, ty,
                      RgbColour(RedOf(c) * v / 255, GreenOf(c) * v / 255, BlueOf(c) * v / 255));
        }
    }
}

BitmapRegion DibBitmap::MakeRegion(Colour transparent) const {
    BitmapRegion region;
    if (IsEmpty()) {
        return region;
    }
    const std::uint32_t key = transparent == kNoColour ? 0xFFFFFFFFu : QuadOf(transparent);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(width_));
    for (int y = 0; y < height_; ++y) {
        format().readQuads(RowBits(y), 0, width_, row.data());
        int x = 0;
        while (x < width_) {
            while (x < width_ && row[static_cast<std::size_t>(x)] == key) {
                ++x;
            }
            const int start = x;
            while (x < width_ && row[static_cast<std::size_t>(x)] != key) {
                ++x;
            }
            region.addRun(y, start, x);
        }
    }
    return region;
}

}  // namespace banmen
