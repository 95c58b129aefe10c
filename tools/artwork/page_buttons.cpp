// The small bitmap buttons of the property pages, each in four states:
// U normal, D pressed, F focused, X disabled.

#include <QLinearGradient>
#include <QPainterPath>
#include <functional>
#include <string>

#include "painters.h"
#include "style.h"

namespace banmen::art {
namespace {

enum class State { Normal, Pressed, Focused, Disabled };

// Draws a button's content into a box of the button's size.
using Content = std::function<void(QPainter&)>;

// Dims a content layer to the grey of a disabled button.
void greyOut(QImage& layer) {
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a == 0) {
                continue;
            }
            // Premultiplied: work on the colour at full strength.
            const double k = 255.0 / a;
            const double grey =
                (qRed(line[x]) * 0.3 + qGreen(line[x]) * 0.59 + qBlue(line[x]) * 0.11) * k;
            const double v = 150 + grey * 0.2;
            const int c = static_cast<int>(v * a / 255.0);
            line[x] = qRgba(c, c, c - 8 > 0 ? c - 8 : 0, a);
        }
    }
}

QImage button(int width, int height, State state, const Content& content) {
    QImage canvas = newCanvas(width, height);
    QPainter p;
    beginPainting(p, canvas);
    const QRectF body(0.5, 0.5, width - 1, height - 1);
    QLinearGradient face(0, 0, 0, height);
    QColor outline(140, 122, 98);
    switch (state) {
        case State::Normal:
            face.setColorAt(0, QColor(255, 251, 240));
            face.setColorAt(1, QColor(226, 214, 188));
            break;
        case State::Pressed:
            face.setColorAt(0, QColor(206, 192, 164));
            face.setColorAt(1, QColor(230, 220, 198));
            outline = QColor(104, 88, 68);
            break;
        case State::Focused:
            face.setColorAt(0, QColor(255, 248, 232));
            face.setColorAt(1, QColor(240, 220, 190));
            outline = colour::kVermilion;
            break;
        case State::Disabled:
            face.setColorAt(0, QColor(238, 234, 226));
            face.setColorAt(1, QColor(232, 228, 220));
            outline = QColor(188, 182, 170);
            break;
    }
    p.setPen(QPen(outline, 1.0));
    p.setBrush(face);
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(Qt::NoBrush);
    if (state == State::Normal || state == State::Focused) {
        p.setPen(QPen(QColor(255, 255, 255, 170), 1.0));
        p.drawLine(QPointF(3, 1.5), QPointF(width - 3, 1.5));
    } else if (state == State::Pressed) {
        p.setPen(QPen(QColor(80, 60, 40, 70), 1.0));
        p.drawLine(QPointF(3, 1.5), QPointF(width - 3, 1.5));
    }
    if (state == State::Focused) {
        p.setPen(QPen(withAlpha(colour::kVermilion, 110), 1.0));
        p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 2, 2);
    }

    QImage layer = newCanvas(width, height);
    QPainter lp;
    beginPainting(lp, layer);
    content(lp);
    lp.end();
    if (state == State::Disabled) {
        greyOut(layer);
    }
    p.drawImage(state == State::Pressed ? QPointF(1, 1) : QPointF(0, 0), layer);
    p.end();
    return keyMagenta(canvas);
}

void addFourStates(ArtworkSet& set, const std::string& stem, int width, int height,
                   const Content& content) {
    const std::pair<State, char> states[] = {
        {State::Normal, 'U'}, {State::Pressed, 'D'}, {State::Focused, 'F'}, {State::Disabled, 'X'}};
    for (const auto& [state, suffix] : states) {
        set.addBitmap("bitmaps/" + stem + suffix + ".bmp", button(width, height, state, content));
    }
}

// Icons of the 16 x 16 buttons.

void folderIcon(QPainter& p) {
    p.setPen(QPen(QColor(120, 80, 20), 1.0));
    p.setBrush(QColor(214, 150, 40));
    QPainterPath back;
    back.moveTo(3.5, 4.5);
    back.lineTo(7, 4.5);
    back.lineTo(8, 5.5);
    back.lineTo(12.5, 5.5);
    back.lineTo(12.5, 12.5);
    back.lineTo(3.5, 12.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(246, 196, 80));
    QPainterPath front;
    front.moveTo(3.5, 12.5);
    front.lineTo(5, 7.5);
    front.lineTo(14, 7.5);
    front.lineTo(12.5, 12.5);
    front.closeSubpath();
    p.drawPath(front);
}

void brushIcon(QPainter& p) {
    p.save();
    p.translate(8, 8);
    p.rotate(45);
    p.setPen(QPen(QColor(110, 70, 30), 0.8));
    p.setBrush(QColor(200, 160, 90));
    p.drawRoundedRect(QRectF(-1.6, -7, 3.2, 8), 1, 1);
    p.setBrush(colour::kGold);
    p.drawRect(QRectF(-1.9, 0.5, 3.8, 1.6));
    QPainterPath tip;
    tip.moveTo(-1.9, 2.1);
    tip.cubicTo(-2.2, 4.5, -0.5, 6.5, 0, 7.5);
    tip.cubicTo(0.5, 6.5, 2.2, 4.5, 1.9, 2.1);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kInk);
    p.drawPath(tip);
    p.restore();
}

void crossIcon(QPainter& p) {
    p.setPen(QPen(colour::kVermilion.darker(110), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(4.5, 11.5), QPointF(11.5, 4.5));
}

void targetIcon(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour::kIndigo, 1.2));
    p.drawEllipse(QPointF(8, 8), 4.6, 4.6);
    p.setPen(QPen(colour::kIndigo, 1.0));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 5));
    p.drawLine(QPointF(8, 11), QPointF(8, 14.5));
    p.drawLine(QPointF(1.5, 8), QPointF(5, 8));
    p.drawLine(QPointF(11, 8), QPointF(14.5, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(colour::kVermilion);
    p.drawEllipse(QPointF(8, 8), 1.6, 1.6);
}

// Contents of the 24 x 16 update-row buttons: operators in vermilion,
// operands in indigo, counterparts in green, so the three buttons of a row
// tell apart at a glance.
const QColor kOperatorInk(190, 50, 30);
const QColor kOperandInk(34, 64, 130);
const QColor kTargetInk(36, 110, 50);

Content label(const QString& text, QColor ink, double size, Face face = Face::Gothic) {
    return [text, ink, size, face](QPainter& p) {
        drawCentred(p, QRectF(0, 0, 24, 16), text, font(face, size, true), ink);
    };
}

// One, two or three small dice side by side: the amount is multiplied by a
// throw of that many dice.
Content dice(int count) {
    return [count](QPainter& p) {
        const double size = count == 3 ? 6 : 7;
        const double gap = 1;
        const double total = count * size + (count - 1) * gap;
        double x = (24 - total) / 2;
        for (int i = 0; i < count; ++i, x += size + gap) {
            const QRectF die(x, 8 - size / 2, size, size);
            p.setPen(QPen(kOperandInk, 0.9));
            p.setBrush(Qt::white);
            p.drawRoundedRect(die, 1.5, 1.5);
            p.setPen(Qt::NoPen);
            p.setBrush(i == 0 ? QColor(206, 36, 40) : kOperandInk);
            p.drawEllipse(die.center(), 1.3, 1.3);
        }
    };
}

}  // namespace

void paintPageButtons(ArtworkSet& set) {
    addFourStates(set, "SELECT", 16, 16, folderIcon);
    addFourStates(set, "EDIT", 16, 16, brushIcon);
    addFourStates(set, "DELETE", 16, 16, crossIcon);
    addFourStates(set, "LOCKON", 16, 16, targetIcon);

    addFourStates(set, "OPOADD", 24, 16, label(QStringLiteral("＋"), kOperatorInk, 13));
    addFourStates(set, "OPOSUB", 24, 16, label(QStringLiteral("－"), kOperatorInk, 13));
    addFourStates(set, "OPOMUL", 24, 16, label(QStringLiteral("×"), kOperatorInk, 13));
    addFourStates(set, "OPODIV", 24, 16, label(QStringLiteral("÷"), kOperatorInk, 13));
    addFourStates(set, "OPOSET", 24, 16, label(QStringLiteral("＝"), kOperatorInk, 13));

    addFourStates(set, "OPMONE", 24, 16, label(QStringLiteral("×1"), kOperandInk, 11));
    for (int n = 1; n <= 3; ++n) {
        addFourStates(set, "OPMDIC" + std::to_string(n), 24, 16, dice(n));
    }
    for (int n = 1; n <= 5; ++n) {
        addFourStates(set, "OPMITM" + std::to_string(n), 24, 16,
                      label(QStringLiteral("D%1").arg(n), kOperandInk, 11));
    }

    addFourStates(set, "OPFBNK", 24, 16, label(QStringLiteral("銀行"), kTargetInk, 10));
    addFourStates(set, "OPFPLY", 24, 16, label(QStringLiteral("相手"), kTargetInk, 10));
    addFourStates(set, "OPFALL", 24, 16, label(QStringLiteral("全員"), kTargetInk, 10));
}

}  // namespace banmen::art
