#pragma once
// The pictures the editing map is drawn with: square markers and route dots.
// PaintedSprites draws them with QPainter; a bitmap set can take its place.

#include <QPoint>

#include "editor/map/map_composition.h"

class QPainter;

namespace banmen {

class MapSprites {
  public:
    virtual ~MapSprites() = default;
    // A 32 x 16 marker with its top-left corner at `topLeft`.
    virtual void drawMarker(QPainter& painter, QPoint topLeft, MarkerGroup group,
                            MarkerState state) const = 0;
    // The dot of a route passing through `point` (its picture starts 3 pixels
    // left of and above the point).
    virtual void drawRouteDot(QPainter& painter, QPoint point) const = 0;
};

}  // namespace banmen
