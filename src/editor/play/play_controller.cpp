#include "editor/play/play_controller.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>

#include "editor/play/play_view.h"
#include "editor/play/window_play_screen.h"
#include "engine/random_source.h"

namespace banmen {

struct PlayController::PendingStart {
    RunKind kind = RunKind::Test;
    std::unique_ptr<GameRecord> record;
    std::string folder;
    int startSquare = -1;
};

// Everything a step may still use after the controller is gone.
struct PlayController::Engine {
    CRandomSource random;
    WindowPlayScreen screen;
    GameSession session{screen, random};
    QTimer timer;
    int depth = 0;                        // steps under way
    bool orphaned = false;                // the controller is gone
    std::optional<PendingStart> pending;  // a start asked for inside a step
};

PlayController::PlayController(QWidget* viewParent, QObject* parent)
    : QObject(parent), engine_(std::make_shared<Engine>()) {
    view_ = new PlayView(viewParent);
    view_->hide();
    engine_->screen.setView(view_);
    QPointer<PlayController> self(this);
    engine_->screen.setPlayEndedHandler([self] {
        if (self) {
            QMetaObject::invokeMethod(self, &PlayController::playEnded, Qt::QueuedConnection);
        }
    });
    engine_->timer.setInterval(kTickMs);
    // The timer belongs to the engine block, so it lives as long as a tick.
    QObject::connect(&engine_->timer, &QTimer::timeout, this, [this] { tick(); });
    engine_->timer.start();
}

PlayController::~PlayController() {
    Engine& e = *engine_;
    e.timer.stop();
    e.timer.disconnect();
    e.screen.setPlayEndedHandler({});
    if (e.depth > 0) {
        // A step is under way below us: it ends at once and releases the
        // engine when it has unwound.
        e.orphaned = true;
        e.screen.abortWaits();
        e.session.RequestStop();
    } else {
        e.session.StopPlay();
    }
    e.screen.setView(nullptr);
}

PlayView* PlayController::view() const {
    return view_.data();
}

GameSession& PlayController::session() {
    return engine_->session;
}

WindowPlayScreen& PlayController::screen() {
    return engine_->screen;
}

bool PlayController::active() const {
    return active_;
}

bool PlayController::stepping() const {
    return engine_->depth > 0;
}

void PlayController::setOptions(PlayOptions options) {
    engine_->session.setOptions(std::move(options));
}

void PlayController::reseed(unsigned seed) {
    std::srand(seed);
}

void PlayController::setTimeScale(int percent) {
    engine_->screen.setTimeScale(percent);
}

void PlayController::setTimerRunning(bool running) {
    if (running) {
        engine_->timer.start();
    } else {
        engine_->timer.stop();
    }
}

void PlayController::setTickInterval(int ms) {
    engine_->timer.setInterval(ms);
}

void PlayController::start(RunKind kind, const GameRecord& record, const std::string& folder,
                           int startSquare) {
    PendingStart pending;
    pending.kind = kind;
    pending.record = std::make_unique<GameRecord>(record);
    pending.folder = folder;
    pending.startSquare = kind == RunKind::SquareDebug ? startSquare : -1;
    kind_ = kind;
    startSquare_ = pending.startSquare;
    active_ = true;
    Engine& e = *engine_;
    if (e.depth > 0) {
        // The step under way ends first; the tick that runs it starts anew.
        e.pending = std::move(pending);
        e.screen.abortWaits();
        e.session.RequestStop();
        return;
    }
    startNow(pending);
}

void PlayController::startNow(const PendingStart& pending) {
    Engine& e = *engine_;
    if (e.session.running() || e.session.phase() != PhaseIdle) {
        e.session.StopPlay();
    }
    if (PlayView* view = view_.data()) {
        view->show();
        view->raise();
    }
    e.session.StartPlay(*pending.record, pending.folder, pending.kind != RunKind::Test,
                        pending.startSquare);
}

void PlayController::requestStop() {
    engine_->session.RequestStop();
}

void PlayController::reset() {
    Engine& e = *engine_;
    if (e.depth > 0) {
        // Not under a step: come back when it has unwound.
        QMetaObject::invokeMethod(this, &PlayController::reset, Qt::QueuedConnection);
        return;
    }
    e.session.StopPlay();
    active_ = false;
    if (PlayView* view = view_.data()) {
        view->hide();
    }
}

void PlayController::abort() {
    Engine& e = *engine_;
    e.screen.abortWaits();
    e.session.RequestStop();
}

void PlayController::tick() {
    // Held for the whole tick: the step below may destroy this controller.
    const std::shared_ptr<Engine> keep = engine_;
    Engine& e = *keep;
    const PlayView* view = view_.data();
    const bool windowShown = view != nullptr && view->isVisible();
    if (e.depth == 0 && windowShown) {
        ++e.depth;
        e.session.Step();
        if (e.session.IsFinished()) {
            e.session.RequestStop();
        }
        --e.depth;
        if (e.orphaned) {
            // Released from the event loop, not from under the timer's signal.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [keep] {}, Qt::QueuedConnection);
            return;
        }
        if (e.pending) {
            PendingStart pending = std::move(*e.pending);
            e.pending.reset();
            startNow(pending);
        }
    }
    e.screen.blink();
}

}  // namespace banmen
