// Copies between bitmaps: block copies with raster operations and clipping,
// tiling, fitting, and smooth stretching in screen-sized pieces.

#include <gtest/gtest.h>

#include <cstdlib>

#include "bitmap_test_support.h"
#include "media/dib_bitmap.h"
#include "media/dib_stretch.h"

namespace banmen {
namespace {

using test::createFilled;
using test::createWithPositions;
using test::fill;
using test::fillWithPositions;
using test::kSentinel;
using test::positionColour;

// --- Block copies ---

TEST(DibDraw, SizesOfZeroDrawTheWholeBitmap) {
    DibBitmap piece;
    ASSERT_TRUE(createWithPositions(piece, 5, 4));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 10, 10, kSentinel));
    piece.DrawTo(board, 2, 3);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
            EXPECT_EQ(board.GetPixel(x, y), inside ? positionColour(x - 2, y - 3) : kSentinel);
        }
    }
}

TEST(DibDraw, CopiesAreClippedOnEverySide) {
    DibBitmap piece;
    ASSERT_TRUE(createWithPositions(piece, 6, 6));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 4, 4, kSentinel));
    // From (1, 1) of the piece, 6 x 6 asked, placed at (-2, -1): the piece
    // ends first on the right and bottom.
    piece.DrawTo(board, -2, -1, 6, 6, 1, 1);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int sx = x + 2 + 1;
            const int sy = y + 1 + 1;
            const Colour expected = sx < 6 && sy < 6 ? positionColour(sx, sy) : kSentinel;
            EXPECT_EQ(board.GetPixel(x, y), expected) << x << ", " << y;
        }
    }
    // A source offset left of the piece moves the copy right.
    fill(board, kSentinel);
    piece.DrawTo(board, 0, 0, 4, 4, -2, 0);
    EXPECT_EQ(board.GetPixel(1, 0), kSentinel);
    EXPECT_EQ(board.GetPixel(2, 0), positionColour(0, 0));
    // Absurd positions draw nothing and do not overflow.
    piece.DrawTo(board, 2147483600, 2147483600, 100, 100);
    piece.DrawTo(board, -2147483600, 0, 100, 100);
}

TEST(DibDraw, BetweenDepthsThroughColours) {
    DibBitmap piece;
    ASSERT_TRUE(piece.Create(8, 3, 1));
    piece.SetPixel(0, 0, RgbColour(255, 0, 0));
    piece.SetPixel(1, 0, RgbColour(0, 255, 0));
    piece.SetPixel(2, 0, RgbColour(51, 102, 153));
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        DibBitmap board;
        ASSERT_TRUE(board.Create(bits, 3, 1));
        piece.DrawTo(board, 0, 0);
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(board.GetPixel(x, 0), board.NearestColour(piece.GetPixel(x, 0)))
                << bits << " bits, x " << x;
        }
    }
}

TEST(DibDraw, RasterOperationsCombineBits) {
    DibBitmap source;
    ASSERT_TRUE(source.Create(32, 1, 1));
    source.SetPixel(0, 0, RgbColour(0x0F, 0xF0, 0x33));
    DibBitmap board;
    ASSERT_TRUE(board.Create(32, 1, 1));
    struct Case {
        RasterOp rop;
        Colour expected;
    };
    const Colour d = RgbColour(0x55, 0x55, 0xFF);
    for (const Case& c :
         {Case{kSrcCopy, RgbColour(0x0F, 0xF0, 0x33)}, Case{kSrcAnd, RgbColour(0x05, 0x50, 0x33)},
          Case{kSrcPaint, RgbColour(0x5F, 0xF5, 0xFF)},
          Case{kSrcInvert, RgbColour(0x5A, 0xA5, 0xCC)},
          Case{kNotSrcCopy, RgbColour(0xF0, 0x0F, 0xCC)},
          Case{kDstInvert, RgbColour(0xAA, 0xAA, 0x00)},
          Case{kSrcErase, RgbColour(0x0A, 0xA0, 0x00)}, Case{kBlackness, 0},
          Case{kWhiteness, RgbColour(255, 255, 255)}}) {
        board.SetPixel(0, 0, d);
        board.BitBlt(0, 0, 1, 1, source, 0, 0, c.rop);
        EXPECT_EQ(board.GetPixel(0, 0), c.expected) << std::hex << c.rop;
    }
    // The pattern is the destination's brush.
    board.SelectBrush(QBrush(QColor(0x12, 0x34, 0x56)));
    board.BitBlt(0, 0, 1, 1, source, 0, 0, kPatCopy);
    EXPECT_EQ(board.GetPixel(0, 0), RgbColour(0x12, 0x34, 0x56));
}

TEST(DibDraw, OverlappingCopyWithinOneBitmap) {
    DibBitmap bitmap;
    ASSERT_TRUE(createWithPositions(bitmap, 6, 6));
    bitmap.BitBlt(1, 1, 5, 5, bitmap, 0, 0);  // down and right by one
    for (int y = 1; y < 6; ++y) {
        for (int x = 1; x < 6; ++x) {
            EXPECT_EQ(bitmap.GetPixel(x, y), positionColour(x - 1, y - 1));
        }
    }
    fillWithPositions(bitmap);
    bitmap.BitBlt(0, 0, 5, 5, bitmap, 1, 1);  // up and left by one
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bitmap.GetPixel(x, y), positionColour(x + 1, y + 1));
        }
    }
}

TEST(DibDraw, CopyFromDrawsTheSourceWithItsTransparency) {
    DibBitmap piece;
    ASSERT_TRUE(piece.Create(24, 2, 1));
    piece.SetPixel(0, 0, kMagenta);
    piece.SetPixel(1, 0, RgbColour(9, 9, 9));
    piece.SetTransparentColor(kMagenta);
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 2, 1, kSentinel));
    board.CopyFrom(piece, 0, 0);
    EXPECT_EQ(board.GetPixel(0, 0), kSentinel);
    EXPECT_EQ(board.GetPixel(1, 0), RgbColour(9, 9, 9));
    // From an image or a packed DIB: no transparency.
    QImage image(2, 1, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    board.CopyFromHandle(image, 0, 0);
    EXPECT_EQ(board.GetPixel(0, 0), kMagenta);
    QImage other(2, 1, QImage::Format_RGB888);  // not attachable: converted
    other.fill(QColor(3, 4, 5));
    board.CopyFromHandle(other, 0, 0);
    EXPECT_EQ(board.GetPixel(1, 0), RgbColour(3, 4, 5));
}

// --- Tiling ---

// The case of the description: a 100 x 80 picture over a 250 x 100 box
// with source offset (10, 0).
TEST(DibTile, FirstColumnStartsAtTheOffsetTheRestAtZero) {
    DibBitmap tile;
    ASSERT_TRUE(createWithPositions(tile, 100, 80));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 260, 110, kSentinel));
    tile.DrawTiled(board, 0, 0, 250, 100, 10, 0);
    for (int y = 0; y < 110; ++y) {
        for (int x = 0; x < 260; ++x) {
            Colour expected = kSentinel;
            if (x < 250 && y < 100) {
                // 90 wide from x = 10, then 100 from 0, then 60 from 0.
                const int sx = x < 90 ? x + 10 : (x - 90) % 100;
                const int sy = y % 80;
                expected = positionColour(sx, sy);
            }
            ASSERT_EQ(board.GetPixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST(DibTile, FirstRowStartsAtTheVerticalOffset) {
    DibBitmap tile;
    ASSERT_TRUE(createWithPositions(tile, 10, 8));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 30, 30, kSentinel));
    tile.DrawTiled(board, 5, 5, 20, 20, 3, 6);
    // First row: 2 high from y = 6; then 8, 8, and 2 rows.
    EXPECT_EQ(board.GetPixel(5, 5), positionColour(3, 6));
    EXPECT_EQ(board.GetPixel(5, 6), positionColour(3, 7));
    EXPECT_EQ(board.GetPixel(5, 7), positionColour(3, 0));
    EXPECT_EQ(board.GetPixel(11, 7), positionColour(9, 0));
    EXPECT_EQ(board.GetPixel(12, 7), positionColour(0, 0));
    EXPECT_EQ(board.GetPixel(24, 24), positionColour(2, 1));
    EXPECT_EQ(board.GetPixel(25, 24), kSentinel);
    EXPECT_EQ(board.GetPixel(24, 25), kSentinel);
    EXPECT_EQ(board.GetPixel(4, 5), kSentinel);
}

TEST(DibTile, BoxesFarOutsideAreCheap) {
    DibBitmap tile;
    ASSERT_TRUE(tile.Create(32, 1, 1));
    tile.SetPixel(0, 0, RgbColour(7, 7, 7));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 3, 3, kSentinel));
    tile.DrawTiled(board, -2000000000, -2000000000, 2000000002, 2000000001);
    EXPECT_EQ(board.GetPixel(1, 0), RgbColour(7, 7, 7));
    EXPECT_EQ(board.GetPixel(2, 0), kSentinel);
    EXPECT_EQ(board.GetPixel(0, 1), kSentinel);
}

// --- Fitting ---

TEST(DibFit, WidePictureIsCentredVertically) {
    DibBitmap picture;
    ASSERT_TRUE(createFilled(picture, 200, 100, RgbColour(200, 10, 10)));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 140, 140, kSentinel));
    board.CopyFromFit(picture, 10, 20, 100, 100);
    for (int y = 0; y < 140; ++y) {
        for (int x = 0; x < 140; ++x) {
            const bool drawn = x >= 10 && x < 110 && y >= 45 && y < 95;  // 100 x 50 at y + 25
            ASSERT_EQ(board.GetPixel(x, y), drawn ? RgbColour(200, 10, 10) : kSentinel)
                << x << ", " << y;
        }
    }
}

TEST(DibFit, TallPictureIsCentredHorizontallyWithIntegerHalving) {
    DibBitmap picture;
    ASSERT_TRUE(createFilled(picture, 30, 90, RgbColour(0, 90, 0)));
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 50, 50, kSentinel));
    board.CopyFromFit(picture, 0, 0, 45, 45);  // 15 x 45, at x + (45 - 15) / 2 = 15
    EXPECT_EQ(board.GetPixel(14, 10), kSentinel);
    EXPECT_EQ(board.GetPixel(15, 0), RgbColour(0, 90, 0));
    EXPECT_EQ(board.GetPixel(29, 44), RgbColour(0, 90, 0));
    EXPECT_EQ(board.GetPixel(30, 10), kSentinel);
    EXPECT_EQ(board.GetPixel(20, 45), kSentinel);
}

// --- Stretching ---

TEST(StretchPieces, SplitCoversSourceAndDestinationExactly) {
    const std::vector<StretchPiece> pieces = SplitIntoPieces(2000, 800, 1024);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].sourceLength, 1001);
    EXPECT_EQ(pieces[0].destinationLength, 401);
    EXPECT_EQ(pieces[1].sourceStart, 1001);
    EXPECT_EQ(pieces[1].sourceLength, 999);  // the remainder of 2000 / 1001
    EXPECT_EQ(pieces[1].destinationLength, 399);
    for (int source : {1, 7, 64, 65, 100, 1000, 1024, 1025, 3000, 4096, 16384}) {
        for (int destination : {1, 2, 3, 50, 333, 800, 5000}) {
            for (int screen : {1, 64, 800, 1024}) {
                const std::vector<StretchPiece> split =
                    SplitIntoPieces(source, destination, screen);
                int s = 0;
                int d = 0;
                for (const StretchPiece& p : split) {
                    EXPECT_EQ(p.sourceStart, s);
                    EXPECT_EQ(p.destinationStart, d);
                    EXPECT_GT(p.sourceLength, 0);
                    EXPECT_GT(p.destinationLength, 0);
                    s += p.sourceLength;
                    d += p.destinationLength;
                }
                ASSERT_EQ(s, source) << source << " " << destination << " " << screen;
                ASSERT_EQ(d, destination) << source << " " << destination << " " << screen;
            }
        }
    }
}

class StretchTest : public ::testing::Test {
  protected:
    void TearDown() override { SetScreenSizeForTesting({0, 0}); }
};

TEST_F(StretchTest, EqualSizesCopyExactlyEvenInPieces) {
    SetScreenSizeForTesting({64, 48});
    DibBitmap source;
    ASSERT_TRUE(createWithPositions(source, 200, 150));
    DibBitmap target;
    ASSERT_TRUE(target.Create(32, 200, 150));
    DibBitmap::StretchInPieces(target, {0, 0, 200, 150}, source, {0, 0, 200, 150}, kSrcCopy);
    EXPECT_EQ(test::firstDifference(source, target), "");
}

TEST_F(StretchTest, LargerThanTheScreenStillCoversEveryPixelOnce) {
    SetScreenSizeForTesting({64, 48});
    DibBitmap source;
    ASSERT_TRUE(source.Create(24, 201, 149));
    for (int y = 0; y < 149; ++y) {
        for (int x = 0; x < 201; ++x) {
            source.SetPixel(
                x, y, RgbColour(static_cast<std::uint32_t>(x), 100, static_cast<std::uint32_t>(y)));
        }
    }
    DibBitmap target;
    ASSERT_TRUE(createFilled(target, 120, 90, kSentinel));
    // Every pixel shows the gradient at about the source position of its
    // centre. Each piece has its own scale (51 source pixels to 26, against
    // 201 to 100 overall), so positions drift by up to a few pixels.
    source.DrawStretched(target, 10, 5, 100, 75, 0, 0, 0, 0, kSrcCopy);
    for (int y = 0; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Colour c = target.GetPixel(x, y);
            if (x < 10 || x >= 110 || y < 5 || y >= 80) {
                ASSERT_EQ(c, kSentinel) << x << ", " << y;
                continue;
            }
            const double centreX = (x - 10 + 0.5) * 201.0 / 100.0 - 0.5;
            const double centreY = (y - 5 + 0.5) * 149.0 / 75.0 - 0.5;
            EXPECT_NEAR(RedOf(c), centreX, 4) << x << ", " << y;
            EXPECT_NEAR(BlueOf(c), centreY, 4) << x << ", " << y;
            EXPECT_EQ(GreenOf(c), 100u);
        }
    }
    // Drawn exactly once: XOR of the same stretch clears every pixel inside.
    DibBitmap copy;
    ASSERT_TRUE(copy.Create(32, 120, 90));
    copy.BitBlt(0, 0, 120, 90, target, 0, 0);
    source.DrawStretched(copy, 10, 5, 100, 75, 0, 0, 0, 0, kSrcInvert);
    for (int y = 5; y < 80; ++y) {
        for (int x = 10; x < 110; ++x) {
            ASSERT_EQ(copy.GetPixel(x, y), 0u) << x << ", " << y;
        }
    }
}

TEST_F(StretchTest, ShrinkingAveragesTheArea) {
    DibBitmap source;
    ASSERT_TRUE(source.Create(32, 4, 2));
    // Columns of black and white: halving the width gives mid grey.
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 2; ++y) {
            source.SetPixel(x, y, x % 2 == 0 ? 0u : RgbColour(255, 255, 255));
        }
    }
    DibBitmap target;
    ASSERT_TRUE(target.Create(32, 2, 1));
    source.DrawStretched(target, 0, 0, 2, 1, 0, 0, 0, 0);
    for (int x = 0; x < 2; ++x) {
        const Colour c = target.GetPixel(x, 0);
        EXPECT_NEAR(RedOf(c), 127.5, 1) << x;
        EXPECT_EQ(RedOf(c), BlueOf(c));
    }
}

TEST_F(StretchTest, EnlargingKeepsAPlainColourPlain) {
    DibBitmap source;
    ASSERT_TRUE(source.Create(8, 3, 3));
    fill(source, RgbColour(204, 51, 0));
    DibBitmap target;
    ASSERT_TRUE(target.Create(16, 31, 17));
    source.DrawStretched(target, 0, 0, 31, 17, 0, 0, 0, 0);
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 31; ++x) {
            ASSERT_EQ(target.GetPixel(x, y), target.NearestColour(RgbColour(204, 51, 0)));
        }
    }
}

TEST_F(StretchTest, StretchedTransparentPictureHasNoFringe) {
    DibBitmap piece;
    ASSERT_TRUE(createFilled(piece, 8, 8, kMagenta));
    piece.FillSolidRect(2, 2, 4, 4, RgbColour(255, 0, 0));
    piece.SetTransparentColor(kMagenta);
    DibBitmap board;
    ASSERT_TRUE(createFilled(board, 24, 24, RgbColour(0, 0, 255)));
    piece.DrawStretched(board, 0, 0, 24, 24, 0, 0, 0, 0);
    piece.DrawStretched(board, 0, 0, 5, 5, 0, 0, 0, 0);  // and shrunk
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const Colour c = board.GetPixel(x, y);
            EXPECT_TRUE(c == RgbColour(255, 0, 0) || c == RgbColour(0, 0, 255))
                << x << ", " << y << ": " << test::hex(c);
        }
    }
    EXPECT_EQ(board.GetPixel(12, 12), RgbColour(255, 0, 0));
    EXPECT_EQ(board.GetPixel(20, 20), RgbColour(0, 0, 255));
}

}  // namespace
}  // namespace banmen
