#pragma once
// Ends the player cleanly when it is asked to stop from outside (SIGTERM,
// SIGINT, SIGHUP): the signal is handed to the event loop, which closes the
// window as the user would, so the temporary folder is removed. A signal
// that comes again before that ends the program at once.

#include <functional>

namespace banmen::player {

// Installs the handlers; `onQuit` runs on the event loop's thread. Call once,
// after the application object exists.
void installQuitSignals(std::function<void()> onQuit);

}  // namespace banmen::player
