#pragma once
// The Help menu: the help window (F1), the about box and the welcome box.
// (The sample game is a workspace command.)

namespace banmen {

class EditorWindow;

void bindHelpCommands(EditorWindow& window);

}  // namespace banmen
