#!/usr/bin/env python3
"""The import as the user runs it, `traverse import FILE`, a process of its own, against its peers
in the same run: `xmllint --noout FILE` and a bare libxml2 SAX2 pass that only counts elements
(sax2_count). The programs run in turn, round after round; each one's CPU time (user and system,
from wait4) and peak resident set are taken per run; a ratio is the median of the rounds' ratios
(each round's programs run back to back). Exits 1 when a target is missed: import <= 0.6 x
xmllint's and <= 1.5 x the SAX2 pass's CPU time, peak memory <= 0.4 x xmllint's."""
import argparse
import os
import statistics
import subprocess
import sys


def run(command):
    """CPU seconds and peak resident set (KiB) of one run of command, its output discarded."""
    with open(os.devnull, "wb") as null:
        process = subprocess.Popen(command, stdout=null, stderr=null)
        _, status, usage = os.wait4(process.pid, 0)
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit(f"{command[0]} failed with status {status}")
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("traverse")
    parser.add_argument("sax2_count")
    parser.add_argument("files", nargs="+")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--old", help="another build of traverse, timed in the same rounds")
    args = parser.parse_args()
    programs = [("xmllint --noout", ["xmllint", "--noout"]), ("sax2_count", [args.sax2_count])]
    if args.old:
        programs.append(("import (old)", [args.old, "import"]))
    programs.append(("import", [args.traverse, "import"]))
    passed = True
    print(f"Each a process of its own, median of {args.rounds} rounds in turn: "
          "CPU milliseconds and peak resident set")
    for path in args.files:
        runs = {name: [] for name, _ in programs}
        for _ in range(args.rounds):
            for name, command in programs:
                runs[name].append(run(command + [path]))
        median = {name: (statistics.median(t for t, _ in r), statistics.median(m for _, m in r))
                  for name, r in runs.items()}
        print(f"{os.path.basename(path)}: {os.path.getsize(path)} bytes")
        for name, (seconds, kib) in median.items():
            print(f"  {name:16} {seconds * 1000:8.0f} ms {kib / 1024:8.1f} MiB")
        # Each round's programs ran back to back, under the same load: the median of the
        # rounds' ratios judges; the ratio of the medians is shown beside it.
        def ratio(peer, part):
            per_round = statistics.median(i[part] / p[part]
                                          for i, p in zip(runs["import"], runs[peer]))
            return per_round, median["import"][part] / median[peer][part]
        ratios = [("import/xmllint time", ratio("xmllint --noout", 0), 0.6),
                  ("import/sax2_count time", ratio("sax2_count", 0), 1.5),
                  ("import/xmllint peak", ratio("xmllint --noout", 1), 0.4)]
        print(f"  {'':24} {'rounds':>6} {'medians':>8}")
        for name, (per_round, of_medians), limit in ratios:
            verdict = "pass" if per_round <= limit else "FAIL"
            passed = passed and per_round <= limit
            print(f"  {name:24} {per_round:6.2f} {of_medians:8.2f} <= {limit:.1f} {verdict}")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
