#include "media/bmp_writer.h"

#include <algorithm>

#include "platform/files.h"

namespace banmen {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool writesMasks(const BitmapInfo& info) {
    return (info.bitCount == 16 && info.masks != kMasks555) ||
           (info.bitCount == 32 && info.masks != kMasks888);
}

std::uint32_t tableEntries(const BitmapInfo& info) {
    return info.bitCount <= 8 ? 1u << info.bitCount : 0;
}

}  // namespace

std::vector<std::uint8_t> PackDib(const BitmapInfo& info, const std::uint8_t* bits) {
    const std::int32_t rows = info.height < 0 ? -info.height : info.height;
    const std::size_t stride = DibStride(info.width, info.bitCount);
    const bool masks = writesMasks(info);
    const std::uint32_t entries = tableEntries(info);
    std::vector<std::uint8_t> out;
    out.reserve(40 + 12 + 4 * std::size_t{entries} + stride * static_cast<std::size_t>(rows));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(info.width));
    put32(out, static_cast<std::uint32_t>(rows));
    put16(out, 1);
    put16(out, info.bitCount);
    put32(out, masks ? kBiBitfields : kBiRgb);
    put32(out, static_cast<std::uint32_t>(stride * static_cast<std::size_t>(rows)));
    put32(out, static_cast<std::uint32_t>(info.xPelsPerMeter));
    put32(out, static_cast<std::uint32_t>(info.yPelsPerMeter));
    put32(out, entries);
    put32(out, 0);
    if (masks) {
        for (std::uint32_t mask : info.masks) {
            put32(out, mask);
        }
    }
    const std::uint32_t own = info.tableSize();
    for (std::uint32_t i = 0; i < entries; ++i) {
        const RgbQuad q = i < own ? info.colours[i] : RgbQuad{};
        out.push_back(q.blue);
        out.push_back(q.green);
        out.push_back(q.red);
        out.push_back(0);
    }
    const std::size_t start = out.size();
    for (std::int32_t row = 0; row < rows; ++row) {
        // Bottom row first.
        const auto from = static_cast<std::size_t>(info.height < 0 ? rows - 1 - row : row);
        const std::uint8_t* in = bits + from * stride;
        out.insert(out.end(), in, in + stride);
    }
    if (info.bitCount == 32 && !masks) {
        for (std::size_t i = start + 3; i < out.size(); i += 4) {
            out[i] = 0;
        }
    }
    return out;
}

std::vector<std::uint8_t> BmpFileHeader(const BitmapInfo& info, std::size_t packedSize) {
    const std::size_t offset =
        14 + 40 + (writesMasks(info) ? 12 : 0) + 4 * std::size_t{tableEntries(info)};
    std::vector<std::uint8_t> out = {'B', 'M'};
    put32(out, static_cast<std::uint32_t>(packedSize + 14));
    put16(out, 0);
    put16(out, 0);
    put32(out, static_cast<std::uint32_t>(offset));
    return out;
}

Status WriteTwoBlocks(const std::string& path, std::span<const std::uint8_t> first,
                      std::span<const std::uint8_t> second) {
    std::vector<std::uint8_t> file;
    file.reserve(first.size() + second.size());
    file.insert(file.end(), first.begin(), first.end());
    file.insert(file.end(), second.begin(), second.end());
    return WriteFileAtomically(path, file.data(), file.size());
}

}  // namespace banmen
