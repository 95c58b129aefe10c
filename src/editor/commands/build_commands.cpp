#include "editor/commands/build_commands.h"

#include <QApplication>
#include <QProgressDialog>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/build_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "model/game_build.h"

namespace banmen {
namespace {

void build(EditorWindow& window) {
    window.endRouteMode();
    // The dialog starts from the record, so the page goes in first.
    if (!window.readPages()) {
        return;
    }
    StoredBuildFolder setting;
    BuildDialog dialog(window.document(), setting, &window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    (void)buildWithProgress(window, dialog.target());
}

}  // namespace

bool buildWithProgress(EditorWindow& window, const BuildTarget& target) {
    EditorDocument& document = window.document();
    QProgressDialog progress(&window);
    progress.setWindowTitle(QStringLiteral(" 盤面工房 ビルド"));
    progress.setCancelButtonText(QStringLiteral("ｷｬﾝｾﾙ"));
    progress.setWindowModality(Qt::WindowModal);
    // Shown at once: the cancel button is there from the start.
    progress.setMinimumDuration(0);
    progress.setMinimumWidth(360);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    // Busy rather than wait: the cancel button stays usable.
    QApplication::setOverrideCursor(Qt::BusyCursor);
    BuildReport report;
    const Status built = BuildGame(
        document.record(), document.location(), target.path(), report,
        [&progress](const std::string& entry, std::size_t done, std::size_t total) {
            progress.setMaximum(static_cast<int>(total));
            progress.setLabelText(
                QStringLiteral("%1 を書き込んでいます。").arg(QString::fromStdString(entry)));
            progress.setValue(static_cast<int>(done));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    QApplication::restoreOverrideCursor();
    progress.close();
    if (report.cancelled) {
        return false;
    }
    if (!built) {
        document.notifier().notify("盤面工房",
                                   "指定されたプロジェクトファイルを保存できませんでした。",
                                   NoticeIcon::Exclamation);
        return false;
    }
    WorkspaceLocation location = document.location();
    location.gameFileName = target.fileName;
    document.setLocation(std::move(location));
    return true;
}

void bindBuildCommands(EditorWindow& window) {
    window.commands().bind(kCmdBuild, [&window] { build(window); });
}

}  // namespace banmen
