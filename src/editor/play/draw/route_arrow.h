#pragma once
// The arrow that marks a route's direction: the "ARROW" picture (pointing
// right) turned to the route and centred 30 pixels along it from the square
// the route leaves. The play screen shows it on the routes a player may
// choose, the editing map on the routes leaving the selected square.

#include <optional>

#include "media/bitmap_types.h"

namespace banmen::play {

constexpr int kArrowDistance = 30;

struct ArrowPlacement {
    Point centre;
    // Counter-clockwise on the screen, as DibBitmap::DrawRotated turns.
    double degrees = 0;
};

// Nothing for squares less than a pixel apart.
std::optional<ArrowPlacement> routeArrow(Point from, Point to);

}  // namespace banmen::play
