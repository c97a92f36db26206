#!/usr/bin/env python3
"""The repair as the user runs it: `traverse repair --no-backup FILE` as a process of its own, on
generated record files with bad names (a digit put before the names of empty elements, evenly
spread: about 230 per MB, 300 in the 1.3 MB file), each run on a fresh copy of the file.

    bench/repair_bench.py TRAVERSE RECORDS_DIR [--sizes 1,10,100] [--repeats 3] [--old OLD]

Prints the fastest of REPEATS runs per file: wall-clock and CPU seconds (user and system of the
child, from wait4) and milliseconds per MB. Targets: 300 bad names in 1.3 MB under a second of
wall-clock time; CPU time per MB from the smallest to the largest file flat within 25 % with a few
hundred distinct names (--name-pool 100), as for the import; with the generator's many names
beside it, for information (libxml2's name dictionary grows slower with them). With --old,
another build runs the 1.3 MB file too (once: the loop of one name per load is slow). Exits 1
when a target is missed.
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


def record_file(records, megabytes, few_names):
    suffix = "-few-names" if few_names else ""
    path = os.path.join(records, "repair-%gMB%s.xml" % (megabytes, suffix))
    if not os.path.exists(path):
        os.makedirs(records, exist_ok=True)
        pool = ["--name-pool", "100"] if few_names else []
        generator = os.path.join(ROOT, "tools", "generate_records.py")
        subprocess.run([sys.executable, generator, "--megabytes", str(megabytes), "--seed", "1",
                        "-o", path] + pool, check=True)
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


def measure(args, scratch, megabytes, few_names):
    with open(record_file(args.records, megabytes, few_names), "rb") as f:
        data, names = with_bad_names(f.read(), round(NAMES_PER_MB * megabytes))
    source = os.path.join(scratch, "source.xml")
    with open(source, "wb") as f:
        f.write(data)
    runs = [run_once(args.traverse, source, scratch) for _ in range(args.repeats)]
    wall, cpu = min(r[0] for r in runs), min(r[1] for r in runs)
    per_mb = cpu * 1000 / (len(data) / 1e6)
    label = "%gMB%s" % (megabytes, "-few-names" if few_names else "")
    print("%16s %10d %6d %8.3f %8.3f %10.1f %5d" % (label, len(data), names, wall, cpu, per_mb,
                                                     runs[0][2]))
    return source, names, wall, per_mb


def flatness(label, per_mb, judged):
    spread = max(per_mb) / min(per_mb)
    verdict = spread <= 1.25
    print("  %-22s %s   spread %.2f %s" % (label, "  ".join("%6.1f" % v for v in per_mb), spread,
                                          ("<= 1.25 " + ("pass" if verdict else "FAIL")) if judged
                                          else "(informative)"))
    return verdict or not judged


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("traverse")
    parser.add_argument("records")
    parser.add_argument("--sizes", default="1,10,100")
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--old")
    args = parser.parse_args()
    scratch = tempfile.mkdtemp(prefix="repair-bench-")
    print("traverse repair --no-backup FILE, a whole process, fastest of %d runs" % args.repeats)
    print("%16s %10s %6s %8s %8s %10s %5s" % ("file", "bytes", "names", "wall s", "CPU s",
                                              "CPU ms/MB", "exit"))
    source, names, wall, _ = measure(args, scratch, 1.3, False)
    ok = wall < 1.0
    if args.old:
        old = run_once(args.old, source, scratch)
        print("%16s %10s %6d %8.3f %8.3f %10s %5d" % ("1.3MB, --old", "", names, old[0], old[1],
                                                      "", old[2]))
    sizes = [float(s) for s in args.sizes.split(",")]
    few = [measure(args, scratch, size, True)[3] for size in sizes]
    many = [measure(args, scratch, size, False)[3] for size in sizes]
    print("%d names in 1.3 MB: %.3f s < 1 s %s" % (names, wall, "pass" if ok else "FAIL"))
    print("CPU ms per MB, %s MB:" % ", ".join("%g" % size for size in sizes))
    ok = flatness("few distinct names", few, True) and ok
    flatness("many distinct names", many, False)
    print("every target holds" if ok else "a target is missed")
    shutil.rmtree(scratch)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
