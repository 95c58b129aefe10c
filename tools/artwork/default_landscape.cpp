// A board picture among the default pictures of a new game: an 800 x 600
// landscape through the four seasons with a road winding from a village in
// spring, past the summer sea and the autumn hills, to a shrine in the snow,
// for an author to lay squares along.

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <vector>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

constexpr double kPi = std::numbers::pi;

void seasonTint(QPainter& p, QPointF centre, double radius, QColor tone) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, tone);
    g.setColorAt(1, withAlpha(tone, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

QPainterPath ridge(Rng& rng, double left, double right, double base, double height) {
    QPainterPath path(QPointF(left, base));
    const double f = rng.range(0.012, 0.02);
    const double o = rng.range(0, 2 * kPi);
    for (double x = left; x <= right; x += 4) {
        const double t = (x - left) / (right - left);
        const double envelope = std::sin(t * kPi);
        const double h = envelope * (0.7 + 0.3 * std::sin(x * f * 3 + o)) * height;
        path.lineTo(x, base - h);
    }
    path.lineTo(right, base);
    path.closeSubpath();
    return path;
}

void sea(QPainter& p) {
    QPainterPath water(QPointF(800, 330));
    water.cubicTo(QPointF(700, 350), QPointF(640, 420), QPointF(610, 470));
    water.cubicTo(QPointF(590, 520), QPointF(560, 570), QPointF(540, 600));
    water.lineTo(QPointF(800, 600));
    water.closeSubpath();
    // Sand along the shore first, a little wider than the water.
    p.save();
    p.setPen(QPen(QColor(236, 216, 170), 22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(water);
    p.restore();
    QLinearGradient blue(600, 340, 800, 600);
    blue.setColorAt(0, QColor(110, 170, 210));
    blue.setColorAt(1, QColor(40, 90, 160));
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawPath(water);
    p.save();
    p.setClipPath(water);
    drawWaves(p, QRectF(560, 420, 240, 180), 16, QColor(220, 236, 248, 150),
              QColor(50, 100, 165, 120));
    p.restore();
    // A boat.
    QPainterPath hull(QPointF(690, 392));
    hull.lineTo(QPointF(730, 392));
    hull.lineTo(QPointF(722, 400));
    hull.lineTo(QPointF(697, 400));
    hull.closeSubpath();
    p.setBrush(QColor(110, 70, 40));
    p.drawPath(hull);
    p.setPen(QPen(colour::kInkSoft, 1.0));
    p.setBrush(QColor(250, 246, 232));
    p.drawRect(QRectF(700, 362, 22, 26));
}

void mountains(QPainter& p, Rng& rng) {
    // Winter: a snowy peak and its ridges, top left.
    QPainterPath peak(QPointF(30, 230));
    peak.cubicTo(QPointF(100, 190), QPointF(150, 110), QPointF(175, 70));
    peak.lineTo(QPointF(205, 70));
    peak.cubicTo(QPointF(230, 110), QPointF(290, 190), QPointF(360, 230));
    peak.closeSubpath();
    QLinearGradient rock(0, 70, 0, 230);
    rock.setColorAt(0, QColor(96, 116, 160));
    rock.setColorAt(1, QColor(180, 196, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(rock);
    p.drawPath(peak);
    QPainterPath cap(QPointF(150, 110));
    cap.cubicTo(QPointF(160, 95), QPointF(168, 82), QPointF(175, 70));
    cap.lineTo(QPointF(205, 70));
    cap.cubicTo(QPointF(212, 82), QPointF(220, 95), QPointF(230, 110));
    const double teeth[] = {220, 210, 200, 190, 180, 170, 160};
    for (std::size_t i = 0; i < std::size(teeth); ++i) {
        cap.lineTo(QPointF(teeth[i], i % 2 == 0 ? 96 + rng.range(0, 6) : 118 + rng.range(0, 8)));
    }
    cap.closeSubpath();
    p.setBrush(QColor(252, 253, 255));
    p.drawPath(cap);
    p.setBrush(QColor(214, 224, 240));
    p.drawPath(ridge(rng, -20, 200, 250, 60));
    p.setBrush(QColor(236, 240, 248));
    p.drawPath(ridge(rng, 120, 400, 260, 40));

    // Autumn: red and gold hills, top right.
    p.setBrush(QColor(206, 130, 90));
    p.drawPath(ridge(rng, 430, 820, 220, 110));
    p.setBrush(QColor(222, 100, 60));
    p.drawPath(ridge(rng, 500, 800, 260, 80));
    p.setBrush(QColor(232, 160, 70));
    p.drawPath(ridge(rng, 400, 640, 280, 50));

    drawMist(p, QRectF(20, 200, 220, 16), QColor(240, 214, 150, 200));
    drawMist(p, QRectF(520, 150, 200, 14), QColor(240, 214, 150, 200));
}

QPainterPath riverPath() {
    QPainterPath bed(QPointF(330, 200));
    bed.cubicTo(QPointF(420, 300), QPointF(340, 340), QPointF(400, 400));
    bed.cubicTo(QPointF(460, 460), QPointF(560, 430), QPointF(620, 450));
    return bed;
}

void river(QPainter& p) {
    const QPainterPath bed = riverPath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 170, 200), 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(bed);
    p.setPen(QPen(QColor(170, 210, 232), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(bed);
}

// The road: a sandy band with darker edges.
QPainterPath roadPath() {
    QPainterPath road(QPointF(40, 560));
    road.cubicTo(QPointF(180, 590), QPointF(300, 560), QPointF(400, 520));
    road.cubicTo(QPointF(520, 470), QPointF(560, 380), QPointF(470, 330));
    road.cubicTo(QPointF(380, 290), QPointF(220, 360), QPointF(130, 320));
    road.cubicTo(QPointF(40, 280), QPointF(90, 200), QPointF(250, 240));
    road.cubicTo(QPointF(380, 270), QPointF(440, 180), QPointF(560, 170));
    road.cubicTo(QPointF(660, 160), QPointF(700, 90), QPointF(720, 70));
    return road;
}

void road(QPainter& p) {
    const QPainterPath r = roadPath();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(170, 140, 96), 22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(r);
    p.setPen(QPen(QColor(236, 218, 176), 18, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(r);
    p.setPen(QPen(QColor(214, 190, 140), 1.5, Qt::DashLine, Qt::RoundCap));
    p.drawPath(r);
}

void bridgeAt(QPainter& p, QPointF centre, double angle);

// A red bridge wherever the road crosses the river, its rails along the
// road.
void bridges(QPainter& p) {
    const QPainterPath r = roadPath();
    const QPainterPath bed = riverPath();
    std::vector<QPointF> river;
    for (int k = 0; k <= 300; ++k) {
        river.push_back(bed.pointAtPercent(k / 300.0));
    }
    auto nearRiver = [&](QPointF a) {
        for (const QPointF& b : river) {
            if (std::hypot(a.x() - b.x(), a.y() - b.y()) < 5) {
                return true;
            }
        }
        return false;
    };
    constexpr int kSteps = 1000;
    int runStart = -1;
    for (int i = 0; i <= kSteps + 1; ++i) {
        const bool wet = i <= kSteps && nearRiver(r.pointAtPercent(i / double(kSteps)));
        if (wet && runStart < 0) {
            runStart = i;
        } else if (!wet && runStart >= 0) {
            const double t = (runStart + i - 1) / 2.0 / kSteps;
            bridgeAt(p, r.pointAtPercent(t), -r.angleAtPercent(t));
            runStart = -1;
        }
    }
}

void bridgeAt(QPainter& p, QPointF centre, double angle) {
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.setPen(QPen(QColor(60, 30, 20), 1.0));
    p.setBrush(colour::kVermilion);
    p.drawRect(QRectF(-20, -13, 40, 4));
    p.drawRect(QRectF(-20, 9, 40, 4));
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(-18 + i * 9, -15, 3, 3));
        p.drawRect(QRectF(-18 + i * 9, 12, 3, 3));
    }
    p.restore();
}

void village(QPainter& p, Rng& rng) {
    for (int i = 0; i < 5; ++i) {
        const QPointF base(70 + i * 42 + rng.range(-6, 6), 480 + rng.range(-10, 10));
        const double w = rng.range(24, 32);
        p.setPen(QPen(QColor(80, 60, 50), 1.0));
        p.setBrush(QColor(236, 222, 196));
        p.drawRect(QRectF(base.x(), base.y() - 14, w, 14));
        QPainterPath roof(QPointF(base.x() - 4, base.y() - 14));
        roof.lineTo(QPointF(base.x() + w / 2, base.y() - 28));
        roof.lineTo(QPointF(base.x() + w + 4, base.y() - 14));
        roof.closeSubpath();
        p.setBrush(QColor(110, 90, 80));
        p.drawPath(roof);
    }
}

void shrine(QPainter& p) {
    // A torii with a small hall behind it, at the road's end.
    p.setPen(QPen(QColor(60, 30, 20), 1.0));
    p.setBrush(QColor(236, 222, 196));
    p.drawRect(QRectF(728, 34, 44, 22));
    QPainterPath roof(QPointF(720, 36));
    roof.lineTo(QPointF(750, 18));
    roof.lineTo(QPointF(780, 36));
    roof.closeSubpath();
    p.setBrush(QColor(80, 100, 90));
    p.drawPath(roof);
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kVermilion);
    p.drawRect(QRectF(702, 52, 4, 30));
    p.drawRect(QRectF(730, 52, 4, 30));
    p.drawRect(QRectF(698, 58, 40, 3));
    p.setBrush(QColor(40, 30, 30));
    p.drawRect(QRectF(694, 48, 48, 4));
}

void trees(QPainter& p, Rng& rng) {
    // Spring: cherry trees around the village.
    for (int i = 0; i < 6; ++i) {
        const QPointF base(40 + i * 50 + rng.range(-10, 10), 420 + rng.range(-20, 10));
        p.setPen(QPen(QColor(100, 70, 60), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(base, base + QPointF(0, -18));
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 9; ++k) {
            p.setBrush(mix(colour::kSakura, Qt::white, rng.range(0, 0.5)));
            p.drawEllipse(base + QPointF(rng.range(-14, 14), -24 + rng.range(-10, 8)),
                          rng.range(6, 9), rng.range(5, 7));
        }
    }
    // Summer: pines along the shore.
    const QPointF pines[] = {{560, 560}, {600, 480}, {640, 400}, {700, 330}};
    for (const QPointF& at : pines) {
        drawPine(p, at, 50, QColor(46, 100, 60), QColor(90, 60, 40));
    }
    // Autumn: maples on the hills.
    const QColor tones[] = {colour::kMomiji, QColor(226, 110, 40), QColor(236, 170, 50)};
    for (int i = 0; i < 26; ++i) {
        drawMaple(p, QPointF(rng.range(470, 790), rng.range(180, 300)), rng.range(6, 11),
                  tones[static_cast<std::size_t>(rng.below(3))], rng.range(-40, 40));
    }
    // Winter: snowy pines below the peak.
    for (int i = 0; i < 5; ++i) {
        drawPine(p, QPointF(30 + i * 60 + rng.range(-10, 10), 300 + rng.range(-6, 6)), 40,
                 QColor(40, 86, 70), QColor(80, 56, 40), true);
    }
    for (int i = 0; i < 14; ++i) {
        drawSnowflake(p, QPointF(rng.range(20, 380), rng.range(30, 200)), rng.range(4, 7),
                      QColor(255, 255, 255, 220));
    }
}

}  // namespace

void paintLandscape(ArtworkSet& set) {
    QImage image = newOpaque(800, 600, colour::kPaper);
    fillWashi(image, image.rect(), QColor(238, 236, 210), 8000, 1.0);
    QPainter p;
    beginPainting(p, image);
    Rng rng(8000);
    seasonTint(p, QPointF(150, 470), 300, QColor(180, 214, 140, 150));  // spring meadow
    seasonTint(p, QPointF(700, 520), 260, QColor(150, 200, 170, 110));  // summer
    seasonTint(p, QPointF(640, 200), 260, QColor(230, 170, 110, 130));  // autumn
    seasonTint(p, QPointF(180, 160), 280, QColor(236, 242, 252, 220));  // winter
    mountains(p, rng);
    sea(p);
    river(p);
    road(p);
    bridges(p);
    village(p, rng);
    trees(p, rng);
    shrine(p);
    p.setPen(QPen(colour::kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 799, 599));
    p.end();
    set.addBitmap("default-images/Board.bmp", withoutMagenta(image));
}

}  // namespace banmen::art
