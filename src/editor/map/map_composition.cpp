#include "editor/map/map_composition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "editor/document/object_captions.h"
#include "editor/play/draw/route_arrow.h"

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

namespace {

void addRoutes(const GameRecord& record, int selectedSquare, MapComposition& map,
               std::array<bool, kSquareCount>& targeted) {
    for (int i = 0; i < kSquareCount; ++i) {
        const SquareDef& square = record.squares[i];
        if (!inUse(square)) {
            continue;
        }
        for (int slot = 0; slot < kNextSquareCount; ++slot) {
            const std::int32_t target = square.nextSquares[slot];
            if (!isSquareRef(record, target)) {
                continue;
            }
            targeted[static_cast<std::size_t>(target)] = true;
            const QPoint from = positionOf(square);
            const QPoint to = positionOf(record.squares[target]);
            std::vector<QPoint> dots = routeDotPoints(from, to);
            map.routeDots.insert(map.routeDots.end(), dots.begin(), dots.end());
            map.routeDotOwners.insert(map.routeDotOwners.end(), dots.size(),
                                      i * kNextSquareCount + slot);
            if (i == selectedSquare) {
                if (auto arrow = play::routeArrow({from.x(), from.y()}, {to.x(), to.y()})) {
                    map.arrows.push_back(
                        {i, slot, QPoint(arrow->centre.x, arrow->centre.y), arrow->degrees});
                }
            }
        }
    }
}

void addPieces(const GameRecord& record, const MapScene& scene, MapComposition& map) {
    std::array<int, kSquareCount> onSquare{};
    for (int p = 0; p < listedPlayerCount(record); ++p) {
        const std::int32_t start = record.players[p].startSquare;
        const QSize size = scene.pieceSizes[static_cast<std::size_t>(p)];
        if (!isSquareRef(record, start) || size.isEmpty()) {
            continue;
        }
        int& k = onSquare[static_cast<std::size_t>(start)];
        const QPoint at = positionOf(record.squares[start]);
        map.pieces.push_back(
            {p, QPoint(at.x() + kPieceLeft + kPieceStep * k, at.y() - size.height())});
        ++k;
    }
}

void addRouteOrder(const GameRecord& record, const EditState* routes, MapComposition& map) {
    if (routes == nullptr || !routes->routeMode) {
        return;
    }
    for (int i = 0; i < kSquareCount; ++i) {
        const std::int32_t order = routes->routeOrder[static_cast<std::size_t>(i)];
        if (order >= 0 && inUse(record.squares[i])) {
            map.routeOrder.push_back({i, order + 1, positionOf(record.squares[i])});
        }
    }
}

}  // namespace

MapComposition composeMap(const GameRecord& record, const MapScene& scene) {
    MapComposition map;
    const int selectedSquare = scene.selectedSquare;

    std::array<bool, kSquareCount> targeted{};
    addRoutes(record, selectedSquare, map, targeted);
    addPieces(record, scene, map);

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

    const int highlightSlot = scene.highlightSlot;
    if (isSquareRef(record, selectedSquare) && highlightSlot >= 0 &&
        highlightSlot < kNextSquareCount) {
        const std::int32_t target = record.squares[selectedSquare].nextSquares[highlightSlot];
        if (isSquareRef(record, target)) {
            map.markers.push_back(
                markerAt(target, record.squares[target], MarkerState::Highlighted, kHighlightLift));
        }
    }
    addRouteOrder(record, scene.routes, map);
    return map;
}

MapComposition composeMap(const GameRecord& record, int selectedSquare, int highlightSlot) {
    MapScene scene;
    scene.selectedSquare = selectedSquare;
    scene.highlightSlot = highlightSlot;
    return composeMap(record, scene);
}

}  // namespace banmen
