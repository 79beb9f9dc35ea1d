#!/usr/bin/env python3
"""The Linux build and the Windows build under Wine, timed by the same code in the same minutes.

Runs quorvane_core_bench of both builds in turns (ROUNDS rounds, each run `--reps REPS`) on the
same directories, and prints each row's median milliseconds on Linux and under Wine and their
ratio. Wine is not Windows: the ratios are for seeing a change that makes the Windows build slower,
not targets.

  bench/linux_vs_wine.py [--rounds N] [--reps N] [--linux BUILD] [--windows BUILD] DIRECTORY...

BUILD directories default to build-bench (./build.sh bench) and build-windows64 (configured with
-DQUORVANE_BUILD_BENCH=ON); the Windows program runs through that build's wine-run.sh.
"""
import argparse
import os
import statistics
import subprocess
import sys


def run_bench(command, env=None):
    """The rows one run prints: {title: milliseconds}."""
    out = subprocess.run(command, check=True, capture_output=True, text=True, env=env).stdout
    rows = {}
    for line in out.splitlines():
        title, _, ms = line.rpartition("\t")
        if title:
            rows[title] = float(ms)
    return rows


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--linux", default="build-bench")
    parser.add_argument("--windows", default="build-windows64")
    parser.add_argument("directories", nargs="+")
    args = parser.parse_args()

    linux = [os.path.join(args.linux, "bench", "quorvane_core_bench"), "--reps", str(args.reps)]
    linux += args.directories
    wine_env = dict(os.environ, WINEPREFIX=os.path.abspath(os.path.join(args.windows, "wine-prefix")))
    windows = [os.path.join(args.windows, "wine-run.sh"),
               os.path.join(args.windows, "bench", "quorvane_core_bench.exe"), "--reps", str(args.reps)]
    windows += [wine_path(d) for d in args.directories]

    times = {}  # title -> ([linux ms], [wine ms])
    for _ in range(args.rounds):
        for side, rows in ((0, run_bench(linux)), (1, run_bench(windows, wine_env))):
            for title, ms in rows.items():
                times.setdefault(title, ([], []))[side].append(ms)

    print(f"| row | Linux | Wine | Wine / Linux |")
    print(f"| --- | ---: | ---: | ---: |")
    for title, (on_linux, on_wine) in times.items():
        if not on_linux or not on_wine:
            sys.exit(f"linux_vs_wine: the row '{title}' came from one build only")
        a, b = statistics.median(on_linux), statistics.median(on_wine)
        print(f"| {title} | {a:.2f} ms | {b:.2f} ms | {b / a:.1f}x |")


if __name__ == "__main__":
    main()
