// Painting through QPainter (lines, shapes, text) at every depth and row
// order; smoothed text with its threshold and shadow; the font faces.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include "bitmap_test_support.h"
#include "media/dib_bitmap.h"
#include "media/font_faces.h"

namespace banmen {
namespace {

using test::createFilled;
using test::fill;
using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kWhite;

bool haveFont(const char* family) {
    return QFontDatabase::hasFamily(QString::fromUtf8(family));
}

class PaintEveryDepth : public ::testing::TestWithParam<std::tuple<int, bool>> {
  protected:
    void make(DibBitmap& bitmap, int width, int height) {
        const auto [bits, topDown] = GetParam();
        ASSERT_TRUE(test::createWithRowOrder(bitmap, bits, topDown, width, height));
    }
};

TEST_P(PaintEveryDepth, RectangleOutlinesAndFillsUprightExcludingRightAndBottom) {
    DibBitmap bitmap;
    make(bitmap, 12, 10);
    fill(bitmap, kWhite);
    bitmap.SelectPen(QPen(QColor(0, 0, 0), 1));
    bitmap.SelectBrush(QBrush(QColor(255, 0, 0)));
    ASSERT_TRUE(bitmap.Rectangle(2, 1, 9, 6));
    const Colour red = bitmap.NearestColour(kRed);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 12; ++x) {
            Colour expected = kWhite;
            if (x >= 2 && x <= 8 && y >= 1 && y <= 5) {
                const bool edge = x == 2 || x == 8 || y == 1 || y == 5;
                expected = edge ? 0u : red;
            }
            ASSERT_EQ(bitmap.GetPixel(x, y), expected) << x << ", " << y;
        }
    }
}

TEST_P(PaintEveryDepth, LinesFromTheCurrentPosition) {
    DibBitmap bitmap;
    make(bitmap, 10, 6);
    fill(bitmap, kWhite);
    bitmap.MoveTo(1, 4);
    ASSERT_TRUE(bitmap.LineTo(7, 4));
    EXPECT_EQ(bitmap.MoveTo(0, 0), (Point{7, 4}));
    for (int x = 1; x < 7; ++x) {
        EXPECT_EQ(bitmap.GetPixel(x, 4), 0u) << x;
    }
    EXPECT_EQ(bitmap.GetPixel(1, 3), kWhite);
    EXPECT_EQ(bitmap.GetPixel(0, 4), kWhite);
    EXPECT_EQ(bitmap.GetPixel(8, 4), kWhite);
}

TEST_P(PaintEveryDepth, TextIsUprightAndUsesTheTextColour) {
    if (!haveFont("IPAGothic")) {
        GTEST_SKIP() << "IPAGothic is not installed";
    }
    DibBitmap bitmap;
    make(bitmap, 40, 30);
    fill(bitmap, kWhite);
    bitmap.SelectFont(MakeFont(QStringLiteral(u"ＭＳ ゴシック"), -20));
    bitmap.SetBkMode(kTransparentMode);
    bitmap.SetTextColor(kBlue);
    ASSERT_TRUE(bitmap.TextOut(5, 3, QStringLiteral("T")));
    // The bar of the T is its widest row and lies above its stem.
    int widestRow = -1;
    int widest = 0;
    int top = 30;
    int bottom = -1;
    bool blue = false;
    for (int y = 0; y < 30; ++y) {
        int count = 0;
        for (int x = 0; x < 40; ++x) {
            const Colour c = bitmap.GetPixel(x, y);
            if (c != kWhite) {
                ++count;
                blue = blue || c == bitmap.NearestColour(kBlue);
            }
        }
        if (count > 0) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
        if (count > widest) {
            widest = count;
            widestRow = y;
        }
    }
    ASSERT_GE(bottom, top);
    EXPECT_GE(top, 3);
    EXPECT_LT(bottom, 3 + 21);
    EXPECT_LT(widestRow, (top + bottom) / 2);
    EXPECT_TRUE(blue);
}

INSTANTIATE_TEST_SUITE_P(Depths, PaintEveryDepth,
                         ::testing::Combine(::testing::Values(1, 4, 8, 16, 24, 32),
                                            ::testing::Bool()));

TEST(Paint, OpaqueBackgroundFillsTheTextCell) {
    DibBitmap bitmap;
    ASSERT_TRUE(createFilled(bitmap, 60, 30, kWhite));
    bitmap.SetBkColor(kGreen);
    ASSERT_TRUE(bitmap.TextOut(2, 2, QStringLiteral("ab")));
    EXPECT_EQ(bitmap.GetPixel(2, 2), kGreen);  // the cell's corner holds no ink
    EXPECT_EQ(bitmap.GetPixel(1, 1), kWhite);
}

TEST(Paint, DrawTextMeasuresAndAligns) {
    DibBitmap bitmap;
    ASSERT_TRUE(createFilled(bitmap, 100, 40, kWhite));
    bitmap.SetBkMode(kTransparentMode);
    bitmap.SelectFont(MakePointFont(QStringLiteral(u"ＭＳ ゴシック"), 90));
    Rect measured{0, 0, 0, 0};
    const int height = bitmap.DrawText(QStringLiteral("abc"), measured, kDtCalcRect);
    EXPECT_GT(height, 5);
    EXPECT_EQ(measured.height(), height);
    EXPECT_GT(measured.width(), 5);
    // Nothing was drawn by measuring.
    for (int x = 0; x < 100; ++x) {
        ASSERT_EQ(bitmap.GetPixel(x, 5), kWhite);
    }
    Rect box{0, 0, 100, 40};
    bitmap.DrawText(QStringLiteral("abc"), box, kDtRight | kDtSingleLine | kDtVCenter);
    int left = 100;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 100; ++x) {
            if (bitmap.GetPixel(x, y) != kWhite) {
                left = std::min(left, x);
            }
        }
    }
    EXPECT_GT(left, 100 - measured.width() - 3);
}

TEST(Paint, ShapesAndStateAttributes) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(24, 30, 30));
    fill(bitmap, kWhite);
    EXPECT_EQ(bitmap.SetTextColor(kRed), 0u);
    EXPECT_EQ(bitmap.GetTextColor(), kRed);
    EXPECT_EQ(bitmap.SetBkMode(kTransparentMode), kOpaqueMode);
    EXPECT_EQ(bitmap.SetPolyFillMode(kWinding), kAlternate);
    EXPECT_EQ(bitmap.SetMapMode(8), 0);  // only the text mapping mode
    EXPECT_EQ(bitmap.GetMapMode(), 1);
    bitmap.SelectStockObject(kNullPen);
    bitmap.SelectStockObject(kBlackBrush);
    ASSERT_TRUE(bitmap.Ellipse(0, 0, 10, 10));
    EXPECT_EQ(bitmap.GetPixel(5, 5), 0u);
    EXPECT_EQ(bitmap.GetPixel(0, 0), kWhite);
    const Point triangle[] = {{12, 2}, {28, 2}, {20, 12}};
    ASSERT_TRUE(bitmap.Polygon(triangle));
    EXPECT_EQ(bitmap.GetPixel(20, 5), 0u);
    EXPECT_EQ(bitmap.GetPixel(13, 10), kWhite);
    // A pie from three o'clock to twelve: the upper right quarter.
    bitmap.SelectStockObject(kGreyBrush);
    ASSERT_TRUE(bitmap.Pie(0, 14, 16, 30, 16, 22, 8, 14));
    EXPECT_EQ(bitmap.GetPixel(11, 19), RgbColour(128, 128, 128));
    EXPECT_EQ(bitmap.GetPixel(4, 25), kWhite);
    const Point squares[] = {{20, 20}, {28, 20}, {28, 28}, {20, 28},
                             {22, 22}, {26, 22}, {26, 26}, {22, 26}};
    const int counts[] = {4, 4};
    bitmap.SetPolyFillMode(kAlternate);
    ASSERT_TRUE(bitmap.PolyPolygon(squares, counts));
    EXPECT_EQ(bitmap.GetPixel(21, 21), RgbColour(128, 128, 128));
    EXPECT_EQ(bitmap.GetPixel(24, 24), kWhite);  // the hole
    const int tooMany[] = {9};
    EXPECT_FALSE(bitmap.PolyPolygon(squares, tooMany));
    DibBitmap empty;
    EXPECT_FALSE(empty.Rectangle(0, 0, 2, 2));
}

TEST(Paint, DrawingBracketKeepsPainterAndPixelsInStep) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(32, 10, 10));
    ASSERT_TRUE(bitmap.BeginDraw());
    fill(bitmap, kWhite);
    bitmap.SelectBrush(QBrush(QColor(0, 0, 255)));
    bitmap.SelectStockObject(kNullPen);
    bitmap.Rectangle(0, 0, 5, 5);
    bitmap.SetPixel(1, 1, kRed);
    bitmap.Rectangle(4, 4, 9, 9);
    bitmap.EndDraw();
    EXPECT_EQ(bitmap.GetPixel(0, 0), kBlue);
    EXPECT_EQ(bitmap.GetPixel(1, 1), kRed);
    EXPECT_EQ(bitmap.GetPixel(5, 5), kBlue);
    EXPECT_EQ(bitmap.GetPixel(9, 9), kWhite);
}

// --- Smoothed text ---

class SmoothText : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!haveFont("IPAMincho")) {
            GTEST_SKIP() << "IPAMincho is not installed";
        }
    }
};

// Red text on blue: below the threshold a pixel blends with the blue under
// it, (B, 0, 255 - B) with B = 4g - 1 < 150; from the threshold on the text
// colour stands in for the background, which gives pure red.
TEST_F(SmoothText, LightPixelsBlendHeavyPixelsTakeTheTextColour) {
    DibBitmap bitmap;
    ASSERT_TRUE(createFilled(bitmap, 200, 60, kBlue));
    bitmap.DrawSmoothText(QStringLiteral(u"雙六の絵柄"), 0, 0, 200, 60,
                          QStringLiteral(u"ＭＳ 明朝"), 32, 400, kRed, kNoColour);
    int light = 0;
    int heavy = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            const Colour c = bitmap.GetPixel(x, y);
            if (c == kBlue) {
                continue;
            }
            if (c == kRed) {
                ++heavy;
                continue;
            }
            ++light;
            const std::uint32_t b = RedOf(c);
            ASSERT_LT(b, 150u) << x << ", " << y << ": " << test::hex(c);
            ASSERT_EQ(b % 4, 3u) << x << ", " << y;  // 4g - 1
            ASSERT_EQ(GreenOf(c), 0u);
            ASSERT_EQ(BlueOf(c), 255 - b) << x << ", " << y;
        }
    }
    EXPECT_GT(heavy, 100);
    EXPECT_GT(light, 20);
}

TEST_F(SmoothText, HeavyPixelsAreTheTextColourWithinRounding) {
    // With a text colour whose channels do not divide evenly, A * c / 255 +
    // B * c / 255 may fall one short of c.
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(24, 120, 40));
    fill(bitmap, 0);
    const Colour ink = RgbColour(200, 120, 30);
    bitmap.DrawSmoothText(QStringLiteral(u"■■"), 0, 0, 120, 40, QStringLiteral(u"ＭＳ 明朝"), 30,
                          ink, kNoColour);
    int heavy = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            const Colour c = bitmap.GetPixel(x, y);
            if (RedOf(c) >= 199) {
                ++heavy;
                EXPECT_LE(RedOf(ink) - RedOf(c), 1u);
                EXPECT_LE(GreenOf(ink) - GreenOf(c), 1u);
                EXPECT_LE(BlueOf(ink) - BlueOf(c), 1u);
            }
        }
    }
    EXPECT_GT(heavy, 200);
}

TEST_F(SmoothText, ShadowFallsOneRightAndOneDown) {
    DibBitmap bitmap;
    ASSERT_TRUE(createFilled(bitmap, 80, 50, kBlue));
    bitmap.DrawSmoothText(QStringLiteral(u"■"), 0, 0, 80, 50, QStringLiteral(u"ＭＳ 明朝"), 40,
                          kRed, kGreen);
    int shadow = 0;
    for (int y = 1; y < 50; ++y) {
        for (int x = 1; x < 80; ++x) {
            const Colour c = bitmap.GetPixel(x, y);
            if (c == kGreen) {
                // Full shadow: the text pixel it belongs to is up and left.
                ++shadow;
                EXPECT_NE(bitmap.GetPixel(x - 1, y - 1), kBlue) << x << ", " << y;
                EXPECT_EQ(bitmap.GetPixel(x + 1, y + 1) == kRed, false);
            }
            // Shadow over a heavy pixel's own colour: (A, B, 0) with A + B = 255.
            if (GreenOf(c) > 0 && BlueOf(c) == 0 && c != kGreen) {
                EXPECT_EQ(RedOf(c) + GreenOf(c), 255u) << x << ", " << y;
            }
        }
    }
    EXPECT_GT(shadow, 20);
}

TEST_F(SmoothText, CentredInTheBox) {
    DibBitmap bitmap;
    ASSERT_TRUE(createFilled(bitmap, 300, 80, kWhite));
    bitmap.DrawSmoothText(QStringLiteral(u"盤面工房"), 50, 10, 200, 60,
                          QStringLiteral(u"ＭＳ ゴシック"), 24, 0, kNoColour);
    int left = 300;
    int right = -1;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 300; ++x) {
            if (bitmap.GetPixel(x, y) != kWhite) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(right, left);
    const double centre = (left + right + 1) / 2.0;
    EXPECT_NEAR(centre, 150, 3);
    EXPECT_GE(left, 50);
    EXPECT_LT(right, 250);
}

TEST_F(SmoothText, EmptyTextDrawsNothingAndOtherDepthsWork) {
    DibBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(8, 40, 20));
    fill(bitmap, kWhite);
    bitmap.DrawSmoothText(QString(), 0, 0, 40, 20, QStringLiteral(u"ＭＳ 明朝"), 16, 0, kNoColour);
    for (int x = 0; x < 40; ++x) {
        ASSERT_EQ(bitmap.GetPixel(x, 10), kWhite);
    }
    bitmap.DrawSmoothText(SmoothCentring::OnAdvance, QStringLiteral("A"), 0, 0, 40, 20,
                          QStringLiteral(u"ＭＳ 明朝"), 16, 0, kNoColour);
    int ink = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            ink += bitmap.GetPixel(x, y) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 5);
}

// --- Fonts ---

TEST(FontFaces, WindowsFacesMapToTheIpaFonts) {
    EXPECT_EQ(FontFamiliesFor(QStringLiteral(u"ＭＳ 明朝")).front(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral(u"ＭＳ Ｐ明朝")).front(),
              QStringLiteral("IPAPMincho"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral(u"ＭＳ ゴシック")).front(),
              QStringLiteral("IPAGothic"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral(u"ＭＳ Ｐゴシック")).front(),
              QStringLiteral("IPAPGothic"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral("MS PGothic")).front(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral(u"ＭＳ 明朝")).back(),
              QStringLiteral("Noto Serif CJK JP"));
    EXPECT_EQ(FontFamiliesFor(QStringLiteral("DejaVu Sans")),
              QStringList{QStringLiteral("DejaVu Sans")});
    if (haveFont("IPAMincho")) {
        EXPECT_EQ(QFontInfo(MakePointFont(QStringLiteral(u"ＭＳ 明朝"), 100)).family(),
                  QStringLiteral("IPAMincho"));
    }
}

TEST(FontFaces, TenthsOfAPointAtNinetySixDotsPerInch) {
    EXPECT_EQ(PixelsForPointTenths(100), 13);
    EXPECT_EQ(PixelsForPointTenths(90), 12);
    EXPECT_EQ(PixelsForPointTenths(80), 11);
    EXPECT_EQ(PixelsForPointTenths(180), 24);
    EXPECT_EQ(PixelsForPointTenths(120), 16);
    EXPECT_EQ(MakePointFont(QStringLiteral(u"ＭＳ 明朝"), 100).pixelSize(), 13);
    EXPECT_EQ(MakeFont(QStringLiteral(u"ＭＳ 明朝"), -20).pixelSize(), 20);
}

TEST(FontFaces, PositiveHeightIsTheCellHeight) {
    if (!haveFont("IPAGothic")) {
        GTEST_SKIP() << "IPAGothic is not installed";
    }
    for (int height : {12, 20, 33}) {
        const QFont font = MakeFont(QStringLiteral(u"ＭＳ ゴシック"), height, 700);
        const QFontMetrics metrics(font);
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1) << height;
        EXPECT_EQ(font.weight(), QFont::Bold);
    }
}

TEST(FontFaces, ShiftJisTexts) {
    EXPECT_EQ(TextFromSjis("\x99\xD4\x98\x5A"), QStringLiteral(u"雙六"));
    EXPECT_EQ(TextFromSjis("ab\x99"), QStringLiteral("ab"));  // cut inside a character
}

}  // namespace
}  // namespace banmen
