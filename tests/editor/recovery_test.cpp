// Recovery after a crash: an editor killed with SIGKILL leaves its last
// recovery behind, which the next opening of the workspace offers; yes
// restores it as an undoable, modified change and a save removes it; no
// deletes it; an older recovery than the file is not offered; at start-up
// the recoveries of workspaces never saved are offered too.

#include <QProcess>
#include <filesystem>
#include <iostream>

#include "editor/document/recovery.h"
#include "editor/window/startup_sequence.h"
#include "editor_test_support.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using test::Editor;
using test::EditorHome;

constexpr char kChildOption[] = "--recovery-child";

void setTitle(EditorDocument& document, std::string_view title) {
    document.setText(*document.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit(title));
}

std::string writeWorkspace(const EditorHome& home, std::string_view title) {
    const std::string path = home.file("ws/ws.sgw");
    QDir().mkpath(QString::fromStdString(home.file("ws")));
    RecordOwner owner;
    owner.SetText(*owner.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit(title));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&owner.record());
    test::writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
    return path;
}

// The child: opens the workspace, edits it until its recovery is written,
// then edits once more (a change no recovery holds) and waits to be killed.
int runChild(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string path = argv[2];
    test::CapturingNotifier notifier;
    EditorDocument document(notifier);
    EditorWindow window(document);
    if (!window.openFile(path)) {
        return 3;
    }
    document.setRecoveryInterval(20);
    setTitle(document, "復元される題");
    const RecoveryFile recovery(path);
    while (!recovery.exists()) {
        QTest::qWait(10);
    }
    document.setRecoveryInterval(3600 * 1000);
    setTitle(document, "失われる題");
    std::cout << "edited" << std::endl;
    return QApplication::exec();
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT

  private slots:
    void killedEditorIsRecoveredOnOpening() {
        EditorHome home;
        const std::string path = writeWorkspace(home, "元の題");
        const std::vector<std::uint8_t> original = test::readBytes(path);

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kChildOption), QString::fromStdString(path)});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("edited"), 20000);
        child.kill();  // SIGKILL
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        // Recovery never writes the user's file.
        QCOMPARE(test::readBytes(path), original);

        Editor editor;
        editor.notifier.answers = {NoticeAnswer::Yes};
        QVERIFY(editor.window.openFile(path));
        QCOMPARE(editor.notifier.notices.size(), std::size_t{1});
        QCOMPARE(editor.notifier.notices[0].text,
                 std::string("前回、保存されずに終了した変更があります。\n復元しますか？"));
        QCOMPARE(editor.notifier.notices[0].icon, NoticeIcon::Question);
        QCOMPARE(editor.document.gameTitle(), std::string("復元される題"));
        QVERIFY(editor.window.windowTitle().endsWith(QStringLiteral("復元される題 *")));

        // One step back to the file's state, and forward again.
        QVERIFY(editor.document.undo());
        QCOMPARE(editor.document.gameTitle(), std::string("元の題"));
        QVERIFY(editor.document.redo());
        QVERIFY(editor.window.saveWorkspace());
        QVERIFY(!RecoveryFile(path).exists());
        QVERIFY(test::readBytes(path) != original);
        Editor again;
        QVERIFY(again.window.openFile(path));
        QVERIFY(again.notifier.notices.empty());
        QCOMPARE(again.document.gameTitle(), std::string("復元される題"));
    }

    void noDeletesAndAnOlderRecoveryIsNotOffered() {
        EditorHome home;
        const std::string path = writeWorkspace(home, "元の題");
        {
            Editor crashed;
            QVERIFY(crashed.window.openFile(path));
            setTitle(crashed.document, "捨てる題");
            QVERIFY(crashed.document.writeRecovery());
        }
        const RecoveryFile recovery(path);
        QVERIFY(recovery.pending());
        // Saved since (another editor, say): nothing to offer.
        namespace fs = std::filesystem;
        fs::last_write_time(path,
                            fs::last_write_time(recovery.recordPath()) + std::chrono::seconds(5));
        QVERIFY(!recovery.pending());
        Editor later;
        QVERIFY(later.window.openFile(path));
        QVERIFY(later.notifier.notices.empty());

        fs::last_write_time(path,
                            fs::last_write_time(recovery.recordPath()) - std::chrono::seconds(5));
        Editor editor;
        editor.notifier.answers = {NoticeAnswer::No};
        QVERIFY(editor.window.openFile(path));
        QCOMPARE(editor.notifier.notices.size(), std::size_t{1});
        QVERIFY(!recovery.exists());
        QCOMPARE(editor.document.gameTitle(), std::string("元の題"));
        QVERIFY(!editor.document.isModified());
    }

    void neverSavedWorkspacesAreOfferedAtStartup() {
        EditorHome home;
        std::string location;
        {
            Editor crashed;
            location = crashed.document.location().filePath();
            setTitle(crashed.document, "保存前の題");
            QVERIFY(crashed.document.writeRecovery());
        }
        // Notes name their workspace exactly: a recovery under another
        // workspace's name is not taken for it.
        const RecoveryFile own(location);
        const RecoveryFile other(home.file("other/other.sgw"));
        std::filesystem::copy_file(own.notePath(), other.notePath());
        std::filesystem::copy_file(own.recordPath(), other.recordPath());
        QVERIFY(!other.exists());

        test::writeText(home.file("startup.ini"), "NoWelcome");
        Editor editor;
        editor.notifier.answers = {NoticeAnswer::Yes};
        runStartupSequence(editor.window, StartupCommand{}, false);
        QCOMPARE(editor.notifier.notices.size(), std::size_t{1});
        QCOMPARE(editor.document.gameTitle(), std::string("保存前の題"));
        QCOMPARE(editor.document.location().filePath(), location);
        QVERIFY(editor.document.isModified());
        // Leaving without saving, confirmed: nothing is offered next time.
        editor.notifier.answers = {NoticeAnswer::No};
        QVERIFY(editor.window.close());
        QVERIFY(!own.exists());
    }

    void notesKeepAnyPath() {
        RecoveryNote note;
        QVERIFY(
            parseRecoveryNote(formatRecoveryNote({"/a\\b\nc/d.sgw", "2024-01-02 03:04:05"}), note));
        QCOMPARE(note.workspacePath, std::string("/a\\b\nc/d.sgw"));
        QCOMPARE(note.writtenAt, std::string("2024-01-02 03:04:05"));
        QVERIFY(!parseRecoveryNote("written=2024-01-02\n", note));
    }
};

}  // namespace banmen

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == banmen::kChildOption) {
        return banmen::runChild(argc, argv);
    }
    QApplication app(argc, argv);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    banmen::RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
