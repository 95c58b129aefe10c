#include "editor/commands/workspace_commands.h"

#include <QApplication>
#include <QFileDialog>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/new_workspace_dialog.h"
#include "editor/document/editor_document.h"
#include "editor/document/recovery.h"
#include "editor/window/editor_window.h"
#include "platform/base_folder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/settings/program_settings.h"

namespace banmen {
namespace {

constexpr std::string_view kCaption = "盤面工房";
const QString kWorkspaceFilter = QStringLiteral("sgw Files (*.sgw);;All Files (*)");

// The steps after the record was replaced: the title, and the game selected
// with its page loaded anew.
void showNewWorkspace(EditorWindow& window) {
    window.refreshTitle();
    window.clearSelection();
    window.fillObjectSelector();
    window.selectObject(QStringLiteral("ゲーム全般"), false);
}

void newWorkspace(EditorWindow& window) {
    window.endRouteMode();
    EditorDocument& document = window.document();
    NewWorkspaceDialog dialog(document.notifier(), &window);
    if (dialog.exec() != QDialog::Accepted || !window.askSaveModified()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status created =
        document.createWorkspace(dialog.title(), dialog.picturePath(), dialog.location());
    QApplication::restoreOverrideCursor();
    if (!created) {
        document.notifier().notify(kCaption, "ワークスペースを作成できませんでした。",
                                   NoticeIcon::Exclamation);
    }
    showNewWorkspace(window);
}

void openWorkspace(EditorWindow& window) {
    window.endRouteMode();
    const std::string folder = readOpenFolder();
    const QString start = QString::fromStdString(folder.empty() ? std::string("*.sgw")
                                                                : path::PathJoin(folder, "*.sgw"));
    const QString chosen = QFileDialog::getOpenFileName(
        &window, QStringLiteral("ワークスペースファイルを選択して下さい"), start, kWorkspaceFilter);
    if (chosen.isEmpty() || !window.askSaveModified()) {
        return;
    }
    const std::string path = path::AbsolutePath(chosen.toStdString());
    (void)writeOpenFolder(path::PathFolder(path));
    (void)window.openFile(path);
}

void saveWorkspaceAs(EditorWindow& window) {
    window.endRouteMode();
    EditorDocument& document = window.document();
    QFileDialog dialog(&window, QStringLiteral("ワークスペースの保存場所を選択して下さい"),
                       QString::fromStdString(document.location().filePath()), kWorkspaceFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("sgw"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const std::string path = dialog.selectedFiles().front().toStdString();
    if (!window.readPages()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Status saved = document.save(path);
    QApplication::restoreOverrideCursor();
    if (!saved) {
        document.notifier().notify(kCaption, "指定されたワークスペースを保存できませんでした。",
                                   NoticeIcon::Exclamation);
        return;
    }
    window.updateMenus(document.location().filePath());
    window.refreshTitle();
}

void closeWorkspace(EditorWindow& window) {
    window.endRouteMode();
    if (!window.askSaveModified()) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window.document().closeWorkspace();
    createDefaultWorkspace(window.document());
    QApplication::restoreOverrideCursor();
    showNewWorkspace(window);
}

void openRecent(EditorWindow& window, std::size_t entry) {
    window.endRouteMode();
    const std::string path = window.recentWorkspaces().at(entry);
    if (path.empty() || !window.askSaveModified()) {
        return;
    }
    (void)window.openFile(path);
    // The entry goes to the top even when it could not be opened.
    window.updateMenus(path);
}

void sampleGame(EditorWindow& window) {
    window.endRouteMode();
    if (window.askSaveModified()) {
        openSampleGame(window);
    }
}

}  // namespace

std::string defaultWorkspaceName(const std::string& projects) {
    // Past 999 the count goes on rather than reuse a folder in use.
    for (int n = 1;; ++n) {
        std::string name = "新規雙六(" + std::to_string(n) + ")";
        if (!FileExists(path::PathJoin(projects, name))) {
            return name;
        }
    }
}

void createDefaultWorkspace(EditorDocument& document) {
    const std::string projects = defaultProjectsFolder();
    const std::string name = defaultWorkspaceName(projects);
    (void)document.createWorkspace(name, {}, path::PathJoin(projects, name));
}

std::string sampleGamePath() {
    const std::string relative = "MyProjects/サンプル雙六/サンプル雙六.sgw";
    const std::string writable = path::PathJoin(WritableBaseFolder(), relative);
    const std::string shipped = path::PathJoin(BaseFolder(), relative);
    return FileExists(writable) || !FileExists(shipped) ? writable : shipped;
}

void openSampleGame(EditorWindow& window) {
    (void)window.openFile(sampleGamePath());
}

void offerOrphanRecoveries(EditorWindow& window) {
    EditorDocument& document = window.document();
    for (const RecoveryNote& note : orphanRecoveries()) {
        const RecoveryFile file(note.workspacePath);
        if (!file.pending()) {
            continue;  // answered meanwhile
        }
        const NoticeAnswer answer = document.notifier().ask(
            kCaption, "前回、保存されずに終了した変更があります。\n復元しますか？",
            NoticeButtons::YesNo, NoticeIcon::Question);
        if (answer != NoticeAnswer::Yes) {
            file.remove();
            continue;
        }
        // A fresh workspace at the recovered one's place, then its record.
        std::string folder;
        std::string fileName;
        if (!path::PathFolder(note.workspacePath, folder) ||
            !path::PathFileName(note.workspacePath, fileName) || fileName.empty()) {
            continue;
        }
        std::string title;
        if (!path::PathTitle(fileName, title) || title.empty()) {
            title = fileName;
        }
        bool restored = false;
        if (document.createWorkspace(title, {}, folder)) {
            WorkspaceLocation location = document.location();
            location.setFileName(fileName);
            document.setLocation(std::move(location));
            restored = document.restoreRecovery().isOk();
        }
        if (!restored) {
            document.notifier().notify(kCaption, "変更を復元できませんでした。",
                                       NoticeIcon::Exclamation);
            continue;
        }
        showNewWorkspace(window);
        return;
    }
}

void bindWorkspaceCommands(EditorWindow& window) {
    CommandRouter& router = window.commands();
    router.bind(kCmdNewWorkspace, [&window] { newWorkspace(window); });
    router.bind(kCmdOpenWorkspace, [&window] { openWorkspace(window); });
    router.bind(kCmdSaveWorkspaceAs, [&window] { saveWorkspaceAs(window); });
    router.bind(kCmdCloseWorkspace, [&window] { closeWorkspace(window); });
    for (int id = kCmdRecentFirst; id <= kCmdRecentLast; ++id) {
        const auto entry = static_cast<std::size_t>(id - kCmdRecentFirst);
        router.bind(id, [&window, entry] { openRecent(window, entry); });
    }
    router.bind(kCmdSampleGame, [&window] { sampleGame(window); });
}

}  // namespace banmen
