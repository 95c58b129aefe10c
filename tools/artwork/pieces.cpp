// The players' pieces and the marks that replace them once they are out.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {

QImage drawPawn(QColor body) {
    QImage canvas = newCanvas(32, 32);
    QPainter p;
    beginPainting(p, canvas);
    const QPen outline(colour::kInk, 1.3);

    // Plinth: a flat disc the piece stands on.
    QLinearGradient plinth(0, 24, 0, 31);
    plinth.setColorAt(0, body.darker(115));
    plinth.setColorAt(1, body.darker(175));
    p.setPen(outline);
    p.setBrush(plinth);
    p.drawEllipse(QRectF(4.5, 23.5, 23, 7.5));

    // Body: a bell rising to the neck.
    QPainterPath bell;
    bell.moveTo(7.5, 26.5);
    bell.cubicTo(8.5, 20, 12.5, 18, 12.8, 13.5);
    bell.lineTo(19.2, 13.5);
    bell.cubicTo(19.5, 18, 23.5, 20, 24.5, 26.5);
    bell.cubicTo(20, 29, 12, 29, 7.5, 26.5);
    QLinearGradient shade(6, 0, 26, 0);
    shade.setColorAt(0, body.lighter(135));
    shade.setColorAt(0.45, body);
    shade.setColorAt(1, body.darker(150));
    p.setBrush(shade);
    p.drawPath(bell);

    // Collar.
    p.setBrush(body.darker(125));
    p.drawEllipse(QRectF(10.5, 11.5, 11, 4));

    // Head.
    QRadialGradient head(13.5, 5.5, 8);
    head.setColorAt(0, body.lighter(160));
    head.setColorAt(0.5, body);
    head.setColorAt(1, body.darker(145));
    p.setBrush(head);
    p.drawEllipse(QPointF(16, 7.5), 6.3, 6.3);

    // Gloss.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(13.8, 5.2), 1.8, 1.3);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QRectF(10, 18, 2.2, 6));
    p.end();
    return canvas;
}

namespace {

// A finished player's mark: a 13 x 13 seal in the player's colour with a
// white tick, shown in the player panel instead of the piece.
QImage finishedMark(QColor body) {
    QImage canvas = newCanvas(13, 13);
    QPainter p;
    beginPainting(p, canvas);
    QRadialGradient fill(5, 4, 8);
    fill.setColorAt(0, body.lighter(130));
    fill.setColorAt(1, body.darker(130));
    p.setPen(QPen(colour::kInk, 1.0));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.5, 12, 12));
    QPainterPath tick;
    tick.moveTo(3.2, 6.6);
    tick.lineTo(5.6, 9.0);
    tick.lineTo(9.8, 3.8);
    p.setPen(QPen(Qt::white, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.end();
    return canvas;
}

}  // namespace

void paintPieces(ArtworkSet& set) {
    for (int player = 0; player < 4; ++player) {
        const QColor body = playerColour(player);
        set.addBitmap("bitmaps/" + std::to_string(3001 + player) + ".bmp",
                      keyMagenta(drawPawn(body)));
        set.addBitmap("bitmaps/" + std::to_string(7000 + player) + ".bmp",
                      keyMagenta(finishedMark(body)));
    }
}

}  // namespace banmen::art
