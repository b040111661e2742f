#!/usr/bin/env bash
# Builds the fuzzers (build/fuzz, clang) and runs each for SECONDS (default 10).
#
#   tests/fuzz/run.sh [SECONDS] [TARGET...]       TARGET: conversions, startup, statistics, calendar, exercises (default all)
#
# Each target starts from its seeds in tests/fuzz/corpus/<target> plus what earlier runs
# found (build/fuzz/corpus/<target>, kept between runs). A crash, a hang (an input running
# over 10 s), a leak, undefined behaviour or a broken check stops the run and leaves the
# input in build/fuzz/artifacts/; the exit status is then 1. docs/fuzzing.md has more.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${RP_FUZZ_BUILD:-$root/build/fuzz}"  # another folder for a long run beside scripts/test
seconds=${1:-10}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(conversions startup statistics calendar exercises)

cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"${RP_JOBS:-2}" >"$build/build.log" 2>&1 || {
    tail -30 "$build/build.log"
    echo "fuzz: the build failed (see $build/build.log)"
    exit 1
}

mkdir -p "$build/artifacts"
status=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    log="$build/$target.log"
    # -max_len fits the seeds (a calendar's time zone alone takes a kilobyte or two);
    # -rss_limit_mb catches memory that grows with each input.
    max_len=1024
    [ "$target" = calendar ] && max_len=4096
    if timeout $((seconds + 60)) "$build/fuzz_$target" "$corpus" "$root/tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=$max_len \
        -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 >"$log" 2>&1; then
        runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log")
        cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -1)
        echo "fuzz_$target: ${runs:-?} inputs in ${seconds} s, $cov, corpus $(ls "$corpus" | wc -l) files: no finding"
    else
        status=1
        grep -E 'ERROR|runtime error|fuzz_[a-z]+: |SUMMARY|Test unit written|^#0 |^    #[0-9] ' "$log" | head -30
        echo "fuzz_$target: FAILED (log: $log)"
    fi
done
exit $status
