// Square pictures among the default pictures of a new game: small scenes
// of 150 x 115 through the seasons, shown when a piece stops on a square.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

constexpr int kW = 150;
constexpr int kH = 115;
constexpr double kPi = std::numbers::pi;

void sky(QPainter& p, QColor top, QColor bottom, double horizon = kH) {
    QLinearGradient g(0, 0, 0, horizon);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(QRectF(0, 0, kW, horizon), g);
}

// A line of hills across the picture, from `y` up by as much as `height`,
// filled down to the bottom.
QPainterPath hills(Rng& rng, double y, double height, double roughness = 1.0) {
    const double f1 = rng.range(0.02, 0.035);
    const double f2 = rng.range(0.05, 0.09);
    const double o1 = rng.range(0, 2 * kPi);
    const double o2 = rng.range(0, 2 * kPi);
    QPainterPath path(QPointF(-2, kH + 2));
    for (int x = -2; x <= kW + 2; x += 2) {
        const double h =
            (std::sin(x * f1 + o1) * 0.6 + std::sin(x * f2 + o2) * 0.4 * roughness + 1.0) / 2.0;
        path.lineTo(x, y - h * height);
    }
    path.lineTo(kW + 2, kH + 2);
    path.closeSubpath();
    return path;
}

void fillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
}

QImage finish(QImage image, std::uint32_t seed) {
    addGrain(image, seed, 0.8);
    QPainter p(&image);
    p.setPen(colour::kInk);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kW - 1, kH - 1);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawRect(1, 1, kW - 3, kH - 3);
    p.end();
    return withoutMagenta(image);
}

// Morning mist: a band that fades out at its top and bottom.
void softMist(QPainter& p, const QRectF& band) {
    QLinearGradient g(0, band.top(), 0, band.bottom());
    g.setColorAt(0, QColor(245, 244, 230, 0));
    g.setColorAt(0.5, QColor(245, 244, 230, 150));
    g.setColorAt(1, QColor(245, 244, 230, 0));
    p.fillRect(band, g);
}

QImage forest() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(11);
    sky(p, QColor(196, 222, 226), QColor(236, 238, 214), 70);
    fillPath(p, hills(rng, 52, 18), QColor(150, 184, 170));
    softMist(p, QRectF(-10, 42, 100, 10));
    for (int i = 0; i < 14; ++i) {
        drawCedar(p, QPointF(i * 11 + rng.range(0, 6), 70 + rng.range(0, 4)), rng.range(30, 44),
                  QColor(70, 118, 88));
    }
    softMist(p, QRectF(60, 60, 110, 12));
    fillPath(p, hills(rng, 98, 10), QColor(96, 150, 74));
    for (int i = 0; i < 8; ++i) {
        drawCedar(p, QPointF(i * 20 + rng.range(0, 10), 112 + rng.range(0, 4)), rng.range(48, 66),
                  QColor(40, 92, 60));
    }
    // A path into the trees.
    QPainterPath trail(QPointF(60, 116));
    trail.cubicTo(QPointF(70, 104), QPointF(88, 100), QPointF(84, 92));
    trail.lineTo(QPointF(88, 92));
    trail.cubicTo(QPointF(96, 100), QPointF(86, 106), QPointF(84, 116));
    trail.closeSubpath();
    fillPath(p, trail, QColor(214, 190, 140));
    p.end();
    return finish(image, 11);
}

void bridge(QPainter& p, QPointF centre, double width) {
    const double half = width / 2;
    QPainterPath deck(centre + QPointF(-half, 6));
    deck.quadTo(centre + QPointF(0, -10), centre + QPointF(half, 6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 30, 20), 5, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(deck);
    p.setPen(QPen(colour::kVermilion, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(deck.translated(0, -0.6));
    // Rail and posts.
    QPainterPath rail = deck.translated(0, -6);
    p.setPen(QPen(colour::kVermilion, 1.5));
    p.drawPath(rail);
    for (int i = 0; i <= 6; ++i) {
        const double t = i / 6.0;
        const QPointF a = deck.pointAtPercent(t);
        p.drawLine(a, a + QPointF(0, -6));
    }
}

QImage river() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(12);
    sky(p, QColor(170, 206, 232), QColor(238, 240, 226), 60);
    fillPath(p, hills(rng, 46, 20), QColor(140, 170, 186));
    fillPath(p, hills(rng, 58, 12), QColor(120, 164, 110));
    fillPath(p, hills(rng, 80, 4), QColor(132, 178, 92));
    // The river winds towards us, widening.
    QPainterPath water(QPointF(70, 56));
    water.cubicTo(QPointF(40, 70), QPointF(110, 80), QPointF(40, 116));
    water.lineTo(QPointF(128, 116));
    water.cubicTo(QPointF(150, 84), QPointF(84, 74), QPointF(80, 56));
    water.closeSubpath();
    QLinearGradient blue(0, 56, 0, 115);
    blue.setColorAt(0, QColor(150, 196, 226));
    blue.setColorAt(1, QColor(52, 110, 170));
    fillPath(p, water, blue);
    p.save();
    p.setClipPath(water);
    p.setPen(QPen(QColor(240, 248, 255, 200), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 22; ++i) {
        const double y = rng.range(60, 114);
        const double x = rng.range(30, 130);
        const double len = 3 + (y - 56) / 8;
        p.drawArc(QRectF(x, y, len * 2, 3), 0, 180 * 16);
    }
    p.restore();
    bridge(p, QPointF(80, 82), 66);
    // Reeds on the near bank.
    p.setPen(QPen(QColor(70, 110, 50), 1.0));
    for (int i = 0; i < 14; ++i) {
        const double x = 4 + i * 2.4 + rng.range(0, 2);
        p.drawLine(QPointF(x, 114), QPointF(x + rng.range(-3, 3), 114 - rng.range(8, 18)));
    }
    p.end();
    return finish(image, 12);
}

QImage mountain() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(13);
    sky(p, QColor(140, 190, 228), QColor(250, 236, 206), 90);
    // The peak, with snow on its shoulders.
    QPainterPath peak(QPointF(-10, 116));
    peak.lineTo(QPointF(-10, 96));
    peak.cubicTo(QPointF(30, 80), QPointF(56, 40), QPointF(66, 24));
    peak.lineTo(QPointF(84, 24));
    peak.cubicTo(QPointF(94, 40), QPointF(120, 80), QPointF(160, 96));
    peak.lineTo(QPointF(160, 116));
    peak.closeSubpath();
    QLinearGradient rock(0, 24, 0, 96);
    rock.setColorAt(0, QColor(70, 92, 140));
    rock.setColorAt(1, QColor(120, 150, 186));
    fillPath(p, peak, rock);
    QPainterPath snow(QPointF(54, 42));
    snow.cubicTo(QPointF(58, 36), QPointF(62, 30), QPointF(66, 24));
    snow.lineTo(QPointF(84, 24));
    snow.cubicTo(QPointF(88, 30), QPointF(92, 36), QPointF(96, 42));
    const double teeth[] = {92, 88, 84, 80, 75, 70, 66, 62, 58};
    for (std::size_t i = 0; i < std::size(teeth); ++i) {
        snow.lineTo(QPointF(teeth[i], i % 2 == 0 ? 34 + rng.range(0, 3) : 44 + rng.range(0, 6)));
    }
    snow.closeSubpath();
    fillPath(p, snow, QColor(250, 252, 255));
    // Kasumi mist in gold across its foot, and a pine in front.
    drawMist(p, QRectF(-10, 70, 80, 8), QColor(240, 214, 150, 210));
    drawMist(p, QRectF(90, 80, 80, 8), QColor(240, 214, 150, 210));
    fillPath(p, hills(rng, 106, 8), QColor(86, 124, 72));
    drawPine(p, QPointF(126, 112), 46, QColor(46, 96, 60), QColor(90, 60, 40));
    p.end();
    return finish(image, 13);
}

QImage flowers() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(14);
    sky(p, QColor(206, 226, 244), QColor(252, 236, 236), 90);
    fillPath(p, hills(rng, 90, 10), QColor(160, 196, 120));
    fillPath(p, hills(rng, 104, 6), QColor(126, 176, 90));
    // A cherry tree: trunk, then a canopy of blossom clusters.
    p.setPen(QPen(QColor(90, 60, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath trunk(QPointF(62, 106));
    trunk.cubicTo(QPointF(66, 90), QPointF(56, 70), QPointF(64, 56));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(90, 60, 50), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(63, 66), QPointF(40, 48));
    p.drawLine(QPointF(64, 60), QPointF(90, 44));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 46; ++i) {
        const double a = rng.range(0, 2 * kPi);
        const double r = std::sqrt(rng.unit());
        const QPointF c(64 + std::cos(a) * r * 44, 44 + std::sin(a) * r * 24);
        p.setBrush(mix(colour::kSakura, Qt::white, rng.range(0, 0.5)));
        p.drawEllipse(c, rng.range(5, 9), rng.range(4, 7));
    }
    for (int i = 0; i < 12; ++i) {
        drawSakura(p, QPointF(rng.range(24, 104), rng.range(26, 64)), rng.range(2.5, 3.6),
                   QColor(250, 206, 218), rng.range(0, 72));
    }
    // Petals drifting down, and a little stand of flowers on the right.
    for (int i = 0; i < 10; ++i) {
        drawSakura(p, QPointF(rng.range(90, 146), rng.range(50, 100)), 2.2, QColor(252, 214, 226),
                   rng.range(0, 72));
    }
    for (int i = 0; i < 9; ++i) {
        const QPointF at(108 + i * 4.5, 104 + rng.range(-3, 3));
        p.setPen(QPen(QColor(70, 120, 60), 1.0));
        p.drawLine(at, at + QPointF(0, 8));
        drawSakura(p, at, 2.6, i % 2 == 0 ? QColor(250, 230, 90) : QColor(255, 255, 250), 0);
    }
    p.end();
    return finish(image, 14);
}

void lantern(QPainter& p, QPointF top, double width, double height, const QString& mark) {
    const QRectF body(top.x() - width / 2, top.y() + 2, width, height);
    QRadialGradient glow(body.center(), width);
    glow.setColorAt(0, QColor(255, 120, 80));
    glow.setColorAt(1, QColor(190, 30, 30));
    p.setPen(QPen(QColor(80, 20, 10), 0.8));
    p.setBrush(glow);
    p.drawRoundedRect(body, width * 0.45, height * 0.3);
    p.setPen(QPen(QColor(120, 30, 20, 150), 0.6));
    for (int i = 1; i < 4; ++i) {
        const double y = body.top() + body.height() * i / 4;
        p.drawLine(QPointF(body.left() + 1, y), QPointF(body.right() - 1, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 30));
    p.drawRect(QRectF(body.left() + width * 0.2, body.top() - 2, width * 0.6, 2.5));
    p.drawRect(QRectF(body.left() + width * 0.2, body.bottom() - 0.5, width * 0.6, 2.5));
    if (!mark.isEmpty()) {
        drawCentred(p, body, mark, font(Face::Mincho, height * 0.55, true), QColor(30, 20, 20));
    }
}

void firework(QPainter& p, QPointF centre, double radius, QColor tone, Rng& rng) {
    const int rays = 22;
    for (int i = 0; i < rays; ++i) {
        const double a = 2 * kPi * i / rays + rng.range(-0.05, 0.05);
        const QPointF dir(std::cos(a), std::sin(a));
        p.setPen(QPen(withAlpha(tone, 200), 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre + dir * radius * 0.35, centre + dir * radius * 0.9);
        p.setPen(Qt::NoPen);
        p.setBrush(tone.lighter(130));
        p.drawEllipse(centre + dir * radius, 1.1, 1.1);
    }
}

QImage festival() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(15);
    sky(p, QColor(16, 20, 52), QColor(60, 40, 90));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor(255, 255, 230, 100 + rng.below(130)));
        p.drawEllipse(QPointF(rng.range(0, kW), rng.range(0, 70)), 0.6, 0.6);
    }
    firework(p, QPointF(36, 30), 22, QColor(250, 200, 80), rng);
    firework(p, QPointF(112, 24), 18, QColor(250, 120, 160), rng);
    firework(p, QPointF(82, 46), 12, QColor(140, 220, 250), rng);
    // Stalls along the bottom, their roofs in silhouette.
    p.setBrush(QColor(26, 20, 36));
    for (int i = 0; i < 4; ++i) {
        const double x = i * 40 - 6;
        QPainterPath roof(QPointF(x, 92));
        roof.lineTo(QPointF(x + 20, 82));
        roof.lineTo(QPointF(x + 42, 92));
        roof.lineTo(QPointF(x + 42, 116));
        roof.lineTo(QPointF(x, 116));
        roof.closeSubpath();
        p.drawPath(roof);
        p.setBrush(QColor(255, 200, 110, 200));
        p.drawRect(QRectF(x + 8, 98, 26, 6));
        p.setBrush(QColor(26, 20, 36));
    }
    // A string of lanterns.
    QPainterPath string(QPointF(-2, 56));
    string.quadTo(QPointF(75, 80), QPointF(152, 56));
    p.setPen(QPen(QColor(30, 20, 20), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(string);
    for (int i = 0; i < 5; ++i) {
        const QPointF at = string.pointAtPercent(0.1 + 0.2 * i);
        lantern(p, at, i == 2 ? 20 : 13, i == 2 ? 24 : 16,
                i == 2 ? QStringLiteral("祭") : QString());
    }
    p.end();
    return finish(image, 15);
}

QImage sea() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    sky(p, QColor(250, 214, 160), QColor(252, 242, 220), 64);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(226, 80, 50));
    p.drawEllipse(QPointF(108, 50), 15, 15);
    drawMist(p, QRectF(70, 44, 70, 5), QColor(252, 240, 220, 220));
    QLinearGradient water(0, 62, 0, 115);
    water.setColorAt(0, QColor(70, 130, 180));
    water.setColorAt(1, QColor(30, 70, 130));
    p.fillRect(QRectF(0, 62, kW, 53), water);
    drawWaves(p, QRectF(0, 88, kW, 27), 8, QColor(230, 242, 250), QColor(44, 92, 150));
    // A boat under sail.
    QPainterPath hull(QPointF(28, 76));
    hull.lineTo(QPointF(58, 76));
    hull.lineTo(QPointF(52, 82));
    hull.lineTo(QPointF(32, 82));
    hull.closeSubpath();
    fillPath(p, hull, QColor(110, 70, 40));
    p.setPen(QPen(QColor(90, 60, 40), 1.0));
    p.drawLine(QPointF(43, 76), QPointF(43, 50));
    p.setPen(QPen(colour::kInkSoft, 0.8));
    p.setBrush(QColor(250, 246, 232));
    p.drawRect(QRectF(34, 52, 18, 20));
    p.setPen(QPen(colour::kPaperDark.darker(115), 0.6));
    for (int i = 1; i < 4; ++i) {
        p.drawLine(QPointF(34 + i * 4.5, 52), QPointF(34 + i * 4.5, 72));
    }
    // Gulls.
    p.setPen(QPen(colour::kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    for (const QPointF& g : {QPointF(80, 30), QPointF(92, 24), QPointF(70, 22)}) {
        QPainterPath gull(g);
        gull.quadTo(g + QPointF(3, -3), g + QPointF(5, 0));
        gull.quadTo(g + QPointF(7, -3), g + QPointF(10, 0));
        p.drawPath(gull);
    }
    p.end();
    return finish(image, 16);
}

void torii(QPainter& p, QPointF base, double width, double height) {
    const QColor red = colour::kVermilion;
    const double post = width * 0.09;
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawRect(QRectF(base.x() - width * 0.34, base.y() - height, post, height));
    p.drawRect(QRectF(base.x() + width * 0.34 - post, base.y() - height, post, height));
    p.drawRect(
        QRectF(base.x() - width * 0.42, base.y() - height * 0.76, width * 0.84, height * 0.07));
    QPainterPath top(QPointF(base.x() - width / 2, base.y() - height * 0.98));
    top.quadTo(QPointF(base.x(), base.y() - height * 0.9),
               QPointF(base.x() + width / 2, base.y() - height * 0.98));
    top.lineTo(QPointF(base.x() + width * 0.46, base.y() - height * 0.88));
    top.quadTo(QPointF(base.x(), base.y() - height * 0.8),
               QPointF(base.x() - width * 0.46, base.y() - height * 0.88));
    top.closeSubpath();
    p.setBrush(QColor(40, 30, 30));
    p.drawPath(top.translated(0, -2));
    p.setBrush(red);
    p.drawPath(top);
}

QImage maple() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(17);
    sky(p, QColor(232, 214, 180), QColor(250, 240, 220), 80);
    fillPath(p, hills(rng, 56, 20), QColor(196, 120, 80));
    fillPath(p, hills(rng, 74, 14), QColor(210, 90, 50));
    fillPath(p, hills(rng, 100, 6), QColor(170, 140, 80));
    // Stone steps up to a torii.
    QPainterPath steps(QPointF(62, 116));
    steps.lineTo(QPointF(70, 84));
    steps.lineTo(QPointF(80, 84));
    steps.lineTo(QPointF(88, 116));
    steps.closeSubpath();
    fillPath(p, steps, QColor(196, 186, 170));
    p.setPen(QPen(QColor(150, 140, 126), 0.8));
    for (int i = 1; i < 6; ++i) {
        const double y = 84 + i * 5.5;
        const double spread = (y - 84) * 0.26;
        p.drawLine(QPointF(70 - spread, y), QPointF(80 + spread, y));
    }
    torii(p, QPointF(75, 86), 40, 40);
    // Maple trees either side, leaves falling.
    const QColor tones[] = {colour::kMomiji, QColor(226, 110, 40), QColor(236, 170, 50),
                            QColor(190, 40, 40)};
    for (int i = 0; i < 40; ++i) {
        const bool left = i % 2 == 0;
        const QPointF at(left ? rng.range(-6, 44) : rng.range(106, 156), rng.range(4, 60));
        drawMaple(p, at, rng.range(6, 10), tones[static_cast<std::size_t>(rng.below(4))],
                  rng.range(-50, 50));
    }
    for (int i = 0; i < 8; ++i) {
        drawMaple(p, QPointF(rng.range(20, 130), rng.range(70, 110)), rng.range(3, 4.5),
                  tones[static_cast<std::size_t>(rng.below(4))], rng.range(-90, 90));
    }
    p.end();
    return finish(image, 17);
}

void house(QPainter& p, QPointF base, double width, double height, bool lit) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 70, 60));
    p.drawRect(QRectF(base.x(), base.y() - height, width, height));
    if (lit) {
        p.setBrush(QColor(255, 210, 120));
        p.drawRect(
            QRectF(base.x() + width * 0.3, base.y() - height * 0.7, width * 0.4, height * 0.35));
    }
    QPainterPath roof(QPointF(base.x() - 4, base.y() - height));
    roof.lineTo(QPointF(base.x() + width / 2, base.y() - height - width * 0.5));
    roof.lineTo(QPointF(base.x() + width + 4, base.y() - height));
    roof.closeSubpath();
    p.setBrush(QColor(248, 250, 255));
    p.setPen(QPen(QColor(170, 180, 200), 0.8));
    p.drawPath(roof);
}

QImage snow() {
    QImage image = newOpaque(kW, kH, Qt::white);
    QPainter p;
    beginPainting(p, image);
    Rng rng(18);
    sky(p, QColor(44, 56, 96), QColor(120, 130, 168), 80);
    fillPath(p, hills(rng, 62, 16), QColor(200, 210, 230));
    fillPath(p, hills(rng, 92, 6), QColor(236, 240, 250));
    house(p, QPointF(20, 92), 26, 14, true);
    house(p, QPointF(60, 88), 20, 11, false);
    house(p, QPointF(100, 94), 30, 15, true);
    drawPine(p, QPointF(138, 100), 40, QColor(40, 80, 70), QColor(70, 50, 40), true);
    QPainterPath ground = hills(rng, 106, 4);
    fillPath(p, ground, QColor(246, 248, 255));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        p.setBrush(QColor(255, 255, 255, 150 + rng.below(100)));
        const double r = rng.range(0.6, 1.5);
        p.drawEllipse(QPointF(rng.range(0, kW), rng.range(0, kH)), r, r);
    }
    p.end();
    return finish(image, 18);
}

}  // namespace

void paintDefaultScenes(ArtworkSet& set) {
    const std::pair<const char*, std::function<QImage()>> scenes[] = {
        {"Forest", forest},     {"River", river}, {"Mountain", mountain}, {"Flowers", flowers},
        {"Festival", festival}, {"Sea", sea},     {"Maple", maple},       {"Snow", snow},
    };
    for (const auto& [name, paint] : scenes) {
        set.addBitmap(std::string("default-images/") + name + ".bmp", paint());
    }
}

}  // namespace banmen::art
