#pragma once
// The Build menu's game analysis: the analysis window beside the map.

namespace banmen {

class EditorWindow;

void bindAnalysisCommands(EditorWindow& window);

}  // namespace banmen
