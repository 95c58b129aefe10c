#pragma once
// The dice tumbling in the board's middle (RollDice): frames of 10 ms; each
// frame turns every die's angle on by 15 until the frame counter reaches
// 1080 (72 frames). The dice start at the angles 0, -45 and -135, so the
// second and third come later; a die is not shown while its angle is below
// 0. Whenever a die's angle passes 179 it starts again at 0 in its next
// stage; it shows a new face every frame in its first stage, every second
// frame in the second and every third in the third, bounces lower at each
// stage, and after the third stage shows its final face. Each die's place
// and spin are drawn from the random source (x, y, spin, die by die) after
// the engine drew the faces.

#include <array>
#include <vector>

#include "editor/play/draw/frame_pacer.h"
#include "editor/play/draw/play_frame.h"

namespace banmen::play {

constexpr int kDiceFrameMs = 10;
constexpr int kDiceAngleStep = 15;
constexpr int kDiceCounterEnd = 1080;
constexpr int kDiceStages = 3;

struct TumblingDie {
    Point centre;  // where it lands
    int spin = 2;  // degrees of turn per degree of angle (sign: direction)
    int angle = 0;
    int stage = 0;  // 0..2 tumbling, 3 at rest
    int stageFrame = 0;
    int shown = 1;  // the face shown now
    int finalFace = 1;

    bool atRest() const { return stage >= kDiceStages; }
    // One frame: the angle on by 15, the stage and the face shown.
    void advance();
    // Lift above the landing place in this frame.
    int lift() const;
};

class DiceRoll {
  public:
    // Draws the places and spins of `count` dice landing on `faces`.
    DiceRoll(int count, const std::array<int, 3>& faces, FramePacer& pacer);

    // Draws the dice as they stand into the frame (over the board).
    void draw(PlayFrame& frame) const;
    // One frame of the roll; false once the counter reached its end.
    bool step();
    const std::vector<TumblingDie>& dice() const { return dice_; }
    int counter() const { return counter_; }

  private:
    std::vector<TumblingDie> dice_;
    int counter_ = 0;
};

// The whole roll, ending with the final faces shown; false when the play
// window went away (the stop request does not end it).
bool animateDice(PlayFrame& frame, FramePacer& pacer, int count, const std::array<int, 3>& faces);

}  // namespace banmen::play
