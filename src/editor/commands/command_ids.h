#pragma once
// The editor's command ids: the main menu, the map's context menu and the
// commands the window sends itself. The run commands' ids are in
// window/run_menu.h.

namespace banmen {

// File
constexpr int kCmdNewWorkspace = 32771;
constexpr int kCmdOpenWorkspace = 32772;
constexpr int kCmdSaveWorkspace = 32773;
constexpr int kCmdCloseWorkspace = 32774;
constexpr int kCmdSaveWorkspaceAs = 32776;
constexpr int kCmdRecentFirst = 1000;  // 1000..1004: the recent workspaces
constexpr int kCmdRecentLast = 1004;
constexpr int kCmdRecentSeparator = 1100;
constexpr int kCmdExit = 32777;

// Edit. Undo and redo have no ids of their own in the menu resource; these
// are outside every id the menus use.
constexpr int kCmdUndo = 40001;
constexpr int kCmdRedo = 40002;
constexpr int kCmdCopy = 32786;
constexpr int kCmdPaste = 32785;
constexpr int kCmdDelete = 32779;
constexpr int kCmdCopySettings = 32822;
constexpr int kCmdPasteSettings = 32818;
constexpr int kCmdDuplicate = 32819;
constexpr int kCmdDeleteAll = 32784;

// Map
constexpr int kCmdRouteMode = 32782;
constexpr int kCmdRouteClear = 32783;
constexpr int kCmdSnapToGrid = 32834;
constexpr int kCmdMapLock = 32831;

// Insert
constexpr int kCmdAddSquare = 32794;
constexpr int kCmdAddStartSquare = 32798;
constexpr int kCmdAddGoalSquare = 32797;
constexpr int kCmdAddRetireSquare = 32817;
constexpr int kCmdAddImage = 32800;
constexpr int kCmdAddSound = 32801;
constexpr int kCmdAddImageFromFile = 32832;
constexpr int kCmdAddSoundFromFile = 32833;

// Build (besides the run commands)
constexpr int kCmdBuild = 32802;
constexpr int kCmdAnalyze = 32840;

// Help
constexpr int kCmdHelp = 32780;
constexpr int kCmdSampleGame = 32835;
constexpr int kCmdAbout = 32781;
constexpr int kCmdWelcome = 32836;

// The map's context menu
constexpr int kCmdContextRouteAdd = 32788;
constexpr int kCmdContextRouteDelete = 32793;
constexpr int kCmdContextRouteMode = 32792;
constexpr int kCmdContextCopy = 32791;
constexpr int kCmdContextPaste = 32789;
constexpr int kCmdContextDelete = 32790;
constexpr int kCmdContextCopySettings = 32823;
constexpr int kCmdContextPasteSettings = 32820;
constexpr int kCmdContextNew = 32787;
constexpr int kCmdContextDuplicate = 32821;
constexpr int kCmdContextSquareDebug = 32829;
// The context menu's lock item is the main menu's kCmdMapLock.

// Sent by the record when names changed: the selector follows.
constexpr int kCmdRefreshCaptions = 10000;

}  // namespace banmen
