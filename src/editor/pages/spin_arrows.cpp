#include "editor/pages/spin_arrows.h"

#include <QKeyEvent>
#include <QToolButton>

namespace banmen {
namespace {

QToolButton* arrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setIconSize(QSize(7, 5));
    return button;
}

}  // namespace

SpinArrows::SpinArrows(QWidget* field, QWidget* parent)
    : QWidget(parent),
      field_(field),
      up_(arrowButton(Qt::UpArrow, this)),
      down_(arrowButton(Qt::DownArrow, this)) {
    up_->setObjectName("up");
    down_->setObjectName("down");
    setFixedSize(kWidth, field->sizeHint().height());
    field->installEventFilter(this);
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            emit stepped(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace banmen
