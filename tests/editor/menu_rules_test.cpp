// The menu rules: captions, enable states and checks for each selected kind,
// during each kind of run, and the context menu's rules.

#include <gtest/gtest.h>

#include "editor/commands/command_ids.h"
#include "editor/document/object_captions.h"
#include "editor/window/menu_rules.h"
#include "editor/window/menu_table.h"
#include "editor/window/recent_workspaces.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

MenuContext idle(ObjectKind kind) {
    MenuContext context;
    context.kind = kind;
    return context;
}

bool enabled(int id, const MenuContext& context) {
    return mainMenuItemState(id, context).enabled;
}

QString caption(int id, const MenuContext& context) {
    const MenuItemState state = mainMenuItemState(id, context);
    return state.caption.isEmpty() ? resourceCaption(id) : state.caption;
}

TEST(MenuRules, EditItemsFollowTheSelectedKind) {
    MenuContext image = idle(ObjectKind::Image);
    EXPECT_FALSE(enabled(kCmdCopy, image));
    EXPECT_FALSE(enabled(kCmdPaste, image));
    EXPECT_TRUE(enabled(kCmdCopySettings, image));
    EXPECT_TRUE(enabled(kCmdDuplicate, image));
    EXPECT_EQ(caption(kCmdDelete, image), QStringLiteral("ｲﾒｰｼﾞを削除(&Del)"));
    EXPECT_EQ(caption(kCmdDeleteAll, image), QStringLiteral("ｲﾒｰｼﾞを全て削除"));
    EXPECT_FALSE(enabled(kCmdPasteSettings, image));
    image.slotFull[static_cast<std::size_t>(ObjectKind::Image)] = true;
    EXPECT_TRUE(enabled(kCmdPasteSettings, image));

    EXPECT_FALSE(enabled(kCmdDuplicate, idle(ObjectKind::Sound)));
    EXPECT_EQ(caption(kCmdDelete, idle(ObjectKind::Sound)), QStringLiteral("ｻｳﾝﾄﾞを削除(&Del)"));

    MenuContext square = idle(ObjectKind::Square);
    EXPECT_EQ(caption(kCmdCopy, square), QStringLiteral("ﾏｽをｺﾋﾟｰ(&C)"));
    EXPECT_TRUE(enabled(kCmdCopy, square));
    EXPECT_FALSE(enabled(kCmdPaste, square));
    square.slotFull[static_cast<std::size_t>(ObjectKind::Square)] = true;
    EXPECT_TRUE(enabled(kCmdPaste, square));
    EXPECT_TRUE(enabled(kCmdRouteMode, square));
    EXPECT_TRUE(enabled(kCmdSquareDebug, square));

    const MenuContext game = idle(ObjectKind::Game);
    EXPECT_FALSE(enabled(kCmdCopySettings, game));
    EXPECT_FALSE(enabled(kCmdDelete, game));
    EXPECT_EQ(caption(kCmdDelete, game), QStringLiteral("削除(&Del)"));
    EXPECT_FALSE(enabled(kCmdRouteMode, game));
    EXPECT_FALSE(enabled(kCmdSquareDebug, game));
    EXPECT_FALSE(enabled(kCmdPasteSettings, idle(ObjectKind::Player)));
}

TEST(MenuRules, DuringARunEditingIsOffAndTheRunItemsFollowTheRun) {
    MenuContext test = idle(ObjectKind::Square);
    test.run = RunState::TestRun;
    test.routeMode = true;
    test.mapLocked = true;
    test.canUndo = true;
    for (int id :
         {kCmdCopy, kCmdPaste, kCmdDelete, kCmdCopySettings, kCmdDuplicate, kCmdDeleteAll,
          kCmdRouteMode, kCmdRouteClear, kCmdNewWorkspace, kCmdOpenWorkspace, kCmdSaveWorkspace,
          kCmdAddSquare, kCmdAddSoundFromFile, kCmdBuild, kCmdUndo, kCmdMapLock, kCmdSnapToGrid}) {
        EXPECT_FALSE(enabled(id, test)) << id;
    }
    EXPECT_EQ(caption(kCmdCopy, test), QStringLiteral("ｺﾋﾟｰ(&C)"));
    EXPECT_FALSE(mainMenuItemState(kCmdRouteMode, test).checked);
    EXPECT_TRUE(mainMenuItemState(kCmdMapLock, test).checked) << "keeps its check, disabled";
    EXPECT_TRUE(enabled(kCmdExit, test));
    EXPECT_TRUE(enabled(kCmdHelp, test));

    EXPECT_EQ(caption(kCmdRun, test), QStringLiteral("再実行(&S)"));
    EXPECT_TRUE(enabled(kCmdStopRun, test));
    EXPECT_FALSE(enabled(kCmdDebug, test));
    MenuContext debug = test;
    debug.run = RunState::DebugRun;
    EXPECT_EQ(caption(kCmdRun, debug), QStringLiteral("実行(&S)"));
    EXPECT_FALSE(enabled(kCmdRun, debug));
    EXPECT_EQ(caption(kCmdDebug, debug), QStringLiteral("ﾃﾞﾊﾞｯｸ再実行(&R)"));
    MenuContext square = test;
    square.run = RunState::SquareDebugRun;
    EXPECT_EQ(caption(kCmdSquareDebug, square), QStringLiteral("ﾏｽのﾃﾞﾊﾞｯｸ再実行(&M)"));
    EXPECT_TRUE(enabled(kCmdStopSquareDebug, square));
    EXPECT_FALSE(enabled(kCmdStopRun, square));
}

TEST(MenuRules, UndoCaptionsNameTheStep) {
    MenuContext context = idle(ObjectKind::Game);
    EXPECT_EQ(caption(kCmdUndo, context), QStringLiteral("元に戻す(&U)"));
    EXPECT_FALSE(enabled(kCmdUndo, context));
    context.canUndo = true;
    context.undoCaption = QStringLiteral("マス12の移動");
    context.canRedo = true;
    context.redoCaption = QStringLiteral("イメージ3の削除");
    EXPECT_EQ(caption(kCmdUndo, context), QStringLiteral("元に戻す: マス12の移動"));
    EXPECT_EQ(caption(kCmdRedo, context), QStringLiteral("やり直し: イメージ3の削除"));
}

TEST(MenuRules, ContextMenuOnASquareAnEmptySpotAndARoute) {
    ContextMenuContext empty;
    empty.squareSlotFull = true;
    EXPECT_TRUE(contextMenuItemState(kCmdContextNew, empty).enabled);
    EXPECT_TRUE(contextMenuItemState(kCmdContextPaste, empty).enabled);
    EXPECT_FALSE(contextMenuItemState(kCmdContextPasteSettings, empty).enabled);
    EXPECT_FALSE(contextMenuItemState(kCmdContextCopy, empty).enabled);
    EXPECT_FALSE(contextMenuItemState(kCmdContextRouteDelete, empty).enabled);
    ContextMenuContext square{true, true, false, true};
    EXPECT_FALSE(contextMenuItemState(kCmdContextNew, square).enabled);
    EXPECT_FALSE(contextMenuItemState(kCmdContextPasteSettings, square).enabled);
    EXPECT_TRUE(contextMenuItemState(kCmdContextSquareDebug, square).enabled);
    EXPECT_TRUE(contextMenuItemState(kCmdContextRouteDelete, square).enabled);
    EXPECT_TRUE(contextMenuItemState(kCmdMapLock, square).checked);
}

TEST(RecentWorkspaces, ANewPathGoesOnTopAndAKnownOneMovesThere) {
    const RecentWorkspaces five{"A", "B", "C", "D", "E"};
    EXPECT_EQ(withRecentPath(five, "C"), (RecentWorkspaces{"C", "A", "B", "D", "E"}));
    EXPECT_EQ(withRecentPath(five, "F"), (RecentWorkspaces{"F", "A", "B", "C", "D"}));
    EXPECT_EQ(withRecentPath({"A", "", "", "", ""}, "A"), (RecentWorkspaces{"A", "", "", "", ""}));
    EXPECT_EQ(recentItemText("/home/u/MyProjects/すごろく/すごろく.sgw"),
              QStringLiteral("すごろく"));
}

TEST(ObjectCaptions, SelectorOrderNamesAndMatching) {
    GameRecord record = test::defaultRecord();
    record.settings.playerCount = 2;
    const std::vector<CaptionEntry> entries = allObjectCaptions(record);
    ASSERT_GE(entries.size(), 11u);
    EXPECT_EQ(entries[0].caption, QStringLiteral("ゲーム全般"));
    EXPECT_TRUE(entries[1].caption.startsWith(QStringLiteral("プレイヤー１")));
    EXPECT_TRUE(entries[3].caption.startsWith(QStringLiteral("プレイヤーデータ１")));
    EXPECT_TRUE(entries[8].caption.startsWith(QStringLiteral("プレイヤー状態１")));
    record.states[0].name[0] = 0;
    EXPECT_EQ(objectCaption(record, {ObjectKind::PlayerState, 0}),
              QStringLiteral("プレイヤー状態１"));
    EXPECT_EQ(objectCaption(record, {ObjectKind::Player, 2}), QString()) << "beyond the count";
    record.settings.playerCount = 9;  // out of range: never more than four
    EXPECT_EQ(listedPlayerCount(record), 4);
    const auto found = findCaption(record, entries[1].caption);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, (Selection{ObjectKind::Player, 0}));
    EXPECT_FALSE(findCaption(record, QStringLiteral("マス999")).has_value());
}

}  // namespace
}  // namespace banmen
