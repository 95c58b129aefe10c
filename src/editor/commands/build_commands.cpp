#include "editor/commands/build_commands.h"

#include <QApplication>
#include <QProcess>
#include <QProgressDialog>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/analysis_texts.h"
#include "editor/dialogs/build_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/window/editor_window.h"
#include "model/game_build.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"

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
    // Problems of the board are shown, never a reason to refuse the build.
    dialog.setWarnings(
        workspaceFindingLines(window.document().record(), window.document().folder()));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (buildWithProgress(window, dialog.target())) {
        offerToPlay(window, dialog.target().path(),
                    path::PathJoin(ModuleFolder(), "banmen-player"));
    }
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

void offerToPlay(EditorWindow& window, const std::string& game, const std::string& player) {
    if (!FileExists(player)) {
        return;
    }
    Notifier& notifier = window.document().notifier();
    const NoticeAnswer answer = notifier.ask(
        "盤面工房", "ゲームファイルを作成しました。\n" + game + "\n\n今すぐ遊びますか？",
        NoticeButtons::YesNo, NoticeIcon::Question);
    if (answer != NoticeAnswer::Yes) {
        return;
    }
    // "--" keeps a game whose name starts with a dash a file name.
    if (!QProcess::startDetached(QString::fromStdString(player),
                                 {QStringLiteral("--"), QString::fromStdString(game)})) {
        notifier.notify("盤面工房", "banmen-player を起動できませんでした。\n" + player,
                        NoticeIcon::Exclamation);
    }
}

void bindBuildCommands(EditorWindow& window) {
    window.commands().bind(kCmdBuild, [&window] { build(window); });
}

}  // namespace banmen
