// The on-screen buttons of the play screen (looks 0 to 9) and the logo at
// the foot of the side area, which is also the stop button.

#include <QLinearGradient>
#include <QPainterPath>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

const QColor kPerson = colour::kVermilion;
const QColor kComputer(44, 84, 140);

enum class Icon { Dice, Next };

// A 32 x 29 lacquered button. Pressed: darker, lit from below, its icon one
// pixel lower.
QImage bigButton(QColor tone, Icon icon, bool pressed) {
    QImage canvas = newCanvas(32, 29);
    QPainter p;
    beginPainting(p, canvas);
    const QRectF body(0.5, 0.5, 31, 28);
    QLinearGradient fill(0, 0, 0, 29);
    if (pressed) {
        fill.setColorAt(0, tone.darker(150));
        fill.setColorAt(1, tone.darker(110));
    } else {
        fill.setColorAt(0, tone.lighter(130));
        fill.setColorAt(0.5, tone);
        fill.setColorAt(1, tone.darker(135));
    }
    p.setPen(QPen(colour::kInk, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(body, 8, 8);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pressed ? QColor(0, 0, 0, 90) : QColor(255, 255, 255, 110), 1.0));
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 7, 7);
    p.setPen(QPen(withAlpha(colour::kGoldLight, pressed ? 110 : 170), 1.0));
    p.drawRoundedRect(body.adjusted(2.5, 2.5, -2.5, -2.5), 5.5, 5.5);

    const QPointF shift(0, pressed ? 1 : 0);
    if (icon == Icon::Dice) {
        // A white die, tilted as if thrown.
        p.save();
        p.translate(QPointF(16, 14.5) + shift);
        p.rotate(-12);
        p.setPen(QPen(colour::kInk, 1.0));
        p.setBrush(QColor(252, 250, 242));
        p.drawRoundedRect(QRectF(-7, -7, 14, 14), 3, 3);
        drawPips(p, QPointF(-7, -7), 14, 5, QColor(34, 40, 64), QColor(206, 36, 40));
        p.restore();
    } else {
        QPainterPath arrow;
        arrow.moveTo(QPointF(11, 7.5) + shift);
        arrow.lineTo(QPointF(23, 14.5) + shift);
        arrow.lineTo(QPointF(11, 21.5) + shift);
        arrow.closeSubpath();
        p.setPen(QPen(colour::kInk, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(252, 250, 242));
        p.drawPath(arrow);
    }
    p.end();
    return keyMagenta(canvas);
}

// A 24 x 11 toggle: filled in its colour when selected, pale when not.
QImage toggle(QColor tone, const QString& label, bool selected) {
    QImage canvas = newCanvas(24, 11);
    QPainter p;
    beginPainting(p, canvas);
    const QRectF body(0.5, 0.5, 23, 10);
    if (selected) {
        QLinearGradient fill(0, 0, 0, 11);
        fill.setColorAt(0, tone.lighter(125));
        fill.setColorAt(1, tone.darker(120));
        p.setPen(QPen(colour::kInk, 1.0));
        p.setBrush(fill);
    } else {
        p.setPen(QPen(QColor(120, 110, 96), 1.0));
        p.setBrush(QColor(222, 214, 196));
    }
    p.drawRoundedRect(body, 3, 3);
    drawCentred(p, QRectF(0, 0, 24, 11), label, font(Face::Gothic, 10, true),
                selected ? Qt::white : QColor(112, 100, 86));
    p.end();
    return keyMagenta(canvas);
}

// The logo, 32 x 15: a red seal reading "stop", since a click on it stops
// the run.
QImage logo() {
    QImage canvas = newCanvas(32, 15);
    QPainter p;
    beginPainting(p, canvas);
    QLinearGradient fill(0, 0, 0, 15);
    fill.setColorAt(0, colour::kVermilion.lighter(115));
    fill.setColorAt(1, colour::kVermilion.darker(125));
    p.setPen(QPen(colour::kGold, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 14), 2.5, 2.5);
    drawCentred(p, QRectF(0, 0, 32, 15), QStringLiteral("中止"), font(Face::Gothic, 11), Qt::white);
    p.end();
    return keyMagenta(canvas);
}

void addLook(ArtworkSet& set, int look, const QImage& picture) {
    set.addBitmap("bitmaps/" + std::to_string(6000 + look) + ".bmp", picture);
}

}  // namespace

void paintPlayButtons(ArtworkSet& set) {
    addLook(set, 0, bigButton(kPerson, Icon::Dice, false));
    addLook(set, 1, bigButton(kPerson, Icon::Dice, true));
    addLook(set, 2, bigButton(kComputer, Icon::Dice, false));
    addLook(set, 3, bigButton(kComputer, Icon::Dice, true));
    addLook(set, 4, toggle(kPerson, QStringLiteral("人"), true));
    addLook(set, 5, toggle(kPerson, QStringLiteral("人"), false));
    addLook(set, 6, toggle(kComputer, QStringLiteral("COM"), true));
    addLook(set, 7, toggle(kComputer, QStringLiteral("COM"), false));
    addLook(set, 8, bigButton(kPerson, Icon::Next, false));
    addLook(set, 9, bigButton(kComputer, Icon::Next, false));
    set.addBitmap("bitmaps/6010.bmp", logo());
}

}  // namespace banmen::art
