#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "list_ops_support.h"
#include "model/object_list.h"

namespace banmen {
namespace {

using test::links;

class RoutesTest : public test::ListOpsTest {
  protected:
    void SetUp() override {
        ListOpsTest::SetUp();
        clearBoard();
        for (std::int32_t i = 0; i < 6; ++i) {
            put(i, 100 + 50 * i, 300);
        }
    }
};

TEST_F(RoutesTest, AddRouteTakesTheLowestFreeEntry) {
    record().squares[0].nextSquares[1] = 3;
    AddRoute(*owner, 0, 1);
    AddRoute(*owner, 0, 2);
    EXPECT_EQ(next(0), links({1, 3, 2}));
}

TEST_F(RoutesTest, AddRouteSkipsSelfRepeatsAndFullSquares) {
    AddRoute(*owner, 0, 0);
    EXPECT_EQ(next(0), links({}));
    for (std::int32_t t : {1, 2, 1, 3, 4}) {
        AddRoute(*owner, 0, t);
    }
    EXPECT_EQ(next(0), links({1, 2, 3, 4}));
    const auto before = snapshot();
    AddRoute(*owner, 0, 5);  // all four entries taken
    EXPECT_EQ(snapshot(), before);
}

TEST_F(RoutesTest, SetRouteSlotReplacesOneEntryUnlessItWouldRepeat) {
    record().squares[0].nextSquares[0] = 1;
    record().squares[0].nextSquares[1] = 2;
    SetRouteSlot(*owner, 0, 0, 3);
    EXPECT_EQ(next(0), links({3, 2}));
    SetRouteSlot(*owner, 0, 3, 2);  // 2 is already a route of 0
    SetRouteSlot(*owner, 0, 2, 0);  // itself
    EXPECT_EQ(next(0), links({3, 2}));
    SetRouteSlot(*owner, 0, 3, 5);
    EXPECT_EQ(next(0), links({3, 2, -1, 5}));
}

TEST_F(RoutesTest, RemoveRouteDropsTheWayBackToo) {
    AddRoute(*owner, 0, 1);
    AddRoute(*owner, 1, 2);
    AddRoute(*owner, 1, 0);
    RemoveRoute(*owner, 0, 0);
    EXPECT_EQ(next(0), links({}));
    EXPECT_EQ(next(1), links({2}));

    // An empty entry removes nothing, not even a way back.
    AddRoute(*owner, 2, 1);
    RemoveRoute(*owner, 1, 3);
    EXPECT_EQ(next(2), links({1}));

    // A damaged entry is cleared without reaching outside the array.
    record().squares[3].nextSquares[2] = 5000;
    RemoveRoute(*owner, 3, 2);
    EXPECT_EQ(next(3), links({}));
}

TEST_F(RoutesTest, ClearRoutesLeavesFreeSlotsAlone) {
    AddRoute(*owner, 0, 1);
    AddRoute(*owner, 1, 0);
    AddRoute(*owner, 5, 2);
    record().squares[9].nextSquares[0] = 3;  // free slot
    ClearRoutes(*owner);
    for (std::int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(next(i), links({})) << i;
    }
    EXPECT_EQ(record().squares[9].nextSquares[0], 3);
}

TEST_F(RoutesTest, BadIndicesChangeNothing) {
    AddRoute(*owner, 0, 1);
    const auto before = snapshot();
    // 6 is a free slot: no route may lead to or leave it.
    for (std::int32_t bad : {-1, 6, 200, INT_MAX, INT_MIN}) {
        AddRoute(*owner, bad, 1);
        AddRoute(*owner, 1, bad);
        SetRouteSlot(*owner, 0, 1, bad);
        SetRouteSlot(*owner, bad, 0, 1);
        RemoveRoute(*owner, bad, 0);
        RemoveRoute(*owner, 0, bad);
        SetRouteSlot(*owner, 0, bad, 2);
    }
    // The first slot past the end.
    SetRouteSlot(*owner, 0, kNextSquareCount, 2);
    RemoveRoute(*owner, 0, kNextSquareCount);
    EXPECT_EQ(snapshot(), before);
}

// Route 0 (100, 100) -> 1 (300, 100).
class NearestRouteTest : public test::ListOpsTest {
  protected:
    void SetUp() override {
        ListOpsTest::SetUp();
        clearBoard();
        put(0, 100, 100).nextSquares[0] = 1;
        put(1, 300, 100);
    }
    std::int32_t nearestSquare(std::int32_t x, std::int32_t y) {
        auto route = NearestRoute(record(), x, y);
        return route ? route->square : -1;
    }
};

TEST_F(NearestRouteTest, ReachesJustUnder32PixelsAlongThePerpendicular) {
    EXPECT_EQ(nearestSquare(200, 131), 0);
    EXPECT_EQ(nearestSquare(200, 69), 0);
    EXPECT_EQ(nearestSquare(200, 132), -1);
    EXPECT_EQ(nearestSquare(200, 68), -1);
    // A slanted line (0,0)->(300,400); (4,-3)/5 is its normal, so
    // (150 + 4d/5, 200 - 3d/5) lies d away from its middle.
    clearBoard();
    put(0, 0, 0).nextSquares[2] = 1;
    put(1, 300, 400);
    auto route = NearestRoute(record(), 174, 182);  // d = 30
    ASSERT_TRUE(route);
    EXPECT_EQ(route->square, 0);
    EXPECT_EQ(route->slot, 2);
    EXPECT_EQ(nearestSquare(178, 179), -1);  // d = 35
}

TEST_F(NearestRouteTest, CountsOnlyPointsBesideTheSegment) {
    EXPECT_EQ(nearestSquare(99, 100), -1);
    EXPECT_EQ(nearestSquare(301, 105), -1);
    // The foot exactly on an end counts as beside the segment.
    EXPECT_EQ(nearestSquare(100, 120), 0);
    EXPECT_EQ(nearestSquare(300, 80), 0);
    // A segment of length 0 is never near.
    record().squares[1].x = 100;
    EXPECT_EQ(nearestSquare(100, 100), -1);
}

TEST_F(NearestRouteTest, FirstFoundWinsATieAndNearerWinsOtherwise) {
    put(2, 100, 120).nextSquares[0] = 3;
    put(3, 300, 120);
    EXPECT_EQ(nearestSquare(200, 110), 0);
    EXPECT_EQ(nearestSquare(200, 111), 2);
    // Two entries of one square along the same line: the lower slot.
    put(4, 300, 100);
    record().squares[0].nextSquares[0] = -1;
    record().squares[0].nextSquares[1] = 4;
    record().squares[0].nextSquares[3] = 1;
    auto route = NearestRoute(record(), 200, 105);
    ASSERT_TRUE(route);
    EXPECT_EQ(route->square, 0);
    EXPECT_EQ(route->slot, 1);
}

TEST_F(NearestRouteTest, IgnoresEntriesThatNameNoSquare) {
    record().squares[0].nextSquares[0] = 7;  // a free slot
    record().squares[0].nextSquares[1] = 900;
    record().squares[0].nextSquares[2] = INT_MIN;
    EXPECT_EQ(nearestSquare(200, 100), -1);
}

TEST_F(NearestRouteTest, HostileCoordinatesDoNotOverflow) {
    record().squares[0].x = INT_MIN;
    record().squares[1].x = INT_MAX;
    record().squares[0].y = record().squares[1].y = 0;
    EXPECT_EQ(nearestSquare(0, 10), 0);
    EXPECT_EQ(nearestSquare(INT_MAX, INT_MIN), -1);
    record().squares[1].y = INT_MIN;
    EXPECT_EQ(nearestSquare(INT_MIN, INT_MAX), -1);
}

// Squares 1..4 stand apart, unlinked; route mode numbers them by clicks.
class RouteModeTest : public test::ListOpsTest {
  protected:
    void SetUp() override {
        ListOpsTest::SetUp();
        clearBoard();
        for (std::int32_t i = 1; i <= 5; ++i) {
            put(i, 100 * i, 100);
        }
    }
    const EditState& edit() { return owner->editState(); }
};

TEST_F(RouteModeTest, ClickingANumberedSquareLinksBackAndEnds) {
    StartRouteMode(*owner, 1);
    EXPECT_TRUE(edit().routeMode);
    EXPECT_EQ(RouteModeClick(*owner, 2), 2);
    EXPECT_EQ(RouteModeClick(*owner, 3), 3);
    EXPECT_EQ(RouteModeClick(*owner, 4), 4);
    EXPECT_EQ(edit().routeOrder[4], 3);
    EXPECT_EQ(edit().routeCounter, 4);
    EXPECT_EQ(edit().routeLast, 4);
    EXPECT_EQ(next(1), links({}));  // nothing linked before the end
    EXPECT_EQ(RouteModeClick(*owner, 4), 4);
    EXPECT_FALSE(edit().routeMode);
    EXPECT_EQ(next(1), links({2}));
    EXPECT_EQ(next(2), links({3}));
    EXPECT_EQ(next(3), links({4}));
    EXPECT_EQ(next(4), links({}));
}

TEST_F(RouteModeTest, BackToTheStartClosesTheLoopFromIt) {
    StartRouteMode(*owner, 1);
    RouteModeClick(*owner, 2);
    RouteModeClick(*owner, 3);
    RouteModeClick(*owner, 1);
    EXPECT_FALSE(edit().routeMode);
    EXPECT_EQ(next(1), links({3, 2}));
    EXPECT_EQ(next(2), links({3}));
    EXPECT_EQ(next(3), links({}));
}

TEST_F(RouteModeTest, EndingKeepsRoutesThatExistAndFillsFreeEntries) {
    record().squares[1].nextSquares[0] = 5;
    record().squares[1].nextSquares[1] = 2;
    StartRouteMode(*owner, 1);
    RouteModeClick(*owner, 2);
    RouteModeClick(*owner, 3);
    EndRouteMode(*owner);
    EXPECT_EQ(next(1), links({5, 2}));
    EXPECT_EQ(next(2), links({3}));
}

TEST_F(RouteModeTest, DoesNothingWhileOffOrForSquaresNotInUse) {
    const auto before = snapshot();
    EXPECT_EQ(RouteModeClick(*owner, 3), 0);
    EndRouteMode(*owner);
    StartRouteMode(*owner, 7);  // free
    StartRouteMode(*owner, -1);
    StartRouteMode(*owner, 200);
    EXPECT_FALSE(edit().routeMode);
    EXPECT_EQ(owner->routeRedraws, 0);
    EXPECT_EQ(snapshot(), before);

    StartRouteMode(*owner, 1);
    for (std::int32_t bad : {-1, 0, 7, 200, INT_MAX}) {
        EXPECT_EQ(RouteModeClick(*owner, bad), -1) << bad;
    }
    EXPECT_TRUE(edit().routeMode);
    EXPECT_EQ(edit().routeCounter, 1);
    EXPECT_EQ(edit().routeLast, 1);
}

TEST_F(RouteModeTest, RestartingForgetsTheEarlierNumbers) {
    StartRouteMode(*owner, 1);
    RouteModeClick(*owner, 2);
    StartRouteMode(*owner, 3);
    EXPECT_EQ(edit().routeOrder[2], -1);
    EXPECT_EQ(edit().routeOrder[3], 0);
    RouteModeClick(*owner, 4);
    EndRouteMode(*owner);
    EXPECT_EQ(next(1), links({}));
    EXPECT_EQ(next(3), links({4}));
}

TEST_F(RouteModeTest, RedrawsOnEveryChangeOfTheNumbering) {
    StartRouteMode(*owner, 1);
    EXPECT_EQ(owner->routeRedraws, 1);
    RouteModeClick(*owner, 2);
    EXPECT_EQ(owner->routeRedraws, 2);
    RouteModeClick(*owner, 2);  // links back and ends: one redraw
    EXPECT_EQ(owner->routeRedraws, 3);
    EndRouteMode(*owner);
    EXPECT_EQ(owner->routeRedraws, 3);
}

// Every structural square operation and the copy/paste of settings apply the
// chain first.
TEST_F(RouteModeTest, StructuralOperationsEndTheModeFirst) {
    SquareDef block{};
    const auto bytes = std::as_writable_bytes(std::span(&block, 1));
    const std::vector<std::pair<const char*, std::function<void()>>> operations = {
        {"AddSquare", [&] { AddSquare(*owner, 700, 500, 0); }},
        {"InsertSquareCopy", [&] { InsertSquareCopy(*owner, record().squares[5], 700, 500); }},
        {"DeleteSquare", [&] { DeleteSquare(*owner, 5); }},
        {"DeleteAllSquares", [&] { DeleteAllSquares(*owner); }},
        {"CopyOut", [&] { CopyOut(*owner, ObjectKind::Square, 5, bytes); }},
        {"PasteSettings", [&] { PasteSettings(*owner, ObjectKind::Square, bytes, 5); }},
    };
    for (const auto& [label, operation] : operations) {
        SetUp();
        std::memcpy(&block, &record().squares[5], sizeof block);
        StartRouteMode(*owner, 1);
        RouteModeClick(*owner, 2);
        operation();
        EXPECT_FALSE(edit().routeMode) << label;
        if (std::string(label) != "DeleteAllSquares") {
            EXPECT_EQ(next(1), links({2})) << label;
        }
    }
}

TEST_F(RouteModeTest, AResetOrReplacedRecordStartsTheEditStateAgain) {
    StartRouteMode(*owner, 1);
    RouteModeClick(*owner, 2);
    owner->editState().placeCursor = {500, 300};
    owner->ApplyNewGameDefaults();
    EXPECT_FALSE(edit().routeMode);
    EXPECT_EQ(edit().routeOrder[1], -1);
    EXPECT_EQ(edit().placeCursor, (BoardPoint{100, 100}));

    StartRouteMode(*owner, 1);
    owner->editState().placeCursor = {500, 300};
    const auto copy = std::make_unique<GameRecord>(record());
    owner->replaceRecord(*copy);
    EXPECT_FALSE(edit().routeMode);
    EXPECT_EQ(edit().placeCursor, (BoardPoint{100, 100}));
}

}  // namespace
}  // namespace banmen
