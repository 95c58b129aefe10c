#include "editor/commands/analysis_commands.h"

#include "editor/commands/command_ids.h"
#include "editor/dialogs/analysis_window.h"
#include "editor/window/editor_window.h"

namespace banmen {

void bindAnalysisCommands(EditorWindow& window) {
    window.commands().bind(kCmdAnalyze, [&window] {
        // What the page holds is part of the game analysed.
        if (window.readPages()) {
            AnalysisWindow::of(window).analyze();
        }
    });
}

}  // namespace banmen
