#pragma once
// Timing shared by the benchmarks that measure an operation against a plain
// baseline (a copy of the same bytes, the same job done by Qt). Medians, as a
// busy machine disturbs them less than the means.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

namespace banmen::bench {

inline double secondsBetween(std::chrono::steady_clock::time_point a,
                             std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// The middle value (the upper one of an even count); 0 for none.
inline double median(std::vector<double>& values) {
    if (values.empty()) {
        return 0;
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

struct Medians {
    double op = 0;        // seconds
    double baseline = 0;  // seconds
    double ratio() const { return baseline > 0 ? op / baseline : 0; }
};

// Runs `op` and then `baseline` once per iteration. Only the op's time is the
// iteration time (the benchmark uses manual time).
template <typename Op, typename Baseline>
Medians timeAgainst(benchmark::State& state, Op op, Baseline baseline) {
    std::vector<double> opSeconds;
    std::vector<double> baseSeconds;
    opSeconds.reserve(static_cast<std::size_t>(state.max_iterations));
    baseSeconds.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        op();
        benchmark::ClobberMemory();
        const auto opEnd = std::chrono::steady_clock::now();
        baseline();
        benchmark::ClobberMemory();
        const auto baseEnd = std::chrono::steady_clock::now();
        state.SetIterationTime(secondsBetween(start, opEnd));
        opSeconds.push_back(secondsBetween(start, opEnd));
        baseSeconds.push_back(secondsBetween(opEnd, baseEnd));
    }
    return {median(opSeconds), median(baseSeconds)};
}

}  // namespace banmen::bench
