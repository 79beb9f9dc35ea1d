#!/usr/bin/python3
"""Every icon group of one PE file written as .ico files, one whole process per run: quorvane-icons
extract against the peers installed on this machine (icoutils' wrestool, icoextract's library,
the resedit library), measured in the same run. A peer that is not installed is skipped with a
note. Each run writes into a new empty directory; the figures are medians of wall-clock time and
of the CPU time (user + system) the process used.

    bench/peers.py [--reps N] QUORVANE_ICONS FILE
"""
import argparse
import os
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def resedit_path():
    try:
        root = subprocess.run(["npm", "root", "-g"], capture_output=True, text=True).stdout.strip()
    except OSError:
        return None
    for candidate in (f"{root}/resedit-cli/node_modules", root):
        if os.path.isdir(f"{candidate}/resedit"):
            return candidate
    return None


def commands(tool, pe):
    """(name, command builder taking the output directory, environment) or (name, None, note)."""
    rows = [("quorvane-icons extract", lambda out: [tool, "extract", pe, "-o", out], None)]
    if shutil.which("wrestool"):
        rows.append(("icoutils wrestool -x -t14", lambda out: ["wrestool", "-x", "-t14", "-o", out, pe], None))
    else:
        rows.append(("icoutils wrestool", None, "not installed (apt-get install icoutils)"))
    if subprocess.run(["/usr/bin/python3", "-c", "import icoextract"], capture_output=True).returncode == 0:
        script = f"{HERE}/peers/icoextract_all.py"
        rows.append(("icoextract (library, one process)", lambda out, script=script: ["/usr/bin/python3", script, pe, out], None))
    else:
        rows.append(("icoextract", None, "not installed (apt-get install icoextract)"))
    modules = resedit_path()
    if modules and shutil.which("node"):
        script = f"{HERE}/peers/resedit_all.js"
        rows.append(("resedit (library, one process)", lambda out, script=script: ["env", f"NODE_PATH={modules}", "node", script, pe, out], None))
    else:
        rows.append(("resedit", None, "not installed (npm install -g resedit-cli)"))
    return rows


def run_once(build, scratch):
    out = tempfile.mkdtemp(dir=scratch)
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run(build(out), capture_output=True, text=True)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    files = len(os.listdir(out))
    shutil.rmtree(out)
    return done, wall, cpu, files


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reps", type=int, default=10)
    parser.add_argument("tool")
    parser.add_argument("pe")
    args = parser.parse_args()
    print(f"{os.path.basename(args.pe)}, medians of {args.reps} runs after one warm-up run\n")
    print("| Command | Wall | CPU (user + sys) | .ico files | Note |")
    print("| --- | ---: | ---: | ---: | --- |")
    with tempfile.TemporaryDirectory() as scratch:
        for name, build, note in commands(os.path.abspath(args.tool), args.pe):
            if build is None:
                print(f"| {name} | | | | skipped: {note} |")
                continue
            done, _, _, _ = run_once(build, scratch)
            if done.returncode != 0:
                lines = done.stderr.strip().splitlines() or ["?"]
                error = next((line for line in lines if "Error:" in line), lines[-1]).strip()
                print(f"| {name} | | | | fails on this file: {error} |")
                continue
            runs = [run_once(build, scratch) for _ in range(args.reps)]
            wall = statistics.median(r[1] for r in runs) * 1000
            cpu = statistics.median(r[2] for r in runs) * 1000
            print(f"| {name} | {wall:.1f} ms | {cpu:.1f} ms | {runs[0][3]} | |")


if __name__ == "__main__":
    main()
