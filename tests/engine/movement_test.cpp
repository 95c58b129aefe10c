// Scripted games on small maps: every way a piece moves, and the squares
// that get resolved, read from the game's transcript.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "game_builder.h"

namespace banmen {
namespace {

using test::GameBuilder;
using test::Harness;
using Strings = std::vector<std::string>;
using Squares = std::vector<std::int64_t>;

PlayOptions dice(std::vector<int> faces) {
    PlayOptions options;
    options.forcedDice = std::move(faces);
    return options;
}

// Plays `turns` turns of a game from its first turn.
void playTurns(Harness& h, const GameRecord& record, PlayOptions options, int turns) {
    h.session.setOptions(std::move(options));
    h.startAtTurns(record);
    for (int t = 0; t < turns; ++t) {
        h.session.Step();
    }
}

TEST(MovementTest, AThrowPastTheGoalTurnsBackAtIt) {
    GameBuilder b;
    b.line(0, 3);
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({5}), 1);
    EXPECT_EQ(h.moves(0),
              (Strings{"step 0->1", "step 1->2", "step 2->3", "walkBack 3->2", "walkBack 2->1"}));
    EXPECT_EQ(h.resolved(0), Squares{1});
    EXPECT_EQ(h.session.record().players[0].finishState, 0);
    EXPECT_EQ(h.session.record().players[0].currentSquare, 1);
    EXPECT_EQ(h.session.trailLength(0), 2);
    EXPECT_EQ(h.session.trailEntry(0, 1), 1);
}

TEST(MovementTest, AnExactThrowReachesTheGoal) {
    GameBuilder b;
    b.line(0, 3);
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({3}), 1);
    EXPECT_EQ(h.resolved(0), Squares{3});
    EXPECT_EQ(h.session.record().players[0].finishState, 1);
    EXPECT_EQ(h.session.goalCounter(), 1);
}

TEST(MovementTest, ADeadEndWalksBackByTheWholeThrowButNoFurtherThanTheTrail) {
    GameBuilder b;
    b.square(0, kSquareStart, {1});
    b.square(1, kSquareNormal, {2});
    b.square(2, kSquareNormal);
    b.players(1);
    {
        Harness h;
        playTurns(h, b.r(), dice({2, 1}), 2);
        EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->2", "walkBack 2->1"}));
        EXPECT_EQ(h.resolved(0), (Squares{2, 1}));
    }
    {
        Harness h;
        playTurns(h, b.r(), dice({2, 5}), 2);
        EXPECT_EQ(h.moves(0),
                  (Strings{"step 0->1", "step 1->2", "walkBack 2->1", "walkBack 1->0"}));
        EXPECT_EQ(h.resolved(0), (Squares{2, 0}));
        EXPECT_EQ(h.session.trailLength(0), 1);
    }
}

TEST(MovementTest, APieceOnItsFirstTrailEntryAtADeadEndStaysPut) {
    GameBuilder b;
    b.square(0, kSquareStart);
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({4, 6}), 2);
    EXPECT_TRUE(h.moves(0).empty());
    EXPECT_EQ(h.resolved(0), (Squares{0, 0}));
    EXPECT_EQ(h.session.trailLength(0), 1);
}

TEST(MovementTest, APersonWhoTurnsBackAtABranchGetsTheEarlierStepBack) {
    GameBuilder b;
    b.square(0, kSquareStart, {1});
    b.square(1, kSquareNormal, {2, 0});
    b.line(2, 5);
    b.players(1);
    Harness h;
    h.screen.squareChoices = {0, 2};
    playTurns(h, b.r(), dice({3}), 1);
    // The turn back costs nothing: three pips still take the piece three
    // squares beyond the start.
    EXPECT_EQ(h.moves(0),
              (Strings{"step 0->1", "step 1->0 undone", "step 0->1", "step 1->2", "step 2->3"}));
    EXPECT_EQ(h.resolved(0), Squares{3});
    EXPECT_EQ(h.session.trailLength(0), 4);
    ASSERT_EQ(h.screen.offered.size(), 2u);
    EXPECT_EQ(h.screen.offered[0], (std::vector<int>{2, 0}));
}

TEST(MovementTest, APersonWhoTurnsBackAgainAndAgainGetsEveryStepBack) {
    GameBuilder b;
    b.square(0, kSquareStart, {1});
    b.square(1, kSquareNormal, {0, 2});
    b.line(2, 5);
    b.players(1);
    Harness h;
    h.screen.squareChoices = std::deque<int>(20, 0);
    h.screen.squareChoices.push_back(2);
    playTurns(h, b.r(), dice({3}), 1);
    // Twenty turns back cost nothing: the three pips still end on square 3.
    EXPECT_EQ(h.moves(0).size(), 43u);
    EXPECT_EQ(h.resolved(0), Squares{3});
    EXPECT_EQ(h.session.trailLength(0), 4);
}

TEST(MovementTest, StepsBackWithoutAChoiceAreGivenBackNoMoreOftenThanTheThrow) {
    const Strings expected = {"step 0->1", "step 1->0 undone", "step 0->1", "step 1->0 undone",
                              "step 0->1", "step 1->0 undone", "step 0->1", "step 1->0 undone",
                              "step 0->1", "step 1->0 undone", "step 0->1"};
    {
        // Two squares linked only to each other.
        GameBuilder b;
        b.square(0, kSquareStart, {1});
        b.square(1, kSquareNormal, {0});
        b.players(1);
        Harness h;
        playTurns(h, b.r(), dice({3}), 1);
        EXPECT_EQ(h.moves(0), expected);
        EXPECT_EQ(h.resolved(0), Squares{1});
    }
    {
        // A person offered two links that both lead back has no choice.
        GameBuilder b;
        b.square(0, kSquareStart, {1});
        b.square(1, kSquareNormal, {0, 0});
        b.players(1);
        Harness h;
        playTurns(h, b.r(), dice({3}), 1);
        EXPECT_EQ(h.moves(0), expected);
        EXPECT_EQ(h.resolved(0), Squares{1});
    }
}

TEST(MovementTest, AComputerNeverTurnsBackAtABranch) {
    GameBuilder b;
    b.square(0, kSquareStart, {1});
    b.square(1, kSquareNormal, {0, 2});
    b.line(2, 4);
    b.players(1);
    for (std::vector<int> randoms : {std::vector<int>{0}, {0, 0, 0, 1}, {2, 4, 6, 7, 8}}) {
        Harness h(randoms);
        h.session.setOptions(dice({2}));
        h.startAtTurns(b.r());
        h.session.SetComputer(0, true);
        h.session.Step();
        EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->2"}));
        EXPECT_TRUE(h.screen.offered.empty());
    }
}

TEST(MovementTest, AComputerWhoseLinksAllLeadBackGoesBack) {
    GameBuilder b;
    b.square(0, kSquareStart, {1});
    b.square(1, kSquareNormal, {0, 0});
    b.players(1);
    Harness h({1});
    h.session.setOptions(dice({2}));
    h.startAtTurns(b.r());
    h.session.SetComputer(0, true);
    h.session.Step();
    // No choice was offered: two steps are given back, then each costs a pip.
    EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->0 undone", "step 0->1", "step 1->0 undone",
                                   "step 0->1", "step 1->0 undone", "step 0->1"}));
    EXPECT_EQ(h.resolved(0), Squares{1});
}

TEST(MovementTest, InADebugRunEveryBranchIsAskedForComputersToo) {
    GameBuilder b;
    b.square(0, kSquareStart, {1, 2});
    b.square(1, kSquareGoal);
    b.square(2, kSquareGoal);
    b.players(2);
    b.r().settings.endCondition = kEndAllGoal;
    Harness h;
    h.screen.squareChoices = {2, 1};
    h.screen.dieFaces = {1, 1};
    h.startAtTurns(b.r(), true);
    h.session.Step();
    h.session.Step();
    EXPECT_EQ(h.screen.offered.size(), 2u);
    EXPECT_EQ(h.moves(0), Strings{"step 0->2"});
    EXPECT_EQ(h.moves(1), Strings{"step 0->1"});
}

TEST(MovementTest, PassJumpsResolveTheSquareThenJumpAndLoseTheRestOfTheThrow) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[2].passJump = 5;
    b.players(1);
    {
        Harness h;
        playTurns(h, b.r(), dice({4}), 1);
        EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->2", "pass 2->5"}));
        EXPECT_EQ(h.resolved(0), (Squares{2, 5}));
    }
    {
        // Stopping exactly on it: the same.
        Harness h;
        playTurns(h, b.r(), dice({2}), 1);
        EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->2", "pass 2->5"}));
        EXPECT_EQ(h.resolved(0), (Squares{2, 5}));
        EXPECT_EQ(h.session.trailLength(0), 4);
    }
}

TEST(MovementTest, APassJumpOntoItselfEndsTheMoveAndResolvesOnce) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[2].passJump = 2;
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({5}), 1);
    EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "step 1->2", "pass 2->2"}));
    EXPECT_EQ(h.resolved(0), Squares{2});
}

TEST(MovementTest, NoPassJumpOnTheStartSquareOrOnTheWayBack) {
    GameBuilder b;
    b.line(0, 3);
    b.r().squares[2].passJump = 0;
    b.players(1, 2);
    Harness h;
    playTurns(h, b.r(), dice({3}), 1);
    EXPECT_EQ(h.moves(0), (Strings{"step 2->3", "walkBack 3->2"}));
    EXPECT_EQ(h.resolved(0), Squares{2});
}

TEST(MovementTest, DieFaceJumpsReplaceTheMoveAndAreListedInThePrompt) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[0].dieJumps[2] = 5;
    b.r().squares[0].dieJumps[5] = 7;
    b.r().squares[0].dieJumps[0] = 150;  // a free slot: no jump
    b.players(1);
    {
        Harness h;
        playTurns(h, b.r(), dice({3}), 1);
        EXPECT_EQ(h.moves(0), Strings{"dieFace 0->5"});
        EXPECT_EQ(h.resolved(0), Squares{5});
        EXPECT_EQ(h.session.trailLength(0), 2);
        const Strings expected = {"プレイヤー１さんの番です\nサイコロを振ってください",
                                  "３がでたらS5へ進む",
                                  "６がでたらS7へ進む",
                                  "その他の目がでたらそのまま進む",
                                  "投げる",
                                  "３がでました"};
        EXPECT_EQ(Strings(h.screen.texts.begin(), h.screen.texts.begin() + 6), expected);
        EXPECT_EQ(h.screen.count("turnPicture 23"), 1);
    }
    {
        Harness h;
        playTurns(h, b.r(), dice({1}), 1);
        EXPECT_EQ(h.moves(0), Strings{"step 0->1"});
    }
}

TEST(MovementTest, SixDieFaceJumpsLeaveOutTheOtherFacesLine) {
    GameBuilder b;
    b.line(0, 8);
    for (int face = 0; face < 6; ++face) {
        b.r().squares[0].dieJumps[face] = face + 1;
    }
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({6}), 1);
    EXPECT_FALSE(h.screen.hasText("その他の目がでたらそのまま進む"));
    EXPECT_TRUE(h.screen.hasText("１がでたらS1へ進む"));
    EXPECT_TRUE(h.screen.hasText("６がでたらS6へ進む"));
    EXPECT_EQ(h.moves(0), Strings{"dieFace 0->6"});
}

// "投げる" stands below the last jump line, and the throw button below it.
TEST(MovementTest, TheThrowLabelAndButtonFollowFiveOrSixJumpLines) {
    for (const int jumps : {2, 4, 6}) {
        GameBuilder b;
        b.line(0, 8);
        for (int face = 0; face < jumps; ++face) {
            b.r().squares[0].dieJumps[face] = face + 1;
        }
        b.players(1);
        Harness h;
        playTurns(h, b.r(), dice({6}), 1);
        const auto& texts = h.screen.texts;
        const auto label = std::find(texts.begin(), texts.end(), "投げる");
        ASSERT_NE(label, texts.end()) << jumps;
        const auto at = static_cast<std::size_t>(label - texts.begin());
        ASSERT_GE(at, 1u);
        const PanelRect labelRect = h.screen.textRects[at];
        const PanelRect lastLine = h.screen.textRects[at - 1];
        EXPECT_GE(labelRect.top, lastLine.bottom) << jumps;
        // Where the label stands without jump lines, unless they reach it.
        EXPECT_EQ(labelRect.top, jumps < 4 ? kThrowLabelRect.top : lastLine.bottom + 1) << jumps;
        const std::string wait = "wait look0 timeout0 top";
        const auto button =
            std::find_if(h.screen.log.begin(), h.screen.log.end(),
                         [&](const std::string& line) { return line.starts_with(wait); });
        ASSERT_NE(button, h.screen.log.end());
        const int buttonTop = std::stoi(button->substr(wait.size()));
        EXPECT_EQ(buttonTop - kButtonTop, labelRect.top - kThrowLabelRect.top) << jumps;
    }
}

TEST(MovementTest, TheThrownFaceIsShownOnACleanPanel) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[0].dieJumps[0] = 5;
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({2}), 1);
    const auto& log = h.screen.log;
    const auto dice = std::find(log.begin(), log.end(), "dice 2");
    ASSERT_NE(dice, log.end());
    const Strings shown(dice + 1, dice + 4);
    EXPECT_EQ(shown, (Strings{"clear", "text ２がでました", "pause 1000"}));
}

// The board close-up of a square without a picture: 142 x 115 around the
// square, kept on the 800 x 600 board.
TEST(MovementTest, TheCloseUpOfASquareIsCutWithinTheBoard) {
    GameBuilder b;
    b.line(0, 4);
    const std::pair<int, int> places[] = {{30, 20}, {400, 530}, {700, 560}, {795, 598}};
    for (int s = 1; s <= 4; ++s) {
        b.r().squares[s].x = places[s - 1].first;
        b.r().squares[s].y = places[s - 1].second;
    }
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({1, 1, 1, 1}), 4);
    EXPECT_EQ(h.screen.count("squarePicture 0 1 -1 0,0"), 1);
    EXPECT_EQ(h.screen.count("squarePicture 0 2 -1 329,473"), 1);
    EXPECT_EQ(h.screen.count("squarePicture 0 3 -1 629,485"), 1);
    EXPECT_EQ(h.screen.count("squarePicture 0 4 -1 658,485"), 1);
}

TEST(MovementTest, WithoutDieFaceJumpsThePromptHasNoLines) {
    GameBuilder b;
    b.line(0, 8);
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({2}), 1);
    EXPECT_EQ(h.screen.count("turnPicture 40"), 1);
    EXPECT_FALSE(h.screen.hasText("その他の目がでたらそのまま進む"));
}

TEST(MovementTest, ArrivalChainsResolveEverySquareInTurn) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[1].arrivalJump = 3;
    b.r().squares[3].arrivalJump = 5;
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({1}), 1);
    EXPECT_EQ(h.moves(0), (Strings{"step 0->1", "arrival 1->3", "arrival 3->5"}));
    EXPECT_EQ(h.resolved(0), (Squares{1, 3, 5}));
    EXPECT_EQ(h.session.trailLength(0), 4);
}

TEST(MovementTest, AnArrivalJumpToAFreeSlotIsNotTaken) {
    GameBuilder b;
    b.line(0, 8);
    b.r().squares[1].arrivalJump = 120;
    b.players(1);
    Harness h;
    playTurns(h, b.r(), dice({1}), 1);
    EXPECT_EQ(h.moves(0), Strings{"step 0->1"});
}

TEST(MovementTest, TwoGoalSquaresShareTheGoalCounter) {
    GameBuilder b;
    b.square(0, kSquareStart, {1, 2});
    b.square(1, kSquareGoal);
    b.square(2, kSquareGoal);
    b.players(2);
    b.r().settings.endCondition = kEndAllGoal;
    Harness h;
    h.screen.squareChoices = {2};
    h.session.setOptions(dice({1, 1}));
    h.start(b.r());
    h.run();
    EXPECT_EQ(test::field(h.endPlayer(0), "finishState"), 1);
    EXPECT_EQ(test::field(h.endPlayer(0), "currentSquare"), 2);
    EXPECT_EQ(test::field(h.endPlayer(1), "finishState"), 2);
    EXPECT_EQ(test::field(h.endPlayer(1), "rank"), 2);
    EXPECT_EQ(h.events("turn").size(), 2u);
}

TEST(MovementTest, APlayerWithoutAStartSquareNeverMovesNorResolves) {
    GameBuilder b;
    b.line(0, 3);
    b.players(1, -1);
    Harness h;
    PlayOptions options = dice({});
    options.maxTurns = 3;
    h.session.setOptions(options);
    h.start(b.r());
    h.run();
    EXPECT_TRUE(h.events("move").empty());
    EXPECT_TRUE(h.events("resolve").empty());
    EXPECT_EQ(h.events("throw").size(), 3u);
    EXPECT_EQ(h.events("end").back().find("reason")->asString(), "turnLimit");
    EXPECT_EQ(test::field(h.endPlayer(0), "currentSquare"), -1);
}

TEST(MovementTest, AFailedJumpEndsTheTurnWithoutResolving) {
    GameBuilder b;
    b.line(0, 8);
    b.players(1);
    Harness h;
    h.screen.jumpsFail = true;
    playTurns(h, b.r(), dice({3}), 1);
    EXPECT_TRUE(h.events("move").empty());
    EXPECT_TRUE(h.events("resolve").empty());
    EXPECT_TRUE(h.session.stopRequested());
}

}  // namespace
}  // namespace banmen
