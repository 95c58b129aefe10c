#include "editor/map/map_composition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace banmen {
namespace {

// Coordinates come straight from a file; keep the arithmetic below far from
// int overflow. Anything this far out is off the map anyway.
constexpr std::int64_t kCoordinateLimit = 1 << 20;
// A damaged file may link squares millions of pixels apart; painting must
// not stall on them.
constexpr int kMaxDotsPerRoute = 1024;

int clampCoordinate(std::int64_t v) {
    return static_cast<int>(std::clamp(v, -kCoordinateLimit, kCoordinateLimit));
}

QPoint positionOf(const SquareDef& square) {
    return {clampCoordinate(square.x), clampCoordinate(square.y)};
}

SquareMarker markerAt(int index, const SquareDef& square, MarkerState state, int lift) {
    QPoint p = positionOf(square);
    return {index, QPoint(p.x() - kMarkerWidth / 2, p.y() - kMarkerHeight - lift),
            markerGroupOf(square.kind), state};
}

}  // namespace

MarkerGroup markerGroupOf(std::int32_t squareKind) {
    switch (squareKind) {
        case kSquareStart:
            return MarkerGroup::Start;
        case kSquareGoal:
            return MarkerGroup::Goal;
        case kSquareRetire:
            return MarkerGroup::Retire;
        default:
            return MarkerGroup::Other;
    }
}

std::vector<QPoint> routeDotPoints(QPoint from, QPoint to) {
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    const double distance = std::sqrt(dx * dx + dy * dy);
    const int n = std::clamp(static_cast<int>(distance / kRouteDotSpacing), 1, kMaxDotsPerRoute);
    std::vector<QPoint> dots;
    dots.reserve(static_cast<std::size_t>(n));
    for (int k = 1; k <= n; ++k) {
        const double t = static_cast<double>(k) / (n + 1);
        dots.emplace_back(from.x() + static_cast<int>(std::lround(dx * t)),
                          from.y() + static_cast<int>(std::lround(dy * t)));
    }
    return dots;
}

MapComposition composeMap(const GameRecord& record, int selectedSquare, int highlightSlot) {
    MapComposition map;

    std::array<bool, kSquareCount> targeted{};
    for (int i = 0; i < kSquareCount; ++i) {
        const SquareDef& square = record.squares[i];
        if (!inUse(square)) {
            continue;
        }
        for (std::int32_t target : square.nextSquares) {
            if (!isSquareRef(record, target)) {
                continue;
            }
            targeted[static_cast<std::size_t>(target)] = true;
            std::vector<QPoint> dots =
                routeDotPoints(positionOf(square), positionOf(record.squares[target]));
            map.routeDots.insert(map.routeDots.end(), dots.begin(), dots.end());
        }
    }

    for (int i = 0; i < kSquareCount; ++i) {
        const SquareDef& square = record.squares[i];
        if (!inUse(square)) {
            continue;
        }
        MarkerState state = MarkerState::Incomplete;
        if (i == selectedSquare) {
            state = MarkerState::Selected;
        } else if (square.description[0] != 0 && targeted[static_cast<std::size_t>(i)]) {
            state = MarkerState::Complete;
        }
        map.markers.push_back(markerAt(i, square, state, 0));
    }

    if (isSquareRef(record, selectedSquare) && highlightSlot >= 0 &&
        highlightSlot < kNextSquareCount) {
        const std::int32_t target = record.squares[selectedSquare].nextSquares[highlightSlot];
        if (isSquareRef(record, target)) {
            map.markers.push_back(
                markerAt(target, record.squares[target], MarkerState::Highlighted, kHighlightLift));
        }
    }
    return map;
}

}  // namespace banmen
