#pragma once
// The rules that caption, enable and check the menu items, as plain
// functions of what the editor is doing, so they can be checked without a
// window. The window applies them after every command that changes the
// selection, the clipboard, the run state, the lock, the grid or the
// workspace.

#include <QString>
#include <array>

#include "editor/window/run_menu.h"
#include "model/object_kind.h"

namespace banmen {

struct MenuContext {
    ObjectKind kind = ObjectKind::Game;  // the selected object's kind
    RunState run = RunState::Idle;
    std::array<bool, 8> slotFull{};  // clipboard slot per ObjectKind number
    bool routeMode = false;
    bool mapLocked = false;
    bool snapToGrid = true;
    bool canUndo = false;
    bool canRedo = false;
    QString undoCaption;  // the step's own words ("マス12の移動")
    QString redoCaption;

    bool full(ObjectKind k) const { return slotFull[static_cast<std::size_t>(k)]; }
};

struct MenuItemState {
    QString caption;  // empty: the resource caption stays
    bool enabled = true;
    bool checked = false;
};

// The state of a main menu item; the recent workspaces are enabled exactly
// while idle.
MenuItemState mainMenuItemState(int id, const MenuContext& context);

struct ContextMenuContext {
    bool onSquare = false;  // a square under the pointer
    bool onRoute = false;   // a route line under the pointer
    bool squareSlotFull = false;
    bool mapLocked = false;
};

MenuItemState contextMenuItemState(int id, const ContextMenuContext& context);

}  // namespace banmen
