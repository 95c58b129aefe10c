// The editor's document and window: undo and redo on a full game beside a
// copy of the whole record, the history's memory after 1,000 edits beside
// 1,000 whole copies, and the time from a process start to the first
// painted editor window beside a bare QMainWindow of the same size.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "editor/document/editor_document.h"
#include "model/object_list.h"
#include "platform/sjis.h"
#include "support/sample_records.h"
#include "support/test_support.h"

extern char** environ;

namespace banmen {
namespace {

void ensureApplication() {
    if (QCoreApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "banmen-bench";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);  // lives as long as the process
    }
}

// A document holding the full game, opened from a workspace file.
struct FullDocument {
    test::TempDir folder;
    SilentNotifier notifier;
    std::unique_ptr<EditorDocument> document;

    FullDocument() {
        ensureApplication();
        document = std::make_unique<EditorDocument>(notifier);
        const auto record = std::make_unique<GameRecord>(test::fullRecord());
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.get());
        test::writeBytes(folder.file("full.sgw"), {bytes, bytes + sizeof(GameRecord)});
        if (!document->openFile(folder.file("full.sgw"))) {
            std::abort();
        }
    }
};

// The edits an author makes, each its own step: moves, texts, added and
// deleted squares, routes.
void edit(EditorDocument& document, std::mt19937& random) {
    const int square = static_cast<int>(random() % kSquareCount);
    switch (random() % 5) {
        case 0:
            if (const FieldDescriptor* x = document.field(ObjectKind::Square, square, kFieldX)) {
                document.setNumber(*x, static_cast<std::int32_t>(random() % 800));
            }
            break;
        case 1:
            if (const FieldDescriptor* text =
                    document.field(ObjectKind::Square, square, kFieldDescription)) {
                document.setText(*text, sjis::lit("説明" + std::to_string(random() % 1000)));
            }
            break;
        case 2:
            document.edit(QStringLiteral("マスの削除"),
                          [&](RecordOwner& owner) { DeleteSquare(owner, square); });
            break;
        case 3:
            document.edit(QStringLiteral("マスの追加"), [&](RecordOwner& owner) {
                (void)AddSquare(owner, static_cast<std::int32_t>(random() % 800),
                                static_cast<std::int32_t>(random() % 600), 0);
            });
            break;
        default:
            document.edit(QStringLiteral("経路の追加"), [&](RecordOwner& owner) {
                AddRoute(owner, square, static_cast<std::int32_t>(random() % kSquareCount));
            });
            break;
    }
}

// Undo (or redo) of one step against a copy of the whole record. `large`:
// the step replaces the whole record (the full game over the defaults),
// else it is one field.
void undoRedo(benchmark::State& state, bool undo, bool large) {
    FullDocument full;
    EditorDocument& doc = *full.document;
    if (large) {
        const auto defaults = std::make_unique<GameRecord>(test::defaultRecord());
        doc.edit(QStringLiteral("全体"),
                 [&](RecordOwner& owner) { owner.replaceRecord(*defaults); });
    } else {
        doc.setNumber(*doc.field(ObjectKind::Square, 10, kFieldX), 1);
    }
    if (!undo) {
        doc.undo();
    }
    auto copy = std::make_unique<GameRecord>(doc.record());
    std::vector<double> stepSeconds;
    std::vector<double> copySeconds;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool stepped = undo ? doc.undo() : doc.redo();
        const auto stepEnd = std::chrono::steady_clock::now();
        // Back again for the next iteration, untimed.
        const bool back = undo ? doc.redo() : doc.undo();
        const auto copyStart = std::chrono::steady_clock::now();
        std::memcpy(copy.get(), &doc.record(), sizeof(GameRecord));
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
        const auto copyEnd = std::chrono::steady_clock::now();
        if (!stepped || !back) {
            state.SkipWithError("no step to take");
            return;
        }
        state.SetIterationTime(bench::secondsBetween(start, stepEnd));
        stepSeconds.push_back(bench::secondsBetween(start, stepEnd));
        copySeconds.push_back(bench::secondsBetween(copyStart, copyEnd));
    }
    const bench::Medians medians{bench::median(stepSeconds), bench::median(copySeconds)};
    state.counters["ms"] = medians.op * 1e3;
    state.counters["ratio_to_copy"] = medians.ratio();
}

void BM_EditorUndoFieldStep(benchmark::State& state) {
    undoRedo(state, true, false);
}
void BM_EditorRedoFieldStep(benchmark::State& state) {
    undoRedo(state, false, false);
}
void BM_EditorUndoWholeRecordStep(benchmark::State& state) {
    undoRedo(state, true, true);
}
void BM_EditorRedoWholeRecordStep(benchmark::State& state) {
    undoRedo(state, false, true);
}
BENCHMARK(BM_EditorUndoFieldStep)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorRedoFieldStep)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorUndoWholeRecordStep)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorRedoWholeRecordStep)->UseManualTime()->Unit(benchmark::kMillisecond);

// 1,000 edits on the full game: the history's bytes beside 1,000 copies of
// the record (what whole snapshots would hold).
void BM_EditorHistoryMemory(benchmark::State& state) {
    for (auto _ : state) {
        FullDocument full;
        std::mt19937 random(11);
        for (int i = 0; i < 1000; ++i) {
            edit(*full.document, random);
        }
        const UndoHistory& history = full.document->history();
        const double bytes = static_cast<double>(history.memoryBytes());
        state.counters["steps"] = static_cast<double>(history.stepCount());
        state.counters["MiB"] = bytes / (1 << 20);
        state.counters["ratio_to_snapshots"] =
            bytes / (static_cast<double>(history.stepCount()) * sizeof(GameRecord));
    }
}
BENCHMARK(BM_EditorHistoryMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

long long monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Starts a helper and gives the seconds from the start to its first paint;
// negative on failure.
double firstPaintSeconds(const char* helper) {
    const std::string program = std::string(BANMEN_BIN_DIR) + "/" + helper;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const long long start = monotonicNs();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    char text[64] = {};
    const ssize_t got = spawned == 0 ? read(pipeEnds[0], text, sizeof text - 1) : -1;
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0) {
        waitpid(child, &status, 0);
    }
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return static_cast<double>(std::atoll(text) - start) / 1e9;
}

void BM_EditorFirstPaint(benchmark::State& state) {
    // A home of its own: nothing there to open, no settings of the user's.
    test::TempDir home;
    setenv("BANMEN_HOME", home.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
    setenv("XDG_STATE_HOME", home.path().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<double> editor;
    std::vector<double> bare;
    for (auto _ : state) {
        const double e = firstPaintSeconds("banmen-first-paint");
        const double b = firstPaintSeconds("banmen-first-paint-bare");
        if (e < 0 || b < 0) {
            state.SkipWithError("the first-paint helper failed");
            break;
        }
        state.SetIterationTime(e);
        editor.push_back(e);
        bare.push_back(b);
    }
    const double e = bench::median(editor);
    const double b = bench::median(bare);
    state.counters["editor_ms"] = e * 1e3;
    state.counters["bare_ms"] = b * 1e3;
    state.counters["ratio_to_bare"] = b > 0 ? e / b : 0;
    unsetenv("BANMEN_HOME");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
}
BENCHMARK(BM_EditorFirstPaint)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace banmen
