#include "model/routes.h"

#include <cmath>

#include "model/record_owner.h"

namespace banmen {
namespace {

constexpr double kRouteReach = 32.0;
// What a route counts as when the point is not beside it.
constexpr double kNotBeside = 1000.0;

bool validSlot(int slot) {
    return slot >= 0 && slot < kNextSquareCount;
}

bool hasRoute(const SquareDef& square, std::int32_t to) {
    for (std::int32_t next : square.nextSquares) {
        if (next == to) {
            return true;
        }
    }
    return false;
}

// Distance from p to the segment a-b along the perpendicular. The feet at
// both ends count as on the segment (0 <= t <= 1): a point just beyond a
// square's centre, straight along the line, still measures its true distance
// to the line, as the map's route hit test does with its inclusive extents.
// Doubles keep hostile coordinates from overflowing; board coordinates are
// small enough that every product here is exact.
double perpendicularDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double length2 = dx * dx + dy * dy;
    if (length2 == 0.0) {
        return kNotBeside;
    }
    const double along = (px - ax) * dx + (py - ay) * dy;
    if (along < 0.0 || along > length2) {
        return kNotBeside;
    }
    const double cross = dx * (py - ay) - dy * (px - ax);
    return std::fabs(cross) / std::sqrt(length2);
}

}  // namespace

void AddRoute(RecordOwner& owner, std::int32_t from, std::int32_t to) {
    GameRecord& record = owner.record();
    if (from == to || !isSquareRef(record, from) || !isSquareRef(record, to)) {
        return;
    }
    SquareDef& square = record.squares[from];
    if (hasRoute(square, to)) {
        return;
    }
    for (std::int32_t& next : square.nextSquares) {
        if (next == -1) {
            next = to;
            return;
        }
    }
}

void SetRouteSlot(RecordOwner& owner, std::int32_t from, int slot, std::int32_t to) {
    GameRecord& record = owner.record();
    if (!validSlot(slot) || from == to || !isSquareRef(record, from) || !isSquareRef(record, to)) {
        return;
    }
    SquareDef& square = record.squares[from];
    if (!hasRoute(square, to)) {
        square.nextSquares[slot] = to;
    }
}

void RemoveRoute(RecordOwner& owner, std::int32_t from, int slot) {
    GameRecord& record = owner.record();
    if (!isSquareRef(record, from) || !validSlot(slot)) {
        return;
    }
    std::int32_t& entry = record.squares[from].nextSquares[slot];
    const std::int32_t to = entry;
    if (to == -1) {
        return;
    }
    // A damaged entry pointing outside the array is still cleared.
    if (to >= 0 && to < kSquareCount) {
        for (std::int32_t& back : record.squares[to].nextSquares) {
            if (back == from) {
                back = -1;
            }
        }
    }
    entry = -1;
}

void ClearRoutes(RecordOwner& owner) {
    for (SquareDef& square : owner.record().squares) {
        if (inUse(square)) {
            for (std::int32_t& next : square.nextSquares) {
                next = -1;
            }
        }
    }
}

std::optional<RouteLink> NearestRoute(const GameRecord& record, std::int32_t x, std::int32_t y) {
    std::optional<RouteLink> best;
    double bestDistance = kRouteReach;
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        const SquareDef& from = record.squares[i];
        if (!inUse(from)) {
            continue;
        }
        for (int j = 0; j < kNextSquareCount; ++j) {
            // A target that is no square in use is no route.
            const std::int32_t t = from.nextSquares[j];
            if (!isSquareRef(record, t)) {
                continue;
            }
            const SquareDef& to = record.squares[t];
            const double distance = perpendicularDistance(x, y, from.x, from.y, to.x, to.y);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = RouteLink{i, j};
            }
        }
    }
    return best;
}

}  // namespace banmen
