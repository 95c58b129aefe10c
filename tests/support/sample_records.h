#pragma once
// Sample game records for tests and benchmarks.

#include "model/game_record.h"

namespace banmen::test {

// The new-game defaults (no default images).
GameRecord defaultRecord();

// A realistic full game: 200 squares in use with names, descriptions, data
// updates and routes, 300 images and 20 sounds, all fields filled the way
// the editor would fill them. Deterministic.
GameRecord fullRecord();

// fullRecord with every square's four routes in use (800 links): to its
// neighbours left and right in its row and in the rows above and below,
// the board's ends wrapping round to the other end.
GameRecord fullyLinkedRecord();

}  // namespace banmen::test
