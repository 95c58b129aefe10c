#include "editor/commands/insert_commands.h"

#include <utility>

#include "editor/commands/command_ids.h"
#include "editor/map/map_view.h"
#include "editor/window/editor_window.h"

namespace banmen {

void bindInsertCommands(EditorWindow& window) {
    for (const auto& [id, kind] :
         {std::pair{kCmdAddSquare, kSquareNormal}, std::pair{kCmdAddStartSquare, kSquareStart},
          std::pair{kCmdAddGoalSquare, kSquareGoal},
          std::pair{kCmdAddRetireSquare, kSquareRetire}}) {
        window.commands().bind(id, [&window, kind = kind] {
            window.mapView()->editor().addSquare(std::nullopt, kind);
        });
    }
}

}  // namespace banmen
