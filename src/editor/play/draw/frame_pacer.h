#pragma once
// What an animation needs from its screen between two frames: the frame
// shown and a wait, and the game's random numbers.

namespace banmen::play {

class FramePacer {
  public:
    virtual ~FramePacer() = default;
    // Shows what changed and waits `ms`. False when the animation must end:
    // the play window went away, the application quits, or (when
    // `stoppable`) the stop was requested.
    virtual bool frame(int ms, bool stoppable = true) = 0;
    // One number from the game's random source (never negative).
    virtual int random() = 0;
};

}  // namespace banmen::play
