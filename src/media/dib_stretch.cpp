#include "media/dib_stretch.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cstdint>

#include "media/dib_blit.h"
#include "media/dib_internals.h"

namespace banmen {
namespace {

Point screenOverride;

// Weights are eighths of a byte's worth: 256 make one, so that two channels
// fit one 32-bit word while they are summed (255 * 256 < 65536).
constexpr unsigned kWeightBits = 8;
constexpr std::uint32_t kOne = 1u << kWeightBits;
constexpr std::uint32_t kLanes = 0x00FF00FF;
constexpr std::uint32_t kHalves = 0x00800080;

// Which source pixels, with which weights, make each destination pixel
// along one axis.
struct AxisTaps {
    std::vector<int> first;  // index into `taps` per destination pixel, and one past the end
    std::vector<int> index;  // absolute source index of each tap
    std::vector<std::uint32_t> weight;
    int lowest = 0;  // smallest and largest source index used
    int highest = 0;
};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Taps for destination pixels [from, to) of a box of `length` pixels drawn
// from `sourceLength` source pixels starting at `sourceStart`; source
// indices are kept inside [low, high).
AxisTaps makeTaps(int sourceStart, int sourceLength, int length, int from, int to, int low,
                  int high, bool sample) {
    AxisTaps t;
    t.lowest = high;
    t.highest = low;
    const std::int64_t s = sourceLength;
    const std::int64_t d = length;
    auto add = [&](std::int64_t j, std::uint32_t w) {
        const int at = std::clamp(static_cast<int>(sourceStart + j), low, high - 1);
        t.index.push_back(at);
        t.weight.push_back(w);
        t.lowest = std::min(t.lowest, at);
        t.highest = std::max(t.highest, at);
    };
    for (std::int64_t i = from; i < to; ++i) {
        t.first.push_back(static_cast<int>(t.index.size()));
        if (s == d) {
            add(i, kOne);
        } else if (sample) {
            add(floorDiv((2 * i + 1) * s, 2 * d), kOne);
        } else if (s > d) {
            // Area average: destination pixel i covers [i s, (i + 1) s) in
            // units of which a source pixel has d. Weights round the running
            // total, so they sum to kOne exactly.
            const std::int64_t begin = i * s;
            const std::int64_t end = (i + 1) * s;
            std::int64_t before = 0;
            for (std::int64_t j = begin / d; j * d < end; ++j) {
                const std::int64_t covered = std::min((j + 1) * d, end) - begin;
                const std::int64_t w = (covered * kOne + s / 2) / s - (before * kOne + s / 2) / s;
                if (w > 0) {
                    add(j, static_cast<std::uint32_t>(w));
                }
                before = covered;
            }
        } else {
            // Bilinear between source pixel centres.
            const std::int64_t num = (2 * i + 1) * s - d;
            const std::int64_t den = 2 * d;
            const std::int64_t j = floorDiv(num, den);
            const auto w1 = static_cast<std::uint32_t>(((num - j * den) * kOne + den / 2) / den);
            add(j, kOne - w1);
            add(j + 1, w1);
        }
    }
    t.first.push_back(static_cast<int>(t.index.size()));
    return t;
}

// The taps again, the same number for every destination pixel (padded with
// weight 0), indices counted from the lowest: the across pass reads them in
// a fixed stride.
struct PaddedTaps {
    int count = 0;
    std::vector<std::size_t> index;
    std::vector<std::uint32_t> weight;
};

PaddedTaps padded(const AxisTaps& t) {
    PaddedTaps p;
    const std::size_t pixels = t.first.size() - 1;
    for (std::size_t i = 0; i < pixels; ++i) {
        p.count = std::max(p.count, t.first[i + 1] - t.first[i]);
    }
    const auto count = static_cast<std::size_t>(p.count);
    p.index.resize(pixels * count);
    p.weight.resize(pixels * count, 0);
    for (std::size_t i = 0; i < pixels; ++i) {
        const auto first = static_cast<std::size_t>(t.first[i]);
        const auto taps = static_cast<std::size_t>(t.first[i + 1]) - first;
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t from = first + std::min(k, taps - 1);
            p.index[i * count + k] = static_cast<std::size_t>(t.index[from] - t.lowest);
            p.weight[i * count + k] = k < taps ? t.weight[from] : 0;
        }
    }
    return p;
}

// Sums two channels to a word: 0x00AA00GG and 0x00RR00BB of each quad.
constexpr std::uint32_t finish(std::uint32_t rb, std::uint32_t ag) {
    return (((rb + kHalves) >> kWeightBits) & kLanes) | ((ag + kHalves) & ~kLanes);
}

// One row across, N taps per pixel (0: as many as the taps say).
template <int N>
void acrossRow(const std::uint32_t* line, const PaddedTaps& taps, std::size_t visible,
               std::uint32_t* out) {
    const auto count = static_cast<std::size_t>(N > 0 ? N : taps.count);
    const std::size_t* index = taps.index.data();
    const std::uint32_t* weight = taps.weight.data();
    for (std::size_t x = 0; x < visible; ++x, index += count, weight += count) {
        std::uint32_t rb = 0;
        std::uint32_t ag = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint32_t q = line[index[k]];
            rb += (q & kLanes) * weight[k];
            ag += ((q >> 8) & kLanes) * weight[k];
        }
        out[x] = finish(rb, ag);
    }
}

void acrossRow(const std::uint32_t* line, const PaddedTaps& taps, std::size_t visible,
               std::uint32_t* out) {
    switch (taps.count) {
        case 1:
            acrossRow<1>(line, taps, visible, out);
            break;
        case 2:
            acrossRow<2>(line, taps, visible, out);
            break;
        case 3:
            acrossRow<3>(line, taps, visible, out);
            break;
        case 4:
            acrossRow<4>(line, taps, visible, out);
            break;
        default:
            acrossRow<0>(line, taps, visible, out);
            break;
    }
}

// A colour whose channels were weighted by the opacity in its top byte,
// back to full strength.
std::uint32_t unpremultiplied(std::uint32_t q) {
    const std::uint32_t alpha = q >> 24;
    if (alpha == 0) {
        return 0;
    }
    std::uint32_t out = 0;
    for (unsigned c = 0; c < 3; ++c) {
        const std::uint32_t channel = (q >> (8 * c)) & 0xFF;
        out |= std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha) << (8 * c);
    }
    return out;
}

}  // namespace

std::vector<StretchPiece> SplitIntoPieces(int sourceLength, int destinationLength,
                                          int screenLength) {
    std::vector<StretchPiece> pieces;
    if (sourceLength <= 0 || destinationLength <= 0) {
        return pieces;
    }
    const int screen = std::max(screenLength, 1);
    const int count = sourceLength / screen + (sourceLength % screen != 0 ? 1 : 0);
    const int sourcePiece = sourceLength / count + 1;
    const int destinationPiece = destinationLength / count + 1;
    int s = 0;
    int d = 0;
    for (int i = 0; i < count && s < sourceLength && d < destinationLength; ++i) {
        const bool last = i == count - 1;
        const int sl = last ? sourceLength - s : std::min(sourcePiece, sourceLength - s);
        const int dl =
            last ? destinationLength - d : std::min(destinationPiece, destinationLength - d);
        pieces.push_back({s, sl, d, dl});
        s += sl;
        d += dl;
    }
    // When one side runs out before the count (a screen or destination
    // smaller than the count), the last piece takes the rest of the other,
    // so both are covered exactly once.
    if (!pieces.empty()) {
        pieces.back().sourceLength += sourceLength - s;
        pieces.back().destinationLength += destinationLength - d;
    }
    return pieces;
}

Point ScreenSize() {
    if (screenOverride.x > 0 && screenOverride.y > 0) {
        return screenOverride;
    }
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
            const QSize size = screen->geometry().size();
            if (size.width() > 0 && size.height() > 0) {
                return {size.width(), size.height()};
            }
        }
    }
    return {1024, 768};
}

void SetScreenSizeForTesting(Point size) {
    screenOverride = size;
}

void StretchRect(DibBitmap& destination, const Rect& destinationRect, const DibBitmap& source,
                 const Rect& sourceRect, RasterOp rop, const DibBitmap* sourceMask) {
    const int width = destinationRect.width();
    const int height = destinationRect.height();
    if (destination.IsEmpty() || source.IsEmpty() || width <= 0 || height <= 0 ||
        sourceRect.empty()) {
        return;
    }
    // Source pixels available, and destination pixels visible.
    const int lowX = std::max(sourceRect.left, 0);
    const int highX = std::min(sourceRect.right, source.GetWidth());
    const int lowY = std::max(sourceRect.top, 0);
    const int highY = std::min(sourceRect.bottom, source.GetHeight());
    const int fromX = std::max(0, -destinationRect.left);
    const int toX = std::min(width, destination.GetWidth() - destinationRect.left);
    const int fromY = std::max(0, -destinationRect.top);
    const int toY = std::min(height, destination.GetHeight() - destinationRect.top);
    if (lowX >= highX || lowY >= highY || fromX >= toX || fromY >= toY) {
        return;
    }
    const bool sample = source.GetBitsPerPixel() == 1;
    const AxisTaps across =
        makeTaps(sourceRect.left, sourceRect.width(), width, fromX, toX, lowX, highX, sample);
    const AxisTaps down =
        makeTaps(sourceRect.top, sourceRect.height(), height, fromY, toY, lowY, highY, sample);
    // With a mask: which source pixel each destination pixel samples, and the
    // opacity of every source pixel in the top byte of its quad.
    const bool masked = sourceMask != nullptr && !sample;
    AxisTaps sampleAcross;
    AxisTaps sampleDown;
    if (masked) {
        sampleAcross =
            makeTaps(sourceRect.left, sourceRect.width(), width, fromX, toX, lowX, highX, true);
        sampleDown =
            makeTaps(sourceRect.top, sourceRect.height(), height, fromY, toY, lowY, highY, true);
    }
    auto transparent = [&](int x, int y) { return sourceMask->GetPixel(x, y) != 0; };

    // Across first: every source row in use, shrunk or grown to the visible width.
    const PixelFormat& from = DibInternals::format(source);
    const auto visible = static_cast<std::size_t>(toX - fromX);
    const int rows = down.highest - down.lowest + 1;
    const int columns = across.highest - across.lowest + 1;
    std::vector<std::uint32_t> line(static_cast<std::size_t>(columns));
    std::vector<std::uint32_t> acrossRows(visible * static_cast<std::size_t>(rows));
    const PaddedTaps acrossTaps = padded(across);
    for (int r = 0; r < rows; ++r) {
        from.readQuads(source.RowBits(down.lowest + r), across.lowest, columns, line.data());
        for (int i = 0; i < columns && masked; ++i) {
            auto& q = line[static_cast<std::size_t>(i)];
            q = transparent(across.lowest + i, down.lowest + r) ? 0 : q | 0xFF000000u;
        }
        acrossRow(line.data(), acrossTaps, visible,
                  acrossRows.data() + static_cast<std::size_t>(r) * visible);
    }

    // Then down, a row at a time, into the destination's format.
    const PixelFormat& to = DibInternals::format(destination);
    const std::uint32_t black = to.fromQuad(0);
    const bool blackAndWhite = from.blackAndWhite() && !to.sameAs(from);
    RowCombiner combiner(destination, rop, PatternRaw(destination));
    std::vector<std::uint32_t> sumRB(visible);
    std::vector<std::uint32_t> sumAG(visible);
    std::vector<std::uint32_t> result(visible);
    for (int y = fromY; y < toY; ++y) {
        const auto at = static_cast<std::size_t>(y - fromY);
        std::fill(sumRB.begin(), sumRB.end(), 0);
        std::fill(sumAG.begin(), sumAG.end(), 0);
        const auto end = static_cast<std::size_t>(down.first[at + 1]);
        for (auto k = static_cast<std::size_t>(down.first[at]); k < end; ++k) {
            const std::uint32_t* in =
                acrossRows.data() + static_cast<std::size_t>(down.index[k] - down.lowest) * visible;
            const std::uint32_t w = down.weight[k];
            for (std::size_t x = 0; x < visible; ++x) {
                sumRB[x] += (in[x] & kLanes) * w;
                sumAG[x] += ((in[x] >> 8) & kLanes) * w;
            }
        }
        for (std::size_t x = 0; x < visible; ++x) {
            result[x] = finish(sumRB[x], sumAG[x]);
        }
        if (masked) {
            const auto sy = static_cast<std::size_t>(sampleDown.first[at]);
            for (std::size_t x = 0; x < visible; ++x) {
                const auto sx = static_cast<std::size_t>(sampleAcross.first[x]);
                result[x] = transparent(sampleAcross.index[sx], sampleDown.index[sy])
                                ? 0
                                : unpremultiplied(result[x]);
            }
        }
        for (std::size_t x = 0; x < visible; ++x) {
            const std::uint32_t q = result[x] & 0x00FFFFFF;
            result[x] = blackAndWhite     ? (q != 0 ? to.rawMask() : 0)
                        : to.standard32() ? q
                        : q == 0          ? black
                                          : to.fromQuad(q);
        }
        combiner.combine(destinationRect.top + y, destinationRect.left + fromX,
                         static_cast<int>(visible), result.data());
    }
}

void StretchPieces(DibBitmap& destination, const Rect& destinationRect, const DibBitmap& source,
                   const Rect& sourceRect, RasterOp rop, const DibBitmap* sourceMask) {
    if (destinationRect.width() <= 0 || destinationRect.height() <= 0 || sourceRect.width() <= 0 ||
        sourceRect.height() <= 0) {
        return;
    }
    const Point screen = ScreenSize();
    if (sourceRect.width() <= screen.x && sourceRect.height() <= screen.y) {
        StretchRect(destination, destinationRect, source, sourceRect, rop, sourceMask);
        return;
    }
    const std::vector<StretchPiece> columns =
        SplitIntoPieces(sourceRect.width(), destinationRect.width(), screen.x);
    const std::vector<StretchPiece> rows =
        SplitIntoPieces(sourceRect.height(), destinationRect.height(), screen.y);
    for (const StretchPiece& row : rows) {
        for (const StretchPiece& column : columns) {
            const Rect to{destinationRect.left + column.destinationStart,
                          destinationRect.top + row.destinationStart,
                          destinationRect.left + column.destinationStart + column.destinationLength,
                          destinationRect.top + row.destinationStart + row.destinationLength};
            const Rect from{sourceRect.left + column.sourceStart, sourceRect.top + row.sourceStart,
                            sourceRect.left + column.sourceStart + column.sourceLength,
                            sourceRect.top + row.sourceStart + row.sourceLength};
            StretchRect(destination, to, source, from, rop, sourceMask);
        }
    }
}

}  // namespace banmen
