// The play screen's drawing with the waits taken out: frames of the hop, the
// dice, the fireworks and the picture transitions, and one whole frame
// (composed off screen, and painted as the play window paints it, also
// scaled up for a high-dpi screen). Target: every frame drawn in under a
// fifth of its own frame delay (hop 30 ms and more, dice 10 ms, rockets 30
// ms, transitions 5 ms).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <cstring>
#include <memory>

#include "bench_gui.h"
#include "editor/play/draw/dice_animation.h"
#include "editor/play/draw/fireworks.h"
#include "editor/play/draw/hop_animation.h"
#include "editor/play/draw/play_frame.h"
#include "editor/play/draw/transitions.h"
#include "model/record_owner.h"

namespace banmen {
namespace {

using namespace play;

// Frames pass at once; the numbers count up.
class NoWait : public FramePacer {
  public:
    bool frame(int, bool) override {
        ++frames;
        return true;
    }
    int random() override { return next++ & 0x7FFF; }
    long frames = 0;
    int next = 12345;
};

// Four players on a line of squares, default board and pieces, every panel
// and the turn's texts drawn.
struct Stage {
    RecordOwner owner;
    GameRecord record = owner.record();
    PlayFrame frame;

    Stage() {
        bench::ensureGuiApplication();
        for (int i = 0; i < 6; ++i) {
            SquareDef& s = record.squares[i];
            std::strcpy(s.name, "S");
            s.x = 100 + 120 * i;
            s.y = 300 + (i % 2) * 80;
        }
        record.settings.playerCount = 4;
        record.settings.gamePicture = -1;
        for (int p = 0; p < kPlayerCount; ++p) {
            record.players[p].picture = -1;
            record.players[p].currentSquare = p;
        }
        frame.loadPictures();
        frame.setGame(record, {}, 4);
        for (int p = 0; p < 4; ++p) {
            frame.drawPlayerPanel(p);
        }
        frame.panelPlayer(0);
        frame.panelTurnPicture(40);
        frame.panelText({"\x83\x76\x83\x8c\x83\x43\x83\x84\x81\x5b", {0, 100, 158, 124}});
        frame.showPanel();
        frame.takeDirty();
    }
};

void BM_HopFrame(benchmark::State& state) {
    Stage stage;
    NoWait pacer;
    const Point from = stage.frame.pieceTopLeft(0, 0);
    const Point to = stage.frame.pieceTopLeft(0, 5);  // 602 pixels: 24 frames
    for (auto _ : state) {
        animateHop(stage.frame, pacer, 0, from, to);
        stage.frame.takeDirty();
    }
    state.SetItemsProcessed(pacer.frames);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(pacer.frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HopFrame)->Unit(benchmark::kMillisecond);

void BM_DiceFrame(benchmark::State& state) {
    Stage stage;
    NoWait pacer;
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        animateDice(stage.frame, pacer, count, {3, 5, 6});
        stage.frame.takeDirty();
    }
    state.SetItemsProcessed(pacer.frames);
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(pacer.frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DiceFrame)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_RocketFrame(benchmark::State& state) {
    Stage stage;
    NoWait pacer;
    for (auto _ : state) {
        riseRocket(stage.frame, pacer, finaleRocket());
        burstRocket(stage.frame, pacer, finaleRocket());
        stage.frame.takeDirty();
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(pacer.frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RocketFrame)->Unit(benchmark::kMillisecond);

// The transitions of a picture as large as the board (a supplement of 800 x
// 600 is the worst case): loaded from the default board of a saved file.
void BM_TransitionStep(benchmark::State& state) {
    Stage stage;
    NoWait pacer;
    // Drawn from the board itself, as a supplement of the board's size.
    const bool curtain = state.range(0) == 0;
    long steps = 0;
    for (auto _ : state) {
        for (int j = 0; j < (curtain ? 50 : 100); ++j) {
            const Rect r =
                curtain ? sized(j * 9, 0, 9, 600) : sized(j % 10 * 81, j / 10 * 61, 81, 61);
            stage.frame.frame().BitBlt(r.left, r.top, r.width(), r.height(),
                                       stage.frame.cleanBoard(), r.left, r.top);
            stage.frame.markDirty(r);
            ++steps;
        }
        stage.frame.takeDirty();
    }
    state.counters["steps/s"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TransitionStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One whole frame composed off screen: the board with its pieces, the side
// area with the four player panels, the panel and the buttons.
void BM_FullFrameCompose(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        stage.frame.redrawBoard(kBoardRect);
        stage.frame.redrawSide(kSideRect);
        for (int p = 0; p < 4; ++p) {
            stage.frame.drawPlayerPanel(p);
        }
        stage.frame.takeDirty();
    }
}
BENCHMARK(BM_FullFrameCompose)->Unit(benchmark::kMillisecond);

// The play window's paint of the whole frame, at 1x and scaled up smoothly
// to 2x.
void BM_FullFramePaint(benchmark::State& state) {
    Stage stage;
    const int scale = static_cast<int>(state.range(0));
    QImage window(980 * scale, 600 * scale, QImage::Format_RGB32);
    window.setDevicePixelRatio(scale);
    for (auto _ : state) {
        QPainter painter(&window);
        if (scale != 1) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
        }
        painter.drawImage(QRect(0, 0, 980, 600), stage.frame.image(), QRect(0, 0, 980, 600));
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_FullFramePaint)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace banmen
