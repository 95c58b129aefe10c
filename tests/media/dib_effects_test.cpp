// Rotation with its blend, multiplying by a grey map, and regions.

#include <gtest/gtest.h>

#include "bitmap_test_support.h"
#include "media/dib_bitmap.h"

namespace banmen {
namespace {

using test::createFilled;
using test::createWithPositions;
using test::fill;
using test::kSentinel;
using test::positionColour;

// --- DrawRotated ---

TEST(DrawRotated, NoTurnCopiesTheBox) {
    DibBitmap source;
    ASSERT_TRUE(createWithPositions(source, 12, 9));
    DibBitmap target;
    ASSERT_TRUE(createFilled(target, 20, 20, kSentinel));
    target.DrawRotated(source, 3, 4, 7, 5, 2, 1, 0);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 3 && x < 10 && y >= 4 && y < 9;
            ASSERT_EQ(target.GetPixel(x, y),
                      inside ? positionColour(x - 3 + 2, y - 4 + 1) : kSentinel)
                << x << ", " << y;
        }
    }
}

TEST(DrawRotated, QuarterAndHalfTurnsMovePixelsWhole) {
    DibBitmap source;
    ASSERT_TRUE(createWithPositions(source, 6, 6));
    DibBitmap target;
    ASSERT_TRUE(target.Create(32, 6, 6));
    target.DrawRotated(source, 0, 0, 6, 6, 0, 0, 180);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(target.GetPixel(x, y), positionColour(5 - x, 5 - y)) << x << ", " << y;
        }
    }
    // A quarter turn counter-clockwise: the top-right corner comes to the
    // top-left.
    target.DrawRotated(source, 0, 0, 6, 6, 0, 0, 90);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(target.GetPixel(x, y), positionColour(5 - y, x)) << x << ", " << y;
        }
    }
}

TEST(DrawRotated, HalfPixelPositionsBlendRightThenBelow) {
    // A 4 x 3 box turned a quarter: every source position falls half-way
    // between pixels, so each pixel is blended with weight 127 with its right
    // neighbour, and that with the pixel below.
    DibBitmap source;
    ASSERT_TRUE(source.Create(24, 4, 3));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.SetPixel(x, y, RgbColour(x == 1 ? 200 : 0, y == 1 ? 200 : 0, 0));
        }
    }
    DibBitmap target;
    ASSERT_TRUE(target.Create(24, 8, 8));
    fill(target, kSentinel);
    target.DrawRotated(source, 0, 1, 4, 3, 0, 0, 90);
    // Target (2, 2) turns back to source (1.5, 1.5): p = (1, 1) = (200, 200),
    // right (2, 1) = (0, 200), below (1, 2) = (200, 0).
    //   across: red 200 * 128 / 255 = 100, green 200;
    //   down:   red (100 * 128 + 200 * 127) / 255 = 149, green 200 * 128 / 255 = 100.
    // (Blending all four neighbours would give red 100.)
    EXPECT_EQ(target.GetPixel(2, 2), RgbColour(149, 100, 0));
    // Target (2, 0) turns back to (3.5, 1.5): the last column of the box, which
    // does not blend across; (3, 1) = (0, 200) only blends with (3, 2) below.
    EXPECT_EQ(target.GetPixel(2, 0), RgbColour(0, 100, 0));
    // Target (0, 2) turns back to (1.5, -0.5): outside the box.
    EXPECT_EQ(target.GetPixel(0, 2), kSentinel);
}

TEST(DrawRotated, TurnedBoxReachesBeyondItselfAndNoFurther) {
    DibBitmap source;
    ASSERT_TRUE(createFilled(source, 10, 10, RgbColour(0, 200, 0)));
    DibBitmap target;
    ASSERT_TRUE(createFilled(target, 30, 30, kSentinel));
    target.DrawRotated(source, 10, 10, 10, 10, 0, 0, 45);
    // The corners of the turned box reach past the sides of the box along
    // its middle lines; the box's own corners stay empty.
    EXPECT_EQ(target.GetPixel(15, 8), RgbColour(0, 200, 0));
    EXPECT_EQ(target.GetPixel(9, 15), RgbColour(0, 200, 0));
    EXPECT_EQ(target.GetPixel(10, 10), kSentinel);
    EXPECT_EQ(target.GetPixel(19, 19), kSentinel);
    EXPECT_EQ(target.GetPixel(15, 15), RgbColour(0, 200, 0));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            if (x < 7 || x > 22 || y < 7 || y > 22) {
                ASSERT_EQ(target.GetPixel(x, y), kSentinel) << x << ", " << y;
            }
        }
    }
}

TEST(DrawRotated, TransparentSourcePixelsAreLeftOut) {
    DibBitmap source;
    ASSERT_TRUE(createFilled(source, 4, 4, RgbColour(200, 0, 0)));
    source.FillSolidRect(0, 0, 2, 4, kMagenta);
    source.SetTransparentColor(kMagenta);
    DibBitmap target;
    ASSERT_TRUE(createFilled(target, 4, 4, kSentinel));
    target.DrawRotated(source, 0, 0, 4, 4, 0, 0, 180);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            // Turned half-way, the transparent left half lies on the right.
            EXPECT_EQ(target.GetPixel(x, y), x >= 2 ? kSentinel : RgbColour(200, 0, 0));
        }
    }
}

// --- MultiplyByMap ---

TEST(MultiplyByMap, ChannelsScaleByTheMapValue) {
    DibBitmap picture;
    ASSERT_TRUE(picture.Create(24, 4, 1));
    fill(picture, RgbColour(200, 100, 50));
    DibBitmap map;
    ASSERT_TRUE(map.Create(24, 4, 1));
    map.SetPixel(0, 0, RgbColour(255, 255, 255));
    map.SetPixel(1, 0, RgbColour(128, 128, 128));
    map.SetPixel(2, 0, RgbColour(0, 0, 0));
    map.SetPixel(3, 0, RgbColour(51, 0, 0));  // the red channel counts
    picture.MultiplyByMap(map, 0, 0, 4, 1, 0, 0);
    EXPECT_EQ(picture.GetPixel(0, 0), RgbColour(200, 100, 50));
    EXPECT_EQ(picture.GetPixel(1, 0), RgbColour(100, 50, 25));
    EXPECT_EQ(picture.GetPixel(2, 0), RgbColour(0, 0, 0));
    EXPECT_EQ(picture.GetPixel(3, 0), RgbColour(40, 20, 10));
}

TEST(MultiplyByMap, ClippedToTheMapLessItsOffset) {
    DibBitmap picture;
    ASSERT_TRUE(createFilled(picture, 6, 6, RgbColour(100, 100, 100)));
    DibBitmap map;
    ASSERT_TRUE(map.Create(8, 4, 4));
    fill(map, 0);
    picture.MultiplyByMap(map, 1, 1, 5, 5, 2, 1);  // only 2 x 3 of the map remain
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool darkened = x >= 1 && x < 3 && y >= 1 && y < 4;
            EXPECT_EQ(picture.GetPixel(x, y), darkened ? 0u : RgbColour(100, 100, 100))
                << x << ", " << y;
        }
    }
    picture.MultiplyByMap(map, -3, -3, 5, 5, 0, 0);  // off the picture: only the overlap
    EXPECT_EQ(picture.GetPixel(0, 0), 0u);
    EXPECT_EQ(picture.GetPixel(1, 0), RgbColour(100, 100, 100));
}

// --- MakeRegion ---

TEST(MakeRegion, RunsOfOpaquePixelsRowByRow) {
    DibBitmap picture;
    ASSERT_TRUE(picture.Create(8, 6, 3));
    fill(picture, kMagenta);
    picture.FillSolidRect(1, 0, 2, 1, RgbColour(255, 0, 0));
    picture.FillSolidRect(4, 0, 2, 1, RgbColour(255, 0, 0));
    picture.FillSolidRect(0, 2, 6, 1, RgbColour(0, 0, 255));
    const BitmapRegion region = picture.MakeRegion(kMagenta);
    ASSERT_EQ(region.rects().size(), 3u);
    EXPECT_EQ(region.rects()[0], (Rect{1, 0, 3, 1}));
    EXPECT_EQ(region.rects()[1], (Rect{4, 0, 6, 1}));
    EXPECT_EQ(region.rects()[2], (Rect{0, 2, 6, 3}));
    EXPECT_EQ(region.bounds(), (Rect{0, 0, 6, 3}));
    EXPECT_EQ(region.area(), 10u);
    EXPECT_TRUE(region.contains(1, 0));
    EXPECT_FALSE(region.contains(3, 0));
    EXPECT_FALSE(region.contains(2, 1));
    EXPECT_TRUE(region.contains(5, 2));
    EXPECT_FALSE(region.contains(6, 2));
    // No transparent colour: the whole picture.
    EXPECT_EQ(picture.MakeRegion(kNoColour).area(), 18u);
    DibBitmap empty;
    EXPECT_TRUE(empty.MakeRegion(kMagenta).empty());
}

}  // namespace
}  // namespace banmen
