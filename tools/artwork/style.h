#pragma once
// The house style of our pictures: a warm washi-paper palette, the Japanese
// fonts, a seeded random generator (so every run draws the same pixels), and
// the drawing helpers the painters share.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <string>

namespace banmen::art {

// Colours of the collection: paper, ink, and the traditional dyes.
namespace colour {
inline const QColor kPaper{246, 238, 220};      // kinari, unbleached paper
inline const QColor kPaperDark{229, 216, 188};  // paper in shade
inline const QColor kInk{43, 35, 32};           // sumi
inline const QColor kInkSoft{96, 82, 70};
inline const QColor kVermilion{214, 69, 42};  // shu
inline const QColor kCrimson{186, 38, 58};    // beni
inline const QColor kIndigo{38, 70, 112};     // ai
inline const QColor kNavy{28, 38, 66};        // kon
inline const QColor kGreen{78, 140, 62};      // matcha leaf
inline const QColor kYellow{240, 178, 30};    // yamabuki
inline const QColor kGold{206, 166, 64};
inline const QColor kGoldLight{240, 214, 140};
inline const QColor kPurple{118, 74, 140};  // murasaki
inline const QColor kSakura{244, 184, 198};
inline const QColor kMomiji{200, 70, 40};
inline const QColor kSky{128, 186, 222};
inline const QColor kLacquer{36, 26, 24};
inline const QColor kMagenta{255, 0, 255};
}  // namespace colour

// The four players' colours, player 1 to 4: red, blue, green, yellow.
QColor playerColour(int player);

// Same seed, same numbers, on every machine.
class Rng {
  public:
    explicit Rng(std::uint32_t seed);
    std::uint32_t next();
    double unit();  // [0, 1)
    double range(double low, double high);
    int below(int n);  // [0, n)

  private:
    std::uint64_t state_;
};

enum class Face { Gothic, PGothic, Mincho, PMincho };

// Loads the four faces from their files, so that no other installed font
// can stand in; on failure `missing` names the file that did not load.
bool loadFonts(std::string& missing);

// A font of the given face and pixel size.
QFont font(Face face, double pixelSize, bool bold = false);

// A transparent canvas for a keyed picture (drawn with alpha, keyed later).
QImage newCanvas(int width, int height);
// An opaque picture filled with one colour.
QImage newOpaque(int width, int height, QColor fill);
// A painter with anti-aliasing on.
void beginPainting(QPainter& painter, QImage& image);

// Turns a canvas into a picture keyed on magenta: a pixel at least half
// covered keeps its colour at full strength, any other becomes magenta, so
// edges stay clean when the picture is later drawn through a 1-bit mask.
QImage keyMagenta(const QImage& canvas);
// Nudges any pure magenta pixel of an opaque picture, so that a picture
// loaded with magenta as its transparent colour shows no holes.
QImage withoutMagenta(const QImage& picture);

QColor mix(QColor a, QColor b, double t);  // t = 0 gives a, 1 gives b
QColor withAlpha(QColor c, int alpha);

// Washi paper over `rect`: soft blotches and a few fibres around `base`.
void fillWashi(QImage& image, const QRect& rect, QColor base, std::uint32_t seed,
               double strength = 1.0);

// Adds the grain of paper to a finished picture, so painted areas share
// the texture of the washi ones.
void addGrain(QImage& image, std::uint32_t seed, double strength = 1.0);

// Text whose ink is centred in `box`.
void drawCentred(QPainter& painter, const QRectF& box, const QString& text, const QFont& face,
                 QColor colour);
// Centred text with a one-pixel outline all round.
void drawOutlined(QPainter& painter, const QRectF& box, const QString& text, const QFont& face,
                  QColor colour, QColor outline);

// Motifs of the four seasons.
void drawSakura(QPainter& painter, QPointF centre, double radius, QColor petal, double turn = 0);
void drawMaple(QPainter& painter, QPointF centre, double radius, QColor leaf, double turn = 0);
void drawSnowflake(QPainter& painter, QPointF centre, double radius, QColor line);
// Seigaiha waves filling `rect` with scales of radius `radius`.
void drawWaves(QPainter& painter, const QRectF& rect, double radius, QColor line,
               QColor fill = Qt::transparent);
// A pine tree: tiers of flat needle clouds, snowed on when `snow`.
void drawPine(QPainter& painter, QPointF base, double height, QColor needles, QColor trunk,
              bool snow = false);
// A cedar: a tall narrow cone.
void drawCedar(QPainter& painter, QPointF base, double height, QColor tone);
// A long band of kasumi mist with rounded ends.
void drawMist(QPainter& painter, const QRectF& band, QColor tone);

// The pips of `face` (1 to 6) on a die face of side `side` at `topLeft`;
// the one is a larger pip in `one`.
void drawPips(QPainter& painter, QPointF topLeft, double side, int face, QColor pip, QColor one);

}  // namespace banmen::art
