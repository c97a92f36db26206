#!/usr/bin/env python3
"""The repair as the user runs it: `traverse repair --no-backup FILE` as a process of its own, on
generated record files with bad names (a digit put before the names of empty elements, evenly
spread: about 230 per MB, 300 in the 1.3 MB file), each run on a fresh copy of the file.

    bench/repair_bench.py TRAVERSE RECORDS_DIR [--sizes 1.3,1,10,100] [--repeats 3] [--old OLD]

Prints the fastest of REPEATS runs per file: wall-clock and CPU seconds (user and system of the
child, from wait4) and milliseconds per MB. Targets: 300 bad names in 1.3 MB under a second of
wall-clock time; CPU time per MB from the smallest to the largest file flat within 25 %. With
--old, another build runs the 1.3 MB file too (once: the loop of one name per load is slow).
Exits 1 when a target is missed.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NAMES_PER_MB = 300 / 1.3


def record_file(records, megabytes):
    path = os.path.join(records, "repair-%gMB.xml" % megabytes)
    if not os.path.exists(path):
        os.makedirs(records, exist_ok=True)
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "generate_records.py"),
                        "--megabytes", str(megabytes), "--seed", "1", "-o", path], check=True)
    return path


def with_bad_names(data, count):
    """data with a digit before the names of count empty elements, evenly spread."""
    sites = []
    at = data.find(b"/>")
    while at >= 0:
        lt = data.rfind(b"<", 0, at)
        if data[lt + 1:lt + 2] not in (b"/", b"?", b"!"):
            sites.append(lt + 1)
        at = data.find(b"/>", at + 2)
    chosen = sites[:: max(1, len(sites) // count)][:count]
    pieces, last = [], 0
    for site in chosen:
        pieces += [data[last:site], b"1"]
        last = site
    pieces.append(data[last:])
    return b"".join(pieces), len(chosen)


def run_once(program, source, scratch):
    target = os.path.join(scratch, "f.xml")
    shutil.copyfile(source, target)
    start = time.monotonic()
    child = subprocess.Popen([program, "repair", "--no-backup", target],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.monotonic() - start
    return wall, usage.ru_utime + usage.ru_stime, os.waitstatus_to_exitcode(status)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("traverse")
    parser.add_argument("records")
    parser.add_argument("--sizes", default="1.3,1,10,100")
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--old")
    args = parser.parse_args()
    scratch = tempfile.mkdtemp(prefix="repair-bench-")
    rows, ok = [], True
    print("traverse repair, whole process, fastest of %d runs" % args.repeats)
    print("%10s %10s %6s %10s %10s %10s %5s" % ("file", "bytes", "names", "wall s", "CPU s",
                                               "CPU ms/MB", "exit"))
    for megabytes in [float(s) for s in args.sizes.split(",")]:
        with open(record_file(args.records, megabytes), "rb") as f:
            data, names = with_bad_names(f.read(), round(NAMES_PER_MB * megabytes))
        source = os.path.join(scratch, "source-%g.xml" % megabytes)
        with open(source, "wb") as f:
            f.write(data)
        runs = [run_once(args.traverse, source, scratch) for _ in range(args.repeats)]
        wall, cpu = min(r[0] for r in runs), min(r[1] for r in runs)
        per_mb = cpu * 1000 / (len(data) / 1e6)
        rows.append((megabytes, len(data), per_mb))
        print("%8gMB %10d %6d %10.3f %10.3f %10.1f %5d" % (megabytes, len(data), names, wall, cpu, per_mb,
                                                          runs[0][2]))
        if megabytes == 1.3:
            verdict = wall < 1.0
            ok = ok and verdict
            print("  %d names in 1.3 MB: %.3f s < 1 s %s" % (names, wall, "pass" if verdict else "FAIL"))
            if args.old:
                old = run_once(args.old, source, scratch)
                print("  the other build: wall %.1f s, CPU %.1f s, exit %d" % old)
    ordered = sorted(r for r in rows if r[0] != 1.3)
    if len(ordered) >= 2:
        spread = max(r[2] for r in ordered) / min(r[2] for r in ordered)
        verdict = spread <= 1.25
        ok = ok and verdict
        print("CPU time per MB from %gMB to %gMB: %s  spread %.2f <= 1.25 %s" % (
            ordered[0][0], ordered[-1][0], "  ".join("%.1f" % r[2] for r in ordered), spread,
            "pass" if verdict else "FAIL"))
    shutil.rmtree(scratch)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
