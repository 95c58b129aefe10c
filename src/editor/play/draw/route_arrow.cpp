#include "editor/play/draw/route_arrow.h"

#include <cmath>
#include <numbers>

namespace banmen::play {

std::optional<ArrowPlacement> routeArrow(Point from, Point to) {
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    const double length = std::hypot(dx, dy);
    if (length < 1) {
        return std::nullopt;
    }
    ArrowPlacement arrow;
    arrow.centre = {from.x + static_cast<int>(std::lround(dx / length * kArrowDistance)),
                    from.y + static_cast<int>(std::lround(dy / length * kArrowDistance))};
    // The screen's y runs down, so a positive turn is counter-clockwise.
    arrow.degrees = -std::atan2(dy, dx) * 180.0 / std::numbers::pi;
    return arrow;
}

}  // namespace banmen::play
