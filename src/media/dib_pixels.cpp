// DibBitmap: single pixels, solid fills, nearest colours and the 32-bit copy.

#include <algorithm>

#include "media/dib_bitmap.h"
#include "media/dib_lock.h"
#include "media/pixel_format.h"

namespace banmen {

Colour DibBitmap::GetPixel(int x, int y) const {
    if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kNoColour;
    }
    return format().toColour(ReadRaw(RowBits(y), x, info_.bitCount));
}

Colour DibBitmap::SetPixel(int x, int y, Colour colour) {
    LockGuard lock(*this);
    if (IsEmpty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return kNoColour;
    }
    const std::uint32_t raw = format().fromColour(colour);
    WriteRaw(RowBits(y), x, info_.bitCount, raw);
    return format().toColour(raw);
}

void DibBitmap::putPixel(int x, int y, Colour colour) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_ && bits_ != nullptr) {
        WriteRaw(RowBits(y), x, info_.bitCount, format().fromColour(colour));
    }
}

bool DibBitmap::SetPixelV(int x, int y, Colour colour) {
    return SetPixel(x, y, colour) != kNoColour;
}

void DibBitmap::FillSolidRect(const Rect& rect, Colour colour) {
    LockGuard lock(*this);
    if (IsEmpty()) {
        return;
    }
    const std::int32_t left = std::max(rect.left, 0);
    const std::int32_t top = std::max(rect.top, 0);
    const std::int32_t right = std::min(rect.right, width_);
    const std::int32_t bottom = std::min(rect.bottom, height_);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint32_t raw = format().fromColour(colour);
    const std::uint32_t bits = info_.bitCount;
    for (std::int32_t y = top; y < bottom; ++y) {
        std::uint8_t* row = RowBits(y);
        if (bits == 32) {
            std::fill_n(reinterpret_cast<std::uint32_t*>(row) + left, right - left, raw);
        } else if (bits == 8) {
            std::fill(row + left, row + right, static_cast<std::uint8_t>(raw));
        } else {
            for (std::int32_t x = left; x < right; ++x) {
                WriteRaw(row, x, bits, raw);
            }
        }
    }
}

void DibBitmap::FillSolidRect(int x, int y, int width, int height, Colour colour) {
    FillSolidRect(Rect{x, y, x + width, y + height}, colour);
}

Colour DibBitmap::NearestColour(Colour colour) const {
    if (IsEmpty()) {
        return kNoColour;
    }
    return format().toColour(format().fromColour(colour));
}

int DibBitmap::NearestIndex(Colour colour) const {
    if (IsEmpty() || info_.bitCount > 8) {
        return -1;
    }
    return static_cast<int>(format().fromColour(colour));
}

QImage DibBitmap::ToImage() const {
    if (IsEmpty()) {
        return {};
    }
    QImage image(width_, height_, QImage::Format_RGB32);
    for (int y = 0; y < height_; ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        format().readQuads(RowBits(y), 0, width_, out);
        for (int x = 0; x < width_; ++x) {
            out[x] |= 0xFF000000u;
        }
    }
    return image;
}

}  // namespace banmen
