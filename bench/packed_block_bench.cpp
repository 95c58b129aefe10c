// Pack and Unpack of whole game records, each timed beside a memcpy of the
// same bytes in the same iterations. The counter "ratio_vs_memcpy" is the
// operation's median time over the memcpy's; the aim for unit size 1 on the
// full record is 4 or less.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "bench_timing.h"
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

// Runs `op` once per iteration and a memcpy of `source` right after it. Only
// the op's time counts as the iteration time (the benchmark uses manual time).
// The counters hold the medians of both, which a busy machine disturbs less
// than the means, and "ratio_vs_memcpy", the op's median over the memcpy's.
template <typename Op>
void timeAgainstMemcpy(benchmark::State& state, const std::vector<std::uint8_t>& source, Op op) {
    std::vector<std::uint8_t> copy(source.size());
    const bench::Medians medians = bench::timeAgainst(state, op, [&] {
        std::memcpy(copy.data(), source.data(), source.size());
        benchmark::DoNotOptimize(copy.data());
    });
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
    state.counters["median_us"] = medians.op * 1e6;
    state.counters["memcpy_us"] = medians.baseline * 1e6;
    state.counters["ratio_vs_memcpy"] = medians.ratio();
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
