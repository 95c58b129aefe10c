// WindowPlayScreen: the run's lifecycle, the waits and the clicks.

#include "editor/play/window_play_screen.h"

#include "editor/play/dice_prompt.h"
#include "editor/play/info_window.h"
#include "editor/play/play_view.h"
#include "editor/play/player_choice_dialog.h"
#include "engine/game_session.h"

namespace banmen {

using play::kSelectionButton;
using play::kWaitButton;

namespace {

constexpr int kPauseSlice = 10;
constexpr int kButtonSlice = 100;
// The engine places its button at y = 392 (402 for the last one of the
// results), under a label whose box reaches 5 pixels past that: the picture
// stands 6 pixels lower so that the label stays readable. After a square or
// a result line, whose texts fill the panel down to y = 417, the next button
// stands at 418, the lowest place the button takes.
constexpr int kLabelClearance = 6;
constexpr int kLowButtonTop = 418;

int buttonTop(const Button& button) {
    const bool afterText = !button.selection && (button.look == 8 || button.look == 9);
    return afterText ? kLowButtonTop : button.top + kLabelClearance;
}

}  // namespace

WindowPlayScreen::WindowPlayScreen() = default;

WindowPlayScreen::~WindowPlayScreen() {
    hideDialogs();
    sounds_.stopAll();
    if (view_) {
        view_->setFrame(nullptr);
        view_->setReleaseHandler({});
    }
}

void WindowPlayScreen::setView(PlayView* view) {
    if (view_) {
        view_->setFrame(nullptr);
        view_->setReleaseHandler({});
    }
    view_ = view;
    if (view_) {
        view_->setFrame(&frame_.image());
        view_->setReleaseHandler([this](QPoint at) { release(at); });
    }
}

bool WindowPlayScreen::windowAlive() const {
    const PlayView* view = view_.data();
    return prepared_ && !aborted_ && !EventPump::quitting() && view != nullptr && view->isVisible();
}

bool WindowPlayScreen::stopRequested() const {
    return session() != nullptr && session()->stopRequested();
}

void WindowPlayScreen::abortWaits() {
    aborted_ = true;
    sounds_.stopAll();
    hideDialogs();
}

// --- Lifecycle

void WindowPlayScreen::PreparePlay(bool debug) {
    if (!picturesLoaded_) {
        frame_.loadPictures();
        picturesLoaded_ = true;
    }
    const GameSession& game = *session();
    frame_.setGame(game.record(), game.folder(), game.playerCount());
    prepared_ = true;
    aborted_ = false;
    panelDirty_ = false;
    panelShownClean_ = true;
    rankingShown_ = false;
    celebrating_ = false;
    waiting_ = false;
    choosing_ = false;
    hideDialogs();
    HidePlayerInfo();
    if (view_) {
        view_->setFrame(&frame_.image());
        if (debug && !dicePrompt_) {
            dicePrompt_ = new DicePrompt(view_);
        }
        if (!playerChoice_) {
            playerChoice_ = new PlayerChoiceDialog(view_);
        }
        for (int p = 0; p < kPlayerCount; ++p) {
            auto& window = infoWindows_[static_cast<std::size_t>(p)];
            if (!window) {
                window = new InfoWindow(p, view_);
            }
        }
        view_->update();
    }
    sounds_.loadSystemSounds();
    frame_.takeDirty();
}

void WindowPlayScreen::ClosePlay() {
    prepared_ = false;
    waiting_ = false;
    choosing_ = false;
    celebrating_ = false;
    sounds_.stopAll();
    sounds_.unloadGameSounds();
    hideDialogs();
    // Destroyed later: a wait may still hold them on its way out. The next
    // run makes new ones.
    for (auto& window : infoWindows_) {
        if (InfoWindow* w = window.data()) {
            w->hide();
            w->deleteLater();
        }
        window = nullptr;
    }
    if (DicePrompt* prompt = dicePrompt_.data()) {
        prompt->deleteLater();
    }
    dicePrompt_ = nullptr;
    if (PlayerChoiceDialog* choice = playerChoice_.data()) {
        choice->deleteLater();
    }
    playerChoice_ = nullptr;
    frame_.refreshButtons(frame_.buttons().removeAll());
    frame_.takeDirty();
}

void WindowPlayScreen::PlayEnded() {
    sounds_.stopAll();
    hideDialogs();
    HidePlayerInfo();
    if (onPlayEnded_) {
        onPlayEnded_();
    }
}

void WindowPlayScreen::hideDialogs() {
    if (dicePrompt_) {
        dicePrompt_->hide();
    }
    if (playerChoice_) {
        playerChoice_->hide();
    }
}

bool WindowPlayScreen::dialogOpen() const {
    const DicePrompt* prompt = dicePrompt_.data();
    const PlayerChoiceDialog* choice = playerChoice_.data();
    return (prompt != nullptr && prompt->isVisible()) || (choice != nullptr && choice->isVisible());
}

DicePrompt* WindowPlayScreen::dicePrompt() const {
    return dicePrompt_;
}

PlayerChoiceDialog* WindowPlayScreen::playerChoice() const {
    return playerChoice_;
}

InfoWindow* WindowPlayScreen::infoWindow(int player) const {
    if (player < 0 || player >= kPlayerCount) {
        return nullptr;
    }
    return infoWindows_[static_cast<std::size_t>(player)];
}

void WindowPlayScreen::RecordChanged(const FieldDescriptor& field) {
    if (!prepared_ || field.objectKind() != ObjectKind::Player) {
        return;
    }
    if (field.fieldId == kFieldCurrentSquare) {
        frame_.syncPieces();
    } else if (field.fieldId == kFieldIsComputer) {
        updateToggles(field.index);
    }
}

// --- Showing

void WindowPlayScreen::pushDirty() {
    const std::vector<Rect> dirty = frame_.takeDirty();
    if (!view_) {
        return;
    }
    for (const Rect& r : dirty) {
        view_->showRect(QRect(r.left, r.top, r.width(), r.height()));
    }
}

void WindowPlayScreen::flush() {
    flushPanel();
    pushDirty();
}

void WindowPlayScreen::flushPanel() {
    if (!panelDirty_ || animatingPanel_) {
        return;
    }
    panelDirty_ = false;
    if (panelShownClean_) {
        revealPanel();
    } else {
        frame_.showPanel();
    }
    panelShownClean_ = false;
}

// The panel opens from its middle row outwards and closes from its edges
// inwards, in 8 steps of 10 ms.
void WindowPlayScreen::revealPanel() {
    constexpr int kBand = (play::kPanelHeight + 15) / 16;
    animatingPanel_ = true;
    for (int step = 1; step <= 8 && windowAlive(); ++step) {
        const int middle = play::kPanelHeight / 2;
        frame_.showPanelRows(frame_.panel(), middle - step * kBand, middle + 1 + step * kBand);
        if (!frame(kPauseSlice, true)) {
            break;
        }
    }
    animatingPanel_ = false;
    frame_.showPanel();
}

void WindowPlayScreen::wipePanel() {
    constexpr int kBand = (play::kPanelHeight + 15) / 16;
    if (panelShownClean_) {
        return;
    }
    animatingPanel_ = true;
    const DibBitmap& clean = frame_.cleanPanel();
    for (int step = 1; step <= 8 && windowAlive(); ++step) {
        frame_.showPanelRows(clean, 0, step * kBand);
        frame_.showPanelRows(clean, play::kPanelHeight - step * kBand, play::kPanelHeight);
        if (!frame(kPauseSlice, true)) {
            break;
        }
    }
    animatingPanel_ = false;
}

void WindowPlayScreen::blink() {
    if (!prepared_) {
        return;
    }
    frame_.refreshButtons(frame_.buttons().blink());
    if (choosing_) {
        drawArrows(!arrowsShown_);
    }
    pushDirty();
}

// --- Waits

bool WindowPlayScreen::slice(int ms, bool stoppable, const std::function<void()>& perEvent) {
    flush();
    if (!windowAlive() || (stoppable && stopRequested())) {
        return false;
    }
    pump_.sleep(ms);
    if (stoppable && stopRequested()) {
        return false;
    }
    if (!windowAlive()) {
        return false;
    }
    pump_.pump(perEvent);
    return windowAlive() && !(stoppable && stopRequested());
}

bool WindowPlayScreen::Pause(int milliseconds) {
    for (int remaining = milliseconds; remaining > 0; remaining -= kPauseSlice) {
        if (!slice(std::min(kPauseSlice, remaining), true)) {
            return false;
        }
    }
    flush();
    return windowAlive() && !stopRequested();
}

bool WindowPlayScreen::frame(int ms, bool stoppable) {
    for (int remaining = ms; remaining > 0; remaining -= kPauseSlice) {
        if (!slice(std::min(kPauseSlice, remaining), stoppable)) {
            return false;
        }
    }
    return true;
}

WaitOutcome WindowPlayScreen::WaitForButton(const Button& button, int timeoutMs) {
    removeButtons(kButtonId);
    const unsigned flags = kWaitButton | (button.selection ? kSelectionButton : 0u);
    const int slot =
        frame_.buttons().add(kButtonId, button.look, flags, {kButtonLeft, buttonTop(button)});
    if (slot >= 0) {
        frame_.refreshButtons({frame_.buttons().slot(slot).rect});
    }
    // The panel opens before the button answers.
    flush();
    waiting_ = true;
    clicked_ = false;
    waitButton_ = button;
    waitButton_.top = buttonTop(button);
    const std::function<void()> drawPerEvent = [this] { drawRandom(); };
    WaitOutcome outcome = WaitOutcome::Aborted;
    int left = timeoutMs;
    for (;;) {
        flush();
        if (!windowAlive()) {
            break;
        }
        pump_.sleep(kButtonSlice);
        if (stopRequested()) {
            break;
        }
        drawRandom();
        if (left != 0) {
            if (left <= kButtonSlice) {
                outcome = WaitOutcome::TimedOut;
                break;
            }
            left -= kButtonSlice;
        }
        if (!windowAlive()) {
            break;
        }
        pump_.pump(drawPerEvent);
        if (stopRequested() || !windowAlive()) {
            break;
        }
        if (clicked_) {
            outcome = WaitOutcome::Clicked;
            break;
        }
    }
    waiting_ = false;
    return outcome;
}

void WindowPlayScreen::HideButton() {
    removeButtons(kButtonId);
}

void WindowPlayScreen::removeButtons(int id) {
    frame_.refreshButtons(frame_.buttons().remove(id));
}

// --- Clicks

void WindowPlayScreen::release(QPoint at) {
    if (!prepared_ || session() == nullptr) {
        return;
    }
    const Point p{at.x(), at.y()};
    if (play::kStopRect.contains(p.x, p.y)) {
        session()->RequestStop();
        return;
    }
    if (choosing_) {
        const int square = squareAt(at);
        if (square != -1) {
            chosen_ = square;
            return;
        }
    }
    play::ButtonTable& buttons = frame_.buttons();
    if (waiting_) {
        const int hit = buttons.hit(p, kButtonId, 0);
        if (hit >= 0) {
            PlaySystemSound(SystemSound::Click);
            const play::ButtonCallback callback = buttons.slot(hit).callback;
            if (!callback || callback() != 0) {
                clicked_ = true;
            }
            return;
        }
    }
    // Selection buttons answer at once, also outside waits.
    const int hit = buttons.hit(p, 0, kSelectionButton);
    if (hit >= 0 && buttons.slot(hit).callback) {
        PlaySystemSound(SystemSound::Click);
        const play::ButtonCallback callback = buttons.slot(hit).callback;
        callback();
        pushDirty();
    }
}

}  // namespace banmen
