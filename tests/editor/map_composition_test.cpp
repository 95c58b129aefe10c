// The editing map's rules: which markers and route dots the record gives.

#include <QtTest>
#include <cmath>
#include <cstring>

#include "editor/map/map_composition.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

void placeSquare(GameRecord& r, int index, int x, int y, std::int32_t kind) {
    std::strcpy(r.squares[index].name, "s");
    r.squares[index].x = x;
    r.squares[index].y = y;
    r.squares[index].kind = kind;
    for (std::int32_t& next : r.squares[index].nextSquares) {
        next = -1;
    }
}

const SquareMarker* markerOf(const MapComposition& map, int square, MarkerState state) {
    for (const SquareMarker& m : map.markers) {
        if (m.square == square && m.state == state) {
            return &m;
        }
    }
    return nullptr;
}

}  // namespace

class MapCompositionTest : public QObject {
    Q_OBJECT

  private slots:
    void dotsAreEvenlySpacedStrictlyBetween() {
        const std::vector<QPoint> dots = routeDotPoints({700, 500}, {100, 500});
        QCOMPARE(dots.size(), std::size_t{18});  // floor(600 / 32)
        int previous = 700;
        for (const QPoint& p : dots) {
            QCOMPARE(p.y(), 500);
            QVERIFY(p.x() < previous && p.x() > 100);
            const int step = previous - p.x();
            QVERIFY2(step == 31 || step == 32, qPrintable(QString::number(step)));
            previous = p.x();
        }
        QVERIFY(previous - 100 == 31 || previous - 100 == 32);
    }

    void dotCountsAtTheEdges() {
        // Exactly two spacings: two dots at the thirds.
        std::vector<QPoint> dots = routeDotPoints({0, 0}, {64, 0});
        QCOMPARE(dots.size(), std::size_t{2});
        QCOMPARE(dots[0], QPoint(21, 0));
        QCOMPARE(dots[1], QPoint(43, 0));
        // Just short of two spacings: one dot.
        QCOMPARE(routeDotPoints({0, 0}, {63, 0}).size(), std::size_t{1});
        // Short, and zero-length, links still get one dot at the middle.
        dots = routeDotPoints({10, 10}, {20, 30});
        QCOMPARE(dots.size(), std::size_t{1});
        QCOMPARE(dots[0], QPoint(15, 20));
        dots = routeDotPoints({50, 60}, {50, 60});
        QCOMPARE(dots.size(), std::size_t{1});
        QCOMPARE(dots[0], QPoint(50, 60));
        // Diagonal: 3-4-5 triangle of 160 px, 5 dots.
        QCOMPARE(routeDotPoints({0, 0}, {96, 128}).size(), std::size_t{5});
    }

    void newGame() {
        const GameRecord record = test::defaultRecord();
        const MapComposition map = composeMap(record);
        QCOMPARE(map.routeDots.size(), std::size_t{18 + 12});
        QCOMPARE(map.markers.size(), std::size_t{3});
        QCOMPARE(map.markers[0].topLeft, QPoint(684, 484));
        QCOMPARE(map.markers[0].group, MarkerGroup::Start);
        QCOMPARE(map.markers[1].group, MarkerGroup::Goal);
        QCOMPARE(map.markers[2].group, MarkerGroup::Other);
        for (const SquareMarker& m : map.markers) {
            QCOMPARE(m.state, MarkerState::Incomplete);  // no descriptions
        }
    }

    void kindGroups() {
        QCOMPARE(markerGroupOf(kSquareStart), MarkerGroup::Start);
        QCOMPARE(markerGroupOf(kSquareGoal), MarkerGroup::Goal);
        QCOMPARE(markerGroupOf(kSquareRetire), MarkerGroup::Retire);
        for (std::int32_t kind : {0, 1, 2, 3, 7, -1, 1000}) {
            QCOMPARE(markerGroupOf(kind), MarkerGroup::Other);
        }
    }

    void completeNeedsDescriptionAndAnIncomingLink() {
        GameRecord r{};
        placeSquare(r, 0, 100, 100, kSquareNormal);  // described, linked to
        placeSquare(r, 1, 200, 100, kSquareNormal);  // described, not linked to
        placeSquare(r, 2, 300, 100, kSquareNormal);  // linked to, no description
        placeSquare(r, 3, 400, 100, kSquareNormal);  // links to itself, described
        std::strcpy(r.squares[0].description, "d");
        std::strcpy(r.squares[1].description, "d");
        std::strcpy(r.squares[3].description, "d");
        r.squares[1].nextSquares[2] = 0;
        r.squares[0].nextSquares[0] = 2;
        r.squares[3].nextSquares[3] = 3;
        const MapComposition map = composeMap(r);
        QVERIFY(markerOf(map, 0, MarkerState::Complete));
        QVERIFY(markerOf(map, 1, MarkerState::Incomplete));
        QVERIFY(markerOf(map, 2, MarkerState::Incomplete));
        QVERIFY(markerOf(map, 3, MarkerState::Complete));
    }

    void linksFromOrToFreeSlotsCountForNothing() {
        GameRecord r{};
        placeSquare(r, 0, 100, 100, kSquareNormal);
        std::strcpy(r.squares[0].description, "d");
        // Slot 5 is free but still holds a link to 0; 0 links to a free slot,
        // past the end and to a negative index.
        r.squares[5].nextSquares[0] = 0;
        r.squares[5].x = 500;
        r.squares[0].nextSquares[0] = 6;
        r.squares[0].nextSquares[1] = kSquareCount;
        r.squares[0].nextSquares[2] = -7;
        const MapComposition map = composeMap(r);
        QVERIFY(map.routeDots.empty());
        QCOMPARE(map.markers.size(), std::size_t{1});
        QCOMPARE(map.markers[0].state, MarkerState::Incomplete);
    }

    void selectionAndHighlight() {
        GameRecord r = test::defaultRecord();
        // Square 0 links to 2 in slot 0.
        MapComposition map = composeMap(r, 0, 0);
        QVERIFY(markerOf(map, 0, MarkerState::Selected));
        const SquareMarker* lifted = markerOf(map, 2, MarkerState::Highlighted);
        QVERIFY(lifted);
        QCOMPARE(lifted->topLeft, QPoint(100 - 16, 500 - 22));
        QCOMPARE(map.markers.back().state, MarkerState::Highlighted);  // drawn last
        QVERIFY(markerOf(map, 2, MarkerState::Incomplete));            // and drawn normally

        // An empty slot, a slot out of range, or no selection: no highlight.
        for (auto [square, slot] : {std::pair{0, 1}, std::pair{0, 4}, std::pair{-1, 0},
                                    std::pair{7, 0}, std::pair{0, -1}}) {
            map = composeMap(r, square, slot);
            QCOMPARE(map.markers.size(), std::size_t{3});
        }
    }

    void farAwayCoordinatesStayBounded() {
        GameRecord r{};
        placeSquare(r, 0, INT32_MIN, INT32_MIN, kSquareStart);
        placeSquare(r, 1, INT32_MAX, INT32_MAX, kSquareGoal);
        r.squares[0].nextSquares[0] = 1;
        const MapComposition map = composeMap(r);
        QVERIFY(!map.routeDots.empty());
        QVERIFY(map.routeDots.size() <= 1024);
        QCOMPARE(map.markers.size(), std::size_t{2});
        QVERIFY(map.markers[0].topLeft.x() < -100000);
        QVERIFY(map.markers[1].topLeft.x() > 100000);
    }

    void piecesStandRightOfTheirStartSquares() {
        GameRecord r = test::defaultRecord();
        r.settings.playerCount = 3;
        r.players[0].startSquare = 0;  // (700, 500)
        r.players[1].startSquare = 2;  // (100, 500)
        r.players[2].startSquare = 0;
        r.players[3].startSquare = 1;  // not in the game
        MapScene scene;
        scene.pieceSizes = {QSize(32, 32), QSize(20, 24), QSize(16, 40), QSize(32, 32)};
        MapComposition map = composeMap(r, scene);
        QCOMPARE(map.pieces.size(), std::size_t{3});
        QCOMPARE(map.pieces[0].topLeft, QPoint(712, 468));
        QCOMPARE(map.pieces[1].topLeft, QPoint(112, 476));
        QCOMPARE(map.pieces[2].player, 2);
        QCOMPARE(map.pieces[2].topLeft, QPoint(720, 460));  // the second on its square

        // A start that is no square in use, or a piece without a picture: none.
        r.players[0].startSquare = 9;
        scene.pieceSizes[2] = QSize();
        map = composeMap(r, scene);
        QCOMPARE(map.pieces.size(), std::size_t{1});
        QCOMPARE(map.pieces[0].player, 1);
    }

    void arrowsOnlyOnTheSelectedSquaresRoutes() {
        GameRecord r{};
        placeSquare(r, 0, 300, 300, kSquareNormal);
        placeSquare(r, 1, 400, 300, kSquareNormal);
        placeSquare(r, 2, 300, 100, kSquareNormal);
        r.squares[0].nextSquares[1] = 1;
        r.squares[0].nextSquares[3] = 2;
        r.squares[1].nextSquares[0] = 0;
        QVERIFY(composeMap(r).arrows.empty());
        const MapComposition map = composeMap(r, 0);
        QCOMPARE(map.arrows.size(), std::size_t{2});
        QCOMPARE(map.arrows[0].slot, 1);
        QCOMPARE(map.arrows[0].centre, QPoint(330, 300));
        QCOMPARE(map.arrows[0].degrees, 0.0);
        QCOMPARE(map.arrows[1].centre, QPoint(300, 270));
        QCOMPARE(map.arrows[1].degrees, 90.0);  // upwards on the screen
        QCOMPARE(std::abs(composeMap(r, 1).arrows[0].degrees), 180.0);
    }

    void routeOrderShowsOnlyInRouteMode() {
        GameRecord r = test::defaultRecord();
        EditState routes;
        routes.routeOrder[2] = 0;
        routes.routeOrder[0] = 1;
        routes.routeOrder[7] = 2;  // not in use
        MapScene scene;
        scene.routes = &routes;
        QVERIFY(composeMap(r, scene).routeOrder.empty());
        routes.routeMode = true;
        const MapComposition map = composeMap(r, scene);
        QCOMPARE(map.routeOrder.size(), std::size_t{2});
        QCOMPARE(map.routeOrder[0].square, 0);
        QCOMPARE(map.routeOrder[0].number, 2);
        QCOMPARE(map.routeOrder[1].number, 1);
        QCOMPARE(map.routeOrder[1].anchor, QPoint(100, 500));
    }
};

}  // namespace banmen

QTEST_MAIN(banmen::MapCompositionTest)
#include "map_composition_test.moc"
