#pragma once
// Map sprites drawn with plain shapes: an oval marker per square, coloured by
// kind group (start green, goal red, retire purple, others blue), solid for a
// complete square, pale for an incomplete one, ringed in yellow when selected
// and in cyan when highlighted; route dots are small amber discs.

#include <QColor>

#include "editor/map/map_sprites.h"

namespace banmen {

struct MarkerColors {
    QColor fill;  // the marker's inside, including its centre pixel
    QColor outline;
};

class PaintedSprites final : public MapSprites {
  public:
    static MarkerColors colors(MarkerGroup group, MarkerState state);
    static QColor routeDotColor();

    void drawMarker(QPainter& painter, QPoint topLeft, MarkerGroup group,
                    MarkerState state) const override;
    void drawRouteDot(QPainter& painter, QPoint point) const override;
};

}  // namespace banmen
