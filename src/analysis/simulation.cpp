#include "analysis/simulation.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <thread>

#include "engine/game_session.h"
#include "engine/ranking.h"

namespace banmen {
namespace {

constexpr int kMostThreads = 64;

// Stops and passes, square by square, from the engine's own events.
class SquareCounter final : public GameEvents {
  public:
    SquareCounter() : squares(kSquareCount) {}
    void SquareResolved(int, std::int32_t square) override {
        ++squares[static_cast<std::size_t>(square)].stops;
    }
    void SquarePassed(int, std::int32_t square) override {
        ++squares[static_cast<std::size_t>(square)].passes;
    }

    std::vector<SquareTally> squares;
};

// One thread's games and counts. Made on the calling thread: a session made
// from the record itself reads no settings.
class Worker {
  public:
    Worker(const GameRecord& record, const std::string& folder, const SimulationOptions& options,
           int playerCount)
        : record_(record),
          folder_(folder),
          options_(options),
          playerCount_(playerCount),
          session_(screen_, random_, record) {
        PlayOptions play;
        play.maxTurns = options.maxTurns;
        play.limitAlways = true;
        play.forcedDice = options.forcedDice;
        session_.setOptions(std::move(play));
        session_.setEvents(&counter_);
        players.resize(static_cast<std::size_t>(playerCount));
        for (PlayerTally& player : players) {
            player.ranks.assign(static_cast<std::size_t>(playerCount), 0);
        }
    }

    // False when the game was cancelled before its end (it counts nothing).
    bool play(std::int64_t game, const std::atomic<bool>* cancel) {
        random_.reseed(GameSeed(options_.seed, game));
        if (started_) {
            session_.RestartPlay();
        } else {
            session_.StartPlay(record_, folder_, false, -1);
            started_ = true;
        }
        for (int p = 0; p < playerCount_; ++p) {
            session_.SetComputer(p, true);
        }
        while (session_.running()) {
            if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
                session_.RequestStop();
            }
            session_.Step();
            if (session_.IsFinished()) {
                session_.RequestStop();
            }
        }
        if (cancel != nullptr && cancel->load(std::memory_order_relaxed) &&
            session_.endReason() == EndReason::Stopped) {
            return false;
        }
        count();
        return true;
    }

    const std::vector<SquareTally>& squares() const { return counter_.squares; }

    std::int64_t finished = 0;
    std::int64_t turnLimit = 0;
    std::int64_t jumpChain = 0;
    std::vector<int> finishedTurns;
    std::vector<PlayerTally> players;

  private:
    void count() {
        switch (session_.endReason()) {
            case EndReason::Finished:
                ++finished;
                finishedTurns.push_back(session_.turnsPlayed());
                break;
            case EndReason::TurnLimit:
                ++turnLimit;
                break;
            case EndReason::ResolutionLimit:
                ++jumpChain;
                break;
            case EndReason::Stopped:
                break;
        }
        const std::vector<std::int32_t> ranks = RanksByPlayer(session_.record(), playerCount_);
        for (int p = 0; p < playerCount_; ++p) {
            PlayerTally& tally = players[static_cast<std::size_t>(p)];
            const std::int32_t rank = ranks[static_cast<std::size_t>(p)];
            if (rank >= 1 && rank <= playerCount_) {
                ++tally.ranks[static_cast<std::size_t>(rank - 1)];
            }
            if (session_.record().players[p].finishState > 0) {
                ++tally.finished;
            }
        }
    }

    const GameRecord& record_;
    const std::string& folder_;
    const SimulationOptions& options_;
    int playerCount_;
    bool started_ = false;
    PlayScreen screen_;  // shows nothing; every wait is over at once
    StreamRandomSource random_;
    SquareCounter counter_;
    GameSession session_;
};

// Hands out the games in chunks, so that threads that run faster take more.
class GameQueue {
  public:
    GameQueue(std::int64_t games, int threads)
        : games_(games), chunk_(std::clamp<std::int64_t>(games / (threads * 16LL), 1, 256)) {}

    std::int64_t games() const { return games_; }

    // The next chunk [first, last); false when none is left.
    bool take(std::int64_t& first, std::int64_t& last) {
        first = next_.fetch_add(chunk_, std::memory_order_relaxed);
        if (first >= games_) {
            return false;
        }
        last = std::min(first + chunk_, games_);
        return true;
    }

  private:
    const std::int64_t games_;
    const std::int64_t chunk_;
    std::atomic<std::int64_t> next_{0};
};

bool cancelled(const SimulationControl& control) {
    return control.cancel != nullptr && control.cancel->load(std::memory_order_relaxed);
}

void runGames(Worker& worker, GameQueue& queue, std::atomic<std::int64_t>& played,
              const SimulationControl& control, bool reports) {
    std::int64_t first = 0;
    std::int64_t last = 0;
    while (!cancelled(control) && queue.take(first, last)) {
        for (std::int64_t game = first; game < last; ++game) {
            if (!worker.play(game, control.cancel)) {
                return;
            }
            played.fetch_add(1, std::memory_order_relaxed);
        }
        if (reports && control.progress) {
            control.progress(played.load(std::memory_order_relaxed), queue.games());
        }
    }
}

TurnStatistics turnStatistics(std::vector<int>& turns) {
    std::sort(turns.begin(), turns.end());
    TurnStatistics s;
    const std::size_t n = turns.size();
    std::int64_t sum = 0;
    for (int t : turns) {
        sum += t;
    }
    s.mean = static_cast<double>(sum) / static_cast<double>(n);
    s.median = n % 2 == 1 ? turns[n / 2] : (turns[n / 2 - 1] + turns[n / 2]) / 2.0;
    s.p90 = turns[(9 * n + 9) / 10 - 1];
    s.max = turns.back();
    return s;
}

}  // namespace

std::uint32_t GameSeed(std::uint32_t seed, std::int64_t game) {
    // SplitMix64 over the seed and the game's number: neighbouring games get
    // unrelated streams.
    std::uint64_t z =
        (std::uint64_t{seed} << 32 ^ static_cast<std::uint64_t>(game)) + 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z);
}

SimulationReport RunSimulation(const GameRecord& record, const std::string& folder,
                               const SimulationOptions& options, const SimulationControl& control) {
    SimulationReport report;
    report.options = options;
    const int playerCount = std::clamp<int>(record.settings.playerCount, 1, kPlayerCount);
    const std::int64_t games = std::max<std::int64_t>(options.games, 0);
    int threads = options.threads > 0 ? options.threads
                                      : static_cast<int>(std::thread::hardware_concurrency());
    threads = static_cast<int>(
        std::clamp<std::int64_t>(std::min<std::int64_t>(threads, games), 1, kMostThreads));

    std::vector<std::unique_ptr<Worker>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.push_back(std::make_unique<Worker>(record, folder, options, playerCount));
    }
    GameQueue queue(games, threads);
    std::atomic<std::int64_t> played{0};
    std::vector<std::thread> running;
    for (std::size_t t = 1; t < workers.size(); ++t) {
        try {
            running.emplace_back(runGames, std::ref(*workers[t]), std::ref(queue), std::ref(played),
                                 std::cref(control), false);
        } catch (const std::system_error&) {
            break;  // fewer threads: the others take their share
        }
    }
    runGames(*workers[0], queue, played, control, true);
    for (std::thread& thread : running) {
        thread.join();
    }

    report.played = played.load();
    report.cancelled = report.played < games;
    report.players.resize(static_cast<std::size_t>(playerCount));
    for (PlayerTally& player : report.players) {
        player.ranks.assign(static_cast<std::size_t>(playerCount), 0);
    }
    report.squares.assign(kSquareCount, {});
    std::vector<int> turns;
    for (const std::unique_ptr<Worker>& worker : workers) {
        report.finished += worker->finished;
        report.stoppedByTurnLimit += worker->turnLimit;
        report.stoppedByJumpChain += worker->jumpChain;
        turns.insert(turns.end(), worker->finishedTurns.begin(), worker->finishedTurns.end());
        for (std::size_t p = 0; p < report.players.size(); ++p) {
            for (std::size_t r = 0; r < report.players[p].ranks.size(); ++r) {
                report.players[p].ranks[r] += worker->players[p].ranks[r];
            }
            report.players[p].finished += worker->players[p].finished;
        }
        for (std::size_t s = 0; s < report.squares.size(); ++s) {
            report.squares[s].stops += worker->squares()[s].stops;
            report.squares[s].passes += worker->squares()[s].passes;
        }
    }
    if (!turns.empty()) {
        report.hasTurnStatistics = true;
        report.turns = turnStatistics(turns);
    }
    if (control.progress) {
        control.progress(report.played, games);
    }
    return report;
}

}  // namespace banmen
