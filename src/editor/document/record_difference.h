#pragma once
// What an edit changed, told with the change notification so that views
// refresh only what they show: the map for squares, players and images,
// the object selector when an object's name (and so its caption or whether
// its slot is in use) changed.

#include <array>

#include "model/game_record.h"
#include "model/object_kind.h"

namespace banmen {

struct RecordDifference {
    std::array<bool, 8> kinds{};  // by ObjectKind number; [0] unused
    bool names = false;           // some object's name changed
    bool headerText = false;      // the build's file name (outside every object)

    bool touches(ObjectKind kind) const { return kinds[static_cast<std::size_t>(kind)]; }
    bool any() const;
};

RecordDifference differenceBetween(const GameRecord& before, const GameRecord& after);

}  // namespace banmen
