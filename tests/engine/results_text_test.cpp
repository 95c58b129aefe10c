// The end test, the rule text, the ranking and the result sheets.

#include <gtest/gtest.h>

#include "engine/end_conditions.h"
#include "engine/player_info.h"
#include "engine/ranking.h"
#include "game_builder.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::putText;

PlayerCounts counts(int n, int finished, int retired, int persons, int finishedPersons) {
    return {n, finished, retired, persons, finishedPersons};
}

TEST(CheckEndTest, FirstGoalEndsOnAGoalOrWhenEveryPersonOrEveryoneIsDone) {
    EXPECT_FALSE(CheckEnd(0, counts(4, 0, 0, 1, 0)));
    EXPECT_TRUE(CheckEnd(0, counts(4, 1, 0, 1, 0)));
    // A retirement alone does not end it...
    EXPECT_FALSE(CheckEnd(0, counts(4, 1, 1, 2, 1)));
    // ...unless it was the only person.
    EXPECT_TRUE(CheckEnd(0, counts(4, 1, 1, 1, 1)));
    EXPECT_TRUE(CheckEnd(0, counts(2, 2, 2, 0, 0)));
    // Computers only: no person to wait for.
    EXPECT_FALSE(CheckEnd(0, counts(3, 1, 1, 0, 0)));
}

TEST(CheckEndTest, AllPersonsAndAllPlayers) {
    EXPECT_TRUE(CheckEnd(1, counts(4, 1, 0, 1, 1)));
    EXPECT_FALSE(CheckEnd(1, counts(4, 3, 0, 2, 1)));
    EXPECT_FALSE(CheckEnd(1, counts(4, 3, 0, 0, 0)));
    EXPECT_TRUE(CheckEnd(1, counts(4, 4, 1, 0, 0)));
    EXPECT_FALSE(CheckEnd(2, counts(4, 3, 0, 1, 1)));
    EXPECT_TRUE(CheckEnd(2, counts(4, 4, 4, 1, 1)));
    EXPECT_FALSE(CheckEnd(3, counts(4, 4, 0, 1, 1)));
    EXPECT_FALSE(CheckEnd(-1, counts(1, 1, 0, 1, 1)));
}

TEST(CountPlayersTest, CountsOnlyThePlayersTakingPart) {
    GameBuilder b;
    b.r().players[0].finishState = 1;
    b.r().players[1].finishState = -1;
    b.r().players[1].isComputer = 1;
    b.r().players[2].finishState = -2;
    b.r().players[3].finishState = 2;  // not taking part
    const PlayerCounts c = CountPlayers(b.r(), 3);
    EXPECT_EQ(c.players, 3);
    EXPECT_EQ(c.finished, 3);
    EXPECT_EQ(c.retired, 1);
    EXPECT_EQ(c.persons, 2);
    EXPECT_EQ(c.finishedPersons, 2);
}

TEST(RuleTextTest, IsTheSummaryByteForByte) {
    GameBuilder b;
    b.r().settings.playerCount = 3;
    b.r().settings.endCondition = 1;
    b.r().settings.victoryCondition = 0;
    const std::string text = RuleText(b.r());
    EXPECT_EQ(sjis::toUtf8Lossy(text),
              "【参加人数】3人\r\n\r\n【終了条件】\r\n全員がｺﾞｰﾙしたら終了（ｺﾝﾋﾟｭｰﾀは除く）"
              "\r\n\r\n【勝利条件】\r\n早くゴールした人が勝ち");
    // Half-width katakana stay single bytes: ｺﾞｰﾙ.
    EXPECT_NE(text.find("\xBA\xDE\xB0\xD9"), std::string::npos);

    b.r().settings.endCondition = 0;
    b.r().settings.victoryCondition = 2;
    putText(b.r().dataItems[1].name, kNameMax, "友達");
    EXPECT_EQ(sjis::toUtf8Lossy(RuleText(b.r())),
              "【参加人数】3人\r\n\r\n【終了条件】\r\n誰かがｺﾞｰﾙしたら終了\r\n\r\n【勝利条件】\r\n"
              "友達が大きい人が勝ち");
}

TEST(RuleTextTest, UnnamedItemsAndUnknownCodes) {
    GameBuilder b;
    b.r().settings.endCondition = 2;
    b.r().settings.victoryCondition = 5;
    EXPECT_EQ(sjis::toUtf8Lossy(RuleText(b.r())),
              "【参加人数】4人\r\n\r\n【終了条件】\r\n全員がｺﾞｰﾙしたら終了\r\n\r\n【勝利条件】\r\n"
              "が大きい人が勝ち");
    b.r().settings.endCondition = 3;
    b.r().settings.victoryCondition = 6;
    EXPECT_EQ(sjis::toUtf8Lossy(RuleText(b.r())),
              "【参加人数】4人\r\n\r\n【終了条件】\r\n\r\n\r\n【勝利条件】\r\n");
}

std::vector<std::pair<int, int>> rows(const GameRecord& r, int n) {
    std::vector<std::pair<int, int>> out;
    for (const RankRow& row : RankPlayers(r, n)) {
        out.emplace_back(row.player, row.rank);
    }
    return out;
}

using Rows = std::vector<std::pair<int, int>>;

TEST(RankingTest, GoalOrderThenTheRestInIndexOrderWithoutRank) {
    GameBuilder b;
    const int states[] = {2, -1, 1, -2};
    for (int p = 0; p < 4; ++p) {
        b.r().players[p].finishState = states[p];
    }
    EXPECT_EQ(rows(b.r(), 4), (Rows{{2, 1}, {0, 2}, {1, 0}, {3, 0}}));
    EXPECT_EQ(RanksByPlayer(b.r(), 4), (std::vector<std::int32_t>{2, 0, 1, 0}));
    // Only the n players taking part are ranked.
    EXPECT_EQ(rows(b.r(), 2), (Rows{{0, 2}, {1, 0}}));
}

TEST(RankingTest, DataVictoryHasDenseRanksAndTiesInIndexOrder) {
    GameBuilder b;
    b.r().settings.victoryCondition = 1;
    const int values[] = {30, 10, 30, 5};
    for (int p = 0; p < 4; ++p) {
        b.r().players[p].dataValues[0] = values[p];
        b.r().players[p].finishState = -2;
    }
    EXPECT_EQ(rows(b.r(), 4), (Rows{{0, 1}, {2, 1}, {1, 2}, {3, 3}}));
}

TEST(RankingTest, ARetiredPlayerSortsAtMinusOneAndShowsNoRank) {
    GameBuilder b;
    b.r().settings.victoryCondition = 2;
    const int values[] = {0, 100, -5, 3};
    for (int p = 0; p < 4; ++p) {
        b.r().players[p].dataValues[1] = values[p];
    }
    b.r().players[1].finishState = -1;
    b.r().players[0].finishState = 1;
    EXPECT_EQ(rows(b.r(), 4), (Rows{{3, 1}, {0, 2}, {1, 0}, {2, 4}}));
    // A player whose value is -1 ties with the retired one and keeps its rank.
    b.r().players[2].dataValues[1] = -1;
    EXPECT_EQ(rows(b.r(), 4), (Rows{{3, 1}, {0, 2}, {1, 0}, {2, 3}}));
}

TEST(RankingTest, AnUnknownVictoryHasNoTableAndTheTableTopFollowsTheCount) {
    GameBuilder b;
    b.r().settings.victoryCondition = 6;
    EXPECT_TRUE(RankPlayers(b.r(), 4).empty());
    EXPECT_EQ(RanksByPlayer(b.r(), 4), (std::vector<std::int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(rankTableTop(4), 64);
    EXPECT_EQ(rankTableTop(1), 100);
    EXPECT_EQ(rankTableTop(3), 76);
}

TEST(PlayerInfoTest, ResultSheetPadsNamesToEightBytes) {
    GameBuilder b;
    putText(b.r().states[0].name, kNameMax, "体調");
    b.r().states[0].visible = 1;
    b.r().states[2].visible = 1;  // no name: the text alone
    putText(b.r().players[1].stateTexts[0], kNameMax, "元気");
    putText(b.r().players[1].stateTexts[2], kNameMax, "晴れ");
    b.r().players[1].dataValues[0] = -100;
    b.r().dataItems[3].visible = 1;  // no name: not shown
    putText(b.r().dataItems[4].name, kNameMax, "LongName9");
    b.r().dataItems[4].visible = 1;
    EXPECT_EQ(resultItemCount(b.r()), 4);
    EXPECT_EQ(sjis::toUtf8Lossy(ResultSheetText(b.r(), 1)),
              "体調    　元気\r\n晴れ\r\n所持金  　-100円\r\nLongName9　0");
}

TEST(PlayerInfoTest, PanelShowsTheFirstVisibleStateAndItem) {
    GameBuilder b;
    b.r().dataItems[0].visible = 0;
    b.r().dataItems[1].visible = 1;  // first visible item has no name: nothing
    putText(b.r().dataItems[2].name, kNameMax, "X");
    b.r().dataItems[2].visible = 1;
    b.r().states[1].visible = 1;
    putText(b.r().players[0].stateTexts[1], kNameMax, "ok");
    const PanelSummary summary = PlayerPanelSummary(b.r(), 0);
    EXPECT_TRUE(summary.hasState);
    EXPECT_EQ(summary.state.value, "ok");
    EXPECT_FALSE(summary.hasData);
    EXPECT_EQ(resultItemCount(b.r()), 2);
    // With nothing visible the sheet is empty.
    b.r().states[1].visible = 0;
    b.r().dataItems[2].visible = 0;
    EXPECT_EQ(resultItemCount(b.r()), 0);
    EXPECT_EQ(ResultSheetText(b.r(), 0), "");
}

}  // namespace
}  // namespace banmen
