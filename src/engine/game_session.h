#pragma once
// GameSession: one game played on the session's own copy of a game record.
// A phase machine advanced by Step (the play timer's tick) runs the opening,
// the turns of up to four players in index order, and the results. Every
// write to the copy goes through the record's field descriptors, so the
// screen hears of each change; the screen itself only shows, animates, waits
// and asks (play_screen.h).
//
// Play state of a player lives in its PlayerDef inside the copy
// (`currentSquare`, `restFlag`, `finishState`, `isComputer`, `dataValues`,
// `stateTexts`); the session adds each piece's trail, a ring of 100 squares.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_texts.h"
#include "engine/game_events.h"
#include "engine/play_phase.h"
#include "engine/play_screen.h"
#include "engine/random_source.h"
#include "model/record_owner.h"

namespace banmen {

struct PlayOptions {
    // Turns after which the game ends with its results (0: no limit).
    int maxTurns = 0;
    // Square resolutions in one turn after which a game that nobody can stop
    // (no person plays, or `limitAlways`) is stopped (0: no limit).
    int resolutionLimit = 1000;
    bool limitAlways = false;
    // Forced faces taken in order by every die thrown, turn throws and dice
    // operands alike; in a debug run they answer the dice prompt.
    std::vector<int> forcedDice;
};

constexpr int kTrailSize = 100;

class GameSession : public RecordOwner {
  public:
    GameSession(PlayScreen& screen, RandomSource& random);
    // The record copy starts as `initial` rather than the new-game defaults,
    // so that the session can be made off the user-interface thread.
    GameSession(PlayScreen& screen, RandomSource& random, const GameRecord& initial);
    ~GameSession() override;

    void setEvents(GameEvents* events) { events_ = events; }
    void setOptions(PlayOptions options);
    const PlayOptions& options() const { return options_; }
    PlayScreen& screen() { return screen_; }

    // Engine operations.
    void StartPlay(const GameRecord& source, const std::string& folder, bool debug,
                   std::int32_t debugStartSquare);
    // Another game of the record the last StartPlay copied, with the same
    // folder and run kind. Only the players' blocks, the one part of the copy
    // that play changes, are put back, so that a series of games does not
    // copy the whole record each time.
    void RestartPlay();
    void StopPlay();
    void Step();
    void RequestStop() { stop_ = true; }
    bool IsFinished() const { return phase_ == PhaseFinished; }
    void PlayTurn(int player);

    // Movement and resolution.
    bool JumpTo(int player, std::int32_t square);
    std::int32_t StepOnce(int player);
    void MoveSteps(int player, int steps);
    void ResolveArrival(int player);
    // False when a wait was aborted.
    bool ApplyDataUpdates(int player);

    // Dice. AskDieValues: 0 in a test run, the total of the prompted faces in
    // a debug run, -1 when a prompt was closed. RollDice: the sum of the first
    // `count` faces, -1 when the animation was aborted.
    int AskDieValues(int player, int count, std::array<int, 3>& forced);
    int RollDice(int player, int count, const std::array<int, 3>& forced,
                 ThrowPurpose purpose = ThrowPurpose::Turn, int update = -1);

    // The opening's screens and selection (false when aborted), the results.
    bool RunOpening();
    void ShowResults();

    // The person/computer toggles.
    void SetComputer(int player, bool computer);

    // State.
    std::int32_t phase() const { return phase_; }
    bool debug() const { return debug_; }
    std::int32_t debugStartSquare() const { return debugStart_; }
    bool busy() const { return busy_; }
    bool stopRequested() const { return stop_; }
    bool running() const { return running_; }
    std::int32_t drawMode() const { return drawMode_; }
    bool selectionTogglesShown() const { return togglesShown_; }
    int playerCount() const;  // `playerCount` kept within 1..4
    std::int32_t goalCounter() const { return goalCounter_; }
    int turnsPlayed() const { return turns_; }
    EndReason endReason() const { return endReason_; }
    int trailLength(int player) const { return trailLength_[static_cast<std::size_t>(player)]; }
    // Entry i of the trail (stored at i mod 100).
    std::int32_t trailEntry(int player, int i) const {
        const int position = ((i % kTrailSize) + kTrailSize) % kTrailSize;
        return trail_[static_cast<std::size_t>(player)][static_cast<std::size_t>(position)];
    }
    // The square a player stands on, -1 when that is not a square in use.
    std::int32_t squareOf(int player) const {
        return squareRef(record().players[player].currentSquare);
    }
    // The players taking part other than `player`, in index order.
    std::vector<int> otherPlayers(int player) const;
    bool isComputer(int player) const { return record().players[player].isComputer != 0; }

    // Never negative, whatever the source gives.
    int drawRandom() { return random_.draw() & 0x7FFFFFFF; }

  protected:
    void FieldRedraw(const FieldDescriptor& field) override;

  private:
    struct PlayerFields {
        const FieldDescriptor* currentSquare = nullptr;
        const FieldDescriptor* isComputer = nullptr;
        const FieldDescriptor* restFlag = nullptr;
        const FieldDescriptor* finishState = nullptr;
        std::array<const FieldDescriptor*, kDataItemCount> dataValues{};
        std::array<const FieldDescriptor*, kStateCount> stateTexts{};
    };

    void bindFields();
    void beginGame(bool debug, std::int32_t debugStartSquare);

    // Waits; an aborted wait also sets the stop request, so that nothing
    // after it changes the record.
    bool pause(int milliseconds);
    WaitOutcome waitFor(const Button& button, int timeoutMs);
    Button nextButton(int player, bool afterSquare) const;

    // The next forced face of the options, 0 when none is left.
    int takeForced();
    bool jump(int player, std::int32_t square, MoveKind kind, bool report = true);
    void pushTrail(int player, std::int32_t square);
    std::int32_t computerPick(int player, std::span<const std::int32_t> candidates);
    // The square when it is one in use, else -1.
    std::int32_t squareRef(std::int32_t square) const {
        return square >= 0 && square < kSquareCount && record().squares[square].name[0] != 0
                   ? square
                   : -1;
    }
    bool resolutionLimitReached() const;
    void stopForResolutionLimit();

    void setFinish(int player, std::int32_t value);
    void setRestFlag(int player, std::int32_t value);
    void setData(int actingPlayer, int player, std::int32_t square, int item, std::int32_t value);
    void setState(int player, std::int32_t square, int state, std::string_view text);

    void runDebugStart();
    void finishTurn(int player);
    void announceEnd();
    int showTurnPrompt(int player, std::int32_t square);
    bool applyOneUpdate(int player, std::int32_t square, int u, bool& first);
    bool showResultLine(int player, std::string_view text);

    PlayScreen& screen_;
    RandomSource& random_;
    const EngineTexts& texts_;
    GameEvents* events_ = nullptr;
    PlayOptions options_;
    std::size_t nextForced_ = 0;
    std::array<PlayerFields, kPlayerCount> fields_{};

    std::int32_t phase_ = PhaseIdle;
    bool busy_ = false;
    bool stop_ = false;
    bool debug_ = false;
    bool running_ = false;
    bool togglesShown_ = false;
    std::int32_t debugStart_ = -1;
    std::int32_t goalCounter_ = 0;
    std::int32_t drawMode_ = 0;
    int turns_ = 0;
    int resolutions_ = 0;  // in the current turn
    // The last StepOnce was a pick at a branch among different squares
    // (ChooseSquare).
    bool lastStepChosen_ = false;
    EndReason endReason_ = EndReason::Finished;
    std::array<std::array<std::int32_t, kTrailSize>, kPlayerCount> trail_{};
    std::array<int, kPlayerCount> trailLength_{};
    std::array<PlayerDef, kPlayerCount> startPlayers_{};  // as StartPlay copied them
    std::string text_;  // composed panel texts; valid during one screen call
};

}  // namespace banmen
