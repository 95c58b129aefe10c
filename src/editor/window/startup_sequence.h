#pragma once
// What the editor does once its window is up: the file named on the command
// line is opened (with a square debug run from it when one was asked for);
// without one, the sample game, unless "startup.ini" lies in the base
// folder. Recoveries are offered: the opened workspace's own, and without a
// file on the command line those of workspaces never saved. Then the
// small-fonts notice and the welcome box, when `welcome` is set.

#include "editor/window/command_line.h"

namespace banmen {

class EditorWindow;

void runStartupSequence(EditorWindow& window, const StartupCommand& command, bool welcome);

}  // namespace banmen
