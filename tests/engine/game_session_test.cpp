// Whole games through the phase machine: the start, the opening, rest turns,
// the order of turns, every end condition, both kinds of victory, the
// results, stops, the engine's own limits and the debug run.

#include <gtest/gtest.h>

#include "engine/update_code.h"
#include "game_builder.h"
#include "model/text_field.h"

namespace banmen {
namespace {

using test::field;
using test::GameBuilder;
using test::Harness;
using test::putText;
using Strings = std::vector<std::string>;

PlayOptions dice(std::vector<int> faces) {
    PlayOptions options;
    options.forcedDice = std::move(faces);
    return options;
}

std::vector<std::int64_t> turnPlayers(const Harness& h) {
    std::vector<std::int64_t> players;
    for (const JsonValue& e : h.events("turn")) {
        players.push_back(e.find("player")->asInteger());
    }
    return players;
}

std::string endReason(const Harness& h) {
    const auto ends = h.events("end");
    return ends.empty() ? "" : ends.back().find("reason")->asString();
}

TEST(GameSessionTest, StartPlayResetsEveryPlayerWhateverThePreviousRunLeft) {
    GameBuilder b;
    b.line(0, 5);
    for (int p = 0; p < kPlayerCount; ++p) {
        b.r().players[p].startSquare = p;
        b.r().players[p].currentSquare = 4;
        b.r().players[p].restFlag = 1;
        b.r().players[p].finishState = 3;
        b.r().players[p].isComputer = p == 0 ? 1 : 0;
    }
    Harness h;
    h.start(b.r());
    const GameRecord& r = h.session.record();
    for (int p = 0; p < kPlayerCount; ++p) {
        EXPECT_EQ(r.players[p].currentSquare, p);
        EXPECT_EQ(r.players[p].restFlag, 0);
        EXPECT_EQ(r.players[p].finishState, 0);
        EXPECT_EQ(r.players[p].isComputer, p == 0 ? 0 : 1);
        EXPECT_EQ(h.session.trailLength(p), 1);
        EXPECT_EQ(h.session.trailEntry(p, 0), p);
    }
    EXPECT_EQ(h.session.phase(), PhaseOpening);
    EXPECT_EQ(h.session.drawMode(), 2);
    EXPECT_EQ(h.session.goalCounter(), 0);
    // The source record is not touched.
    EXPECT_EQ(b.r().players[1].currentSquare, 4);

    // A second run after a finished one starts from scratch.
    h.session.setOptions(dice({5}));
    h.session.Step();
    h.session.Step();
    EXPECT_EQ(h.session.goalCounter(), 1);
    h.start(b.r(), false, 2);
    EXPECT_EQ(h.session.goalCounter(), 0);
    EXPECT_EQ(h.session.record().players[0].finishState, 0);
    EXPECT_EQ(h.session.phase(), PhaseDebugStart);
}

TEST(GameSessionTest, TheMusicIsTheGamesOrOneOfTheFirstTwoSoundsByParity) {
    GameBuilder b;
    b.line(0, 3);
    {
        Harness h({3});
        h.start(b.r());
        EXPECT_EQ(h.screen.log.front(), "sound 1");
    }
    {
        Harness h({4});
        h.start(b.r());
        EXPECT_EQ(h.screen.log.front(), "sound 0");
    }
    b.r().settings.music = 12;
    Harness h({3});
    h.start(b.r());
    EXPECT_EQ(h.screen.log.front(), "sound 12");
}

TEST(GameSessionTest, TheOpeningShowsHelpRulesAndTheSelection) {
    GameBuilder b;
    b.line(0, 3);
    b.players(2);
    putText(b.r().settings.helpText, kHelpTextMax, "遊び方");
    Harness h;
    h.start(b.r());
    h.session.Step();
    EXPECT_EQ(h.screen.texts,
              (Strings{"解説", "遊び方", "ルール説明",
                       "【参加人数】2人\r\n\r\n【終了条件】\r\n誰かがｺﾞｰﾙしたら終了\r\n\r\n"
                       "【勝利条件】\r\n早くゴールした人が勝ち",
                       "プレイヤーを選んで下さい", "選択終了"}));
    EXPECT_EQ(h.screen.count("wait look0 timeout0 top392 selection"), 3);
    EXPECT_EQ(h.screen.count("toggles"), 1);
    EXPECT_TRUE(h.session.selectionTogglesShown());
    EXPECT_EQ(h.session.phase(), PhaseTurn);
    ASSERT_EQ(h.events("selection").size(), 1u);
}

TEST(GameSessionTest, AnAbortedOpeningStillMovesOnAndTheNextTickEndsTheGame) {
    GameBuilder b;
    b.line(0, 3);
    Harness h;
    h.screen.abortAtWait = 2;
    h.start(b.r());
    h.session.Step();
    EXPECT_EQ(h.session.phase(), PhaseTurn);
    EXPECT_TRUE(h.events("selection").empty());
    h.session.Step();
    EXPECT_EQ(h.session.phase(), PhaseIdle);
    EXPECT_FALSE(h.session.stopRequested());
    EXPECT_EQ(h.screen.playEnded, 1);
    EXPECT_EQ(endReason(h), "stopped");
    EXPECT_TRUE(h.events("turn").empty());
}

TEST(GameSessionTest, ARestTurnIsSpentOnTheRestMessageAlone) {
    GameBuilder b;
    b.line(0, 6);
    b.r().squares[1].kind = kSquareRest;
    b.players(1);
    Harness h;
    h.session.setOptions(dice({1, 2}));
    h.startAtTurns(b.r());
    h.session.Step();
    EXPECT_EQ(h.session.record().players[0].restFlag, 1);
    EXPECT_EQ(h.screen.count("sound 6"), 0);  // stopping on a rest square is silent
    h.screen.texts.clear();
    h.session.Step();
    EXPECT_EQ(h.screen.texts, Strings{"プレイヤー１さんは\n一回休みです"});
    EXPECT_EQ(h.screen.count("sound 6"), 1);
    EXPECT_EQ(h.screen.count("wait look0 timeout2000 top392"), 1);
    EXPECT_EQ(h.session.record().players[0].restFlag, 0);
    EXPECT_EQ(h.events("throw").size(), 1u);
    h.session.Step();
    EXPECT_EQ(h.events("throw").size(), 2u);
    EXPECT_EQ(h.session.record().players[0].currentSquare, 3);
    ASSERT_EQ(h.events("rest").size(), 1u);
    const auto flags = h.events("restFlag");
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(field(flags[0], "new"), 1);
    EXPECT_EQ(field(flags[1], "new"), 0);
}

TEST(GameSessionTest, PersonsClickAndComputersWaitForTheirTimeOuts) {
    GameBuilder b;
    b.line(0, 6);
    b.players(2);
    b.r().settings.endCondition = kEndAllGoal;
    Harness h;
    h.session.setOptions(dice({1, 1}));
    h.startAtTurns(b.r());
    h.session.Step();
    h.session.Step();
    EXPECT_EQ(h.screen.count("wait look0 timeout0 top392"), 1);     // person's throw
    EXPECT_EQ(h.screen.count("wait look8 timeout0 top392"), 1);     // person's square
    EXPECT_EQ(h.screen.count("wait look2 timeout2000 top392"), 1);  // computer's throw
    EXPECT_EQ(h.screen.count("wait look9 timeout6000 top392"), 1);  // computer's square
}

TEST(GameSessionTest, FinishedPlayersAreSkippedAndTheLastOnePlaysOnAlone) {
    GameBuilder b;
    b.line(0, 3);
    b.players(3);
    b.r().settings.endCondition = kEndAllGoal;
    Harness h;
    h.session.setOptions(dice({3, 1, 3, 1, 1}));
    h.start(b.r());
    h.run();
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 2, 1, 1}));
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), 3);
    EXPECT_EQ(field(h.endPlayer(2), "finishState"), 2);
    EXPECT_EQ(endReason(h), "finished");
}

// Square 0 branches to a retire square (1) and a short way to the goal (2, 3).
GameBuilder retireOrGoal() {
    GameBuilder b;
    b.square(0, kSquareStart, {1, 2});
    b.square(1, kSquareRetire);
    b.square(2, kSquareNormal, {3});
    b.square(3, kSquareGoal);
    return b;
}

TEST(GameSessionTest, FirstGoalEndsWhenTheOnlyPersonRetires) {
    GameBuilder b = retireOrGoal();
    Harness h;
    h.screen.squareChoices = {1};
    h.session.setOptions(dice({1}));
    h.start(b.r());
    h.run();
    EXPECT_EQ(h.events("turn").size(), 1u);
    EXPECT_EQ(endReason(h), "finished");
    EXPECT_EQ(field(h.endPlayer(0), "finishState"), -1);
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), -2);
    for (int p = 0; p < 4; ++p) {
        EXPECT_TRUE(h.endPlayer(p).find("rank")->type() == JsonValue::Type::Null);
    }
}

TEST(GameSessionTest, FirstGoalIsNotEndedByTheRetirementOfAComputer) {
    GameBuilder b = retireOrGoal();
    b.players(2);
    Harness h;
    // The person takes the long way, the computer retires, the person goes on.
    h.screen.squareChoices = {2};
    h.session.setOptions(dice({1, 1, 1}));
    h.start(b.r());
    h.session.Step();
    // The computer's branch is picked by the random source: 0, the retire square.
    h.run();
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 0}));
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), -1);
    EXPECT_EQ(field(h.endPlayer(0), "finishState"), 1);
    EXPECT_EQ(field(h.endPlayer(0), "rank"), 1);
}

TEST(GameSessionTest, AllPersonsEndsWhenEveryComputerHasFinishedInAComputerOnlyGame) {
    GameBuilder b;
    b.line(0, 2);
    b.players(2);
    b.r().settings.endCondition = kEndAllPeopleGoal;
    Harness h;
    h.session.setOptions(dice({2, 1, 1}));
    h.startAtTurns(b.r());
    h.session.SetComputer(0, true);
    h.run();
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 1}));
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), 2);
}

TEST(GameSessionTest, AllPersonsEndsWhenThePersonFinishesAmongComputers) {
    GameBuilder b;
    b.line(0, 2);
    b.players(3);
    b.r().settings.endCondition = kEndAllPeopleGoal;
    Harness h;
    h.session.setOptions(dice({1, 1, 1, 1}));
    h.start(b.r());
    h.run();
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 2, 0}));
    EXPECT_EQ(field(h.endPlayer(0), "finishState"), 1);
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), -2);
}

TEST(GameSessionTest, AllGoalWaitsForEveryPlayerGoalOrRetirement) {
    GameBuilder b = retireOrGoal();
    b.players(2);
    b.r().settings.endCondition = kEndAllGoal;
    Harness h;
    h.screen.squareChoices = {1, 2};
    h.session.setOptions(dice({1, 1, 1}));
    h.startAtTurns(b.r());
    h.session.SetComputer(1, false);
    h.run();
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 1}));
    EXPECT_EQ(field(h.endPlayer(0), "finishState"), -1);
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), 1);
}

TEST(GameSessionTest, AnUnknownEndConditionNeverEndsAndTheTurnLimitDoes) {
    GameBuilder b;
    b.line(0, 2);
    b.players(2);
    b.r().settings.endCondition = 7;
    Harness h;
    PlayOptions options = dice({2, 2});
    options.maxTurns = 6;
    h.session.setOptions(options);
    h.start(b.r());
    h.run();
    // Both finished after two turns; with nobody else left, player 1 plays on.
    EXPECT_EQ(turnPlayers(h), (std::vector<std::int64_t>{0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(h.session.turnsPlayed(), 6);
    EXPECT_EQ(endReason(h), "turnLimit");
    EXPECT_EQ(h.events("notice").size(), 1u);
    EXPECT_EQ(h.screen.count("notice ターン数が上限に達したため、ゲームを終了します"), 1);
    EXPECT_TRUE(h.screen.hasText("総合成績"));
}

// Four persons: player 0 retires with the largest value, the others reach the
// goal in index order.
Harness& playVictoryGame(Harness& h, std::int32_t victory) {
    GameBuilder b = retireOrGoal();
    b.r().settings.endCondition = kEndAllGoal;
    b.r().settings.victoryCondition = victory;
    const int values[] = {100, 30, 30, 10};
    for (int p = 0; p < 4; ++p) {
        b.r().players[p].dataValues[0] = values[p];
    }
    h.screen.squareChoices = {1, 2, 2, 2};
    h.session.setOptions(dice({1, 1, 1, 1, 2, 2, 2}));
    h.startAtTurns(b.r());
    for (int p = 1; p < 4; ++p) {
        h.session.SetComputer(p, false);
    }
    h.run();
    return h;
}

TEST(GameSessionTest, DataVictoryRanksTiesTogetherAndRetiredPlayersWithout) {
    Harness h;
    playVictoryGame(h, 1);
    const std::int32_t ranks[] = {-999, 1, 1, 2};
    EXPECT_TRUE(h.endPlayer(0).find("rank")->type() == JsonValue::Type::Null);
    for (int p = 1; p < 4; ++p) {
        EXPECT_EQ(field(h.endPlayer(p), "rank"), ranks[p]);
    }
    ASSERT_EQ(h.screen.ranking.size(), 4u);
    EXPECT_EQ(h.screen.ranking[0].player, 1);
    EXPECT_EQ(h.screen.ranking[3].player, 0);
    EXPECT_EQ(h.screen.ranking[3].rank, 0);
    EXPECT_EQ(h.screen.count("ranking 4 64 24"), 1);
}

TEST(GameSessionTest, GoalOrderVictoryRanksByArrival) {
    Harness h;
    playVictoryGame(h, 0);
    EXPECT_EQ(field(h.endPlayer(1), "rank"), 1);
    EXPECT_EQ(field(h.endPlayer(2), "rank"), 2);
    EXPECT_EQ(field(h.endPlayer(3), "rank"), 3);
    EXPECT_TRUE(h.endPlayer(0).find("rank")->type() == JsonValue::Type::Null);
    EXPECT_EQ(field(h.endPlayer(0), "finishState"), -1);
}

TEST(GameSessionTest, TheResultsSequenceShowsItsTextsAndASheetPerPlayer) {
    GameBuilder b;
    b.line(0, 1);
    b.players(2);
    b.r().players[1].dataValues[0] = 250;
    Harness h;
    h.session.setOptions(dice({1}));
    h.start(b.r());
    h.run();
    EXPECT_EQ(h.screen.count("celebration おめでとう御座います|プレイヤー１さんがゴールしました|"
                             "プレイヤー１さんお疲れ様でした"),
              1);
    EXPECT_EQ(h.screen.count("celebration ゲーム終了です|お疲れさまでした|次は結果発表です"), 1);
    const auto results = std::find(h.screen.texts.begin(), h.screen.texts.end(), "結果発表");
    ASSERT_NE(results, h.screen.texts.end());
    const Strings tail(results, h.screen.texts.end());
    EXPECT_EQ(tail, (Strings{"結果発表", "それでは皆さんの成績を\n順に見てみましょう", "次へ",
                             "次へ", "所持金  　0円", "次へ", "所持金  　250円", "総合成績",
                             "皆さんお疲れ様でした", "おわり"}));
    EXPECT_EQ(h.screen.count("wait look8 timeout0 top402 selection"), 1);
    EXPECT_EQ(field(h.endPlayer(1), "finishState"), -2);
}

TEST(GameSessionTest, WithoutShownItemsTheResultsSkipTheSheets) {
    GameBuilder b;
    b.line(0, 1);
    b.r().dataItems[0].visible = 0;
    Harness h;
    h.session.setOptions(dice({1}));
    h.start(b.r());
    h.run();
    EXPECT_TRUE(h.screen.hasText("それでは皆さんの成績を\n見てみましょう"));
    EXPECT_EQ(std::count(h.screen.texts.begin(), h.screen.texts.end(), "次へ"), 1);
}

TEST(GameSessionTest, AStopAtAChosenWaitEndsTheGameThere) {
    GameBuilder b;
    b.line(0, 9);
    b.r().squares[2].updateCodes[0] = encodeUpdate(OPOADD, OPMONE, OPFBNK);
    b.r().squares[2].updateValues[0] = 7;
    b.players(2);
    for (int abortAt = 1; abortAt < 40; ++abortAt) {
        Harness h;
        h.screen.abortAtWait = abortAt;
        h.session.setOptions(dice({2, 2, 2, 2, 2}));
        h.start(b.r());
        h.run();
        EXPECT_EQ(h.session.phase(), PhaseIdle) << abortAt;
        EXPECT_EQ(h.screen.playEnded, 1) << abortAt;
        // Nothing happens after the aborted wait.
        EXPECT_EQ(h.screen.waits, abortAt) << abortAt;
        const auto events = h.events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events.back().find("event")->asString(), "end");
        EXPECT_EQ(endReason(h), "stopped") << abortAt;
    }
}

TEST(GameSessionTest, AnEndlessArrivalLoopOfComputersStopsAfterAThousandResolutions) {
    GameBuilder b;
    b.line(0, 5);
    b.r().squares[1].arrivalJump = 2;
    b.r().squares[2].arrivalJump = 1;
    b.players(2);
    Harness h;
    h.session.setOptions(dice({1}));
    h.startAtTurns(b.r());
    h.session.SetComputer(0, true);
    h.run();
    EXPECT_EQ(h.resolved(0).size(), 1000u);
    EXPECT_EQ(endReason(h), "resolutionLimit");
    EXPECT_EQ(
        h.screen.count("notice 移動先の解決が1ターンに1000回を超えたため、ゲームを中止しました"),
        1);
    EXPECT_EQ(h.events("turn").size(), 1u);
}

TEST(GameSessionTest, APersonInTheGameCanStopTheLoopSoThereIsNoLimitUnlessAsked) {
    GameBuilder b;
    b.line(0, 5);
    b.r().squares[1].arrivalJump = 2;
    b.r().squares[2].arrivalJump = 1;
    b.players(2);
    {
        Harness h;
        h.screen.abortAtWait = 5000;
        h.session.setOptions(dice({1}));
        h.start(b.r());
        h.run();
        EXPECT_GT(h.resolved(0).size(), 1000u);
        EXPECT_EQ(endReason(h), "stopped");
    }
    Harness h;
    PlayOptions options = dice({1});
    options.limitAlways = true;
    h.session.setOptions(options);
    h.start(b.r());
    h.run();
    EXPECT_EQ(h.resolved(0).size(), 1000u);
    EXPECT_EQ(endReason(h), "resolutionLimit");
}

// A whole game of four computers with the C library's generator.
std::string playWithSeed(const GameRecord& record, unsigned seed) {
    CRandomSource random(seed);
    test::ScriptedScreen screen;
    GameSession session(screen, random);
    std::ostringstream out;
    TranscriptWriter writer(out);
    session.setEvents(&writer);
    session.StartPlay(record, "", false, -1);
    session.Step();
    session.SetComputer(0, true);
    for (int i = 0; i < 10000 && session.running(); ++i) {
        session.Step();
        if (session.IsFinished()) {
            session.RequestStop();
        }
    }
    return out.str();
}

TEST(GameSessionTest, TheSameSeedGivesTheSameGame) {
    GameBuilder b;
    b.square(0, kSquareStart, {1, 5});
    b.line(1, 12);
    b.square(5, kSquareNormal, {3, 6});
    b.r().squares[4].updateCodes[0] = encodeUpdate(OPOSUB, OPMDIC2, OPFALL);
    b.r().squares[4].updateValues[0] = 3;
    b.r().squares[7].updateCodes[0] = encodeUpdate(OPOADD, OPMONE, OPFPLY);
    b.r().squares[7].updateValues[0] = 5;
    b.r().settings.endCondition = kEndAllGoal;
    const std::string first = playWithSeed(b.r(), 7);
    EXPECT_EQ(playWithSeed(b.r(), 7), first);
    EXPECT_NE(first.find("\"reason\":\"finished\""), std::string::npos);
    EXPECT_NE(playWithSeed(b.r(), 8), first);
}

TEST(GameSessionTest, ARestartPlaysFromTheRecordAsStartPlayCopiedIt) {
    GameBuilder b;
    b.line(0, 12);
    b.r().squares[4].updateCodes[0] = encodeUpdate(OPOSUB, OPMDIC2, OPFALL);
    b.r().squares[4].updateValues[0] = 3;
    putText(b.r().squares[6].stateChanges[0], kNameMax, "tired");
    b.r().settings.endCondition = kEndAllGoal;
    StreamRandomSource random;
    test::ScriptedScreen screen;
    GameSession session(screen, random);
    std::ostringstream out;
    TranscriptWriter writer(out);
    session.setEvents(&writer);
    auto play = [&](bool restart) {
        out.str("");
        random.reseed(11);
        if (restart) {
            session.RestartPlay();
        } else {
            session.StartPlay(b.r(), "", false, -1);
        }
        session.SetComputer(0, true);
        while (session.running()) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
        return out.str();
    };
    const std::string first = play(false);
    ASSERT_NE(first.find("\"reason\":\"finished\""), std::string::npos);
    EXPECT_NE(session.record().players[1].dataValues[0], 0);  // the game changed them
    EXPECT_EQ(play(true), first);
}

TEST(GameSessionTest, WaitsDrawFromTheGeneratorSoTheyMoveTheDice) {
    GameBuilder b;
    b.line(0, 12);
    b.players(1);
    std::vector<int> numbers(64);
    for (int i = 0; i < 64; ++i) {
        numbers[static_cast<std::size_t>(i)] = i;
    }
    Harness h(numbers);
    h.startAtTurns(b.r());
    // The music's choice, then one number per wait of the opening.
    EXPECT_EQ(h.random.drawn(), 1 + 3);
    h.session.Step();
    // The throw wait (4), the three dice (5, 6, 7: the first lands on 5 % 6 + 1),
    // the wait on the square, and nothing else.
    EXPECT_EQ(h.random.drawn(), 1 + 3 + 1 + 3 + 1);
    EXPECT_EQ(h.session.record().players[0].currentSquare, 6);
}

TEST(GameSessionTest, ASquareDebugPutsPlayerZeroThereAndGoesOnWithTheNext) {
    GameBuilder b;
    b.line(0, 6);
    b.r().squares[3].updateCodes[0] = encodeUpdate(OPOADD, OPMONE, OPFBNK);
    b.r().squares[3].updateValues[0] = 5;
    b.players(3);
    Harness h;
    h.session.setOptions(dice({1}));
    h.start(b.r(), true, 3);
    h.session.Step();
    EXPECT_FALSE(h.screen.hasText("解説"));
    EXPECT_EQ(h.screen.count("toggles"), 1);
    EXPECT_EQ(h.moves(0), Strings{"debugStart 0->3"});
    EXPECT_EQ(h.resolved(0), std::vector<std::int64_t>{3});
    EXPECT_EQ(h.session.record().players[0].dataValues[0], 5);
    EXPECT_EQ(h.session.phase(), PhaseTurn + 1);
    EXPECT_EQ(h.session.trailLength(0), 2);
    EXPECT_EQ(h.session.record().players[1].isComputer, 1);
}

TEST(GameSessionTest, ASquareDebugOnAGoalFinishesPlayerZeroAtOnce) {
    GameBuilder b;
    b.line(0, 4);
    b.players(2);
    Harness h;
    h.start(b.r(), true, 4);
    h.session.Step();
    EXPECT_EQ(h.session.record().players[0].finishState, 1);
    h.session.Step();
    EXPECT_EQ(h.session.phase(), PhaseResults);
}

TEST(GameSessionTest, ADebugThrowLandsOnTheChosenFaceAndAClosedPromptSkipsTheTurn) {
    GameBuilder b;
    b.line(0, 8);
    b.players(1);
    Harness h;
    h.screen.dieFaces = {3, -1, 2};
    h.startAtTurns(b.r(), true);
    h.session.Step();
    EXPECT_EQ(h.session.record().players[0].currentSquare, 3);
    h.session.Step();
    EXPECT_EQ(h.session.record().players[0].currentSquare, 3);
    EXPECT_EQ(h.events("throw").size(), 1u);
    h.session.Step();
    EXPECT_EQ(h.session.record().players[0].currentSquare, 5);
    EXPECT_EQ(h.screen.captions.size(), 3u);
}

TEST(GameSessionTest, ANestedStepReturnsAtOnce) {
    GameBuilder b;
    b.line(0, 8);
    b.players(1);
    Harness h;
    h.session.setOptions(dice({1, 1}));
    h.startAtTurns(b.r());
    int nested = 0;
    h.screen.abortWhen = [&h, &nested](const Button&) {
        ++nested;
        h.session.Step();
        return false;
    };
    h.session.Step();
    EXPECT_GT(nested, 0);
    EXPECT_EQ(h.events("turn").size(), 1u);
    EXPECT_FALSE(h.session.busy());
}

TEST(GameSessionTest, ChangesThatRedrawReachTheScreenWhilePlaying) {
    GameBuilder b;
    b.line(0, 8);
    b.players(1);
    Harness h;
    h.session.setOptions(dice({2}));
    h.startAtTurns(b.r());
    h.screen.changedFields.clear();
    h.session.Step();
    // Player 0's currentSquare (kind 2, field 33), once per step.
    EXPECT_EQ(h.screen.changedFields, (Strings{"OBJ002000033000", "OBJ002000033000"}));
    h.session.StopPlay();
    EXPECT_EQ(h.session.phase(), PhaseIdle);
    EXPECT_EQ(h.session.record().squares[0].kind, kSquareStart);  // the defaults again
    EXPECT_EQ(sjis::toUtf8Lossy(fieldText(h.session.record().squares[1].name)), "ゴール(2)");
}

}  // namespace
}  // namespace banmen
