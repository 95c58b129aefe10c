#include "sample_pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <string>

#include "model/text_field.h"
#include "platform/sjis.h"
#include "style.h"

namespace banmen::sample {
namespace {

using namespace banmen::art;

constexpr double kPi = std::numbers::pi;
constexpr int kBoardWidth = 800;
constexpr int kBoardHeight = 600;

QString recordText(std::string_view cp932) {
    return QString::fromStdString(sjis::toUtf8Lossy(cp932));
}

// The tile's centre: the piece stands on the square's point, the tile
// lies just above it where the editor's marker is.
QPointF tileCentre(const SquareDef& square) {
    return {static_cast<double>(square.x), square.y - 6.0};
}

QColor tileColour(std::int32_t kind) {
    switch (kind) {
        case kSquareLucky:
            return {248, 196, 204};
        case kSquareUnlucky:
            return {146, 160, 196};
        case kSquareRest:
            return {178, 212, 156};
        case kSquareStart:
            return {104, 178, 106};
        case kSquareGoal:
            return {242, 200, 84};
        case kSquareRetire:
            return {150, 108, 172};
        default:
            return {252, 248, 238};
    }
}

// The seasons from the foot of the board to the top, one band per row.
void paintSeasons(QImage& image) {
    QPainter p;
    beginPainting(p, image);
    QLinearGradient bands(0, 0, 0, kBoardHeight);
    bands.setColorAt(0.00, QColor(250, 238, 206));  // New Year: gold paper
    bands.setColorAt(0.20, QColor(248, 240, 220));
    bands.setColorAt(0.33, QColor(226, 234, 246));  // winter: snow light
    bands.setColorAt(0.50, QColor(246, 222, 190));  // autumn: ochre
    bands.setColorAt(0.68, QColor(212, 234, 244));  // summer: sea light
    bands.setColorAt(0.86, QColor(228, 242, 212));  // spring: young green
    bands.setColorAt(1.00, QColor(244, 232, 232));
    p.fillRect(image.rect(), bands);
    p.end();
}

void paintDecorations(QImage& image) {
    QPainter p;
    beginPainting(p, image);
    Rng rng(2026);
    // Spring: blossoms along the foot.
    for (int i = 0; i < 26; ++i) {
        drawSakura(p, QPointF(rng.range(10, 790), rng.range(580, 596)), rng.range(3, 6),
                   withAlpha(colour::kSakura, 200), rng.range(0, 72));
    }
    // Summer: a river from the left under the log bridge, waves elsewhere.
    QPainterPath river;
    river.moveTo(0, 478);
    river.cubicTo(QPointF(150, 470), QPointF(260, 500), QPointF(420, 486));
    river.cubicTo(QPointF(560, 474), QPointF(680, 500), QPointF(800, 484));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 176, 214, 150), 18, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(river);
    p.setPen(QPen(QColor(236, 246, 252, 200), 2));
    p.drawPath(river.translated(0, -2));
    // Autumn: leaves drifting between the rows.
    const QColor leaves[] = {colour::kMomiji, QColor(224, 120, 44), QColor(236, 170, 52)};
    for (int i = 0; i < 22; ++i) {
        drawMaple(p, QPointF(rng.range(10, 790), rng.range(350, 372)), rng.range(4, 7),
                  withAlpha(leaves[i % 3], 170), rng.range(-60, 60));
    }
    // Winter: snow.
    for (int i = 0; i < 30; ++i) {
        drawSnowflake(p, QPointF(rng.range(10, 790), rng.range(238, 292)), rng.range(3, 5),
                      QColor(150, 176, 214, 160));
    }
    // New Year: a red sun rising behind the title.
    QRadialGradient sun(QPointF(400, 60), 70);
    sun.setColorAt(0, QColor(236, 96, 60, 70));
    sun.setColorAt(1, QColor(236, 96, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(400, 60), 70, 70);
    p.end();
}

void drawRoad(QPainter& p, QPointF from, QPointF to, bool path) {
    const double width = path ? 9 : 15;
    p.setPen(QPen(QColor(150, 118, 80), width + 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(path ? QColor(196, 176, 132) : QColor(232, 214, 170), width, Qt::SolidLine,
                  Qt::RoundCap));
    p.drawLine(from, to);
}

// A dotted arc with an arrowhead, for a jump the board should show.
void drawJump(QPainter& p, QPointF from, QPointF to, QColor tone) {
    const QPointF middle = (from + to) / 2;
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    if (length < 1) {
        return;
    }
    const QPointF normal(-along.y() / length, along.x() / length);
    const QPointF control = middle + normal * std::min(60.0, length / 3);
    QPainterPath arc(from);
    arc.quadTo(control, to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone, 2.2, Qt::DotLine, Qt::RoundCap));
    p.drawPath(arc);
    // The head, along the last piece of the arc, short of the tile.
    const QPointF tip = arc.pointAtPercent(0.9);
    const QPointF back = arc.pointAtPercent(0.84);
    const double angle = std::atan2(tip.y() - back.y(), tip.x() - back.x());
    QPolygonF head;
    head << tip << tip - QPointF(std::cos(angle - 0.45), std::sin(angle - 0.45)) * 9
         << tip - QPointF(std::cos(angle + 0.45), std::sin(angle + 0.45)) * 9;
    p.setPen(Qt::NoPen);
    p.setBrush(tone);
    p.drawPolygon(head);
}

void drawTile(QPainter& p, const SquareDef& square, int number) {
    const QPointF centre = tileCentre(square);
    const bool goal = square.kind == kSquareGoal;
    const double rx = goal ? 24 : 20;
    const double ry = goal ? 15 : 12;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 44, 30, 70));
    p.drawEllipse(centre + QPointF(1.5, 2.5), rx, ry);
    QRadialGradient face(centre - QPointF(rx / 3, ry / 2), rx * 1.4);
    face.setColorAt(0, tileColour(square.kind).lighter(118));
    face.setColorAt(1, tileColour(square.kind));
    p.setBrush(face);
    p.setPen(QPen(colour::kInk, 1.4));
    p.drawEllipse(centre, rx, ry);
    drawCentred(p, QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry),
                QString::number(number), font(Face::Gothic, 11, true), colour::kInk);
    drawOutlined(p, QRectF(centre.x() - 40, square.y + 8, 80, 14),
                 recordText(fieldText(square.name)), font(Face::Gothic, 11), colour::kInk,
                 QColor(255, 252, 244));
}

void drawTitle(QPainter& p) {
    const QRectF box(290, 6, 220, 40);
    p.setPen(QPen(colour::kVermilion, 2));
    p.setBrush(QColor(255, 250, 238, 230));
    p.drawRoundedRect(box, 8, 8);
    p.setPen(QPen(colour::kGold, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 6, 6);
    drawCentred(p, box, QStringLiteral("四季めぐり雙六"), font(Face::Mincho, 24), colour::kInk);
}

void drawSeasonMarks(QPainter& p, const GameRecord& record) {
    // A roundel with the season's character at the end where each row starts.
    const char* const kSeasons[] = {"春", "夏", "秋", "冬", "正"};
    const QColor tones[] = {colour::kSakura.darker(130), colour::kIndigo, colour::kMomiji,
                            QColor(110, 140, 190), colour::kVermilion};
    constexpr int kRowLength = 12;
    for (int row = 0; row < 5; ++row) {
        const SquareDef& first = record.squares[row * kRowLength];
        const double x = first.x < 400 ? 20 : 780;
        const QPointF centre(x, first.y - 6.0);
        p.setPen(QPen(colour::kInk, 1));
        p.setBrush(tones[row]);
        p.drawEllipse(centre, 15, 15);
        drawCentred(p, QRectF(centre.x() - 15, centre.y() - 15, 30, 30),
                    QString::fromUtf8(kSeasons[row]), font(Face::Mincho, 17, true), Qt::white);
    }
}

void drawTorii(QPainter& p, QPointF foot) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kVermilion);
    p.drawRect(QRectF(foot.x() - 13, foot.y() - 40, 3.5, 40));
    p.drawRect(QRectF(foot.x() + 9.5, foot.y() - 40, 3.5, 40));
    p.drawRect(QRectF(foot.x() - 16, foot.y() - 33, 32, 3.5));
    p.setBrush(colour::kInk);
    p.drawRect(QRectF(foot.x() - 20, foot.y() - 42, 40, 4));
}

}  // namespace

QImage paintBoard(const GameRecord& record) {
    QImage image = newOpaque(kBoardWidth, kBoardHeight, colour::kPaper);
    paintSeasons(image);
    addGrain(image, 2026, 0.7);
    paintDecorations(image);

    QPainter p;
    beginPainting(p, image);
    drawTitle(p);
    drawTorii(p, QPointF(776, 82));
    // Roads first, then the jumps the board points out, then the tiles.
    for (const SquareDef& square : record.squares) {
        if (!inUse(square)) {
            continue;
        }
        for (const std::int32_t next : square.nextSquares) {
            if (next >= 0) {
                const SquareDef& target = record.squares[next];
                // Short cuts and detours are narrow paths.
                const bool path = std::abs(target.y - square.y) < 100 && target.y != square.y;
                drawRoad(p, tileCentre(square), tileCentre(target), path);
            }
        }
    }
    for (const SquareDef& square : record.squares) {
        if (!inUse(square)) {
            continue;
        }
        if (square.passJump >= 0) {
            drawJump(p, tileCentre(square), tileCentre(record.squares[square.passJump]),
                     colour::kIndigo);
        }
        if (square.arrivalJump >= 0) {
            drawJump(p, tileCentre(square), tileCentre(record.squares[square.arrivalJump]),
                     colour::kVermilion);
        }
    }
    drawSeasonMarks(p, record);
    for (int s = 0; s < kSquareCount; ++s) {
        if (inUse(record.squares[s])) {
            drawTile(p, record.squares[s], s + 1);
        }
    }
    p.end();
    return withoutMagenta(image);
}

QImage paintHelpPicture(const QImage& board) {
    QImage image = board.scaled(500, 375, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
    QPainter p;
    beginPainting(p, image);
    auto note = [&](QRectF box, const char* text, QColor tone) {
        p.setPen(QPen(tone, 2));
        p.setBrush(QColor(255, 252, 240, 235));
        p.drawRoundedRect(box, 6, 6);
        drawCentred(p, box, QString::fromUtf8(text), font(Face::Gothic, 13, true), colour::kInk);
    };
    // In the gaps between the rows, clear of the squares.
    note(QRectF(8, 4, 168, 24), "思い出を集めよう！", colour::kMomiji);
    note(QRectF(330, 4, 150, 24), "神社でゴール", colour::kVermilion);
    note(QRectF(250, 292, 236, 26), "丸木橋は近道（１で落ちる）", colour::kIndigo);
    note(QRectF(8, 294, 120, 24), "ここから出発", QColor(104, 178, 106));
    p.setPen(QPen(colour::kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 498, 373));
    p.end();
    return withoutMagenta(image);
}

namespace {

constexpr int kW = 320;
constexpr int kH = 200;

QImage framed(QImage image, const char* caption, std::uint32_t seed) {
    addGrain(image, seed, 0.6);
    QPainter p;
    beginPainting(p, image);
    if (caption != nullptr) {
        const QRectF box(kW - 112, kH - 38, 100, 28);
        p.setPen(QPen(colour::kGold, 1.5));
        p.setBrush(QColor(36, 26, 24, 200));
        p.drawRoundedRect(box, 5, 5);
        drawCentred(p, box, QString::fromUtf8(caption), font(Face::Mincho, 17), colour::kGoldLight);
    }
    p.setPen(QPen(colour::kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, kW - 2, kH - 2));
    p.end();
    return withoutMagenta(image);
}

QPainterPath hills(double base, double height, double f1, double f2, double phase) {
    QPainterPath path(QPointF(0, kH));
    for (int x = 0; x <= kW; x += 4) {
        const double h = (std::sin(x * f1 + phase) * 0.6 + std::sin(x * f2) * 0.4 + 1) / 2;
        path.lineTo(x, base - h * height);
    }
    path.lineTo(kW, kH);
    path.closeSubpath();
    return path;
}

}  // namespace

QImage paintHanami() {
    QImage image = newOpaque(kW, kH, QColor(206, 230, 246));
    QPainter p;
    beginPainting(p, image);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0, QColor(176, 212, 240));
    sky.setColorAt(1, QColor(236, 244, 248));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 196, 110));
    p.drawPath(hills(170, 30, 0.02, 0.05, 1.0));
    // The tree: a trunk and a cloud of blossom.
    p.setPen(QPen(QColor(96, 66, 50), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(120, 190), QPointF(128, 110));
    p.setPen(QPen(QColor(96, 66, 50), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(126, 130), QPointF(80, 90));
    p.drawLine(QPointF(128, 120), QPointF(180, 84));
    Rng rng(301);
    for (int i = 0; i < 160; ++i) {
        const double angle = rng.range(0, 2 * kPi);
        const double r = std::sqrt(rng.unit());
        const QPointF at(128 + std::cos(angle) * r * 95, 78 + std::sin(angle) * r * 52);
        drawSakura(p, at, rng.range(4, 7), mix(colour::kSakura, Qt::white, rng.range(0, 0.5)),
                   rng.range(0, 72));
    }
    // A picnic mat and lanterns.
    p.setPen(QPen(colour::kInk, 1));
    p.setBrush(colour::kVermilion);
    p.drawRect(QRectF(180, 160, 90, 22));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(QColor(250, 236, 200));
        p.drawEllipse(QPointF(200 + i * 28, 30), 7, 10);
    }
    p.end();
    return framed(image, "お花見", 301);
}

QImage paintHanabi() {
    QImage image = newOpaque(kW, kH, QColor(18, 22, 52));
    QPainter p;
    beginPainting(p, image);
    QLinearGradient night(0, 0, 0, kH);
    night.setColorAt(0, QColor(10, 12, 36));
    night.setColorAt(1, QColor(40, 40, 84));
    p.fillRect(image.rect(), night);
    Rng rng(302);
    const QPointF bursts[] = {{90, 70}, {210, 55}, {265, 110}, {150, 120}};
    const QColor tones[] = {QColor(255, 120, 120), QColor(255, 214, 110), QColor(140, 220, 255),
                            QColor(200, 150, 255)};
    for (int b = 0; b < 4; ++b) {
        const double radius = rng.range(32, 48);
        for (int ray = 0; ray < 36; ++ray) {
            const double angle = ray * 2 * kPi / 36;
            const QPointF end = bursts[b] + QPointF(std::cos(angle), std::sin(angle)) * radius;
            p.setPen(QPen(withAlpha(tones[b], 200), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(bursts[b] + (end - bursts[b]) * 0.3, end);
            p.setPen(Qt::NoPen);
            p.setBrush(tones[b].lighter(130));
            p.drawEllipse(end, 1.8, 1.8);
        }
    }
    // Stalls with lanterns along the foot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 24, 22));
    p.drawRect(QRectF(0, 170, kW, 30));
    for (int i = 0; i < 9; ++i) {
        p.setBrush(QColor(255, 150, 70));
        p.drawEllipse(QPointF(20 + i * 36, 168), 6, 8);
    }
    p.end();
    return framed(image, "花火", 302);
}

QImage paintMomiji() {
    QImage image = newOpaque(kW, kH, QColor(250, 226, 190));
    QPainter p;
    beginPainting(p, image);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0, QColor(180, 210, 236));
    sky.setColorAt(1, QColor(250, 228, 196));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 92, 48));
    p.drawPath(hills(120, 50, 0.018, 0.05, 0.3));
    p.setBrush(QColor(226, 134, 52));
    p.drawPath(hills(160, 40, 0.025, 0.07, 2.0));
    p.setBrush(QColor(186, 60, 40));
    p.drawPath(hills(196, 30, 0.03, 0.09, 4.0));
    Rng rng(303);
    const QColor leaves[] = {colour::kMomiji, QColor(236, 170, 52), QColor(214, 80, 40)};
    for (int i = 0; i < 40; ++i) {
        drawMaple(p, QPointF(rng.range(10, 310), rng.range(10, 150)), rng.range(5, 10),
                  leaves[i % 3], rng.range(-80, 80));
    }
    p.end();
    return framed(image, "紅葉狩り", 303);
}

QImage paintHinode() {
    QImage image = newOpaque(kW, kH, QColor(250, 210, 170));
    QPainter p;
    beginPainting(p, image);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0, QColor(64, 72, 128));
    sky.setColorAt(0.55, QColor(246, 170, 120));
    sky.setColorAt(1, QColor(252, 226, 180));
    p.fillRect(image.rect(), sky);
    QRadialGradient sun(QPointF(160, 118), 40);
    sun.setColorAt(0, QColor(255, 120, 60));
    sun.setColorAt(1, QColor(232, 60, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(160, 118), 32, 32);
    // A snowy peak in front of the sun, mist at its feet.
    QPainterPath peak(QPointF(40, 200));
    peak.lineTo(170, 96);
    peak.lineTo(300, 200);
    peak.closeSubpath();
    p.setBrush(QColor(70, 84, 130));
    p.drawPath(peak);
    QPainterPath snow(QPointF(146, 116));
    snow.lineTo(170, 96);
    snow.lineTo(194, 116);
    snow.lineTo(182, 112);
    snow.lineTo(170, 120);
    snow.lineTo(158, 112);
    snow.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(snow);
    drawMist(p, QRectF(20, 170, 190, 12), QColor(255, 240, 220, 200));
    drawMist(p, QRectF(150, 182, 160, 10), QColor(255, 240, 220, 180));
    p.end();
    return framed(image, "初日の出", 304);
}

}  // namespace banmen::sample
