#include "editor/window/status_line.h"

#include <QLabel>
#include <QPalette>

namespace banmen {
namespace {

// 14 pixels high: the text must fit without clipping descenders.
constexpr int kFontPixels = 12;

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

}  // namespace

StatusLine::StatusLine(QWidget* parent)
    : square_(makeField(parent, "squareStatus", QRect(1, 602, 799, 14))),
      coordinates_(makeField(parent, "coordinatesStatus", QRect(802, 602, 88, 14))),
      lock_(makeField(parent, "lockStatus", QRect(892, 602, 87, 14))) {}

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
