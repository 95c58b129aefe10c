#pragma once
// The Map menu's route commands (route setting mode, route clear) and the
// map's context menu items for routes, new squares and the square debug;
// also gives the map view the window as its host.

namespace banmen {

class EditorWindow;

void bindMapCommands(EditorWindow& window);

// The square page's next-square fields, for picking a route's target
// (LOCKON): control ids 1028..1031 for links 0..3.
constexpr int kNextSquareControlFirst = 1028;

}  // namespace banmen
