// The data updates and state changes of a square, applied when a piece stops
// on it: each target, operator and operand, read from the transcript and the
// panel texts.

#include <gtest/gtest.h>

#include <limits>

#include "engine/update_code.h"
#include "game_builder.h"
#include "model/text_field.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::Harness;
using test::putText;

class DataUpdatesTest : public ::testing::Test {
  protected:
    DataUpdatesTest() {
        b.line(0, 5);
        b.players(4);
    }

    SquareDef& sq() { return b.r().squares[1]; }

    void update(int u, std::int32_t op, std::int32_t operand, std::int32_t target,
                std::int32_t amount, std::string_view message = {}) {
        sq().updateCodes[u] = encodeUpdate(op, operand, target);
        sq().updateValues[u] = amount;
        putText(sq().updateTexts[u], kNameMax, message);
    }

    // Player 0 throws `first` and stops on square 1 (first = 1); later faces
    // go to dice operands.
    void play(std::vector<int> faces = {1}, bool debug = false) {
        PlayOptions options;
        options.forcedDice = std::move(faces);
        h.session.setOptions(options);
        h.startAtTurns(b.r(), debug);
        h.session.Step();
    }

    std::int32_t value(int player, int item = 0) const {
        return h.session.record().players[player].dataValues[item];
    }

    // "player old->new" of every data event.
    std::vector<std::string> changes() const {
        std::vector<std::string> out;
        for (const JsonValue& e : h.events("data")) {
            out.push_back(std::to_string(e.find("player")->asInteger()) + " " +
                          std::to_string(e.find("old")->asInteger()) + "->" +
                          std::to_string(e.find("new")->asInteger()));
        }
        return out;
    }

    int resultWaits() const { return h.screen.count("wait look8 timeout2000 top392"); }

    GameBuilder b;
    Harness h;
};

using Strings = std::vector<std::string>;

TEST_F(DataUpdatesTest, AddFromTheBankShowsTheMessageAndTheResult) {
    update(0, OPOADD, OPMONE, OPFBNK, 100, "ボーナス");
    play();
    EXPECT_EQ(changes(), Strings{"0 0->100"});
    EXPECT_TRUE(h.screen.hasText("ボーナス"));
    EXPECT_TRUE(h.screen.hasText("所持金が100円増えました"));
    EXPECT_EQ(resultWaits(), 1);
    const auto first = std::find(h.screen.log.begin(), h.screen.log.end(), "info 0");
    ASSERT_NE(first, h.screen.log.end());
    EXPECT_EQ(*(first + 1), "pause 100");
    EXPECT_EQ(h.screen.count("pause 1000"), 2);  // the thrown face, the end of the updates
    EXPECT_EQ(h.screen.count("hideInfo"), 1);
}

TEST_F(DataUpdatesTest, AddFromAllOthersTakesFromEachAndGivesTheSum) {
    update(0, OPOADD, OPMONE, OPFALL, 10);
    play();
    EXPECT_EQ(changes(), (Strings{"1 0->-10", "2 0->-10", "3 0->-10", "0 0->30"}));
    EXPECT_TRUE(h.screen.hasText("所持金が30円増えました"));
    EXPECT_EQ(h.screen.count("info -1"), 1);
}

TEST_F(DataUpdatesTest, SubtractToAllOthersAndFinishedPlayersCount) {
    b.r().players[2].finishState = 1;  // reset by the start: still counted
    update(0, OPOSUB, OPMONE, OPFALL, 10);
    play();
    EXPECT_EQ(changes(), (Strings{"1 0->10", "2 0->10", "3 0->10", "0 0->-30"}));
    EXPECT_TRUE(h.screen.hasText("所持金が30円減りました"));
}

TEST_F(DataUpdatesTest, SubtractToAllOthersWithOnePlayerChangesNothing) {
    b.players(1);
    update(0, OPOSUB, OPMONE, OPFALL, 10);
    play();
    EXPECT_EQ(changes(), Strings{"0 0->0"});
    EXPECT_TRUE(h.screen.hasText("所持金が0円減りました"));
}

TEST_F(DataUpdatesTest, SomeoneElseIsChosenEvenForAComputer) {
    update(0, OPOADD, OPMONE, OPFPLY, 50);
    h.screen.playerChoices = {2};
    play();
    EXPECT_EQ(changes(), (Strings{"2 0->-50", "0 0->50"}));
    EXPECT_EQ(h.screen.count("choosePlayer 0"), 1);
    EXPECT_EQ(h.screen.count("info 2"), 2);
}

TEST_F(DataUpdatesTest, NoChoiceLeavesTheOthersButTheActingPlayerStillPays) {
    update(0, OPOSUB, OPMONE, OPFPLY, 50);
    h.screen.playerChoices = {-1};
    play();
    EXPECT_EQ(changes(), Strings{"0 0->-50"});
}

TEST_F(DataUpdatesTest, AChoiceOfTheActingPlayerOrOneNotTakingPartCountsAsNone) {
    b.players(3);
    update(0, OPOADD, OPMONE, OPFPLY, 5);
    update(1, OPOADD, OPMONE, OPFPLY, 5);
    h.screen.playerChoices = {0, 3};
    play();
    EXPECT_EQ(changes(), (Strings{"0 0->5", "0 0->5"}));
    EXPECT_EQ(value(0, 1), 5);
}

TEST_F(DataUpdatesTest, AHiddenItemChangesWithoutAWord) {
    b.r().dataItems[0].visible = 0;
    update(0, OPOADD, OPMONE, OPFALL, 10, "見えない");
    play();
    EXPECT_EQ(value(0), 30);
    EXPECT_EQ(value(1), -10);
    EXPECT_FALSE(h.screen.hasText("見えない"));
    EXPECT_FALSE(h.screen.hasText("所持金が30円増えました"));
    EXPECT_EQ(resultWaits(), 0);
    EXPECT_EQ(h.screen.count("info -1"), 0);
}

TEST_F(DataUpdatesTest, DivisionTruncatesTowardZeroAndByZeroDoesNothing) {
    b.r().players[0].dataValues[0] = -7;
    update(0, OPODIV, OPMONE, OPFBNK, 2);
    update(1, OPODIV, OPMITM1 + 0x200, OPFBNK, 5);  // item 3 is 0: divide by 0
    b.r().dataItems[1].visible = 1;
    play();
    EXPECT_EQ(changes(), Strings{"0 -7->-3"});
    EXPECT_TRUE(h.screen.hasText("所持金が2分の1になりました"));
    EXPECT_EQ(resultWaits(), 1);
}

TEST_F(DataUpdatesTest, SetWithAmountZeroSetsZeroAndOtherZeroAmountsDoNothing) {
    b.r().players[0].dataValues[0] = 500;
    update(0, OPOSET, OPMONE, OPFBNK, 0);
    update(1, OPOADD, OPMONE, OPFBNK, 0);
    update(2, OPOSET, OPMDIC1, OPFBNK, 0);
    play();
    EXPECT_EQ(changes(), Strings{"0 500->0"});
    EXPECT_TRUE(h.screen.hasText("所持金が0円になりました"));
    EXPECT_EQ(h.events("throw").size(), 1u);
}

TEST_F(DataUpdatesTest, MultiplyAndSetByAnItem) {
    b.r().players[0].dataValues[0] = 4;
    b.r().players[0].dataValues[2] = 5;
    update(0, OPOMUL, OPMONE, OPFBNK, 3);
    update(1, OPOSET, OPMITM1 + 0x200, OPFBNK, 3);
    play();
    EXPECT_EQ(value(0), 12);
    EXPECT_EQ(value(0, 1), 15);
    EXPECT_TRUE(h.screen.hasText("所持金が3倍になりました"));
}

TEST_F(DataUpdatesTest, AnItemOperandReadsTheValueBeforeThisUpdate) {
    b.r().players[0].dataValues[0] = 7;
    update(0, OPOADD, OPMITM1, OPFBNK, 2);
    play();
    EXPECT_EQ(changes(), Strings{"0 7->21"});
}

TEST_F(DataUpdatesTest, DiceOperandsThrowAndRemoveTheDice) {
    update(0, OPOADD, OPMDIC2, OPFBNK, 10);
    play({1, 3, 4});
    EXPECT_EQ(changes(), Strings{"0 0->70"});
    const auto throws = h.events("throw");
    ASSERT_EQ(throws.size(), 2u);
    EXPECT_EQ(throws[1].find("for")->asString(), "update");
    EXPECT_EQ(throws[1].find("faces")->elements().size(), 2u);
    EXPECT_EQ(throws[1].find("total")->asInteger(), 7);
    EXPECT_EQ(h.screen.count("dice 3 4"), 1);
    EXPECT_EQ(h.screen.count("removeDice"), 2);
}

TEST_F(DataUpdatesTest, ArithmeticWrapsAtThirtyTwoBits) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    b.r().players[0].dataValues[0] = kMax;
    b.r().players[0].dataValues[1] = 65536;
    update(0, OPOADD, OPMONE, OPFBNK, 1);
    update(1, OPOMUL, OPMONE, OPFALL, 65536);
    play();
    EXPECT_EQ(value(0), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(value(0, 1), 0);
}

TEST_F(DataUpdatesTest, StateChangesShowEvenWhenTheTextStaysTheSame) {
    putText(b.r().states[0].name, kNameMax, "体調");
    b.r().states[0].visible = 1;
    b.r().states[1].visible = 1;  // no name
    putText(b.r().players[0].stateTexts[0], kNameMax, "元気");
    putText(sq().stateChanges[0], kNameMax, "元気");
    putText(sq().stateChanges[1], kNameMax, "晴れ");
    putText(sq().stateChanges[2], kNameMax, "秘密");  // hidden state
    play();
    EXPECT_TRUE(h.screen.hasText("体調が元気になりました"));
    EXPECT_TRUE(h.screen.hasText("晴れになりました"));
    EXPECT_FALSE(h.screen.hasText("秘密になりました"));
    EXPECT_EQ(resultWaits(), 2);
    const auto states = h.events("state");
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[0].find("old")->asString(), "元気");
    EXPECT_EQ(states[2].find("new")->asString(), "秘密");
    EXPECT_EQ(sjis::toUtf8Lossy(fieldText(h.session.record().players[0].stateTexts[2])), "秘密");
}

TEST_F(DataUpdatesTest, AnAbortedResultWaitEndsTheWholeSquare) {
    update(0, OPOADD, OPMONE, OPFBNK, 1);
    update(1, OPOADD, OPMONE, OPFBNK, 1);
    b.r().dataItems[1].visible = 1;
    putText(sq().stateChanges[0], kNameMax, "x");
    sq().arrivalJump = 4;
    PlayOptions options;
    options.forcedDice = {1};
    h.session.setOptions(options);
    h.startAtTurns(b.r());
    h.screen.abortWhen = [this](const Button&) {
        return h.screen.count("text 所持金が1円増えました") > 0;
    };
    h.session.Step();
    EXPECT_EQ(changes(), Strings{"0 0->1"});
    EXPECT_TRUE(h.events("state").empty());
    EXPECT_EQ(h.session.record().players[0].currentSquare, 1);
    EXPECT_EQ(h.screen.count("hideInfo"), 0);
    h.run();
    EXPECT_EQ(h.events("end").back().find("reason")->asString(), "stopped");
}

TEST_F(DataUpdatesTest, AClosedDicePromptSkipsOnlyThatUpdate) {
    update(0, OPOADD, OPMDIC1, OPFBNK, 10);
    update(1, OPOADD, OPMONE, OPFBNK, 3);
    h.screen.dieFaces = {1, -1};
    play({}, true);
    EXPECT_EQ(changes(), Strings{"0 0->3"});
    EXPECT_EQ(h.events("data").back().find("item")->asInteger(), 1);
    EXPECT_EQ(h.events("throw").size(), 1u);
    EXPECT_EQ(h.screen.captions, (Strings{" 盤面工房 サイコロ振り （デバッグ）",
                                          " 盤面工房 サイコロ振り （デバッグ）"}));
}

TEST_F(DataUpdatesTest, ThreeDiceAreAskedOneByOneInADebugRun) {
    update(0, OPOSET, OPMDIC3, OPFBNK, 1);
    h.screen.dieFaces = {1, 6, 5, 4};
    play({}, true);
    EXPECT_EQ(
        h.screen.captions,
        (Strings{" 盤面工房 サイコロ振り （デバッグ）", " 盤面工房 １個目のサイコロの目は？",
                 " 盤面工房 ２個目のサイコロの目は？", " 盤面工房 ３個目のサイコロの目は？"}));
    EXPECT_EQ(value(0), 15);
    EXPECT_EQ(h.screen.count("dice 6 5 4"), 1);
}

TEST_F(DataUpdatesTest, NoActiveUpdateStillEndsWithTheFinalPause) {
    play();
    EXPECT_EQ(h.screen.count("info 0"), 0);
    EXPECT_EQ(h.screen.count("pause 100"), 0);
    EXPECT_EQ(h.screen.count("hideInfo"), 1);
}

}  // namespace
}  // namespace banmen
