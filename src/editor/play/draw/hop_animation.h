#pragma once
// The hop of a piece from one place to another (JumpTo): a straight line
// with a lift. d is the distance in pixels; the hop is d / 3 high (1 to
// 100); there are floor(d) div 8 frames (at most 24), each 400 / frames ms
// (at least 30). No frames (d < 8): the piece is placed at once. Frame i
// moves the piece i / frames of the way and lifts it by the full height in
// the middle of the way, and within `height` of either end by height * sin
// of the angle whose cosine is (height - distance from that end) / height;
// the piece also leans left by a tenth of its lift.

#include "editor/play/draw/frame_pacer.h"
#include "editor/play/draw/play_frame.h"

namespace banmen::play {

struct HopPlan {
    Point from;
    Point to;
    double distance = 0;
    double height = 0;
    int frames = 0;
    int delayMs = 0;

    // The piece's top-left corner in frame i (1 .. frames).
    Point at(int frame) const;
    // The lift in frame i.
    double lift(int frame) const;
};

HopPlan planHop(Point from, Point to);

// Animates the player's piece from `from` to `to` (top-left corners);
// false when a frame was aborted (the piece is drawn back where it stood).
bool animateHop(PlayFrame& frame, FramePacer& pacer, int player, Point from, Point to);

}  // namespace banmen::play
