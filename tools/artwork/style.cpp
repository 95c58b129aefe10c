#include "style.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace banmen::art {
namespace {

constexpr double kPi = std::numbers::pi;

int clampByte(double v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0)));
}

// Smooth random values on a grid of `cell` pixels, read with bilinear
// interpolation.
class ValueNoise {
  public:
    ValueNoise(int width, int height, int cell, Rng& rng)
        : cell_(cell), columns_(width / cell + 2), rows_(height / cell + 2) {
        values_.resize(static_cast<std::size_t>(columns_ * rows_));
        for (double& v : values_) {
            v = rng.unit();
        }
    }
    double at(int x, int y) const {
        const double fx = static_cast<double>(x) / cell_;
        const double fy = static_cast<double>(y) / cell_;
        const int ix = static_cast<int>(fx);
        const int iy = static_cast<int>(fy);
        const double tx = smooth(fx - ix);
        const double ty = smooth(fy - iy);
        const double top = value(ix, iy) * (1 - tx) + value(ix + 1, iy) * tx;
        const double bottom = value(ix, iy + 1) * (1 - tx) + value(ix + 1, iy + 1) * tx;
        return top * (1 - ty) + bottom * ty;
    }

  private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double value(int x, int y) const {
        return values_[static_cast<std::size_t>(std::min(y, rows_ - 1) * columns_ +
                                                std::min(x, columns_ - 1))];
    }
    int cell_;
    int columns_;
    int rows_;
    std::vector<double> values_;
};

}  // namespace

QColor playerColour(int player) {
    static const std::array<QColor, 4> kColours{QColor(206, 52, 44), QColor(44, 96, 190),
                                                QColor(46, 146, 70), QColor(238, 184, 24)};
    return kColours[static_cast<std::size_t>(std::clamp(player, 0, 3))];
}

Rng::Rng(std::uint32_t seed) : state_(0x9E3779B97F4A7C15ull ^ seed) {}

std::uint32_t Rng::next() {
    // splitmix64
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

double Rng::unit() {
    return next() / 4294967296.0;
}

double Rng::range(double low, double high) {
    return low + (high - low) * unit();
}

int Rng::below(int n) {
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<unsigned>(n));
}

bool loadFonts(std::string& missing) {
    const char* const kFiles[] = {
        "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
        "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
        "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf",
        "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf",
    };
    for (const char* file : kFiles) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0) {
            missing = file;
            return false;
        }
    }
    return true;
}

QFont font(Face face, double pixelSize, bool bold) {
    static const char* const kFamilies[] = {"IPAGothic", "IPAPGothic", "IPAMincho", "IPAPMincho"};
    QFont f(QString::fromLatin1(kFamilies[static_cast<int>(face)]));
    f.setPixelSize(static_cast<int>(std::lround(pixelSize)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage newCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage newOpaque(int width, int height, QColor fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void beginPainting(QPainter& painter, QImage& image) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage keyMagenta(const QImage& canvas) {
    const QImage source = canvas.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 128) {
                line[x] = qRgb(255, 0, 255);
                continue;
            }
            const double k = 255.0 / a;
            int r = clampByte(qRed(in[x]) * k);
            const int g = clampByte(qGreen(in[x]) * k);
            const int b = clampByte(qBlue(in[x]) * k);
            if (r == 255 && g == 0 && b == 255) {
                r = 254;
            }
            line[x] = qRgb(r, g, b);
        }
    }
    return out;
}

QImage withoutMagenta(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFFu) == 0xFF00FFu) {
                line[x] = qRgb(254, 0, 255);
            }
        }
    }
    return out;
}

QColor mix(QColor a, QColor b, double t) {
    return QColor(clampByte(a.red() + (b.red() - a.red()) * t),
                  clampByte(a.green() + (b.green() - a.green()) * t),
                  clampByte(a.blue() + (b.blue() - a.blue()) * t),
                  clampByte(a.alpha() + (b.alpha() - a.alpha()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

void fillWashi(QImage& image, const QRect& rect, QColor base, std::uint32_t seed, double strength) {
    Rng rng(seed);
    const QRect area = rect.intersected(image.rect());
    ValueNoise coarse(area.width(), area.height(), 29, rng);
    ValueNoise fine(area.width(), area.height(), 6, rng);
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double n = (coarse.at(x - area.left(), y - area.top()) - 0.5) * 10.0 +
                             (fine.at(x - area.left(), y - area.top()) - 0.5) * 5.0 +
                             (rng.unit() - 0.5) * 3.0;
            const double d = n * strength;
            const QRgb rgb = qRgb(clampByte(base.red() + d), clampByte(base.green() + d),
                                  clampByte(base.blue() + d * 1.1));
            line[x] = premultiplied ? (rgb | 0xFF000000u) : rgb;
        }
    }
    // Fibres: short light and dark curls laid into the paper.
    QPainter painter;
    beginPainting(painter, image);
    painter.setClipRect(area);
    const int fibres = static_cast<int>(area.width() * area.height() / 700.0 * strength);
    for (int i = 0; i < fibres; ++i) {
        const QPointF start(area.left() + rng.range(0, area.width()),
                            area.top() + rng.range(0, area.height()));
        const double angle = rng.range(0, 2 * kPi);
        const double length = rng.range(5, 22);
        const QPointF end = start + QPointF(std::cos(angle), std::sin(angle)) * length;
        const QPointF bend = (start + end) / 2 + QPointF(rng.range(-4, 4), rng.range(-4, 4));
        QPainterPath fibre(start);
        fibre.quadTo(bend, end);
        const bool light = rng.below(3) != 0;
        const QColor tone = light ? base.lighter(106) : base.darker(109);
        painter.setPen(QPen(withAlpha(tone, 70 + rng.below(70)), rng.range(0.5, 1.0)));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(fibre);
    }
}

void addGrain(QImage& image, std::uint32_t seed, double strength) {
    Rng rng(seed);
    ValueNoise coarse(image.width(), image.height(), 23, rng);
    ValueNoise fine(image.width(), image.height(), 5, rng);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double d = ((coarse.at(x, y) - 0.5) * 8.0 + (fine.at(x, y) - 0.5) * 5.0 +
                              (rng.unit() - 0.5) * 3.0) *
                             strength;
            const QRgb c = line[x];
            line[x] = qRgba(clampByte(qRed(c) + d), clampByte(qGreen(c) + d),
                            clampByte(qBlue(c) + d), qAlpha(c));
        }
    }
}

namespace {

// Where to put the baseline so that the ink of `text` sits in the middle of
// `box`, on whole pixels.
QPointF inkOrigin(const QRectF& box, const QString& text, const QFont& face) {
    const QRectF ink = QFontMetricsF(face).tightBoundingRect(text);
    return QPointF(std::round(box.center().x() - ink.center().x()),
                   std::round(box.center().y() - ink.center().y()));
}

}  // namespace

void drawCentred(QPainter& painter, const QRectF& box, const QString& text, const QFont& face,
                 QColor colour) {
    painter.save();
    painter.setFont(face);
    painter.setPen(colour);
    painter.drawText(inkOrigin(box, text, face), text);
    painter.restore();
}

void drawOutlined(QPainter& painter, const QRectF& box, const QString& text, const QFont& face,
                  QColor colour, QColor outline) {
    painter.save();
    painter.setFont(face);
    painter.setPen(outline);
    const QPointF origin = inkOrigin(box, text, face);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (dx != 0 || dy != 0) {
                painter.drawText(origin + QPointF(dx, dy), text);
            }
        }
    }
    painter.setPen(colour);
    painter.drawText(origin, text);
    painter.restore();
}

void drawSakura(QPainter& painter, QPointF centre, double radius, QColor petal, double turn) {
    const double r = radius;
    QPainterPath one;
    one.moveTo(0, 0);
    one.cubicTo(-0.62 * r, -0.28 * r, -0.52 * r, -0.96 * r, -0.17 * r, -1.0 * r);
    one.lineTo(0, -0.84 * r);
    one.lineTo(0.17 * r, -1.0 * r);
    one.cubicTo(0.52 * r, -0.96 * r, 0.62 * r, -0.28 * r, 0, 0);
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(QPen(petal.darker(118), std::max(0.6, r / 14)));
    painter.setBrush(petal);
    for (int i = 0; i < 5; ++i) {
        painter.drawPath(one);
        painter.rotate(72);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(petal.lighter(108));
    painter.drawEllipse(QPointF(0, 0), r * 0.3, r * 0.3);
    painter.setBrush(QColor(196, 60, 96));
    painter.drawEllipse(QPointF(0, 0), r * 0.14, r * 0.14);
    if (r >= 7) {
        painter.setPen(QPen(QColor(200, 70, 100), std::max(0.6, r / 18)));
        for (int i = 0; i < 5; ++i) {
            const double a = (i * 72 + 36) * kPi / 180;
            const QPointF tip(std::sin(a) * r * 0.42, -std::cos(a) * r * 0.42);
            painter.drawLine(QPointF(0, 0), tip);
        }
    }
    painter.restore();
}

void drawMaple(QPainter& painter, QPointF centre, double radius, QColor leaf, double turn) {
    // Seven lobes: the top one longest, the two at the stem short.
    static const double kAngles[] = {-135, -95, -48, 0, 48, 95, 135};
    static const double kLengths[] = {0.45, 0.8, 0.95, 1.0, 0.95, 0.8, 0.45};
    QPainterPath path;
    const double r = radius;
    auto polar = [r](double degrees, double length) {
        const double a = degrees * kPi / 180;
        return QPointF(std::sin(a) * r * length, -std::cos(a) * r * length);
    };
    path.moveTo(polar(180, 0.12));
    for (int i = 0; i < 7; ++i) {
        const double a = kAngles[i];
        const double half = i == 0 ? 22 : (a - kAngles[i - 1]) / 2;
        path.lineTo(polar(a - half, 0.3));
        path.lineTo(polar(a - 9, kLengths[i] * 0.62));
        path.lineTo(polar(a, kLengths[i]));
        path.lineTo(polar(a + 9, kLengths[i] * 0.62));
    }
    path.lineTo(polar(157, 0.3));
    path.closeSubpath();
    painter.save();
    painter.translate(centre);
    painter.rotate(turn);
    painter.setPen(QPen(leaf.darker(135), std::max(0.6, r / 16)));
    painter.setBrush(leaf);
    painter.drawPath(path);
    painter.setPen(QPen(leaf.darker(125), std::max(0.5, r / 20)));
    for (int i = 1; i < 6; ++i) {
        painter.drawLine(QPointF(0, 0), polar(kAngles[i], kLengths[i] * 0.8));
    }
    painter.drawLine(QPointF(0, 0), polar(180, 0.55));
    painter.restore();
}

void drawSnowflake(QPainter& painter, QPointF centre, double radius, QColor line) {
    painter.save();
    painter.translate(centre);
    painter.setPen(QPen(line, std::max(0.8, radius / 7), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        painter.drawLine(QPointF(0, 0), QPointF(0, -radius));
        const double b = radius * 0.55;
        const double w = radius * 0.28;
        painter.drawLine(QPointF(0, -b), QPointF(-w, -b - w));
        painter.drawLine(QPointF(0, -b), QPointF(w, -b - w));
        painter.rotate(60);
    }
    painter.restore();
}

void drawWaves(QPainter& painter, const QRectF& rect, double radius, QColor line, QColor fill) {
    painter.save();
    if (painter.hasClipping()) {
        painter.setClipRect(rect, Qt::IntersectClip);
    } else {
        painter.setClipRect(rect);
    }
    painter.setPen(QPen(line, std::max(0.6, radius / 9)));
    const double rowStep = radius / 2;
    int row = 0;
    for (double y = rect.top(); y <= rect.bottom() + radius; y += rowStep, ++row) {
        const double shift = (row % 2) * radius;
        for (double x = rect.left() - 2 * radius + shift; x <= rect.right() + radius;
             x += 2 * radius) {
            for (int ring = 0; ring < 4; ++ring) {
                const double rr = radius * (1.0 - ring * 0.25);
                painter.setBrush(ring == 0 ? QBrush(fill) : QBrush(Qt::NoBrush));
                if (ring == 0 && fill.alpha() == 0) {
                    painter.setBrush(Qt::NoBrush);
                }
                painter.drawChord(QRectF(x - rr, y - rr, 2 * rr, 2 * rr), 0, 180 * 16);
            }
        }
    }
    painter.restore();
}

void drawPine(QPainter& painter, QPointF base, double height, QColor needles, QColor trunk,
              bool snow) {
    painter.save();
    const double h = height;
    painter.setPen(QPen(trunk, std::max(1.0, h / 16), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath stem(base);
    stem.cubicTo(base + QPointF(h * 0.16, -h * 0.3), base + QPointF(-h * 0.14, -h * 0.55),
                 base + QPointF(h * 0.04, -h * 0.9));
    painter.drawPath(stem);
    painter.setPen(QPen(trunk, std::max(0.8, h / 30), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(base + QPointF(-h * 0.02, -h * 0.42), base + QPointF(-h * 0.26, -h * 0.46));
    painter.drawLine(base + QPointF(h * 0.0, -h * 0.62), base + QPointF(h * 0.24, -h * 0.66));
    // Flat pads of needles, each a row of bumps over a shallow curve.
    const double pads[][3] = {
        {-0.22, 0.44, 0.26}, {0.2, 0.64, 0.24}, {-0.04, 0.84, 0.2}, {0.04, 0.98, 0.12}};
    for (const auto& pad : pads) {
        const QPointF c = base + QPointF(h * pad[0], -h * pad[1]);
        const double w = h * pad[2];
        const double t = w * 0.5;
        QPainterPath cloud(c + QPointF(-w, 0));
        const int bumps = 4;
        for (int i = 0; i < bumps; ++i) {
            const double x0 = -w + 2 * w * i / bumps;
            const double x1 = -w + 2 * w * (i + 1) / bumps;
            const double lift = t * (i == 0 || i == bumps - 1 ? 0.8 : 1.1);
            cloud.cubicTo(c + QPointF(x0, -lift), c + QPointF(x1, -lift), c + QPointF(x1, 0));
        }
        cloud.quadTo(c + QPointF(0, t * 0.7), c + QPointF(-w, 0));
        painter.setPen(QPen(needles.darker(140), std::max(0.6, h / 50)));
        painter.setBrush(needles);
        painter.drawPath(cloud);
        // The lit (or snowed-on) top of the pad.
        painter.setPen(Qt::NoPen);
        painter.setBrush(snow ? QColor(250, 251, 255) : needles.lighter(122));
        painter.drawPath(cloud.subtracted(cloud.translated(0, snow ? t * 0.28 : t * 0.3)));
    }
    painter.restore();
}

void drawCedar(QPainter& painter, QPointF base, double height, QColor tone) {
    const double w = height * 0.3;
    QPainterPath cone;
    cone.moveTo(base + QPointF(0, -height));
    const int tiers = 5;
    for (int i = 1; i <= tiers; ++i) {
        const double t = static_cast<double>(i) / tiers;
        cone.lineTo(base + QPointF(w * t, -height * (1 - t) - height * 0.02));
        if (i < tiers) {
            cone.lineTo(base + QPointF(w * t * 0.62, -height * (1 - t) - height * 0.06));
        }
    }
    for (int i = tiers; i >= 1; --i) {
        const double t = static_cast<double>(i) / tiers;
        if (i < tiers) {
            cone.lineTo(base + QPointF(-w * t * 0.62, -height * (1 - t) - height * 0.06));
        }
        cone.lineTo(base + QPointF(-w * t, -height * (1 - t) - height * 0.02));
    }
    cone.closeSubpath();
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(tone.darker(160));
    painter.drawRect(
        QRectF(base.x() - height * 0.025, base.y() - height * 0.1, height * 0.05, height * 0.1));
    painter.setBrush(tone);
    painter.drawPath(cone);
    // Light from the left.
    painter.setClipPath(cone);
    painter.setBrush(tone.lighter(118));
    painter.drawRect(QRectF(base.x() - w, base.y() - height, w, height));
    painter.restore();
}

void drawMist(QPainter& painter, const QRectF& band, QColor tone) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(tone);
    const double r = band.height() / 2;
    painter.drawRoundedRect(band, r, r);
    painter.restore();
}

void drawPips(QPainter& painter, QPointF topLeft, double side, int face, QColor pip, QColor one) {
    auto at = [&](double fx, double fy) { return topLeft + QPointF(side * fx, side * fy); };
    painter.save();
    painter.setPen(Qt::NoPen);
    if (face == 1) {
        QRadialGradient glow(at(0.46, 0.44), side * 0.2);
        glow.setColorAt(0, one.lighter(125));
        glow.setColorAt(1, one);
        painter.setBrush(glow);
        painter.drawEllipse(at(0.5, 0.5), side * 0.19, side * 0.19);
        painter.restore();
        return;
    }
    const double r = side * 0.095;
    const double lo = 0.25;
    const double hi = 0.75;
    std::vector<QPointF> spots;
    if (face == 2) {
        spots = {at(hi, lo), at(lo, hi)};
    } else if (face == 3) {
        spots = {at(hi, lo), at(0.5, 0.5), at(lo, hi)};
    } else if (face == 4) {
        spots = {at(lo, lo), at(hi, lo), at(lo, hi), at(hi, hi)};
    } else if (face == 5) {
        spots = {at(lo, lo), at(hi, lo), at(0.5, 0.5), at(lo, hi), at(hi, hi)};
    } else {
        spots = {at(lo, lo), at(hi, lo), at(lo, 0.5), at(hi, 0.5), at(lo, hi), at(hi, hi)};
    }
    painter.setBrush(pip);
    for (const QPointF& p : spots) {
        painter.drawEllipse(p, r, r);
    }
    painter.restore();
}

}  // namespace banmen::art
