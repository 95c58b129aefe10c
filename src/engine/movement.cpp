// Moving a piece along the routes, and resolving the square it stops on.

#include <algorithm>

#include "engine/engine_texts.h"
#include "engine/game_session.h"
#include "model/text_field.h"

namespace banmen {

namespace {

constexpr int kComputerSquareWaitMs = 6000;
constexpr int kMaxRedraws = 10000;
constexpr int kMaxChosenRefunds = 1000;

// The game sound a square of each kind plays when it has none of its own;
// a rest square plays nothing when stopped on.
std::int32_t kindSound(std::int32_t kind) {
    switch (kind) {
        case kSquareNormal:
            return 3;
        case kSquareLucky:
            return 4;
        case kSquareUnlucky:
            return 5;
        case kSquareStart:
            return 7;
        case kSquareGoal:
            return 8;
        case kSquareRetire:
            return 9;
        default:
            return -1;
    }
}

std::int32_t clampCut(std::int32_t position, std::int32_t half, std::int32_t most) {
    const std::int64_t cut = std::int64_t{position} - half;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(cut, 0, most));
}

}  // namespace

bool GameSession::JumpTo(int player, std::int32_t square) {
    return jump(player, square, MoveKind::Step);
}

bool GameSession::jump(int player, std::int32_t square, MoveKind kind, bool report) {
    if (squareRef(square) == -1 || stop_) {
        return false;
    }
    const std::int32_t from = record().players[player].currentSquare;
    if (!screen_.AnimateJump(player, from, square)) {
        stop_ = true;
        return false;
    }
    screen_.PlaySystemSound(SystemSound::Move);
    SetNumber(*fields_[static_cast<std::size_t>(player)].currentSquare, square);
    if (report && events_ != nullptr) {
        events_->PieceMoved(player, kind, from, square, false);
    }
    return true;
}

void GameSession::pushTrail(int player, std::int32_t square) {
    int& length = trailLength_[static_cast<std::size_t>(player)];
    trail_[static_cast<std::size_t>(player)][static_cast<std::size_t>(length % kTrailSize)] =
        square;
    ++length;
}

std::int32_t GameSession::computerPick(int p, std::span<const std::int32_t> candidates) {
    // Never straight back to the square the piece came from, unless every
    // candidate leads back there.
    const int count = static_cast<int>(candidates.size());
    const int length = trailLength(p);
    const std::int32_t previous = length > 1 ? trailEntry(p, length - 2) : -1;
    const auto other = std::find_if(candidates.begin(), candidates.end(),
                                    [previous](std::int32_t c) { return c != previous; });
    std::int32_t choice = candidates[static_cast<std::size_t>(drawRandom() % count)];
    if (length <= 1 || other == candidates.end()) {
        return choice;
    }
    for (int redraws = 0; choice == previous; ++redraws) {
        if (redraws == kMaxRedraws) {
            // Only a broken random source gets here.
            return *other;
        }
        choice = candidates[static_cast<std::size_t>(drawRandom() % count)];
    }
    return choice;
}

std::int32_t GameSession::StepOnce(int p) {
    const std::int32_t s = squareOf(p);
    if (s == -1) {
        return -1;
    }
    const SquareDef& square = record().squares[s];
    if (square.kind == kSquareGoal || square.kind == kSquareRetire) {
        return -1;
    }
    std::array<std::int32_t, kNextSquareCount> candidates{};
    int count = 0;
    for (std::int32_t next : square.nextSquares) {
        if (squareRef(next) != -1) {
            candidates[static_cast<std::size_t>(count++)] = next;
        }
    }
    if (count == 0) {
        return -1;
    }
    std::int32_t choice = candidates[0];
    lastStepChosen_ = false;
    if (count > 1) {
        const std::span<const std::int32_t> offered(candidates.data(),
                                                    static_cast<std::size_t>(count));
        if (debug_ || !isComputer(p)) {
            choice = screen_.ChooseSquare(p, s, offered);
            // Links that all lead to one square offer no choice.
            lastStepChosen_ = std::any_of(offered.begin(), offered.end(),
                                          [&](std::int32_t c) { return c != offered[0]; });
            if (std::find(offered.begin(), offered.end(), choice) == offered.end()) {
                choice = -1;
            }
        } else {
            choice = computerPick(p, offered);
        }
    }
    // MoveSteps reports the step: only it knows whether the step is undone.
    if (choice == -1 || !jump(p, choice, MoveKind::Step, false)) {
        return -1;
    }
    return choice;
}

void GameSession::MoveSteps(int p, int n) {
    int& length = trailLength_[static_cast<std::size_t>(p)];
    const int startLength = length;
    int i = 0;
    int forcedRefunds = 0;
    int chosenRefunds = 0;
    // Leaving a square that this move entered passes it; the square the move
    // starts from is not passed.
    bool entered = false;
    auto leave = [&](std::int32_t square) {
        if (entered && events_ != nullptr) {
            events_->SquarePassed(p, square);
        }
        entered = true;
    };
    while (i < n) {
        const std::int32_t from = record().players[p].currentSquare;
        const std::int32_t c = StepOnce(p);
        if (stop_) {
            return;
        }
        if (c == -1) {
            // Walk back along the trail by the remaining pips, never past
            // its first entry.
            --length;
            while (i < n && length > 0) {
                --length;
                const std::int32_t here = record().players[p].currentSquare;
                if (!jump(p, trailEntry(p, length), MoveKind::WalkBack)) {
                    return;
                }
                leave(here);
                if (length == 0) {
                    break;
                }
                ++i;
            }
            ++length;
            return;
        }
        if (length > startLength && length >= 2 && c == trailEntry(p, length - 2)) {
            // Back onto the square left earlier in this move: the earlier
            // step leaves the trail and this one does not count. A person
            // who chose to turn back at a branch gets every such step back
            // (up to a number no person reaches: a script or a stuck random
            // source must not hold the move forever). Where no choice was
            // offered (a forced step, a computer whose links all lead back)
            // at most as many steps are given back as the throw has pips, so
            // that two squares linked only to each other end the move.
            --length;
            if (lastStepChosen_ ? chosenRefunds++ < kMaxChosenRefunds : forcedRefunds++ < n) {
                --i;
            }
            if (events_ != nullptr) {
                events_->PieceMoved(p, MoveKind::Step, from, c, true);
            }
            leave(from);
            continue;
        }
        if (events_ != nullptr) {
            events_->PieceMoved(p, MoveKind::Step, from, c, false);
        }
        leave(from);
        pushTrail(p, c);
        const std::int32_t passTarget = squareRef(record().squares[c].passJump);
        if (passTarget != -1) {
            if (passTarget != c) {
                ResolveArrival(p);
            }
            if (jump(p, passTarget, MoveKind::Pass)) {
                pushTrail(p, passTarget);
            }
            return;
        }
        ++i;
    }
}

bool GameSession::resolutionLimitReached() const {
    if (options_.resolutionLimit <= 0 || resolutions_ < options_.resolutionLimit) {
        return false;
    }
    if (options_.limitAlways) {
        return true;
    }
    for (int p = 0; p < playerCount(); ++p) {
        if (!isComputer(p)) {
            return false;
        }
    }
    return true;
}

void GameSession::stopForResolutionLimit() {
    endReason_ = EndReason::ResolutionLimit;
    screen_.ShowNotice(texts_.resolutionLimit);
    if (events_ != nullptr) {
        events_->Notice(texts_.resolutionLimit);
    }
    stop_ = true;
}

void GameSession::ResolveArrival(int p) {
    const EngineTexts& t = texts_;
    // The chain of arrival jumps runs as a loop; every square of it that was
    // entered clears the panel once at the end, as nested resolutions would.
    int clears = 0;
    for (;;) {
        const std::int32_t s = squareOf(p);
        if (s == -1 || stop_) {
            break;
        }
        if (resolutionLimitReached()) {
            stopForResolutionLimit();
            break;
        }
        ++resolutions_;
        if (events_ != nullptr) {
            events_->SquareResolved(p, s);
        }
        const SquareDef& square = record().squares[s];
        const std::int32_t kind = square.kind;
        if (kind == kSquareGoal) {
            ++goalCounter_;
            setFinish(p, goalCounter_);
            screen_.RedrawPlayerPanel(p);
        } else if (kind == kSquareRetire) {
            setFinish(p, -1);
            screen_.RedrawPlayerPanel(p);
        } else if (kind == kSquareRest) {
            setRestFlag(p, 1);
            screen_.RedrawPlayerPanel(p);
        }
        screen_.ClearPanel();
        const std::string_view name = fieldText(record().players[p].name);
        if (kind == kSquareGoal) {
            const std::string goal = std::string(name) + t.goalTail;
            const std::string thanks = std::string(name) + t.thanksTail;
            screen_.ShowCelebration(t.congratulations, goal, thanks);
        }

        SquarePicture picture;
        picture.square = s;
        picture.image = isImageRef(record(), square.picture) ? square.picture : -1;
        picture.cutLeft = clampCut(square.x, 71, 658);
        picture.cutTop = clampCut(square.y, 57, 485);
        screen_.ShowSquarePicture(p, picture);
        screen_.ShowPanelPlayer(p);
        const std::string_view description = fieldText(square.description);
        if (!description.empty()) {
            screen_.ShowPanelText(
                {description, kDescriptionRect, kTextSize, kMessageColour, TextStyle::Outlined});
        }
        const std::int32_t sound = square.sound != -1 ? square.sound : kindSound(kind);
        if (sound != -1) {
            screen_.PlayGameSound(sound);
        }
        bool supplement = false;
        if (isImageRef(record(), square.supplementPicture) &&
            screen_.LoadSupplementPicture(square.supplementPicture)) {
            screen_.ShowSupplementPicture(drawRandom() % 2 == 0 ? Transition::Curtains
                                                                : Transition::Dissolve);
            supplement = true;
        }

        ++clears;
        const bool computer = isComputer(p);
        if (!goesOn(waitFor(nextButton(p, true), computer ? kComputerSquareWaitMs : 0))) {
            --clears;
            break;
        }
        const bool applied = ApplyDataUpdates(p);
        screen_.HideButton();
        if (supplement) {
            screen_.RestoreSupplementPicture();
        }
        if (!applied) {
            break;
        }
        const std::int32_t target = squareRef(square.arrivalJump);
        if (target == -1 || !jump(p, target, MoveKind::Arrival)) {
            break;
        }
        pushTrail(p, target);
        screen_.ClearPanel();
    }
    for (int i = 0; i < clears; ++i) {
        screen_.ClearPanel();
    }
}

}  // namespace banmen
