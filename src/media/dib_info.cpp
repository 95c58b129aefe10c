#include "media/dib_info.h"

#include <algorithm>

namespace banmen {
namespace {

constexpr RgbQuad quad(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {b, g, r, 0};
}

// The static system colours: the first ten and the last ten entries.
constexpr std::array<RgbQuad, 10> kSystemFirst = {
    quad(0, 0, 0),       quad(128, 0, 0),     quad(0, 128, 0),   quad(128, 128, 0),
    quad(0, 0, 128),     quad(128, 0, 128),   quad(0, 128, 128), quad(192, 192, 192),
    quad(192, 220, 192), quad(166, 202, 240),
};
constexpr std::array<RgbQuad, 10> kSystemLast = {
    quad(255, 251, 240), quad(160, 160, 164), quad(128, 128, 128), quad(255, 0, 0),
    quad(0, 255, 0),     quad(255, 255, 0),   quad(0, 0, 255),     quad(255, 0, 255),
    quad(0, 255, 255),   quad(255, 255, 255),
};

std::array<RgbQuad, 256> makeTable8() {
    std::array<RgbQuad, 256> table{};
    std::size_t i = 0;
    for (const RgbQuad& c : kSystemFirst) {
        table[i++] = c;
    }
    constexpr std::uint8_t kLevels[6] = {0, 51, 102, 153, 204, 255};
    for (std::uint8_t r : kLevels) {
        for (std::uint8_t g : kLevels) {
            for (std::uint8_t b : kLevels) {
                table[i++] = quad(r, g, b);
            }
        }
    }
    // Greys between the cube's own, evenly spread.
    for (unsigned k = 1; k <= 20; ++k) {
        const auto level = static_cast<std::uint8_t>((255 * k + 10) / 21);
        table[i++] = quad(level, level, level);
    }
    for (const RgbQuad& c : kSystemLast) {
        table[i++] = c;
    }
    return table;
}

}  // namespace

std::uint32_t BitmapInfo::tableSize() const {
    if (bitCount > 8) {
        return 0;
    }
    const std::uint32_t full = 1u << bitCount;
    return colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
}

const std::array<RgbQuad, 2>& StandardTable1() {
    static const std::array<RgbQuad, 2> table = {quad(0, 0, 0), quad(255, 255, 255)};
    return table;
}

const std::array<RgbQuad, 16>& StandardTable4() {
    static const std::array<RgbQuad, 16> table = {
        quad(0, 0, 0),       quad(128, 0, 0),   quad(0, 128, 0),   quad(128, 128, 0),
        quad(0, 0, 128),     quad(128, 0, 128), quad(0, 128, 128), quad(192, 192, 192),
        quad(128, 128, 128), quad(255, 0, 0),   quad(0, 255, 0),   quad(255, 255, 0),
        quad(0, 0, 255),     quad(255, 0, 255), quad(0, 255, 255), quad(255, 255, 255),
    };
    return table;
}

const std::array<RgbQuad, 256>& StandardTable8() {
    static const std::array<RgbQuad, 256> table = makeTable8();
    return table;
}

bool BuildBitmapInfo(std::uint32_t bits, std::int32_t width, std::int32_t height, BitmapInfo& info,
                     std::size_t* usedSize) {
    if (!IsDibDepth(bits)) {
        return false;
    }
    info = BitmapInfo{};
    info.width = width;
    info.height = height;
    info.bitCount = static_cast<std::uint16_t>(bits);
    std::size_t used = 40;
    switch (bits) {
        case 1:
            std::copy(StandardTable1().begin(), StandardTable1().end(), info.colours.begin());
            used += 8;
            break;
        case 4:
            std::copy(StandardTable4().begin(), StandardTable4().end(), info.colours.begin());
            used += 64;
            break;
        case 8:
            info.colours = StandardTable8();
            used += 1024;
            break;
        case 16:
            info.compression = kBiBitfields;
            info.masks = kMasks565;
            used = 104;
            break;
        default:
            info.masks = kMasks888;
            break;
    }
    if (bits <= 8) {
        info.colorsUsed = 1u << bits;
    }
    info.sizeImage = static_cast<std::uint32_t>(
        DibStride(width, bits) * static_cast<std::size_t>(height < 0 ? -height : height));
    if (usedSize != nullptr) {
        *usedSize = used;
    }
    return true;
}

std::size_t InfoSize(const BitmapInfo& info) {
    std::size_t size = info.headerSize + 4 * static_cast<std::size_t>(info.tableSize());
    if (info.compression == kBiBitfields && info.headerSize < 52) {
        size += 12;
    }
    return size;
}

}  // namespace banmen
