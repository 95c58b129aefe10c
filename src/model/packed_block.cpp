#include "model/packed_block.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <string>

#include "model/packed_block_x86.h"

namespace banmen {
namespace {

// Fast paths and plain paths. The plain paths go one unit at a time; they do
// the start and the end of the data and are on their own a complete packer
// and unpacker. The fast paths work on blocks of 64 units, whose flags are
// eight flag bytes read as one big-endian word (unit k is bit 63 - k), and
// copy or repeat whole runs of units. Packing first computes the flags of
// spans of 512 units with vectorised loops, then copies the changed runs.
constexpr std::size_t kBlockUnits = 64;
constexpr std::size_t kSpanUnits = 512;
// Block copies and fills move whole pieces and may write (and copies read)
// up to 64 bytes past what they need, to be overwritten by what follows;
// blocks that close to the end of the data go the plain way.
constexpr std::size_t kSlack = 64;

void putLe32(std::uint8_t* p, std::uint32_t value) {
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
    p[2] = static_cast<std::uint8_t>(value >> 16);
    p[3] = static_cast<std::uint8_t>(value >> 24);
}

std::uint32_t getLe32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Units are compared and copied as raw bytes; memcpy keeps unaligned loads
// defined and leaves the byte order alone.
template <typename Unit>
Unit loadUnit(const std::uint8_t* p) {
    Unit unit;
    std::memcpy(&unit, p, sizeof unit);
    return unit;
}

template <typename Unit>
void storeUnit(std::uint8_t* p, Unit unit) {
    std::memcpy(p, &unit, sizeof unit);
}

std::uint64_t load64(const std::uint8_t* p) {
    return loadUnit<std::uint64_t>(p);
}

// Eight flag bytes as one big-endian word: unit k of a block is bit 63 - k.
// (Compilers turn the swap into one instruction.)
std::uint64_t byteSwap(std::uint64_t v) {
    v = (v & 0x00FF00FF00FF00FFu) << 8 | (v >> 8 & 0x00FF00FF00FF00FFu);
    v = (v & 0x0000FFFF0000FFFFu) << 16 | (v >> 16 & 0x0000FFFF0000FFFFu);
    return v << 32 | v >> 32;
}

std::uint64_t loadFlagWord(const std::uint8_t* p) {
    const std::uint64_t word = load64(p);
    return std::endian::native == std::endian::little ? byteSwap(word) : word;
}

// An 8-byte word holding `unit` repeated: the same bytes in either byte order.
template <typename Unit>
std::uint64_t repeatUnit(Unit unit) {
    constexpr std::uint64_t kOnes = ~std::uint64_t{0} / std::numeric_limits<Unit>::max();
    return static_cast<std::uint64_t>(unit) * kOnes;
}

// Copies at least `bytes` in whole 16-byte pieces (see kSlack).
void copyPieces(std::uint8_t* to, const std::uint8_t* from, std::size_t bytes) {
    std::memcpy(to, from, 16);
    for (std::size_t c = 16; c < bytes; c += 16) {
        std::memcpy(to + c, from + c, 16);
    }
}

// Fills at least `bytes` with `pattern` (see kSlack): always 64 bytes, so
// that the gaps of a byte block take no data-dependent branch.
void fillPieces(std::uint8_t* to, std::uint64_t pattern, std::size_t bytes) {
    for (std::size_t c = 0; c < 64; c += 8) {
        std::memcpy(to + c, &pattern, 8);
    }
    for (std::size_t c = 64; c < bytes; c += 8) {
        std::memcpy(to + c, &pattern, 8);
    }
}

// The weight of each unit's flag within its flag byte.
constexpr std::array<std::uint8_t, kBlockUnits> kFlagWeights = [] {
    std::array<std::uint8_t, kBlockUnits> weights{};
    for (std::size_t k = 0; k < kBlockUnits; ++k) {
        weights[k] = static_cast<std::uint8_t>(0x80u >> (k % 8));
    }
    return weights;
}();

// Writes the flag bytes of the kSpanUnits units at `p`; the unit before them
// is at p - unit size. No branches and fixed trip counts, so both loops
// vectorise: the compare leaves each changed unit's flag weight in a byte,
// and adding up each group's eight bytes gives its flag byte.
template <typename Unit>
void spanFlags(const std::uint8_t* p, std::uint8_t* flags) {
    constexpr std::size_t u = sizeof(Unit);
    alignas(16) std::uint8_t weighted[kSpanUnits];
    for (std::size_t b = 0; b < kSpanUnits; b += kBlockUnits) {
        for (std::size_t k = 0; k < kBlockUnits; ++k) {
            const bool changed =
                loadUnit<Unit>(p + (b + k) * u) != loadUnit<Unit>(p + (b + k) * u - u);
            weighted[b + k] = static_cast<std::uint8_t>(kFlagWeights[k] & (changed ? 0xFFu : 0u));
        }
    }
    for (std::size_t g = 0; g < kSpanUnits / 8; ++g) {
        std::uint64_t sum = load64(weighted + 8 * g);
        sum += sum >> 32;
        sum += sum >> 16;
        sum += sum >> 8;
        flags[g] = static_cast<std::uint8_t>(sum);
    }
}

// Calls `run(first, count)` for each run of set bits of a block's flag word,
// first unit first.
template <typename Run>
void forEachRun(std::uint64_t flags, Run run) {
    std::size_t pos = 0;
    while (flags != 0) {
        const int skip = std::countl_zero(flags);
        const int count = std::countl_one(flags << skip);
        pos += static_cast<std::size_t>(skip);
        run(pos, static_cast<std::size_t>(count));
        pos += static_cast<std::size_t>(count);
        flags = pos >= kBlockUnits ? 0 : flags << (skip + count);
    }
}

std::uint8_t flagBit(std::size_t unit) {
    return static_cast<std::uint8_t>(0x80u >> (unit % 8));
}

// Packs `size` bytes at `in`: sets the flags (which must start zeroed) and
// writes the changed units to `data`, which must have room for all units.
// Returns the number of data bytes.
template <typename Unit>
std::size_t packUnits(const std::uint8_t* in, std::size_t size, std::uint8_t* flags,
                      std::uint8_t* data) {
    constexpr std::size_t u = sizeof(Unit);
    const std::size_t units = (size + u - 1) / u;
    std::uint8_t* d = data;

    // One unit at a time; a partial last unit is its bytes followed by zeros.
    auto packPlain = [&](std::size_t from, std::size_t to) {
        if (from >= to) {
            return;  // unit from - 1 may be a partial last unit
        }
        Unit prev = from == 0 ? Unit{0} : loadUnit<Unit>(in + (from - 1) * u);
        for (std::size_t i = from; i < to; ++i) {
            Unit cur = 0;
            std::memcpy(&cur, in + i * u, std::min(u, size - i * u));
            if (cur != prev) {
                storeUnit(d, cur);
                d += u;
                flags[i / 8] |= flagBit(i);
            }
            prev = cur;
        }
    };

    // The first group goes the plain way, so that every span has a unit
    // before it. Then the flags of whole spans, then their changed runs.
    const std::size_t first = std::min<std::size_t>(8, units);
    packPlain(0, first);
    const std::size_t spans =
        size >= first * u + kSlack ? (size - first * u - kSlack) / u / kSpanUnits : 0;
    const std::size_t end = first + spans * kSpanUnits;
    for (std::size_t i = first; i < end; i += kSpanUnits) {
        spanFlags<Unit>(in + i * u, flags + i / 8);
    }
    for (std::size_t i = first; i < end; i += kBlockUnits) {
        const std::uint64_t blockFlagWord = loadFlagWord(flags + i / 8);
        const std::uint8_t* p = in + i * u;
        forEachRun(blockFlagWord, [&](std::size_t from, std::size_t count) {
            copyPieces(d, p + from * u, count * u);
            d += count * u;
        });
    }
    packPlain(end, units);
    return static_cast<std::size_t>(d - data);
}

// Unpacks `units` units into the `size` bytes at `out`. The caller has checked
// that the data area holds a whole unit for every set flag.
template <typename Unit>
void unpackUnits(const std::uint8_t* flags, const std::uint8_t* data, const std::uint8_t* dataEnd,
                 std::size_t units, std::uint8_t* out, std::size_t size) {
    constexpr std::size_t u = sizeof(Unit);
    Unit prev = 0;

    // One unit at a time; only the bytes of a partial last unit that lie
    // inside `size` are written.
    auto unpackPlain = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if ((flags[i / 8] & flagBit(i)) != 0) {
                prev = loadUnit<Unit>(data);
                data += u;
            }
            const Unit value = prev;
            std::memcpy(out + i * u, &value, std::min(u, size - i * u));
        }
    };

    std::size_t i = 0;
    for (; (i + kBlockUnits) * u + kSlack <= size; i += kBlockUnits) {
        std::uint8_t* o = out + i * u;
        const std::uint64_t blockFlagWord = loadFlagWord(flags + i / 8);
        if (blockFlagWord == 0) {
            const std::uint64_t pattern = repeatUnit(prev);
            for (std::size_t c = 0; c < kBlockUnits * u; c += 8) {
                std::memcpy(o + c, &pattern, 8);
            }
            continue;
        }
        if (static_cast<std::size_t>(dataEnd - data) < kBlockUnits * u + kSlack) {
            // Too close to the end of the data for whole pieces.
            unpackPlain(i, i + kBlockUnits);
            continue;
        }
        // Each run of changed units is copied; the gaps repeat the unit
        // before them. Pieces that run past a run are overwritten after.
        std::size_t filled = 0;
        forEachRun(blockFlagWord, [&](std::size_t first, std::size_t count) {
            fillPieces(o + filled * u, repeatUnit(prev), (first - filled) * u);
            copyPieces(o + first * u, data, count * u);
            data += count * u;
            prev = loadUnit<Unit>(data - u);
            filled = first + count;
        });
        fillPieces(o + filled * u, repeatUnit(prev), (kBlockUnits - filled) * u);
    }
    unpackPlain(i, units);
}

// Each byte of the result is the number of set bits in that byte of x.
std::uint64_t byteBitCounts(std::uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    return (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
}

// The number of set flags among the first `units` bits.
std::size_t countFlags(const std::uint8_t* flags, std::size_t units) {
    const std::size_t whole = units / 8;
    std::size_t count = 0;
    std::size_t b = 0;
    // Per-byte counts of 16 words add up to at most 128 per byte.
    for (; b + 128 <= whole; b += 128) {
        std::uint64_t sums = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            sums += byteBitCounts(load64(flags + b + 8 * k));
        }
        const std::uint64_t pairs =
            (sums & 0x00FF00FF00FF00FFu) + (sums >> 8 & 0x00FF00FF00FF00FFu);
        count += static_cast<std::size_t>((pairs * 0x0001000100010001u) >> 48);
    }
    for (; b < whole; ++b) {
        count += static_cast<std::size_t>(std::popcount(flags[b]));
    }
    if (units % 8 != 0) {
        // Bits past the last unit are not units; ignore them.
        const unsigned used = (0xFF00u >> (units % 8)) & 0xFFu;
        count += static_cast<std::size_t>(std::popcount(flags[whole] & used));
    }
    return count;
}

// The unit whose flag is the (available + 1)-th set flag: where the data runs out.
std::size_t unitWithoutData(const std::uint8_t* flags, std::size_t units, std::size_t available) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < units; ++i) {
        if ((flags[i / 8] & flagBit(i)) != 0 && seen++ == available) {
            return i;
        }
    }
    return units;
}

}  // namespace

std::size_t Pack(int unitSize, const void* data, std::size_t size, std::uint8_t* output) {
    if (unitSize != 1 && unitSize != 2 && unitSize != 4) {
        return 0;
    }
    if (size > std::numeric_limits<std::uint32_t>::max()) {
        return 0;
    }
    const std::size_t u = static_cast<std::size_t>(unitSize);
    const std::size_t units = (size + u - 1) / u;
    const std::size_t flagBytes = (units + 7) / 8;
    const std::size_t dataOffset = kPackedHeaderSize + flagBytes;
    if (output == nullptr) {
        // A partial last unit takes a whole unit of data.
        return dataOffset + units * u;
    }

    putLe32(output, kPackedMagic);
    putLe32(output + 4, static_cast<std::uint32_t>(dataOffset));
    putLe32(output + 8, static_cast<std::uint32_t>(size));
    putLe32(output + 12, static_cast<std::uint32_t>(unitSize));
    std::uint8_t* flags = output + kPackedHeaderSize;
    const auto* in = static_cast<const std::uint8_t*>(data);
    std::uint8_t* out = output + dataOffset;
    if (packed_x86::fastPathEnabled()) {  // it writes every flag byte
        return dataOffset + packed_x86::packUnits(unitSize, in, size, flags, out);
    }
    std::memset(flags, 0, flagBytes);
    std::size_t dataBytes = 0;
    switch (unitSize) {
        case 1:
            dataBytes = packUnits<std::uint8_t>(in, size, flags, out);
            break;
        case 2:
            dataBytes = packUnits<std::uint16_t>(in, size, flags, out);
            break;
        default:
            dataBytes = packUnits<std::uint32_t>(in, size, flags, out);
            break;
    }
    return dataOffset + dataBytes;
}

Status Unpack(const std::uint8_t* block, std::size_t size, std::vector<std::uint8_t>& out) {
    if (size < kPackedHeaderSize) {
        return Status::error("not a packed block (truncated header)");
    }
    if (getLe32(block) != kPackedMagic) {
        return Status::error("not a packed block (bad magic)");
    }
    const std::size_t dataOffset = getLe32(block + 4);
    const std::size_t unpackedSize = getLe32(block + 8);
    const std::uint32_t unitSize = getLe32(block + 12);
    if (unitSize != 1 && unitSize != 2 && unitSize != 4) {
        return Status::error("packed block has unit size " + std::to_string(unitSize) +
                             " (not 1, 2 or 4)");
    }
    if (unpackedSize > kMaxUnpackedSize) {
        return Status::error("unpacked size " + std::to_string(unpackedSize) +
                             " is over the 64 MiB limit");
    }
    const std::size_t u = unitSize;
    const std::size_t units = (unpackedSize + u - 1) / u;
    const std::size_t flagBytes = (units + 7) / 8;
    if (dataOffset != kPackedHeaderSize + flagBytes) {
        return Status::error("data offset " + std::to_string(dataOffset) + " does not fit " +
                             std::to_string(units) + " units (expected " +
                             std::to_string(kPackedHeaderSize + flagBytes) + ")");
    }
    if (size < dataOffset) {
        return Status::error("packed flags run out at unit " +
                             std::to_string((size - kPackedHeaderSize) * 8));
    }
    // Trailing bytes after the data that the flags ask for are accepted: the
    // block's own size is recorded nowhere, so a file padded by a copy tool
    // or an archive still opens.
    const std::uint8_t* flags = block + kPackedHeaderSize;
    const std::size_t available = (size - dataOffset) / u;
    const bool fast = packed_x86::fastPathEnabled();
    const std::size_t setFlags =
        fast ? packed_x86::countFlags(flags, units) : countFlags(flags, units);
    if (setFlags > available) {
        return Status::error("packed data runs out at unit " +
                             std::to_string(unitWithoutData(flags, units, available)));
    }

    // Nothing can fail from here on, so `out` is written in place.
    out.resize(unpackedSize);
    const std::uint8_t* data = block + dataOffset;
    const std::uint8_t* dataEnd = block + size;
    if (fast) {
        packed_x86::unpackUnits(static_cast<int>(unitSize), flags, data, dataEnd, out.data(),
                                unpackedSize);
        return Status::ok();
    }
    switch (unitSize) {
        case 1:
            unpackUnits<std::uint8_t>(flags, data, dataEnd, units, out.data(), unpackedSize);
            break;
        case 2:
            unpackUnits<std::uint16_t>(flags, data, dataEnd, units, out.data(), unpackedSize);
            break;
        default:
            unpackUnits<std::uint32_t>(flags, data, dataEnd, units, out.data(), unpackedSize);
            break;
    }
    return Status::ok();
}

}  // namespace banmen
