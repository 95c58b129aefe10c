// The analysis of 10,000 games of the 200-square board over every core (the
// aim: under one second on this 2-core machine), against a baseline measured
// in the same run: the same 10,000 games, with the same random streams, played
// one after another by one session that counts nothing, as the simulate
// command plays them.

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "analysis/simulation.h"
#include "bench_board.h"
#include "bench_timing.h"
#include "engine/game_session.h"

namespace banmen {
namespace {

constexpr std::int64_t kGames = 10000;

void playOneAfterAnother(const GameRecord& board) {
    StreamRandomSource random;
    PlayScreen screen;
    GameSession session(screen, random, board);
    PlayOptions options;
    options.maxTurns = 1000;
    options.limitAlways = true;
    session.setOptions(options);
    for (std::int64_t game = 0; game < kGames; ++game) {
        random.reseed(GameSeed(1, game));
        session.StartPlay(board, "", false, -1);
        for (int p = 0; p < kPlayerCount; ++p) {
            session.SetComputer(p, true);
        }
        while (session.running()) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
    }
}

// Processor time of the whole process (all threads): on a machine that others
// share, it says what the work costs when the wall clock cannot.
double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void analyse(benchmark::State& state, std::int32_t endCondition) {
    const std::unique_ptr<GameRecord> board = bench::benchBoard(endCondition);
    SimulationOptions options;
    options.games = kGames;
    options.seed = 1;
    std::int64_t finished = 0;
    double analysisProcessor = 0;
    double baselineProcessor = 0;
    const bench::Medians m = bench::timeAgainst(
        state,
        [&] {
            const double start = processorSeconds();
            const SimulationReport report = RunSimulation(*board, "", options);
            analysisProcessor += processorSeconds() - start;
            finished = report.finished;
        },
        [&] {
            const double start = processorSeconds();
            playOneAfterAnother(*board);
            baselineProcessor += processorSeconds() - start;
        });
    const double runs = static_cast<double>(state.iterations());
    state.counters["analysis_s"] = m.op;
    state.counters["baseline_s"] = m.baseline;
    state.counters["ratio"] = m.ratio();
    state.counters["analysis_cpu_s"] = analysisProcessor / runs;
    state.counters["baseline_cpu_s"] = baselineProcessor / runs;
    state.counters["finished"] = static_cast<double>(finished);
}

void BM_AnalysisFirstGoal(benchmark::State& state) {
    analyse(state, kEndFirstGoal);
}
void BM_AnalysisAllGoal(benchmark::State& state) {
    analyse(state, kEndAllGoal);
}

BENCHMARK(BM_AnalysisFirstGoal)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisAllGoal)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace banmen
