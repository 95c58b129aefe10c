#pragma once
// Boards for the analysis tests: a clean straight race to build faults into.

#include <cstring>

#include "engine/game_builder.h"

namespace banmen::test {

// Squares 0 (start) .. last (goal) in a line, each with a description,
// `players` players on square 0, no images and no sounds.
inline void cleanLine(GameBuilder& b, int last, int players) {
    b.line(0, last);
    for (int s = 0; s <= last; ++s) {
        putText(b.r().squares[s].description, kNameMax, "説明");
    }
    b.players(players);
    std::memset(b.r().images, 0, sizeof b.r().images);
    std::memset(b.r().sounds, 0, sizeof b.r().sounds);
    b.r().settings.gamePicture = b.r().settings.helpPicture = b.r().settings.music = -1;
}

}  // namespace banmen::test
