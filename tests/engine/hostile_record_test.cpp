// Records full of nonsense (references out of range or to free slots, unknown
// kinds, codes and conditions, player counts outside 1..4, extreme values)
// play to an end without touching memory they should not.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "engine/game_session.h"
#include "scripted_screen.h"
#include "support/hostile_records.h"

namespace banmen {
namespace {

// Every player who took a turn, moved, stopped on a square or had a value
// changed.
struct Actors : GameEvents {
    std::set<int> players;
    void TurnStarted(int, int player, std::int32_t) override { players.insert(player); }
    void PieceMoved(int player, MoveKind, std::int32_t, std::int32_t, bool) override {
        players.insert(player);
    }
    void SquareResolved(int player, std::int32_t) override { players.insert(player); }
    void DataChanged(int acting, int player, std::int32_t, int, std::int32_t,
                     std::int32_t) override {
        players.insert(acting);
        players.insert(player);
    }
};

// The scripted screen, choosing at branches as the headless screen does (a
// script that always turned back would hold a person's move forever).
struct HostileScreen : test::ScriptedScreen {
    int ChooseSquare(int player, int current, std::span<const int> candidates) override {
        test::ScriptedScreen::ChooseSquare(player, current, candidates);
        return PlayScreen::ChooseSquare(player, current, candidates);
    }
};

// Plays 300 hostile records through `screen` (`scripted` when it is one):
// each ends within the limits, and only the players the count lets in ever
// play or are ranked.
void playHostileGames(PlayScreen& screen, test::ScriptedScreen* scripted) {
    SequenceRandomSource random({5, 17, 2, 31, 8, 0, 23, 11, 4});
    GameSession session(screen, random);
    Actors actors;
    session.setEvents(&actors);
    PlayOptions options;
    options.maxTurns = 150;
    options.limitAlways = true;
    options.resolutionLimit = 50;
    session.setOptions(options);
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        const std::unique_ptr<GameRecord> record = test::hostileRecord(seed);
        const int players = std::clamp<std::int32_t>(record->settings.playerCount, 1, kPlayerCount);
        actors.players.clear();
        if (scripted != nullptr) {
            scripted->ranking.clear();
            scripted->log.clear();
            scripted->texts.clear();
            scripted->textRects.clear();
        }
        session.StartPlay(*record, "", seed % 3 == 0,
                          seed % 5 == 0 ? static_cast<std::int32_t>(seed % 45) - 2 : -1);
        for (int step = 0; step < 1000 && session.running(); ++step) {
            session.Step();
            if (session.IsFinished()) {
                session.RequestStop();
            }
        }
        ASSERT_FALSE(session.running()) << "seed " << seed;
        EXPECT_LE(session.turnsPlayed(), options.maxTurns) << "seed " << seed;
        ASSERT_FALSE(actors.players.empty()) << "seed " << seed;
        EXPECT_LT(*actors.players.rbegin(), players) << "seed " << seed;
        EXPECT_GE(*actors.players.begin(), 0) << "seed " << seed;
        if (scripted != nullptr) {
            for (const RankRow& row : scripted->ranking) {
                EXPECT_LT(row.player, players) << "seed " << seed;
            }
        }
    }
}

TEST(HostileRecordTest, GamesEndAndOnlyTheCountedPlayersPlay) {
    PlayScreen headless;
    playHostileGames(headless, nullptr);
    HostileScreen scripted;
    playHostileGames(scripted, &scripted);
}

}  // namespace
}  // namespace banmen
