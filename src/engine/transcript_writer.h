#pragma once
// A transcript of a game: one JSON object per line for every event, texts in
// UTF-8, indices 0-based. The last line is {"event":"end",...} with every
// player's final state and rank.

#include <ostream>

#include "engine/game_events.h"

namespace banmen {

class TranscriptWriter final : public GameEvents {
  public:
    explicit TranscriptWriter(std::ostream& out) : out_(out) {}

    void GameStarted(const GameSession& session) override;
    void PlayersSelected(const GameSession& session) override;
    void TurnStarted(int turn, int player, std::int32_t square) override;
    void RestSpent(int player) override;
    void DiceThrown(int player, ThrowPurpose purpose, int update, std::span<const int> faces,
                    int total) override;
    void PieceMoved(int player, MoveKind kind, std::int32_t from, std::int32_t to,
                    bool undone) override;
    void SquareResolved(int player, std::int32_t square) override;
    void DataChanged(int actingPlayer, int player, std::int32_t square, int item,
                     std::int32_t oldValue, std::int32_t newValue) override;
    void StateChanged(int player, std::int32_t square, int state, std::string_view oldText,
                      std::string_view newText) override;
    void FinishChanged(int player, std::int32_t oldValue, std::int32_t newValue) override;
    void RestFlagChanged(int player, std::int32_t oldValue, std::int32_t newValue) override;
    void Notice(std::string_view text) override;
    void GameEnded(const GameSession& session, EndReason reason) override;

  private:
    std::ostream& out_;
};

}  // namespace banmen
