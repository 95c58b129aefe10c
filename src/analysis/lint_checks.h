#pragma once
// The linter's checks, one group per file, and the captions its messages
// name objects by. Each check appends its findings in index order.

#include <string>
#include <vector>

#include "analysis/finding.h"
#include "analysis/game_media.h"
#include "model/game_record.h"

namespace banmen::lint {

// noStart, noGoal, unreachable, deadEnd, jumpLoop, noDescription.
void checkBoard(const GameRecord& record, std::vector<Finding>& out);
// freeReference.
void checkReferences(const GameRecord& record, std::vector<Finding>& out);
// missingMedia, badPicture.
void checkMedia(const GameRecord& record, const GameMedia& media, std::vector<Finding>& out);

// The players taking part: `playerCount` kept within 1..4.
int playersInGame(const GameRecord& record);

// Objects as the editor lists them, Shift-JIS: "マス%d [%s]", "プレイヤー%s [%s]",
// "イメージ%d [%s]", "サウンド%d [%s]" (numbers from 1, a player's as a
// full-width digit; without the brackets when the name is empty).
std::string squareCaption(const GameRecord& record, int square);
std::string playerCaption(const GameRecord& record, int player);
std::string imageCaption(const GameRecord& record, int image);
std::string soundCaption(const GameRecord& record, int sound);

}  // namespace banmen::lint
