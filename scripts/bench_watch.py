#!/usr/bin/python3
"""Times ordelix-convert --watch on a folder of its own.

Usage: scripts/bench_watch.py [BUILD_DIR] [--settle S] [--idle SECONDS] [--files N] [--work DIR]

Prints three figures, each from the program's own report lines:
- latency: from the last write of a file (closed, in the folder) to its
  report's line, the median of 5 files one after another; it holds the
  settle time (default 2 s, as the program's), so the rest is the program's
  own;
- idle: the processor time the program takes while the folder stays
  unchanged for SECONDS (default 60), from /proc;
- burst: N files (default 1,000, the examples repeated) moved into the
  folder at once, files per second from the first move to the last line.
The folder is under DIR (default: BUILD_DIR), on the disk a user's would be.
"""

import argparse
import glob
import os
import queue
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Watch:
    def __init__(self, converter, folder, settle):
        self.proc = subprocess.Popen([converter, "--watch", "--settle", str(settle), folder],
                                     stdout=subprocess.PIPE, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        self.next_line()  # "Watching ..."

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put((time.perf_counter(), line))

    def next_line(self):
        return self.lines.get(timeout=600)

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=600)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default=os.path.join(ROOT, "build"))
    parser.add_argument("--settle", type=float, default=2.0)
    parser.add_argument("--idle", type=float, default=60.0)
    parser.add_argument("--files", type=int, default=1000)
    parser.add_argument("--work")
    args = parser.parse_args()
    converter = os.path.join(args.build, "bin", "ordelix-convert")
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "*")))
    work = tempfile.mkdtemp(prefix="ordelix-bench-watch-", dir=args.work or args.build)
    try:
        folder = os.path.join(work, "watched")
        staging = os.path.join(work, "staging")
        os.makedirs(folder)
        os.makedirs(staging)
        watch = Watch(converter, folder, args.settle)

        delays = []
        for i in range(5):
            target = os.path.join(folder, f"latency{i}.PRO")
            shutil.copyfile(os.path.join(ROOT, "examples", "bradford_std.PRO"), target)
            written = time.perf_counter()
            seen, _ = watch.next_line()
            delays.append(seen - written)
        print(f"latency: {statistics.median(delays):.3f} s from the last write to the report's "
              f"line (settle {args.settle:g} s), median of {len(delays)}")

        before = cpu_seconds(watch.proc.pid)
        time.sleep(args.idle)
        idle = cpu_seconds(watch.proc.pid) - before
        print(f"idle: {idle:.2f} s of processor time in {args.idle:g} s")

        names = []
        for i in range(args.files):
            source = examples[i % len(examples)]
            name = f"{i:05d}_{os.path.basename(source)}"
            shutil.copyfile(source, os.path.join(staging, name))
            names.append(name)
        start = time.perf_counter()
        for name in names:
            os.rename(os.path.join(staging, name), os.path.join(folder, name))
        last = start
        for _ in names:
            last, _ = watch.next_line()
        elapsed = last - start
        print(f"burst: {args.files} files in {elapsed:.2f} s, {args.files / elapsed:.0f} files/s "
              f"(settle {args.settle:g} s included)")
        watch.stop()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
