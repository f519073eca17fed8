#!/bin/sh
# Runs every fuzz target for a bounded time from a seed corpus made of the
# real lesson files and pictures. A crash, hang, leak or undefined behaviour stops the
# run with a failure; its input is left in fuzz/findings/ to be kept as a
# regression under fuzz/regressions/<target>/ once fixed.
#   scripts/fuzz.sh BUILD_DIRECTORY SECONDS_PER_TARGET
set -eu
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
work=$build/fuzz-work
mkdir -p "$work" "$root/fuzz/findings"
rm -rf "$work/seeds"
"$build/fuzz/fuzz_seeds" "$root/data" "$work/seeds"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in lessonfile show picture; do
    corpus=$work/corpus-$target
    mkdir -p "$corpus"
    echo "fuzz: $target for ${seconds}s"
    "$build/fuzz/fuzz_$target" "$corpus" "$work/seeds/$target" "$root/fuzz/regressions/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 \
        -artifact_prefix="$root/fuzz/findings/$target-" -print_final_stats=1 2>"$work/$target.log" || {
        tail -60 "$work/$target.log"
        echo "fuzz: $target found a fault; the input is in fuzz/findings/"
        exit 1
    }
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work/$target.log" | sed "s/^/fuzz: $target /"
done
