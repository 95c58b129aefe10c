#pragma once
// Routes between squares: a route from square f to square t is an entry t in
// f's `nextSquares`. These write the record directly (no descriptors, no
// modified flag); callers mark the workspace modified and redraw.
//
// Routes are only made and removed between squares in use, never from a
// square to itself, and never twice between the same pair; an index that is
// no square in use (or -1, or a slot outside 0..3) makes the call do nothing.

#include <cstdint>
#include <optional>

#include "model/game_record.h"

namespace banmen {

class RecordOwner;

// t into f's lowest free entry; nothing when f = t, t is already there or all
// four entries are taken.
void AddRoute(RecordOwner& owner, std::int32_t from, std::int32_t to);
// Entry `slot` of f becomes t, unless f = t or t is already among f's entries.
void SetRouteSlot(RecordOwner& owner, std::int32_t from, int slot, std::int32_t to);
// Drops entry `slot` of f and every way back from its target to f.
void RemoveRoute(RecordOwner& owner, std::int32_t from, int slot);
// Every square in use loses all its routes.
void ClearRoutes(RecordOwner& owner);

struct RouteLink {
    std::int32_t square;  // the square the route leaves
    int slot;             // its `nextSquares` entry
};

// The route whose line passes nearest to (x, y), closer than 32 pixels
// measured along the perpendicular; the first found wins a tie.
std::optional<RouteLink> NearestRoute(const GameRecord& record, std::int32_t x, std::int32_t y);

}  // namespace banmen
