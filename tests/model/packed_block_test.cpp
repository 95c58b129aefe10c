#include "model/packed_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "model/packed_block_x86.h"

namespace banmen {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A plain one-unit-at-a-time packer and unpacker, written from the format
// description alone; the library's fast paths must agree with them.
Bytes referencePack(int unitSize, const Bytes& in) {
    const std::size_t u = static_cast<std::size_t>(unitSize);
    const std::size_t units = (in.size() + u - 1) / u;
    Bytes flags((units + 7) / 8, 0);
    Bytes data;
    Bytes prev(u, 0);
    for (std::size_t i = 0; i < units; ++i) {
        Bytes unit(u, 0);
        for (std::size_t b = 0; b < u && i * u + b < in.size(); ++b) {
            unit[b] = in[i * u + b];
        }
        if (unit != prev) {
            flags[i / 8] = static_cast<std::uint8_t>(flags[i / 8] | (0x80 >> (i % 8)));
            data.insert(data.end(), unit.begin(), unit.end());
        }
        prev = unit;
    }
    Bytes block;
    auto put32 = [&block](std::size_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            block.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    };
    put32(kPackedMagic);
    put32(16 + flags.size());
    put32(in.size());
    put32(u);
    block.insert(block.end(), flags.begin(), flags.end());
    block.insert(block.end(), data.begin(), data.end());
    return block;
}

std::uint32_t get32(const Bytes& block, std::size_t at) {
    return static_cast<std::uint32_t>(block[at] | block[at + 1] << 8 | block[at + 2] << 16 |
                                      block[at + 3] << 24);
}

void set32(Bytes& block, std::size_t at, std::uint32_t v) {
    for (std::size_t k = 0; k < 4; ++k) {
        block[at + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
}

// Expects a well-formed block (as referencePack or Pack makes it).
Bytes referenceUnpack(const Bytes& block) {
    const std::size_t size = get32(block, 8);
    const std::size_t u = get32(block, 12);
    const std::size_t units = (size + u - 1) / u;
    std::size_t d = get32(block, 4);
    Bytes out(units * u, 0);
    Bytes prev(u, 0);
    for (std::size_t i = 0; i < units; ++i) {
        if ((block[16 + i / 8] & (0x80 >> (i % 8))) != 0) {
            prev.assign(block.begin() + static_cast<std::ptrdiff_t>(d),
                        block.begin() + static_cast<std::ptrdiff_t>(d + u));
            d += u;
        }
        std::copy(prev.begin(), prev.end(), out.begin() + static_cast<std::ptrdiff_t>(i * u));
    }
    out.resize(size);
    return out;
}

Bytes pack(int unitSize, const Bytes& in) {
    const std::size_t bound = Pack(unitSize, in.data(), in.size(), nullptr);
    Bytes block(bound + 8, 0xCD);  // guard bytes catch writes past the bound
    const std::size_t size = Pack(unitSize, in.data(), in.size(), block.data());
    EXPECT_LE(size, bound);
    for (std::size_t k = bound; k < block.size(); ++k) {
        EXPECT_EQ(block[k], 0xCD) << "write past the bound at " << k;
    }
    block.resize(size);
    return block;
}

Status unpack(const Bytes& block, Bytes& out) {
    return Unpack(block.data(), block.size(), out);
}

// Data shaped like a game record: runs of 0 and 0xFF, repeated units, texts
// and random noise, in random lengths.
Bytes recordLike(std::mt19937& rng, std::size_t size) {
    Bytes bytes;
    while (bytes.size() < size) {
        const std::size_t length = rng() % 200 + 1;
        switch (rng() % 5) {
            case 0:
                bytes.insert(bytes.end(), length, 0);
                break;
            case 1:
                bytes.insert(bytes.end(), length, 0xFF);
                break;
            case 2: {  // one 32-bit value repeated
                const std::uint32_t v = static_cast<std::uint32_t>(rng());
                for (std::size_t k = 0; k < length; ++k) {
                    bytes.push_back(static_cast<std::uint8_t>(v >> (8 * (k % 4))));
                }
                break;
            }
            case 3:  // sparse: mostly zero, a few set bytes
                for (std::size_t k = 0; k < length; ++k) {
                    bytes.push_back(rng() % 8 == 0 ? static_cast<std::uint8_t>(rng()) : 0);
                }
                break;
            default:
                for (std::size_t k = 0; k < length; ++k) {
                    bytes.push_back(static_cast<std::uint8_t>(rng() % 4 == 0 ? 'a' : rng()));
                }
                break;
        }
    }
    bytes.resize(size);
    return bytes;
}

Bytes randomBytes(std::mt19937& rng, std::size_t size) {
    Bytes bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(rng());
    }
    return bytes;
}

constexpr int kUnitSizes[] = {1, 2, 4};

// --- The format ---

TEST(PackedBlockFormat, SixteenZerosPackToHeaderAndTwoZeroFlags) {
    const Bytes block = pack(1, Bytes(16, 0));
    const Bytes expected = {0x06, 0x08, 0x04, 0x04, 18, 0, 0, 0, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(block, expected);
}

TEST(PackedBlockFormat, FiveFiveSevenStoresTwoUnits) {
    const Bytes block = pack(1, {5, 5, 7});
    ASSERT_EQ(block.size(), 19u);
    EXPECT_EQ(get32(block, 0), kPackedMagic);
    EXPECT_EQ(get32(block, 4), 17u);
    EXPECT_EQ(get32(block, 8), 3u);
    EXPECT_EQ(get32(block, 12), 1u);
    EXPECT_EQ(block[16], 0xA0);
    EXPECT_EQ(block[17], 5);
    EXPECT_EQ(block[18], 7);
}

TEST(PackedBlockFormat, EmptyInputIsHeaderOnly) {
    for (int u : kUnitSizes) {
        EXPECT_EQ(Pack(u, nullptr, 0, nullptr), 16u);
        const Bytes block = pack(u, {});
        ASSERT_EQ(block.size(), 16u);
        EXPECT_EQ(get32(block, 4), 16u);
        Bytes out = {1, 2, 3};
        ASSERT_TRUE(unpack(block, out));
        EXPECT_TRUE(out.empty());
    }
}

TEST(PackedBlockFormat, PartialLastUnitIsPaddedWithZeros) {
    // Unit size 4, three bytes: one unit 1,2,3,0.
    Bytes block = pack(4, {1, 2, 3});
    const Bytes expected = {0x06, 0x08, 0x04, 0x04, 17, 0,    0, 0, 3, 0, 0,
                            0,    4,    0,    0,    0,  0x80, 1, 2, 3, 0};
    EXPECT_EQ(block, expected);
    // Unit size 2 over 7,0,7,0,7: the padded last unit 7,0 repeats the one before.
    block = pack(2, {7, 0, 7, 0, 7});
    ASSERT_EQ(block.size(), 19u);
    EXPECT_EQ(block[16], 0x80);
    EXPECT_EQ(block[17], 7);
    EXPECT_EQ(block[18], 0);
    Bytes out;
    ASSERT_TRUE(unpack(block, out));
    EXPECT_EQ(out, (Bytes{7, 0, 7, 0, 7}));
}

TEST(PackedBlockFormat, FlagsAreMostSignificantBitFirstAcrossGroups) {
    // Units 0..9: 1 0 0 0 0 0 0 1 | 1 0  ->  0x81, 0x80.
    const Bytes in = {9, 9, 9, 9, 9, 9, 9, 4, 0, 0};
    const Bytes block = pack(1, in);
    ASSERT_EQ(block.size(), 16u + 2 + 3);
    EXPECT_EQ(block[16], 0x81);
    EXPECT_EQ(block[17], 0x80);
    EXPECT_EQ((Bytes{block[18], block[19], block[20]}), (Bytes{9, 4, 0}));
}

TEST(PackedBlockFormat, BoundCoversWholeUnitsAndBadUnitSizesGiveZero) {
    EXPECT_EQ(Pack(1, nullptr, 100, nullptr), 16u + 13 + 100);
    EXPECT_EQ(Pack(2, nullptr, 100, nullptr), 16u + 7 + 100);
    EXPECT_EQ(Pack(4, nullptr, 101, nullptr), 16u + 4 + 104);
    EXPECT_EQ(Pack(2, nullptr, 3, nullptr), 16u + 1 + 4);
    const Bytes in(10, 1);
    Bytes out(64, 0);
    for (int u : {-1, 0, 3, 8}) {
        EXPECT_EQ(Pack(u, in.data(), in.size(), nullptr), 0u) << u;
        EXPECT_EQ(Pack(u, in.data(), in.size(), out.data()), 0u) << u;
    }
    EXPECT_EQ(Pack(1, in.data(), std::size_t{1} << 32, nullptr), 0u);
}

// --- Round trips and agreement with the reference ---

// Pack and Unpack choose a path of their own (the x86 fast path where the
// processor has it); these tests run once with each path forced.
enum class Path { portable, fast };

void PrintTo(Path path, std::ostream* os) {
    *os << (path == Path::fast ? "fast path" : "portable path");
}

bool processorHasFastPath() {
    packed_x86::setFastPathEnabled(true);
    return packed_x86::fastPathEnabled();
}

class PackedBlockEachPath : public testing::TestWithParam<Path> {
  protected:
    void SetUp() override {
        if (GetParam() == Path::fast && !processorHasFastPath()) {
            GTEST_SKIP() << "this processor has no fast path";
        }
        packed_x86::setFastPathEnabled(GetParam() == Path::fast);
    }
    void TearDown() override { packed_x86::setFastPathEnabled(true); }
};

INSTANTIATE_TEST_SUITE_P(Paths, PackedBlockEachPath, testing::Values(Path::portable, Path::fast),
                         [](const testing::TestParamInfo<Path>& param) {
                             return param.param == Path::fast ? "Fast" : "Portable";
                         });

TEST(PackedBlockRoundTrip, SmallSizesOfEveryShape) {
    std::mt19937 rng(7);
    for (int u : kUnitSizes) {
        for (std::size_t size = 0; size <= 40; ++size) {
            const Bytes inputs[] = {Bytes(size, 0), Bytes(size, 0xFF), randomBytes(rng, size),
                                    recordLike(rng, size)};
            for (const Bytes& in : inputs) {
                const Bytes block = pack(u, in);
                EXPECT_EQ(block, referencePack(u, in)) << "unit " << u << " size " << size;
                Bytes out;
                ASSERT_TRUE(unpack(block, out)) << "unit " << u << " size " << size;
                EXPECT_EQ(out, in) << "unit " << u << " size " << size;
            }
        }
    }
}

TEST(PackedBlockRoundTrip, RunsShrinkToTheirFlags) {
    for (int u : kUnitSizes) {
        Bytes in(4096, 0);
        std::fill(in.begin() + 1000, in.begin() + 3000, 0xFF);
        const Bytes block = pack(u, in);
        // Two changes of value: 0 -> -1 and back.
        const std::size_t units = 4096 / static_cast<std::size_t>(u);
        EXPECT_EQ(block.size(), 16 + units / 8 + 2 * static_cast<std::size_t>(u)) << u;
        Bytes out;
        ASSERT_TRUE(unpack(block, out));
        EXPECT_EQ(out, in);
    }
}

TEST_P(PackedBlockEachPath, AgreesWithReferenceOnManyInputs) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 600; ++round) {
        const int u = kUnitSizes[round % 3];
        // Odd sizes and offsets put partial groups and units at the end.
        const std::size_t size = rng() % (round < 300 ? 700 : 6000);
        const Bytes in = round % 7 == 0 ? randomBytes(rng, size) : recordLike(rng, size);
        const Bytes block = pack(u, in);
        ASSERT_EQ(block, referencePack(u, in)) << "round " << round;
        Bytes out;
        ASSERT_TRUE(unpack(block, out)) << "round " << round;
        ASSERT_EQ(out, in) << "round " << round;
    }
}

TEST_P(PackedBlockEachPath, UnpackFollowsAnyFlagPattern) {
    // Blocks made directly, with flag patterns Pack never makes (a set flag
    // whose unit equals the one before, stray bits past the last unit).
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        const std::uint32_t u = static_cast<std::uint32_t>(kUnitSizes[round % 3]);
        const std::size_t size = rng() % 3000;
        const std::size_t units = (size + u - 1) / u;
        Bytes block(16 + (units + 7) / 8, 0);
        set32(block, 0, kPackedMagic);
        set32(block, 4, static_cast<std::uint32_t>(block.size()));
        set32(block, 8, static_cast<std::uint32_t>(size));
        set32(block, 12, u);
        const unsigned density = rng() % 4;  // 0: all runs ... 3: dense
        std::size_t set = 0;
        for (std::size_t b = 16; b < block.size(); ++b) {
            const unsigned pick = rng() % 4;
            block[b] =
                pick >= density ? (rng() % 2 == 0 ? 0 : 0xFF) : static_cast<std::uint8_t>(rng());
        }
        for (std::size_t i = 0; i < units; ++i) {
            set += static_cast<std::size_t>((block[16 + i / 8] >> (7 - i % 8)) & 1);
        }
        const Bytes data = randomBytes(rng, set * u);
        block.insert(block.end(), data.begin(), data.end());
        Bytes out;
        // An exact copy, so that a sanitizer sees any read past the data.
        ASSERT_TRUE(unpack(Bytes(block), out)) << "round " << round;
        ASSERT_EQ(out, referenceUnpack(block)) << "round " << round;
    }
}

TEST_P(PackedBlockEachPath, RecordSizedDataWithEveryUnitSize) {
    std::mt19937 rng(5);
    const Bytes in = recordLike(rng, 273760);
    for (int u : kUnitSizes) {
        const Bytes block = pack(u, in);
        EXPECT_EQ(block, referencePack(u, in));
        Bytes out;
        ASSERT_TRUE(unpack(block, out));
        EXPECT_EQ(out, in);
    }
}

// --- Hostile blocks ---

// Unpack must fail with a reason and leave `out` alone, or succeed.
void expectCleanFailure(const Bytes& block, std::size_t size, const std::string& what) {
    const Bytes sentinel = {0xAB, 0xCD};
    Bytes out = sentinel;
    const Status status = Unpack(block.data(), size, out);
    EXPECT_FALSE(status) << what;
    EXPECT_FALSE(status.reason().empty()) << what;
    EXPECT_EQ(out, sentinel) << what;
}

TEST_P(PackedBlockEachPath, EveryCutFailsCleanly) {
    std::mt19937 rng(11);
    for (int u : kUnitSizes) {
        for (const Bytes& in : {recordLike(rng, 300), Bytes{5, 5, 7}, randomBytes(rng, 33),
                                recordLike(rng, 1500), randomBytes(rng, 400)}) {
            const Bytes block = pack(u, in);
            for (std::size_t cut = 0; cut < block.size(); ++cut) {
                // A copy of exactly `cut` bytes, so a sanitizer sees any overread.
                const Bytes shortBlock(block.begin(),
                                       block.begin() + static_cast<std::ptrdiff_t>(cut));
                expectCleanFailure(shortBlock, cut,
                                   "unit " + std::to_string(u) + " cut " + std::to_string(cut));
            }
        }
    }
}

TEST(PackedBlockHostile, CutsThatKeepAllNeededBytesSucceed) {
    // A block of only zeros needs no data; trailing bytes are ignored.
    Bytes block = pack(1, Bytes(20, 0));
    ASSERT_EQ(block.size(), 19u);
    const Bytes padded = [&] {
        Bytes b = block;
        b.insert(b.end(), {1, 2, 3, 4, 5});
        return b;
    }();
    for (std::size_t cut = block.size(); cut <= padded.size(); ++cut) {
        Bytes out;
        ASSERT_TRUE(Unpack(padded.data(), cut, out)) << cut;
        EXPECT_EQ(out, Bytes(20, 0));
    }
    for (std::size_t cut = 0; cut < block.size(); ++cut) {
        expectCleanFailure(padded, cut, "cut " + std::to_string(cut));
    }
}

TEST(PackedBlockHostile, ReasonsNameTheProblem) {
    const Bytes good = pack(1, {5, 5, 7});
    Bytes out;

    Status s = Unpack(good.data(), 15, out);
    EXPECT_EQ(s.reason(), "not a packed block (truncated header)");

    Bytes b = good;
    b[0] ^= 1;
    EXPECT_EQ(unpack(b, out).reason(), "not a packed block (bad magic)");

    b = good;
    set32(b, 12, 3);
    EXPECT_EQ(unpack(b, out).reason(), "packed block has unit size 3 (not 1, 2 or 4)");

    b = good;
    set32(b, 4, 18);
    EXPECT_EQ(unpack(b, out).reason(), "data offset 18 does not fit 3 units (expected 17)");
    set32(b, 4, 16);
    EXPECT_FALSE(unpack(b, out));
    set32(b, 4, 0xFFFFFFFF);
    EXPECT_FALSE(unpack(b, out));

    s = Unpack(good.data(), 18, out);
    EXPECT_EQ(s.reason(), "packed data runs out at unit 2");

    // 100 units need 13 flag bytes; the block ends after 4 of them.
    b = Bytes(20, 0);
    set32(b, 0, kPackedMagic);
    set32(b, 4, 16 + 13);
    set32(b, 8, 100);
    set32(b, 12, 1);
    EXPECT_EQ(unpack(b, out).reason(), "packed flags run out at unit 32");
    EXPECT_TRUE(out.empty());
}

TEST(PackedBlockHostile, DataRunningOutNamesTheFirstUnitWithoutData) {
    // Unit size 2, units 1,2,3 all differ: data 6 bytes. With 3 bytes of data
    // only unit 0 is whole; unit 1 is the first without data.
    const Bytes good = pack(2, {1, 0, 2, 0, 3, 0});
    ASSERT_EQ(good.size(), 23u);
    Bytes out;
    EXPECT_EQ(Unpack(good.data(), 17 + 3, out).reason(), "packed data runs out at unit 1");
    EXPECT_EQ(Unpack(good.data(), 17 + 5, out).reason(), "packed data runs out at unit 2");
}

TEST(PackedBlockHostile, AbsurdUnpackedSizeIsRefused) {
    Bytes b = pack(1, {5, 5, 7});
    Bytes out;
    for (std::uint32_t size : {0xFFFFFFFFu, 0x80000000u, std::uint32_t{64 << 20} + 1}) {
        set32(b, 8, size);
        EXPECT_EQ(unpack(b, out).reason(),
                  "unpacked size " + std::to_string(size) + " is over the 64 MiB limit");
    }
    // Exactly at the limit is allowed: 16M units of 4 bytes, all zero.
    const std::size_t flagBytes = kMaxUnpackedSize / 4 / 8;
    Bytes big(16 + flagBytes, 0);
    set32(big, 0, kPackedMagic);
    set32(big, 4, static_cast<std::uint32_t>(16 + flagBytes));
    set32(big, 8, static_cast<std::uint32_t>(kMaxUnpackedSize));
    set32(big, 12, 4);
    ASSERT_TRUE(unpack(big, out));
    ASSERT_EQ(out.size(), kMaxUnpackedSize);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::uint8_t v) { return v == 0; }));
}

TEST_P(PackedBlockEachPath, FlippedBytesNeverOverread) {
    std::mt19937 rng(3);
    for (int u : kUnitSizes) {
        for (const std::size_t size : {std::size_t{90}, std::size_t{700}}) {
            const Bytes good = pack(u, recordLike(rng, size));
            // Every value of every header byte, and some values of every other byte.
            for (std::size_t at = 0; at < good.size(); ++at) {
                for (int v = 0; v < 256; v += at < 16 ? 1 : 37) {
                    Bytes b = good;
                    b[at] = static_cast<std::uint8_t>(v);
                    Bytes out = {0xAB};
                    const Status s = unpack(b, out);
                    if (s) {
                        EXPECT_EQ(out.size(), get32(b, 8));
                        EXPECT_EQ(out, referenceUnpack(b));
                    } else {
                        EXPECT_EQ(out, Bytes{0xAB});
                    }
                    if (at < 4 && v != good[at]) {
                        EXPECT_EQ(s.reason(), "not a packed block (bad magic)");
                    }
                    if (at >= 4 && at < 8 && v != good[at]) {
                        EXPECT_FALSE(s) << "data offset byte " << at;
                    }
                }
            }
        }
    }
}

// --- The x86 fast path against the portable path ---

class PackedBlockFastPath : public testing::Test {
  protected:
    void SetUp() override {
        if (!processorHasFastPath()) {
            GTEST_SKIP() << "this processor has no fast path";
        }
    }
    void TearDown() override { packed_x86::setFastPathEnabled(true); }

    // Packs and unpacks `in` with each path and expects the same bytes. The
    // input ends where its buffer ends, so a sanitizer sees any overread.
    static void expectPathsAgree(int unitSize, const std::uint8_t* in, std::size_t size,
                                 const std::string& what) {
        const std::string context = what + " unit " + std::to_string(unitSize);
        const std::size_t bound = Pack(unitSize, in, size, nullptr);
        Bytes fast(bound, 0xCD);
        Bytes portable(bound, 0xCD);
        packed_x86::setFastPathEnabled(true);
        fast.resize(Pack(unitSize, in, size, fast.data()));
        packed_x86::setFastPathEnabled(false);
        portable.resize(Pack(unitSize, in, size, portable.data()));
        ASSERT_EQ(fast, portable) << context;

        Bytes fastOut;
        Bytes portableOut;
        packed_x86::setFastPathEnabled(true);
        ASSERT_TRUE(unpack(fast, fastOut)) << context;
        packed_x86::setFastPathEnabled(false);
        ASSERT_TRUE(unpack(fast, portableOut)) << context;
        ASSERT_EQ(fastOut, portableOut) << context;
        ASSERT_EQ(fastOut, Bytes(in, in + size)) << context;
    }
};

// 32 units (half a flag word) of one kind: all repeating the unit before, one
// change then repeats, every unit changed, a few changes, or a mix of three
// values.
void appendHalfBlock(std::mt19937& rng, std::size_t unitSize, Bytes& bytes) {
    Bytes unit(unitSize, 0);
    if (bytes.size() >= unitSize) {
        unit.assign(bytes.end() - static_cast<std::ptrdiff_t>(unitSize), bytes.end());
    }
    auto changed = [&](Bytes from) {
        from[rng() % unitSize] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        return from;
    };
    const auto kind = rng() % 5;
    const Bytes values[] = {unit, changed(unit), changed(unit)};
    if (kind == 1) {
        unit = changed(unit);
    }
    for (int k = 0; k < 32; ++k) {
        if (kind == 2 || (kind == 3 && rng() % 6 == 0)) {
            unit = changed(unit);
        } else if (kind == 4) {
            unit = values[rng() % 3];
        }
        bytes.insert(bytes.end(), unit.begin(), unit.end());
    }
}

TEST_F(PackedBlockFastPath, AgreesWithPortablePathOnEveryKindOfHalfBlock) {
    std::mt19937 rng(17);
    for (int round = 0; round < 600; ++round) {
        const int u = kUnitSizes[round % 3];
        Bytes in;
        const std::size_t halves = rng() % 120;
        for (std::size_t h = 0; h < halves; ++h) {
            appendHalfBlock(rng, static_cast<std::size_t>(u), in);
        }
        // Cut anywhere, so that blocks and units straddle the end of the data.
        in.resize(in.empty() ? 0 : rng() % in.size());
        expectPathsAgree(u, in.data(), in.size(), "round " + std::to_string(round));
    }
}

TEST_F(PackedBlockFastPath, AgreesWithPortablePathAtEveryAlignmentAndSize) {
    std::mt19937 rng(23);
    const Bytes source = recordLike(rng, 3000);
    // Around the first and second block of each unit size: 8 + 64 units.
    const std::size_t sizes[] = {0,   1,   7,   8,   9,   63,  64,  71,  72,  73,   135,
                                 136, 137, 143, 144, 145, 200, 287, 288, 289, 1000, 2999};
    for (int u : kUnitSizes) {
        for (std::size_t offset = 0; offset < 64; ++offset) {
            for (const std::size_t size : sizes) {
                // The input at the end of its own buffer, `offset` bytes in.
                Bytes buffer(offset + size);
                std::copy(source.begin(), source.begin() + static_cast<std::ptrdiff_t>(size),
                          buffer.begin() + static_cast<std::ptrdiff_t>(offset));
                expectPathsAgree(
                    u, buffer.data() + offset, size,
                    "offset " + std::to_string(offset) + " size " + std::to_string(size));
            }
        }
    }
}

TEST_F(PackedBlockFastPath, AgreesWithPortablePathOnRecordSizedData) {
    std::mt19937 rng(29);
    for (const Bytes& in :
         {recordLike(rng, 273760), randomBytes(rng, 70001), Bytes(50000, 0), Bytes(50000, 0x5A)}) {
        for (int u : kUnitSizes) {
            expectPathsAgree(u, in.data(), in.size(), "size " + std::to_string(in.size()));
        }
    }
}

TEST_F(PackedBlockFastPath, PackWritesEveryFlagByteWhateverWasThere) {
    std::mt19937 rng(31);
    const std::size_t sizes[] = {0, 5, 8, 64, 100, 1000, 4099};
    for (int u : kUnitSizes) {
        for (const std::size_t size : sizes) {
            const Bytes in = recordLike(rng, size);
            const Bytes expected = referencePack(u, in);
            const std::size_t unit = static_cast<std::size_t>(u);
            const std::size_t units = (size + unit - 1) / unit;
            const std::size_t flagBytes = (units + 7) / 8;
            // Flags and data full of garbage, sized exactly.
            Bytes flags(flagBytes, 0xFF);
            Bytes data(units * unit, 0xEE);
            const std::size_t dataBytes =
                packed_x86::packUnits(u, in.data(), size, flags.data(), data.data());
            ASSERT_EQ(16 + flagBytes + dataBytes, expected.size()) << u << " " << size;
            EXPECT_TRUE(std::equal(flags.begin(), flags.end(), expected.begin() + 16))
                << u << " " << size;
            EXPECT_TRUE(std::equal(data.begin(),
                                   data.begin() + static_cast<std::ptrdiff_t>(dataBytes),
                                   expected.begin() + 16 + static_cast<std::ptrdiff_t>(flagBytes)))
                << u << " " << size;
        }
    }
}

TEST_F(PackedBlockFastPath, CountsOnlyTheFlagsOfUnits) {
    std::mt19937 rng(37);
    for (std::size_t units = 0; units < 700; ++units) {
        // Random flag bytes, stray bits past the last unit included.
        const Bytes flags = randomBytes(rng, (units + 7) / 8);
        std::size_t expected = 0;
        for (std::size_t i = 0; i < units; ++i) {
            expected += static_cast<std::size_t>((flags[i / 8] >> (7 - i % 8)) & 1);
        }
        EXPECT_EQ(packed_x86::countFlags(flags.data(), units), expected) << units;
    }
}

TEST_F(PackedBlockFastPath, DataRunningOutGivesTheSameReasonOnBothPaths) {
    std::mt19937 rng(41);
    const Bytes in = recordLike(rng, 5000);
    for (int u : kUnitSizes) {
        const Bytes block = pack(u, in);
        const std::size_t dataOffset = get32(block, 4);
        for (std::size_t cut = dataOffset; cut < block.size(); cut += 7) {
            const Bytes shortBlock(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(cut));
            Bytes out;
            packed_x86::setFastPathEnabled(true);
            const Status fast = unpack(shortBlock, out);
            packed_x86::setFastPathEnabled(false);
            const Status portable = unpack(shortBlock, out);
            EXPECT_FALSE(fast) << u << " " << cut;
            EXPECT_EQ(fast.reason(), portable.reason()) << u << " " << cut;
        }
    }
}

}  // namespace
}  // namespace banmen
