#include "editor/commands/help_commands.h"

#include <QScreen>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/about_dialog.h"
#include "editor/dialogs/help_window.h"
#include "editor/dialogs/welcome_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"

namespace banmen {
namespace {

// As at start-up, but asked for: the small-fonts notice on a screen that
// needs it, then the welcome box whatever "startup.ini" says.
void welcome(EditorWindow& window) {
    const QScreen* screen = window.screen();
    if (screen != nullptr &&
        screenNeedsSmallFonts(screen->logicalDotsPerInchY(), screen->devicePixelRatio())) {
        window.document().notifier().notify(
            "盤面工房（四季彩コレクション）",
            "このソフトウェアは小さいフォント用に出来ています。\n"
            "画面の設定を小さいフォント(96dpi)に変更してからお使いください。",
            NoticeIcon::Information);
    }
    showWelcome(&window, true);
}

}  // namespace

void bindHelpCommands(EditorWindow& window) {
    CommandRouter& router = window.commands();
    router.bind(kCmdHelp, [&window] { openHelp(&window, window.document().notifier()); });
    router.bind(kCmdAbout, [&window] {
        AboutDialog about(&window);
        about.exec();
    });
    router.bind(kCmdWelcome, [&window] { welcome(window); });
}

}  // namespace banmen
