#pragma once
// The Edit menu's clipboard commands (copy, paste, paste settings,
// duplicate, delete, delete all, and the Delete key that runs delete) and
// their twins on the map's context menu, which act on the square under the
// menu.

namespace banmen {

class EditorWindow;

void bindEditCommands(EditorWindow& window);

}  // namespace banmen
