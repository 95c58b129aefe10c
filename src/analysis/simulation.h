#pragma once
// The balance report: many games of computer players, played by the engine
// itself (GameSession over a screen that shows nothing), split over threads.
//
// Every game draws from a random stream of its own, seeded from the report's
// seed and the game's number, so a game plays the same whichever thread runs
// it; the threads' counts are integers merged in thread order. The same seed
// and options therefore give the same report whatever the thread count.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/game_record.h"

namespace banmen {

struct SimulationOptions {
    std::int64_t games = 10000;
    std::uint32_t seed = 1;
    // Turns (of all players together) after which a game is stopped with its
    // results.
    int maxTurns = 1000;
    // 0: one per processor core.
    int threads = 0;
    // Faces forced on the dice of every game, in order (PlayOptions).
    std::vector<int> forcedDice;
};

struct SimulationControl {
    // Called on the calling thread now and then with the games played so
    // far, and once more at the end.
    std::function<void(std::int64_t played, std::int64_t games)> progress;
    // Set from any thread to stop early: games under way end, no new game
    // starts, and the report says `cancelled`.
    const std::atomic<bool>* cancel = nullptr;
};

struct TurnStatistics {
    double mean = 0;
    double median = 0;     // the mean of the two middle games for an even count
    std::int64_t p90 = 0;  // nearest rank
    std::int64_t max = 0;
};

struct PlayerTally {
    // ranks[r]: games this player ended at rank r + 1, by the game's ranking.
    std::vector<std::int64_t> ranks;
    std::int64_t finished = 0;  // games in which the player reached a goal
};

struct SquareTally {
    std::int64_t stops = 0;   // a move or a jump ended here
    std::int64_t passes = 0;  // a move went through without stopping
};

struct SimulationReport {
    SimulationOptions options;
    std::int64_t played = 0;  // games played; below options.games when cancelled
    bool cancelled = false;
    std::int64_t finished = 0;
    std::int64_t stoppedByTurnLimit = 0;
    std::int64_t stoppedByJumpChain = 0;
    // Over the finished games; none when no game finished.
    bool hasTurnStatistics = false;
    TurnStatistics turns;
    std::vector<PlayerTally> players;  // the players taking part, in order
    std::vector<SquareTally> squares;  // all kSquareCount slots
};

// The seed of game `game`'s random stream.
std::uint32_t GameSeed(std::uint32_t seed, std::int64_t game);

// Plays options.games games of `record` (media found against `folder`) with
// every player a computer. Safe to call off the user-interface thread.
SimulationReport RunSimulation(const GameRecord& record, const std::string& folder,
                               const SimulationOptions& options,
                               const SimulationControl& control = {});

}  // namespace banmen
