// DibBitmap: the transparent colour and its mask, one routine per depth.
//
// Each routine makes a 1-bit bitmap of the same size, all white, finds the
// key (the raw value of the transparent colour in the picture's own format),
// then walks the pixels in memory order: a pixel equal to the key becomes
// black in the picture, every other pixel clears its mask bit. The mask ends
// up white where the picture is transparent and black where it is opaque.

#include <cstring>

#include "media/dib_bitmap.h"
#include "media/dib_lock.h"
#include "media/pixel_format.h"

namespace banmen {
namespace {

std::uint32_t readAt(const std::uint8_t* p, std::uint32_t bytes) {
    std::uint32_t value = 0;
    std::memcpy(&value, p, bytes);
    return value;
}

}  // namespace

void DibBitmap::FillMaskWhite(DibBitmap& mask) {
    if (mask.bits_ != nullptr) {
        std::memset(mask.bits_, 0xFF, mask.stride_ * static_cast<std::size_t>(mask.height_));
    }
}

void DibBitmap::ClearMaskBit(DibBitmap& mask, int x, int y) {
    // Pad bits at the end of a row may be cleared too (the 4-bit routine
    // walks the pad nibbles), never anything outside the row.
    if (mask.bits_ == nullptr || x < 0 || y < 0 || y >= mask.height_ ||
        static_cast<std::size_t>(x) >= mask.stride_ * 8) {
        return;
    }
    WriteRaw(mask.RowBits(y), x, 1, 0);
}

void DibBitmap::SetTransparentColor(Colour colour) {
    LockGuard lock(*this);
    mask_.reset();
    if (colour == kNoColour || bits_ == nullptr || IsEmpty()) {
        return;
    }
    const std::uint32_t bits = info_.bitCount;
    if (bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return;
    }
    auto mask = std::make_unique<DibBitmap>();
    if (!mask->Create(1, width_, height_)) {
        return;
    }
    FillMaskWhite(*mask);
    switch (bits) {
        case 32:
            MakeMask32(colour, *mask);
            break;
        case 24:
            MakeMask24(colour, *mask);
            break;
        case 16:
            MakeMask16(colour, *mask);
            break;
        case 8:
            MakeMask8(colour, *mask);
            break;
        default:
            MakeMask4(colour, *mask);
            break;
    }
    mask_ = std::move(mask);
}

// The raw value of the colour, read back from the start of pixel memory
// after setting it at (0, 0), then (if that pixel is stored elsewhere) at
// (0, height - 1). A probe counts when the colour and its complement read
// differently. Probed pixels get their raw value back.
std::uint32_t DibBitmap::probeKey(Colour colour) {
    const std::uint32_t bytes = info_.bitCount / 8;
    const Colour complement = colour ^ 0x00FFFFFF;
    for (int y : {0, height_ - 1}) {
        std::uint8_t* pixel = RowBits(y);
        const std::uint32_t saved = readAt(pixel, bytes);
        SetPixel(0, y, colour);
        const std::uint32_t first = readAt(bits_, bytes);
        SetPixel(0, y, complement);
        const std::uint32_t second = readAt(bits_, bytes);
        std::memcpy(pixel, &saved, bytes);
        if (first != second) {
            return first;
        }
    }
    return colour;
}

// 16, 24 and 32 bits: compares the colour bits only.
void DibBitmap::maskPacked(std::uint32_t key, std::uint32_t colourBits, DibBitmap& mask) {
    const std::uint32_t bits = info_.bitCount;
    key &= colourBits;
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* row = bits_ + static_cast<std::size_t>(r) * stride_;
        const int y = IsTopDown() ? r : height_ - 1 - r;
        for (int x = 0; x < width_; ++x) {
            if ((ReadRaw(row, x, bits) & colourBits) == key) {
                WriteRaw(row, x, bits, 0);
            } else {
                ClearMaskBit(mask, x, y);
            }
        }
    }
}

void DibBitmap::MakeMask32(Colour colour, DibBitmap& mask) {
    maskPacked(probeKey(colour), info_.masks[0] | info_.masks[1] | info_.masks[2], mask);
}

void DibBitmap::MakeMask24(Colour colour, DibBitmap& mask) {
    maskPacked(probeKey(colour), 0x00FFFFFF, mask);
}

void DibBitmap::MakeMask16(Colour colour, DibBitmap& mask) {
    maskPacked(probeKey(colour), info_.masks[0] | info_.masks[1] | info_.masks[2], mask);
}

void DibBitmap::MakeMask8(Colour colour, DibBitmap& mask) {
    const auto key = static_cast<std::uint8_t>(format().fromColour(colour));
    const auto black = static_cast<std::uint8_t>(format().fromColour(0));
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* row = bits_ + static_cast<std::size_t>(r) * stride_;
        const int y = IsTopDown() ? r : height_ - 1 - r;
        for (int x = 0; x < width_; ++x) {
            if (row[x] == key) {
                row[x] = black;
            } else {
                ClearMaskBit(mask, x, y);
            }
        }
    }
}

// Walks every nibble of each row as stored, the pad nibbles included.
void DibBitmap::MakeMask4(Colour colour, DibBitmap& mask) {
    const std::uint32_t key = format().fromColour(colour);
    const std::uint32_t black = format().fromColour(0);
    const auto nibbles = static_cast<int>(stride_ * 2);
    for (int r = 0; r < height_; ++r) {
        std::uint8_t* row = bits_ + static_cast<std::size_t>(r) * stride_;
        const int y = IsTopDown() ? r : height_ - 1 - r;
        for (int x = 0; x < nibbles; ++x) {
            if (ReadRaw(row, x, 4) == key) {
                WriteRaw(row, x, 4, black);
            } else {
                ClearMaskBit(mask, x, y);
            }
        }
    }
}

}  // namespace banmen
