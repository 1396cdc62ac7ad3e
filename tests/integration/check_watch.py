#!/usr/bin/python3
"""Watched folders through the real ordelix-convert --watch: files that come,
stand still and change, the names that count, subfolders, the lines it
prints, the options it refuses, and a stop by signal that leaves nothing
behind. Each wait is for the program's own lines, never for a time.

Usage: check_watch.py CONVERTER EXAMPLES_DIR
"""

import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import unittest
import zipfile

import check_reports as reports
from check_hostile import scan_lines
from check_reports import ON_WINDOWS, ConverterCase, joined

# For what comes within a second; a loaded machine may take much longer.
PATIENCE = 60
TIMED = r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d "
SUMMARY = re.compile(r"^(\d+) converted, (\d+) failed, (\d+) with warnings")
# Under wine a POSIX SIGINT reaches the program as Ctrl-C; SIGTERM and SIGHUP
# end wine itself.
STOP = signal.SIGINT if ON_WINDOWS else signal.SIGTERM


class Watcher:
    """ordelix-convert --watch running on a short settle time; its output
    read line by line as it comes."""

    def __init__(self, case, *args):
        env = dict(os.environ, LC_ALL="C")
        env.pop("LANG", None)
        self.proc = subprocess.Popen(
            [reports.CONVERTER, "--watch", "--settle", "0.3", *args],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, env=env)
        case.addCleanup(self.proc.kill)
        self.queue = queue.Queue()
        self.lines = {"out": [], "err": []}
        self.readers = [threading.Thread(target=self._read, args=(stream, name), daemon=True)
                        for stream, name in ((self.proc.stdout, "out"), (self.proc.stderr, "err"))]
        for reader in self.readers:
            reader.start()

    def _read(self, stream, name):
        for line in stream:
            self.queue.put((name, line.rstrip("\n")))
        self.queue.put((name, None))

    def expect(self, stream, pattern):
        """Waits for the next line of `stream` that matches `pattern`; lines
        passed on the way are kept in self.lines."""
        deadline = time.monotonic() + PATIENCE
        ended = 0
        while ended < 2:
            try:
                name, line = self.queue.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                break
            if line is None:
                ended += 1
                continue
            self.lines[name].append(line)
            if name == stream and re.search(pattern, line):
                return line
        raise AssertionError(f"no {stream} line like {pattern!r}: {self.lines}")

    def stop(self, signal_number=STOP):
        """Asks the program to stop; its exit status once every line is read."""
        self.proc.send_signal(signal_number)
        status = self.proc.wait(timeout=PATIENCE)
        for reader in self.readers:
            reader.join(timeout=PATIENCE)
        while not self.queue.empty():
            name, line = self.queue.get()
            if line is not None:
                self.lines[name].append(line)
        return status

    def timed(self, stream):
        """The lines of `stream` that start with the local time, without it."""
        return [re.sub(TIMED, "", line) for line in self.lines[stream] if re.match(TIMED, line)]


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class WatchCase(ConverterCase):
    def reference(self, export_file):
        """The report the converter makes of the file by itself."""
        report = self.path("reference", os.path.basename(export_file) + ".xlsx")
        if os.path.exists(report):
            os.remove(report)
        run = self.convert("-o", report, export_file)
        self.assertEqual(run.rc, 0, run.err)
        return read_bytes(report)

    def move_in(self, example, *dest):
        """The example written beside the folder, then renamed into it whole."""
        outside = self.copy_example(example, "outside.tmp")
        target = self.path(*dest)
        os.replace(outside, target)
        return target

    def assert_stopped_cleanly(self, watcher, signal_number=STOP):
        self.assertEqual(watcher.stop(signal_number), 0, watcher.lines)
        self.assertEqual(self._leftovers(), [])
        return SUMMARY.match(watcher.lines["out"][-1]).groups() if watcher.lines["out"] else None


class Converting(WatchCase):
    def test_files_that_come_are_converted_once_each_on_a_timed_line(self):
        runs = self.folder("runs")
        old = self.copy_example("bradford_std.PRO", "runs", "old.PRO")
        done = self.copy_example("dsdna.NUC", "runs", "done.NUC")
        self.assertEqual(self.convert(done).rc, 0)
        done_report = self.path("runs", "done.xlsx")
        kept = (read_bytes(done_report), os.stat(done_report).st_mtime_ns)

        watcher = Watcher(self, runs)
        watcher.expect("out", r"^Watching 1 folder; Ctrl-C stops\.$")
        shown_old = joined(runs, "old.PRO")
        watcher.expect("out", TIMED + re.escape(f"{shown_old} -> {joined(runs, 'old.xlsx')}") + "$")
        for name in ("notes.txt", ".hidden.PRO", "old.xlsx.bak"):
            self.copy_example("bradford_std.PRO", "runs", name)
        moved = self.move_in("culture_od.OD", "runs", "moved.OD")
        watcher.expect("out", re.escape(f"{joined(runs, 'moved.OD')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("2", "0", "0"))

        self.assertEqual(watcher.timed("out"), [
            f"{shown_old} -> {joined(runs, 'old.xlsx')}",
            f"{joined(runs, 'moved.OD')} -> {joined(runs, 'moved.xlsx')}"])
        self.assertEqual(watcher.lines["err"], [])
        self.assertEqual(read_bytes(self.path("runs", "old.xlsx")), self.reference(old))
        self.assertEqual(read_bytes(self.path("runs", "moved.xlsx")), self.reference(moved))
        self.assertEqual((read_bytes(done_report), os.stat(done_report).st_mtime_ns), kept,
                         "a report newer than its file is left as it is")

    def test_a_changed_file_replaces_its_report_only_with_force(self):
        runs = self.folder("runs")
        run = self.copy_example("bradford_std.PRO", "runs", "run.PRO")
        report = self.path("runs", "run.xlsx")
        shown = f"{joined(runs, 'run.PRO')} -> {joined(runs, 'run.xlsx')}"
        watcher = Watcher(self, runs)
        watcher.expect("out", re.escape(shown))
        first = read_bytes(report)
        self.move_in("bca_std.PRO", "runs", "run.PRO")
        watcher.expect("err", TIMED + re.escape(
            f"ordelix-convert: {joined(runs, 'run.PRO')}: the report file already exists "
            f"(--force replaces it): {joined(runs, 'run.xlsx')}") + "$")
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("1", "1", "0"))
        self.assertEqual(read_bytes(report), first)

        # With consent, reports older than their files are replaced at the
        # start: run.PRO's, since the change refused, and one made long ago.
        stale = self.copy_example("lowry_kfactor.PRO", "runs", "stale.PRO")
        stale_report = self.path("runs", "stale.xlsx")
        shutil.copyfile(report, stale_report)
        os.utime(stale_report, ns=(0, os.stat(stale).st_mtime_ns - 10**9))
        shown_stale = f"{joined(runs, 'stale.PRO')} -> {joined(runs, 'stale.xlsx')}"
        forced = Watcher(self, "-f", runs)
        forced.expect("out", re.escape(shown_stale))
        self.assertEqual(read_bytes(report), self.reference(run))
        self.move_in("biuret_kfactor.PRO", "runs", "run.PRO")
        forced.expect("out", re.escape(shown))
        self.assertEqual(self.assert_stopped_cleanly(forced), ("3", "0", "0"))
        self.assertEqual(forced.timed("out"), [shown, shown_stale, shown])
        self.assertEqual(read_bytes(report), self.reference(run))
        self.assertEqual(read_bytes(stale_report), self.reference(stale))

    def test_quiet_tells_failures_only_and_subfolders_keep_their_place(self):
        runs = self.folder("runs")
        out = self.folder("out")
        self.copy_example("bradford_std.PRO", "runs", "day1", "x.PRO")
        reports.write_export(self.path("runs", "bad.NUC"), [b"junk"])
        quiet = Watcher(self, "-q", "-r", "-d", out, runs)
        quiet.expect("err", TIMED + re.escape(f"ordelix-convert: {joined(runs, 'bad.NUC')}: line 1 holds"))
        self.assertIsNone(self.assert_stopped_cleanly(quiet))
        self.assertEqual(quiet.lines["err"], quiet.lines["err"][:1])
        self.assertTrue(os.path.isfile(os.path.join(out, "day1", "x.xlsx")))

        # A subfolder made while watching, with a file in it at once.
        watcher = Watcher(self, "-r", "-d", out, runs)
        watcher.expect("out", r"^Watching 1 folder and their subfolders; Ctrl-C stops\.$")
        self.move_in("culture_od.OD", "runs", "day2", "y.OD")
        watcher.expect("out", re.escape(
            f"{joined(runs, 'day2', 'y.OD')} -> {joined(out, 'day2', 'y.xlsx')}"))
        flat = Watcher(self, runs)
        flat.expect("out", "^Watching")
        self.move_in("dsdna.NUC", "runs", "day2", "z.NUC")
        watcher.expect("out", re.escape(f"{joined(runs, 'day2', 'z.NUC')} -> "))
        self.assert_stopped_cleanly(watcher)
        self.assert_stopped_cleanly(flat)
        self.assertFalse(any("day" in line for line in flat.timed("out")),
                         f"without -r subfolders are not watched: {flat.lines}")


class Stopping(WatchCase):
    def test_a_stop_while_converting_leaves_only_complete_reports_and_counts_them(self):
        # The first 64 files' lines come once they are in place, while the
        # large scans after them convert one by one; how many of those are
        # done by the stop depends on how long the disk took to flush the
        # first ones. The file under way is finished, none is left half made.
        runs = self.folder("runs")
        for i in range(64):
            self.copy_example("bradford_std.PRO", "runs", f"a{i:02}.PRO")
        scan = reports.write_export(self.path("scan.tmp"), scan_lines())
        for i in range(4):
            shutil.copyfile(scan, self.path("runs", f"z{i}.WSC"))
        watcher = Watcher(self, "-j", "1", runs)
        watcher.expect("out", r"a63\.PRO -> ")
        made = self.assert_stopped_cleanly(watcher)
        placed = sorted(n for n in os.listdir(runs) if n.endswith(".xlsx"))
        self.assertEqual(int(made[0]), len(placed), watcher.lines)
        self.assertEqual(len(watcher.timed("out")), len(placed))
        for name in placed[64:]:
            with zipfile.ZipFile(os.path.join(runs, name)) as z:
                self.assertIsNone(z.testzip())

    def test_interrupt_and_hangup_stop_it_as_well(self):
        runs = self.folder("runs")
        for number in (signal.SIGINT, signal.SIGHUP):
            with self.subTest(signal=signal.Signals(number).name):
                if ON_WINDOWS and number != STOP:
                    self.skipTest("under wine only SIGINT reaches the program, as Ctrl-C")
                watcher = Watcher(self, runs)
                watcher.expect("out", "^Watching")
                self.assertEqual(self.assert_stopped_cleanly(watcher, number), ("0", "0", "0"))


class Refusing(WatchCase):
    def test_options_that_make_no_watch_are_usage_errors(self):
        runs = self.folder("runs")
        export_file = self.copy_example("bradford_std.PRO", "runs", "a.PRO")
        for args, words in (
                (["--settle", "1", runs], "--settle is for --watch"),
                (["--poll", "5", runs], "--poll is for --watch"),
                (["--watch", export_file], f"{export_file}: --watch takes folders"),
                (["--watch", "-o", self.path("a.xlsx"), runs], "not with -o"),
                (["--watch", "--combine", self.path("all.xlsx"), runs], "not with --combine"),
                (["--watch", "--poll", "0", runs], "--poll")):
            with self.subTest(args=args):
                run = self.convert(*args)
                self.assert_failed_about(run, 2, words)
                self.assertEqual(run.out, "")


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    reports.CONVERTER, reports.EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:3])
    return reports.run_tests_of(sys.modules[__name__])


if __name__ == "__main__":
    sys.exit(main())
