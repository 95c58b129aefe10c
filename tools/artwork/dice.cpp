// The dice, the rank badges of the results and the turn picture.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

constexpr double kPi = std::numbers::pi;

const QColor kIvory(252, 248, 236);
const QColor kPipInk(34, 40, 64);
const QColor kPipRed(206, 36, 40);

// One die seen a little from the front: the top face with its pips over a
// strip of the front face. `cell` is the die's cell in the dice picture.
void drawDie(QPainter& p, const QRectF& cell, int face, double frontDepth) {
    const QRectF top(cell.left() + 1, cell.top() + 1, cell.width() - 2,
                     cell.height() - 2 - frontDepth);
    const QRectF body = top.adjusted(0, 0, 0, frontDepth);
    const QPen outline(colour::kInk, 1.0);

    QLinearGradient side(0, body.top(), 0, body.bottom());
    side.setColorAt(0, QColor(214, 204, 180));
    side.setColorAt(1, QColor(178, 164, 136));
    p.setPen(outline);
    p.setBrush(side);
    p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);

    QLinearGradient lit(top.topLeft(), top.bottomRight());
    lit.setColorAt(0, Qt::white);
    lit.setColorAt(1, kIvory.darker(104));
    p.setBrush(lit);
    p.drawRoundedRect(top.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);

    const double edge = std::min(top.width(), top.height());
    const QPointF origin(top.center().x() - edge / 2, top.center().y() - edge / 2);
    drawPips(p, origin, edge, face, kPipInk, kPipRed);
}

QImage dicePicture() {
    // Face row: cells of 28 x 33 at y = 0. Small faces: cells of 28 x 31 at
    // y = 34, shown in the message panel.
    QImage canvas = newCanvas(168, 65);
    QPainter p;
    beginPainting(p, canvas);
    for (int face = 1; face <= 6; ++face) {
        const double x = 28.0 * (face - 1);
        drawDie(p, QRectF(x, 0, 28, 33), face, 6);
        drawDie(p, QRectF(x, 34, 28, 31), face, 4);
    }
    p.end();
    return keyMagenta(canvas);
}

// Rank badges: cells of 25 x 23, ranks 1 to 6, then the no-rank cell.
QImage rankPicture() {
    QImage canvas = newCanvas(175, 23);
    QPainter p;
    beginPainting(p, canvas);
    struct Medal {
        QColor light, dark, ribbon;
    };
    const Medal medals[] = {
        {QColor(255, 232, 140), QColor(196, 146, 30), colour::kVermilion},  // gold
        {QColor(246, 248, 252), QColor(150, 158, 172), colour::kIndigo},    // silver
        {QColor(240, 190, 150), QColor(160, 96, 56), colour::kGreen},       // bronze
        {QColor(250, 244, 230), QColor(196, 180, 150), QColor(150, 130, 110)},
        {QColor(250, 244, 230), QColor(196, 180, 150), QColor(150, 130, 110)},
        {QColor(250, 244, 230), QColor(196, 180, 150), QColor(150, 130, 110)},
        {QColor(200, 200, 200), QColor(130, 130, 130), QColor(120, 120, 120)},  // no rank
    };
    for (int cell = 0; cell < 7; ++cell) {
        const Medal& m = medals[cell];
        const double cx = 25.0 * cell + 12.5;
        // Ribbon tails behind the disc.
        p.setPen(QPen(m.ribbon.darker(140), 0.8));
        p.setBrush(m.ribbon);
        for (int sideSign : {-1, 1}) {
            QPainterPath tail;
            tail.moveTo(cx + sideSign * 2, 12);
            tail.lineTo(cx + sideSign * 8, 13);
            tail.lineTo(cx + sideSign * 7.5, 22.5);
            tail.lineTo(cx + sideSign * 5, 20);
            tail.lineTo(cx + sideSign * 2.5, 22);
            tail.closeSubpath();
            p.drawPath(tail);
        }
        QRadialGradient disc(QPointF(cx - 3, 5), 12);
        disc.setColorAt(0, m.light);
        disc.setColorAt(1, m.dark);
        p.setPen(QPen(colour::kInk, 1.0));
        p.setBrush(disc);
        p.drawEllipse(QPointF(cx, 9.5), 9, 9);
        p.setPen(QPen(withAlpha(m.dark.darker(120), 160), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(cx, 9.5), 6.8, 6.8);
        const QString label = cell < 6 ? QString::number(cell + 1) : QStringLiteral("－");
        drawCentred(p, QRectF(cx - 9, 0.5, 18, 18), label, font(Face::Gothic, 13, true),
                    cell < 6 ? colour::kInk : QColor(80, 80, 80));
    }
    p.end();
    return keyMagenta(canvas);
}

// A folding fan with the word for "your turn", shown when a turn starts.
QImage turnPicture() {
    QImage canvas = newCanvas(96, 46);
    QPainter p;
    beginPainting(p, canvas);
    const QPointF pivot(48, 45);
    const double outer = 42;
    const double inner = 15;
    const double spread = 68;  // degrees each side of upright
    auto polar = [&](double degrees, double r) {
        const double a = degrees * kPi / 180;
        return pivot + QPointF(std::sin(a) * r, -std::cos(a) * r);
    };
    // Ribs below the paper.
    p.setPen(QPen(QColor(92, 58, 36), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 8; ++i) {
        const double a = -spread + 2 * spread * i / 8;
        p.drawLine(pivot, polar(a, inner + 2));
    }
    // The paper, folded into pleats that catch the light in turn.
    const int pleats = 12;
    for (int i = 0; i < pleats; ++i) {
        const double a0 = -spread + 2 * spread * i / pleats;
        const double a1 = -spread + 2 * spread * (i + 1) / pleats;
        QPainterPath pleat(polar(a0, inner));
        pleat.lineTo(polar(a0, outer));
        pleat.lineTo(polar(a1, outer));
        pleat.lineTo(polar(a1, inner));
        pleat.closeSubpath();
        const QColor tone = i % 2 == 0 ? colour::kVermilion : colour::kVermilion.darker(112);
        p.setPen(Qt::NoPen);
        p.setBrush(tone);
        p.drawPath(pleat);
    }
    // Gold bands along the rims, then the outline.
    QPainterPath paper;
    paper.arcMoveTo(QRectF(pivot.x() - outer, pivot.y() - outer, 2 * outer, 2 * outer),
                    90 + spread);
    paper.arcTo(QRectF(pivot.x() - outer, pivot.y() - outer, 2 * outer, 2 * outer), 90 + spread,
                -2 * spread);
    paper.lineTo(polar(spread, inner));
    paper.arcTo(QRectF(pivot.x() - inner, pivot.y() - inner, 2 * inner, 2 * inner), 90 - spread,
                2 * spread);
    paper.closeSubpath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kGoldLight, 2.0));
    p.drawArc(QRectF(pivot.x() - outer + 3, pivot.y() - outer + 3, 2 * outer - 6, 2 * outer - 6),
              static_cast<int>((90 - spread) * 16), static_cast<int>(2 * spread * 16));
    p.setPen(QPen(colour::kInk, 1.2));
    p.drawPath(paper);
    // A rivet at the pivot.
    p.setBrush(colour::kGold);
    p.drawEllipse(pivot + QPointF(0, -1), 2.4, 2.4);

    drawOutlined(p, QRectF(24, 10, 48, 20), QStringLiteral("手番"), font(Face::Mincho, 17, true),
                 Qt::white, QColor(90, 20, 10));
    p.end();
    return keyMagenta(canvas);
}

}  // namespace

void paintDice(ArtworkSet& set) {
    set.addBitmap("bitmaps/5000.bmp", dicePicture());
    set.addBitmap("bitmaps/8010.bmp", rankPicture());
    set.addBitmap("bitmaps/9000.bmp", turnPicture());
}

}  // namespace banmen::art
