// DibBitmap::DrawSmoothText: anti-aliased text blended pixel by pixel.
//
// The font: the given height, weight (600 in the short forms), no italic,
// underline or strike-out, anti-aliased. (The platform's font also asked for
// a width of height / 2, which is the natural half-width cell of the
// Japanese faces, so no stretch is applied.)
//
// Layout: the cell advances of the characters are summed, the tallest glyph
// (ink) height is kept, and the last glyph's right bearing taken. The text
// is centred in the box: left = x + (right bearing + box width - total
// advance) / 2 (the OnAdvance form leaves the bearing out), top = y + (box
// height - tallest) / 2, and every glyph sits on the baseline top + ascent.
//
// Blending: each glyph's coverage, taken as 0..64 like the platform's 65
// grey levels, gives for a covered pixel the text weight B = 4g - 1 and the
// background weight A = 255 - B. Below the threshold (B < 150) the pixel
// blends with what is there; heavier pixels blend with the text colour
// itself. Each channel is background * A / 255 + text * B / 255. The shadow
// pixel one right and one down gets the same weights with the shadow colour
// in place of the text colour, over what is there when B <= 150 and over the
// text colour otherwise; it is written at once, so later glyph pixels cover
// it.

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "media/dib_bitmap.h"
#include "media/dib_lock.h"
#include "media/font_faces.h"

namespace banmen {
namespace {

constexpr int kThreshold = 150;

Colour blend(Colour background, Colour ink, std::uint32_t a, std::uint32_t b) {
    return RgbColour(RedOf(background) * a / 255 + RedOf(ink) * b / 255,
                     GreenOf(background) * a / 255 + GreenOf(ink) * b / 255,
                     BlueOf(background) * a / 255 + BlueOf(ink) * b / 255);
}

struct Glyph {
    QString text;
    int advance = 0;
    QRect ink;  // relative to the origin on the baseline
};

}  // namespace

void DibBitmap::DrawSmoothText(const QString& text, int x, int y, int boxWidth, int boxHeight,
                               const QString& face, int height, int weight, Colour textColour,
                               Colour shadowColour) {
    drawSmooth(text, x, y, boxWidth, boxHeight, face, height, weight, textColour, shadowColour,
               SmoothCentring::OnInk);
}

void DibBitmap::DrawSmoothText(const QString& text, int x, int y, int boxWidth, int boxHeight,
                               const QString& face, int height, Colour textColour,
                               Colour shadowColour) {
    drawSmooth(text, x, y, boxWidth, boxHeight, face, height, 600, textColour, shadowColour,
               SmoothCentring::OnInk);
}

void DibBitmap::DrawSmoothText(SmoothCentring centring, const QString& text, int x, int y,
                               int boxWidth, int boxHeight, const QString& face, int height,
                               Colour textColour, Colour shadowColour) {
    drawSmooth(text, x, y, boxWidth, boxHeight, face, height, 600, textColour, shadowColour,
               centring);
}

void DibBitmap::drawSmooth(const QString& text, int x, int y, int boxWidth, int boxHeight,
                           const QString& face, int height, int weight, Colour textColour,
                           Colour shadowColour, SmoothCentring centring) {
    if (text.isEmpty()) {
        return;
    }
    LockGuard lock(*this);
    if (IsEmpty()) {
        return;
    }
    const QFont font = MakeFont(face, height, weight);
    const QFontMetrics metrics(font);
    std::vector<Glyph> glyphs;
    int total = 0;
    int tallest = 0;
    for (const char32_t c : text.toUcs4()) {
        Glyph g;
        g.text = QString::fromUcs4(&c, 1);
        g.advance = metrics.horizontalAdvance(g.text);
        g.ink = metrics.tightBoundingRect(g.text);
        total += g.advance;
        tallest = std::max(tallest, g.ink.height());
        glyphs.push_back(g);
    }
    const Glyph& last = glyphs.back();
    const int rightBearing =
        centring == SmoothCentring::OnInk ? last.advance - (last.ink.x() + last.ink.width()) : 0;
    const int left = x + (rightBearing + boxWidth - total) / 2;
    const int top = y + (boxHeight - tallest) / 2;
    const int baseline = top + metrics.ascent();

    // One coverage image for all glyphs, cleared before each.
    int widest = 0;
    for (const Glyph& g : glyphs) {
        widest = std::max(widest, g.ink.width());
    }
    QImage coverage(widest + 2, tallest + 2, QImage::Format_Alpha8);
    coverage.fill(0);
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255));
    int penX = left;
    for (const Glyph& g : glyphs) {
        if (g.ink.isEmpty()) {
            penX += g.advance;
            continue;
        }
        const int w = g.ink.width() + 2;
        const int h = g.ink.height() + 2;
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 0, w, h, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawText(QPoint(1 - g.ink.x(), 1 - g.ink.y()), g.text);
        const int originX = penX + g.ink.x() - 1;
        const int originY = baseline + g.ink.y() - 1;
        for (int j = 0; j < h; ++j) {
            const std::uint8_t* line = coverage.constScanLine(j);
            for (int i = 0; i < w; ++i) {
                const std::uint32_t grey = (line[i] * 64u + 127) / 255;
                if (grey == 0) {
                    continue;
                }
                const std::uint32_t b = 4 * grey - 1;
                const std::uint32_t a = 255 - b;
                const int px = originX + i;
                const int py = originY + j;
                const bool light = b < kThreshold;
                putPixel(px, py, blend(light ? GetPixel(px, py) : textColour, textColour, a, b));
                if (shadowColour != kNoColour) {
                    const bool lightShadow = b <= kThreshold;
                    putPixel(px + 1, py + 1,
                             blend(lightShadow ? GetPixel(px + 1, py + 1) : textColour,
                                   shadowColour, a, b));
                }
            }
        }
        penX += g.advance;
    }
}

}  // namespace banmen
