#include "engine/game_session.h"

#include <algorithm>
#include <cstring>

#include "engine/end_conditions.h"
#include "engine/engine_texts.h"

namespace banmen {

GameSession::GameSession(PlayScreen& screen, RandomSource& random)
    : screen_(screen), random_(random), texts_(engineTexts()) {
    bindFields();
}

GameSession::GameSession(PlayScreen& screen, RandomSource& random, const GameRecord& initial)
    : RecordOwner(initial), screen_(screen), random_(random), texts_(engineTexts()) {
    bindFields();
}

void GameSession::bindFields() {
    for (int p = 0; p < kPlayerCount; ++p) {
        PlayerFields& f = fields_[static_cast<std::size_t>(p)];
        f.currentSquare = field(ObjectKind::Player, p, kFieldCurrentSquare);
        f.isComputer = field(ObjectKind::Player, p, kFieldIsComputer);
        f.restFlag = field(ObjectKind::Player, p, kFieldRestFlag);
        f.finishState = field(ObjectKind::Player, p, kFieldFinishState);
        for (int d = 0; d < kDataItemCount; ++d) {
            f.dataValues[static_cast<std::size_t>(d)] =
                field(ObjectKind::Player, p, kFieldValues, d);
        }
        for (int t = 0; t < kStateCount; ++t) {
            f.stateTexts[static_cast<std::size_t>(t)] =
                field(ObjectKind::Player, p, kFieldStateTexts, t);
        }
    }
    text_.reserve(256);
    screen_.attach(this);
}

GameSession::~GameSession() {
    if (screen_.session() == this) {
        screen_.attach(nullptr);
    }
}

void GameSession::setOptions(PlayOptions options) {
    options_ = std::move(options);
    nextForced_ = 0;
}

int GameSession::playerCount() const {
    return std::clamp<int>(record().settings.playerCount, 1, kPlayerCount);
}

std::vector<int> GameSession::otherPlayers(int player) const {
    std::vector<int> others;
    for (int h = 0; h < playerCount(); ++h) {
        if (h != player) {
            others.push_back(h);
        }
    }
    return others;
}

void GameSession::StartPlay(const GameRecord& source, const std::string& folder, bool debug,
                            std::int32_t debugStartSquare) {
    setFolder(folder);
    replaceRecord(source);
    std::memcpy(startPlayers_.data(), record().players, sizeof record().players);
    beginGame(debug, debugStartSquare);
}

void GameSession::RestartPlay() {
    std::memcpy(record().players, startPlayers_.data(), sizeof record().players);
    beginGame(debug_, debugStart_);
}

void GameSession::beginGame(bool debug, std::int32_t debugStartSquare) {
    debug_ = debug;
    debugStart_ = debugStartSquare;
    drawMode_ = 2;
    for (int p = 0; p < kPlayerCount; ++p) {
        const PlayerFields& f = fields_[static_cast<std::size_t>(p)];
        SetNumber(*f.isComputer, p == 0 ? 0 : 1);
    }
    goalCounter_ = 0;
    for (int p = 0; p < kPlayerCount; ++p) {
        const PlayerFields& f = fields_[static_cast<std::size_t>(p)];
        SetNumber(*f.restFlag, 0);
        SetNumber(*f.finishState, 0);
    }
    for (int p = 0; p < kPlayerCount; ++p) {
        const std::int32_t start = record().players[p].startSquare;
        SetNumber(*fields_[static_cast<std::size_t>(p)].currentSquare, start);
        trail_[static_cast<std::size_t>(p)][0] = start;
        trailLength_[static_cast<std::size_t>(p)] = 1;
    }
    screen_.PreparePlay(debug);
    busy_ = false;
    stop_ = false;
    phase_ = debugStartSquare == -1 ? PhaseOpening : PhaseDebugStart;
    running_ = true;
    togglesShown_ = false;
    turns_ = 0;
    resolutions_ = 0;
    nextForced_ = 0;
    endReason_ = EndReason::Finished;

    screen_.StopSystemSound(SystemSound::Menu);
    screen_.LoadGameSounds(record(), this->folder());
    const std::int32_t music = record().settings.music;
    if (music != -1) {
        screen_.PlayGameSound(music);
    } else {
        screen_.PlayGameSound(drawRandom() % 2 == 0 ? 0 : 1);
    }
    if (events_ != nullptr) {
        events_->GameStarted(*this);
    }
}

void GameSession::StopPlay() {
    phase_ = PhaseIdle;
    busy_ = false;
    running_ = false;
    drawMode_ = 0;
    ApplyNewGameDefaults();
    setModified(false);
    screen_.ClosePlay();
}

void GameSession::announceEnd() {
    if (!running_) {
        return;
    }
    running_ = false;
    if (phase_ != PhaseFinished && endReason_ == EndReason::Finished) {
        endReason_ = EndReason::Stopped;
    }
    if (events_ != nullptr) {
        events_->GameEnded(*this, endReason_);
    }
}

void GameSession::Step() {
    if (stop_) {
        announceEnd();
        screen_.PlayEnded();
        phase_ = PhaseIdle;
        stop_ = false;
        return;
    }
    if (busy_) {
        return;
    }
    busy_ = true;
    if (phase_ == PhaseOpening) {
        RunOpening();
        phase_ = PhaseTurn;
    } else if (isTurnPhase(phase_)) {
        const int player = phase_ - PhaseTurn;
        PlayTurn(player);
        finishTurn(player);
    } else if (phase_ == PhaseDebugStart) {
        runDebugStart();
        phase_ = PhaseTurn + (0 + 1) % playerCount();
    } else if (phase_ == PhaseResults) {
        ShowResults();
        phase_ = PhaseFinished;
    }
    busy_ = false;
}

void GameSession::runDebugStart() {
    screen_.RedrawAllPlayerPanels();
    screen_.ShowComputerToggles();
    togglesShown_ = true;
    resolutions_ = 0;
    if (jump(0, debugStart_, MoveKind::DebugStart)) {
        pushTrail(0, debugStart_);
        ResolveArrival(0);
    }
}

void GameSession::finishTurn(int k) {
    const int n = playerCount();
    int next = k;
    for (int j = (k + 1) % n; j != k; j = (j + 1) % n) {
        if (record().players[j].finishState == 0) {
            next = j;
            break;
        }
    }
    if (CheckEnd(record().settings.endCondition, CountPlayers(record(), n))) {
        phase_ = PhaseResults;
        return;
    }
    phase_ = PhaseTurn + next;
    if (options_.maxTurns > 0 && turns_ >= options_.maxTurns && !stop_) {
        endReason_ = EndReason::TurnLimit;
        screen_.ShowNotice(texts_.turnLimit);
        if (events_ != nullptr) {
            events_->Notice(texts_.turnLimit);
        }
        phase_ = PhaseResults;
    }
}

void GameSession::SetComputer(int player, bool computer) {
    if (player < 0 || player >= kPlayerCount) {
        return;
    }
    SetNumber(*fields_[static_cast<std::size_t>(player)].isComputer, computer ? 1 : 0);
}

void GameSession::FieldRedraw(const FieldDescriptor& field) {
    if (drawMode_ == 2) {
        screen_.RecordChanged(field);
    }
}

bool GameSession::pause(int milliseconds) {
    if (stop_) {
        return false;
    }
    if (!screen_.Pause(milliseconds) || stop_) {
        stop_ = true;
        return false;
    }
    return true;
}

WaitOutcome GameSession::waitFor(const Button& button, int timeoutMs) {
    if (stop_) {
        return WaitOutcome::Aborted;
    }
    const WaitOutcome outcome = screen_.WaitForButton(button, timeoutMs);
    if (outcome == WaitOutcome::Aborted || stop_) {
        stop_ = true;
        return WaitOutcome::Aborted;
    }
    return outcome;
}

Button GameSession::nextButton(int player, bool afterSquare) const {
    Button button;
    button.role = ButtonRole::Next;
    button.look = isComputer(player) ? 9 : afterSquare ? 8 : 0;
    return button;
}

void GameSession::setFinish(int player, std::int32_t value) {
    const std::int32_t old = record().players[player].finishState;
    SetNumber(*fields_[static_cast<std::size_t>(player)].finishState, value);
    if (events_ != nullptr) {
        events_->FinishChanged(player, old, value);
    }
}

void GameSession::setRestFlag(int player, std::int32_t value) {
    const std::int32_t old = record().players[player].restFlag;
    SetNumber(*fields_[static_cast<std::size_t>(player)].restFlag, value);
    if (events_ != nullptr) {
        events_->RestFlagChanged(player, old, value);
    }
}

void GameSession::setData(int actingPlayer, int player, std::int32_t square, int item,
                          std::int32_t value) {
    const std::int32_t old = record().players[player].dataValues[item];
    SetNumber(*fields_[static_cast<std::size_t>(player)].dataValues[static_cast<std::size_t>(item)],
              value);
    if (events_ != nullptr) {
        events_->DataChanged(actingPlayer, player, square, item, old, value);
    }
}

void GameSession::setState(int player, std::int32_t square, int state, std::string_view text) {
    const FieldDescriptor& field =
        *fields_[static_cast<std::size_t>(player)].stateTexts[static_cast<std::size_t>(state)];
    if (events_ != nullptr) {
        const std::string old(this->text(field));
        SetText(field, text);
        events_->StateChanged(player, square, state, old, this->text(field));
        return;
    }
    SetText(field, text);
}

}  // namespace banmen
