#pragma once
// How the play screen waits: it sleeps in short slices and handles the
// window events that came meanwhile, so that clicks, timer ticks and
// repaints arrive during a wait. It also notices the application quitting
// (a Quit event), after which every wait ends at once.

#include <QObject>
#include <functional>

namespace banmen {

class EventPump : public QObject {
    Q_OBJECT

  public:
    explicit EventPump(QObject* parent = nullptr);
    ~EventPump() override;

    // Sleeps `ms` (scaled, see setTimeScale).
    void sleep(int ms) const;
    // Handles every waiting event; `perEvent` (when given) is called once
    // for each event handled.
    void pump(const std::function<void()>& perEvent = {});

    // Every sleep lasts `percent` / 100 of its time (tests and pictures may
    // hurry a game along; 100 plays at the game's own pace).
    void setTimeScale(int percent) { timeScale_ = percent; }
    int timeScale() const { return timeScale_; }

    // True once the application was asked to quit.
    static bool quitting();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const std::function<void()>* perEvent_ = nullptr;
    int timeScale_ = 100;
};

}  // namespace banmen
