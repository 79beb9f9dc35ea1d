#!/usr/bin/python3
"""Every icon group of Wine's shell32.dll (amd64 and i386) to .ico bytes in one Python process:
the quorvane module against icoextract (Debian python3-icoextract), in the same run, each file
opened afresh each run, the two taken in turns. Prints the medians and their ratio.

    PYTHONPATH=build/python bench/python_vs_icoextract.py [--runs N] [DIRECTORY ...]

The directories default to what bench/fetch_corpus.sh prints (the corpus must be fetched first).
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

import icoextract
import quorvane


def ours(path):
    return [group.ico_bytes() for group in quorvane.open(path).icons]


def theirs(path):
    extractor = icoextract.IconExtractor(path)
    return [extractor.get_icon(num=index).getvalue()
            for index in range(len(extractor.list_group_icons()))]


def timed(function, path):
    start = time.perf_counter()
    result = function(path)
    return time.perf_counter() - start, result


def corpus_directories():
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fetch_corpus.sh")
    return subprocess.run([script], check=True, capture_output=True, text=True).stdout.split()


def bench_file(path, runs):
    timed(ours, path)  # one uncounted warm-up run each: the page cache warm for both
    timed(theirs, path)
    our_times, their_times = [], []
    for run in range(runs):
        pair = [(ours, our_times), (theirs, their_times)]
        for function, times in pair if run % 2 == 0 else reversed(pair):
            seconds, result = timed(function, path)
            times.append(seconds)
            if function is ours:
                our_icos = result
            else:
                their_icos = result
    same = sum(a == b for a, b in zip(our_icos, their_icos))
    return statistics.median(our_times), statistics.median(their_times), our_icos, their_icos, same


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("directories", nargs="*")
    options = parser.parse_args()
    directories = options.directories or corpus_directories()
    print(f"load average: {' '.join(f'{x:.2f}' for x in os.getloadavg())}, "
          f"{os.cpu_count()} cores, {options.runs} runs each, medians")
    print(f"{'file':<52} {'groups':>6} {'quorvane':>10} {'icoextract':>11} {'ratio':>7}  same bytes")
    worst = None
    for directory in directories:
        path = os.path.join(directory, "shell32.dll")
        our, their, our_icos, their_icos, same = bench_file(path, options.runs)
        ratio = their / our
        worst = ratio if worst is None else min(worst, ratio)
        name = os.path.relpath(path, os.path.dirname(os.path.dirname(os.path.dirname(directory))))
        print(f"{name:<52} {len(our_icos):>6} {our * 1000:>8.1f}ms {their * 1000:>9.1f}ms "
              f"{ratio:>6.1f}x  {same}/{len(their_icos)}")
    print(f"quorvane is {worst:.1f} times as fast as icoextract at worst (target: 5)")
    return 0 if worst >= 5 else 1


if __name__ == "__main__":
    sys.exit(main())
