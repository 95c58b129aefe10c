// "ﾋﾞﾙﾄﾞ(&B)..." through its dialog and progress: the dialog's first values
// and refusals, the file name stored as one undoable step, the game file
// written, and a cancel in the progress that leaves no game file behind;
// the board's problems listed in the dialog; the offer to play the game.

#include <QListWidget>
#include <QProgressDialog>

#include "editor/commands/build_commands.h"
#include "editor/commands/command_ids.h"
#include "editor/dialogs/build_dialog.h"
#include "editor_test_support.h"
#include "model/text_field.h"
#include "platform/files.h"
#include "platform/settings/program_settings.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using test::Editor;
using test::EditorHome;

std::string headerText(const EditorDocument& document) {
    return sjis::toUtf8Lossy(fieldText(document.record().headerText));
}

// Fills the build dialog and clicks "ビルド".
void fillAndBuild(BuildDialog* dialog, const QString& name, const QString& folder) {
    dialog->fileNameEdit()->clear();
    test::typeText(dialog->fileNameEdit(), name);
    dialog->folderEdit()->clear();
    test::typeText(dialog->folderEdit(), folder);
    QTest::mouseClick(dialog->buildButton(), Qt::LeftButton);
}

}  // namespace

class BuildCommandTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void dialogRefusesThenBuildsAndTheNameIsOneStep() {
        EditorHome home;
        Editor editor;
        const QString out = QString::fromStdString(home.file("out"));
        QString firstName;
        QString firstFolder;
        auto came = test::onModal<BuildDialog>([&](BuildDialog* dialog) {
            firstName = dialog->fileNameEdit()->text();
            firstFolder = dialog->folderEdit()->text();
            fillAndBuild(dialog, QString(), out);
            fillAndBuild(dialog, QStringLiteral("遊ぶ"), QString());
            fillAndBuild(dialog, QStringLiteral("遊ぶ"), out);
        });
        test::trigger(editor.window, kCmdBuild);
        QVERIFY(*came);
        QCOMPARE(firstName, QStringLiteral("新規雙六(1).sgr"));
        QCOMPARE(firstFolder, QString::fromStdString(editor.document.location().folder));
        QCOMPARE(editor.notifier.notices.size(), std::size_t{2});
        QCOMPARE(editor.notifier.notices[0].text, std::string("ファイル名を入力して下さい。"));
        QCOMPARE(editor.notifier.notices[1].text, std::string("保存先を入力して下さい。"));
        QCOMPARE(editor.notifier.notices[1].icon, NoticeIcon::Exclamation);

        const std::string game = home.file("out/遊ぶ.sgr");
        QVERIFY(FileSize(game) > 0);
        QCOMPARE(headerText(editor.document), std::string("遊ぶ.sgr"));
        QCOMPARE(readBuildFolder(), home.file("out"));
        QCOMPARE(editor.window.action(kCmdUndo)->text(),
                 QStringLiteral("元に戻す: ゲーム全般のビルドファイル名"));
        QVERIFY(editor.window.windowTitle().endsWith(QStringLiteral(" *")));
        QVERIFY(editor.document.undo());
        QCOMPARE(headerText(editor.document), std::string());
        QVERIFY(editor.document.redo());

        // The next build starts where this one went and asks before
        // overwriting; cancel builds nothing.
        const auto written = test::readBytes(game);
        came = test::onModal<BuildDialog>([&](BuildDialog* dialog) {
            firstName = dialog->fileNameEdit()->text();
            firstFolder = dialog->folderEdit()->text();
            QTest::mouseClick(dialog->buildButton(), Qt::LeftButton);
        });
        editor.notifier.answers = {NoticeAnswer::Cancel};
        test::trigger(editor.window, kCmdBuild);
        QVERIFY(*came);
        QCOMPARE(firstName, QStringLiteral("遊ぶ.sgr"));
        QCOMPARE(firstFolder, out);
        QCOMPARE(editor.notifier.notices.back().text,
                 std::string("ファイルを上書きしますか？　　"));
        QCOMPARE(test::readBytes(game), written);
    }

    void progressNamesTheEntryAndCancelLeavesNoGameFile() {
        EditorHome home;
        Editor editor;
        const QString out = QString::fromStdString(home.file("out"));
        QString label;
        auto dialog = test::onModal<BuildDialog>(
            [&](BuildDialog* d) { fillAndBuild(d, QStringLiteral("途中.sgr"), out); });
        auto progress = test::onModal<QProgressDialog>(
            [&](QProgressDialog* p) {
                label = p->labelText();
                auto* cancel = p->findChild<QPushButton*>();
                QVERIFY(cancel != nullptr);
                QCOMPARE(cancel->text(), QStringLiteral("ｷｬﾝｾﾙ"));
                QTest::mouseClick(cancel, Qt::LeftButton);
            },
            0);
        test::trigger(editor.window, kCmdBuild);
        QVERIFY(*dialog);
        QVERIFY(*progress);
        QVERIFY2(label.endsWith(QStringLiteral(" を書き込んでいます。")), qPrintable(label));
        QVERIFY(!test::exists(home.file("out/途中.sgr")));
        QVERIFY(QDir(out).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        // A cancel is no failure to tell.
        QVERIFY(editor.notifier.notices.empty());
    }

    void dialogListsTheBoardsProblems() {
        EditorHome home;
        Editor editor;
        // A square with nowhere to go is a dead end.
        test::trigger(editor.window, kCmdAddSquare);
        QStringList shown;
        bool visible = false;
        auto came = test::onModal<BuildDialog>([&](BuildDialog* dialog) {
            visible = dialog->warningList()->isVisible();
            for (int i = 0; i < dialog->warningList()->count(); ++i) {
                shown << dialog->warningList()->item(i)->text();
            }
            dialog->reject();
        });
        test::trigger(editor.window, kCmdBuild);
        QVERIFY(*came);
        QVERIFY(visible);
        QVERIFY2(shown.filter(QStringLiteral("行き止まり")).size() == 1,
                 qPrintable(shown.join('\n')));
    }

    void offerToPlayStartsThePlayerOnYesOnly() {
        EditorHome home;
        Editor editor;
        const std::string player = home.file("banmen-player");
        const std::string said = home.file("said");
        QVERIFY(WriteTextFile(player, "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + said + "'\n"));
        QVERIFY(QFile::setPermissions(QString::fromStdString(player),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const std::string game = home.file("-遊ぶ.sgr");

        editor.notifier.answers = {NoticeAnswer::No};
        offerToPlay(editor.window, game, player);
        QCOMPARE(editor.notifier.notices.size(), std::size_t{1});
        QVERIFY(editor.notifier.notices[0].text.find(game) != std::string::npos);
        QTest::qWait(200);
        QVERIFY(!test::exists(said));

        editor.notifier.answers = {NoticeAnswer::Yes};
        offerToPlay(editor.window, game, player);
        QTRY_VERIFY(test::exists(said) && FileSize(said) > 0);
        const auto bytes = test::readBytes(said);
        QCOMPARE(std::string(bytes.begin(), bytes.end()), "--\n" + game + "\n");

        // Without the player beside the editor there is nothing to offer.
        editor.notifier.notices.clear();
        offerToPlay(editor.window, game, home.file("missing-player"));
        QVERIFY(editor.notifier.notices.empty());
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::BuildCommandTest)
#include "build_command_test.moc"
