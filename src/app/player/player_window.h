#pragma once
// banmen-player's window: its client area is the play window (980 x 600 at
// first), on a black ground. It plays the game as the editor's test run does
// (the same PlayController, play screen and sounds), from the opening to the
// results, and then offers "もう一度遊ぶ" (again from the opening) and "終了".
//
// F11 switches full screen on and off (Esc leaves it); the window may also
// be resized. The play area then scales smoothly to the largest size that
// keeps its proportions, with black bars around it (PlayView).
//
// Closing the window during a game asks nothing: every wait ends and every
// sound stops at once, and the game ends when the step under way has
// unwound. The sound device is open for the window's life.

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>

#include "engine/game_events.h"
#include "model/game_record.h"

class QDialog;

namespace banmen {

class PlayController;

namespace player {

class PlayerWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kAutoTurnLimit = 2000;

    PlayerWindow(const GameRecord& record, std::string folder, const QString& title,
                 QWidget* parent = nullptr);
    ~PlayerWindow() override;

    PlayController& play() { return *play_; }
    // The end-of-game offer while it is shown, else null.
    QDialog* endOffer() const;

    // Computers play every seat without waits, nothing is offered at the
    // end, and the window's place is neither read nor remembered.
    void setAutoPlay();
    bool autoPlay() const { return autoPlay_; }

    // Starts the game from its opening (a game under way is stopped first).
    void startGame();
    void toggleFullScreen();

    // Takes the place remembered in the settings (when it lies on a screen)
    // and shows the window, full screen when it closed so.
    void showAtRememberedPlace();

  signals:
    // A game has ended: after its results (Finished, TurnLimit), or stopped.
    void gameEnded(banmen::EndReason reason);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void onPlayEnded();
    void showEndOffer();
    void rememberPlace();
    void enterFullScreen();
    void leaveFullScreen();

    std::unique_ptr<GameRecord> record_;
    std::string folder_;
    PlayController* play_ = nullptr;
    QPointer<QDialog> offer_;
    QImage lastPicture_;
    QRect normalPlace_;  // the window's place when it is not full screen  // shown between the end
                         // of a game and the next
    bool autoPlay_ = false;
    bool closing_ = false;
    bool ownsSoundDevice_ = false;
};

}  // namespace player
}  // namespace banmen
