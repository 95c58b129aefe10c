#pragma once
// The seven kinds of editable object; the same numbers are the kinds of the
// field descriptors.

#include <cstdint>

namespace banmen {

enum class ObjectKind : std::int32_t {
    Game = 1,
    Player = 2,
    PlayerState = 3,
    PlayerData = 4,
    Square = 5,
    Image = 6,
    Sound = 7,
};

constexpr std::int32_t toInt(ObjectKind kind) {
    return static_cast<std::int32_t>(kind);
}

// Number of objects of a kind in the record (1 for the game settings).
int objectCount(ObjectKind kind);

}  // namespace banmen
