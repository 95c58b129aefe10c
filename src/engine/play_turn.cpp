// One turn of a player: a rest, or a throw of one die and the move.

#include <algorithm>

#include "engine/engine_texts.h"
#include "engine/game_session.h"
#include "model/text_field.h"

namespace banmen {

namespace {
constexpr int kRestSound = 6;
constexpr int kComputerThrowMs = 2000;
constexpr int kRestWaitMs = 2000;
constexpr int kThrownFacePauseMs = 1000;
}  // namespace

int GameSession::takeForced() {
    while (nextForced_ < options_.forcedDice.size()) {
        const int face = options_.forcedDice[nextForced_++];
        if (face >= 1 && face <= 6) {
            return face;
        }
    }
    return 0;
}

// Returns how far below its usual place the throw label stands: it follows
// the die-face jump lines when five or six of them reach its usual place.
int GameSession::showTurnPrompt(int k, std::int32_t square) {
    const EngineTexts& t = texts_;
    const std::string_view name = fieldText(record().players[k].name);
    std::array<std::int32_t, kDieJumpCount> targets{};
    int jumps = 0;
    for (int face = 0; face < kDieJumpCount; ++face) {
        targets[static_cast<std::size_t>(face)] =
            square < 0 ? -1 : squareRef(record().squares[square].dieJumps[face]);
        jumps += targets[static_cast<std::size_t>(face)] != -1 ? 1 : 0;
    }
    text_.assign(name).append(t.turnTail);
    int line = 0;
    if (jumps == 0) {
        screen_.ShowTurnPicture(kTurnPictureTop);
        screen_.ShowPanelText({text_, kTurnPromptRect, kTextSize, kWhite, TextStyle::Plain});
    } else {
        screen_.ShowTurnPicture(kTurnPictureTopWithJumps);
        screen_.ShowPanelText(
            {text_, kTurnPromptWithJumpsRect, kTextSize, kWhite, TextStyle::Plain});
        auto showLine = [&](std::string_view lineText) {
            const int top = kJumpLinesTop + line * kJumpLineHeight;
            screen_.ShowPanelText(
                {lineText, {0, top, 158, top + kJumpLineHeight - 1}, 80, kWhite, TextStyle::Plain});
            ++line;
        };
        for (int face = 1; face <= kDieJumpCount; ++face) {
            const std::int32_t target = targets[static_cast<std::size_t>(face - 1)];
            if (target == -1) {
                continue;
            }
            text_.assign(digitText(face))
                .append(t.jumpIf)
                .append(fieldText(record().squares[target].name))
                .append(t.jumpGo);
            showLine(text_);
        }
        if (jumps < kDieJumpCount) {
            showLine(t.otherFaces);
        }
    }
    const int below = std::max(0, kJumpLinesTop + line * kJumpLineHeight - kThrowLabelRect.top);
    PanelRect label = kThrowLabelRect;
    label.top += below;
    label.bottom += below;
    screen_.ShowPanelText({t.throwLabel, label, kTextSize, kWhite, TextStyle::Plain});
    return below;
}

void GameSession::PlayTurn(int k) {
    const EngineTexts& t = texts_;
    ++turns_;
    resolutions_ = 0;
    if (events_ != nullptr) {
        events_->TurnStarted(turns_, k, record().players[k].currentSquare);
    }
    screen_.ClearPanel();
    screen_.ShowPanelPlayer(k);

    if (record().players[k].restFlag != 0) {
        setRestFlag(k, 0);
        if (events_ != nullptr) {
            events_->RestSpent(k);
        }
        text_.assign(fieldText(record().players[k].name)).append(t.restTail);
        screen_.ShowPanelText({text_, kRestRect, kTextSize, kWhite, TextStyle::Plain});
        screen_.PlayGameSound(kRestSound);
        waitFor(nextButton(k, false), kRestWaitMs);
        screen_.HideButton();
        screen_.ClearPanel();
        return;
    }

    const std::int32_t square = squareOf(k);
    Button throwButton;
    throwButton.top += showTurnPrompt(k, square);
    throwButton.role = ButtonRole::Throw;
    throwButton.look = isComputer(k) ? 2 : 0;
    const WaitOutcome thrown = waitFor(throwButton, isComputer(k) ? kComputerThrowMs : 0);
    screen_.HideButton();
    if (!goesOn(thrown)) {
        return;
    }
    std::array<int, 3> forced{};
    if (AskDieValues(k, 1, forced) == -1) {
        return;
    }
    const int face = RollDice(k, 1, forced);
    if (face == -1) {
        screen_.RemoveDice();
        return;
    }
    // The face replaces the prompt on a clean panel.
    screen_.ClearPanel();
    screen_.ShowThrownFace(face, kThrownFaceTop);
    text_.assign(digitText(face)).append(t.thrownTail);
    screen_.ShowPanelText({text_, kThrownFaceTextRect, kTextSize, kWhite, TextStyle::Plain});
    if (!pause(kThrownFacePauseMs)) {
        return;
    }
    screen_.RemoveDice();
    screen_.ClearPanel();

    const std::int32_t target =
        square < 0 ? -1 : squareRef(record().squares[square].dieJumps[face - 1]);
    if (target != -1) {
        if (!jump(k, target, MoveKind::DieFace)) {
            return;
        }
        pushTrail(k, target);
    } else {
        MoveSteps(k, face);
    }
    if (!stop_) {
        ResolveArrival(k);
    }
}

int GameSession::AskDieValues(int player, int count, std::array<int, 3>& forced) {
    forced = {0, 0, 0};
    count = std::clamp(count, 1, 3);
    if (!debug_) {
        for (int i = 0; i < count; ++i) {
            forced[static_cast<std::size_t>(i)] = takeForced();
        }
        return 0;
    }
    const EngineTexts& t = texts_;
    int total = 0;
    for (int i = 1; i <= count; ++i) {
        int face = takeForced();
        if (face == 0) {
            if (count == 1) {
                text_.assign(t.diceCaption);
            } else {
                text_.assign(t.dieCaptionHead).append(digitText(i)).append(t.dieCaptionTail);
            }
            face = screen_.AskDieFace(player, text_);
        }
        if (face < 1 || face > 6) {
            return -1;
        }
        forced[static_cast<std::size_t>(i - 1)] = face;
        total += face;
    }
    return total;
}

int GameSession::RollDice(int player, int count, const std::array<int, 3>& forced,
                          ThrowPurpose purpose, int update) {
    count = std::clamp(count, 1, 3);
    std::array<int, 3> faces{};
    for (int& face : faces) {
        face = drawRandom() % 6 + 1;
    }
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (forced[i] != 0) {
            faces[i] = forced[i];
        }
    }
    screen_.PlaySystemSound(SystemSound::Dice);
    if (!screen_.AnimateDice(count, faces)) {
        stop_ = true;
        return -1;
    }
    int total = 0;
    for (int i = 0; i < count; ++i) {
        total += faces[static_cast<std::size_t>(i)];
    }
    if (events_ != nullptr) {
        events_->DiceThrown(player, purpose, update,
                            std::span<const int>(faces.data(), static_cast<std::size_t>(count)),
                            total);
    }
    return total;
}

}  // namespace banmen
