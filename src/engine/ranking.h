#pragma once
// The players' ranking under the game's victory condition, row by row as the
// results table shows it.

#include <cstdint>
#include <vector>

#include "model/game_record.h"

namespace banmen {

struct RankRow {
    std::int32_t player = 0;
    std::int32_t rank = 0;  // 1, 2, ...; 0 = the no-rank badge
};

// Goal order: the player with finish status k for k = 1..n, then every player
// with a negative status, in index order, without rank. Data item d (victory
// 1..5): by the item's value, largest first (a retired player's key is -1),
// dense ranks, ties in index order; a retired player shows no rank. Any other
// victory code gives no table.
std::vector<RankRow> RankPlayers(const GameRecord& record, int playerCount);

// The rank the table shows for each of the n players: 0 where it shows none
// or the player has no row.
std::vector<std::int32_t> RanksByPlayer(const GameRecord& record, int playerCount);

// The first row's baseline: (96 - n * 24) / 2 + 64.
constexpr int rankTableTop(int playerCount) {
    return (96 - playerCount * 24) / 2 + 64;
}

}  // namespace banmen
