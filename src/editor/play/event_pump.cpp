#include "editor/play/event_pump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace banmen {
namespace {

bool quitSeen = false;

}  // namespace

EventPump::EventPump(QObject* parent) : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(this);
    }
}

EventPump::~EventPump() = default;

bool EventPump::quitting() {
    return quitSeen;
}

void EventPump::sleep(int ms) const {
    const long scaled = static_cast<long>(ms) * timeScale_ / 100;
    if (scaled > 0) {
        QThread::msleep(static_cast<unsigned long>(scaled));
    }
}

void EventPump::pump(const std::function<void()>& perEvent) {
    const std::function<void()>* outer = perEvent_;
    perEvent_ = perEvent ? &perEvent : nullptr;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    perEvent_ = outer;
}

bool EventPump::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Quit) {
        quitSeen = true;
    }
    if (perEvent_ != nullptr && *perEvent_) {
        (*perEvent_)();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace banmen
