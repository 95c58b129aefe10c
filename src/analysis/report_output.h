#pragma once
// The analysis as text for people and as JSON for tools, both UTF-8. Neither
// names the thread count or the time taken, so that the same seed gives the
// same bytes on any machine.
//
// JSON keys: games, seed, maxTurns, finished, stoppedByTurnLimit,
// stoppedByJumpChain; turnsPerGame {mean, median, p90, max} (null values
// when no game finished); players [{index, name, ranks, finished}]; squares
// [{index, name, stops, passes}] for the squares in use; findings [{code,
// message, and square, player, image or sound where they apply}].

#include <string>
#include <vector>

#include "analysis/finding.h"
#include "analysis/simulation.h"
#include "model/game_record.h"

namespace banmen {

std::string AnalysisJson(const GameRecord& record, const std::vector<Finding>& findings,
                         const SimulationReport& report);
std::string AnalysisText(const GameRecord& record, const std::vector<Finding>& findings,
                         const SimulationReport& report);

// A number with `decimals` digits after the point, whatever the locale.
std::string fixedNumber(double value, int decimals);

}  // namespace banmen
