// The square page of a full game in the editor window: switching the
// selected object between two squares (the page is read, loads the other
// square, is shown and painted) and reading the page (what every save,
// build, run and copy does first). Target: each under 5 ms. The whole
// switch in the window, with the map's repaint, is measured beside them.
//
// Baselines in the same run: setting and painting the texts of 44 line
// edits (the least a page load does) and converting 44 texts to Shift-JIS
// (the least a read does). The machine is shared, so the time this thread
// spent on the processor is given beside the wall-clock medians.

#include <benchmark/benchmark.h>
#include <time.h>

#include <QLineEdit>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench_gui.h"
#include "bench_timing.h"
#include "editor/document/editor_document.h"
#include "editor/pages/page_stack.h"
#include "editor/pages/page_text.h"
#include "editor/pages/property_page.h"
#include "editor/window/editor_window.h"
#include "platform/notifier.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

constexpr int kFields = 44;

struct Editor {
    test::TempDir home;
    test::TempDir folder;
    SilentNotifier notifier;
    std::unique_ptr<EditorDocument> document;
    std::unique_ptr<EditorWindow> window;

    Editor() {
        bench::ensureGuiApplication();
        setenv("BANMEN_HOME", home.path().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const GameRecord record = test::fullRecord();
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(&record);
        const std::string path = folder.file("full.sgw");
        test::writeBytes(path, {bytes, bytes + sizeof(GameRecord)});
        document = std::make_unique<EditorDocument>(notifier);
        window = std::make_unique<EditorWindow>(*document);
        (void)window->openFile(path);
        window->show();
        QCoreApplication::processEvents();
    }
};

Editor& editor() {
    static Editor* shared = new Editor;  // kept to the end of the process
    return *shared;
}

// As many line edits as the square page has, for the baselines.
struct Lines {
    QWidget host;
    std::vector<QLineEdit*> lines;
    Lines() {
        host.resize(180, 578);
        for (int i = 0; i < kFields; ++i) {
            auto* line = new QLineEdit(&host);
            line->setGeometry(70, i * 13, 100, 20);
            lines.push_back(line);
        }
        host.show();
    }
};

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Wall-clock medians against the baseline, and the processor time medians.
template <typename Op, typename Baseline>
void measure(benchmark::State& state, Op op, Baseline baseline) {
    std::vector<double> cpuOp;
    std::vector<double> cpuBase;
    const bench::Medians wall = bench::timeAgainst(
        state,
        [&] {
            const double start = threadSeconds();
            op();
            cpuOp.push_back(threadSeconds() - start);
        },
        [&] {
            const double start = threadSeconds();
            baseline();
            cpuBase.push_back(threadSeconds() - start);
        });
    state.counters["ms"] = wall.op * 1e3;
    state.counters["ratio"] = wall.ratio();
    const double cpu = bench::median(cpuOp);
    const double cpuBaseline = bench::median(cpuBase);
    state.counters["cpu_ms"] = cpu * 1e3;
    state.counters["cpu_ratio"] = cpuBaseline > 0 ? cpu / cpuBaseline : 0;
}

// The page's part of a switch: the read, the load of the other square,
// showing and painting the page.
void BM_SwitchSquarePage(benchmark::State& state) {
    Editor& e = editor();
    e.window->selectObject(Selection{ObjectKind::Square, 10}, true);
    QCoreApplication::processEvents();
    Lines baseline;
    int turn = 0;
    measure(
        state,
        [&] {
            PageStack& pages = e.window->pages();
            if (pages.readPages()) {
                pages.showObject(Selection{ObjectKind::Square, 10 + (++turn & 1)});
            }
            pages.visiblePage()->repaint();
        },
        [&] {
            const QString text = QString::number(turn);
            for (QLineEdit* line : baseline.lines) {
                line->setText(text);
            }
            baseline.host.repaint();
        });
    if (e.window->pages().visiblePage()->kind() != ObjectKind::Square) {
        state.SkipWithError("the square page is not shown");
    }
}
BENCHMARK(BM_SwitchSquarePage)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(300);

// The whole switch as the object selector makes it: also the selector, the
// menus and the map's repaint of the selected square.
void BM_SelectSquareInWindow(benchmark::State& state) {
    Editor& e = editor();
    Lines baseline;
    int turn = 0;
    measure(
        state,
        [&] {
            e.window->selectObject(Selection{ObjectKind::Square, 10 + (turn++ & 1)}, true);
            e.window->repaint();
        },
        [&] {
            const QString text = QString::number(turn);
            for (QLineEdit* line : baseline.lines) {
                line->setText(text);
            }
            baseline.host.repaint();
        });
    if (e.document->selection().kind != ObjectKind::Square) {
        state.SkipWithError("no square was selected");
    }
}
BENCHMARK(BM_SelectSquareInWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(300);

void BM_ReadSquarePage(benchmark::State& state) {
    Editor& e = editor();
    e.window->selectObject(Selection{ObjectKind::Square, 10}, true);
    QCoreApplication::processEvents();
    Lines baseline;
    for (QLineEdit* line : baseline.lines) {
        line->setText(QStringLiteral("マスの説明にある程度の長さの文"));
    }
    bool refused = false;
    measure(
        state, [&] { refused = !e.window->readPages() || refused; },
        [&] {
            std::size_t bytes = 0;
            for (QLineEdit* line : baseline.lines) {
                bytes += pageTextToRecord(line->text()).size();
            }
            benchmark::DoNotOptimize(bytes);
        });
    if (refused || e.window->pages().visiblePage()->kind() != ObjectKind::Square) {
        state.SkipWithError("the square page was not read");
    }
}
BENCHMARK(BM_ReadSquarePage)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(1000);

}  // namespace
}  // namespace banmen
