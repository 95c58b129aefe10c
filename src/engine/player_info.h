#pragma once
// What the player panels, the information windows and the result sheets show
// of a player: its displayed states and data items, in Shift-JIS.

#include <string>
#include <vector>

#include "model/game_record.h"

namespace banmen {

struct InfoLine {
    bool isState = false;
    std::string label;  // the state's or item's name; may be empty for a state
    std::string value;  // the state text, or "%d%s" (value, unit)
};

// Every state whose `visible` flag is set, then every data item that has a
// name and is visible, in index order.
std::vector<InfoLine> PlayerInfoLines(const GameRecord& record, int player);

// The player panel: the first visible state, and the first visible data item
// when it has a name (a nameless first visible item shows nothing).
struct PanelSummary {
    bool hasState = false;
    InfoLine state;
    bool hasData = false;
    InfoLine data;
};
PanelSummary PlayerPanelSummary(const GameRecord& record, int player);

// The number of items a result sheet shows: visible states plus named,
// visible data items.
int resultItemCount(const GameRecord& record);

// A player's result sheet: "%-8s　%s" per state ("%s" for a nameless one),
// "%-8s　%d%s" per data item, lines joined by "\r\n".
std::string ResultSheetText(const GameRecord& record, int player);

// "%d%s": a value and its unit.
std::string valueWithUnit(std::int32_t value, const PlayerDataDef& item);

}  // namespace banmen
