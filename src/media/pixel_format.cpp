#include "media/pixel_format.h"

#include <bit>
#include <cstring>

namespace banmen {

PixelFormat::PixelFormat(const BitmapInfo& info)
    : bits_(info.bitCount),
      rawMask_(info.bitCount >= 32 ? 0xFFFFFFFFu : (1u << info.bitCount) - 1) {
    if (indexed()) {
        tableSize_ = info.tableSize();
        for (std::size_t i = 0; i < 256; ++i) {
            const RgbQuad& q = info.colours[i];
            table_[i] = i < tableSize_ ? (static_cast<std::uint32_t>(q.red) << 16) |
                                             (static_cast<std::uint32_t>(q.green) << 8) | q.blue
                                       : 0;
        }
        blackAndWhite_ = bits_ == 1 && table_[0] == 0 && table_[1] == 0x00FFFFFF;
        return;
    }
    if (bits_ == 24) {
        return;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint32_t mask = info.masks[i];
        if (mask != 0) {
            fields_[i].shift = static_cast<unsigned>(std::countr_zero(mask));
            fields_[i].max = mask >> fields_[i].shift;
        }
    }
    standard32_ = bits_ == 32 && info.masks == kMasks888;
}

bool PixelFormat::sameAs(const PixelFormat& other) const {
    if (bits_ != other.bits_) {
        return false;
    }
    if (indexed()) {
        for (std::size_t i = 0; i < 256; ++i) {
            if (table_[i] != other.table_[i]) {
                return false;
            }
        }
        return true;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (fields_[i].shift != other.fields_[i].shift || fields_[i].max != other.fields_[i].max) {
            return false;
        }
    }
    return true;
}

std::uint32_t PixelFormat::toQuad(std::uint32_t raw) const {
    if (indexed()) {
        return table_[raw & 0xFF];
    }
    if (bits_ == 24 || standard32_) {
        return raw & 0x00FFFFFF;
    }
    std::uint32_t quad = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const Field& f = fields_[i];
        if (f.max == 0) {
            continue;
        }
        const std::uint64_t value = (raw >> f.shift) & f.max;
        const auto channel = static_cast<std::uint32_t>((value * 255 + f.max / 2) / f.max);
        quad |= channel << (16 - 8 * i);
    }
    return quad;
}

std::uint32_t PixelFormat::fromQuad(std::uint32_t quad) const {
    quad &= 0x00FFFFFF;
    if (indexed()) {
        return nearestIndex(quad);
    }
    if (bits_ == 24 || standard32_) {
        return quad;
    }
    std::uint32_t raw = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const Field& f = fields_[i];
        const std::uint64_t channel = (quad >> (16 - 8 * i)) & 0xFF;
        const auto value = static_cast<std::uint32_t>((channel * f.max + 127) / 255);
        raw |= value << f.shift;
    }
    return raw;
}

std::uint32_t PixelFormat::nearestIndex(std::uint32_t quad) const {
    quad &= 0x00FFFFFF;
    if (auto it = nearest_.find(quad); it != nearest_.end()) {
        return it->second;
    }
    const int r = static_cast<int>(quad >> 16);
    const int g = static_cast<int>((quad >> 8) & 0xFF);
    const int b = static_cast<int>(quad & 0xFF);
    std::uint32_t best = 0;
    int bestDistance = -1;
    for (std::uint32_t i = 0; i < tableSize_; ++i) {
        const int dr = static_cast<int>(table_[i] >> 16) - r;
        const int dg = static_cast<int>((table_[i] >> 8) & 0xFF) - g;
        const int db = static_cast<int>(table_[i] & 0xFF) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
            if (distance == 0) {
                break;
            }
        }
    }
    nearest_.emplace(quad, best);
    return best;
}

void PixelFormat::readRaws(const std::uint8_t* row, std::int32_t x, std::int32_t n,
                           std::uint32_t* out) const {
    for (std::int32_t i = 0; i < n; ++i) {
        out[i] = ReadRaw(row, x + i, bits_);
    }
}

void PixelFormat::readQuads(const std::uint8_t* row, std::int32_t x, std::int32_t n,
                            std::uint32_t* out) const {
    if (standard32_) {
        std::memcpy(out, row + 4 * static_cast<std::size_t>(x), 4 * static_cast<std::size_t>(n));
        for (std::int32_t i = 0; i < n; ++i) {
            out[i] &= 0x00FFFFFF;
        }
        return;
    }
    for (std::int32_t i = 0; i < n; ++i) {
        out[i] = toQuad(ReadRaw(row, x + i, bits_));
    }
}

}  // namespace banmen
