#pragma once
// Game records full of nonsense, as a hand-edited or hostile file may hold
// them: references out of range or to free slots, unknown kinds, codes and
// conditions, player counts outside 1..4, texts without their NUL, extreme
// coordinates and values. Deterministic for a seed. Images 0..3 are in use
// and name the file kHostileImageFile.

#include <cstdint>
#include <memory>

#include "model/game_record.h"

namespace banmen::test {

constexpr const char* kHostileImageFile = "hostile.bmp";

std::unique_ptr<GameRecord> hostileRecord(std::uint32_t seed);

}  // namespace banmen::test
