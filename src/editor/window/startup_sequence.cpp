#include "editor/window/startup_sequence.h"

#include "editor/commands/workspace_commands.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings/program_settings.h"

namespace banmen {

void runStartupSequence(EditorWindow& window, const StartupCommand& command, bool welcome) {
    EditorDocument& document = window.document();
    if (!command.file.empty()) {
        const std::string path = path::AbsolutePath(command.file);
        (void)writeOpenFolder(path::PathFolder(path));
        const Status opened = window.openFile(path);
        if (opened && command.debugSquare >= 0 && !window.startSquareDebug(command.debugSquare)) {
            document.notifier().notify(
                "盤面工房", "マス" + std::to_string(command.debugSquare + 1) + "はありません。",
                NoticeIcon::Exclamation);
        }
    } else {
        if (!FileExists(path::PathJoin(WritableBaseFolder(), "startup.ini"))) {
            openSampleGame(window);
        }
        if (!document.isModified()) {
            offerOrphanRecoveries(window);
        }
    }
    if (welcome) {
        window.runStartupChecks();
    }
}

}  // namespace banmen
