#pragma once
// The sound a square gets when its kind changes: a square that plays the
// default sound of its old kind ("普通サウンド" .. "リタイヤサウンド", found
// by name) takes the new kind's default sound instead; any other sound
// stays.

#include <cstdint>
#include <optional>

#include "model/game_record.h"

namespace banmen {

// The new sound index, or nothing when the sound stays: the square's sound
// is not the old kind's default, or the game has no sound of the new kind's
// name (the new kind's own slot, kind + 3, is looked at first).
std::optional<std::int32_t> soundAfterKindChange(const GameRecord& record, int square,
                                                 std::int32_t oldKind, std::int32_t newKind);

}  // namespace banmen
