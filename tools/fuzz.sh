#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each target for
# SECONDS (default 60), one after the other, and prints its executions,
# coverage, slowest input and peak memory. A crash, leak, hang or
# out-of-memory (over 512 MiB) is reported with the input that caused it,
# saved under build-fuzz/findings/TARGET/, and makes the script exit with
# status 1. An input counts as a hang after BANMEN_FUZZ_TIMEOUT seconds
# (default 5: the clock is the wall's, and a busy machine slows everything;
# inputs over 1 s are listed in the log as slow units).
#
#   tools/fuzz.sh [SECONDS] [TARGET...]     e.g. tools/fuzz.sh 600 wav mp3
#
# The corpus each target grows lives in build-fuzz/corpus/TARGET; the seeds
# in fuzz/seeds/TARGET (made by `fuzz-seeds`) and the dictionaries in
# fuzz/dicts are read only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/setup.sh"

seconds=${1:-60}
[ $# -gt 0 ] && shift
case $seconds in '' | *[!0-9]*)
    echo "usage: tools/fuzz.sh [SECONDS] [TARGET...]" >&2
    exit 2
    ;;
esac
all_targets=(workspace project archive record_json bmp wav mp3 settings play)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

banmen_install_packages
build="$root/build-fuzz"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DBANMEN_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" "${launcher[@]}" >/dev/null
fuzzers=()
for target in "${targets[@]}"; do fuzzers+=("${target}_fuzzer"); done
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target "${fuzzers[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The targets that take paths write their scratch files there: memory is faster.
[ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/logs/$target.log"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    options=(-max_total_time="$seconds" -timeout="${BANMEN_FUZZ_TIMEOUT:-5}"
        -report_slow_units=1 -rss_limit_mb=512 -max_len=65536
        -print_final_stats=1 -artifact_prefix="$findings/")
    [ -f "$root/fuzz/dicts/$target.dict" ] && options+=(-dict="$root/fuzz/dicts/$target.dict")
    seeds=()
    [ -d "$root/fuzz/seeds/$target" ] && seeds=("$root/fuzz/seeds/$target")
    touch "$build/logs/$target.start"
    status=0
    "$build/fuzz/${target}_fuzzer" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1 || true)
    slowest=$(sed -n 's/^stat::slowest_unit_time_sec: *//p' "$log" | tail -n 1)
    memory=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n 1)
    printf '%-12s %10s executions  %-20s corpus %5s  slowest %ss  peak %s MB\n' "$target" \
        "${executions:-?}" "${coverage:-cov: ?}" "$(find "$corpus" -type f | wc -l)" \
        "${slowest:-?}" "${memory:-?}"
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        echo "  $target FAILED (status $status); the end of $log:" >&2
        tail -n 40 "$log" | sed 's/^/    /' >&2
        echo "  inputs saved:" >&2
        find "$findings" -type f -newer "$build/logs/$target.start" 2>/dev/null | sed 's/^/    /' >&2 || true
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found problems in: ${failed[*]}" >&2
fi
echo "fuzzing: $((${#targets[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
[ ${#failed[@]} -eq 0 ]
