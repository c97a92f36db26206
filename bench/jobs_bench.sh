#!/bin/sh
# Many files at once: the wall time of `traverse --jobs 2 check` over 200 generated record files of
# about 100 kB against `--jobs 1`, fastest of REPEATS interleaved runs each. Target: at most 0.6.
#
#   bench/jobs_bench.sh TRAVERSE RECORDS_DIR [REPEATS]
set -eu
traverse=$1
records=$2
repeats=${3:-5}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$records"
i=1
while [ "$i" -le 200 ]; do
    [ -f "$records/jobs-$i.xml" ] || python3 "$root/tools/generate_records.py" --megabytes 0.1 --seed "$i" \
        -o "$records/jobs-$i.xml"
    i=$((i + 1))
done

# Wall seconds of one run of the program over every file.
wall() {
    start=$(date +%s.%N)
    "$traverse" --jobs "$1" check "$records"/jobs-*.xml >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    echo "$end - $start" | bc
}

best1=999
best2=999
run=1
while [ "$run" -le "$repeats" ]; do
    t1=$(wall 1)
    t2=$(wall 2)
    best1=$(echo "if ($t1 < $best1) $t1 else $best1" | bc)
    best2=$(echo "if ($t2 < $best2) $t2 else $best2" | bc)
    run=$((run + 1))
done
ratio=$(echo "scale=3; $best2 / $best1" | bc)
verdict=$(echo "$ratio <= 0.6" | bc)
printf '200 files of 100 kB, check, fastest of %s runs: --jobs 1 %.3f s, --jobs 2 %.3f s, ratio %s <= 0.60 %s\n' \
    "$repeats" "$best1" "$best2" "$ratio" "$([ "$verdict" = 1 ] && echo pass || echo FAIL)"
[ "$verdict" = 1 ]
