#pragma once
// The play screen in the editor's window: the engine's screen operations
// drawn on the off-screen frame of play/draw and copied, rectangle by
// rectangle, to the play window (PlayView).
//
// Waits: Pause sleeps in slices of 10 ms and WaitForButton in slices of
// 100 ms, handling the window's events after each, so that clicks, timer
// ticks and repaints arrive during a wait. Every wait ends aborted at once
// when the stop is requested, the play window is gone (destroyed or
// hidden), the application quits, or abortWaits was called (a new run or a
// closing window). The dice frames do not look at the stop request.
//
// Re-entrancy: events handled during a wait may run anything, also another
// play timer tick (the controller does not step the engine again while a
// step is under way) or the window's closing. The screen therefore holds
// its widgets through QPointer and never assumes they survive a wait.

#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "editor/play/draw/frame_pacer.h"
#include "editor/play/draw/play_frame.h"
#include "editor/play/event_pump.h"
#include "editor/play/play_sounds.h"
#include "engine/play_screen.h"

namespace banmen {

class DicePrompt;
class InfoWindow;
class PlayView;
class PlayerChoiceDialog;

class WindowPlayScreen final : public PlayScreen, private play::FramePacer {
  public:
    WindowPlayScreen();
    ~WindowPlayScreen() override;

    // The window the screen shows in (null: none). Dialogs and information
    // windows are made on it.
    void setView(PlayView* view);
    PlayView* view() const { return view_; }
    // Called (once per run) at the tick after a stop request.
    void setPlayEndedHandler(std::function<void()> handler) { onPlayEnded_ = std::move(handler); }

    // Every wait ends at once, until the next run is prepared; all sounds stop.
    void abortWaits();
    // One play timer tick: the buttons (and the arrows of a branch) blink.
    void blink();
    // A left-button release in the play window (frame pixels).
    void release(QPoint at);
    // Sleeps take `percent` / 100 of their time.
    void setTimeScale(int percent) { pump_.setTimeScale(percent); }

    // --- State, for the window, tests and pictures
    play::PlayFrame& frame() { return frame_; }
    PlaySounds& sounds() { return sounds_; }
    bool waitingForButton() const { return waiting_; }
    const Button& waitButton() const { return waitButton_; }
    bool choosingSquare() const { return choosing_; }
    const std::vector<int>& squareCandidates() const { return candidates_; }
    bool celebrating() const { return celebrating_; }
    bool rollingDice() const { return rollingDice_; }
    bool rankingShown() const { return rankingShown_; }
    bool dialogOpen() const;
    DicePrompt* dicePrompt() const;
    PlayerChoiceDialog* playerChoice() const;
    InfoWindow* infoWindow(int player) const;
    bool waitsAborted() const { return aborted_; }

    // --- PlayScreen
    void PreparePlay(bool debug) override;
    void ClosePlay() override;
    void PlayEnded() override;
    void RecordChanged(const FieldDescriptor& field) override;

    bool Pause(int milliseconds) override;
    WaitOutcome WaitForButton(const Button& button, int timeoutMs) override;
    void HideButton() override;

    void ClearPanel() override;
    void RefreshPanel() override;
    void ShowPanelText(const PanelText& text) override;
    void ClearPanelLine(const PanelRect& rect) override;
    void ShowPanelPlayer(int player) override;
    void ShowTurnPicture(int top) override;
    void ShowThrownFace(int face, int top) override;
    void ShowSquarePicture(int player, const SquarePicture& picture) override;
    void ShowRankingTable(std::span<const RankRow> rows, int firstBaseline, int rowStep) override;
    void ShowPlayerSelection() override;
    void HidePlayerSelection() override;
    void ShowComputerToggles() override;
    void ShowCelebration(std::string_view first, std::string_view second,
                         std::string_view third) override;
    void ShowNotice(std::string_view text) override;

    void RedrawPlayerPanel(int player) override;
    void RedrawAllPlayerPanels() override;
    void ShowPlayerInfo(int player) override;
    void HidePlayerInfo() override;

    bool AnimateJump(int player, int fromSquare, int toSquare) override;
    bool AnimateDice(int count, const std::array<int, 3>& faces) override;
    void RemoveDice() override;
    bool LoadSupplementPicture(int image) override;
    void ShowSupplementPicture(Transition transition) override;
    void RestoreSupplementPicture() override;

    int ChooseSquare(int player, int currentSquare, std::span<const int> candidates) override;
    int ChoosePlayer(int actingPlayer) override;
    int AskDieFace(int player, std::string_view caption) override;

    void LoadGameSounds(const GameRecord& record, const std::string& folder) override;
    void PlayGameSound(int index) override;
    void PlaySystemSound(SystemSound sound) override;
    void StopSystemSound(SystemSound sound) override;

  private:
    // play::FramePacer
    bool frame(int ms, bool stoppable) override;
    int random() override { return drawRandom(); }

    // True while waits may go on: a prepared run, a visible play window, no
    // quit and no abort.
    bool windowAlive() const;
    bool stopRequested() const;
    // Sleeps one slice and handles the waiting events; false when the wait
    // must end (window gone, quitting, aborted; the stop when `stoppable`).
    bool slice(int ms, bool stoppable, const std::function<void()>& perEvent = {});
    // Copies what changed to the window (revealing a fresh panel first).
    void flush();
    void pushDirty();
    void flushPanel();
    void panelChanged() { panelDirty_ = true; }
    void wipePanel();
    void revealPanel();

    void addToggles(int firstId, int player, bool panelPlace);
    void updateToggles(int player);
    void removeButtons(int id);
    void drawArrows(bool shown);
    int squareAt(QPoint at) const;
    void placeInfoWindows();
    void hideDialogs();

    play::PlayFrame frame_;
    EventPump pump_;
    PlaySounds sounds_;
    QPointer<PlayView> view_;
    QPointer<DicePrompt> dicePrompt_;
    QPointer<PlayerChoiceDialog> playerChoice_;
    std::array<QPointer<InfoWindow>, kPlayerCount> infoWindows_{};
    std::function<void()> onPlayEnded_;

    bool prepared_ = false;
    bool aborted_ = false;
    bool picturesLoaded_ = false;

    // The panel: changed since shown, and whether the window shows it clean.
    bool panelDirty_ = false;
    bool panelShownClean_ = true;
    bool animatingPanel_ = false;
    bool rankingShown_ = false;
    bool celebrating_ = false;
    bool rollingDice_ = false;

    // The wait for a button.
    bool waiting_ = false;
    bool clicked_ = false;
    Button waitButton_;

    // A branch: the candidates, the arrows and the choice.
    bool choosing_ = false;
    int chooseFrom_ = -1;
    std::vector<int> candidates_;
    int chosen_ = -1;
    bool arrowsShown_ = false;
    Rect arrowArea_;
};

}  // namespace banmen
