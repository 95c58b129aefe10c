// The bitmap library on the play screen's work, each timed beside a baseline
// run in the same iterations: a memcpy of the 800 x 600 frame, or QPainter
// doing the same job on a QImage. Counters: the medians of both
// ("median_us", "baseline_us") and "ratio", the operation's over the
// baseline's. The aim for the full frame is under 2 ms.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <vector>

#include "bench_gui.h"
#include "bench_timing.h"
#include "media/dib_bitmap.h"

namespace banmen {
namespace {

constexpr int kBoardWidth = 800;
constexpr int kBoardHeight = 600;
constexpr int kPieceSize = 32;
const QString kLine = QStringLiteral(u"雙六(四季彩コレクション) サイコロを振って下さい");

// Runs `op` and then `baseline` once per iteration (see bench_timing.h).
template <typename Op, typename Baseline>
void timeAgainst(benchmark::State& state, Op op, Baseline baseline) {
    const bench::Medians medians = bench::timeAgainst(state, op, baseline);
    state.counters["median_us"] = medians.op * 1e6;
    state.counters["baseline_us"] = medians.baseline * 1e6;
    state.counters["ratio"] = medians.ratio();
}

// A board with a gradient, so that nothing is uniform.
void paintBoard(DibBitmap& board) {
    for (int y = 0; y < board.GetHeight(); ++y) {
        for (int x = 0; x < board.GetWidth(); ++x) {
            board.SetPixel(
                x, y,
                RgbColour(static_cast<std::uint32_t>(x % 256), static_cast<std::uint32_t>(y % 256),
                          static_cast<std::uint32_t>((x + y) % 256)));
        }
    }
}

// A round piece on magenta, keyed.
void paintPiece(DibBitmap& piece, Colour colour) {
    piece.FillSolidRect(0, 0, kPieceSize, kPieceSize, kMagenta);
    const int r = kPieceSize / 2;
    for (int y = 0; y < kPieceSize; ++y) {
        for (int x = 0; x < kPieceSize; ++x) {
            if ((x - r) * (x - r) + (y - r) * (y - r) < (r - 1) * (r - 1)) {
                piece.SetPixel(x, y, colour);
            }
        }
    }
    piece.SetTransparentColor(kMagenta);
}

// The same piece for QPainter: transparent where magenta.
QImage pieceImage() {
    QImage image(kPieceSize, kPieceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(1, 1, kPieceSize - 2, kPieceSize - 2);
    return image;
}

QImage boardImage(const DibBitmap& board) {
    return board.ToImage();
}

void BM_PieceOntoBoard(benchmark::State& state) {
    DibBitmap board;
    board.Create(32, kBoardWidth, kBoardHeight);
    paintBoard(board);
    DibBitmap piece;
    piece.Create(32, kPieceSize, kPieceSize);
    paintPiece(piece, RgbColour(200, 30, 30));
    QImage target = boardImage(board);
    const QImage qtPiece = pieceImage();
    QPainter painter(&target);
    timeAgainst(
        state, [&] { piece.DrawTo(board, 300, 200); },
        [&] { painter.drawImage(300, 200, qtPiece); });
}

void BM_FullFrame(benchmark::State& state) {
    // The board without pieces, copied into the frame, then the four pieces
    // with their transparency, as the play screen redraws the board.
    DibBitmap clean;
    clean.Create(32, kBoardWidth, kBoardHeight);
    paintBoard(clean);
    DibBitmap frame;
    frame.Create(32, kBoardWidth, kBoardHeight);
    DibBitmap pieces[4];
    const Colour colours[4] = {RgbColour(200, 30, 30), RgbColour(30, 30, 200),
                               RgbColour(30, 160, 30), RgbColour(220, 200, 20)};
    for (int i = 0; i < 4; ++i) {
        pieces[i].Create(32, kPieceSize, kPieceSize);
        paintPiece(pieces[i], colours[i]);
    }
    std::vector<std::uint8_t> copy(static_cast<std::size_t>(kBoardWidth) * kBoardHeight * 4);
    timeAgainst(
        state,
        [&] {
            frame.CopyFrom(clean, 0, 0);
            for (int i = 0; i < 4; ++i) {
                frame.CopyFrom(pieces[i], 100 + 150 * i, 120 + 90 * i);
            }
        },
        [&] {
            std::memcpy(copy.data(), clean.GetBits(), copy.size());
            benchmark::DoNotOptimize(copy.data());
        });
}

void BM_SmoothStretch(benchmark::State& state) {
    DibBitmap picture;
    picture.Create(32, 2 * kBoardWidth, 2 * kBoardHeight);
    paintBoard(picture);
    DibBitmap board;
    board.Create(32, kBoardWidth, kBoardHeight);
    const QImage source = picture.ToImage();
    QImage target(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    timeAgainst(
        state, [&] { picture.DrawStretched(board, 0, 0, kBoardWidth, kBoardHeight, 0, 0, 0, 0); },
        [&] { painter.drawImage(QRect(0, 0, kBoardWidth, kBoardHeight), source); });
}

void BM_SmoothTextLine(benchmark::State& state) {
    bench::ensureGuiApplication();
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        state.SkipWithError("text needs a QGuiApplication");
        return;
    }
    DibBitmap panel;
    panel.Create(32, kBoardWidth, 40);
    panel.FillSolidRect(0, 0, kBoardWidth, 40, RgbColour(30, 60, 90));
    QImage target(kBoardWidth, 40, QImage::Format_RGB32);
    target.fill(QColor(30, 60, 90));
    QPainter painter(&target);
    painter.setFont(QFont(QStringLiteral("IPAMincho"), 18));
    painter.setPen(QColor(255, 255, 255));
    timeAgainst(
        state,
        [&] {
            panel.DrawSmoothText(kLine, 0, 0, kBoardWidth, 40, QStringLiteral(u"ＭＳ 明朝"), 24,
                                 RgbColour(255, 255, 255), RgbColour(0, 0, 0));
        },
        [&] { painter.drawText(QRect(0, 0, kBoardWidth, 40), Qt::AlignCenter, kLine); });
}

BENCHMARK(BM_PieceOntoBoard)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FullFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmoothStretch)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SmoothTextLine)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace banmen
