#!/usr/bin/env python3
"""The report of a big network as the user gets it: `traverse report FILE -o PAGE` as a process of
its own, then headless Chromium taking a screenshot of the page, a process of its own too, on
`tools/generate_records.py --stations N --seed 1` (5 000 stations unless told).

    bench/report_page_bench.py TRAVERSE RECORDS_DIR [--stations 5000] [--repeats 3] [--old OLD]
                               [--old-repeats 1]

Prints the page's size, the point names the plot shows, and the fastest of REPEATS runs of each
process: wall-clock and CPU seconds (user and system of the child and its children, from wait4).
Targets: a page of at most 8 MB, shown by Chromium in at most 10 s of wall-clock time. With --old,
another build's page is measured too (its rendering is slow: once unless told). Exits 1 when a
target is missed.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CHROMIUM = ["/usr/bin/chromium", "--headless", "--no-sandbox", "--disable-gpu",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--no-first-run", "--window-size=1000,1330"]
MAX_PAGE = 8e6
MAX_RENDER = 10.0


def timed(command):
    """Wall-clock and CPU seconds of command, a process of its own, and its exit status."""
    start = time.monotonic()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    cpu = usage.ru_utime + usage.ru_stime
    return time.monotonic() - start, cpu, os.waitstatus_to_exitcode(status)


def screenshot(page, scratch):
    profile = tempfile.mkdtemp(dir=scratch)
    try:
        shot = os.path.join(scratch, "page.png")
        return timed(CHROMIUM + ["--user-data-dir=" + profile, "--screenshot=" + shot,
                                 "file://" + page])
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def fastest(runs):
    return min(r[0] for r in runs), min(r[1] for r in runs), max(r[2] for r in runs)


def measure(label, program, records, scratch, repeats):
    page = os.path.join(scratch, label + ".html")
    report = fastest([timed([program, "report", records, "-o", page]) for _ in range(repeats)])
    render = fastest([screenshot(page, scratch) for _ in range(repeats)])
    with open(page, "rb") as f:
        html = f.read()
    plot = html[html.find(b'<g class="points">'):html.find(b'<g class="north">')]
    points = plot.count(b'<g class="point ')
    names = len(re.findall(rb"<text ", plot[plot.find(b'<g class="labels">'):]))
    print("%8s %10d %7d %6d %8.2f %8.2f %8.2f %8.2f %5d" % (
        label, len(html), points, names, report[0], report[1], render[0], render[1],
        max(report[2], render[2])))
    return len(html), render[0], max(report[2], render[2])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("traverse")
    parser.add_argument("records")
    parser.add_argument("--stations", type=int, default=5000)
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--old")
    parser.add_argument("--old-repeats", type=int, default=1)
    args = parser.parse_args()
    records = os.path.join(args.records, "records-%d-stations.xml" % args.stations)
    if not os.path.exists(records):
        os.makedirs(args.records, exist_ok=True)
        generator = os.path.join(ROOT, "tools", "generate_records.py")
        subprocess.run([sys.executable, generator, "--stations", str(args.stations), "--seed", "1",
                        "-o", records], check=True)
    print("%s: %d bytes; report and screenshot, each a whole process, fastest of %d runs"
          % (records, os.path.getsize(records), args.repeats))
    print("%8s %10s %7s %6s %8s %8s %8s %8s %5s" % ("build", "page", "points", "names", "report s",
                                                    "CPU s", "render s", "CPU s", "exit"))
    with tempfile.TemporaryDirectory() as scratch:
        if args.old:
            measure("--old", os.path.abspath(args.old), records, scratch, args.old_repeats)
        size, render, status = measure("new", os.path.abspath(args.traverse), records, scratch,
                                       args.repeats)
    small = size <= MAX_PAGE
    quick = render <= MAX_RENDER
    print("page %.2f MB <= %.0f MB %s; rendered in %.2f s <= %.0f s %s" % (
        size / 1e6, MAX_PAGE / 1e6, "pass" if small else "FAIL", render, MAX_RENDER,
        "pass" if quick else "FAIL"))
    return 0 if small and quick and status == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
