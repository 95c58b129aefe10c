#pragma once
// The game engine as the main window drives it: one session with its play
// screen and random source for the window's whole life, the play window,
// and the play timer (id 2000, every 500 ms) that steps the engine and
// blinks the buttons while a run is active.
//
// Runs are started and stopped here; the end of a run (the tick after a stop
// request) is reported by `playEnded`, queued so that it arrives after the
// current tick (the window's command 5020).
//
// Re-entrancy: a step pumps events, so anything may happen inside it: more
// ticks (they only blink), a new start (kept until the step has unwound),
// or the window closing and even being destroyed. The engine therefore
// lives in a shared block that each tick holds while it steps; a controller
// destroyed meanwhile leaves the block to be released after the tick.

#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>
#include <string>

#include "engine/game_session.h"

class QWidget;

namespace banmen {

class PlayView;
class WindowPlayScreen;

enum class RunKind { Test, Debug, SquareDebug };

class PlayController : public QObject {
    Q_OBJECT

  public:
    static constexpr int kTickMs = 500;

    // The play window is made on `viewParent`, hidden.
    explicit PlayController(QWidget* viewParent, QObject* parent = nullptr);
    ~PlayController() override;

    // Starts a run on a copy of the record (a running one is stopped first).
    // Inside a step the start waits until the step has unwound.
    void start(RunKind kind, const GameRecord& record, const std::string& folder,
               int startSquare = -1);
    // Asks the run to stop; the next tick ends it.
    void requestStop();
    // After `playEnded`: the engine back to its empty state (StopPlay).
    void reset();
    // The window closes or the program quits: every wait ends at once and
    // every sound stops.
    void abort();
    // One tick of the play timer (also called by the timer itself).
    void tick();

    bool active() const;    // between start and reset
    bool stepping() const;  // a step is under way
    RunKind kind() const { return kind_; }
    int startSquare() const { return startSquare_; }

    GameSession& session();
    WindowPlayScreen& screen();
    PlayView* view() const;
    // Tests and pictures: the engine's options (forced dice), the random
    // seed, the pace of the waits, and the timer.
    void setOptions(PlayOptions options);
    static void reseed(unsigned seed);
    void setTimeScale(int percent);
    void setTimerRunning(bool running);
    // The play timer's period (kTickMs unless changed; a run without waits
    // ticks faster).
    void setTickInterval(int ms);

  signals:
    void playEnded();

  private:
    struct Engine;
    struct PendingStart;

    void startNow(const PendingStart& pending);

    std::shared_ptr<Engine> engine_;
    QPointer<PlayView> view_;
    RunKind kind_ = RunKind::Test;
    int startSquare_ = -1;
    bool active_ = false;
};

}  // namespace banmen
