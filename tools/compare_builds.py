#!/usr/bin/env python3
"""Runs two builds of the traverse program over the same record files and reports every difference
in what they did: stdout, stderr, exit status and the files each command wrote or changed.

    tools/compare_builds.py OLD_TRAVERSE NEW_TRAVERSE [FILE...] [--generated N] [--variants]
                            [--commands repair,import] [--lang en]

Each command (import, check, export, run, repair; with and without --json) runs on a fresh copy of
the file, named f.xml, in a directory of its own. Without FILEs the files are those of examples/,
fuzz/seeds/ and tests/data/. --generated N adds N record files written by generate_records.py
(seeds 1..N, one to seven stations, some with few distinct names). --variants adds, for each file,
broken copies: the file cut at a few places, a name made to start with a digit (what the repair
mends), every third name of an empty element so (whole, and cut), and a stray
'<'. --commands runs only the commands named. --lang zh|en is given to every command of both builds.
"""
import argparse
import filecmp
import glob
import os
import shutil
import subprocess
import sys
import tempfile

COMMANDS = [["import", "f.xml"], ["check", "f.xml"], ["export", "f.xml", "out.txt"],
            ["run", "f.xml"], ["repair", "f.xml"], ["check", "f.xml", "--all"],
            ["adjust", "f.xml", "-o", "points.csv", "--gama", "gama.xml"], ["report", "f.xml"]]


def variants(data):
    """Broken copies of a record file's bytes."""
    out = []
    for fraction in (0.1, 0.5, 0.93):
        out.append(("cut%g" % fraction, data[: int(len(data) * fraction)]))
    at = data.find(b"<", data.find(b"<", 40) + 1)
    if at > 0:
        out.append(("digit-name", data[: at + 1] + b"1" + data[at + 1:]))
        out.append(("stray-lt", data[:at] + b"< " + data[at:]))
    names = many_bad_names(data)
    if names != data:
        out.append(("digit-names", names))
        out.append(("digit-names-cut", names[: int(len(names) * 0.7)]))
    return out


def many_bad_names(data):
    """data with a digit before the name of every third empty element."""
    pieces, last, count = [], 0, 0
    at = data.find(b"/>")
    while at >= 0:
        lt = data.rfind(b"<", 0, at)
        if lt > last and data[lt + 1:lt + 2] not in (b"/", b"?", b"!"):
            count += 1
            if count % 3 == 0:
                pieces += [data[last:lt + 1], b"1"]
                last = lt + 1
        at = data.find(b"/>", at + 2)
    return b"".join(pieces) + data[last:]


ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def default_files():
    patterns = ["examples/*.xml", "fuzz/seeds/*", "tests/data/*"]
    return sorted(f for p in patterns for f in glob.glob(os.path.join(ROOT, p)) if os.path.isfile(f))


def generated_files(count, scratch):
    files = []
    for seed in range(1, count + 1):
        path = os.path.join(scratch, "generated-%d.xml" % seed)
        pool = ["--name-pool", "3"] if seed % 5 == 0 else []
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "generate_records.py"),
                        "--stations", str(seed % 7 + 1), "--seed", str(seed), "--rounds", "1-4",
                        "--targets", "1-6", "-o", path] + pool, check=True)
        files.append(path)
    return files


def run(program, command, json, source, where, lang=None):
    os.makedirs(where)
    shutil.copyfile(source, os.path.join(where, "f.xml"))
    argv = [program] + (["--lang", lang] if lang else []) + (["--json"] if json else []) + command
    done = subprocess.run(argv, cwd=where, capture_output=True, timeout=600)
    return done


def same_tree(a, b):
    compared = filecmp.dircmp(a, b)
    if compared.left_only or compared.right_only:
        return False
    _, mismatch, errors = filecmp.cmpfiles(a, b, compared.common_files, shallow=False)
    return not mismatch and not errors


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("files", nargs="*")
    parser.add_argument("--generated", type=int, default=0)
    parser.add_argument("--variants", action="store_true")
    parser.add_argument("--commands", help="comma-separated command names (default: all)")
    parser.add_argument("--lang", choices=["zh", "en"], help="the language of both builds' texts")
    args = parser.parse_args()
    commands = [c for c in COMMANDS if not args.commands or c[0] in args.commands.split(",")]
    old, new = os.path.abspath(args.old), os.path.abspath(args.new)
    scratch = tempfile.mkdtemp(prefix="compare-builds-")
    inputs = []
    for path in (args.files or default_files()) + generated_files(args.generated, scratch):
        inputs.append((path, path))
        if args.variants:
            with open(path, "rb") as f:
                data = f.read()
            for label, broken in variants(data):
                copy = os.path.join(scratch, "%s.%s.xml" % (os.path.basename(path), label))
                with open(copy, "wb") as f:
                    f.write(broken)
                inputs.append(("%s [%s]" % (path, label), copy))
    runs = differences = 0
    for label, source in inputs:
        for json in (False, True):
            for command in commands:
                runs += 1
                base = os.path.join(scratch, "run%d" % runs)
                a = run(old, command, json, source, base + "-old", args.lang)
                b = run(new, command, json, source, base + "-new", args.lang)
                same = (a.returncode == b.returncode and a.stdout == b.stdout and a.stderr == b.stderr
                        and same_tree(base + "-old", base + "-new"))
                if not same:
                    differences += 1
                    print("DIFFERENT: %s %s %s (exit %d / %d)" % (label, "--json" if json else "",
                                                                 " ".join(command), a.returncode,
                                                                 b.returncode))
                else:
                    shutil.rmtree(base + "-old")
                    shutil.rmtree(base + "-new")
    print("%d inputs, %d runs, %d different" % (len(inputs), runs, differences))
    if differences == 0:
        shutil.rmtree(scratch)
    else:
        print("kept in", scratch)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
