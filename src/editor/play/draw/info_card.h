#pragma once
// A player's information window, drawn off screen: 210 x (10 x lines + 44)
// on the light window colour inside the frame picture 4002; the piece (20 x
// 20) and the name (blue, size 90) at the top, then from y = 24 one line
// every 10 pixels per displayed state (its name in dark green, then the
// player's text; the text alone when the state has no name) and, 3 pixels
// further down, per named and displayed data item ("%d%s"), all size 80.

#include "editor/play/draw/play_frame.h"

namespace banmen::play {

int infoCardHeight(const GameRecord& record, int player);

// Makes `card` the player's information window.
void drawInfoCard(DibBitmap& card, PlayFrame& frame, int player);

}  // namespace banmen::play
