#!/bin/sh
# Runs every command of two builds of the traverse program over the same record files and compares
# what each printed (stdout, stderr), its exit status and every file it wrote, byte for byte.
#
#   tools/compare_builds.sh BEFORE/traverse AFTER/traverse [COUNT]
#
# The files: examples/, fuzz/seeds/, tests/data/, COUNT generated record files (default 200, seeds
# 1..COUNT, a few stations each, some with repeated names) and, for repair, a copy of each
# generated file with bad names injected. Each build works in a directory of its own on identical
# copies, with the same relative paths, so that paths in messages compare equal.
# Prints one line per difference and, last, "N runs, D differences".
set -u
before=$(realpath "$1")
after=$(realpath "$2")
count=${3:-200}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/files"
for f in "$root"/examples/*.xml "$root"/fuzz/seeds/* "$root"/tests/data/*; do
    [ -f "$f" ] && cp "$f" "$work/files/"
done
i=1
while [ "$i" -le "$count" ]; do
    pool=""
    [ $((i % 5)) -eq 0 ] && pool="--name-pool 3"
    python3 "$root/tools/generate_records.py" --stations $((i % 7 + 1)) --seed "$i" \
        --rounds 1-4 --targets 1-6 $pool -o "$work/files/generated-$i.xml"
    # Bad names: a digit before some target names (the repair mends them).
    python3 - "$work/files/generated-$i.xml" "$work/files/badnames-$i.xml" "$i" <<'PY'
import random, re, sys
data = open(sys.argv[1], "rb").read()
rng = random.Random(int(sys.argv[3]))
tags = [m.start() for m in re.finditer(rb"<(?![/?!])", data)]
for at in sorted(rng.sample(tags[3:], min(3, len(tags) - 3)), reverse=True):
    data = data[:at + 1] + str(rng.randint(0, 9)).encode() + data[at + 1:]
open(sys.argv[2], "wb").write(data)
PY
    i=$((i + 1))
done

runs=0
differences=0
# run FILE ARGS...: runs both builds with ARGS, each in a fresh directory holding a copy of FILE,
# and compares.
run() {
    file=$1
    shift
    for side in before after; do
        rm -rf "$work/$side" && mkdir "$work/$side" && cp "$work/files/$file" "$work/$side/"
        eval "binary=\$$side"
        (cd "$work/$side" && "$binary" "$@" >"$work/$side.out" 2>"$work/$side.err"; echo $? >"$work/$side.status")
    done
    runs=$((runs + 1))
    for part in out err status; do
        if ! cmp -s "$work/before.$part" "$work/after.$part"; then
            echo "differs ($part): traverse $*"
            differences=$((differences + 1))
        fi
    done
    if ! diff -r "$work/before" "$work/after" >/dev/null; then
        echo "differs (files written): traverse $*"
        differences=$((differences + 1))
    fi
}

for path in "$work"/files/*; do
    name=$(basename "$path")
    for json in "" "--json"; do
        case "$name" in
        badnames-*) run "$name" $json repair "$name"; run "$name" $json import "$name" ;;
        *)
            run "$name" $json import "$name"
            run "$name" $json check "$name"
            run "$name" $json export "$name" out.txt
            run "$name" $json run "$name"
            run "$name" $json run "$name" -o out.txt
            run "$name" $json repair "$name"
            ;;
        esac
    done
done
echo "$runs runs, $differences differences"
[ "$differences" -eq 0 ]
