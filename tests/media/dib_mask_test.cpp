// Transparent colours: the mask made once per depth, the picture turned
// black under it, and drawing through it.

#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "media/dib_bitmap.h"

namespace banmen {
namespace {

using test::kBlue;
using test::kRed;
using test::kWhite;

// Magenta at every third pixel, the rest red and blue in turn: colours every
// standard table holds.
Colour patternAt(int x, int y) {
    const int i = x + 7 * y;
    return i % 3 == 0 ? kMagenta : i % 2 == 0 ? kRed : kBlue;
}

void paintPattern(DibBitmap& bitmap) {
    for (int y = 0; y < bitmap.GetHeight(); ++y) {
        for (int x = 0; x < bitmap.GetWidth(); ++x) {
            bitmap.SetPixel(x, y, patternAt(x, y));
        }
    }
}

class MaskPerDepth : public ::testing::TestWithParam<std::tuple<int, bool>> {
  protected:
    // A bitmap of the depth, 7 x 5 (odd, so rows have padding), bottom-up
    // or top-down.
    void make(DibBitmap& bitmap) {
        const auto [bits, topDown] = GetParam();
        ASSERT_TRUE(test::createWithRowOrder(bitmap, bits, topDown, 7, 5));
    }
};

TEST_P(MaskPerDepth, MaskIsWhiteWhereTransparentAndThePictureTurnsBlack) {
    DibBitmap bitmap;
    make(bitmap);
    paintPattern(bitmap);
    bitmap.SetTransparentColor(kMagenta);
    const DibBitmap* mask = bitmap.GetMask();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->GetBitsPerPixel(), 1u);
    ASSERT_EQ(mask->GetWidth(), 7);
    ASSERT_EQ(mask->GetHeight(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            const bool transparent = patternAt(x, y) == kMagenta;
            EXPECT_EQ(mask->GetPixel(x, y), transparent ? kWhite : 0u) << x << ", " << y;
            EXPECT_EQ(bitmap.GetPixel(x, y), transparent ? 0u : patternAt(x, y)) << x << ", " << y;
        }
    }
}

TEST_P(MaskPerDepth, AnotherColourNoLongerFindsTheOldOnes) {
    DibBitmap bitmap;
    make(bitmap);
    paintPattern(bitmap);
    bitmap.SetTransparentColor(kMagenta);
    bitmap.SetTransparentColor(kBlue);
    const DibBitmap* mask = bitmap.GetMask();
    ASSERT_NE(mask, nullptr);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            // The old transparent pixels are black now, so opaque.
            EXPECT_EQ(mask->GetPixel(x, y), patternAt(x, y) == kBlue ? kWhite : 0u);
        }
    }
    bitmap.SetTransparentColor(kNoColour);
    EXPECT_EQ(bitmap.GetMask(), nullptr);
}

TEST_P(MaskPerDepth, DrawingLeavesTheBackgroundWhereTransparent) {
    DibBitmap piece;
    make(piece);
    paintPattern(piece);
    piece.SetTransparentColor(kMagenta);
    for (int targetBits : {32, 24, 16, 8}) {
        SCOPED_TRACE(targetBits);
        DibBitmap board;
        ASSERT_TRUE(board.Create(targetBits, 20, 12));
        // A background every pixel of which the target holds exactly.
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 20; ++x) {
                board.SetPixel(x, y, (x + y) % 2 == 0 ? RgbColour(0, 255, 0) : kWhite);
            }
        }
        DibBitmap before;
        ASSERT_TRUE(before.Create(targetBits, 20, 12));
        before.BitBlt(0, 0, 20, 12, board, 0, 0);
        piece.DrawTo(board, 3, 4);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool covered = x >= 3 && x < 10 && y >= 4 && y < 9;
                const bool see = !covered || patternAt(x - 3, y - 4) == kMagenta;
                const Colour expected = see ? before.GetPixel(x, y) : patternAt(x - 3, y - 4);
                ASSERT_EQ(board.GetPixel(x, y), expected) << x << ", " << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, MaskPerDepth,
                         ::testing::Combine(::testing::Values(4, 8, 16, 24, 32),
                                            ::testing::Bool()));

TEST(Mask, OneBitBitmapsNeverGetOne) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(1, 8, 8, kWhite));
    EXPECT_EQ(bitmap.GetMask(), nullptr);
    bitmap.SetTransparentColor(0);
    EXPECT_EQ(bitmap.GetMask(), nullptr);
}

TEST(Mask, WithoutAMaskTheBitmapDrawsOpaquely) {
    DibBitmap piece;
    ASSERT_TRUE(piece.Create(32, 2, 1, kMagenta));
    piece.SetPixel(0, 0, kMagenta);
    piece.SetPixel(1, 0, kRed);
    piece.SetTransparentColor(kNoColour);
    DibBitmap board;
    ASSERT_TRUE(board.Create(32, 2, 1));
    board.FillSolidRect(0, 0, 2, 1, kBlue);
    piece.DrawTo(board, 0, 0);
    EXPECT_EQ(board.GetPixel(0, 0), kMagenta);
    EXPECT_EQ(board.GetPixel(1, 0), kRed);
}

TEST(Mask, TheUnusedByteOfThirtyTwoBitPixelsDoesNotMatter) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(32, 2, 1));
    bitmap.SetPixel(0, 0, kMagenta);
    bitmap.SetPixel(1, 0, kMagenta);
    bitmap.GetBits()[7] = 0xFF;  // pixel (1, 0): as painters and some files leave it
    bitmap.SetTransparentColor(kMagenta);
    EXPECT_EQ(bitmap.GetMask()->GetPixel(0, 0), kWhite);
    EXPECT_EQ(bitmap.GetMask()->GetPixel(1, 0), kWhite);
}

TEST(Mask, KeyIsTheNearestTableEntry) {
    // An 8-bit picture keyed on a colour the table lacks uses the entry
    // nearest to it.
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 3, 1));
    bitmap.SetPixel(0, 0, kMagenta);
    bitmap.SetPixel(1, 0, kRed);
    bitmap.SetTransparentColor(RgbColour(250, 3, 250));
    EXPECT_EQ(bitmap.GetMask()->GetPixel(0, 0), kWhite);
    EXPECT_EQ(bitmap.GetMask()->GetPixel(1, 0), 0u);
}

TEST(Mask, CreateWithATransparentColourMasksTheInitialPixels) {
    BitmapInfo info;
    ASSERT_TRUE(BuildBitmapInfo(24, 2, 1, info));
    const std::uint8_t pixels[8] = {255, 0, 255, 0, 255, 0, 0, 0};  // magenta, green
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(info, pixels, kMagenta));
    ASSERT_NE(bitmap.GetMask(), nullptr);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
    EXPECT_EQ(bitmap.GetPixel(1, 0), RgbColour(0, 255, 0));
}

TEST(Mask, StretchedAndTiledDrawsUseTheMaskToo) {
    DibBitmap piece;
    ASSERT_TRUE(piece.Create(32, 2, 2));
    piece.FillSolidRect(0, 0, 2, 2, kRed);
    piece.SetPixel(1, 1, kMagenta);
    piece.SetTransparentColor(kMagenta);
    DibBitmap board;
    ASSERT_TRUE(board.Create(32, 8, 8));
    board.FillSolidRect(0, 0, 8, 8, kBlue);
    piece.DrawStretched(board, 0, 0, 4, 4, 0, 0, 0, 0);
    EXPECT_EQ(board.GetPixel(0, 0), kRed);
    EXPECT_EQ(board.GetPixel(3, 3), kBlue);  // the transparent quarter, doubled
    EXPECT_EQ(board.GetPixel(2, 2), kBlue);
    piece.DrawTiled(board, 4, 4, 4, 4);
    EXPECT_EQ(board.GetPixel(4, 4), kRed);
    EXPECT_EQ(board.GetPixel(5, 5), kBlue);
    EXPECT_EQ(board.GetPixel(7, 7), kBlue);
    EXPECT_EQ(board.GetPixel(6, 7), kRed);
}

}  // namespace
}  // namespace banmen
