#pragma once
// The Build menu's "ﾋﾞﾙﾄﾞ(&B)...": the build dialog, then the build of the
// open workspace into the chosen game file with a progress dialog that
// names the entry being packed and can cancel (a cancelled build leaves no
// game file behind), then the offer to play the game just built in the
// companion player. The run items are the window's own.

#include <string>

namespace banmen {

class EditorWindow;
struct BuildTarget;

void bindBuildCommands(EditorWindow& window);

// Builds the open workspace into `target` with the progress dialog. False
// when the build failed (told to the user) or was cancelled.
bool buildWithProgress(EditorWindow& window, const BuildTarget& target);

// Asks whether to play `game` now and, on yes, starts the program `player`
// on it. Asks nothing when there is no such program.
void offerToPlay(EditorWindow& window, const std::string& game, const std::string& player);

}  // namespace banmen
