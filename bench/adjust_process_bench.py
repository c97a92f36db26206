#!/usr/bin/env python3
"""The adjustment as the user runs it, `traverse adjust FILE`, a process of its own, on generated
networks of 100, 1 000 and 10 000 stations, with `traverse import FILE` beside it (the import is
part of every adjust). With --old, another build runs in the same rounds, in turn with this one.
Each run's CPU time (user and system, from wait4) is taken; the median of the rounds counts.
Exits 1 when the largest network's adjust takes more than 0.5 s or the time per station grows
more than 1.5 x from the smallest network to the largest."""
import argparse
import os
import statistics
import sys

from import_process_bench import run


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("traverse")
    parser.add_argument("files", nargs="+", help="record files, smallest network first")
    parser.add_argument("--stations", nargs="+", type=int, required=True, help="per file")
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--old", help="another build of traverse, timed in the same rounds")
    args = parser.parse_args()
    builds = ([("old", args.old)] if args.old else []) + [("new", args.traverse)]
    print(f"Each a process of its own, median of {args.rounds} rounds in turn: CPU milliseconds")
    print(f"{'stations':>9} {'build':>5} {'import':>8} {'adjust':>8} {'adjust/station':>15}")
    per_station = []
    for path, stations in zip(args.files, args.stations):
        runs = {(b, c): [] for b, _ in builds for c in ("import", "adjust")}
        for _ in range(args.rounds):
            for command in ("import", "adjust"):
                for build, program in builds:
                    runs[(build, command)].append(run([program, command, path])[0])
        for build, _ in builds:
            imported = statistics.median(runs[(build, "import")])
            adjusted = statistics.median(runs[(build, "adjust")])
            print(f"{stations:9} {build:>5} {imported * 1000:8.0f} {adjusted * 1000:8.0f} "
                  f"{adjusted * 1e6 / stations:12.1f} us")
        per_station.append(adjusted / stations)
    largest = adjusted
    growth = per_station[-1] / per_station[0]
    passed = largest <= 0.5 and growth <= 1.5
    print(f"adjust of {args.stations[-1]} stations {largest:.2f} s <= 0.5 s; time per station "
          f"{growth:.2f} x from {args.stations[0]} to {args.stations[-1]} <= 1.5: "
          f"{'pass' if passed else 'FAIL'}")
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
