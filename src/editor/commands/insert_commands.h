#pragma once
// The Insert menu's squares: a normal, start, goal or retire square at the
// automatic insert position.

namespace banmen {

class EditorWindow;

void bindInsertCommands(EditorWindow& window);

}  // namespace banmen
