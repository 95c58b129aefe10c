#include "editor/window/menu_table.h"

#include "editor/commands/command_ids.h"
#include "editor/window/run_menu.h"

namespace banmen {
namespace {

MenuItemSpec item(int id, const char* caption, QList<QKeySequence> shortcuts = {},
                  bool checkable = false) {
    return {id, QString::fromUtf8(caption), std::move(shortcuts), checkable};
}

MenuItemSpec separator() {
    return {};
}

std::vector<MenuSpec> buildMainMenu() {
    return {
        {QStringLiteral("ﾌｧｲﾙ(&F)"),
         QStringLiteral("fileMenu"),
         {item(kCmdNewWorkspace, "新規ﾜｰｸｽﾍﾟｰｽ(&N)...", {QKeySequence::New}),
          item(kCmdOpenWorkspace, "ﾜｰｸｽﾍﾟｰｽを開く(&O)...", {QKeySequence::Open}),
          item(kCmdSaveWorkspace, "ﾜｰｸｽﾍﾟｰｽの保存(&S)", {QKeySequence::Save}),
          item(kCmdCloseWorkspace, "ﾜｰｸｽﾍﾟｰｽを閉じる(&C)"),
          item(kCmdSaveWorkspaceAs, "名前を付けて保存(&A)...",
               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}),
          separator(), item(kCmdExit, "終了(&Q)", {QKeySequence(Qt::CTRL | Qt::Key_Q)})}},
        {QStringLiteral("編集(&E)"),
         QStringLiteral("editMenu"),
         {item(kCmdUndo, "元に戻す(&U)", {QKeySequence(Qt::CTRL | Qt::Key_Z)}),
          item(
              kCmdRedo, "やり直し(&Y)",
              {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}),
          separator(), item(kCmdCopy, "ｺﾋﾟｰ(&C)"), item(kCmdPaste, "貼り付け(&P)"),
          item(kCmdDelete, "削除(&Del)"), separator(), item(kCmdCopySettings, "設定をｺﾋﾟｰ(&T)"),
          item(kCmdPasteSettings, "設定を貼り付け(&V)"), item(kCmdDuplicate, "複製を作る(&W)"),
          separator(), item(kCmdDeleteAll, "全て削除")}},
        {QStringLiteral("ﾏｯﾌﾟ(&M)"),
         QStringLiteral("mapMenu"),
         {item(kCmdRouteMode, "経路設定(&O)", {}, true), item(kCmdRouteClear, "経路ｸﾘｱ(&R)"),
          separator(), item(kCmdSnapToGrid, "グリッドに合せる", {}, true),
          item(kCmdMapLock, "ﾏｽの移動不可", {}, true)}},
        {QStringLiteral("挿入(&I)"),
         QStringLiteral("insertMenu"),
         {item(kCmdAddSquare, "ﾏｽ追加(&M)"), item(kCmdAddStartSquare, "ｽﾀｰﾄﾏｽ追加(&S)"),
          item(kCmdAddGoalSquare, "ｺﾞｰﾙﾏｽ追加(&G)"), item(kCmdAddRetireSquare, "ﾘﾀｲﾔﾏｽ追加(&R)"),
          separator(), item(kCmdAddImage, "ｲﾒｰｼﾞ追加(&I)"), item(kCmdAddSound, "ｻｳﾝﾄﾞ追加(&K)"),
          separator(), item(kCmdAddImageFromFile, "ﾌｧｲﾙからｲﾒｰｼﾞを追加(&B)"),
          item(kCmdAddSoundFromFile, "ﾌｧｲﾙからｻｳﾝﾄﾞを追加(&W)")}},
        {QStringLiteral("ﾋﾞﾙﾄﾞ(&B)"),
         QStringLiteral("buildMenu"),
         {item(kCmdBuild, "ﾋﾞﾙﾄﾞ(&B)..."), item(kCmdAnalyze, "ゲームの解析(&A)..."), separator(),
          item(kCmdRun, "実行(&R)", {QKeySequence(Qt::Key_F5)}), item(kCmdStopRun, "実行中止(&E)"),
          separator(), item(kCmdDebug, "ﾃﾞﾊﾞｯｸ(&R)"), item(kCmdStopDebug, "ﾃﾞﾊﾞｯｸ中止(&S)"),
          separator(), item(kCmdSquareDebug, "ﾏｽのﾃﾞﾊﾞｯｸ(&M)"),
          item(kCmdStopSquareDebug, "ﾏｽのﾃﾞﾊﾞｯｸ中止(&N)")}},
        {QStringLiteral("ﾍﾙﾌﾟ(&H)"),
         QStringLiteral("helpMenu"),
         {item(kCmdHelp, "ﾍﾙﾌﾟ", {QKeySequence(Qt::Key_F1)}),
          item(kCmdSampleGame, "サンプル雙六(&S)"), separator(),
          item(kCmdAbout, "盤面工房のﾊﾞｰｼﾞｮﾝ情報(&A)"),
          item(kCmdWelcome, "ようこそ盤面工房へ(&W)...")}},
    };
}

std::vector<MenuItemSpec> buildContextMenu() {
    return {item(kCmdContextRouteAdd, "経路追加(&A)"),
            item(kCmdContextRouteDelete, "経路削除(&S)"),
            item(kCmdContextRouteMode, "経路設定(&O)"),
            separator(),
            item(kCmdContextCopy, "ｺﾋﾟｰ(&C)"),
            item(kCmdContextPaste, "貼り付け(&P)"),
            item(kCmdContextDelete, "削除(&D)"),
            separator(),
            item(kCmdContextCopySettings, "設定をｺﾋﾟｰ(&T)"),
            item(kCmdContextPasteSettings, "設定を貼り付け(&V)"),
            separator(),
            item(kCmdContextNew, "新規作成(&N)"),
            item(kCmdContextDuplicate, "複製を作る(&W)"),
            separator(),
            item(kCmdContextSquareDebug, "ﾏｽのﾃﾞﾊﾞｯｸ(&M)"),
            item(kCmdMapLock, "ﾏｽの移動不可", {}, true)};
}

}  // namespace

const std::vector<MenuSpec>& mainMenuSpec() {
    static const std::vector<MenuSpec> spec = buildMainMenu();
    return spec;
}

const std::vector<MenuItemSpec>& contextMenuSpec() {
    static const std::vector<MenuItemSpec> spec = buildContextMenu();
    return spec;
}

QString resourceCaption(int id) {
    for (const MenuSpec& menu : mainMenuSpec()) {
        for (const MenuItemSpec& entry : menu.items) {
            if (entry.id == id && id != 0) {
                return entry.caption;
            }
        }
    }
    for (const MenuItemSpec& entry : contextMenuSpec()) {
        if (entry.id == id && id != 0) {
            return entry.caption;
        }
    }
    return {};
}

}  // namespace banmen
