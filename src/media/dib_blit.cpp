#include "media/dib_blit.h"

#include <algorithm>
#include <cstring>

#include "media/dib_internals.h"

namespace banmen {
namespace {

// The ternary raster operation: bit i of the code is the result for pattern,
// source and destination bits p s d with i = 4p + 2s + d.
std::uint32_t rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    std::uint32_t result = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if (((code >> i) & 1) != 0) {
            result |= ((i & 4) != 0 ? p : ~p) & ((i & 2) != 0 ? s : ~s) & ((i & 1) != 0 ? d : ~d);
        }
    }
    return result;
}

constexpr std::uint8_t kCopyCode = 0xCC;
constexpr std::uint8_t kAndCode = 0x88;
constexpr std::uint8_t kOrCode = 0xEE;
constexpr std::uint8_t kXorCode = 0x66;

// AND, OR or XOR of a run of bytes, eight at a time.
template <typename Op>
void combineBytes(std::uint8_t* d, const std::uint8_t* s, std::size_t length, Op op) {
    std::size_t i = 0;
    for (; i + 8 <= length; i += 8) {
        std::uint64_t a = 0;
        std::uint64_t b = 0;
        std::memcpy(&a, d + i, 8);
        std::memcpy(&b, s + i, 8);
        a = op(a, b);
        std::memcpy(d + i, &a, 8);
    }
    for (; i < length; ++i) {
        d[i] = static_cast<std::uint8_t>(op(d[i], s[i]));
    }
}

void combineBytes(std::uint8_t code, std::uint8_t* d, const std::uint8_t* s, std::size_t length) {
    if (code == kAndCode) {
        combineBytes(d, s, length, [](auto a, auto b) { return a & b; });
    } else if (code == kOrCode) {
        combineBytes(d, s, length, [](auto a, auto b) { return a | b; });
    } else {
        combineBytes(d, s, length, [](auto a, auto b) { return a ^ b; });
    }
}

}  // namespace

std::uint32_t PatternRaw(const DibBitmap& destination) {
    const QColor c = DibInternals::state(destination).brush.color();
    return DibInternals::format(destination)
        .fromColour(RgbColour(static_cast<std::uint32_t>(c.red()),
                              static_cast<std::uint32_t>(c.green()),
                              static_cast<std::uint32_t>(c.blue())));
}

RowCombiner::RowCombiner(DibBitmap& destination, RasterOp rop, std::uint32_t patternRaw)
    : destination_(destination),
      bits_(destination.GetBitsPerPixel()),
      rawMask_(DibInternals::format(destination).rawMask()),
      code_(static_cast<std::uint8_t>(rop >> 16)),
      pattern_(patternRaw) {}

void RowCombiner::combine(int y, int x, int n, const std::uint32_t* source) {
    std::uint8_t* row = destination_.RowBits(y);
    const auto count = static_cast<std::size_t>(n);
    if (bits_ == 32) {
        // Aligned words: combine in place.
        auto* d = reinterpret_cast<std::uint32_t*>(row) + x;
        switch (code_) {
            case kCopyCode:
                std::memcpy(d, source, count * 4);
                return;
            case kAndCode:
                for (std::size_t i = 0; i < count; ++i) {
                    d[i] &= source[i];
                }
                return;
            case kOrCode:
                for (std::size_t i = 0; i < count; ++i) {
                    d[i] |= source[i];
                }
                return;
            default:
                for (std::size_t i = 0; i < count; ++i) {
                    d[i] = rop3(code_, pattern_, source[i], d[i]);
                }
                return;
        }
    }
    if (code_ == kCopyCode) {
        for (int i = 0; i < n; ++i) {
            WriteRaw(row, x + i, bits_, source[i]);
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        const std::uint32_t d = ReadRaw(row, x + i, bits_);
        std::uint32_t r = 0;
        switch (code_) {
            case kAndCode:
                r = d & source[i];
                break;
            case kOrCode:
                r = d | source[i];
                break;
            case kXorCode:
                r = d ^ source[i];
                break;
            default:
                r = rop3(code_, pattern_, source[i], d);
                break;
        }
        WriteRaw(row, x + i, bits_, r & rawMask_);
    }
}

void RawConverter::convert(const std::uint8_t* row, int x, int n, std::uint32_t* out) const {
    if (same_) {
        source_.readRaws(row, x, n, out);
        return;
    }
    if (source_.blackAndWhite()) {
        source_.readRaws(row, x, n, out);
        for (int i = 0; i < n; ++i) {
            out[i] = out[i] != 0 ? destination_.rawMask() : 0;
        }
        return;
    }
    source_.readQuads(row, x, n, out);
    if (destination_.standard32()) {
        return;  // a quad is the raw value
    }
    for (int i = 0; i < n; ++i) {
        out[i] = destination_.fromQuad(out[i]);
    }
}

void BlitRect(DibBitmap& destination, int x, int y, int width, int height, const DibBitmap& source,
              int sourceX, int sourceY, RasterOp rop) {
    if (destination.IsEmpty() || source.IsEmpty() || width <= 0 || height <= 0) {
        return;
    }
    // Clip to the destination, then to the source, moving both boxes alike
    // (in 64 bits: callers may pass any int).
    using I = std::int64_t;
    const I left = std::max({I{x}, I{0}, I{x} - sourceX});
    const I top = std::max({I{y}, I{0}, I{y} - sourceY});
    const I right =
        std::min({I{x} + width, I{destination.GetWidth()}, I{x} + source.GetWidth() - sourceX});
    const I bottom =
        std::min({I{y} + height, I{destination.GetHeight()}, I{y} + source.GetHeight() - sourceY});
    if (left >= right || top >= bottom) {
        return;
    }
    const auto n = static_cast<int>(right - left);
    const auto fromX = static_cast<int>(sourceX + (left - x));
    const PixelFormat& from = DibInternals::format(source);
    const PixelFormat& to = DibInternals::format(destination);
    const std::uint8_t code = static_cast<std::uint8_t>(rop >> 16);
    // Rows in an order that reads each source row before it is overwritten
    // when both are the same bitmap.
    const bool upward = &source == &destination && y > sourceY;
    auto rows = [&](auto&& each) {
        for (I i = 0; i < bottom - top; ++i) {
            const auto dy = static_cast<int>(upward ? bottom - 1 - i : top + i);
            const auto sy = static_cast<int>(sourceY + (dy - I{y}));
            each(destination.RowBits(dy), source.RowBits(sy));
        }
    };

    // Whole bytes of the same format: the raster operation byte by byte
    // (within one bitmap only copies, which memmove keeps right).
    const std::uint32_t bits = to.bits();
    const bool separate = &source != &destination;
    if (bits >= 8 && from.sameAs(to) &&
        (code == kCopyCode ||
         (separate && (code == kAndCode || code == kOrCode || code == kXorCode)))) {
        const std::size_t bytes = bits / 8;
        const std::size_t length = static_cast<std::size_t>(n) * bytes;
        const std::size_t at = static_cast<std::size_t>(left) * bytes;
        const std::size_t fromAt = static_cast<std::size_t>(fromX) * bytes;
        rows([&](std::uint8_t* d, const std::uint8_t* s) {
            d += at;
            s += fromAt;
            if (code == kCopyCode) {
                std::memmove(d, s, length);
            } else {
                combineBytes(code, d, s, length);
            }
        });
        return;
    }
    // A mask ANDed into 32 bits: a clear bit clears the pixel, eight at a
    // time where a whole mask byte is clear or set.
    if (bits == 32 && code == kAndCode && from.blackAndWhite()) {
        rows([&](std::uint8_t* d, const std::uint8_t* s) {
            auto* pixels = reinterpret_cast<std::uint32_t*>(d) + left;
            int i = 0;
            while (i < n) {
                const auto bit = static_cast<unsigned>(fromX + i);
                if (bit % 8 == 0 && i + 8 <= n && (s[bit / 8] == 0 || s[bit / 8] == 0xFF)) {
                    if (s[bit / 8] == 0) {
                        std::memset(pixels + i, 0, 8 * sizeof(std::uint32_t));
                    }
                    i += 8;
                    continue;
                }
                if (((s[bit / 8] >> (7 - bit % 8)) & 1) == 0) {
                    pixels[i] = 0;
                }
                ++i;
            }
        });
        return;
    }

    const RawConverter converter(from, to);
    RowCombiner combiner(destination, rop, PatternRaw(destination));
    std::vector<std::uint32_t> row(static_cast<std::size_t>(n));
    for (I i = 0; i < bottom - top; ++i) {
        const auto dy = static_cast<int>(upward ? bottom - 1 - i : top + i);
        const auto sy = static_cast<int>(sourceY + (dy - I{y}));
        converter.convert(source.RowBits(sy), fromX, n, row.data());
        combiner.combine(dy, static_cast<int>(left), n, row.data());
    }
}

}  // namespace banmen
