// A save-and-open cycle of a workspace (write to a temporary name, flush to
// disk, rename; then open and check), beside a plain write and read of the
// same 273,760 bytes, with and without the flush, in the same run.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/workspace.h"
#include "platform/notifier.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

std::string benchFolder() {
    static const std::string folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "banmen-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(benchFolder(), ignored);
        });
        return pattern;
    }();
    return folder;
}

void BM_WorkspaceSaveOpen(benchmark::State& state) {
    SilentNotifier notifier;
    RecordOwner owner;
    owner.replaceRecord(test::fullRecord());
    Workspace workspace(owner, notifier);
    const std::string folder = benchFolder() + "/cycle";
    workspace.setLocation({folder, "game.sgw", "game.sgr", "game.sgp"});
    RecordOwner reader;
    Workspace opened(reader, notifier);
    for (auto _ : state) {
        if (!workspace.SaveWorkspace() || !opened.OpenFile(folder + "/game.sgw")) {
            state.SkipWithError("save or open failed");
            return;
        }
        benchmark::DoNotOptimize(reader.record().headerMarker);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kGameRecordSize) * 2);
}
BENCHMARK(BM_WorkspaceSaveOpen)->Unit(benchmark::kMicrosecond);

// The baseline: the same bytes written and read back with plain calls.
void plainCycle(benchmark::State& state, bool flush) {
    const GameRecord record = test::fullRecord();
    const std::string path = benchFolder() + "/plain.bin";
    std::vector<char> back(kGameRecordSize);
    for (auto _ : state) {
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        bool ok = fd >= 0 &&
                  ::write(fd, &record, kGameRecordSize) == static_cast<ssize_t>(kGameRecordSize);
        if (flush && ok) {
            ok = ::fsync(fd) == 0;
        }
        ok = fd >= 0 && ::close(fd) == 0 && ok;
        fd = ::open(path.c_str(), O_RDONLY);
        ok = fd >= 0 &&
             ::read(fd, back.data(), back.size()) == static_cast<ssize_t>(kGameRecordSize) && ok;
        if (fd >= 0) {
            ::close(fd);
        }
        if (!ok) {
            state.SkipWithError("plain write or read failed");
            return;
        }
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kGameRecordSize) * 2);
}

void BM_PlainWriteRead(benchmark::State& state) {
    plainCycle(state, false);
}
void BM_PlainWriteFlushRead(benchmark::State& state) {
    plainCycle(state, true);
}
BENCHMARK(BM_PlainWriteRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainWriteFlushRead)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace banmen
