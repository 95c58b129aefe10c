// The balance report: boards whose counts can be worked out by hand, and the
// same report whatever the thread count.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "analysis/report_output.h"
#include "analysis/simulation.h"
#include "analysis_test_support.h"

namespace banmen {
namespace {

using test::GameBuilder;

std::vector<std::int64_t> stops(const SimulationReport& report, int count) {
    std::vector<std::int64_t> out;
    for (int s = 0; s < count; ++s) {
        out.push_back(report.squares[static_cast<std::size_t>(s)].stops);
    }
    return out;
}

std::vector<std::int64_t> passes(const SimulationReport& report, int count) {
    std::vector<std::int64_t> out;
    for (int s = 0; s < count; ++s) {
        out.push_back(report.squares[static_cast<std::size_t>(s)].passes);
    }
    return out;
}

TEST(SimulationTest, EveryFaceJumpingToTheGoalEndsAfterOneTurnEach) {
    GameBuilder b;
    test::cleanLine(b, 1, 3);
    for (std::int32_t& jump : b.r().squares[0].dieJumps) {
        jump = 1;
    }
    b.r().squares[0].nextSquares[0] = -1;
    b.r().settings.endCondition = kEndAllGoal;
    SimulationOptions options;
    options.games = 60;
    options.threads = 2;
    const SimulationReport report = RunSimulation(b.r(), "", options);

    EXPECT_EQ(report.played, 60);
    EXPECT_FALSE(report.cancelled);
    EXPECT_EQ(report.finished, 60);
    ASSERT_TRUE(report.hasTurnStatistics);
    EXPECT_EQ(report.turns.mean, 3);
    EXPECT_EQ(report.turns.median, 3);
    EXPECT_EQ(report.turns.p90, 3);
    EXPECT_EQ(report.turns.max, 3);
    EXPECT_EQ(stops(report, 3), (std::vector<std::int64_t>{0, 180, 0}));
    EXPECT_EQ(passes(report, 3), (std::vector<std::int64_t>{0, 0, 0}));
    ASSERT_EQ(report.players.size(), 3u);
    EXPECT_EQ(report.players[0].ranks, (std::vector<std::int64_t>{60, 0, 0}));
    EXPECT_EQ(report.players[1].ranks, (std::vector<std::int64_t>{0, 60, 0}));
    EXPECT_EQ(report.players[2].ranks, (std::vector<std::int64_t>{0, 0, 60}));
    EXPECT_EQ(report.players[2].finished, 60);
}

TEST(SimulationTest, AFixedDieStopsAndPassesOnKnownSquares) {
    GameBuilder b;
    test::cleanLine(b, 10, 1);
    SimulationOptions options;
    options.games = 7;
    options.forcedDice = {2, 2, 2, 2, 2};
    SimulationReport report = RunSimulation(b.r(), "", options);
    EXPECT_EQ(report.finished, 7);
    EXPECT_EQ(report.turns.max, 5);
    EXPECT_EQ(stops(report, 11), (std::vector<std::int64_t>{0, 0, 7, 0, 7, 0, 7, 0, 7, 0, 7}));
    EXPECT_EQ(passes(report, 11), (std::vector<std::int64_t>{0, 7, 0, 7, 0, 7, 0, 7, 0, 7, 0}));

    // A 6 from the start of 0..4 runs onto the goal and walks back two
    // squares: 4 and the 3 it walks back over are passed, 2 is stopped on.
    GameBuilder shorter;
    test::cleanLine(shorter, 4, 1);
    options.games = 3;
    options.forcedDice = {6};
    options.maxTurns = 1;
    report = RunSimulation(shorter.r(), "", options);
    EXPECT_EQ(report.stoppedByTurnLimit, 3);
    EXPECT_FALSE(report.hasTurnStatistics);
    EXPECT_EQ(stops(report, 5), (std::vector<std::int64_t>{0, 0, 3, 0, 0}));
    EXPECT_EQ(passes(report, 5), (std::vector<std::int64_t>{0, 3, 3, 6, 3}));
}

TEST(SimulationTest, GamesThatDoNotFinishAreCountedByHowTheyStop) {
    GameBuilder circle;  // a piece on 1 jumps back onto 1 for ever
    test::cleanLine(circle, 2, 2);
    for (std::int32_t& jump : circle.r().squares[0].dieJumps) {
        jump = 1;
    }
    circle.r().squares[1].arrivalJump = 1;
    SimulationOptions options;
    options.games = 4;
    SimulationReport report = RunSimulation(circle.r(), "", options);
    EXPECT_EQ(report.stoppedByJumpChain, 4);
    EXPECT_EQ(report.finished, 0);
    EXPECT_EQ(report.squares[1].stops, 4 * 1000);

    GameBuilder noGoal;  // 0 and 1 lead to each other
    test::cleanLine(noGoal, 2, 2);
    noGoal.r().squares[1].nextSquares[0] = 0;
    options.maxTurns = 8;
    report = RunSimulation(noGoal.r(), "", options);
    EXPECT_EQ(report.stoppedByTurnLimit, 4);
    EXPECT_EQ(report.players[0].ranks, (std::vector<std::int64_t>{0, 0}));
    EXPECT_EQ(report.players[0].finished, 0);
}

// Branches, jumps and rests, four players: games that differ from seed to
// seed.
GameRecord branchingBoard() {
    GameBuilder b;
    test::cleanLine(b, 40, 4);
    GameRecord& r = b.r();
    for (int s = 2; s < 36; s += 5) {
        r.squares[s].nextSquares[1] = s + 3;
    }
    r.squares[7].passJump = 20;
    r.squares[25].arrivalJump = 12;
    r.squares[14].kind = kSquareRest;
    r.squares[30].dieJumps[0] = 38;
    r.settings.endCondition = kEndAllGoal;
    return r;
}

TEST(SimulationTest, TheSameSeedGivesTheSameReportWhateverTheThreadCount) {
    const GameRecord board = branchingBoard();
    auto json = [&](std::uint32_t seed, int threads) {
        SimulationOptions options;
        options.games = 301;
        options.seed = seed;
        options.threads = threads;
        return AnalysisJson(board, {}, RunSimulation(board, "", options));
    };
    const std::string one = json(6, 1);
    EXPECT_EQ(json(6, 2), one);
    EXPECT_EQ(json(6, 3), one);
    EXPECT_NE(json(7, 2), one);
}

TEST(SimulationTest, ProgressComesOnTheCallingThreadAndCancelStopsEarly) {
    const GameRecord board = branchingBoard();
    SimulationOptions options;
    options.games = 1000000;
    options.threads = 2;
    std::atomic<bool> cancel{false};
    std::vector<std::int64_t> seen;
    bool otherThread = false;
    const std::thread::id caller = std::this_thread::get_id();
    SimulationControl control;
    control.cancel = &cancel;
    control.progress = [&](std::int64_t played, std::int64_t games) {
        otherThread = otherThread || std::this_thread::get_id() != caller;
        EXPECT_EQ(games, 1000000);
        seen.push_back(played);
        cancel = true;
    };
    const SimulationReport report = RunSimulation(board, "", options, control);

    EXPECT_TRUE(report.cancelled);
    EXPECT_LT(report.played, 1000000);
    EXPECT_EQ(report.finished + report.stoppedByTurnLimit + report.stoppedByJumpChain,
              report.played);
    EXPECT_FALSE(otherThread);
    ASSERT_GE(seen.size(), 2u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), report.played);
}

}  // namespace
}  // namespace banmen
