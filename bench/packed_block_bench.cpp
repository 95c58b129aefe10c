// Pack and Unpack of whole game records, each timed beside a memcpy of the
// same bytes in the same iterations. The counter "ratio_vs_memcpy" is the
// operation's median time over the memcpy's; the aim for unit size 1 on the
// full record is 4 or less.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/packed_block.h"
#include "support/sample_records.h"

namespace banmen {
namespace {

enum class Sample { full, defaults };

const std::vector<std::uint8_t>& sampleBytes(Sample sample) {
    static const std::vector<std::uint8_t> full = [] {
        const GameRecord record = test::fullRecord();
        const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
        return std::vector<std::uint8_t>(p, p + sizeof record);
    }();
    static const std::vector<std::uint8_t> defaults = [] {
        const GameRecord record = test::defaultRecord();
        const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
        return std::vector<std::uint8_t>(p, p + sizeof record);
    }();
    return sample == Sample::full ? full : defaults;
}

double secondsBetween(std::chrono::steady_clock::time_point a,
                      std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

double median(std::vector<double>& values) {
    if (values.empty()) {
        return 0;
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Runs `op` once per iteration and a memcpy of `source` right after it. Only
// the op's time counts as the iteration time (the benchmark uses manual time).
// The counters hold the medians of both, which a busy machine disturbs less
// than the means, and "ratio_vs_memcpy", the op's median over the memcpy's.
template <typename Op>
void timeAgainstMemcpy(benchmark::State& state, const std::vector<std::uint8_t>& source, Op op) {
    std::vector<std::uint8_t> copy(source.size());
    std::vector<double> opSeconds;
    std::vector<double> copySeconds;
    opSeconds.reserve(static_cast<std::size_t>(state.max_iterations));
    copySeconds.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        op();
        benchmark::ClobberMemory();
        const auto opEnd = std::chrono::steady_clock::now();
        std::memcpy(copy.data(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
        const auto copyEnd = std::chrono::steady_clock::now();
        state.SetIterationTime(secondsBetween(start, opEnd));
        opSeconds.push_back(secondsBetween(start, opEnd));
        copySeconds.push_back(secondsBetween(opEnd, copyEnd));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
    const double opMedian = median(opSeconds);
    const double copyMedian = median(copySeconds);
    state.counters["median_us"] = opMedian * 1e6;
    state.counters["memcpy_us"] = copyMedian * 1e6;
    state.counters["ratio_vs_memcpy"] = copyMedian > 0 ? opMedian / copyMedian : 0;
}

void BM_Pack(benchmark::State& state, Sample sample) {
    const std::vector<std::uint8_t>& bytes = sampleBytes(sample);
    const int unitSize = static_cast<int>(state.range(0));
    std::vector<std::uint8_t> block(Pack(unitSize, bytes.data(), bytes.size(), nullptr));
    std::size_t packedSize = 0;
    timeAgainstMemcpy(state, bytes, [&] {
        packedSize = Pack(unitSize, bytes.data(), bytes.size(), block.data());
        benchmark::DoNotOptimize(packedSize);
    });
    state.counters["packed_bytes"] = static_cast<double>(packedSize);
}

void BM_Unpack(benchmark::State& state, Sample sample) {
    const std::vector<std::uint8_t>& bytes = sampleBytes(sample);
    const int unitSize = static_cast<int>(state.range(0));
    std::vector<std::uint8_t> block(Pack(unitSize, bytes.data(), bytes.size(), nullptr));
    block.resize(Pack(unitSize, bytes.data(), bytes.size(), block.data()));
    std::vector<std::uint8_t> out;
    bool ok = true;
    timeAgainstMemcpy(state, bytes, [&] {
        ok = Unpack(block.data(), block.size(), out).isOk() && ok;
        benchmark::DoNotOptimize(out.data());
    });
    if (!ok || out != bytes) {
        state.SkipWithError("unpacked bytes differ from the record");
    }
}

BENCHMARK_CAPTURE(BM_Pack, full, Sample::full)
    ->ArgName("unit")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Unpack, full, Sample::full)
    ->ArgName("unit")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Pack, default, Sample::defaults)
    ->ArgName("unit")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Unpack, default, Sample::defaults)
    ->ArgName("unit")
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace banmen
