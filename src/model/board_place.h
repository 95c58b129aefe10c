#pragma once
// Squares on the board picture: which square a point hits, and a free place
// for a square that is added without a position.

#include <cstdint>

#include "model/edit_state.h"
#include "model/game_record.h"

namespace banmen {

class RecordOwner;

// The square in use nearest to (x, y + 8), provided it lies closer than 32
// pixels (and within 32 on each axis); the lower index wins on equal
// distance; -1 for none.
std::int32_t HitSquare(const GameRecord& record, std::int32_t x, std::int32_t y);

// From the owner's place cursor, steps of 64 right and down (x back to 100
// past 600, y back to 100 past 400) until no square is hit, at most 1,000
// steps. The place found, or the last one tried, stays in the cursor.
BoardPoint FindFreePlace(RecordOwner& owner);

}  // namespace banmen
