#!/usr/bin/python3
"""Times ordelix-convert on generated wavelength scans against ordelix-scan-floor,
a C program that writes the same cells and chart with libxlsxwriter, syncs the
report and its folder as a durable save must, and does nothing else.

Usage: scripts/bench_scan.py [BUILD_DIR] [--runs N]

BUILD_DIR defaults to build/ at the top of the repository. For scans of 1,000,
10,000 and 32,000 points the two programs run in turn, so that both see the
same machine; the script checks that they wrote the same workbook parts, then
prints the medians and the best of wall-clock and CPU time, their ratios and
both peak memories against the goal of at most 1.15 times the floor's
(wall-clock) time and 1.5 times its memory; and the run's data as JSON
(--format json) against the workbook, with the goal of taking no longer. The time goal is judged on the
best runs, those least disturbed by other work on the machine: on a shared
host the medians of two runs a minute apart can differ by a third.
Each run goes through GNU time (/usr/bin/time), a small C program: a child that
Python forks would carry Python's own resident memory into its peak.
"""

import argparse
import math
import os
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, ms, write_export  # noqa: E402

SIZES = (1000, 10000, 32000)
TIME_GOAL, MEMORY_GOAL = 1.15, 1.5
JSON_GOAL = 1.0  # the data's time to the workbook's
GNU_TIME = "/usr/bin/time"
COMPARED_PARTS = ("xl/worksheets/sheet1.xml", "xl/charts/chart1.xml", "xl/drawings/drawing1.xml",
                  "xl/sharedStrings.xml", "xl/styles.xml", "xl/workbook.xml")


def scan_lines(points, start=190, step=0.2):
    """OD, interval code 1 (0.2 nm), two absorption bands over a sloping base."""
    end = start + step * (points - 1)
    lines = ["7", "0", "1", "BENCH-WL", "4", "1", "3.0", "0.0", str(start), f"{end:.1f}", "1", "0",
             str(points)]
    for i in range(points):
        x = i / points
        od = 0.05 + 0.2 * x + 1.1 * math.exp(-((x - 0.3) / 0.05) ** 2) \
            + 0.6 * math.exp(-((x - 0.7) / 0.08) ** 2)
        lines.append(f"{od:.4f}")
    return lines


def run_measured(command, report):
    """Wall-clock seconds, CPU seconds and peak resident KiB of one run."""
    start = time.perf_counter()
    child = subprocess.Popen([GNU_TIME, "-f", "%M", "-o", report, *command],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # The usage of GNU time includes that of the program it waited for.
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"failed ({os.waitstatus_to_exitcode(status)}): {' '.join(command)}")
    with open(report) as f:
        peak = int(f.read().split()[-1])
    return elapsed, usage.ru_utime + usage.ru_stime, peak


def differing_parts(a, b):
    with zipfile.ZipFile(a) as za, zipfile.ZipFile(b) as zb:
        return [p for p in COMPARED_PARTS if za.read(p) != zb.read(p)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    converter = os.path.join(args.build_dir, "bin", "ordelix-convert")
    floor = os.path.join(args.build_dir, "bin", "ordelix-scan-floor")
    for program in (converter, floor, GNU_TIME):
        if not os.access(program, os.X_OK):
            sys.exit(f"{program} not found: build first")

    print(f"{converter} against {floor}, {args.runs} runs each, {os.cpu_count()} CPUs")
    met = True
    with tempfile.TemporaryDirectory(prefix="ordelix-bench-scan-") as work:
        for points in SIZES:
            scan = write_export(os.path.join(work, f"scan{points}.WSC"), scan_lines(points))
            ours, theirs = os.path.join(work, "ours.xlsx"), os.path.join(work, "floor.xlsx")
            commands = {"ordelix-convert": [converter, "-f", "-o", ours, scan],
                        "floor": [floor, scan, theirs],
                        "--format json": [converter, "-f", "--format", "json", "-o",
                                          os.path.join(work, "ours.json"),
                                          scan]}
            runs = {name: [] for name in commands}
            for _ in range(args.runs):
                for name, command in commands.items():
                    runs[name].append(run_measured(command, os.path.join(work, "time.txt")))
            differing = differing_parts(ours, theirs)
            if differing:
                sys.exit(f"{points} points: the two workbooks differ in {', '.join(differing)}")
            wall = {name: statistics.median(r[0] for r in rs) for name, rs in runs.items()}
            cpu = {name: statistics.median(r[1] for r in rs) for name, rs in runs.items()}
            best = {name: min(r[0] for r in rs) for name, rs in runs.items()}
            peak = {name: max(r[2] for r in rs) for name, rs in runs.items()}
            time_ratio = wall["ordelix-convert"] / wall["floor"]
            cpu_ratio = cpu["ordelix-convert"] / cpu["floor"]
            best_ratio = best["ordelix-convert"] / best["floor"]
            memory_ratio = peak["ordelix-convert"] / peak["floor"]
            ok = best_ratio <= TIME_GOAL and memory_ratio <= MEMORY_GOAL
            json_ratio = best["--format json"] / best["ordelix-convert"]
            json_ok = json_ratio <= JSON_GOAL
            met = met and ok and json_ok
            print(f"{points:6d} points ({os.path.getsize(ours)} bytes of workbook)")
            for name in commands:
                print(f"  {name:16s} wall {ms(wall[name])}   best {ms(best[name])}   "
                      f"CPU {ms(cpu[name])}   peak RSS {peak[name] / 1024:6.1f} MiB")
            print(f"  ratio            wall {time_ratio:.3f}   best {best_ratio:.3f} (goal {TIME_GOAL})   "
                  f"CPU {cpu_ratio:.3f}   memory {memory_ratio:.3f} (goal {MEMORY_GOAL})   "
                  f"{'met' if ok else 'MISSED'}")
            print(f"  json / xlsx      wall {wall['--format json'] / wall['ordelix-convert']:.3f}   "
                  f"best {json_ratio:.3f} (goal {JSON_GOAL})   "
                  f"{os.path.getsize(os.path.join(work, 'ours.json'))} bytes of JSON   "
                  f"{'met' if json_ok else 'MISSED'}")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
