#pragma once
// When a game is over, and the rule summary the opening shows.

#include <cstdint>
#include <string>

#include "model/game_record.h"

namespace banmen {

// Counts over the n players taking part.
struct PlayerCounts {
    int players = 0;          // n
    int finished = 0;         // finish status not 0
    int retired = 0;          // finish status -1
    int persons = 0;          // computer flag 0
    int finishedPersons = 0;  // persons with finish status not 0
};

PlayerCounts CountPlayers(const GameRecord& record, int playerCount);

// End condition 0: someone reached a goal, or all finished, or every person
// finished; 1: every person finished, or all finished; 2: all finished; any
// other value: never.
bool CheckEnd(std::int32_t endCondition, const PlayerCounts& counts);

// The rule texts of an end condition and of the record's victory condition
// (Shift-JIS; empty for a code outside the tables).
std::string EndRuleText(std::int32_t endCondition);
std::string VictoryRuleText(const GameRecord& record);

// "【参加人数】%d人\r\n\r\n【終了条件】\r\n%s\r\n\r\n【勝利条件】\r\n%s", Shift-JIS.
std::string RuleText(const GameRecord& record);

}  // namespace banmen
