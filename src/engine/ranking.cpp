#include "engine/ranking.h"

#include <algorithm>

namespace banmen {

std::vector<RankRow> RankPlayers(const GameRecord& record, int n) {
    std::vector<RankRow> rows;
    const std::int32_t victory = record.settings.victoryCondition;
    if (victory == kVictoryGoalOrder) {
        for (int k = 1; k <= n; ++k) {
            for (int p = 0; p < n; ++p) {
                if (record.players[p].finishState == k) {
                    rows.push_back({p, k});
                    break;
                }
            }
        }
        for (int p = 0; p < n; ++p) {
            if (record.players[p].finishState < 0) {
                rows.push_back({p, 0});
            }
        }
        return rows;
    }
    if (victory < 1 || victory > kDataItemCount) {
        return rows;
    }
    const int item = victory - 1;
    struct Keyed {
        std::int32_t player;
        std::int32_t key;
    };
    std::vector<Keyed> keyed;
    for (int p = 0; p < n; ++p) {
        const PlayerDef& player = record.players[p];
        keyed.push_back({p, player.finishState == -1 ? -1 : player.dataValues[item]});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key > b.key; });
    std::int32_t rank = 0;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed[i].key != keyed[i - 1].key) {
            ++rank;
        }
        const bool retired = record.players[keyed[i].player].finishState == -1;
        rows.push_back({keyed[i].player, retired ? 0 : rank});
    }
    return rows;
}

std::vector<std::int32_t> RanksByPlayer(const GameRecord& record, int n) {
    std::vector<std::int32_t> ranks(static_cast<std::size_t>(std::max(n, 0)), 0);
    for (const RankRow& row : RankPlayers(record, n)) {
        ranks[static_cast<std::size_t>(row.player)] = row.rank;
    }
    return ranks;
}

}  // namespace banmen
