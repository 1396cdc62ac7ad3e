#!/usr/bin/python3
"""Times ordelix-convert on a batch of typical export files in one run.

Usage: scripts/bench_batch.py [BUILD_DIR] [--files N] [--runs N] [--work DIR]

The batch is the bundled examples repeated up to N files (default 1000) in
one folder, converted with -d into a fresh folder at every run, once with
-j 1 and once with the default worker count. The files go under DIR
(default: BUILD_DIR), so the durable saves meet the disk a user's would.
Prints, per setting, the median and best files per second (the best is the
run least disturbed by other work on the machine), the CPU time per file, and
the peak resident memory of the converter, and the share of the CPUs that
the host of a virtual machine took meanwhile.
"""

import argparse
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, HostShare  # noqa: E402

# Runs the command and prints its wall time, CPU time and peak memory.
PROBE = (
    "import resource, subprocess, sys, time\n"
    "start = time.perf_counter()\n"
    "rc = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL).returncode\n"
    "wall = time.perf_counter() - start\n"
    "use = resource.getrusage(resource.RUSAGE_CHILDREN)\n"
    "print(rc, wall, use.ru_utime + use.ru_stime, use.ru_maxrss)\n"
)


def make_batch(folder, count):
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "*")))
    os.makedirs(folder)
    for i in range(count):
        source = examples[i % len(examples)]
        shutil.copyfile(source, os.path.join(folder, f"{i:05d}_{os.path.basename(source)}"))


def measure(converter, args, batch, out):
    command = [converter, "-q", *args, "-d", out, batch]
    rc, wall, cpu, peak = subprocess.run([sys.executable, "-c", PROBE, *command],
                                         capture_output=True, text=True, check=True).stdout.split()
    if rc != "0":
        sys.exit(f"conversion failed ({rc}): {' '.join(command)}")
    return float(wall), float(cpu), int(peak)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--work", help="folder for the batch (default: BUILD_DIR)")
    args = parser.parse_args()

    converter = os.path.join(args.build_dir, "bin", "ordelix-convert")
    if not os.access(converter, os.X_OK):
        sys.exit(f"{converter} not found: build first")
    work = tempfile.mkdtemp(prefix="bench-batch-", dir=args.work or args.build_dir)
    try:
        batch = os.path.join(work, "in")
        make_batch(batch, args.files)
        # A fresh folder for every run, removed only at the end: on ext4 a
        # file made soon after many were removed costs several times as much.
        outs = (os.path.join(work, f"out{n}") for n in range(1000000))
        print(f"{converter}: {args.files} files, {args.runs} runs each, {os.cpu_count()} CPUs, "
              f"in {work}")
        for label, extra in (("-j 1", ["-j", "1"]), ("default", [])):
            with HostShare() as host:
                runs = [measure(converter, extra, batch, next(outs)) for _ in range(args.runs)]
            wall = statistics.median(r[0] for r in runs)
            best = min(r[0] for r in runs)
            cpu = statistics.median(r[1] for r in runs)
            peak = max(r[2] for r in runs)
            print(f"{label:8s} median {args.files / wall:5.0f} files/s ({wall:5.2f} s)   "
                  f"best {args.files / best:5.0f} files/s   "
                  f"CPU {cpu / args.files * 1000:5.2f} ms/file   peak RSS {peak / 1024:5.1f} MiB   "
                  f"{host.text()}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
