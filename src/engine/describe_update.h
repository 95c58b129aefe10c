#pragma once
// The plain-language description of one data update of a square, as the
// editor's square page shows it (Shift-JIS).

#include <string>

#include "model/game_record.h"

namespace banmen {

// Update `update` (0..4, for data item update + 1) of square `square`; empty
// for an index outside the record.
std::string DescribeDataUpdate(const GameRecord& record, int square, int update);

}  // namespace banmen
