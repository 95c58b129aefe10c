// Pieces among the default pictures of a new game: 32 x 32, keyed on
// magenta like the built-in ones. Kokeshi dolls in the four players'
// colours, a daruma, and plain pawns in colours the built-in pieces lack.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

const QColor kSkin(252, 234, 216);
const QColor kHair(30, 26, 28);

QImage kokeshi(QColor kimono) {
    QImage canvas = newCanvas(32, 32);
    QPainter p;
    beginPainting(p, canvas);
    const QPen outline(colour::kInk, 1.1);

    // Body.
    QLinearGradient shade(9, 0, 23, 0);
    shade.setColorAt(0, kimono.lighter(130));
    shade.setColorAt(0.5, kimono);
    shade.setColorAt(1, kimono.darker(140));
    QPainterPath body;
    body.moveTo(11, 15);
    body.lineTo(21, 15);
    body.cubicTo(22.5, 20, 23, 26, 23, 30.5);
    body.lineTo(9, 30.5);
    body.cubicTo(9, 26, 9.5, 20, 11, 15);
    body.closeSubpath();
    p.setPen(outline);
    p.setBrush(shade);
    p.drawPath(body);
    // Collar and sash.
    p.setPen(QPen(Qt::white, 1.3));
    p.drawLine(QPointF(13, 15.5), QPointF(16, 19));
    p.drawLine(QPointF(19, 15.5), QPointF(16, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGold);
    p.drawRect(QRectF(9.8, 21, 12.4, 2.4));
    // Blossoms on the skirt.
    drawSakura(p, QPointF(13, 27), 2.6, Qt::white, 10);
    drawSakura(p, QPointF(19.5, 26), 2.2, QColor(255, 236, 240), 40);

    // Head with black hair and a red comb.
    p.setPen(outline);
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(16, 8.5), 7.4, 7.2);
    // Hair: the head above the line of the bangs, less an arch for the face.
    QPainterPath head;
    head.addEllipse(QPointF(16, 8.5), 6.9, 6.7);
    QPainterPath above;
    above.addRect(QRectF(8, 0, 16, 9.8));
    QPainterPath face;
    face.addEllipse(QPointF(16, 12.2), 5.4, 4.6);
    const QPainterPath hair = head.intersected(above).subtracted(face);
    p.setPen(Qt::NoPen);
    p.setBrush(kHair);
    p.drawPath(hair);
    p.setBrush(colour::kCrimson);
    p.drawEllipse(QPointF(21, 3.8), 1.8, 1.5);
    // Face.
    p.setPen(QPen(kHair, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12.8, 10.4), QPointF(14.4, 10.4));
    p.drawLine(QPointF(17.6, 10.4), QPointF(19.2, 10.4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 150, 160, 200));
    p.drawEllipse(QPointF(12.3, 12.4), 1.3, 0.9);
    p.drawEllipse(QPointF(19.7, 12.4), 1.3, 0.9);
    p.setBrush(colour::kCrimson);
    p.drawEllipse(QPointF(16, 13.2), 0.8, 0.6);
    p.end();
    return canvas;
}

QImage daruma() {
    QImage canvas = newCanvas(32, 32);
    QPainter p;
    beginPainting(p, canvas);
    QRadialGradient red(QPointF(12, 10), 20);
    red.setColorAt(0, QColor(236, 80, 60));
    red.setColorAt(1, QColor(160, 24, 24));
    p.setPen(QPen(colour::kInk, 1.2));
    p.setBrush(red);
    QPainterPath body;
    body.moveTo(16, 1.5);
    body.cubicTo(26, 1.5, 29, 12, 29, 20);
    body.cubicTo(29, 27, 23, 30.5, 16, 30.5);
    body.cubicTo(9, 30.5, 3, 27, 3, 20);
    body.cubicTo(3, 12, 6, 1.5, 16, 1.5);
    p.drawPath(body);
    // Face.
    p.setBrush(kSkin);
    p.setPen(QPen(colour::kInk, 0.9));
    p.drawEllipse(QRectF(8.5, 7, 15, 12));
    p.setPen(QPen(kHair, 1.3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 9.2), QPointF(14, 10.4));
    p.drawLine(QPointF(21.5, 9.2), QPointF(18, 10.4));
    p.setPen(QPen(kHair, 0.9));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(13, 13), 2, 2);
    p.drawEllipse(QPointF(19, 13), 2, 2);
    p.setBrush(kHair);
    p.drawEllipse(QPointF(13, 13), 0.9, 0.9);
    p.drawEllipse(QPointF(19, 13), 0.9, 0.9);
    p.setPen(QPen(kHair, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.5, 17), QPointF(16, 16.2));
    p.drawLine(QPointF(18.5, 17), QPointF(16, 16.2));
    // A gold crest on the belly.
    p.setPen(QPen(colour::kGoldLight, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 24.5), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kGoldLight);
    p.drawEllipse(QPointF(16, 24.5), 1.2, 1.2);
    p.end();
    return canvas;
}

}  // namespace

void paintDefaultPieces(ArtworkSet& set) {
    const char* const kPlayerNames[] = {"Red", "Blue", "Green", "Yellow"};
    for (int i = 0; i < 4; ++i) {
        set.addBitmap(std::string("default-images/Kokeshi") + kPlayerNames[i] + ".bmp",
                      keyMagenta(kokeshi(playerColour(i))));
    }
    set.addBitmap("default-images/Daruma.bmp", keyMagenta(daruma()));
    const std::pair<const char*, QColor> pawns[] = {
        {"Purple", colour::kPurple},     {"Orange", QColor(236, 120, 30)},
        {"Pink", QColor(236, 120, 160)}, {"White", QColor(236, 232, 222)},
        {"Black", QColor(60, 58, 64)},   {"Teal", QColor(30, 140, 140)},
    };
    for (const auto& [name, tone] : pawns) {
        set.addBitmap(std::string("default-images/Piece") + name + ".bmp",
                      keyMagenta(drawPawn(tone)));
    }
}

}  // namespace banmen::art
