#include "editor/play/draw/dice_animation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace banmen::play {
namespace {

constexpr int kStartAngles[3] = {0, -45, -135};
constexpr int kBounce[kDiceStages] = {60, 28, 10};
constexpr int kFaceEvery[kDiceStages] = {1, 2, 3};
constexpr int kMargin = 24;  // half the diagonal of a turned die, and a little

}  // namespace

void TumblingDie::advance() {
    if (atRest()) {
        return;
    }
    angle += kDiceAngleStep;
    if (angle < 0) {
        return;
    }
    if (angle > 179) {
        angle = 0;
        ++stage;
        stageFrame = 0;
        if (atRest()) {
            shown = finalFace;
            return;
        }
    }
    if (stageFrame % kFaceEvery[stage] == 0) {
        shown = shown % 6 + 1;
    }
    ++stageFrame;
}

int TumblingDie::lift() const {
    if (atRest() || angle < 0) {
        return 0;
    }
    const double s = std::sin(angle * std::numbers::pi / 180.0);
    return static_cast<int>(std::lround(kBounce[stage] * s));
}

DiceRoll::DiceRoll(int count, const std::array<int, 3>& faces, FramePacer& pacer) {
    count = std::clamp(count, 1, 3);
    const int slot = kDiceRect.width() / count;
    for (int i = 0; i < count; ++i) {
        TumblingDie die;
        const int jitterX = pacer.random() % 21 - 10;
        const int jitterY = pacer.random() % 41 - 20;
        die.spin = pacer.random() % 2 == 0 ? 2 : -2;
        const int x = kDiceRect.left + slot * i + slot / 2 + jitterX;
        die.centre = {std::clamp(x, kDiceRect.left + kMargin, kDiceRect.right - kMargin),
                      kDiceRect.top + 130 + jitterY};
        die.angle = kStartAngles[i];
        die.finalFace = std::clamp(faces[static_cast<std::size_t>(i)], 1, 6);
        die.shown = (die.finalFace + 2) % 6 + 1;
        dice_.push_back(die);
    }
}

bool DiceRoll::step() {
    if (counter_ >= kDiceCounterEnd) {
        return false;
    }
    counter_ += kDiceAngleStep;
    for (TumblingDie& die : dice_) {
        die.advance();
    }
    return true;
}

void DiceRoll::draw(PlayFrame& frame) const {
    frame.showBoard(kDiceRect);
    DibBitmap& picture = frame.pictures().dice;
    for (const TumblingDie& die : dice_) {
        if (die.angle < 0 && !die.atRest()) {
            continue;
        }
        const int left = die.centre.x - kDieWidth / 2;
        const int top = die.centre.y - kDieHeight / 2 - die.lift();
        const int sourceX = kDieWidth * (die.shown - 1);
        if (die.atRest()) {
            frame.frame().CopyFrom(picture, left, top, kDieWidth, kDieHeight, sourceX, 0);
        } else {
            frame.frame().DrawRotated(picture, left, top, kDieWidth, kDieHeight, sourceX, 0,
                                      static_cast<double>(die.angle * die.spin));
        }
    }
    frame.markDirty(kDiceRect);
}

bool animateDice(PlayFrame& frame, FramePacer& pacer, int count, const std::array<int, 3>& faces) {
    DiceRoll roll(count, faces, pacer);
    while (roll.step()) {
        roll.draw(frame);
        if (!pacer.frame(kDiceFrameMs, false)) {
            return false;
        }
    }
    roll.draw(frame);
    return true;
}

}  // namespace banmen::play
