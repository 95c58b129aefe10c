#pragma once
// The editor state that the object list operations keep beside the record:
// the route-setting mode and where the next automatic placement starts. It is
// not part of the record and is never stored.

#include <array>
#include <cstdint>

#include "model/game_record.h"

namespace banmen {

struct BoardPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const BoardPoint&, const BoardPoint&) = default;
};

struct EditState {
    // First place FindFreePlace tries, and where it starts again after a reset.
    static constexpr BoardPoint kPlaceStart{100, 100};

    bool routeMode = false;
    // The number each square was given in route mode; -1 for none yet.
    std::array<std::int32_t, kSquareCount> routeOrder{};
    std::int32_t routeCounter = 0;  // the next number to hand out
    std::int32_t routeLast = -1;    // the square numbered last
    BoardPoint placeCursor = kPlaceStart;

    EditState() { routeOrder.fill(-1); }
};

}  // namespace banmen
