#include "app/player/quit_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace banmen::player {
namespace {

int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t signalled = 0;

void onSignal(int number) {
    if (signalled != 0) {
        // Asked twice: the clean way is stuck.
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    signalled = 1;
    const char byte = 1;
    (void)!::write(signalPipe[1], &byte, 1);
}

}  // namespace

void installQuitSignals(std::function<void()> onQuit) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        return;
    }
    auto* notifier =
        new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, onQuit = std::move(onQuit)] {
                         char byte = 0;
                         (void)!::read(signalPipe[0], &byte, 1);
                         notifier->setEnabled(false);
                         onQuit();
                     });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(number, &action, nullptr);
    }
}

}  // namespace banmen::player
