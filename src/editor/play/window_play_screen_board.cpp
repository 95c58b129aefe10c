// WindowPlayScreen: the board's animations, the branch choice, the
// celebration, the dialogs and the sounds.

#include <QPointer>
#include <cmath>

#include "editor/play/dice_prompt.h"
#include "editor/play/draw/dice_animation.h"
#include "editor/play/draw/fireworks.h"
#include "editor/play/draw/hop_animation.h"
#include "editor/play/draw/route_arrow.h"
#include "editor/play/draw/transitions.h"
#include "editor/play/play_view.h"
#include "editor/play/player_choice_dialog.h"
#include "editor/play/window_play_screen.h"
#include "engine/game_session.h"
#include "media/font_faces.h"

namespace banmen {
namespace {

constexpr PanelRect kCelebrationRect{0, 195, 158, 225};
constexpr int kCelebrationEndMs = 1000;
constexpr int kDialogWaitMs = 100;
constexpr int kChooseSlice = 10;
constexpr int kSquareHitRadius = 16;
constexpr int kRouteHitDistance = 6;

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + ab * t;
    const QPointF d = p - nearest;
    return std::sqrt(QPointF::dotProduct(d, d));
}

}  // namespace

// --- Pieces and dice

bool WindowPlayScreen::AnimateJump(int player, int fromSquare, int toSquare) {
    if (!windowAlive() || session() == nullptr) {
        return false;
    }
    const GameRecord& record = session()->record();
    if (!isSquareRef(record, fromSquare) || !isSquareRef(record, toSquare)) {
        return true;
    }
    return play::animateHop(frame_, *this, player, frame_.pieceTopLeft(player, fromSquare),
                            frame_.pieceTopLeft(player, toSquare));
}

bool WindowPlayScreen::AnimateDice(int count, const std::array<int, 3>& faces) {
    if (!windowAlive()) {
        return false;
    }
    rollingDice_ = true;
    const bool done = play::animateDice(frame_, *this, count, faces);
    rollingDice_ = false;
    flush();
    return done;
}

void WindowPlayScreen::RemoveDice() {
    frame_.showBoard(play::kDiceRect);
}

bool WindowPlayScreen::LoadSupplementPicture(int image) {
    return prepared_ && frame_.loadSupplement(image);
}

void WindowPlayScreen::ShowSupplementPicture(Transition transition) {
    if (transition == Transition::Curtains) {
        play::curtains(frame_, *this);
    } else {
        play::dissolve(frame_, *this);
    }
    flush();
}

void WindowPlayScreen::RestoreSupplementPicture() {
    frame_.removeSupplement();
}

// --- A branch

void WindowPlayScreen::drawArrows(bool shown) {
    if (!arrowArea_.empty()) {
        frame_.showBoard(arrowArea_);
    }
    arrowsShown_ = shown;
    if (!shown || session() == nullptr) {
        return;
    }
    const GameRecord& record = session()->record();
    const Point from = play::squarePlace(record.squares[chooseFrom_]);
    DibBitmap& arrow = frame_.pictures().arrow;
    for (const int candidate : candidates_) {
        const auto placed = play::routeArrow(from, play::squarePlace(record.squares[candidate]));
        if (!placed) {
            continue;
        }
        frame_.frame().DrawRotated(arrow, placed->centre.x - arrow.GetWidth() / 2,
                                   placed->centre.y - arrow.GetHeight() / 2, arrow.GetWidth(),
                                   arrow.GetHeight(), 0, 0, placed->degrees);
    }
    frame_.markDirty(arrowArea_);
}

int WindowPlayScreen::squareAt(QPoint at) const {
    if (session() == nullptr || chooseFrom_ < 0) {
        return -1;
    }
    const GameRecord& record = session()->record();
    const QPointF p(at);
    for (const int candidate : candidates_) {
        const Point s = play::squarePlace(record.squares[candidate]);
        if (std::hypot(p.x() - s.x, p.y() - s.y) <= kSquareHitRadius) {
            return candidate;
        }
    }
    const Point from = play::squarePlace(record.squares[chooseFrom_]);
    for (const int candidate : candidates_) {
        const Point s = play::squarePlace(record.squares[candidate]);
        if (distanceToSegment(p, QPointF(from.x, from.y), QPointF(s.x, s.y)) <= kRouteHitDistance) {
            return candidate;
        }
    }
    return -1;
}

int WindowPlayScreen::ChooseSquare(int, int currentSquare, std::span<const int> candidates) {
    if (!windowAlive() || session() == nullptr ||
        !isSquareRef(session()->record(), currentSquare)) {
        return -1;
    }
    const Point from = play::squarePlace(session()->record().squares[currentSquare]);
    chooseFrom_ = currentSquare;
    candidates_.assign(candidates.begin(), candidates.end());
    arrowArea_ = play::intersect(play::sized(from.x - 50, from.y - 50, 100, 100), play::kBoardRect);
    chosen_ = -1;
    choosing_ = true;
    drawArrows(true);
    int choice = -1;
    // The branch waits for a choice; a stop also ends it.
    while (slice(kChooseSlice, true)) {
        if (chosen_ != -1) {
            choice = chosen_;
            break;
        }
    }
    choosing_ = false;
    drawArrows(false);
    arrowArea_ = {};
    candidates_.clear();
    chooseFrom_ = -1;
    flush();
    return choice;
}

// --- Celebration

void WindowPlayScreen::ShowCelebration(std::string_view first, std::string_view second,
                                       std::string_view third) {
    celebrating_ = true;
    const std::string_view texts[3] = {first, second, third};
    constexpr SystemSound kSounds[3] = {SystemSound::Hanabi1, SystemSound::Hanabi2,
                                        SystemSound::Hanabi3};
    bool goingOn = true;
    for (int i = 0; i < 3 && goingOn; ++i) {
        frame_.clearPanelRect(kCelebrationRect);
        frame_.panelText({texts[i], kCelebrationRect, 100, kWhite, TextStyle::Plain});
        panelChanged();
        flush();
        const play::Rocket rocket = i < 2 ? play::randomRocket(*this) : play::finaleRocket();
        goingOn = play::riseRocket(frame_, *this, rocket);
        if (goingOn) {
            PlaySystemSound(kSounds[i]);
            goingOn = play::burstRocket(frame_, *this, rocket);
        }
    }
    ClearPanel();
    if (goingOn) {
        Pause(kCelebrationEndMs);
    }
    celebrating_ = false;
}

// --- Dialogs

int WindowPlayScreen::AskDieFace(int, std::string_view caption) {
    if (!windowAlive() || !dicePrompt_) {
        return -1;
    }
    QPointer<DicePrompt> prompt = dicePrompt_;
    prompt.data()->ask(TextFromSjis(caption));
    for (;;) {
        const DicePrompt* shown = prompt.data();
        if (shown == nullptr || !shown->isVisible() || !Pause(kDialogWaitMs)) {
            break;
        }
    }
    DicePrompt* answered = prompt.data();
    if (answered == nullptr) {
        return -1;
    }
    answered->hide();
    return answered->face();
}

int WindowPlayScreen::ChoosePlayer(int actingPlayer) {
    if (!windowAlive() || !playerChoice_ || session() == nullptr) {
        return -1;
    }
    QPointer<PlayerChoiceDialog> dialog = playerChoice_;
    dialog.data()->ask(session()->record(), session()->playerCount(), actingPlayer);
    for (;;) {
        const PlayerChoiceDialog* shown = dialog.data();
        if (shown == nullptr || !shown->isVisible() || !Pause(kDialogWaitMs)) {
            break;
        }
    }
    PlayerChoiceDialog* answered = dialog.data();
    if (answered == nullptr) {
        return -1;
    }
    answered->hide();
    return answered->player();
}

// --- Sounds

void WindowPlayScreen::LoadGameSounds(const GameRecord& record, const std::string& folder) {
    sounds_.loadGameSounds(record, folder);
}

void WindowPlayScreen::PlayGameSound(int index) {
    if (!aborted_) {
        sounds_.playGame(index);
    }
}

void WindowPlayScreen::PlaySystemSound(SystemSound sound) {
    if (!aborted_) {
        sounds_.playSystem(sound);
    }
}

void WindowPlayScreen::StopSystemSound(SystemSound sound) {
    sounds_.stopSystem(sound);
}

}  // namespace banmen
