#pragma once
// What happens in a game, event by event, for a transcript or a test. The
// session reports to at most one observer; texts are Shift-JIS.

#include <cstdint>
#include <span>
#include <string_view>

namespace banmen {

class GameSession;

enum class MoveKind : std::uint8_t { Step, WalkBack, DieFace, Pass, Arrival, DebugStart };
enum class ThrowPurpose : std::uint8_t { Turn, Update };
enum class EndReason : std::uint8_t {
    Finished,         // the results were shown
    Stopped,          // a stop request (the user, a closed input)
    TurnLimit,        // the turn limit ended the game; the results were shown
    ResolutionLimit,  // a chain of resolutions that never ends was stopped
};

std::string_view moveKindName(MoveKind kind);
std::string_view endReasonName(EndReason reason);

class GameEvents {
  public:
    virtual ~GameEvents();

    virtual void GameStarted(const GameSession& session);
    // The opening's player selection is over.
    virtual void PlayersSelected(const GameSession& session);
    virtual void TurnStarted(int turn, int player, std::int32_t square);
    virtual void RestSpent(int player);
    // `update` is the data update's number for ThrowPurpose::Update, else -1.
    virtual void DiceThrown(int player, ThrowPurpose purpose, int update,
                            std::span<const int> faces, int total);
    // `undone`: the step went back onto the square left earlier in the move,
    // which takes that step back.
    virtual void PieceMoved(int player, MoveKind kind, std::int32_t from, std::int32_t to,
                            bool undone);
    // The piece came to rest on the square (at the end of a move or a jump,
    // or on a square whose pass jump it takes), which is then resolved.
    virtual void SquareResolved(int player, std::int32_t square);
    // The piece moved through the square during a move without coming to rest
    // there: a step or a walk back entered it and a later one left it.
    virtual void SquarePassed(int player, std::int32_t square);
    // One player's value of data item `item` written by update `item` of the
    // acting player's square.
    virtual void DataChanged(int actingPlayer, int player, std::int32_t square, int item,
                             std::int32_t oldValue, std::int32_t newValue);
    virtual void StateChanged(int player, std::int32_t square, int state, std::string_view oldText,
                              std::string_view newText);
    virtual void FinishChanged(int player, std::int32_t oldValue, std::int32_t newValue);
    virtual void RestFlagChanged(int player, std::int32_t oldValue, std::int32_t newValue);
    virtual void Notice(std::string_view text);
    // Last: the record still holds the final state of every player.
    virtual void GameEnded(const GameSession& session, EndReason reason);
};

}  // namespace banmen
