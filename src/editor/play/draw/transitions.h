#pragma once
// How a square's supplementary picture comes onto the board (W x H, centred
// on the board):
// - curtains: 50 steps of 5 ms; step j copies a strip W div 100 + 1 wide at
//   j strips from the left edge and one at 99 - j strips, so the picture
//   closes in from both sides;
// - dissolve: a grid of 10 x 10 cells (W div 10 + 1 by H div 10 + 1) copied
//   in an order shuffled by 1000 random swaps, 5 ms apart.
// Afterwards the picture is part of the board. False when a step was aborted
// (the picture then stays as far as it came, and is not on the board).

#include <array>

#include "editor/play/draw/frame_pacer.h"
#include "editor/play/draw/play_frame.h"

namespace banmen::play {

constexpr int kTransitionStepMs = 5;

bool curtains(PlayFrame& frame, FramePacer& pacer);

// The order in which the dissolve copies its cells.
std::array<int, 100> dissolveOrder(FramePacer& pacer);
bool dissolve(PlayFrame& frame, FramePacer& pacer);

}  // namespace banmen::play
