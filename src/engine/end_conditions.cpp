#include "engine/end_conditions.h"

#include "model/text_field.h"
#include "platform/sjis.h"

namespace banmen {

PlayerCounts CountPlayers(const GameRecord& record, int n) {
    PlayerCounts counts;
    counts.players = n;
    for (int p = 0; p < n; ++p) {
        const PlayerDef& player = record.players[p];
        const bool finished = player.finishState != 0;
        const bool person = player.isComputer == 0;
        counts.finished += finished ? 1 : 0;
        counts.retired += player.finishState == -1 ? 1 : 0;
        counts.persons += person ? 1 : 0;
        counts.finishedPersons += finished && person ? 1 : 0;
    }
    return counts;
}

bool CheckEnd(std::int32_t endCondition, const PlayerCounts& c) {
    const bool allFinished = c.finished == c.players;
    const bool allPersonsFinished = c.persons > 0 && c.finishedPersons == c.persons;
    switch (endCondition) {
        case kEndFirstGoal:
            return c.finished - c.retired > 0 || allFinished || allPersonsFinished;
        case kEndAllPeopleGoal:
            return allPersonsFinished || allFinished;
        case kEndAllGoal:
            return allFinished;
        default:
            return false;
    }
}

std::string EndRuleText(std::int32_t endCondition) {
    switch (endCondition) {
        case kEndFirstGoal:
            return sjis::lit("誰かがｺﾞｰﾙしたら終了");
        case kEndAllPeopleGoal:
            return sjis::lit("全員がｺﾞｰﾙしたら終了（ｺﾝﾋﾟｭｰﾀは除く）");
        case kEndAllGoal:
            return sjis::lit("全員がｺﾞｰﾙしたら終了");
        default:
            return {};
    }
}

std::string VictoryRuleText(const GameRecord& record) {
    const std::int32_t victory = record.settings.victoryCondition;
    if (victory == kVictoryGoalOrder) {
        return sjis::lit("早くゴールした人が勝ち");
    }
    if (victory < 1 || victory > kDataItemCount) {
        return {};
    }
    return std::string(fieldText(record.dataItems[victory - 1].name)) +
           sjis::lit("が大きい人が勝ち");
}

std::string RuleText(const GameRecord& record) {
    return sjis::lit("【参加人数】") + std::to_string(record.settings.playerCount) +
           sjis::lit("人\r\n\r\n【終了条件】\r\n") + EndRuleText(record.settings.endCondition) +
           sjis::lit("\r\n\r\n【勝利条件】\r\n") + VictoryRuleText(record);
}

}  // namespace banmen
