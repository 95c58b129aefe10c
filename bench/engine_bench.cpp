// Whole automatic games on a 200-square board with branches, jumps, rest
// squares, data updates and state changes: four computer players, a screen
// that shows nothing. Counters: turns per second and games per second (the
// aim is at least 1,000,000 turns per second on one core).

#include <benchmark/benchmark.h>

#include <memory>

#include "bench_board.h"
#include "engine/game_session.h"

namespace banmen {
namespace {

void playGames(benchmark::State& state, std::int32_t endCondition) {
    const std::unique_ptr<GameRecord> board = bench::benchBoard(endCondition);
    CRandomSource random(12345);
    PlayScreen screen;  // draws nothing, waits for nothing
    GameSession session(screen, random);
    PlayOptions options;
    options.maxTurns = 10000;
    options.limitAlways = true;
    session.setOptions(options);
    std::int64_t turns = 0;
    std::int64_t games = 0;
    for (auto _ : state) {
        session.StartPlay(*board, "", false, -1);
        for (int p = 0; p < kPlayerCount; ++p) {
            session.SetComputer(p, true);
        }
        while (session.running()) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
        turns += session.turnsPlayed();
        ++games;
    }
    state.counters["turns/s"] =
        benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kIsRate);
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(games), benchmark::Counter::kIsRate);
    state.counters["turns/game"] = static_cast<double>(turns) / static_cast<double>(games);
}

void BM_EngineGamesFirstGoal(benchmark::State& state) {
    playGames(state, kEndFirstGoal);
}
void BM_EngineGamesAllGoal(benchmark::State& state) {
    playGames(state, kEndAllGoal);
}

BENCHMARK(BM_EngineGamesFirstGoal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineGamesAllGoal)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace banmen
