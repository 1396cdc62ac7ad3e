#!/usr/bin/python3
"""Times ordelix-convert on generated wavelength scans and a kinetics run against
ordelix-scan-floor, a C program that writes the same cells and chart with the
workbook library as Debian ships it (unpatched), syncs the report and its
folder as a durable save must, and does nothing else.

Usage: scripts/bench_scan.py [BUILD_DIR] [--runs N]

BUILD_DIR defaults to build/ at the top of the repository. For scans of 1,000,
10,000 and 32,000 points, each smooth and noisy as an instrument reads it, and
a noisy kinetics run of 10,000 values, the programs run in turn, so that all
see the same machine; the script checks that the converter and the floor
wrote the same workbook parts, then prints
the medians and the best of wall-clock and CPU time, their ratios and both
peak memories against the goals: a median time at most 0.8 times the
floor's (0.9 at 1,000 points, where starting the larger program weighs
more) and at most 1.3 times its memory; and the run's data as JSON (--format
json) against the workbook, with the goal of taking no longer (on the best
runs). Interleaved runs share what else the machine does, so the ratio of
medians holds where each median alone does not; the load is printed too, and
the share of the CPUs that the host of a virtual machine took.
Each run goes through GNU time (/usr/bin/time), a small C program: a child that
Python forks would carry Python's own resident memory into its peak.
"""

import argparse
import math
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, HostShare, ms, write_export  # noqa: E402

SIZES = (1000, 10000, 32000)
KINETICS_VALUES = 10000
MEMORY_GOAL = 1.3
JSON_GOAL = 1.0  # the data's time to the workbook's
GNU_TIME = "/usr/bin/time"
COMPARED_PARTS = ("xl/worksheets/sheet1.xml", "xl/charts/chart1.xml", "xl/drawings/drawing1.xml",
                  "xl/sharedStrings.xml", "xl/styles.xml", "xl/workbook.xml")


def time_goal_at(points):
    """The converter's median time to the floor's."""
    return 0.9 if points < 10000 else 0.8


def scan_lines(points, start=190, step=0.2, noisy=False):
    """OD, interval code 1 (0.2 nm), two absorption bands over a sloping base;
    noisy, as an instrument reads it: Gaussian noise of 0.003 OD from a fixed
    seed, so that neighbouring values rarely repeat."""
    end = start + step * (points - 1)
    lines = ["7", "0", "1", "BENCH-WL", "4", "1", "3.0", "0.0", str(start), f"{end:.1f}", "1", "0",
             str(points)]
    noise = random.Random(points)
    for i in range(points):
        x = i / points
        od = 0.05 + 0.2 * x + 1.1 * math.exp(-((x - 0.3) / 0.05) ** 2) \
            + 0.6 * math.exp(-((x - 0.7) / 0.08) ** 2)
        if noisy:
            od += noise.gauss(0, 0.003)
        lines.append(f"{od:.4f}")
    return lines


def kinetics_lines(values):
    """OD at 340 nm every 2.5 s (interval code 1), path code 7 (10 mm): a
    reaction rising to its plateau, with the noise of a noisy scan."""
    lines = ["1", "0", "1", "BENCH-KIN", "7", "1", "0", "0", "600", "340", "1", "0", str(values)]
    noise = random.Random(values)
    for i in range(values):
        od = 0.2 + 0.8 * (1 - math.exp(-i / (values * 0.3))) + noise.gauss(0, 0.003)
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
    """The compared parts either workbook has that the other lacks or holds
    otherwise: a kinetics report has no chart."""
    def part(z, name):
        return z.read(name) if name in z.namelist() else None

    with zipfile.ZipFile(a) as za, zipfile.ZipFile(b) as zb:
        return [p for p in COMPARED_PARTS if part(za, p) != part(zb, p)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    converter = os.path.join(args.build_dir, "bin", "ordelix-convert")
    floor = os.path.join(args.build_dir, "bin", "ordelix-scan-floor")
    # The floor is left out of the build's default targets.
    subprocess.run(["cmake", "--build", args.build_dir, "--target", "ordelix-scan-floor"],
                   stdout=subprocess.DEVNULL, check=False)
    for program in (converter, floor, GNU_TIME):
        if not os.access(program, os.X_OK):
            sys.exit(f"{program} not found: build first")

    print(f"{converter} against {floor}, {args.runs} runs each, {os.cpu_count()} CPUs, "
          f"load {' '.join(f'{x:.2f}' for x in os.getloadavg())}")
    met = True
    with tempfile.TemporaryDirectory(prefix="ordelix-bench-scan-") as work:
        for points in SIZES:
            for noisy in (False, True):
                scan = write_export(os.path.join(work, f"scan{points}.WSC"),
                                    scan_lines(points, noisy=noisy))
                label = f"{points:6d} points, {'noisy' if noisy else 'smooth'}"
                met = measure(converter, floor, work, scan, label, time_goal_at(points),
                              args.runs) and met
        run = write_export(os.path.join(work, f"kinetics{KINETICS_VALUES}.TSC"),
                           kinetics_lines(KINETICS_VALUES))
        met = measure(converter, floor, work, run, f"{KINETICS_VALUES:6d} kinetics values, noisy",
                      time_goal_at(KINETICS_VALUES), args.runs) and met
    return 0 if met else 1


def measure(converter, floor, work, export, label, time_goal, runs):
    """Runs the three commands in turn on one export file, prints their
    figures and tells whether the goals were met."""
    ours, theirs = os.path.join(work, "ours.xlsx"), os.path.join(work, "floor.xlsx")
    commands = {"ordelix-convert": [converter, "-f", "-o", ours, export],
                "floor": [floor, export, theirs],
                "--format json": [converter, "-f", "--format", "json", "-o",
                                  os.path.join(work, "ours.json"), export]}
    measured = {name: [] for name in commands}
    with HostShare() as host:
        for _ in range(runs):
            for name, command in commands.items():
                measured[name].append(run_measured(command, os.path.join(work, "time.txt")))
    differing = differing_parts(ours, theirs)
    if differing:
        sys.exit(f"{label.strip()}: the two workbooks differ in {', '.join(differing)}")
    wall = {name: statistics.median(r[0] for r in rs) for name, rs in measured.items()}
    cpu = {name: statistics.median(r[1] for r in rs) for name, rs in measured.items()}
    best = {name: min(r[0] for r in rs) for name, rs in measured.items()}
    peak = {name: max(r[2] for r in rs) for name, rs in measured.items()}
    time_ratio = wall["ordelix-convert"] / wall["floor"]
    memory_ratio = peak["ordelix-convert"] / peak["floor"]
    ok = time_ratio <= time_goal and memory_ratio <= MEMORY_GOAL
    json_ratio = best["--format json"] / best["ordelix-convert"]
    json_ok = json_ratio <= JSON_GOAL
    print(f"{label} ({os.path.getsize(ours)} bytes of workbook; {host.text()})")
    for name in commands:
        print(f"  {name:16s} wall {ms(wall[name])}   best {ms(best[name])}   "
              f"CPU {ms(cpu[name])}   peak RSS {peak[name] / 1024:6.1f} MiB")
    print(f"  ratio            wall {time_ratio:.3f} (goal {time_goal})   "
          f"best {best['ordelix-convert'] / best['floor']:.3f}   "
          f"CPU {cpu['ordelix-convert'] / cpu['floor']:.3f}   "
          f"memory {memory_ratio:.3f} (goal {MEMORY_GOAL})   {'met' if ok else 'MISSED'}")
    print(f"  json / xlsx      wall {wall['--format json'] / wall['ordelix-convert']:.3f}   "
          f"best {json_ratio:.3f} (goal {JSON_GOAL})   "
          f"{os.path.getsize(os.path.join(work, 'ours.json'))} bytes of JSON   "
          f"{'met' if json_ok else 'MISSED'}")
    return ok and json_ok


if __name__ == "__main__":
    sys.exit(main())
