#pragma once
// Values a record can hold but the editor never writes: a player count
// outside 1..4, a square kind beyond 6, a reference beyond its slots, an
// enumeration without a meaning. The format allows them (a hand-edited JSON,
// a file from elsewhere); readers accept them and tell the user.

#include <string>
#include <vector>

#include "model/game_record.h"

namespace banmen {

// One line per value out of range, named by its place as the JSON form
// names it: "settings.playerCount: 9 is outside 1..4",
// "squares[3].nextSquares[1]: 250 is outside -1..199". In record order.
std::vector<std::string> outOfRangeValues(const GameRecord& record);

}  // namespace banmen
