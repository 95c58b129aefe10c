// The main menu as the window shows it: the Edit items for each kind chosen
// in the object selector, everything during a run, and a menu opened by its
// mnemonic and clicked with the mouse.

#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <cstring>
#include <vector>

#include "editor/commands/command_ids.h"
#include "editor/window/object_selector.h"
#include "editor_test_support.h"
#include "model/object_list.h"
#include "platform/settings/program_settings.h"
#include "platform/sjis.h"

namespace banmen {
namespace {

using test::Editor;
using test::EditorHome;

// Chooses the first entry whose caption starts so from the keyboard, as a
// person would.
bool choose(ObjectSelector& selector, const QString& caption) {
    selector.setFocus();
    QTest::keyClick(&selector, Qt::Key_Home);
    for (int i = 0; i < selector.count() && !selector.currentText().startsWith(caption); ++i) {
        QTest::keyClick(&selector, Qt::Key_Down);
    }
    return selector.currentText().startsWith(caption);
}

// "text+" or "text-" for an item, enabled or not.
QString item(const EditorWindow& window, int id) {
    const QAction* a = window.action(id);
    return a->text() + (a->isEnabled() ? QStringLiteral("+") : QStringLiteral("-"));
}

QString editItems(const EditorWindow& window) {
    QStringList items;
    for (const int id : {kCmdCopy, kCmdPaste, kCmdDelete, kCmdCopySettings, kCmdPasteSettings,
                         kCmdDuplicate, kCmdDeleteAll, kCmdRouteMode, kCmdSquareDebug}) {
        items << item(window, id);
    }
    return items.join(QLatin1Char('|'));
}

}  // namespace

class EditorMenusTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }

    void editItemsFollowTheKindChosen() {
        EditorHome home;
        Editor editor;
        EditorDocument& doc = editor.document;
        doc.setText(*doc.field(ObjectKind::Image, 0, kFieldName), sjis::lit("絵"));
        doc.setText(*doc.field(ObjectKind::Sound, 0, kFieldName), sjis::lit("音"));
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        ObjectSelector& selector = editor.window.objectSelector();

        QVERIFY(choose(selector, QStringLiteral("ゲーム全般")));
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ｺﾋﾟｰ(&C)-|貼り付け(&P)-|削除(&Del)-|設定をｺﾋﾟｰ(&T)-|"
                                "設定を貼り付け(&V)-|複製を作る(&W)-|全て削除-|経路設定(&O)-|"
                                "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-"));
        QVERIFY(choose(selector, QStringLiteral("プレイヤーデータ２")));
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ｺﾋﾟｰ(&C)-|貼り付け(&P)-|削除(&Del)-|設定をｺﾋﾟｰ(&T)+|"
                                "設定を貼り付け(&V)-|複製を作る(&W)-|全て削除-|経路設定(&O)-|"
                                "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-"));
        QVERIFY(choose(selector, QStringLiteral("マス2")));
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ﾏｽをｺﾋﾟｰ(&C)+|ﾏｽを貼り付け(&P)-|ﾏｽを削除(&Del)+|設定をｺﾋﾟｰ(&T)+|"
                                "設定を貼り付け(&V)-|複製を作る(&W)+|ﾏｽを全て削除+|経路設定(&O)+|"
                                "ﾏｽのﾃﾞﾊﾞｯｸ(&M)+"));
        // A full slot enables pasting.
        (void)doc.clipboard().buffer(ObjectKind::Square);
        doc.clipboard().setFull(ObjectKind::Square, true);
        editor.window.updateMenus();
        QCOMPARE(item(editor.window, kCmdPaste), QStringLiteral("ﾏｽを貼り付け(&P)+"));
        QCOMPARE(item(editor.window, kCmdPasteSettings), QStringLiteral("設定を貼り付け(&V)+"));
        QVERIFY(choose(selector, QStringLiteral("イメージ1 [絵]")));
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ｺﾋﾟｰ(&C)-|貼り付け(&P)-|ｲﾒｰｼﾞを削除(&Del)+|設定をｺﾋﾟｰ(&T)+|"
                                "設定を貼り付け(&V)-|複製を作る(&W)+|ｲﾒｰｼﾞを全て削除+|"
                                "経路設定(&O)-|ﾏｽのﾃﾞﾊﾞｯｸ(&M)-"));
        QVERIFY(choose(selector, QStringLiteral("サウンド1 [音]")));
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ｺﾋﾟｰ(&C)-|貼り付け(&P)-|ｻｳﾝﾄﾞを削除(&Del)+|設定をｺﾋﾟｰ(&T)+|"
                                "設定を貼り付け(&V)-|複製を作る(&W)-|ｻｳﾝﾄﾞを全て削除+|"
                                "経路設定(&O)-|ﾏｽのﾃﾞﾊﾞｯｸ(&M)-"));
    }

    void duringARunOnlyRunsExitAndHelpAreOn() {
        EditorHome home;
        QVERIFY(writeRecentWorkspaces({home.file("a/a.sgw")}));
        Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.window));
        editor.window.setMapLocked(true);
        QVERIFY(choose(editor.window.objectSelector(), QStringLiteral("マス1")));
        editor.window.startTestRun();
        QCOMPARE(editItems(editor.window),
                 QStringLiteral("ｺﾋﾟｰ(&C)-|貼り付け(&P)-|削除(&Del)-|設定をｺﾋﾟｰ(&T)-|"
                                "設定を貼り付け(&V)-|複製を作る(&W)-|全て削除-|経路設定(&O)-|"
                                "ﾏｽのﾃﾞﾊﾞｯｸ(&M)-"));
        for (const int id :
             {kCmdNewWorkspace, kCmdOpenWorkspace, kCmdSaveWorkspace, kCmdCloseWorkspace,
              kCmdSaveWorkspaceAs, kCmdRecentFirst, kCmdRouteClear, kCmdAddSquare, kCmdAddImage,
              kCmdAddSoundFromFile, kCmdBuild, kCmdUndo, kCmdRedo, kCmdMapLock, kCmdSnapToGrid}) {
            QVERIFY2(!editor.window.action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        // The map settings keep their checks.
        QVERIFY(editor.window.action(kCmdMapLock)->isChecked());
        QVERIFY(editor.window.action(kCmdSnapToGrid)->isChecked());
        for (const int id : {kCmdExit, kCmdHelp, kCmdSampleGame, kCmdAbout, kCmdWelcome}) {
            QVERIFY2(editor.window.action(id)->isEnabled(), qPrintable(QString::number(id)));
        }
        editor.window.stopRun();
        QTRY_COMPARE_WITH_TIMEOUT(editor.window.runState(), RunState::Idle, 5000);
        // The square chosen before the run is chosen again.
        QVERIFY(editor.window.objectSelector().currentText().startsWith(QStringLiteral("マス1")));
        QCOMPARE(item(editor.window, kCmdRecentFirst), QStringLiteral("a+"));
    }

    void undoAndRedoKeysWalkTheStepsByteForByte() {
        EditorHome home;
        Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        EditorDocument& doc = editor.document;
        std::vector<std::vector<char>> states;
        auto snapshot = [&] {
            const auto* bytes = reinterpret_cast<const char*>(&doc.record());
            states.emplace_back(bytes, bytes + sizeof(GameRecord));
        };
        snapshot();
        doc.setText(*doc.field(ObjectKind::Game, 0, kFieldTitle), sjis::lit("一"));
        snapshot();
        doc.edit(QStringLiteral("マスの追加"),
                 [](RecordOwner& owner) { (void)AddSquare(owner, 300, 200, 0); });
        snapshot();
        doc.setNumber(*doc.field(ObjectKind::Square, 0, kFieldX), 123);
        snapshot();
        QVERIFY(editor.window.saveWorkspace());
        QCOMPARE(item(editor.window, kCmdUndo), QStringLiteral("元に戻す: マス1の変更+"));

        for (std::size_t i = states.size() - 1; i > 0; --i) {
            QTest::keyClick(&editor.window, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(std::memcmp(&doc.record(), states[i - 1].data(), sizeof(GameRecord)) == 0);
            // An undo after the save is a change to save again.
            QVERIFY(editor.window.windowTitle().endsWith(QStringLiteral(" *")));
        }
        QCOMPARE(item(editor.window, kCmdUndo), QStringLiteral("元に戻す(&U)-"));
        for (std::size_t i = 1; i < states.size(); ++i) {
            QTest::keyClick(
                &editor.window, i % 2 == 0 ? Qt::Key_Y : Qt::Key_Z,
                i % 2 == 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(std::memcmp(&doc.record(), states[i].data(), sizeof(GameRecord)) == 0);
        }
        QCOMPARE(item(editor.window, kCmdRedo), QStringLiteral("やり直し(&Y)-"));
    }

    void aMenuOpensByItsMnemonicAndAClickToggles() {
        EditorHome home;
        Editor editor;
        editor.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor.window));
        QAction* grid = editor.window.action(kCmdSnapToGrid);
        QVERIFY(grid->isChecked());

        QTest::keyClick(&editor.window, Qt::Key_M, Qt::AltModifier);
        QMenu* map = editor.window.menu(QStringLiteral("mapMenu"));
        QTRY_VERIFY(map->isVisible());
        QTest::mouseClick(map, Qt::LeftButton, {}, map->actionGeometry(grid).center());
        QTRY_VERIFY(!map->isVisible());
        QVERIFY(!grid->isChecked());
        QSettings file(QString::fromStdString(home.settingsFile()), QSettings::IniFormat);
        QVERIFY(file.value(QStringLiteral("bMapGrid")).toString().endsWith(QLatin1Char('0')));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::EditorMenusTest)
#include "editor_menus_test.moc"
