#include "editor/play/play_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace banmen {

PlayView::PlayView(QWidget* parent) : QWidget(parent) {
    setObjectName("playView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidth, kHeight);
}

PlayView::~PlayView() = default;

void PlayView::setFrame(const QImage* frame) {
    frame_ = frame;
    update();
}

void PlayView::showRect(const QRect& rect) {
    // A pixel more on each side: a smooth scale-up blends across edges.
    update(rect.adjusted(-1, -1, 1, 1));
}

void PlayView::setReleaseHandler(std::function<void(QPoint)> handler) {
    onRelease_ = std::move(handler);
}

void PlayView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (frame_ == nullptr || frame_->isNull()) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    // Widget and frame share their coordinates; on a high-dpi screen the
    // painter's device is larger and the frame is scaled up.
    if (devicePixelRatioF() != 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    const QRect area = event->rect().intersected(rect());
    painter.drawImage(area, *frame_, area);
}

void PlayView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onRelease_) {
        const QPoint at = event->position().toPoint();
        onRelease_(at);
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace banmen
