#include "editor/window/menu_rules.h"

#include "editor/commands/command_ids.h"

namespace banmen {
namespace {

struct EditCaptions {
    const char* copy;
    const char* paste;
    const char* remove;
    const char* removeAll;
};

EditCaptions editCaptions(ObjectKind kind, bool running) {
    if (!running) {
        switch (kind) {
            case ObjectKind::Square:
                return {"ﾏｽをｺﾋﾟｰ(&C)", "ﾏｽを貼り付け(&P)", "ﾏｽを削除(&Del)", "ﾏｽを全て削除"};
            case ObjectKind::Image:
                return {"ｺﾋﾟｰ(&C)", "貼り付け(&P)", "ｲﾒｰｼﾞを削除(&Del)", "ｲﾒｰｼﾞを全て削除"};
            case ObjectKind::Sound:
                return {"ｺﾋﾟｰ(&C)", "貼り付け(&P)", "ｻｳﾝﾄﾞを削除(&Del)", "ｻｳﾝﾄﾞを全て削除"};
            default:
                break;
        }
    }
    return {"ｺﾋﾟｰ(&C)", "貼り付け(&P)", "削除(&Del)", "全て削除"};
}

bool isListed(ObjectKind kind) {
    return kind == ObjectKind::Square || kind == ObjectKind::Image || kind == ObjectKind::Sound;
}

MenuItemState state(bool enabled, bool checked = false, QString caption = {}) {
    return {std::move(caption), enabled, checked};
}

}  // namespace

MenuItemState mainMenuItemState(int id, const MenuContext& c) {
    const bool idle = c.run == RunState::Idle;
    const bool square = c.kind == ObjectKind::Square;
    const EditCaptions captions = editCaptions(c.kind, !idle);
    if (id >= kCmdRecentFirst && id <= kCmdRecentLast) {
        return state(idle);
    }
    switch (id) {
        case kCmdUndo:
            return state(idle && c.canUndo, false,
                         idle && c.canUndo ? QStringLiteral("元に戻す: ") + c.undoCaption
                                           : QStringLiteral("元に戻す(&U)"));
        case kCmdRedo:
            return state(idle && c.canRedo, false,
                         idle && c.canRedo ? QStringLiteral("やり直し: ") + c.redoCaption
                                           : QStringLiteral("やり直し(&Y)"));
        case kCmdCopy:
            return state(idle && square, false, QString::fromUtf8(captions.copy));
        case kCmdPaste:
            return state(idle && square && c.full(ObjectKind::Square), false,
                         QString::fromUtf8(captions.paste));
        case kCmdDelete:
            return state(idle && isListed(c.kind), false, QString::fromUtf8(captions.remove));
        case kCmdDeleteAll:
            return state(idle && isListed(c.kind), false, QString::fromUtf8(captions.removeAll));
        case kCmdCopySettings:
            return state(idle && c.kind != ObjectKind::Game);
        case kCmdPasteSettings:
            return state(idle && c.kind != ObjectKind::Game && c.full(c.kind));
        case kCmdDuplicate:
            return state(idle && (square || c.kind == ObjectKind::Image));
        case kCmdRouteMode:
            return state(idle && square, idle && c.routeMode);
        case kCmdSnapToGrid:
            return state(idle, c.snapToGrid);
        case kCmdMapLock:
            return state(idle, c.mapLocked);
        case kCmdRun:
        case kCmdStopRun:
        case kCmdDebug:
        case kCmdStopDebug:
        case kCmdSquareDebug:
        case kCmdStopSquareDebug:
            for (const RunMenuItem& item : runMenuItems(c.run, square)) {
                if (item.id == id) {
                    return state(item.enabled, false, item.caption);
                }
            }
            return state(false);
        case kCmdNewWorkspace:
        case kCmdOpenWorkspace:
        case kCmdSaveWorkspace:
        case kCmdCloseWorkspace:
        case kCmdSaveWorkspaceAs:
        case kCmdRouteClear:
        case kCmdAddSquare:
        case kCmdAddStartSquare:
        case kCmdAddGoalSquare:
        case kCmdAddRetireSquare:
        case kCmdAddImage:
        case kCmdAddSound:
        case kCmdAddImageFromFile:
        case kCmdAddSoundFromFile:
        case kCmdBuild:
        case kCmdAnalyze:
            return state(idle);
        default:
            // Exit and the Help menu stay available during a run.
            return state(true);
    }
}

MenuItemState contextMenuItemState(int id, const ContextMenuContext& c) {
    switch (id) {
        case kCmdContextRouteDelete:
            return state(c.onRoute);
        case kCmdContextNew:
            return state(!c.onSquare);
        case kCmdContextPaste:
            return state(!c.onSquare && c.squareSlotFull);
        case kCmdContextPasteSettings:
            return state(c.onSquare && c.squareSlotFull);
        case kCmdContextCopy:
        case kCmdContextCopySettings:
        case kCmdContextDelete:
        case kCmdContextDuplicate:
        case kCmdContextRouteMode:
        case kCmdContextRouteAdd:
        case kCmdContextSquareDebug:
            return state(c.onSquare);
        case kCmdMapLock:
            return state(true, c.mapLocked);
        default:
            return state(true);
    }
}

}  // namespace banmen
