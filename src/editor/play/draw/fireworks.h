#pragma once
// The firework rockets of a celebration, in the side area. A rocket rises
// from (860 + r mod 58, 521 + r mod 50) to y = 351 - r mod 30 in frames of
// 30 ms, with one or two colours (by the parity of a random number) from a
// table of 31 colour sets, bursts into a ring of sparks that spreads, falls
// and fades, and stays for 300 ms. The finale always rises from (889, 651)
// to (889, 291) with fixed colours.

#include <array>

#include "editor/play/draw/frame_pacer.h"
#include "editor/play/draw/play_frame.h"

namespace banmen::play {

constexpr int kColourSetCount = 31;
constexpr int kRocketFrameMs = 30;
constexpr int kRocketHoldMs = 300;

// A colour set: the spark's colour as it bursts, as it spreads, and as it
// fades.
struct ColourSet {
    Colour bright;
    Colour middle;
    Colour faint;
};
const std::array<ColourSet, kColourSetCount>& colourSets();

struct Rocket {
    Point start;
    int top = 0;
    int firstColour = 0;   // colour set indices
    int secondColour = 0;  // the same as the first for a one-coloured rocket
};

// Draws the numbers in the order: x, y, top, parity, first colour, (second).
Rocket randomRocket(FramePacer& pacer);
Rocket finaleRocket();

// The rise, then the burst with its hold; each false when a frame was
// aborted. The side area is restored either way.
bool riseRocket(PlayFrame& frame, FramePacer& pacer, const Rocket& rocket);
bool burstRocket(PlayFrame& frame, FramePacer& pacer, const Rocket& rocket);

}  // namespace banmen::play
