#include "editor/map/painted_sprites.h"

#include <QPainter>

namespace banmen {
namespace {

QColor groupColor(MarkerGroup group) {
    switch (group) {
        case MarkerGroup::Start:
            return {0x1e, 0x9e, 0x3c};
        case MarkerGroup::Goal:
            return {0xd2, 0x28, 0x1e};
        case MarkerGroup::Retire:
            return {0x74, 0x3c, 0xb4};
        case MarkerGroup::Other:
            break;
    }
    return {0x1f, 0x5f, 0xd0};
}

// The group colour mixed halfway with white.
QColor pale(QColor c) {
    return {(c.red() + 255) / 2, (c.green() + 255) / 2, (c.blue() + 255) / 2};
}

constexpr int kDotSize = 8;

}  // namespace

MarkerColors PaintedSprites::colors(MarkerGroup group, MarkerState state) {
    const QColor base = groupColor(group);
    switch (state) {
        case MarkerState::Selected:
            return {base, QColor(0xff, 0xd8, 0x00)};
        case MarkerState::Complete:
            return {base, base.darker(170)};
        case MarkerState::Highlighted:
            return {base.lighter(130), QColor(0x00, 0xe0, 0xff)};
        case MarkerState::Incomplete:
            break;
    }
    return {pale(base), base};
}

QColor PaintedSprites::routeDotColor() {
    return {0xff, 0xb4, 0x00};
}

void PaintedSprites::drawMarker(QPainter& painter, QPoint topLeft, MarkerGroup group,
                                MarkerState state) const {
    const MarkerColors c = colors(group, state);
    const bool ringed = state == MarkerState::Selected || state == MarkerState::Highlighted;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // A pen of width w draws around the rectangle's edge; keep the whole oval
    // inside its 32 x 16 cell.
    const int w = ringed ? 2 : 1;
    QPen pen(c.outline, w);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(c.fill);
    painter.drawEllipse(
        QRect(topLeft.x() + w / 2, topLeft.y() + w / 2, kMarkerWidth - w, kMarkerHeight - w));
    painter.restore();
}

void PaintedSprites::drawRouteDot(QPainter& painter, QPoint point) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0x60, 0x38, 0x00), 1));
    painter.setBrush(routeDotColor());
    painter.drawEllipse(QRect(point.x() - kRouteDotOffset, point.y() - kRouteDotOffset,
                              kDotSize - 1, kDotSize - 1));
    painter.restore();
}

}  // namespace banmen
