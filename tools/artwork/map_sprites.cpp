// The pictures of the editing map: a marker per square, the dots of the
// routes and the arrow on the routes leaving the selected square.

#include <QLinearGradient>
#include <QPainterPath>
#include <cmath>
#include <numbers>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

constexpr double kPi = std::numbers::pi;

enum class Group { Start, Goal, Retire, Other };
enum class State { Selected, Complete, Highlighted, Incomplete };

QColor groupColour(Group group) {
    switch (group) {
        case Group::Start:
            return {46, 146, 70};
        case Group::Goal:
            return {206, 52, 44};
        case Group::Retire:
            return {118, 74, 140};
        case Group::Other:
            break;
    }
    return {44, 96, 176};
}

// The sign on a marker's face: a pennant for the start, a star for the goal,
// a cross for retirement, nothing for the others.
void drawSign(QPainter& p, Group group, QPointF centre, QColor ink) {
    p.save();
    p.translate(centre);
    p.setPen(QPen(ink, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (group == Group::Start) {
        QPainterPath flag;
        flag.moveTo(-2.5, -3.5);
        flag.lineTo(3.5, -1.5);
        flag.lineTo(-2.5, 0.5);
        flag.closeSubpath();
        p.setBrush(ink);
        p.drawPath(flag);
        p.drawLine(QPointF(-2.5, -3.5), QPointF(-2.5, 3.5));
    } else if (group == Group::Goal) {
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 == 0 ? 4.3 : 1.9;
            const double a = i * kPi / 5;
            const QPointF pt(std::sin(a) * r, -std::cos(a) * r + 0.3);
            if (i == 0) {
                star.moveTo(pt);
            } else {
                star.lineTo(pt);
            }
        }
        star.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(star);
    } else if (group == Group::Retire) {
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-2.5, -2.5), QPointF(2.5, 2.5));
        p.drawLine(QPointF(-2.5, 2.5), QPointF(2.5, -2.5));
    }
    p.restore();
}

// A 32 x 16 marker: a round stepping stone seen from above, its face at the
// middle (16, 8) of the picture, which is where the square's hit circle is.
QImage marker(Group group, State state) {
    QImage canvas = newCanvas(32, 16);
    QPainter p;
    beginPainting(p, canvas);
    const QColor base = groupColour(group);
    const bool ringed = state == State::Selected || state == State::Highlighted;
    const double rx = ringed ? 12.5 : 14.5;
    const double ry = ringed ? 4.6 : 5.6;
    const QPointF centre(16, 7.2);
    const double depth = 2.6;

    if (ringed) {
        const QColor ring = state == State::Selected ? QColor(255, 214, 40) : QColor(120, 230, 250);
        p.setPen(QPen(colour::kInk, 1.0));
        p.setBrush(ring);
        p.drawEllipse(QRectF(centre.x() - 15.5, centre.y() - 6.7, 31, 15.2));
    }

    QColor face = base;
    QColor rim = base.darker(160);
    QColor line = colour::kInk;
    if (state == State::Incomplete) {
        face = mix(base, colour::kPaper, 0.72);
        rim = mix(base, colour::kPaper, 0.35);
        line = base.darker(140);
    } else if (state == State::Highlighted) {
        face = base.lighter(135);
    } else if (state == State::Selected) {
        face = base.lighter(115);
    }

    // Side of the stone, then its face.
    p.setPen(QPen(line, 1.0));
    p.setBrush(rim);
    p.drawEllipse(QRectF(centre.x() - rx, centre.y() - ry + depth, 2 * rx, 2 * ry));
    QLinearGradient lit(0, centre.y() - ry, 0, centre.y() + ry);
    lit.setColorAt(0, face.lighter(125));
    lit.setColorAt(1, face);
    p.setBrush(lit);
    p.drawEllipse(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry));

    const QColor signInk = state == State::Incomplete ? base.darker(130) : QColor(255, 252, 240);
    drawSign(p, group, centre + QPointF(0, 0.2), signInk);
    p.end();
    return keyMagenta(canvas);
}

// The route dot, 8 x 8: a bead whose centre is pixel (3, 3), the point of
// the route it marks.
QImage routeDot() {
    QImage canvas = newCanvas(8, 8);
    QPainter p;
    beginPainting(p, canvas);
    p.setPen(QPen(QColor(110, 60, 20), 0.9));
    p.setBrush(QColor(240, 164, 40));
    p.drawEllipse(QPointF(3.5, 3.5), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 190));
    p.drawEllipse(QPointF(2.6, 2.6), 1.0, 1.0);
    p.end();
    return keyMagenta(canvas);
}

// The arrow, 16 x 16, pointing right with its tip at (15, 8); it is turned
// to the direction of the route it sits on.
QImage arrow() {
    QImage canvas = newCanvas(16, 16);
    QPainter p;
    beginPainting(p, canvas);
    QPainterPath head;
    head.moveTo(15.2, 8);
    head.lineTo(2.5, 1.5);
    head.lineTo(6.5, 8);
    head.lineTo(2.5, 14.5);
    head.closeSubpath();
    QLinearGradient fill(0, 1, 0, 15);
    fill.setColorAt(0, colour::kVermilion.lighter(125));
    fill.setColorAt(1, colour::kVermilion.darker(120));
    p.setPen(QPen(colour::kInk, 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(fill);
    p.drawPath(head);
    p.end();
    return keyMagenta(canvas);
}

}  // namespace

void paintMapSprites(ArtworkSet& set) {
    const std::pair<Group, const char*> groups[] = {{Group::Start, "START"},
                                                    {Group::Goal, "GOAL"},
                                                    {Group::Retire, "RETIRE"},
                                                    {Group::Other, "OTHER"}};
    const std::pair<State, const char*> states[] = {{State::Selected, "S"},
                                                    {State::Complete, "C"},
                                                    {State::Highlighted, "H"},
                                                    {State::Incomplete, "I"}};
    for (const auto& [group, groupName] : groups) {
        for (const auto& [state, suffix] : states) {
            set.addBitmap(std::string("bitmaps/MARK") + groupName + suffix + ".bmp",
                          marker(group, state));
        }
    }
    set.addBitmap("bitmaps/DOT.bmp", routeDot());
    set.addBitmap("bitmaps/ARROW.bmp", arrow());
}

}  // namespace banmen::art
