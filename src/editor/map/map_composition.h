#pragma once
// What the map shows while editing, worked out from the record: the route
// dots between linked squares and one marker per square in use, in drawing
// order. Painting is left to MapSprites, so the pictures can change without
// touching these rules.

#include <QPoint>
#include <vector>

#include "model/game_record.h"

namespace banmen {

enum class MarkerGroup { Start, Goal, Retire, Other };

// Selected: the editor's selected square. Complete: has a description and is
// the target of a link. Highlighted: the target of the selected square's
// highlighted route slot, drawn once more above it.
enum class MarkerState { Selected, Complete, Incomplete, Highlighted };

constexpr int kMarkerWidth = 32;
constexpr int kMarkerHeight = 16;
constexpr int kRouteDotSpacing = 32;
// A dot's picture starts this far left of and above its point.
constexpr int kRouteDotOffset = 3;
constexpr int kHighlightLift = 6;

MarkerGroup markerGroupOf(std::int32_t squareKind);

struct SquareMarker {
    int square = -1;
    QPoint topLeft;  // (x - 16, y - 16); 6 higher for a highlight
    MarkerGroup group = MarkerGroup::Other;
    MarkerState state = MarkerState::Incomplete;
};

struct MapComposition {
    std::vector<QPoint> routeDots;  // dot centres, drawn first
    std::vector<SquareMarker> markers;
};

// The dots of one route: n = max(1, floor(distance / 32)) points equally
// spaced strictly between the two ends.
std::vector<QPoint> routeDotPoints(QPoint from, QPoint to);

// `selectedSquare` is -1 when no square is selected; `highlightSlot` (0..3,
// or -1) names the selected square's link whose target is highlighted.
MapComposition composeMap(const GameRecord& record, int selectedSquare = -1,
                          int highlightSlot = -1);

}  // namespace banmen
