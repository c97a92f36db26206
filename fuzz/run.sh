#!/bin/sh
# Runs each fuzz target for a bounded time: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# Seeds come from fuzz/seeds/, examples/, the test data and the other targets' corpora; new inputs
# collect in fuzz/corpus-<target>/, crashing inputs in fuzz/artifacts/. Exits non-zero on the first
# finding.
set -e
build=$1
seconds=${2:-60}
shift 2 || shift $#
targets=${*:-import_fuzzer repair_fuzzer pipeline_fuzzer}
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$top/fuzz/artifacts"
for target in $targets; do
    corpus="$top/fuzz/corpus-$target"
    mkdir -p "$corpus"
    others=""
    for other in "$top"/fuzz/corpus-*; do
        [ -d "$other" ] && [ "$other" != "$corpus" ] && others="$others $other"
    done
    echo "== $target for $seconds s"
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -dict="$top/fuzz/record.dict" -print_final_stats=1 \
        -artifact_prefix="$top/fuzz/artifacts/$target-" \
        "$corpus" "$top/fuzz/seeds" "$top/examples" "$top/tests/data" $others
done
