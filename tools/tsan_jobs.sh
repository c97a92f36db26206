#!/bin/sh
# Several files on two threads under ThreadSanitizer: `-j 2 adjust` and `-j 2 report` over 40 record
# files (the examples, copied), RUNS times each. The program's own exit status (1 for a file that
# does not adjust) is expected; a race ends the run with TSan's status 66.
#
#   tools/tsan_jobs.sh TRAVERSE WORK_DIR [RUNS]
set -eu
traverse=$1
work=$2
runs=${3:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$work"
i=0
while [ "$i" -lt 40 ]; do
    for example in "$root"/examples/*.xml; do
        [ "$i" -lt 40 ] || break
        cp "$example" "$work/file-$i.xml"
        i=$((i + 1))
    done
done
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:exitcode=66"
run=1
while [ "$run" -le "$runs" ]; do
    for command in adjust report; do
        status=0
        "$traverse" -j 2 "$command" "$work"/file-*.xml >/dev/null 2>"$work/stderr" || status=$?
        if [ "$status" -gt 1 ]; then
            cat "$work/stderr"
            echo "tsan_jobs: -j 2 $command, run $run: exit status $status" >&2
            exit 1
        fi
    done
    run=$((run + 1))
done
echo "tsan_jobs: -j 2 adjust and -j 2 report over 40 files, $runs runs each: no report"
