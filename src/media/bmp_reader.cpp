#include "media/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <optional>

#include "media/bmp_rle.h"
#include "platform/files.h"

namespace banmen {
namespace {

// BITMAPFILEHEADER: "BM", file size (32), two reserved words, pixel offset (32).
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiJpeg = 4;  // RLE24 in an OS/2 2.x header
constexpr std::uint32_t kBiPng = 5;
constexpr std::uint32_t kBiAlphaBitfields = 6;

// A few bytes of RLE data can claim a huge picture. Pictures up to this size
// decode whatever their data; larger ones need data in proportion (ordinary
// pictures compress far less than this).
constexpr std::size_t kRleFreeBytes = std::size_t{16} << 20;
constexpr std::size_t kRleMaxRatio = 256;

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

Status fail(const std::string& reason) {
    return Status::error(reason);
}

// What the header says, before any pixel is read.
struct Layout {
    std::uint32_t headerSize = 0;
    bool core = false;
    bool os2 = false;  // OS/2 2.x header: other meanings of compression 3 and 4
    std::int64_t width = 0;
    std::int64_t height = 0;  // as stored; negative is top-down
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::size_t tableOffset = 0;
    std::size_t entrySize = 4;
};

bool isKnownHeaderSize(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124 ||
           (size >= 16 && size <= 64 && size % 2 == 0);
}

// One mask field: its shift and width in bits. Empty for a mask that is not
// one run of bits.
struct Field {
    unsigned shift = 0;
    unsigned bits = 0;
};
std::optional<Field> fieldOf(std::uint32_t mask) {
    if (mask == 0) {
        return Field{};
    }
    const auto shift = static_cast<unsigned>(std::countr_zero(mask));
    const std::uint32_t run = mask >> shift;
    if ((run & (run + 1)) != 0) {
        return std::nullopt;
    }
    return Field{shift, static_cast<unsigned>(std::popcount(run))};
}

// A field's value scaled to 0..255, rounded (5-bit 3 gives 25).
std::uint32_t scaled(std::uint32_t pixel, const Field& f) {
    if (f.bits == 0) {
        return 0;
    }
    const std::uint64_t max = (std::uint64_t{1} << f.bits) - 1;
    const std::uint64_t value = (pixel >> f.shift) & max;
    return static_cast<std::uint32_t>((value * 255 + max / 2) / max);
}

Status parseHeader(std::span<const std::uint8_t> dib, Layout& l) {
    if (dib.size() < 4) {
        return fail("truncated header");
    }
    const std::uint8_t* p = dib.data();
    l.headerSize = u32(p);
    if (!isKnownHeaderSize(l.headerSize)) {
        return fail("unknown header size " + std::to_string(l.headerSize));
    }
    if (dib.size() < l.headerSize) {
        return fail("truncated header");
    }
    const std::uint32_t hs = l.headerSize;
    l.core = hs == 12;
    l.os2 = !l.core && hs != 40 && hs != 52 && hs != 56 && hs <= 64;
    if (l.core) {
        l.width = u16(p + 4);
        l.height = u16(p + 6);
        l.planes = u16(p + 8);
        l.bitCount = u16(p + 10);
        l.entrySize = 3;
    } else {
        l.width = static_cast<std::int32_t>(u32(p + 4));
        l.height = static_cast<std::int32_t>(u32(p + 8));
        l.planes = u16(p + 12);
        l.bitCount = u16(p + 14);
        l.compression = hs >= 20 ? u32(p + 16) : 0;
        l.sizeImage = hs >= 24 ? u32(p + 20) : 0;
        l.xPelsPerMeter = hs >= 28 ? static_cast<std::int32_t>(u32(p + 24)) : 0;
        l.yPelsPerMeter = hs >= 32 ? static_cast<std::int32_t>(u32(p + 28)) : 0;
        l.colorsUsed = hs >= 36 ? u32(p + 32) : 0;
        l.colorsImportant = hs >= 40 ? u32(p + 36) : 0;
    }
    l.tableOffset = hs;
    if (l.planes != 1) {
        return fail("plane count " + std::to_string(l.planes) + " (must be 1)");
    }
    if (l.width <= 0) {
        return fail("width " + std::to_string(l.width) + " is not positive");
    }
    if (l.height == 0) {
        return fail("height is 0");
    }
    const std::int64_t rows = l.height < 0 ? -l.height : l.height;
    if (l.width > kMaxDibSide || rows > kMaxDibSide) {
        return fail("size " + std::to_string(l.width) + " x " + std::to_string(rows) + " exceeds " +
                    std::to_string(kMaxDibSide) + " x " + std::to_string(kMaxDibSide));
    }
    return Status::ok();
}

Status checkCompression(std::span<const std::uint8_t> dib, Layout& l) {
    const bool topDown = l.height < 0;
    switch (l.compression) {
        case kBiRgb:
            return Status::ok();
        case kBiRle8:
        case kBiRle4: {
            const std::uint16_t needed = l.compression == kBiRle8 ? 8 : 4;
            if (l.bitCount != needed) {
                return fail("RLE" + std::to_string(needed) + " compression with " +
                            std::to_string(l.bitCount) + " bits per pixel");
            }
            if (topDown) {
                return fail("RLE compression in a top-down image");
            }
            return Status::ok();
        }
        case kBiBitfields:
        case kBiAlphaBitfields:
            break;
        case kBiJpeg:
            return fail(l.os2 ? "RLE24 compression is not supported"
                              : "JPEG compression is not supported");
        case kBiPng:
            return fail("PNG compression is not supported");
        default:
            return fail("unknown compression " + std::to_string(l.compression));
    }
    if (l.os2) {
        return fail("OS/2 Huffman compression is not supported");
    }
    if (l.bitCount != 16 && l.bitCount != 32) {
        return fail("bit fields with " + std::to_string(l.bitCount) + " bits per pixel");
    }
    const std::uint8_t* p = dib.data();
    const std::size_t count = l.compression == kBiAlphaBitfields ? 4 : 3;
    if (l.headerSize >= 52) {
        for (std::size_t i = 0; i < 3; ++i) {
            l.masks[i] = u32(p + 40 + 4 * i);
        }
        l.masks[3] = l.headerSize >= 56 ? u32(p + 52) : 0;
    } else {
        // The masks follow a 40-byte header.
        if (dib.size() < l.headerSize + 4 * count) {
            return fail("truncated colour masks");
        }
        for (std::size_t i = 0; i < count; ++i) {
            l.masks[i] = u32(p + l.headerSize + 4 * i);
        }
        l.tableOffset += 4 * count;
    }
    std::uint32_t seen = 0;
    for (std::uint32_t mask : l.masks) {
        if (!fieldOf(mask) || (seen & mask) != 0 || (l.bitCount == 16 && (mask >> 16) != 0)) {
            return fail("bad colour masks");
        }
        seen |= mask;
    }
    if ((l.masks[0] | l.masks[1] | l.masks[2]) == 0) {
        return fail("bad colour masks");
    }
    return Status::ok();
}

// Expands 2-bit rows into 4-bit rows of the same indices.
void expand2To4(const std::uint8_t* in, std::uint8_t* out, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x) {
        const auto ux = static_cast<std::size_t>(x);
        const auto index = static_cast<std::uint8_t>((in[ux / 4] >> (6 - 2 * (ux % 4))) & 0x03);
        out[ux / 2] |= static_cast<std::uint8_t>(ux % 2 == 0 ? index << 4 : index);
    }
}

// Converts 32-bit rows with any masks to blue, green, red and alpha bytes.
void convert32(const std::uint8_t* in, std::uint8_t* out, std::int32_t width,
               const std::array<std::uint32_t, 4>& masks) {
    Field fields[4];
    for (std::size_t i = 0; i < 4; ++i) {
        fields[i] = *fieldOf(masks[i]);
    }
    for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t v = u32(in + 4 * static_cast<std::size_t>(x));
        std::uint8_t* o = out + 4 * static_cast<std::size_t>(x);
        o[0] = static_cast<std::uint8_t>(scaled(v, fields[2]));
        o[1] = static_cast<std::uint8_t>(scaled(v, fields[1]));
        o[2] = static_cast<std::uint8_t>(scaled(v, fields[0]));
        o[3] = static_cast<std::uint8_t>(scaled(v, fields[3]));
    }
}

Status decodeDib(std::span<const std::uint8_t> dib, std::optional<std::size_t> pixelOffset,
                 DibImage& out) {
    Layout l;
    if (Status s = parseHeader(dib, l); !s) {
        return s;
    }
    if (Status s = checkCompression(dib, l); !s) {
        return s;
    }
    if (l.bitCount != 1 && l.bitCount != 2 && l.bitCount != 4 && l.bitCount != 8 &&
        l.bitCount != 16 && l.bitCount != 24 && l.bitCount != 32) {
        return fail("unsupported bit count " + std::to_string(l.bitCount));
    }
    const auto width = static_cast<std::int32_t>(l.width);
    const bool topDown = l.height < 0;
    const auto height = static_cast<std::int32_t>(topDown ? -l.height : l.height);

    // Colour table.
    std::uint32_t entries = 0;
    std::size_t tableBytes = 0;
    if (l.bitCount <= 8) {
        const std::uint32_t full = 1u << l.bitCount;
        entries = l.colorsUsed == 0 || l.core ? full : l.colorsUsed;
        if (entries > full) {
            // A longer table than the depth can use is read in part, if it
            // is all there.
            const std::size_t end = pixelOffset ? *pixelOffset : dib.size();
            if (entries > 65536 ||
                l.tableOffset + std::size_t{entries} * l.entrySize > std::min(end, dib.size())) {
                return fail("colour table of " + std::to_string(l.colorsUsed) + " entries for " +
                            std::to_string(l.bitCount) + " bits per pixel");
            }
            tableBytes = std::size_t{entries - full} * l.entrySize;  // skipped
            entries = full;
        }
    } else if (l.colorsUsed <= 65536) {
        tableBytes = static_cast<std::size_t>(l.colorsUsed) * l.entrySize;  // skipped
    } else if (!pixelOffset) {
        return fail("colour table outside the data");
    }
    if (pixelOffset) {
        if (*pixelOffset < l.tableOffset) {
            return fail("pixel data offset inside the header");
        }
        // A table cut short by the pixel offset keeps the entries before it.
        entries = std::min<std::uint32_t>(
            entries, static_cast<std::uint32_t>(
                         std::min<std::size_t>((*pixelOffset - l.tableOffset) / l.entrySize, 256)));
    }
    tableBytes += static_cast<std::size_t>(entries) * l.entrySize;
    if (l.tableOffset + static_cast<std::size_t>(entries) * l.entrySize > dib.size()) {
        return fail("colour table outside the data");
    }
    const std::size_t offset = pixelOffset ? *pixelOffset : l.tableOffset + tableBytes;
    if (offset > dib.size()) {
        return fail("pixel data offset outside the data");
    }

    const std::uint16_t outBits = l.bitCount == 2 ? 4 : l.bitCount;
    const std::size_t outStride = DibStride(width, outBits);
    const std::size_t outBytes = outStride * static_cast<std::size_t>(height);
    if (outBytes > kMaxDibPixelBytes) {
        return fail("image too large (" + std::to_string(width) + " x " + std::to_string(height) +
                    " at " + std::to_string(l.bitCount) + " bits)");
    }
    const std::span<const std::uint8_t> pixels = dib.subspan(offset);

    DibImage image;
    BitmapInfo& info = image.info;
    info.width = width;
    info.height = height;
    info.bitCount = outBits;
    info.xPelsPerMeter = l.xPelsPerMeter;
    info.yPelsPerMeter = l.yPelsPerMeter;
    info.colorsUsed = entries;
    info.colorsImportant = std::min(l.colorsImportant, entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t* e = dib.data() + l.tableOffset + i * l.entrySize;
        info.colours[i] = RgbQuad{e[0], e[1], e[2], 0};
    }
    image.bits.assign(outBytes, 0);

    if (l.compression == kBiRle8 || l.compression == kBiRle4) {
        std::span<const std::uint8_t> data = pixels;
        if (l.sizeImage != 0 && l.sizeImage < data.size()) {
            data = data.first(l.sizeImage);
        }
        if (outBytes > kRleFreeBytes + kRleMaxRatio * data.size()) {
            return fail("image too large for its compressed data (" + std::to_string(width) +
                        " x " + std::to_string(height) + " from " + std::to_string(data.size()) +
                        " bytes)");
        }
        if (Status s = DecodeRle(data, l.compression == kBiRle4, width, height, outStride,
                                 image.bits.data());
            !s) {
            return s;
        }
    } else {
        const std::size_t inStride = DibStride(width, l.bitCount);
        const std::size_t needed = inStride * static_cast<std::size_t>(height);
        if (pixels.size() < needed) {
            return fail("pixel data truncated (" + std::to_string(pixels.size()) + " of " +
                        std::to_string(needed) + " bytes)");
        }
        const bool convert =
            l.bitCount == 32 && l.compression != kBiRgb &&
            !(l.masks[0] == kMasks888[0] && l.masks[1] == kMasks888[1] &&
              l.masks[2] == kMasks888[2] && (l.masks[3] == 0 || l.masks[3] == 0xFF000000u));
        for (std::int32_t row = 0; row < height; ++row) {
            const auto uRow = static_cast<std::size_t>(row);
            const std::uint8_t* in =
                pixels.data() +
                (topDown ? static_cast<std::size_t>(height - 1 - row) : uRow) * inStride;
            std::uint8_t* o = image.bits.data() + uRow * outStride;
            if (l.bitCount == 2) {
                expand2To4(in, o, width);
            } else if (convert) {
                convert32(in, o, width, l.masks);
            } else {
                std::copy(in, in + inStride, o);
            }
        }
    }
    if (l.bitCount == 16) {
        const bool bitfields = l.compression != kBiRgb;
        info.compression = bitfields ? kBiBitfields : kBiRgb;
        info.masks = bitfields ? std::array<std::uint32_t, 3>{l.masks[0], l.masks[1], l.masks[2]}
                               : kMasks555;
    } else if (l.bitCount == 32) {
        info.masks = kMasks888;
    }
    info.sizeImage = static_cast<std::uint32_t>(outBytes);
    out = std::move(image);
    return Status::ok();
}

}  // namespace

Status ReadBmp(std::span<const std::uint8_t> file, DibImage& out) {
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
        return fail("not a BMP file (no \"BM\" signature)");
    }
    if (file.size() < kFileHeaderSize) {
        return fail("truncated file header");
    }
    const std::uint32_t bfOffBits = u32(file.data() + 10);
    std::optional<std::size_t> offset;
    if (bfOffBits != 0) {
        if (bfOffBits < kFileHeaderSize || bfOffBits > file.size()) {
            return fail("pixel data offset outside the file");
        }
        offset = bfOffBits - kFileHeaderSize;
    }
    return decodeDib(file.subspan(kFileHeaderSize), offset, out);
}

Status ReadPackedDib(std::span<const std::uint8_t> packed, DibImage& out) {
    return decodeDib(packed, std::nullopt, out);
}

Status ReadBmpFile(const std::string& path, DibImage& out) {
    // No loadable image needs more than its pixels with some room for
    // headers, gaps and trailing data.
    constexpr auto kMaxFileSize = static_cast<std::int64_t>(2 * kMaxDibPixelBytes);
    const std::int64_t size = FileSize(path);
    if (size > kMaxFileSize) {
        return fail("file too large for a picture");
    }
    std::vector<std::uint8_t> bytes;
    if (Status s = ReadWholeFile(path, bytes); !s) {
        return s;
    }
    return ReadBmp(bytes, out);
}

}  // namespace banmen
