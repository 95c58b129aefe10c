#include <gtest/gtest.h>

#include <climits>

#include "list_ops_support.h"
#include "model/object_list.h"

namespace banmen {
namespace {

class BoardPlaceTest : public test::ListOpsTest {
  protected:
    void SetUp() override {
        ListOpsTest::SetUp();
        clearBoard();
    }
    BoardPoint& cursor() { return owner->editState().placeCursor; }
};

TEST_F(BoardPlaceTest, HitCircleSitsEightPixelsAboveTheSquare) {
    put(0, 200, 300);
    EXPECT_EQ(HitSquare(record(), 200, 292), 0);
    EXPECT_EQ(HitSquare(record(), 231, 292), 0);
    EXPECT_EQ(HitSquare(record(), 169, 292), 0);
    EXPECT_EQ(HitSquare(record(), 232, 292), -1);
    EXPECT_EQ(HitSquare(record(), 168, 292), -1);
    EXPECT_EQ(HitSquare(record(), 200, 323), 0);
    EXPECT_EQ(HitSquare(record(), 200, 324), -1);
    EXPECT_EQ(HitSquare(record(), 200, 261), 0);
    EXPECT_EQ(HitSquare(record(), 200, 260), -1);
    // Inside the box on both axes but 32 or more away in a straight line:
    // 24² + 20² = 976, 25² + 20² = 1025.
    EXPECT_EQ(HitSquare(record(), 224, 272), 0);
    EXPECT_EQ(HitSquare(record(), 225, 272), -1);
}

TEST_F(BoardPlaceTest, NearestSquareWinsAndTheLowerIndexOnATie) {
    put(3, 210, 300);
    put(7, 190, 300);
    EXPECT_EQ(HitSquare(record(), 200, 292), 3);
    EXPECT_EQ(HitSquare(record(), 199, 292), 7);
    put(1, 200, 300);
    put(0, 200, 300);
    EXPECT_EQ(HitSquare(record(), 200, 292), 0);
}

TEST_F(BoardPlaceTest, FreeSlotsAreNeverHit) {
    put(4, 200, 300).name[0] = 0;
    EXPECT_EQ(HitSquare(record(), 200, 292), -1);
}

TEST_F(BoardPlaceTest, HostileCoordinatesDoNotOverflow) {
    put(0, INT_MAX, INT_MAX);
    put(1, INT_MIN, INT_MIN);
    EXPECT_EQ(HitSquare(record(), INT_MAX, INT_MAX), 0);  // 8 away, y + 8 not wrapped
    EXPECT_EQ(HitSquare(record(), INT_MIN, INT_MIN), 1);
    // Wrapping y + 8 would land next to square 1.
    EXPECT_EQ(HitSquare(record(), INT_MIN, INT_MAX), -1);
    EXPECT_EQ(HitSquare(record(), INT_MAX, INT_MIN), -1);
    put(2, INT_MIN, INT_MIN + 8);
    EXPECT_EQ(HitSquare(record(), INT_MIN, INT_MIN), 2);
}

TEST_F(BoardPlaceTest, FreePlaceStepsDiagonallyAndStaysInTheCursor) {
    put(0, 100, 100);
    put(1, 164, 164);
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{228, 228}));
    EXPECT_EQ(cursor(), (BoardPoint{228, 228}));
    // Free already: no step.
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{228, 228}));
}

TEST_F(BoardPlaceTest, FreePlaceWrapsOnlyPast600And400) {
    cursor() = {536, 336};
    put(0, 536, 336);
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{600, 400}));
    put(1, 600, 400);
    cursor() = {536, 336};
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{100, 100}));
    put(2, 100, 100);
    cursor() = {537, 100};  // x wraps, y goes on
    put(3, 537, 100);
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{100, 164}));
}

TEST_F(BoardPlaceTest, FreePlaceFromAHostileCursorDoesNotOverflow) {
    cursor() = {INT_MAX, INT_MAX};
    put(0, INT_MAX, INT_MAX);
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{100, 100}));
    cursor() = {INT_MIN, INT_MIN};
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{INT_MIN, INT_MIN}));
    put(1, INT_MIN, INT_MIN + 8);
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{INT_MIN + 64, INT_MIN + 64}));
}

// The walk from (100, 100) visits x in 8 columns and y in 5 rows, 40 places
// in all. From (90, 100) it needs 8 steps to join that cycle; with all 48
// places taken it gives up after exactly 1,000 steps, which brings both x and
// y back to the first place of the cycle (999 or 1,001 would not).
TEST_F(BoardPlaceTest, FreePlaceOnAFullBoardGivesUpAfter1000Moves) {
    std::int32_t slot = 0;
    std::int32_t x = 90;
    for (int i = 0; i < 8; ++i, x += 64) {
        put(slot++, x, 100 + 64 * (i % 5));
    }
    for (std::int32_t column = 0; column < 8; ++column) {
        for (std::int32_t row = 0; row < 5; ++row) {
            put(slot++, 100 + 64 * column, 100 + 64 * row);
        }
    }
    while (slot < kSquareCount) {
        put(slot++, 750, 550);
    }
    cursor() = {90, 100};
    EXPECT_EQ(FindFreePlace(*owner), (BoardPoint{100, 100}));
    EXPECT_EQ(cursor(), (BoardPoint{100, 100}));
    EXPECT_EQ(AddSquare(*owner, 10, 10, 0), -1);
}

}  // namespace
}  // namespace banmen
