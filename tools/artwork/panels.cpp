// The side area of the play screen, its message panel and the frame of the
// players' information windows.

#include <QLinearGradient>
#include <QPainterPath>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

// A thin gold frame with a darker line inside it, around `r`.
void goldFrame(QPainter& p, const QRectF& r) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kGold, 1.0));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(QColor(0, 0, 0, 120), 1.0));
    p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
    p.restore();
}

// A short gold rule with a diamond in its middle.
void ornamentRule(QPainter& p, double y, double left, double right) {
    const double mid = (left + right) / 2;
    p.save();
    p.setPen(QPen(withAlpha(colour::kGold, 200), 1.0));
    p.drawLine(QPointF(left, y + 0.5), QPointF(mid - 6, y + 0.5));
    p.drawLine(QPointF(mid + 6, y + 0.5), QPointF(right, y + 0.5));
    QPainterPath diamond;
    diamond.moveTo(mid, y - 3);
    diamond.lineTo(mid + 4, y + 0.5);
    diamond.lineTo(mid, y + 4);
    diamond.lineTo(mid - 4, y + 0.5);
    diamond.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGold);
    p.drawPath(diamond);
    p.restore();
}

// One of the four season emblems of the header, in a small dark roundel.
void seasonEmblem(QPainter& p, QPointF centre, int season) {
    p.save();
    p.setPen(QPen(withAlpha(colour::kGold, 220), 1.0));
    p.setBrush(QColor(16, 22, 40));
    p.drawEllipse(centre, 11, 11);
    switch (season) {
        case 0:
            drawSakura(p, centre, 8, colour::kSakura, 0);
            break;
        case 1: {
            QPainterPath inside;
            inside.addEllipse(centre, 10, 10);
            p.setClipPath(inside);
            drawWaves(p, QRectF(centre.x() - 10, centre.y() - 4, 20, 14), 5, QColor(170, 210, 235),
                      QColor(40, 90, 150));
            p.setClipping(false);
            break;
        }
        case 2:
            drawMaple(p, centre + QPointF(0, 1), 8.5, QColor(232, 92, 52), 0);
            break;
        default:
            drawSnowflake(p, centre, 8, QColor(236, 242, 250));
            break;
    }
    p.restore();
}

QImage sidePicture() {
    QImage image = newOpaque(180, 600, colour::kNavy);
    fillWashi(image, image.rect(), colour::kNavy, 4000, 0.7);
    QPainter p;
    beginPainting(p, image);

    // Waves rising from the foot of the column.
    drawWaves(p, QRectF(0, 540, 180, 60), 12, withAlpha(QColor(120, 150, 200), 36));
    QLinearGradient fade(0, 535, 0, 575);
    fade.setColorAt(0, colour::kNavy);
    fade.setColorAt(1, withAlpha(colour::kNavy, 0));
    p.fillRect(QRectF(0, 535, 180, 40), fade);

    // Header: the title in gold over the four seasons.
    const QFont title = font(Face::Mincho, 40);
    drawOutlined(p, QRectF(0, 4, 180, 52), QStringLiteral("雙 六"), title, colour::kGoldLight,
                 QColor(60, 40, 10));
    drawCentred(p, QRectF(0, 52, 180, 14), QStringLiteral("四 季 彩"), font(Face::Mincho, 11),
                withAlpha(colour::kGoldLight, 230));
    for (int season = 0; season < 4; ++season) {
        seasonEmblem(p, QPointF(45 + 30 * season, 80), season);
    }

    // The four player panels, each with a line of its player's colour.
    for (int i = 0; i < 4; ++i) {
        const QRectF r(10 + 81 * (i % 2), 97 + 60 * (i / 2), 79, 58);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 18));
        p.drawRect(r);
        p.setBrush(playerColour(i));
        p.drawRect(QRectF(r.left() + 2, r.bottom() - 3, r.width() - 4, 2));
        goldFrame(p, r.adjusted(-1, -1, 1, 1));
    }

    // A frame for the message panel, which covers the inside.
    goldFrame(p, QRectF(807, 223, 164, 231).translated(-800, 0));

    // Rules above and below the lines of text at the foot of the column.
    ornamentRule(p, 458, 14, 166);
    ornamentRule(p, 540, 14, 166);

    // The board's edge.
    p.setPen(QPen(QColor(10, 14, 26), 1.0));
    p.drawLine(QPointF(0.5, 0), QPointF(0.5, 600));
    p.setPen(QPen(withAlpha(colour::kGold, 200), 1.0));
    p.drawLine(QPointF(1.5, 0), QPointF(1.5, 600));
    p.end();
    return image;
}

QImage messagePanel() {
    const QColor lacquer = colour::kLacquer;
    QImage image = newOpaque(158, 225, lacquer);
    fillWashi(image, image.rect(), lacquer, 4001, 0.45);
    QPainter p;
    beginPainting(p, image);
    // A glow from the top, as on polished lacquer.
    QLinearGradient sheen(0, 0, 0, 225);
    sheen.setColorAt(0, QColor(120, 60, 40, 60));
    sheen.setColorAt(0.4, QColor(120, 60, 40, 0));
    p.fillRect(image.rect(), sheen);
    drawWaves(p, QRectF(0, 192, 158, 33), 9, QColor(206, 166, 64, 34));
    QLinearGradient fade(0, 190, 0, 206);
    fade.setColorAt(0, lacquer);
    fade.setColorAt(1, withAlpha(lacquer, 0));
    p.fillRect(QRectF(0, 190, 158, 16), fade);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kGold, 1.0));
    p.drawRect(QRectF(0.5, 0.5, 157, 224));
    p.setPen(QPen(withAlpha(colour::kGold, 150), 1.0));
    p.drawRect(QRectF(3.5, 3.5, 151, 218));
    // Corner brackets.
    p.setPen(QPen(colour::kGoldLight, 1.4));
    const double k = 10;
    const QPointF corners[] = {{6, 6}, {152, 6}, {6, 219}, {152, 219}};
    for (const QPointF& c : corners) {
        const double sx = c.x() < 79 ? 1 : -1;
        const double sy = c.y() < 112 ? 1 : -1;
        p.drawLine(c, c + QPointF(sx * k, 0));
        p.drawLine(c, c + QPointF(0, sy * k));
        p.drawEllipse(c + QPointF(sx * 3.5, sy * 3.5), 1.2, 1.2);
    }
    p.end();
    return image;
}

// The information window's frame: a border of 6 pixels round the light
// colour the window is filled with. Rows 8 to 55 are all alike, so the
// middle may be stretched to any height.
QImage infoFrame() {
    const QColor inside(255, 255, 232);
    QImage image = newOpaque(210, 64, inside);
    QPainter p;
    beginPainting(p, image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect outer = image.rect();
    p.fillRect(outer, colour::kInk);
    p.fillRect(outer.adjusted(1, 1, -1, -1), colour::kIndigo);
    p.fillRect(outer.adjusted(4, 4, -4, -4), colour::kGold);
    p.fillRect(outer.adjusted(5, 5, -5, -5), QColor(196, 186, 150));
    p.fillRect(outer.adjusted(6, 6, -6, -6), inside);
    // Gold studs at the corners of the indigo band.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGoldLight);
    const QPointF studs[] = {{2.5, 2.5}, {207.5, 2.5}, {2.5, 61.5}, {207.5, 61.5}};
    for (const QPointF& s : studs) {
        p.drawEllipse(s, 1.6, 1.6);
    }
    // A thin gold thread along the middle of the top and bottom bands.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(withAlpha(colour::kGoldLight, 140), 1));
    p.drawLine(12, 2, 197, 2);
    p.drawLine(12, 61, 197, 61);
    p.end();
    return image;
}

}  // namespace

void paintPanels(ArtworkSet& set) {
    set.addBitmap("bitmaps/4000.bmp", withoutMagenta(sidePicture()));
    set.addBitmap("bitmaps/4001.bmp", withoutMagenta(messagePanel()));
    set.addBitmap("bitmaps/4002.bmp", withoutMagenta(infoFrame()));
}

}  // namespace banmen::art
