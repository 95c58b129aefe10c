// The BMP reader and writer on files built byte by byte: every header, depth
// and compression, RLE escapes, and hostile files (cut at every length,
// flipped bytes, absurd fields).

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "media/bmp_reader.h"
#include "media/bmp_writer.h"
#include "media/dib_bitmap.h"
#include "support/test_support.h"

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

// A BMP file put together field by field.
struct BmpBuilder {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 8;
    std::uint32_t compression = kBiRgb;
    std::uint32_t sizeImage = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;  // after a 40-byte header, or inside a larger one
    std::vector<std::array<std::uint8_t, 3>> table;  // red, green, blue
    std::vector<std::uint8_t> pixels;
    std::int64_t offset = -1;  // the pixel offset, when not the natural one

    std::vector<std::uint8_t> build() const {
        std::vector<std::uint8_t> dib;
        put32(dib, headerSize);
        if (headerSize == 12) {
            put16(dib, static_cast<std::uint32_t>(width));
            put16(dib, static_cast<std::uint32_t>(height));
            put16(dib, planes);
            put16(dib, bitCount);
        } else {
            put32(dib, static_cast<std::uint32_t>(width));
            put32(dib, static_cast<std::uint32_t>(height));
            put16(dib, planes);
            put16(dib, bitCount);
            put32(dib, compression);
            put32(dib, sizeImage);
            put32(dib, 2835);
            put32(dib, 2835);
            put32(dib, colorsUsed);
            put32(dib, 0);
            for (std::size_t i = 0; i < masks.size() && headerSize >= 52; ++i) {
                put32(dib, masks[i]);
            }
            dib.resize(headerSize, 0);
            if (headerSize == 40) {
                for (std::uint32_t m : masks) {
                    put32(dib, m);
                }
            }
        }
        for (const auto& c : table) {
            dib.push_back(c[2]);
            dib.push_back(c[1]);
            dib.push_back(c[0]);
            if (headerSize != 12) {
                dib.push_back(0);
            }
        }
        const std::size_t natural = 14 + dib.size();
        dib.insert(dib.end(), pixels.begin(), pixels.end());
        std::vector<std::uint8_t> file = {'B', 'M'};
        put32(file, static_cast<std::uint32_t>(14 + dib.size()));
        put32(file, 0);
        put32(file, static_cast<std::uint32_t>(offset >= 0 ? offset : std::int64_t(natural)));
        file.insert(file.end(), dib.begin(), dib.end());
        return file;
    }
};

// Reads a file and makes a bitmap of it, to look at its colours.
struct Loaded {
    Status status;
    DibImage image;
    DibBitmap bitmap;
};
std::unique_ptr<Loaded> load(const std::vector<std::uint8_t>& file) {
    auto loaded = std::make_unique<Loaded>();
    loaded->status = ReadBmp(file, loaded->image);
    if (loaded->status) {
        EXPECT_TRUE(loaded->bitmap.Create(loaded->image.info, loaded->image.bits.data()));
    }
    return loaded;
}

const std::array<std::uint8_t, 3> kRed = {255, 0, 0};
const std::array<std::uint8_t, 3> kGreen = {0, 255, 0};
const std::array<std::uint8_t, 3> kBlue = {0, 0, 255};
const std::array<std::uint8_t, 3> kWhite = {255, 255, 255};

// A 3 x 2 picture, bottom-up: top row red, green, blue; bottom row white,
// black, red.
BmpBuilder palette8() {
    BmpBuilder b;
    b.width = 3;
    b.height = 2;
    b.bitCount = 8;
    b.colorsUsed = 5;
    b.table = {{0, 0, 0}, kRed, kGreen, kBlue, kWhite};
    b.pixels = {4, 0, 1, 0, 1, 2, 3, 0};
    return b;
}

void expectTopRow(const DibBitmap& bitmap) {
    EXPECT_EQ(bitmap.GetPixel(0, 0), RgbColour(255, 0, 0));
    EXPECT_EQ(bitmap.GetPixel(1, 0), RgbColour(0, 255, 0));
    EXPECT_EQ(bitmap.GetPixel(2, 0), RgbColour(0, 0, 255));
    EXPECT_EQ(bitmap.GetPixel(0, 1), RgbColour(255, 255, 255));
    EXPECT_EQ(bitmap.GetPixel(1, 1), RgbColour(0, 0, 0));
    EXPECT_EQ(bitmap.GetPixel(2, 1), RgbColour(255, 0, 0));
}

// --- Valid files ---

TEST(BmpReader, EightBitsKeepTheirTable) {
    auto l = load(palette8().build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->image.info.bitCount, 8);
    EXPECT_EQ(l->image.info.colorsUsed, 5u);
    EXPECT_EQ(l->bitmap.GetColourCount(), 5u);
    expectTopRow(l->bitmap);
}

TEST(BmpReader, ALoadedPictureCountsEveryColourOfItsDepth) {
    test::TempDir dir;
    for (const std::uint16_t bits : {std::uint16_t{1}, std::uint16_t{4}, std::uint16_t{8}}) {
        BmpBuilder b;
        b.width = 3;
        b.height = 2;
        b.bitCount = bits;
        b.colorsUsed = 2;
        b.table = {kRed, kWhite};
        b.pixels.assign(8, 0);
        const std::string path = dir.file("short" + std::to_string(bits) + ".bmp");
        test::writeBytes(path, b.build());
        DibBitmap loaded;
        ASSERT_TRUE(loaded.LoadFile(path)) << bits;
        EXPECT_EQ(loaded.GetColourCount(), 1u << bits) << bits;
        EXPECT_EQ(loaded.GetPixel(0, 0), RgbColour(255, 0, 0)) << bits;
        // Made from the same info, the bitmap takes the info's own count.
        auto made = load(b.build());
        ASSERT_TRUE(made->status) << bits;
        EXPECT_EQ(made->bitmap.GetColourCount(), 2u) << bits;
    }
}

TEST(BmpReader, EveryHeaderSizeReadsTheSamePicture) {
    for (std::uint32_t size : {40u, 52u, 56u, 108u, 124u, 64u, 16u}) {
        BmpBuilder b = palette8();
        b.headerSize = size;
        if (size == 16) {
            b.colorsUsed = 0;  // a short OS/2 header has no colour count: 256 entries
            b.table.resize(256);
            b.table[1] = kRed;
            b.table[2] = kGreen;
            b.table[3] = kBlue;
            b.table[4] = kWhite;
        }
        auto l = load(b.build());
        ASSERT_TRUE(l->status) << size << ": " << l->status.reason();
        SCOPED_TRACE(size);
        expectTopRow(l->bitmap);
    }
}

TEST(BmpReader, CoreHeaderHasThreeByteEntries) {
    BmpBuilder b;
    b.headerSize = 12;
    b.width = 3;
    b.height = 2;
    b.bitCount = 1;
    b.table = {kRed, kBlue};
    b.pixels = {0x40, 0, 0, 0, 0xA0, 0, 0, 0};  // bottom row 0 1 0, top row 1 0 1
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->bitmap.GetPixel(0, 0), RgbColour(0, 0, 255));
    EXPECT_EQ(l->bitmap.GetPixel(1, 0), RgbColour(255, 0, 0));
    EXPECT_EQ(l->bitmap.GetPixel(1, 1), RgbColour(0, 0, 255));
}

TEST(BmpReader, TopDownRowsComeOutBottomUp) {
    BmpBuilder b = palette8();
    b.height = -2;
    b.pixels = {1, 2, 3, 0, 4, 0, 1, 0};
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_GT(l->image.info.height, 0);
    expectTopRow(l->bitmap);
}

TEST(BmpReader, TwoBitsBecomeFourBits) {
    BmpBuilder b;
    b.width = 5;
    b.height = 1;
    b.bitCount = 2;
    b.table = {{0, 0, 0}, kRed, kGreen, kBlue};
    b.pixels = {0b00011011, 0b01000000, 0, 0};  // 0 1 2 3 1
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->image.info.bitCount, 4);
    EXPECT_EQ(l->bitmap.GetPixel(0, 0), RgbColour(0, 0, 0));
    EXPECT_EQ(l->bitmap.GetPixel(1, 0), RgbColour(255, 0, 0));
    EXPECT_EQ(l->bitmap.GetPixel(2, 0), RgbColour(0, 255, 0));
    EXPECT_EQ(l->bitmap.GetPixel(3, 0), RgbColour(0, 0, 255));
    EXPECT_EQ(l->bitmap.GetPixel(4, 0), RgbColour(255, 0, 0));
}

TEST(BmpReader, SixteenBitsKeepTheirMasks) {
    // Plain 16-bit is 5-5-5: 0x7C00 is full red; 3 of 31 scales to 25.
    BmpBuilder plain;
    plain.width = 2;
    plain.height = 1;
    plain.bitCount = 16;
    plain.pixels = {0x00, 0x7C, 0x03, 0x00};
    auto l = load(plain.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->image.info.masks, kMasks555);
    EXPECT_EQ(l->bitmap.GetPixel(0, 0), RgbColour(255, 0, 0));
    EXPECT_EQ(l->bitmap.GetPixel(1, 0), RgbColour(0, 0, 25));

    BmpBuilder fields = plain;
    fields.compression = kBiBitfields;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = {0xE0, 0x07, 0x01, 0x00};  // full green, blue 1 of 31
    auto f = load(fields.build());
    ASSERT_TRUE(f->status) << f->status.reason();
    EXPECT_EQ(f->image.info.masks, kMasks565);
    EXPECT_EQ(f->bitmap.GetPixel(0, 0), RgbColour(0, 255, 0));
    EXPECT_EQ(f->bitmap.GetPixel(1, 0), RgbColour(0, 0, 8));
}

TEST(BmpReader, ThirtyTwoBitFieldsAreConvertedToBlueGreenRed) {
    BmpBuilder b;
    b.width = 2;
    b.height = 1;
    b.bitCount = 32;
    b.compression = kBiBitfields;
    b.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};  // red in the low byte
    b.pixels = {10, 20, 30, 0, 255, 0, 0, 0};
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->image.info.masks, kMasks888);
    EXPECT_EQ(l->bitmap.GetPixel(0, 0), RgbColour(10, 20, 30));
    EXPECT_EQ(l->bitmap.GetPixel(1, 0), RgbColour(255, 0, 0));

    // Ten-bit channels in a V5 header: 1023 is 255, 512 rounds to 128.
    BmpBuilder wide = b;
    wide.headerSize = 124;
    wide.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
    const std::uint32_t pixel = (1023u << 20) | (512u << 10) | 0;
    wide.pixels.clear();
    put32(wide.pixels, pixel);
    put32(wide.pixels, 0);
    auto w = load(wide.build());
    ASSERT_TRUE(w->status) << w->status.reason();
    EXPECT_EQ(w->bitmap.GetPixel(0, 0), RgbColour(255, 128, 0));
}

TEST(BmpReader, TwentyFourBits) {
    BmpBuilder b;
    b.width = 1;
    b.height = 2;
    b.bitCount = 24;
    b.pixels = {1, 2, 3, 0, 4, 5, 6, 0};  // blue, green, red; bottom row first
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->bitmap.GetPixel(0, 0), RgbColour(6, 5, 4));
    EXPECT_EQ(l->bitmap.GetPixel(0, 1), RgbColour(3, 2, 1));
}

TEST(BmpReader, PixelOffsetSkipsAGap) {
    BmpBuilder b = palette8();
    b.pixels.insert(b.pixels.begin(), 16, 0xEE);
    b.offset = 14 + 40 + 5 * 4 + 16;
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    expectTopRow(l->bitmap);
}

// --- RLE ---

BmpBuilder rle8(std::vector<std::uint8_t> data, std::int32_t width = 6, std::int32_t height = 3) {
    BmpBuilder b;
    b.width = width;
    b.height = height;
    b.bitCount = 8;
    b.compression = kBiRle8;
    b.table = {{0, 0, 0}, kRed, kGreen, kBlue, kWhite};
    b.sizeImage = static_cast<std::uint32_t>(data.size());
    b.pixels = std::move(data);
    return b;
}

std::vector<std::uint8_t> indicesOf(const Loaded& l) {
    std::vector<std::uint8_t> out;
    const DibImage& image = l.image;
    const std::size_t stride = DibStride(image.info.width, image.info.bitCount);
    for (std::int32_t row = 0; row < image.info.height; ++row) {
        for (std::int32_t x = 0; x < image.info.width; ++x) {
            const std::uint8_t* p = image.bits.data() + static_cast<std::size_t>(row) * stride;
            const auto ux = static_cast<std::size_t>(x);
            out.push_back(image.info.bitCount == 8
                              ? p[ux]
                              : static_cast<std::uint8_t>((p[ux / 2] >> (ux % 2 ? 0 : 4)) & 15));
        }
    }
    return out;
}

TEST(BmpReaderRle, Rle8RunsLiteralsDeltasAndLineEnds) {
    // Row 0 (bottom): 3 x index 1, literal 2 3 4 (padded), end of line.
    // Row 1: delta right 2, up 0; 2 x index 4; end of line.
    // Row 2: literal of 3, then end of bitmap.
    auto l =
        load(rle8({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 2, 4, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1})
                 .build());
    ASSERT_TRUE(l->status) << l->status.reason();
    EXPECT_EQ(l->image.info.compression, kBiRgb);
    const std::vector<std::uint8_t> expected = {1, 1, 1, 2, 3, 4,  //
                                                0, 0, 4, 4, 0, 0,  //
                                                1, 2, 3, 0, 0, 0};
    EXPECT_EQ(indicesOf(*l), expected);
}

TEST(BmpReaderRle, Rle4AlternatesNibbles) {
    BmpBuilder b = rle8({5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 1}, 8, 1);
    b.bitCount = 4;
    b.compression = kBiRle4;
    auto l = load(b.build());
    ASSERT_TRUE(l->status) << l->status.reason();
    const std::vector<std::uint8_t> expected = {1, 2, 1, 2, 1, 3, 4, 5};
    EXPECT_EQ(indicesOf(*l), expected);
}

TEST(BmpReaderRle, RunsPastTheRightEdgeAreCut) {
    auto l = load(rle8({9, 2, 0, 0, 2, 3, 0, 1}, 4, 2).build());
    ASSERT_TRUE(l->status) << l->status.reason();
    const std::vector<std::uint8_t> expected = {2, 2, 2, 2, 3, 3, 0, 0};
    EXPECT_EQ(indicesOf(*l), expected);
}

TEST(BmpReaderRle, DataEndingEarlyKeepsWhatWasDecoded) {
    auto l = load(rle8({2, 1, 0, 4, 3, 3}, 6, 2).build());  // a literal cut short
    ASSERT_TRUE(l->status) << l->status.reason();
    const std::vector<std::uint8_t> expected = {1, 1, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(indicesOf(*l), expected);
}

TEST(BmpReaderRle, WritingBelowTheLastRowFails) {
    auto l = load(rle8({0, 0, 0, 0, 1, 1}, 2, 2).build());
    EXPECT_FALSE(l->status);
    auto delta = load(rle8({0, 2, 0, 5, 1, 1}, 2, 2).build());
    EXPECT_FALSE(delta->status);
    EXPECT_NE(delta->status.reason().find("RLE"), std::string::npos);
    // Moving past the end without writing is harmless.
    auto harmless = load(rle8({1, 1, 0, 2, 0, 9, 0, 1}, 2, 2).build());
    EXPECT_TRUE(harmless->status) << harmless->status.reason();
}

TEST(BmpReaderRle, TinyDataCannotClaimAHugePicture) {
    auto l = load(rle8({0, 1}, 16384, 16384).build());
    ASSERT_FALSE(l->status);
    EXPECT_NE(l->status.reason().find("too large"), std::string::npos);
}

// --- Hostile files ---

struct Hostile {
    const char* name;
    std::vector<std::uint8_t> file;
    const char* reason;  // a part of the reason
};

std::vector<Hostile> hostileFiles() {
    std::vector<Hostile> cases;
    auto with = [&](const char* name, const char* reason, auto change) {
        BmpBuilder b = palette8();
        change(b);
        cases.push_back({name, b.build(), reason});
    };
    cases.push_back({"empty", {}, "BM"});
    cases.push_back({"other signature", {'M', 'B', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "BM"});
    cases.push_back({"only the signature", {'B', 'M', 0, 0}, "truncated"});
    with("zero width", "width", [](BmpBuilder& b) { b.width = 0; });
    with("negative width", "width", [](BmpBuilder& b) { b.width = -3; });
    with("zero height", "height", [](BmpBuilder& b) { b.height = 0; });
    with("wide", "exceeds", [](BmpBuilder& b) { b.width = 16385; });
    with("tall", "exceeds", [](BmpBuilder& b) { b.height = 16385; });
    with("tall top-down", "exceeds", [](BmpBuilder& b) { b.height = -16385; });
    with("most negative height", "exceeds", [](BmpBuilder& b) { b.height = INT32_MIN; });
    with("two planes", "plane", [](BmpBuilder& b) { b.planes = 2; });
    with("3 bits", "bit count", [](BmpBuilder& b) { b.bitCount = 3; });
    with("0 bits", "bit count", [](BmpBuilder& b) { b.bitCount = 0; });
    with("64 bits", "bit count", [](BmpBuilder& b) { b.bitCount = 64; });
    with("RLE8 at 4 bits", "RLE8", [](BmpBuilder& b) {
        b.bitCount = 4;
        b.compression = kBiRle8;
    });
    with("RLE4 at 8 bits", "RLE4", [](BmpBuilder& b) { b.compression = kBiRle4; });
    with("top-down RLE", "top-down", [](BmpBuilder& b) {
        b.compression = kBiRle8;
        b.height = -2;
    });
    with("bit fields at 8 bits", "bit fields", [](BmpBuilder& b) {
        b.compression = kBiBitfields;
        b.masks = {0xE0, 0x1C, 0x03};
    });
    with("JPEG", "JPEG", [](BmpBuilder& b) { b.compression = 4; });
    with("PNG", "PNG", [](BmpBuilder& b) { b.compression = 5; });
    with("compression 9", "compression", [](BmpBuilder& b) { b.compression = 9; });
    with("257 colours", "colour table", [](BmpBuilder& b) { b.colorsUsed = 257; });
    with("huge colour count", "colour table", [](BmpBuilder& b) { b.colorsUsed = 0xFFFFFFF0; });
    with("offset past the end", "offset", [](BmpBuilder& b) { b.offset = 100000; });
    with("offset inside the header", "offset", [](BmpBuilder& b) { b.offset = 20; });
    with("cut pixels", "truncated", [](BmpBuilder& b) { b.pixels.resize(5); });
    with("header size 41", "header size", [](BmpBuilder& b) { b.headerSize = 41; });
    with("header size 2000", "header size", [](BmpBuilder& b) { b.headerSize = 2000; });
    with("full table missing", "colour table", [](BmpBuilder& b) {
        b.colorsUsed = 0;
        b.table.clear();
        b.pixels.clear();
        b.offset = 0;  // no pixel offset: the table would come next
    });
    auto fields = [&](const char* name, std::vector<std::uint32_t> masks) {
        BmpBuilder b;
        b.width = 1;
        b.height = 1;
        b.bitCount = 16;
        b.compression = kBiBitfields;
        b.masks = std::move(masks);
        b.pixels = {0, 0, 0, 0};
        cases.push_back({name, b.build(), "mask"});
    };
    fields("overlapping masks", {0xF800, 0x0FE0, 0x001F});
    fields("gap in a mask", {0xF800, 0x07E0, 0x0015});
    fields("mask beyond 16 bits", {0xF8000, 0x07E0, 0x001F});
    fields("no masks at all", {0, 0, 0});
    return cases;
}

TEST(BmpReaderHostile, EachFailsWithAReason) {
    for (const Hostile& h : hostileFiles()) {
        DibImage image;
        const Status s = ReadBmp(h.file, image);
        EXPECT_FALSE(s) << h.name;
        EXPECT_NE(s.reason().find(h.reason), std::string::npos)
            << h.name << ": \"" << s.reason() << "\"";
    }
}

// Files of every kind, valid.
std::vector<std::vector<std::uint8_t>> validFiles() {
    std::vector<std::vector<std::uint8_t>> files;
    files.push_back(palette8().build());
    BmpBuilder v5 = palette8();
    v5.headerSize = 124;
    files.push_back(v5.build());
    BmpBuilder core;
    core.headerSize = 12;
    core.width = 3;
    core.height = 2;
    core.bitCount = 1;
    core.table = {kRed, kBlue};
    core.pixels = {0x40, 0, 0, 0, 0xA0, 0, 0, 0};
    files.push_back(core.build());
    BmpBuilder fields;
    fields.width = 2;
    fields.height = 2;
    fields.bitCount = 16;
    fields.compression = kBiBitfields;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    fields.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    files.push_back(fields.build());
    files.push_back(rle8({3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 2, 4, 0, 0, 0, 1}).build());
    return files;
}

TEST(BmpReaderHostile, EveryCutFailsCleanly) {
    int file = 0;
    for (const std::vector<std::uint8_t>& whole : validFiles()) {
        DibImage full;
        ASSERT_TRUE(ReadBmp(whole, full)) << "file " << file;
        const bool rle = full.info.compression == kBiRgb && whole[30] == kBiRle8;
        for (std::size_t length = 0; length < whole.size(); ++length) {
            const std::vector<std::uint8_t> cut(whole.begin(),
                                                whole.begin() + static_cast<long>(length));
            DibImage image;
            const Status s = ReadBmp(cut, image);
            if (rle && s) {
                // RLE data cut short still gives the whole picture.
                EXPECT_EQ(image.info.width, full.info.width);
                EXPECT_EQ(image.info.height, full.info.height);
            } else {
                EXPECT_FALSE(s) << "file " << file << " cut at " << length;
                EXPECT_FALSE(s.reason().empty());
            }
        }
        ++file;
    }
}

// A result, when there is one, is a sane picture.
void expectSane(const Status& s, const DibImage& image) {
    if (!s) {
        EXPECT_FALSE(s.reason().empty());
        return;
    }
    const BitmapInfo& info = image.info;
    EXPECT_TRUE(IsDibDepth(info.bitCount));
    EXPECT_GT(info.width, 0);
    EXPECT_LE(info.width, kMaxDibSide);
    EXPECT_GT(info.height, 0);
    EXPECT_LE(info.height, kMaxDibSide);
    EXPECT_EQ(image.bits.size(),
              DibStride(info.width, info.bitCount) * static_cast<std::size_t>(info.height));
    EXPECT_LE(info.colorsUsed, 256u);
}

TEST(BmpReaderHostile, FlippedHeaderBytesNeverBreakTheReader) {
    for (const std::vector<std::uint8_t>& whole : validFiles()) {
        const std::size_t span = std::min<std::size_t>(whole.size(), 14 + 124 + 16);
        for (std::size_t at = 0; at < span; ++at) {
            for (const int flip : {0x01, 0x10, 0x80, 0xFF}) {
                std::vector<std::uint8_t> file = whole;
                file[at] = static_cast<std::uint8_t>(file[at] ^ flip);
                DibImage image;
                expectSane(ReadBmp(file, image), image);
            }
        }
    }
}

TEST(BmpReaderHostile, RandomDamageNeverBreaksTheReader) {
    std::mt19937 random(20240601);
    const std::vector<std::vector<std::uint8_t>> files = validFiles();
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> file = files[random() % files.size()];
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            file[random() % file.size()] = static_cast<std::uint8_t>(random());
        }
        DibImage image;
        expectSane(ReadBmp(file, image), image);
    }
}

TEST(BmpReaderHostile, LargeClaimsNeedTheirData) {
    // 16384 x 16384 at 32 bits would be a gigabyte: refused before reading.
    BmpBuilder b;
    b.width = 16384;
    b.height = 16384;
    b.bitCount = 32;
    DibImage image;
    const Status s = ReadBmp(b.build(), image);
    EXPECT_FALSE(s);
    // 8192 x 8192 at 8 bits fits the memory limit but not the file.
    BmpBuilder c = palette8();
    c.width = 8192;
    c.height = 8192;
    const Status t = ReadBmp(c.build(), image);
    EXPECT_FALSE(t);
    EXPECT_NE(t.reason().find("truncated"), std::string::npos) << t.reason();
}

// --- Writing ---

TEST(BmpWriter, PackedDibsRoundTripByteForByte) {
    for (std::uint32_t bits : {1u, 4u, 8u, 16u, 24u, 32u}) {
        BitmapInfo info;
        ASSERT_TRUE(BuildBitmapInfo(bits, 13, 5, info));
        std::vector<std::uint8_t> pixels(DibStride(13, bits) * 5);
        std::mt19937 random(bits);
        for (std::uint8_t& byte : pixels) {
            byte = static_cast<std::uint8_t>(random());
        }
        if (bits == 32) {
            for (std::size_t i = 3; i < pixels.size(); i += 4) {
                pixels[i] = 0;  // the unused byte is written as 0
            }
        }
        const std::vector<std::uint8_t> packed = PackDib(info, pixels.data());
        DibImage image;
        ASSERT_TRUE(ReadPackedDib(packed, image)) << bits;
        EXPECT_EQ(image.bits, pixels) << bits;
        EXPECT_EQ(image.info.bitCount, bits);
        EXPECT_EQ(PackDib(image.info, image.bits.data()), packed) << bits;

        std::vector<std::uint8_t> file = BmpFileHeader(info, packed.size());
        file.insert(file.end(), packed.begin(), packed.end());
        DibImage fromFile;
        ASSERT_TRUE(ReadBmp(file, fromFile)) << bits;
        EXPECT_EQ(fromFile.bits, pixels) << bits;
    }
}

TEST(BmpWriter, FileHeaderCountsTheMasksAndTheFullTable) {
    BitmapInfo info;
    ASSERT_TRUE(BuildBitmapInfo(16, 2, 2, info));
    std::vector<std::uint8_t> header = BmpFileHeader(info, 100);
    EXPECT_EQ(header.size(), 14u);
    EXPECT_EQ(header[10], 14 + 40 + 12);
    EXPECT_EQ(header[2], 114);
    ASSERT_TRUE(BuildBitmapInfo(4, 2, 2, info));
    header = BmpFileHeader(info, 100);
    EXPECT_EQ(header[10], 14 + 40 + 64);
}

TEST(BmpWriter, TopDownPixelsAreWrittenBottomUp) {
    BitmapInfo info;
    ASSERT_TRUE(BuildBitmapInfo(8, 1, 3, info));
    info.height = -3;
    const std::uint8_t rows[12] = {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0};  // top row first
    const std::vector<std::uint8_t> packed = PackDib(info, rows);
    DibImage image;
    ASSERT_TRUE(ReadPackedDib(packed, image));
    EXPECT_EQ(image.bits[0], 3);  // the bottom row
    EXPECT_EQ(image.bits[8], 1);
}

}  // namespace
}  // namespace banmen
