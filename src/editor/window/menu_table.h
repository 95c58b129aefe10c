#pragma once
// The main menu and the map's context menu as data: which items each menu
// holds, in order, with their resource captions and the desktop shortcuts
// beside the mnemonics. The window builds its menus from these tables; the
// rules that caption, enable and check the items are in menu_rules.h.

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

namespace banmen {

struct MenuItemSpec {
    int id = 0;  // 0: a separator
    QString caption;
    QList<QKeySequence> shortcuts;
    bool checkable = false;
};

struct MenuSpec {
    QString title;
    QString objectName;
    std::vector<MenuItemSpec> items;
};

// "ﾌｧｲﾙ(&F)", "編集(&E)", "ﾏｯﾌﾟ(&M)", "挿入(&I)", "ﾋﾞﾙﾄﾞ(&B)", "ﾍﾙﾌﾟ(&H)". The
// File menu's recent workspaces are inserted before "終了(&Q)" at run time.
const std::vector<MenuSpec>& mainMenuSpec();
// The map's context menu.
const std::vector<MenuItemSpec>& contextMenuSpec();
// The caption a table gives an id, or an empty text.
QString resourceCaption(int id);

}  // namespace banmen
