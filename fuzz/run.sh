#!/bin/sh
# Runs each fuzz target for a bounded time: fuzz/run.sh BUILD_DIR SECONDS
# Seeds come from examples/ and the test data; new inputs collect in fuzz/corpus-<target>/.
set -e
build=$1
seconds=${2:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$top/fuzz/artifacts"
for target in import_fuzzer repair_fuzzer; do
    corpus="$top/fuzz/corpus-$target"
    mkdir -p "$corpus"
    echo "== $target for $seconds s"
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$top/fuzz/artifacts/$target-" \
        "$corpus" "$top/examples" "$top/tests/data"
done
