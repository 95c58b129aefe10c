// The File menu driven through its items, keys and dialogs: the recent list
// as the settings file holds it, New with its refusals, Save and Save as
// then opening again, Close with cancel and no, the question before changes
// are dropped, the sample game, and the start-up's messages.

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>

#include "editor/commands/command_ids.h"
#include "editor/dialogs/new_workspace_dialog.h"
#include "editor/document/recovery.h"
#include "editor/window/startup_sequence.h"
#include "editor_test_support.h"
#include "model/workspace.h"
#include "platform/settings/program_settings.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using test::Editor;
using test::EditorHome;

// A workspace file with the new game and this title.
void writeWorkspace(const std::string& path, std::string_view title) {
    RecordOwner owner;
    owner.SetText(*owner.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit(title));
    QVERIFY(QDir().mkpath(QFileInfo(QString::fromStdString(path)).path()));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&owner.record());
    test::writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
}

void editTitle(EditorDocument& document, std::string_view title) {
    document.setText(*document.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit(title));
}

std::vector<std::uint8_t> recordBytes(const EditorDocument& document) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&document.record());
    return {bytes, bytes + sizeof(GameRecord)};
}

// "Project1".."Project5" read straight from the settings file.
QStringList recentInSettingsFile(const EditorHome& home) {
    QSettings file(QString::fromStdString(home.settingsFile()), QSettings::IniFormat);
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        // Stored with the registry's type in front.
        paths << file.value(QStringLiteral("ResentWorkspaces/Project%1").arg(i))
                     .toString()
                     .remove(QRegularExpression(QStringLiteral("^sz:")));
    }
    return paths;
}

QString titleEnd(const EditorWindow& window) {
    return window.windowTitle().section(QStringLiteral(" - "), 1);
}

}  // namespace

class WorkspaceCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void recentListOrderAndEntries() {
        EditorHome home;
        auto at = [&](const char* name) {
            return home.file(std::string(name) + "/" + name + ".sgw");
        };
        for (const char* folder : {"C", "F"}) {
            QVERIFY(QDir().mkpath(QString::fromStdString(home.file(folder))));
        }
        QVERIFY(writeRecentWorkspaces({at("A"), at("B"), at("C"), at("D"), at("E")}));
        Editor editor;
        QCOMPARE(editor.window.action(kCmdRecentFirst + 2)->text(), QStringLiteral("C"));
        QVERIFY(editor.window.action(kCmdRecentLast) != nullptr);

        // Saving at a listed path moves it up; the others keep their order.
        auto chosen = test::chooseInFileDialog(at("C"));
        test::trigger(editor.window, kCmdSaveWorkspaceAs);
        QVERIFY(*chosen);
        const auto q = [](const std::string& s) { return QString::fromStdString(s); };
        QCOMPARE(recentInSettingsFile(home),
                 QStringList({q(at("C")), q(at("A")), q(at("B")), q(at("D")), q(at("E"))}));
        // A new path goes on top and the last one drops out.
        chosen = test::chooseInFileDialog(at("F"));
        test::trigger(editor.window, kCmdSaveWorkspaceAs);
        QVERIFY(*chosen);
        QCOMPARE(recentInSettingsFile(home),
                 QStringList({q(at("F")), q(at("C")), q(at("A")), q(at("B")), q(at("D"))}));
        QCOMPARE(editor.window.action(kCmdRecentFirst)->text(), QStringLiteral("F"));

        // An entry that cannot be opened is told and still goes to the top.
        test::trigger(editor.window, kCmdRecentFirst + 3);
        QVERIFY(editor.told("指定されたワークスペースを開けませんでした。"));
        QCOMPARE(recentInSettingsFile(home),
                 QStringList({q(at("B")), q(at("F")), q(at("C")), q(at("A")), q(at("D"))}));

        // One that can is opened.
        writeWorkspace(at("A"), "最近のA");
        test::trigger(editor.window, kCmdRecentFirst + 3);
        QCOMPARE(editor.document.gameTitle(), std::string("最近のA"));
        QCOMPARE(recentInSettingsFile(home).front(), q(at("A")));
    }

    void saveClearsTheMarkAndSaveAsOpensAgain() {
        EditorHome home;
        Editor editor;
        QCOMPARE(titleEnd(editor.window), QStringLiteral("新規雙六(1)"));
        editTitle(editor.document, "保存の試し");
        QCOMPARE(titleEnd(editor.window), QStringLiteral("保存の試し *"));

        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        QTest::keyClick(&editor.window, Qt::Key_S, Qt::ControlModifier);
        const std::string first = home.projects() + "/新規雙六(1)/新規雙六(1).sgw";
        QCOMPARE(test::readBytes(first), recordBytes(editor.document));
        QCOMPARE(titleEnd(editor.window), QStringLiteral("保存の試し"));

        // Save as elsewhere: the workspace moves there with its media.
        QVERIFY(
            QDir().mkpath(QString::fromStdString(home.projects() + "/新規雙六(1)/Image Files")));
        test::writeText(home.projects() + "/新規雙六(1)/Image Files/a.bmp", "picture");
        editTitle(editor.document, "別名");
        const std::string moved = home.file("elsewhere/別名で.sgw");
        QVERIFY(QDir().mkpath(QString::fromStdString(home.file("elsewhere"))));
        auto chosen = test::chooseInFileDialog(moved);
        test::trigger(editor.window, kCmdSaveWorkspaceAs);
        QVERIFY(*chosen);
        QCOMPARE(editor.document.location().filePath(), moved);
        QVERIFY(test::exists(home.file("elsewhere/Image Files/a.bmp")));
        QVERIFY(!editor.document.isModified());

        Editor other;
        chosen = test::chooseInFileDialog(moved);
        test::trigger(other.window, kCmdOpenWorkspace);
        QVERIFY(*chosen);
        QCOMPARE(recordBytes(other.document), recordBytes(editor.document));
        QCOMPARE(titleEnd(other.window), QStringLiteral("別名"));
        QCOMPARE(readOpenFolder(), home.file("elsewhere"));
    }

    void closeAsksAndStartsAFreshWorkspace() {
        EditorHome home;
        Editor editor;
        editTitle(editor.document, "閉じる前");
        QVERIFY(editor.document.writeRecovery());
        const RecoveryFile recovery(editor.document.location().filePath());
        QVERIFY(recovery.exists());
        // The next free name is the lowest whose folder does not exist.
        for (const char* taken : {"/新規雙六(1)", "/新規雙六(3)"}) {
            QVERIFY(QDir().mkpath(QString::fromStdString(home.projects() + taken)));
        }

        editor.notifier.answers = {NoticeAnswer::Cancel};
        test::trigger(editor.window, kCmdCloseWorkspace);
        QCOMPARE(editor.notifier.notices.back().text,
                 std::string("ワークスペースが変更されています。\n保存しますか？"));
        QCOMPARE(editor.notifier.notices.back().icon, NoticeIcon::Question);
        QCOMPARE(titleEnd(editor.window), QStringLiteral("閉じる前 *"));
        QVERIFY(recovery.exists());

        editor.notifier.answers = {NoticeAnswer::No};
        test::trigger(editor.window, kCmdCloseWorkspace);
        QCOMPARE(titleEnd(editor.window), QStringLiteral("新規雙六(2)"));
        QCOMPARE(editor.document.location().folder, home.projects() + "/新規雙六(2)");
        QVERIFY(!editor.document.canUndo());
        QVERIFY(!recovery.exists());
    }

    void aFailedSaveAfterYesKeepsTheWorkspace() {
        EditorHome home;
        // "MyProjects" is a file: nothing can be saved below it.
        test::writeText(home.projects(), "in the way");
        Editor editor;
        editTitle(editor.document, "消さないで");
        editor.notifier.answers = {NoticeAnswer::Yes};
        test::trigger(editor.window, kCmdCloseWorkspace);
        QVERIFY(editor.told("指定されたワークスペースを保存できませんでした。"));
        QCOMPARE(titleEnd(editor.window), QStringLiteral("消さないで *"));
    }

    void newWorkspaceRefusesThenCreates() {
        EditorHome home;
        QVERIFY(QDir().mkpath(QString::fromStdString(home.projects() + "/既存")));
        Editor editor;
        const QString projects = QString::fromStdString(home.projects());
        const QString elsewhere = QString::fromStdString(home.file("elsewhere"));
        QString locationAtStart;
        QString locationForTitle;
        bool stayedOpen = false;
        auto came = test::onModal<NewWorkspaceDialog>([&](NewWorkspaceDialog* dialog) {
            locationAtStart = dialog->locationEdit()->text();
            QTest::mouseClick(dialog->createButton(), Qt::LeftButton);
            test::typeText(dialog->titleEdit(), QStringLiteral("既存"));
            QTest::mouseClick(dialog->createButton(), Qt::LeftButton);
            stayedOpen = dialog->isVisible();
            dialog->titleEdit()->clear();
            test::typeText(dialog->titleEdit(), QStringLiteral("新作"));
            locationForTitle = dialog->locationEdit()->text();
            // A location typed by hand gives the parent folder for later titles.
            dialog->locationEdit()->selectAll();
            test::typeText(dialog->locationEdit(), elsewhere + QStringLiteral("/x"));
            test::typeText(dialog->titleEdit(), QStringLiteral("2"));
            QTest::mouseClick(dialog->createButton(), Qt::LeftButton);
        });
        test::trigger(editor.window, kCmdNewWorkspace);
        QVERIFY(*came);
        QCOMPARE(locationAtStart, projects);
        QCOMPARE(editor.notifier.notices.size(), std::size_t{2});
        QCOMPARE(editor.notifier.notices[0].text, std::string("タイトルを入力して下さい。"));
        QCOMPARE(
            editor.notifier.notices[1].text,
            std::string("指定されたフォルダは既に存在します。\n他のフォルダを選択して下さい。"));
        QCOMPARE(editor.notifier.notices[1].icon, NoticeIcon::Information);
        QVERIFY(stayedOpen);
        QCOMPARE(locationForTitle, projects + QStringLiteral("/新作"));

        QCOMPARE(titleEnd(editor.window), QStringLiteral("新作2"));
        QCOMPARE(QString::fromStdString(editor.document.location().folder),
                 elsewhere + QStringLiteral("/新作2"));
        QCOMPARE(QString::fromStdString(readProjectFolder()), elsewhere);
    }

    void newWorkspacePicturePreview() {
        EditorHome home;
        // 2 x 1: a red pixel and a blue one, stretched over 110 x 80.
        std::vector<std::uint8_t> bmp = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                         0,   0,   0,  2, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24, 0};
        bmp.resize(54, 0);
        bmp[34] = 8;                                        // image size
        for (const int b : {0, 0, 255, 255, 0, 0, 0, 0}) {  // B G R, B G R, padding
            bmp.push_back(static_cast<std::uint8_t>(b));
        }
        test::writeBytes(home.file("board.bmp"), bmp);
        Editor editor;
        QImage preview;
        QString path;
        bool typedNothing = false;
        bool typedShown = false;
        auto came = test::onModal<NewWorkspaceDialog>([&](NewWorkspaceDialog* dialog) {
            auto chosen = test::chooseInFileDialog(home.file("board.bmp"));
            QTest::mouseClick(dialog->pictureButton(), Qt::LeftButton);
            path = dialog->pictureEdit()->text();
            preview = dialog->preview()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            // A path typed by hand shows as well once the field is left;
            // one that is no picture empties the preview.
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            const auto typeAndLeave = [dialog](const QString& typed) {
                dialog->pictureEdit()->setFocus();
                dialog->pictureEdit()->clear();
                QTest::keyClicks(dialog->pictureEdit(), typed);
                dialog->titleEdit()->setFocus();
                return !dialog->preview()->pixmap().isNull();
            };
            typedNothing = !typeAndLeave(QStringLiteral("/nowhere.bmp"));
            typedShown = typeAndLeave(QString::fromStdString(home.file("board.bmp")));
            dialog->reject();
        });
        test::trigger(editor.window, kCmdNewWorkspace);
        QVERIFY(*came);
        QCOMPARE(path, QString::fromStdString(home.file("board.bmp")));
        QVERIFY(preview.width() >= NewWorkspaceDialog::kPreviewWidth);
        const int middle = preview.height() / 2;
        QCOMPARE(preview.pixelColor(preview.width() / 8, middle), QColor(255, 0, 0));
        QCOMPARE(preview.pixelColor(preview.width() * 7 / 8, middle), QColor(0, 0, 255));
        QVERIFY(typedNothing);
        QVERIFY(typedShown);
        // Cancelled: the workspace is the one from before.
        QCOMPARE(titleEnd(editor.window), QStringLiteral("新規雙六(1)"));
    }

    void sampleGameAndStartupFiles() {
        EditorHome home;
        Editor editor;
        test::trigger(editor.window, kCmdSampleGame);
        QVERIFY(editor.told("指定されたワークスペースを開けませんでした。"));
        writeWorkspace(home.projects() + "/サンプル雙六/サンプル雙六.sgw", "見本");
        test::trigger(editor.window, kCmdSampleGame);
        QCOMPARE(titleEnd(editor.window), QStringLiteral("見本"));

        // A file on the command line that is no workspace is told, and the
        // workspace stays as it was.
        editor.notifier.notices.clear();
        test::writeText(home.file("short.sgw"), "sugoro");
        StartupCommand command;
        command.file = home.file("short.sgw");
        runStartupSequence(editor.window, command, false);
        QCOMPARE(editor.notifier.notices.size(), std::size_t{1});
        QVERIFY(editor.told("指定されたワークスペースを開けませんでした。"));
        QCOMPARE(titleEnd(editor.window), QStringLiteral("見本"));

        // A square debug from a square the game does not use.
        command.file = home.projects() + "/サンプル雙六/サンプル雙六.sgw";
        command.debugSquare = 8;
        runStartupSequence(editor.window, command, false);
        QVERIFY(editor.told("マス9はありません。"));
        QCOMPARE(editor.window.runState(), RunState::Idle);
    }

    void sessionEndAsksOnceAndKeysDoNothing() {
        EditorHome home;
        Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        // Enter and Escape neither close the window nor change anything.
        const auto before = recordBytes(editor.document);
        QTest::keyClick(&editor.window, Qt::Key_Escape);
        QTest::keyClick(&editor.window, Qt::Key_Return);
        QVERIFY(editor.window.isVisible());
        QCOMPARE(recordBytes(editor.document), before);

        editTitle(editor.document, "終わる前");
        editor.notifier.answers = {NoticeAnswer::Cancel};
        QVERIFY(!editor.window.commitSessionData());
        QVERIFY(editor.document.isModified());
        editor.notifier.answers = {NoticeAnswer::No};
        QVERIFY(editor.window.commitSessionData());
        // The windows close afterwards without asking again.
        const std::size_t asked = editor.notifier.notices.size();
        QVERIFY(editor.window.close());
        QCOMPARE(editor.notifier.notices.size(), asked);
    }

    void disabledItemsIgnoreTheirShortcuts() {
        EditorHome home;
        Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        editTitle(editor.document, "走行中");
        editor.window.startTestRun();
        for (const int id : {kCmdNewWorkspace, kCmdOpenWorkspace, kCmdSaveWorkspace,
                             kCmdCloseWorkspace, kCmdSaveWorkspaceAs, kCmdUndo, kCmdBuild}) {
            QVERIFY2(!editor.window.action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        auto dialog = test::onModal<NewWorkspaceDialog>([](QDialog* d) { d->reject(); });
        QTest::keyClick(&editor.window, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&editor.window, Qt::Key_N, Qt::ControlModifier);
        QTest::keyClick(&editor.window, Qt::Key_Z, Qt::ControlModifier);
        QTest::qWait(100);
        QVERIFY(!*dialog);
        QVERIFY(editor.document.isModified());
        QVERIFY(!test::exists(editor.document.location().filePath()));
        QCOMPARE(editor.document.gameTitle(), std::string("走行中"));
        editor.window.stopRun();
        QTRY_COMPARE_WITH_TIMEOUT(editor.window.runState(), RunState::Idle, 5000);
        QVERIFY(editor.window.action(kCmdSaveWorkspace)->isEnabled());
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::WorkspaceCommandsTest)
#include "workspace_commands_test.moc"
