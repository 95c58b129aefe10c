#include "model/board_place.h"

#include <cstdlib>

#include "model/record_owner.h"

namespace banmen {
namespace {

constexpr std::int64_t kHitReach = 32;
constexpr std::int64_t kHitShift = 8;  // the hit circle's centre lies above the square

constexpr std::int64_t kPlaceStep = 64;
constexpr std::int64_t kPlaceMaxX = 600;
constexpr std::int64_t kPlaceMaxY = 400;
constexpr int kPlaceTries = 1000;

// One step of the placement walk; 64-bit so no cursor value can overflow.
std::int32_t stepPlace(std::int32_t value, std::int64_t limit, std::int32_t restart) {
    const std::int64_t next = std::int64_t{value} + kPlaceStep;
    return next > limit ? restart : static_cast<std::int32_t>(next);
}

}  // namespace

std::int32_t HitSquare(const GameRecord& record, std::int32_t x, std::int32_t y) {
    std::int32_t best = -1;
    std::int64_t bestDistance2 = kHitReach * kHitReach;
    for (std::int32_t i = 0; i < kSquareCount; ++i) {
        const SquareDef& square = record.squares[i];
        if (!inUse(square)) {
            continue;
        }
        const std::int64_t dx = std::int64_t{square.x} - x;
        const std::int64_t dy = std::int64_t{square.y} - (std::int64_t{y} + kHitShift);
        if (std::abs(dx) >= kHitReach || std::abs(dy) >= kHitReach) {
            continue;
        }
        // Squared distances compare exactly; strictly nearer replaces, so
        // the lower index keeps a tie.
        const std::int64_t distance2 = dx * dx + dy * dy;
        if (distance2 < bestDistance2) {
            bestDistance2 = distance2;
            best = i;
        }
    }
    return best;
}

BoardPoint FindFreePlace(RecordOwner& owner) {
    BoardPoint& place = owner.editState().placeCursor;
    for (int moves = 0; moves < kPlaceTries && HitSquare(owner.record(), place.x, place.y) != -1;
         ++moves) {
        place.x = stepPlace(place.x, kPlaceMaxX, EditState::kPlaceStart.x);
        place.y = stepPlace(place.y, kPlaceMaxY, EditState::kPlaceStart.y);
    }
    return place;
}

}  // namespace banmen
