#include "model/packed_block_x86.h"

#if defined(__x86_64__)
#include <immintrin.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#else
#include <cstdlib>
#endif

namespace banmen::packed_x86 {

#if defined(__x86_64__)

namespace {

// Functions with vector code carry this; they run only after the check in
// fastPathEnabled(), so the rest of the program still runs on any x86-64.
#define BANMEN_PACKED_FAST __attribute__((target("avx2,bmi2,popcnt")))

constexpr std::size_t kBlock = 64;  // units per flag word
constexpr std::size_t kHalf = 32;   // units per half flag word

std::atomic<bool> enabledByTests{true};

bool processorHasFastPath() {
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2") &&
                            __builtin_cpu_supports("popcnt");
    return has;
}

// Tables of eight unit indices, one per flag byte (first unit in the most
// significant bit). kNone has the sign bit set: a byte shuffle gives 0 for it,
// and a blend takes the other source.
struct alignas(8) Indices {
    std::uint8_t at[8];
};
using IndexTable = std::array<Indices, 256>;
constexpr std::uint8_t kNone = 0xFF;

// The indices of the changed units of a group, first to last, plus `offset`;
// kNone after them.
constexpr IndexTable keepTable(unsigned offset) {
    IndexTable table{};
    for (unsigned f = 0; f < 256; ++f) {
        unsigned kept = 0;
        for (unsigned k = 0; k < 8; ++k) {
            if ((f & (0x80u >> k)) != 0) {
                table[f].at[kept++] = static_cast<std::uint8_t>(offset + k);
            }
        }
        for (; kept < 8; ++kept) {
            table[f].at[kept] = kNone;
        }
    }
    return table;
}
constexpr IndexTable kKeep = keepTable(0);
constexpr IndexTable kKeepSecond = keepTable(8);  // for the second 8 bytes of 16

// For each unit of a group, the number of changed units up to and including
// it: the index of its value in [the last value, the group's data...].
constexpr IndexTable kSources = [] {
    IndexTable table{};
    for (unsigned f = 0; f < 256; ++f) {
        unsigned seen = 0;
        for (unsigned k = 0; k < 8; ++k) {
            seen += (f >> (7 - k)) & 1u;
            table[f].at[k] = static_cast<std::uint8_t>(seen);
        }
    }
    return table;
}();

// The same index less one: the index in the group's data, or kNone for the
// units before the first change, which repeat the last value.
constexpr IndexTable kDataSources = [] {
    IndexTable table = kSources;
    for (Indices& indices : table) {
        for (std::uint8_t& at : indices.at) {
            at = at == 0 ? kNone : static_cast<std::uint8_t>(at - 1);
        }
    }
    return table;
}();

template <typename Unit>
Unit loadUnit(const std::uint8_t* p) {
    Unit unit;
    std::memcpy(&unit, p, sizeof unit);
    return unit;
}

void store64(std::uint8_t* p, std::uint64_t v) {
    std::memcpy(p, &v, sizeof v);
}

// Bit 7 of each byte swapped with bit 0, 6 with 1 and so on.
std::uint64_t reverseBitsOfBytes(std::uint64_t v) {
    v = (v & 0x5555555555555555u) << 1 | (v >> 1 & 0x5555555555555555u);
    v = (v & 0x3333333333333333u) << 2 | (v >> 2 & 0x3333333333333333u);
    return (v & 0x0F0F0F0F0F0F0F0Fu) << 4 | (v >> 4 & 0x0F0F0F0F0F0F0F0Fu);
}

BANMEN_PACKED_FAST inline unsigned bitCount(unsigned v) {
    return static_cast<unsigned>(_mm_popcnt_u32(v));
}

BANMEN_PACKED_FAST inline __m128i load128(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

BANMEN_PACKED_FAST inline __m256i load256(const std::uint8_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

BANMEN_PACKED_FAST inline void store128(std::uint8_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

BANMEN_PACKED_FAST inline void store256(std::uint8_t* p, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}

BANMEN_PACKED_FAST inline __m128i loadIndices(const IndexTable& table, unsigned flagByte) {
    return _mm_loadu_si64(&table[flagByte]);
}

// Unit indices (as in the tables) made byte indices for units of two bytes:
// k becomes 2k, 2k + 1; kNone keeps its sign bit.
BANMEN_PACKED_FAST inline __m128i pairIndices(__m128i indices) {
    const __m128i twice = _mm_unpacklo_epi8(indices, indices);
    return _mm_or_si128(_mm_add_epi8(twice, twice), _mm_set1_epi16(0x0100));
}

BANMEN_PACKED_FAST inline __m256i repeated(std::uint8_t unit) {
    return _mm256_set1_epi8(static_cast<char>(unit));
}
BANMEN_PACKED_FAST inline __m256i repeated(std::uint16_t unit) {
    return _mm256_set1_epi16(static_cast<short>(unit));
}
BANMEN_PACKED_FAST inline __m256i repeated(std::uint32_t unit) {
    return _mm256_set1_epi32(static_cast<int>(unit));
}

// --- Flags ---
// The eight flag bytes of the 64 units at `p` (the unit before them is at
// p - unit size) as a little-endian word.

// Each 8-byte group of the compare is reversed before the bits are gathered,
// so that its first unit lands in the most significant bit of its flag byte.
BANMEN_PACKED_FAST inline std::uint64_t flagWord1(const std::uint8_t* p) {
    const __m256i reverse = _mm256_setr_epi8(7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8,
                                             7, 6, 5, 4, 3, 2, 1, 0, 15, 14, 13, 12, 11, 10, 9, 8);
    const __m256i low = _mm256_cmpeq_epi8(load256(p), load256(p - 1));
    const __m256i high = _mm256_cmpeq_epi8(load256(p + 32), load256(p + 31));
    const auto sameLow =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_shuffle_epi8(low, reverse)));
    const auto sameHigh =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_shuffle_epi8(high, reverse)));
    return ~(std::uint64_t{sameHigh} << 32 | sameLow);
}

// Two groups of 2-byte units at `at`, units reversed in each group as above;
// of the two bits per unit the gather gives, one is kept.
BANMEN_PACKED_FAST inline std::uint64_t sameBits2(const std::uint8_t* at) {
    const __m256i reverse = _mm256_setr_epi8(14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1,
                                             14, 15, 12, 13, 10, 11, 8, 9, 6, 7, 4, 5, 2, 3, 0, 1);
    const __m256i same = _mm256_cmpeq_epi16(load256(at), load256(at - 2));
    const auto bits =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_shuffle_epi8(same, reverse)));
    return _pext_u32(bits, 0x55555555u);
}

BANMEN_PACKED_FAST inline std::uint64_t flagWord2(const std::uint8_t* p) {
    return ~(sameBits2(p) | sameBits2(p + 32) << 16 | sameBits2(p + 64) << 32 |
             sameBits2(p + 96) << 48);
}

// One group of 4-byte units at `at`, first unit in the least significant bit.
BANMEN_PACKED_FAST inline std::uint64_t sameBits4(const std::uint8_t* at) {
    const __m256i same = _mm256_cmpeq_epi32(load256(at), load256(at - 4));
    return static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(same)));
}

BANMEN_PACKED_FAST inline std::uint64_t flagWord4(const std::uint8_t* p) {
    const std::uint64_t same = sameBits4(p) | sameBits4(p + 32) << 8 | sameBits4(p + 64) << 16 |
                               sameBits4(p + 96) << 24 | sameBits4(p + 128) << 32 |
                               sameBits4(p + 160) << 40 | sameBits4(p + 192) << 48 |
                               sameBits4(p + 224) << 56;
    return reverseBitsOfBytes(~same);
}

template <typename Unit>
BANMEN_PACKED_FAST inline std::uint64_t flagWord(const std::uint8_t* p) {
    if constexpr (sizeof(Unit) == 1) {
        return flagWord1(p);
    } else if constexpr (sizeof(Unit) == 2) {
        return flagWord2(p);
    } else {
        return flagWord4(p);
    }
}

// --- Packing ---
// Each group's changed units are gathered by one shuffle to the front of a
// store of the whole group, whose bytes past them the next store overwrites.
// A store at d never passes data + the units up to the group's end, so it
// stays inside the data area.

// Two groups of 1-byte units.
BANMEN_PACKED_FAST inline std::uint8_t* keepPair1(const std::uint8_t* p, unsigned first,
                                                  unsigned second, std::uint8_t* d) {
    const __m128i units = load128(p);
    _mm_storeu_si64(d, _mm_shuffle_epi8(units, loadIndices(kKeep, first)));
    d += bitCount(first);
    _mm_storeu_si64(d, _mm_shuffle_epi8(units, loadIndices(kKeepSecond, second)));
    return d + bitCount(second);
}

BANMEN_PACKED_FAST inline std::uint8_t* keepGroup2(const std::uint8_t* p, unsigned flagByte,
                                                   std::uint8_t* d) {
    const __m128i indices = pairIndices(loadIndices(kKeep, flagByte));
    store128(d, _mm_shuffle_epi8(load128(p), indices));
    return d + 2 * bitCount(flagByte);
}

BANMEN_PACKED_FAST inline std::uint8_t* keepGroup4(const std::uint8_t* p, unsigned flagByte,
                                                   std::uint8_t* d) {
    const __m256i indices = _mm256_cvtepu8_epi32(loadIndices(kKeep, flagByte));
    store256(d, _mm256_permutevar8x32_epi32(load256(p), indices));
    return d + 4 * bitCount(flagByte);
}

template <typename Unit>
BANMEN_PACKED_FAST inline std::uint8_t* keepGroup(const std::uint8_t* p, unsigned flagByte,
                                                  std::uint8_t* d) {
    if constexpr (sizeof(Unit) == 2) {
        return keepGroup2(p, flagByte, d);
    } else {
        return keepGroup4(p, flagByte, d);
    }
}

// The changed units among the 32 at `p`, whose flag bytes are `flags`
// (little-endian); returns the new end of the data.
template <typename Unit>
BANMEN_PACKED_FAST inline std::uint8_t* keepHalf(const std::uint8_t* p, std::uint32_t flags,
                                                 std::uint8_t* d) {
    if constexpr (sizeof(Unit) == 1) {
        d = keepPair1(p, flags & 0xFF, flags >> 8 & 0xFF, d);
        return keepPair1(p + 16, flags >> 16 & 0xFF, flags >> 24, d);
    } else {
        constexpr std::size_t group = 8 * sizeof(Unit);
        d = keepGroup<Unit>(p, flags & 0xFF, d);
        d = keepGroup<Unit>(p + group, flags >> 8 & 0xFF, d);
        d = keepGroup<Unit>(p + 2 * group, flags >> 16 & 0xFF, d);
        return keepGroup<Unit>(p + 3 * group, flags >> 24, d);
    }
}

// Packs units [from, to) one at a time into whole flag bytes; `from` is a
// multiple of 8. A partial last unit is its bytes followed by zeros. Returns
// the new end of the data.
template <typename Unit>
std::uint8_t* packPlain(const std::uint8_t* in, std::size_t size, std::size_t from, std::size_t to,
                        std::uint8_t* flags, std::uint8_t* d) {
    constexpr std::size_t u = sizeof(Unit);
    if (from >= to) {
        return d;  // unit from - 1 may be a partial last unit
    }
    Unit prev = from == 0 ? Unit{0} : loadUnit<Unit>(in + (from - 1) * u);
    for (std::size_t g = from; g < to; g += 8) {
        unsigned flagByte = 0;
        for (std::size_t k = g; k < to && k < g + 8; ++k) {
            Unit unit = 0;
            std::memcpy(&unit, in + k * u, std::min(u, size - k * u));
            const unsigned changed = unit != prev ? 1u : 0u;
            flagByte |= changed << (7 - (k - g));
            std::memcpy(d, &unit, u);  // d <= data + k units: always room
            d += changed * u;
            prev = unit;
        }
        flags[g / 8] = static_cast<std::uint8_t>(flagByte);
    }
    return d;
}

// Blocks of 64 units: one compare gives the flag word. Halves whose flags are
// all 0 (most of a game record) take no more work; the others keep their
// changed units group by group. Testing halves rather than groups or whole
// blocks measured fastest: fewer mispredicted branches than per group, less
// work than per block.
template <typename Unit>
BANMEN_PACKED_FAST std::size_t packWith(const std::uint8_t* in, std::size_t size,
                                        std::uint8_t* flags, std::uint8_t* data) {
    constexpr std::size_t u = sizeof(Unit);
    const std::size_t units = (size + u - 1) / u;
    // The first group goes the plain way, so that every block has a unit before it.
    std::size_t i = std::min<std::size_t>(8, units);
    std::uint8_t* d = packPlain<Unit>(in, size, 0, i, flags, data);
    for (; (i + kBlock) * u <= size; i += kBlock) {
        const std::uint8_t* p = in + i * u;
        const std::uint64_t word = flagWord<Unit>(p);
        store64(flags + i / 8, word);
        const auto low = static_cast<std::uint32_t>(word);
        const auto high = static_cast<std::uint32_t>(word >> 32);
        if (low != 0) {
            d = keepHalf<Unit>(p, low, d);
        }
        if (high != 0) {
            d = keepHalf<Unit>(p + kHalf * u, high, d);
        }
    }
    d = packPlain<Unit>(in, size, i, units, flags, d);
    return static_cast<std::size_t>(d - data);
}

// --- Unpacking ---
// Each group is one shuffle of the data from d on, which puts each new unit
// at its place and repeats it in the gaps after it, and one store. The unit
// at d - unit size is the last value, which the units before the group's
// first change repeat.

// 1-byte units: the shuffle of the 16 bytes from d - 1 takes the last value
// at index 0.
BANMEN_PACKED_FAST inline const std::uint8_t* spreadGroup1(const std::uint8_t* d, unsigned flagByte,
                                                           std::uint8_t* o) {
    const __m128i values = _mm_shuffle_epi8(load128(d - 1), loadIndices(kSources, flagByte));
    _mm_storeu_si64(o, values);
    return d + bitCount(flagByte);
}

// 2-byte units: a shuffle of the 8 units from d, blended with the last value
// where the indices are kNone.
BANMEN_PACKED_FAST inline const std::uint8_t* spreadGroup2(const std::uint8_t* d, unsigned flagByte,
                                                           std::uint8_t* o) {
    const __m128i sources = pairIndices(loadIndices(kDataSources, flagByte));
    const __m128i values = _mm_shuffle_epi8(load128(d), sources);
    const __m128i last = _mm_set1_epi16(static_cast<short>(loadUnit<std::uint16_t>(d - 2)));
    store128(o, _mm_blendv_epi8(values, last, sources));
    return d + 2 * bitCount(flagByte);
}

// 4-byte units: the same with a shuffle of 32-bit lanes, whose indices use
// only the low three bits; kNone widens to -1, whose sign bit picks the blend.
BANMEN_PACKED_FAST inline const std::uint8_t* spreadGroup4(const std::uint8_t* d, unsigned flagByte,
                                                           std::uint8_t* o) {
    const __m256i sources = _mm256_cvtepi8_epi32(loadIndices(kDataSources, flagByte));
    const __m256i values = _mm256_permutevar8x32_epi32(load256(d), sources);
    const __m256i last = _mm256_set1_epi32(static_cast<int>(loadUnit<std::uint32_t>(d - 4)));
    const __m256 blended = _mm256_blendv_ps(_mm256_castsi256_ps(values), _mm256_castsi256_ps(last),
                                            _mm256_castsi256_ps(sources));
    store256(o, _mm256_castps_si256(blended));
    return d + 4 * bitCount(flagByte);
}

template <typename Unit>
BANMEN_PACKED_FAST inline const std::uint8_t* spreadGroup(const std::uint8_t* d, unsigned flagByte,
                                                          std::uint8_t* o) {
    if constexpr (sizeof(Unit) == 1) {
        return spreadGroup1(d, flagByte, o);
    } else if constexpr (sizeof(Unit) == 2) {
        return spreadGroup2(d, flagByte, o);
    } else {
        return spreadGroup4(d, flagByte, o);
    }
}

// Halves of blocks (32 units) whose flags are all 0 repeat the last value;
// the others go group by group.
template <typename Unit>
BANMEN_PACKED_FAST void unpackWith(const std::uint8_t* flags, const std::uint8_t* data,
                                   const std::uint8_t* dataEnd, std::uint8_t* out,
                                   std::size_t size) {
    constexpr std::size_t u = sizeof(Unit);
    constexpr std::size_t group = 8 * u;
    // A half's last group reads from at most 24 units past where the half's
    // data starts, 16 bytes (unit size 1) or 8 units.
    constexpr std::size_t kDataSlack = kHalf * u + 16;
    const std::size_t units = (size + u - 1) / u;
    const std::uint8_t* d = data;
    Unit prev = 0;
    // One unit at a time; only the bytes of a partial last unit that lie
    // inside `size` are written.
    auto unpackPlain = [&](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            if ((flags[k / 8] & (0x80u >> (k % 8))) != 0) {
                prev = loadUnit<Unit>(d);
                d += u;
            }
            std::memcpy(out + k * u, &prev, std::min(u, size - k * u));
        }
    };

    std::size_t i = 0;
    for (; (i + kHalf) * u <= size; i += kHalf) {
        std::uint8_t* o = out + i * u;
        std::uint32_t word;
        std::memcpy(&word, flags + i / 8, sizeof word);
        if (word == 0) {
            const __m256i fill = repeated(prev);
            for (std::size_t c = 0; c < kHalf * u; c += 32) {
                store256(o + c, fill);
            }
            continue;
        }
        // Before the first data unit the last value is 0, not the unit before
        // d; near the end of the data the loads would run past it.
        if (d == data || static_cast<std::size_t>(dataEnd - d) < kDataSlack) {
            unpackPlain(i, i + kHalf);
            continue;
        }
        d = spreadGroup<Unit>(d, word & 0xFF, o);
        d = spreadGroup<Unit>(d, word >> 8 & 0xFF, o + group);
        d = spreadGroup<Unit>(d, word >> 16 & 0xFF, o + 2 * group);
        d = spreadGroup<Unit>(d, word >> 24, o + 3 * group);
        prev = loadUnit<Unit>(d - u);
    }
    unpackPlain(i, units);
}

}  // namespace

bool fastPathEnabled() {
    return processorHasFastPath() && enabledByTests.load(std::memory_order_relaxed);
}

void setFastPathEnabled(bool enabled) {
    enabledByTests.store(enabled, std::memory_order_relaxed);
}

BANMEN_PACKED_FAST std::size_t countFlags(const std::uint8_t* flags, std::size_t units) {
    const std::size_t whole = units / 8;
    std::size_t count = 0;
    std::size_t b = 0;
    // Bit counts of each nibble by table, summed per 8 bytes.
    const __m256i nibbleCounts = _mm256_setr_epi8(0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4, 0,
                                                  1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4);
    const __m256i lowNibbles = _mm256_set1_epi8(0x0F);
    __m256i sums = _mm256_setzero_si256();
    for (; b + 32 <= whole; b += 32) {
        const __m256i bytes = load256(flags + b);
        const __m256i low = _mm256_shuffle_epi8(nibbleCounts, _mm256_and_si256(bytes, lowNibbles));
        const __m256i high = _mm256_shuffle_epi8(
            nibbleCounts, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), lowNibbles));
        sums = _mm256_add_epi64(
            sums, _mm256_sad_epu8(_mm256_add_epi8(low, high), _mm256_setzero_si256()));
    }
    count +=
        static_cast<std::size_t>(_mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                                 _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
    for (; b < whole; ++b) {
        count += bitCount(flags[b]);
    }
    if (units % 8 != 0) {
        // Bits past the last unit are not units; ignore them.
        count += bitCount(flags[whole] & (0xFF00u >> (units % 8)) & 0xFFu);
    }
    return count;
}

std::size_t packUnits(int unitSize, const std::uint8_t* in, std::size_t size, std::uint8_t* flags,
                      std::uint8_t* data) {
    switch (unitSize) {
        case 1:
            return packWith<std::uint8_t>(in, size, flags, data);
        case 2:
            return packWith<std::uint16_t>(in, size, flags, data);
        default:
            return packWith<std::uint32_t>(in, size, flags, data);
    }
}

void unpackUnits(int unitSize, const std::uint8_t* flags, const std::uint8_t* data,
                 const std::uint8_t* dataEnd, std::uint8_t* out, std::size_t size) {
    switch (unitSize) {
        case 1:
            unpackWith<std::uint8_t>(flags, data, dataEnd, out, size);
            break;
        case 2:
            unpackWith<std::uint16_t>(flags, data, dataEnd, out, size);
            break;
        default:
            unpackWith<std::uint32_t>(flags, data, dataEnd, out, size);
            break;
    }
}

#undef BANMEN_PACKED_FAST

#else  // not x86-64: the portable path is the only one

bool fastPathEnabled() {
    return false;
}

void setFastPathEnabled(bool) {}

// Never called, as fastPathEnabled() is false; defined so that the callers link.
std::size_t countFlags(const std::uint8_t*, std::size_t) {
    std::abort();
}

std::size_t packUnits(int, const std::uint8_t*, std::size_t, std::uint8_t*, std::uint8_t*) {
    std::abort();
}

void unpackUnits(int, const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, std::uint8_t*,
                 std::size_t) {
    std::abort();
}

#endif

}  // namespace banmen::packed_x86
