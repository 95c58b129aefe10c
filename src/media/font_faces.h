#pragma once
// The fonts the program names, on this system's Japanese fonts, and the
// sizes in the units the program uses.
//
// "ＭＳ 明朝" → IPAMincho, "ＭＳ Ｐ明朝" → IPAPMincho, "ＭＳ ゴシック" →
// IPAGothic, "ＭＳ Ｐゴシック" → IPAPGothic (also when named in ASCII, "MS
// Mincho" and so on), with Noto CJK JP as the fallback family; any other name
// is used as it is. Sizes: a "size" of the program is in tenths of a point at
// 96 dots per inch (size 100 is 13 pixels of character height); a CreateFont
// height is a cell height when positive and a character height when negative.
// Measuring a cell height needs a QGuiApplication (the font database).

#include <QFont>
#include <QString>
#include <QStringList>
#include <string_view>

namespace banmen {

// The families to ask for, in order: the mapped face, then its fallback.
QStringList FontFamiliesFor(const QString& face);

// Character height in pixels of a point size in tenths at 96 dpi, rounded as
// MulDiv(tenths, 96, 720) rounds.
int PixelsForPointTenths(int tenths);

// A font as CreateFont makes it from a height, a weight (100..900; 400
// normal, 700 bold) and the face.
QFont MakeFont(const QString& face, int height, int weight = 400, bool italic = false,
               bool underline = false);
// A font as CreatePointFont makes it: tenths of a point.
QFont MakePointFont(const QString& face, int tenths, int weight = 400);

// The font a bitmap draws text with until another is selected: "ＭＳ ゴシック"
// at 9 points.
QFont DefaultFont();

// A Shift-JIS text of the game record, ready to draw (invalid bytes become
// U+FFFD).
QString TextFromSjis(std::string_view cp932);

}  // namespace banmen
