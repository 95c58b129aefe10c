#pragma once
// The Build menu's "ﾋﾞﾙﾄﾞ(&B)...": the build dialog, then the build of the
// open workspace into the chosen game file with a progress dialog that
// names the entry being packed and can cancel (a cancelled build leaves no
// game file behind). The run items are the window's own.

#include <string>

namespace banmen {

class EditorWindow;
struct BuildTarget;

void bindBuildCommands(EditorWindow& window);

// Builds the open workspace into `target` with the progress dialog. False
// when the build failed (told to the user) or was cancelled.
bool buildWithProgress(EditorWindow& window, const BuildTarget& target);

}  // namespace banmen
