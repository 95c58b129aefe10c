#pragma once
// The ways a piece gets from square to square, as the engine moves it: the
// next squares and the die-face jumps of a square it throws on (neither out
// of a goal or retire square, where a piece's race ends), the pass jump of a
// square it steps onto and the arrival jump of a square it stops on. Only
// squares in use take part; a link to a free slot is no link.

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

#include "model/game_record.h"

namespace banmen {

using SquareSet = std::bitset<kSquareCount>;

class RouteGraph {
  public:
    explicit RouteGraph(const GameRecord& record);

    // The squares a piece standing on one of the roots can reach, the roots
    // (those in use) included.
    SquareSet reachableFrom(std::span<const std::int32_t> roots) const;

    // Every circle of arrival jumps once, as the squares in jump order from
    // its lowest square; circles ordered by that square. A square whose
    // arrival jump leads to itself is a circle of one.
    std::vector<std::vector<std::int32_t>> arrivalLoops() const;

  private:
    const GameRecord& record_;
    std::array<std::vector<std::int32_t>, kSquareCount> links_;
};

}  // namespace banmen
