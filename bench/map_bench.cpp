// The editing map on a full board (200 squares, 800 routes, a board
// picture): one step of a drag, from the pointer's move through the edit
// and its undo step to the repaint on screen, against a plain repaint of the
// whole map; and the whole map composed from the record, against copying the
// board picture alone. Target: a drag step in under 4 ms.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "bench_gui.h"
#include "bench_timing.h"
#include "editor/document/editor_document.h"
#include "editor/map/map_canvas.h"
#include "editor/map/map_view.h"
#include "model/workspace.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

constexpr int kDragged = 45;

void report(benchmark::State& state, const bench::Medians& medians) {
    state.counters["median_us"] = medians.op * 1e6;
    state.counters["baseline_us"] = medians.baseline * 1e6;
    state.counters["ratio"] = medians.ratio();
}

QImage boardPicture() {
    QImage board(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            board.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        }
    }
    return board;
}

// The full board in a workspace folder with its board picture, shown in a
// window.
struct MapStage {
    const bool gui = (bench::ensureGuiApplication(), true);  // before any widget
    QTemporaryDir folder;
    SilentNotifier notifier;
    EditorDocument document{notifier};
    QWidget window;
    MapView* map = nullptr;

    MapStage() {
        const QString images = folder.path() + "/" + kImageFolderName;
        QDir().mkpath(images);
        boardPicture().save(images + "/picture1.bmp", "BMP");  // image 0, the board
        WorkspaceLocation location;
        location.folder = folder.path().toStdString();
        location.setFileName("bench.sgw");
        document.setLocation(location);
        document.edit(QStringLiteral("board"),
                      [](RecordOwner& owner) { owner.record() = test::fullyLinkedRecord(); });
        map = new MapView(document, &window);
        window.resize(MapView::kWidth, MapView::kHeight);
        window.show();
        QCoreApplication::processEvents();
        document.select({ObjectKind::Square, kDragged});
        QCoreApplication::processEvents();
    }
};

void BM_MapDragStep(benchmark::State& state) {
    MapStage stage;
    MapEditor& editor = stage.map->editor();
    const SquareDef& square = stage.document.record().squares[kDragged];
    const QPoint start(square.x, square.y - 8);
    editor.setArmed(true);
    editor.leftPress(start);
    int step = 0;
    const bench::Medians medians = bench::timeAgainst(
        state,
        [&] {
            // Back and forth, so the square never leaves its neighbourhood.
            ++step;
            editor.pointerMove(start + QPoint((step % 2) * 10, (step % 3) * 7));
            QCoreApplication::processEvents();
        },
        [&] {
            stage.map->update();
            QCoreApplication::processEvents();
        });
    editor.leftRelease();
    if (stage.document.undoCaption() != QStringLiteral("マス46の移動")) {
        const std::string why =
            "the square was not dragged (" + stage.document.undoCaption().toStdString() + ")";
        state.SkipWithError(why.c_str());
    }
    report(state, medians);
}
BENCHMARK(BM_MapDragStep)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_MapCompose(benchmark::State& state) {
    bench::ensureGuiApplication();
    const GameRecord record = test::fullyLinkedRecord();
    MapSprites sprites;
    sprites.load();
    sprites.updatePieces(record, {}, true);
    const QImage board = boardPicture();
    MapCanvas canvas;
    canvas.setBoard(board, Qt::white);
    MapScene scene;
    scene.selectedSquare = kDragged;
    scene.pieceSizes = sprites.pieceSizes();
    QImage copy(800, 600, QImage::Format_RGB32);
    const bench::Medians medians = bench::timeAgainst(
        state,
        [&] {
            canvas.invalidate();
            canvas.show(mapItems(composeMap(record, scene), sprites), sprites);
        },
        [&] {
            QPainter painter(&copy);
            painter.drawImage(0, 0, board);
        });
    report(state, medians);
}
BENCHMARK(BM_MapCompose)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace banmen
