#!/usr/bin/python3
"""Whole folders through quorvane-icons, one whole process per run, measured in the same run:

- `extract -r --png 48` with --jobs 1 against --jobs 2 (the runs alternate, one of each a pair);
- `extract -r` against a shell loop of icoutils' `wrestool -x -t14` over the same files (those the
  tool's walk takes: the default pattern, subdirectories included, links to directories left out).

Each run writes into a new empty directory; the figures are medians of wall-clock time and of the
CPU time (user + system) of the process and its children, and the median of the pairs' ratios.

    bench/folders.py [--reps N] [--loop-reps N] QUORVANE_ICONS DIR...
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

PATTERN = (".exe", ".dll", ".ocx", ".cpl", ".scr", ".icl", ".mun", ".ico")


def walked_files(directories):
    """The files the tool's walk takes from these directories, in its order, each with the number
    of the directory it came from."""
    files = []
    for number, top in enumerate(directories):
        for root, dirs, names in os.walk(top):
            dirs[:] = sorted(d for d in dirs if not os.path.islink(os.path.join(root, d)))
            for name in sorted(names):
                path = os.path.join(root, name)
                if name.lower().endswith(PATTERN) and os.path.isfile(path):
                    files.append((number, path))
    return files


def run_once(build, scratch):
    out = tempfile.mkdtemp(dir=scratch)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(build(out), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    written = sum(len(names) for _, _, names in os.walk(out))
    shutil.rmtree(out)
    return wall, cpu, written


def pair(name_a, build_a, name_b, build_b, reps, scratch):
    run_once(build_a, scratch)  # warm-up, not counted
    run_once(build_b, scratch)
    a, b = [], []
    for _ in range(reps):
        a.append(run_once(build_a, scratch))
        b.append(run_once(build_b, scratch))
    ratio = statistics.median(x[0] / y[0] for x, y in zip(a, b))
    for name, runs in ((name_a, a), (name_b, b)):
        wall = statistics.median(r[0] for r in runs) * 1000
        cpu = statistics.median(r[1] for r in runs) * 1000
        print(f"| {name} | {wall:.0f} ms | {cpu:.0f} ms | {runs[0][2]} | |")
    print(f"| ratio, first / second (median of the {reps} pairs) | {ratio:.2f}x | | | |")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=7)
    parser.add_argument("--loop-reps", type=int, default=3, help="pairs against the wrestool loop")
    parser.add_argument("tool")
    parser.add_argument("directories", nargs="+")
    args = parser.parse_args()
    tool = os.path.abspath(args.tool)
    tops = args.directories
    files = walked_files(tops)
    print(f"{len(files)} files in {len(tops)} directories; medians of {args.reps} pairs "
          f"({args.loop_reps} against the loop) after one warm-up pair; load average "
          f"{os.getloadavg()[0]:.2f} at the start\n")
    print("| Command | Wall | CPU (user + sys) | files written | Note |")
    print("| --- | ---: | ---: | ---: | --- |")
    with tempfile.TemporaryDirectory() as scratch:
        png = [tool, "extract", "-r", *tops, "--png", "48"]
        pair("extract -r --png 48 --jobs 1", lambda out: png + ["--jobs", "1", "-o", out],
             "extract -r --png 48 --jobs 2", lambda out: png + ["--jobs", "2", "-o", out],
             args.reps, scratch)
        if shutil.which("wrestool"):
            # Each directory's files into a directory of their own, so that names never meet.
            loop = ('out=$1; shift; while [ $# -gt 0 ]; do mkdir -p "$out/$1"; '
                    'wrestool -x -t14 -o "$out/$1" "$2"; shift 2; done')
            words = [word for number, path in files for word in (str(number), path)]
            pair("extract -r (default jobs)", lambda out: [tool, "extract", "-r", *tops, "-o", out],
                 "sh loop: wrestool -x -t14 -o DIR FILE", lambda out: ["sh", "-c", loop, "sh", out, *words],
                 args.loop_reps, scratch)
        else:
            print("| wrestool | | | | skipped: not installed (apt-get install icoutils) |")
    print(f"\nload average {os.getloadavg()[0]:.2f} at the end")


if __name__ == "__main__":
    main()
