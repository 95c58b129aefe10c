#pragma once
// The captions by which the editor lists and names objects: "ゲーム全般",
// "プレイヤー１ [name]", "マス12 [name]" and so on. Numbers are 1-based;
// players, player states and player data use the full-width digits. The
// bracketed name is there exactly when the name is not empty.

#include <QString>
#include <optional>
#include <vector>

#include "editor/document/selection.h"
#include "model/game_record.h"

namespace banmen {

// The caption without the name ("マス12", "プレイヤー１"); also the words undo
// captions are made of.
QString objectLabel(Selection object);
// The caption with the name, as the object selector shows it. Empty for an
// object that does not exist (a free slot, an index out of range).
QString objectCaption(const GameRecord& record, Selection object);

// The players listed: the game's player count, kept within 1..4.
int listedPlayerCount(const GameRecord& record);

struct CaptionEntry {
    Selection object;
    QString caption;
};
// Every object in the selector's order: the game, the players, the five
// player data items, the three player states, then the squares, images and
// sounds in use in slot order.
std::vector<CaptionEntry> allObjectCaptions(const GameRecord& record);

// The object a caption names, or nothing.
std::optional<Selection> findCaption(const GameRecord& record, const QString& caption);

}  // namespace banmen
