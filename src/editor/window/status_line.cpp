#include "editor/window/status_line.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPalette>

namespace banmen {
namespace {

// 14 pixels high: the text must fit without clipping descenders.
constexpr int kFontPixels = 12;
// The smallest size a text is shrunk to so that it fits its field.
constexpr int kSmallestFontPixels = 8;

QLabel* makeField(QWidget* parent, const char* name, QRect geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPixelSize(kFontPixels);
    label->setFont(font);
    label->setContentsMargins(2, 0, 2, 0);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// "座標( 420, 290 )" is wider than its 88-pixel field in the usual font:
// the field's font is made small enough, once, for the widest coordinates
// the map gives, so no second number is ever cut off.
void fitCoordinates(QLabel* field) {
    const QString widest = QStringLiteral("座標( 888, 888 )");
    QFont font = field->font();
    const int room = field->contentsRect().width();
    int size = kFontPixels;
    for (; size > kSmallestFontPixels; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(widest) <= room) {
            break;
        }
    }
    font.setPixelSize(size);
    field->setFont(font);
}

}  // namespace

StatusLine::StatusLine(QWidget* parent)
    : square_(makeField(parent, "squareStatus", QRect(1, 602, 799, 14))),
      coordinates_(makeField(parent, "coordinatesStatus", QRect(802, 602, 88, 14))),
      lock_(makeField(parent, "lockStatus", QRect(892, 602, 87, 14))) {
    fitCoordinates(coordinates_);
}

void StatusLine::setSquareText(const QString& text) {
    square_->setText(text);
}
void StatusLine::setCoordinatesText(const QString& text) {
    coordinates_->setText(text);
}
void StatusLine::setLockText(const QString& text) {
    lock_->setText(text);
}

}  // namespace banmen
