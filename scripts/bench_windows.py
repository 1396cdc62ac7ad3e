#!/usr/bin/python3
"""Times the Windows converter under wine against the Linux one on the
32,000-point wavelength scan, smooth and noisy.

Usage: scripts/bench_windows.py [LINUX_BUILD_DIR] [WINDOWS_BUILD_DIR] [--runs N]

The build folders default to build/ and build-windows/. Both programs convert
the same scan in turn, the .exe through scripts/wine-run.sh; runs follow one
another closely enough that the wine server stays up between them, so that
a run pays for starting the program, not for starting wine. The script prints the best and median times and the ratio of
the best ones against the goal of at most 1.5 times the Linux build's, once
as measured and once without what starting a program under wine costs here
(the best of `--version`, against the same for Linux), which Windows does not
charge. The goal is judged on the noisy scan, whose numbers take longer to
write and to compress, as a real one's do.
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, ms, timed_runs, write_export  # noqa: E402
from bench_scan import scan_lines  # noqa: E402

POINTS = 32000
GOAL = 1.5
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run.sh")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("linux_build", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("windows_build", nargs="?", default=os.path.join(ROOT, "build-windows"))
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    linux = [os.path.join(args.linux_build, "bin", "ordelix-convert")]
    exe = os.path.join(args.windows_build, "bin", "ordelix-convert.exe")
    windows = [WINE_RUN, exe]
    for program in (linux[0], exe):
        if not os.path.isfile(program):
            sys.exit(f"{program} not found: build first")

    with tempfile.TemporaryDirectory(prefix="ordelix-bench-windows-") as work:
        timed_runs(windows + ["--version"], 2)  # the prefix made and loaded
        start = {"linux": min(timed_runs(linux + ["--version"], args.runs)),
                 "wine": min(timed_runs(windows + ["--version"], args.runs))}
        print(f"{POINTS}-point scan, {args.runs} runs each, {os.cpu_count()} CPUs, "
              f"load {' '.join(f'{x:.2f}' for x in os.getloadavg())}")
        for noisy in (False, True):
            scan = write_export(os.path.join(work, f"scan{POINTS}.WSC"),
                                scan_lines(POINTS, noisy=noisy))
            report = os.path.join(work, "scan.xlsx")
            runs = {"linux": [], "wine": []}
            for _ in range(args.runs):
                for name, command in (("linux", linux), ("wine", windows)):
                    runs[name] += timed_runs(command + ["-f", "-q", "-o", report, scan], 1)
            met = report_runs("noisy" if noisy else "smooth", runs, start)
    return 0 if met else 1


def report_runs(label, runs, start):
    """Prints one scan's figures; whether the goal was met on it."""
    best = {name: min(times) for name, times in runs.items()}
    print(f"  {label}")
    for name, times in runs.items():
        print(f"    {name:6s} best {ms(best[name])}   median {ms(statistics.median(times))}   "
              f"start alone {ms(start[name])}")
    ratio = best["wine"] / best["linux"]
    net = (best["wine"] - start["wine"]) / max(best["linux"] - start["linux"], 1e-6)
    print(f"    ratio  best {ratio:.2f}   without the start {net:.2f}   (goal {GOAL}) "
          f"{'met' if net <= GOAL else 'MISSED'}")
    return net <= GOAL


if __name__ == "__main__":
    sys.exit(main())
