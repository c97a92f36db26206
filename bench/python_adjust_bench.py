#!/usr/bin/env python3
"""What calling the library from Python costs: the adjustment of one record file from the Python
package against the same call from C++ (adjust_file_cpu), best CPU time of N runs each, in the same
run. The Python side includes turning the options into the library's and handing the result over
(reading its fields costs more and is not counted: they are read when first used).

    python_adjust_bench.py ADJUST_FILE_CPU PYTHON_PACKAGE_DIR RECORD_FILE [--runs N]
"""
import argparse
import subprocess
import sys
import time


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("peer")
    parser.add_argument("package")
    parser.add_argument("records")
    parser.add_argument("--runs", type=int, default=10)
    args = parser.parse_args()
    sys.path.insert(0, args.package)
    import traverse

    records = traverse.read(args.records)
    python_best = float("inf")
    for _ in range(args.runs):
        start = time.process_time()
        records.adjust()
        python_best = min(python_best, time.process_time() - start)
    peer = subprocess.run([args.peer, args.records, str(args.runs)], capture_output=True, text=True, check=True)
    cpp_best = float(peer.stdout)
    ratio = python_best / cpp_best
    print(f"adjust {args.records}: C++ {cpp_best * 1000:.1f} ms, Python {python_best * 1000:.1f} ms, "
          f"ratio {ratio:.3f} (target <= 1.10)")
    return 0 if ratio <= 1.10 else 1


if __name__ == "__main__":
    sys.exit(main())
