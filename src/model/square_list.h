#pragma once
// Adding, duplicating, inserting and deleting squares while the references
// between objects stay consistent. Each of these first ends an active route
// mode, writes the record directly (no descriptors, no modified flag) and
// leaves marking the workspace modified and redrawing to its caller.

#include <cstdint>

#include "model/game_record.h"

namespace banmen {

class RecordOwner;

// A new square of kind k at (x, y) in the first free slot, named "%s(%d)"
// after its kind and number, with its kind's standard sound. Placed within 32
// pixels of a route line, it splits that route (both ways when the route runs
// both ways). -1 when all 200 slots are used or k is no square kind.
std::int32_t AddSquare(RecordOwner& owner, std::int32_t x, std::int32_t y, std::int32_t kind);

// A kind 0 square at a free place with the settings of square s; it keeps its
// own name, place and routes. -1 when s is no square in use or no slot is free.
std::int32_t DuplicateSquare(RecordOwner& owner, std::int32_t square);

// The whole block of `copy` in the first free slot, named "<name> ｺﾋﾟｰ<n>"
// with the first n that no square in use has, at (x, y), or at a free place
// when either is -1. Routes, jumps and media references are kept as they are.
// -1 when all 200 slots are used.
std::int32_t InsertSquareCopy(RecordOwner& owner, const SquareDef& copy, std::int32_t x,
                              std::int32_t y);

// Clears every jump to s, routes through s to bypass it, moves players that
// start on s to its first successor, and frees the slot. Nothing unless s is
// a square in use.
void DeleteSquare(RecordOwner& owner, std::int32_t square);
void DeleteAllSquares(RecordOwner& owner);

}  // namespace banmen
