#!/usr/bin/python3
"""Times ordelix-convert on a large generated protein K-factor export file.

Usage: scripts/bench.py [BUILD_DIR] [--runs N] [--big]

BUILD_DIR defaults to build/ at the top of the repository. The generated
file has 9998 lines (2496 samples), the largest K-factor file whose header
the protein reader still takes in; --big adds a 30002-line file, past that
limit, whose header stays empty and whose lines all land in the data table.
Prints the median and minimum wall time per file, the peak resident memory
of one conversion, and the time per file of a batch of the bundled examples.
"""

import argparse
import glob
import os
import random
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Reports the peak memory of the command it runs, not its own.
PEAK_PROBE = (
    "import resource, subprocess, sys\n"
    "rc = subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL).returncode\n"
    "print(rc, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)\n"
)


def k_factor_lines(samples, seed=7):
    rng = random.Random(seed)
    lines = ["2", "0", "3", "BENCH-01", "7", "1", "3", "0", "1", "1", "562",
             "0.0153", "1.4862", str(samples)]
    for number in range(1, samples + 1):
        od = rng.uniform(0.01, 2.5)
        lines += [str(number), f"{od:.3f}", f"{od:.3f}", f"{od * 1.4862 + 0.0153:.4f}"]
    return lines


def write_export(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("ascii"))
    return path


def timed_runs(command, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        times.append(time.perf_counter() - start)
        if done.returncode != 0:
            sys.exit(f"conversion failed ({done.returncode}): {' '.join(command)}\n{done.stderr}")
    return times


def peak_kib(command):
    out = subprocess.run([sys.executable, "-c", PEAK_PROBE, *command],
                         capture_output=True, text=True, check=True).stdout.split()
    if out[0] != "0":
        sys.exit(f"conversion failed ({out[0]}): {' '.join(command)}")
    return int(out[1])


class HostShare:
    """The share of the machine's CPU time that the host of a virtual machine
    took for itself (steal, in /proc/stat) while the block ran: from a few
    per cent up, every figure measured then is slower than the code."""

    def __enter__(self):
        self.before = self._ticks()
        return self

    def __exit__(self, *_):
        self.after = self._ticks()

    @staticmethod
    def _ticks():
        try:
            with open("/proc/stat") as f:
                fields = [int(x) for x in f.readline().split()[1:9]]
        except (OSError, ValueError):
            return None
        return sum(fields), fields[7] if len(fields) > 7 else 0

    def text(self):
        if self.before is None or self.after is None or self.after[0] == self.before[0]:
            return "host's share of the CPUs unknown"
        share = (self.after[1] - self.before[1]) / (self.after[0] - self.before[0])
        return f"host took {share:.0%} of the CPUs"


def ms(seconds):
    return f"{seconds * 1000:8.1f} ms"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--big", action="store_true", help="also time a 30002-line file")
    args = parser.parse_args()

    converter = os.path.join(args.build_dir, "bin", "ordelix-convert")
    if not os.access(converter, os.X_OK):
        sys.exit(f"{converter} not found: build first")
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "*.PRO")))

    print(f"{converter}, {args.runs} runs each, {os.cpu_count()} CPUs")
    with tempfile.TemporaryDirectory(prefix="ordelix-bench-") as work:
        files = [("K factor, 2496 samples", write_export(
            os.path.join(work, "kfactor.PRO"), k_factor_lines(2496)))]
        if args.big:
            files.append(("past the header table, 7497 samples", write_export(
                os.path.join(work, "big.PRO"), k_factor_lines(7497))))

        for label, path in files:
            with open(path, "rb") as f:
                line_count = f.read().count(b"\r\n")
            command = [converter, "-f", "-o", os.path.join(work, "report.xlsx"), path]
            times = timed_runs(command, args.runs)
            size = os.path.getsize(os.path.join(work, "report.xlsx"))
            print(f"{label} ({line_count} lines, {os.path.getsize(path)} bytes -> "
                  f"{size} bytes of workbook)")
            print(f"  median {ms(statistics.median(times))}   min {ms(min(times))}   "
                  f"peak RSS {peak_kib(command) / 1024:.1f} MiB")

        out = os.path.join(work, "batch")
        os.mkdir(out)
        command = [converter, "-f", "-d", out, *examples]
        per_file = [t / len(examples) for t in timed_runs(command, args.runs)]
        print(f"batch of the {len(examples)} examples, per file")
        print(f"  median {ms(statistics.median(per_file))}   min {ms(min(per_file))}   "
              f"peak RSS {peak_kib(command) / 1024:.1f} MiB")
    return 0


if __name__ == "__main__":
    sys.exit(main())
