// Build and extraction of a game whose media total about 200 MB, each timed
// beside a plain copy of the same media files in the same iterations (all in
// one temporary folder, so on one file system). "ratio_vs_copy" is the
// operation's median time over the copy's; the aim is 1.2 or less.
//
// The build flushes the game file to the disk before renaming it over the
// target, which a plain copy does not: "build" compares it with the plain
// copy as it is, "build_sync" with a copy followed by a flush of the file
// system. Both sides start with nothing left to write (sync before each).

#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "model/archive_reader.h"
#include "model/game_build.h"
#include "model/text_field.h"
#include "model/workspace.h"
#include "platform/files.h"
#include "support/sample_records.h"
#include "support/test_support.h"

namespace banmen {
namespace {

namespace fs = std::filesystem;

constexpr int kPictures = 40;
constexpr std::size_t kPictureSize = 3500 * 1024;  // 40 x 3.5 MB = 140 MB
constexpr int kSounds = 10;
constexpr std::size_t kSoundSize = 6 * 1024 * 1024;  // 10 x 6 MB = 60 MB

// The workspace, made once per process: every picture and sound referenced
// once, so that the game file holds each medium exactly once.
struct Fixture {
    test::TempDir dir;
    WorkspaceLocation location;
    std::unique_ptr<GameRecord> record = std::make_unique<GameRecord>(test::defaultRecord());
    std::vector<std::string> media;  // relative to the workspace folder
    std::uint64_t mediaBytes = 0;

    Fixture() {
        location.folder = dir.file("workspace");
        location.setFileName("bench.sgw");
        fs::create_directories(location.folder + "/Image Files");
        fs::create_directories(location.folder + "/Sound Files");
        GameRecord& r = *record;
        r.settings.gamePicture = -1;
        r.settings.helpPicture = -1;
        r.settings.music = -1;
        for (PlayerDef& player : r.players) {
            player.picture = -1;
        }
        for (int s = 0; s < kSquareCount; ++s) {
            r.squares[s].picture = s < kPictures ? s : -1;
            r.squares[s].supplementPicture = -1;
            r.squares[s].sound = s < kSounds ? s : -1;
        }
        std::uint32_t seed = 1;
        auto fill = [&](const std::string& relative, std::size_t size) {
            std::vector<std::uint8_t> bytes(size);
            for (std::uint8_t& b : bytes) {
                seed = seed * 1103515245u + 12345u;
                b = static_cast<std::uint8_t>(seed >> 16);
            }
            test::writeBytes(location.folder + "/" + relative, bytes);
            media.push_back(relative);
            mediaBytes += size;
        };
        for (int m = 0; m < kPictures; ++m) {
            const std::string name = "picture" + std::to_string(m) + ".bmp";
            storeFieldText(r.images[m].name, kNameMax, name);
            storeFieldText(r.images[m].fileName, kNameMax, name);
            fill("Image Files/" + name, kPictureSize);
        }
        for (int n = 0; n < kSounds; ++n) {
            const std::string name = "sound" + std::to_string(n) + ".wav";
            storeFieldText(r.sounds[n].name, kNameMax, name);
            storeFieldText(r.sounds[n].fileName, kNameMax, name);
            fill("Sound Files/" + name, kSoundSize);
        }
        BuildReport report;
        built = BuildGame(r, location, game(), report).isOk() && report.skipped.empty();
    }

    std::string game() const { return dir.file("game.sgr"); }
    bool built = false;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// Waits until everything written to the file system of `path` is on disk.
void syncFileSystem(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor >= 0) {
        (void)::syncfs(descriptor);
        ::close(descriptor);
    }
}

// The plain copy: every medium copied to `to` with the program's CopyFile.
bool copyMedia(const Fixture& f, const std::string& to, bool sync) {
    fs::create_directories(to + "/Image Files");
    fs::create_directories(to + "/Sound Files");
    bool ok = true;
    for (const std::string& relative : f.media) {
        const std::string target = to + "/" + relative;
        ok = CopyFile(f.location.folder + "/" + relative, target).isOk() && ok;
    }
    if (sync) {
        syncFileSystem(to);
    }
    return ok;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `op` and then the plain copy in every iteration; what either wrote is
// removed afterwards (manual time counts only `op`), so both start from the
// same state.
template <typename Op, typename Cleanup>
void timeAgainstCopy(benchmark::State& state, bool syncCopy, Op op, Cleanup cleanup) {
    Fixture& f = fixture();
    if (!f.built) {
        state.SkipWithError("the workspace could not be built");
        return;
    }
    const std::string copy = f.dir.file("copy");
    std::vector<double> opSeconds;
    std::vector<double> copySeconds;
    bool ok = true;
    for (auto _ : state) {
        // Each side starts with nothing of the other's waiting to be written.
        ::sync();
        auto start = std::chrono::steady_clock::now();
        ok = op() && ok;
        const double opTime = secondsSince(start);
        ::sync();
        start = std::chrono::steady_clock::now();
        ok = copyMedia(f, copy, syncCopy) && ok;
        const double copyTime = secondsSince(start);
        state.SetIterationTime(opTime);
        opSeconds.push_back(opTime);
        copySeconds.push_back(copyTime);
        fs::remove_all(copy);
        cleanup();
    }
    if (!ok) {
        state.SkipWithError("an operation failed");
        return;
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(f.mediaBytes));
    const double opMedian = bench::median(opSeconds);
    const double copyMedian = bench::median(copySeconds);
    state.counters["median_ms"] = opMedian * 1e3;
    state.counters["copy_ms"] = copyMedian * 1e3;
    state.counters["ratio_vs_copy"] = copyMedian > 0 ? opMedian / copyMedian : 0;
    state.counters["media_MB"] = static_cast<double>(f.mediaBytes) / 1e6;
}

void BM_Build(benchmark::State& state, bool syncCopy) {
    Fixture& f = fixture();
    const std::string target = f.dir.file("target.sgr");
    timeAgainstCopy(
        state, syncCopy,
        [&] {
            BuildReport report;
            return BuildGame(*f.record, f.location, target, report).isOk();
        },
        [&] { fs::remove(target); });
}

void BM_Extract(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string out = f.dir.file("extracted");
    timeAgainstCopy(
        state, false, [&] { return ExtractArchive(f.game(), out).isOk(); },
        [&] { fs::remove_all(out); });
}

BENCHMARK_CAPTURE(BM_Build, build, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);
BENCHMARK_CAPTURE(BM_Build, build_sync, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(9);
BENCHMARK(BM_Extract)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace
}  // namespace banmen
