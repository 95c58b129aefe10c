// The editing map's pictures and the off-screen canvas: redrawing only the
// cells that changed must give exactly the picture a fresh drawing gives,
// and every pixel that changed must lie in the region handed back.

#include <QPainter>
#include <QtTest>
#include <algorithm>

#include "editor/map/map_canvas.h"
#include "editor/map/map_items.h"
#include "editor/map/map_sprites.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

QImage boardPicture() {
    QImage board(400, 300, QImage::Format_RGB32);
    QPainter painter(&board);
    QLinearGradient gradient(0, 0, 400, 300);
    gradient.setColorAt(0, QColor(40, 90, 60));
    gradient.setColorAt(1, QColor(230, 210, 150));
    painter.fillRect(board.rect(), gradient);
    return board;
}

// Pixels that differ between two pictures and lie outside the region.
int changesOutside(const QImage& before, const QImage& after, const QRegion& region) {
    int outside = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y) && !region.contains(QPoint(x, y))) {
                ++outside;
            }
        }
    }
    return outside;
}

}  // namespace

class MapCanvasTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(sprites_.load());
        sprites_.updatePieces(test::defaultRecord(), {}, true);
    }

    void spritesAreKeyedOnMagenta() {
        // Markers and the dot are opaque in the middle and see-through at the
        // corners; no magenta is left anywhere.
        for (const QImage* image : {&sprites_.marker(MarkerGroup::Goal, MarkerState::Complete),
                                    &sprites_.marker(MarkerGroup::Other, MarkerState::Selected),
                                    &sprites_.dot(), &sprites_.arrow(4500), &sprites_.piece(0)}) {
            QVERIFY(!image->isNull());
            QCOMPARE(qAlpha(image->pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image->pixel(image->width() / 2, image->height() / 2)), 255);
            for (int y = 0; y < image->height(); ++y) {
                for (int x = 0; x < image->width(); ++x) {
                    QVERIFY(image->pixel(x, y) != qRgb(255, 0, 255));
                }
            }
        }
        QCOMPARE(sprites_.marker(MarkerGroup::Start, MarkerState::Incomplete).size(),
                 QSize(32, 16));
        QCOMPARE(sprites_.dot().size(), QSize(8, 8));
        QCOMPARE(markerResourceName(MarkerGroup::Retire, MarkerState::Highlighted),
                 std::string("MARKRETIREH"));
    }

    void arrowsTurnWithTheRoute() {
        // The tip is the one point at the arrow's far end: pointing right, the
        // rightmost column holds only the middle rows; turned 90 degrees
        // counter-clockwise, the top row holds only the middle columns.
        auto tipRows = [](const QImage& arrow) {
            QList<int> rows;
            for (int x = arrow.width() - 1; x >= 0 && rows.isEmpty(); --x) {
                for (int y = 0; y < arrow.height(); ++y) {
                    if (qAlpha(arrow.pixel(x, y)) != 0) {
                        rows << y;
                    }
                }
            }
            return rows;
        };
        const int middle = MapSprites::kArrowBox / 2;
        for (int row : tipRows(sprites_.arrow(0))) {
            QVERIFY(std::abs(row - middle) <= 2);
        }
        const QImage up = sprites_.arrow(9000).transformed(QTransform().rotate(90));
        QVERIFY(!tipRows(up).isEmpty());
        for (int row : tipRows(up)) {
            QVERIFY(std::abs(row - middle) <= 2);
        }
        QVERIFY(sprites_.arrow(0) != sprites_.arrow(9000));
    }

    void itemsComeInDrawingOrder() {
        GameRecord record = test::fullyLinkedRecord();
        EditState routes;
        routes.routeMode = true;
        routes.routeOrder[5] = 0;
        routes.routeOrder[9] = 1;
        MapScene scene;
        scene.selectedSquare = 7;
        scene.highlightSlot = 2;
        scene.pieceSizes = sprites_.pieceSizes();
        scene.routes = &routes;
        const std::vector<MapItem> items = mapItems(composeMap(record, scene), sprites_);
        QVERIFY(items.size() > 800 + 200);
        QVERIFY(
            std::adjacent_find(items.begin(), items.end(), [](const MapItem& a, const MapItem& b) {
                return a.order >= b.order;
            }) == items.end());
    }

    void redrawingChangedCellsMatchesAFreshDrawing() {
        GameRecord record = test::fullyLinkedRecord();
        const QImage board = boardPicture();
        MapCanvas canvas;
        canvas.setBoard(board, Qt::white);
        EditState routes;
        MapScene scene;
        scene.pieceSizes = sprites_.pieceSizes();
        scene.routes = &routes;
        canvas.show(mapItems(composeMap(record, scene), sprites_), sprites_);

        std::uint32_t seed = 7;
        auto next = [&seed](int bound) {
            seed = seed * 1103515245u + 12345u;
            return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(bound));
        };
        for (int step = 0; step < 40; ++step) {
            const int square = next(kSquareCount);
            switch (step % 5) {
                case 0:  // a drag step, often past the map's edges
                    record.squares[square].x += next(120) - 60;
                    record.squares[square].y += next(120) - 60;
                    scene.selectedSquare = square;
                    break;
                case 1:
                    scene.highlightSlot = next(5) - 1;
                    break;
                case 2:
                    record.squares[square].kind = next(7);
                    record.players[next(kPlayerCount)].startSquare = square;
                    break;
                case 3:
                    record.squares[square].nextSquares[next(4)] = -1;
                    record.squares[square].name[0] = static_cast<char>(next(2) == 0 ? 0 : 'a');
                    break;
                default:
                    routes.routeMode = next(3) != 0;
                    routes.routeOrder[static_cast<std::size_t>(square)] = step;
                    break;
            }
            const QImage before = canvas.image().copy();
            const QRegion redrawn =
                canvas.show(mapItems(composeMap(record, scene), sprites_), sprites_);
            MapCanvas fresh;
            fresh.setBoard(board, Qt::white);
            fresh.show(mapItems(composeMap(record, scene), sprites_), sprites_);
            QVERIFY2(canvas.image() == fresh.image(), qPrintable(QString::number(step)));
            QCOMPARE(changesOutside(before, canvas.image(), redrawn), 0);
        }

        // Nothing changed: nothing is redrawn.
        QVERIFY(canvas.show(mapItems(composeMap(record, scene), sprites_), sprites_).isEmpty());
    }

    void aDragStepRedrawsLittle() {
        GameRecord record = test::fullyLinkedRecord();
        MapCanvas canvas;
        canvas.setBoard(QImage(), Qt::white);
        MapScene scene;
        scene.selectedSquare = 45;
        canvas.show(mapItems(composeMap(record, scene), sprites_), sprites_);
        record.squares[45].x += 10;
        const QRegion redrawn =
            canvas.show(mapItems(composeMap(record, scene), sprites_), sprites_);
        qint64 area = 0;
        for (const QRect& rect : redrawn) {
            area += qint64{rect.width()} * rect.height();
        }
        QVERIFY(area > 0);
        QVERIFY2(area < 800 * 600 / 4, qPrintable(QString::number(area)));
    }

  private:
    MapSprites sprites_;
};

}  // namespace banmen

QTEST_MAIN(banmen::MapCanvasTest)
#include "map_canvas_test.moc"
