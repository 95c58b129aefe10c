#include "editor/play/play_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QVariant>
#include <cmath>

namespace banmen {
namespace {

// The frame rectangle a child was placed on (placeOnFrame).
constexpr char kFramePlace[] = "banmenFramePlace";

}  // namespace

PlayView::PlayView(QWidget* parent) : QWidget(parent) {
    setObjectName("playView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(kWidth, kHeight);
}

PlayView::~PlayView() = default;

void PlayView::setScalable() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void PlayView::setFrame(const QImage* frame) {
    frame_ = frame;
    update();
}

QRect PlayView::frameArea() const {
    const int w = width();
    const int h = height();
    if (w == kWidth && h == kHeight) {
        return rect();
    }
    // The largest 980:600 rectangle inside the view, centred.
    int fitW = w;
    int fitH = static_cast<int>(std::lround(static_cast<double>(w) * kHeight / kWidth));
    if (fitH > h) {
        fitH = h;
        fitW = static_cast<int>(std::lround(static_cast<double>(h) * kWidth / kHeight));
    }
    return {(w - fitW) / 2, (h - fitH) / 2, std::max(fitW, 1), std::max(fitH, 1)};
}

QPoint PlayView::fromFrame(QPoint at) const {
    const QRect area = frameArea();
    return {area.left() + static_cast<int>(std::floor((at.x() + 0.5) * area.width() / kWidth)),
            area.top() + static_cast<int>(std::floor((at.y() + 0.5) * area.height() / kHeight))};
}

QRect PlayView::fromFrame(const QRect& rect) const {
    const QRect area = frameArea();
    if (area.size() == QSize(kWidth, kHeight)) {
        return rect.translated(area.topLeft());
    }
    const double sx = static_cast<double>(area.width()) / kWidth;
    const double sy = static_cast<double>(area.height()) / kHeight;
    const int left = area.left() + static_cast<int>(std::floor(rect.left() * sx));
    const int top = area.top() + static_cast<int>(std::floor(rect.top() * sy));
    const int right = area.left() + static_cast<int>(std::ceil((rect.right() + 1) * sx));
    const int bottom = area.top() + static_cast<int>(std::ceil((rect.bottom() + 1) * sy));
    return {QPoint(left, top), QPoint(right - 1, bottom - 1)};
}

QPoint PlayView::toFrame(QPoint at) const {
    const QRect area = frameArea();
    if (!area.contains(at)) {
        return {-1, -1};
    }
    const int x = (at.x() - area.left()) * kWidth / area.width();
    const int y = (at.y() - area.top()) * kHeight / area.height();
    return {std::min(x, kWidth - 1), std::min(y, kHeight - 1)};
}

void PlayView::placeOnFrame(QWidget* child, const QRect& rect) {
    child->setProperty(kFramePlace, rect);
    child->setGeometry(fromFrame(rect));
}

void PlayView::showRect(const QRect& rect) {
    // A pixel more on each side: a smooth scale blends across edges.
    update(fromFrame(rect.adjusted(-1, -1, 1, 1)));
}

void PlayView::setReleaseHandler(std::function<void(QPoint)> handler) {
    onRelease_ = std::move(handler);
}

void PlayView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = frameArea();
    const QRegion bars = QRegion(event->rect()).subtracted(area);
    for (const QRect& bar : bars) {
        painter.fillRect(bar, Qt::black);
    }
    const QRect dirty = event->rect().intersected(area);
    if (dirty.isEmpty()) {
        return;
    }
    if (frame_ == nullptr || frame_->isNull()) {
        painter.fillRect(dirty, Qt::black);
        return;
    }
    if (area.size() == QSize(kWidth, kHeight)) {
        // View and frame share their pixels; on a high-dpi screen the
        // painter's device is larger and the frame is scaled up.
        if (devicePixelRatioF() != 1.0) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        }
        painter.drawImage(dirty, *frame_, dirty.translated(-area.topLeft()));
        return;
    }
    // Scaled: the part of the frame under the dirty rectangle (two pixels
    // more, so that the smooth filter has its neighbours), drawn to where
    // it goes and clipped to the dirty rectangle.
    const double sx = static_cast<double>(area.width()) / kWidth;
    const double sy = static_cast<double>(area.height()) / kHeight;
    const QRect source =
        QRect(QPoint(static_cast<int>(std::floor((dirty.left() - area.left()) / sx)) - 2,
                     static_cast<int>(std::floor((dirty.top() - area.top()) / sy)) - 2),
              QPoint(static_cast<int>(std::ceil((dirty.right() + 1 - area.left()) / sx)) + 2,
                     static_cast<int>(std::ceil((dirty.bottom() + 1 - area.top()) / sy)) + 2))
            .intersected(QRect(0, 0, kWidth, kHeight));
    const QRectF target(area.left() + source.left() * sx, area.top() + source.top() * sy,
                        source.width() * sx, source.height() * sy);
    painter.setClipRect(dirty);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *frame_, QRectF(source));
}

void PlayView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onRelease_) {
        const QPoint at = toFrame(event->position().toPoint());
        if (at.x() >= 0) {
            onRelease_(at);
        }
    }
    QWidget::mouseReleaseEvent(event);
}

void PlayView::resizeEvent(QResizeEvent* event) {
    for (QObject* object : children()) {
        auto* child = qobject_cast<QWidget*>(object);
        const QVariant place = object->property(kFramePlace);
        if (child != nullptr && place.isValid()) {
            child->setGeometry(fromFrame(place.toRect()));
        }
    }
    QWidget::resizeEvent(event);
}

}  // namespace banmen
