#include "engine/game_events.h"

namespace banmen {

std::string_view moveKindName(MoveKind kind) {
    switch (kind) {
        case MoveKind::Step:
            return "step";
        case MoveKind::WalkBack:
            return "walkBack";
        case MoveKind::DieFace:
            return "dieFace";
        case MoveKind::Pass:
            return "pass";
        case MoveKind::Arrival:
            return "arrival";
        case MoveKind::DebugStart:
            return "debugStart";
    }
    return "";
}

std::string_view endReasonName(EndReason reason) {
    switch (reason) {
        case EndReason::Finished:
            return "finished";
        case EndReason::Stopped:
            return "stopped";
        case EndReason::TurnLimit:
            return "turnLimit";
        case EndReason::ResolutionLimit:
            return "resolutionLimit";
    }
    return "";
}

GameEvents::~GameEvents() = default;
void GameEvents::GameStarted(const GameSession&) {}
void GameEvents::PlayersSelected(const GameSession&) {}
void GameEvents::TurnStarted(int, int, std::int32_t) {}
void GameEvents::RestSpent(int) {}
void GameEvents::DiceThrown(int, ThrowPurpose, int, std::span<const int>, int) {}
void GameEvents::PieceMoved(int, MoveKind, std::int32_t, std::int32_t, bool) {}
void GameEvents::SquareResolved(int, std::int32_t) {}
void GameEvents::SquarePassed(int, std::int32_t) {}
void GameEvents::DataChanged(int, int, std::int32_t, int, std::int32_t, std::int32_t) {}
void GameEvents::StateChanged(int, std::int32_t, int, std::string_view, std::string_view) {}
void GameEvents::FinishChanged(int, std::int32_t, std::int32_t) {}
void GameEvents::RestFlagChanged(int, std::int32_t, std::int32_t) {}
void GameEvents::Notice(std::string_view) {}
void GameEvents::GameEnded(const GameSession&, EndReason) {}

}  // namespace banmen
