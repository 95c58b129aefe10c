#pragma once
// The Insert menu's images and sounds (empty, or from a file), and the
// reload of pictures that were changed outside the editor.

namespace banmen {

class EditorWindow;

void bindMediaCommands(EditorWindow& window);

}  // namespace banmen
