// The board shown while a game has no picture of its own: plain paper with
// the four seasons in its corners, calm enough for squares to be laid on
// it, and a strip at the foot for the line asking for a picture.

#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

void cherryBranch(QPainter& p, Rng& rng) {
    const QColor bark(98, 66, 52);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(bark, 6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath branch(QPointF(-10, 40));
    branch.cubicTo(QPointF(60, 30), QPointF(110, 70), QPointF(200, 58));
    p.drawPath(branch);
    p.setPen(QPen(bark, 3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath twig1(QPointF(80, 46));
    twig1.quadTo(QPointF(100, 85), QPointF(130, 110));
    p.drawPath(twig1);
    QPainterPath twig2(QPointF(140, 62));
    twig2.quadTo(QPointF(160, 30), QPointF(190, 22));
    p.drawPath(twig2);
    const QPointF blossoms[] = {{30, 36},  {58, 48},  {92, 50},  {104, 80}, {128, 106},
                                {150, 60}, {176, 28}, {196, 56}, {72, 22},  {120, 40},
                                {20, 58},  {165, 85}, {206, 24}};
    for (const QPointF& b : blossoms) {
        drawSakura(p, b, rng.range(7, 11), mix(colour::kSakura, Qt::white, rng.range(0, 0.35)),
                   rng.range(0, 72));
    }
    for (int i = 0; i < 7; ++i) {
        drawSakura(p, QPointF(rng.range(60, 260), rng.range(110, 190)), rng.range(3, 4.5),
                   withAlpha(colour::kSakura, 200), rng.range(0, 72));
    }
}

void summerWaves(QPainter& p) {
    // A red sun half-hidden behind waves, in the top-right corner.
    QRadialGradient sun(QPointF(700, 70), 46);
    sun.setColorAt(0, QColor(236, 96, 60, 230));
    sun.setColorAt(1, QColor(214, 69, 42, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(700, 70), 42, 42);
    p.save();
    QPainterPath swell;
    swell.moveTo(548, 206);
    swell.cubicTo(610, 190, 660, 96, 800, 90);
    swell.lineTo(800, 176);
    swell.cubicTo(720, 178, 640, 206, 548, 206);
    swell.closeSubpath();
    p.setClipPath(swell);
    drawWaves(p, QRectF(540, 86, 260, 124), 14, QColor(236, 244, 250), QColor(52, 100, 160));
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 60, 110), 1.5));
    p.drawPath(swell);
    p.restore();
}

void autumnLeaves(QPainter& p, Rng& rng) {
    const QColor tones[] = {colour::kMomiji, QColor(220, 110, 40), QColor(232, 164, 52),
                            QColor(186, 48, 40)};
    const QPointF leaves[] = {{740, 500}, {700, 520}, {760, 460}, {660, 530},
                              {720, 460}, {770, 530}, {690, 480}};
    for (std::size_t i = 0; i < std::size(leaves); ++i) {
        drawMaple(p, leaves[i], rng.range(15, 22), tones[i % 4], rng.range(-40, 40));
    }
    for (int i = 0; i < 4; ++i) {
        drawMaple(p, QPointF(rng.range(560, 650), rng.range(420, 520)), rng.range(7, 10),
                  tones[static_cast<std::size_t>(rng.below(4))], rng.range(-90, 90));
    }
}

void winterSnow(QPainter& p, Rng& rng) {
    drawPine(p, QPointF(78, 552), 130, QColor(46, 96, 70), QColor(86, 60, 44), true);
    for (int i = 0; i < 9; ++i) {
        drawSnowflake(p, QPointF(rng.range(150, 240), rng.range(430, 540)), rng.range(5, 10),
                      QColor(120, 150, 190));
    }
}

}  // namespace

void paintDefaultBoard(ArtworkSet& set) {
    QImage image = newOpaque(800, 600, colour::kPaper);
    fillWashi(image, image.rect(), colour::kPaper, 4005, 1.0);
    QPainter p;
    beginPainting(p, image);
    Rng rng(4005);

    // A faint watermark of the game's name.
    drawCentred(p, QRectF(0, 150, 800, 240), QStringLiteral("雙六"), font(Face::Mincho, 210),
                QColor(120, 90, 60, 22));

    cherryBranch(p, rng);
    summerWaves(p);
    autumnLeaves(p, rng);
    winterSnow(p, rng);

    // Frame, above the strip kept for the line of text at the foot.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kVermilion, 2.0));
    p.drawRect(QRectF(10, 10, 780, 550));
    p.setPen(QPen(colour::kGold, 1.0));
    p.drawRect(QRectF(14.5, 14.5, 771, 541));

    QRectF strip(0, 568, 800, 32);
    p.fillRect(strip, withAlpha(colour::kPaperDark, 150));
    p.setPen(QPen(colour::kGold, 1.0));
    p.drawLine(QPointF(0, 567.5), QPointF(800, 567.5));
    p.end();
    set.addBitmap("bitmaps/4005.bmp", withoutMagenta(image));
}

}  // namespace banmen::art
