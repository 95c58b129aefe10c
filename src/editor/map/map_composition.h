#pragma once
// What the map shows while editing, worked out from the record, in drawing
// order: the route dots between linked squares (and arrows on the routes
// leaving the selected square), the players' pieces on their start squares,
// one marker per square in use, the highlighted route target lifted above
// its square and, while routes are being set, the order numbers of the
// squares clicked so far. Pictures are left to MapSprites, so they can
// change without touching these rules.

#include <QPoint>
#include <QSize>
#include <array>
#include <vector>

#include "model/edit_state.h"
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
// Pieces stand right of their square, each one 8 pixels right of the last.
constexpr int kPieceLeft = 12;
constexpr int kPieceStep = 8;

MarkerGroup markerGroupOf(std::int32_t squareKind);

struct SquareMarker {
    int square = -1;
    QPoint topLeft;  // (x - 16, y - 16); 6 higher for a highlight
    MarkerGroup group = MarkerGroup::Other;
    MarkerState state = MarkerState::Incomplete;
};

struct RouteArrowMark {
    int square = -1;  // the square the route leaves
    int slot = 0;
    QPoint centre;
    double degrees = 0;  // counter-clockwise from pointing right
};

struct PieceMark {
    int player = 0;
    QPoint topLeft;
};

// The number a square got in route mode (the first square is 1).
struct RouteOrderMark {
    int square = -1;
    int number = 0;
    QPoint anchor;  // the square's position
};

struct MapComposition {
    std::vector<QPoint> routeDots;    // dot centres, drawn first
    std::vector<int> routeDotOwners;  // per dot: square * 4 + slot of its link
    std::vector<RouteArrowMark> arrows;
    std::vector<PieceMark> pieces;
    std::vector<SquareMarker> markers;
    std::vector<RouteOrderMark> routeOrder;
};

struct MapScene {
    int selectedSquare = -1;  // -1: no square selected
    int highlightSlot = -1;   // the selected square's highlighted link, 0..3
    // The players' piece pictures; an empty size leaves that piece out.
    std::array<QSize, kPlayerCount> pieceSizes{};
    // Route mode's numbering, shown while the mode is on.
    const EditState* routes = nullptr;
};

// The dots of one route: n = max(1, floor(distance / 32)) points equally
// spaced strictly between the two ends.
std::vector<QPoint> routeDotPoints(QPoint from, QPoint to);

MapComposition composeMap(const GameRecord& record, const MapScene& scene);
// The squares and routes alone, with a selection and a highlighted slot.
MapComposition composeMap(const GameRecord& record, int selectedSquare = -1,
                          int highlightSlot = -1);

}  // namespace banmen
