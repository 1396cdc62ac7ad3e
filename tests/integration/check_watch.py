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
TIMED = r"^\d\d:\d\d:\d\d "
SUMMARY = re.compile(r"^(\d+) converted, (\d+) failed, (\d+) with warnings")
# Under wine a POSIX SIGINT reaches the program as Ctrl-C; SIGTERM and SIGHUP
# end wine itself.
STOP = signal.SIGINT if ON_WINDOWS else signal.SIGTERM


class Watcher:
    """ordelix-convert --watch running on a short settle time; its output
    read line by line as it comes."""

    def __init__(self, case, *args, settle="0.3"):
        env = dict(os.environ, LC_ALL="C")
        env.pop("LANG", None)
        self.proc = subprocess.Popen(
            [reports.CONVERTER, "--watch", "--settle", settle, *args],
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
        watcher.expect("out", TIMED + re.escape(f"converted {shown_old} -> {joined(runs, 'old.xlsx')}") + "$")
        for name in ("notes.txt", ".hidden.PRO", "old.xlsx.bak"):
            self.copy_example("bradford_std.PRO", "runs", name)
        moved = self.move_in("culture_od.OD", "runs", "moved.OD")
        watcher.expect("out", re.escape(f"converted {joined(runs, 'moved.OD')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("2", "0", "0"))
        self.assertEqual(watcher.lines["out"][-1], "2 converted, 0 failed, 0 with warnings, 1 skipped")

        self.assertEqual(watcher.timed("out"), [
            f"converted {shown_old} -> {joined(runs, 'old.xlsx')}",
            f"converted {joined(runs, 'moved.OD')} -> {joined(runs, 'moved.xlsx')}"])
        self.assertEqual(watcher.lines["err"], [])
        self.assertEqual(read_bytes(self.path("runs", "old.xlsx")), self.reference(old))
        self.assertEqual(read_bytes(self.path("runs", "moved.xlsx")), self.reference(moved))
        self.assertEqual((read_bytes(done_report), os.stat(done_report).st_mtime_ns), kept,
                         "a complete report is kept")

    def test_a_changed_file_replaces_its_report_only_with_force(self):
        runs = self.folder("runs")
        run = self.copy_example("bradford_std.PRO", "runs", "run.PRO")
        report = self.path("runs", "run.xlsx")
        shown = f"converted {joined(runs, 'run.PRO')} -> {joined(runs, 'run.xlsx')}"
        watcher = Watcher(self, runs)
        watcher.expect("out", re.escape(shown))
        first = read_bytes(report)
        self.move_in("bca_std.PRO", "runs", "run.PRO")
        watcher.expect("out", TIMED + re.escape(
            f"{joined(runs, 'run.PRO')}: the report is older than the file and is kept "
            f"(--force replaces it): {joined(runs, 'run.xlsx')}") + "$")
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("1", "0", "0"))
        self.assertEqual(watcher.lines["err"], [], "no failure")
        self.assertEqual(read_bytes(report), first)

        # With consent, reports older than their files are replaced at the
        # start: run.PRO's, since the change refused, and one made long ago.
        stale = self.copy_example("lowry_kfactor.PRO", "runs", "stale.PRO")
        stale_report = self.path("runs", "stale.xlsx")
        shutil.copyfile(report, stale_report)
        os.utime(stale_report, ns=(0, os.stat(stale).st_mtime_ns - 10**9))
        # Consent replaces no complete report: one made by itself stays.
        kept = self.copy_example("dsdna.NUC", "runs", "kept.NUC")
        self.assertEqual(self.convert(kept).rc, 0)
        kept_report = self.path("runs", "kept.xlsx")
        kept_stat = os.stat(kept_report).st_mtime_ns
        shown_stale = f"converted {joined(runs, 'stale.PRO')} -> {joined(runs, 'stale.xlsx')}"
        forced = Watcher(self, "-f", runs)
        forced.expect("out", re.escape(shown_stale))
        self.assertEqual(read_bytes(report), self.reference(run))
        self.move_in("biuret_kfactor.PRO", "runs", "run.PRO")
        forced.expect("out", re.escape(shown))
        self.assertEqual(self.assert_stopped_cleanly(forced), ("3", "0", "0"))
        self.assertEqual(forced.lines["out"][-1], "3 converted, 0 failed, 0 with warnings, 1 skipped")
        self.assertEqual(forced.timed("out"), [shown, shown_stale, shown])
        self.assertEqual(read_bytes(report), self.reference(run))
        self.assertEqual(read_bytes(stale_report), self.reference(stale))
        self.assertEqual(os.stat(kept_report).st_mtime_ns, kept_stat)

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
            f"converted {joined(runs, 'day2', 'y.OD')} -> {joined(out, 'day2', 'y.xlsx')}"))
        flat = Watcher(self, runs)
        flat.expect("out", "^Watching")
        self.move_in("dsdna.NUC", "runs", "day2", "z.NUC")
        watcher.expect("out", re.escape(f"converted {joined(runs, 'day2', 'z.NUC')} -> "))
        self.assert_stopped_cleanly(watcher)
        self.assert_stopped_cleanly(flat)
        self.assertFalse(any("day" in line for line in flat.timed("out")),
                         f"without -r subfolders are not watched: {flat.lines}")

class Coming(WatchCase):
    def test_names_that_never_count_and_links_that_are_not_followed(self):
        runs = self.folder("runs")
        outside = self.folder("outside")
        self.copy_example("bradford_std.PRO", "outside", "x.PRO")
        for name in ("~$run.WSC", ".run.WSC", "run.WSC.tmp", "run.WSC.part"):
            self.copy_example("bradford_std.PRO", "runs", name)
        # Wine shows the host's links as what they point at; a Windows link
        # is no host link.
        if not ON_WINDOWS:
            os.symlink(os.path.join(outside, "x.PRO"), self.path("runs", "link.PRO"))
            os.symlink(outside, self.path("runs", "linked"))
        # Last in the batch's order, so that its line comes after the others'.
        self.copy_example("dsdna.NUC", "runs", "~~.NUC")
        watcher = Watcher(self, "-r", "-j", "1", runs)
        watcher.expect("out", re.escape(f"converted {joined(runs, '~~.NUC')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher)[:2], ("1", "0"))
        self.assertEqual(sorted(n for n in os.listdir(runs) if n.endswith(".xlsx")), ["~~.xlsx"])
        self.assertEqual(os.listdir(outside), ["x.PRO"])

    def test_a_file_written_in_pieces_gets_the_whole_files_report(self):
        runs = self.folder("runs")
        whole = read_bytes(self.copy_example("bradford_std.PRO", "whole.PRO"))
        watcher = Watcher(self, runs, settle="3")
        watcher.expect("out", "^Watching")
        target = self.path("runs", "run.PRO")
        third = len(whole) // 3
        for piece in (whole[:third], whole[third:2 * third], whole[2 * third:]):
            with open(target, "ab") as f:
                f.write(piece)
            # The writer's pause, well inside the settle time: no wait for the program.
            time.sleep(0.2)
        watcher.expect("out", re.escape(f"converted {joined(runs, 'run.PRO')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("1", "0", "0"))
        self.assertEqual(read_bytes(self.path("runs", "run.xlsx")), self.reference(target))

    def test_files_deleted_or_replaced_while_settling(self):
        runs = self.folder("runs")
        watcher = Watcher(self, runs, settle="3")
        watcher.expect("out", "^Watching")
        gone = self.copy_example("bradford_std.PRO", "runs", "gone.PRO")
        os.remove(gone)
        self.copy_example("bradford_std.PRO", "runs", "swapped.PRO")
        swapped = self.move_in("bca_std.PRO", "runs", "swapped.PRO")
        watcher.expect("out", re.escape(f"converted {joined(runs, 'swapped.PRO')} -> "))
        self.move_in("dsdna.NUC", "runs", "after.NUC")
        watcher.expect("out", re.escape(f"converted {joined(runs, 'after.NUC')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("2", "0", "0"))
        self.assertFalse(os.path.exists(self.path("runs", "gone.xlsx")))
        self.assertEqual(read_bytes(self.path("runs", "swapped.xlsx")), self.reference(swapped))

    def test_a_burst_of_files_each_converted_exactly_once(self):
        runs = self.folder("runs")
        staged = self.folder("staged")
        small = self.copy_example("dsdna.NUC", "small.NUC")
        names = [f"r{i:04}.NUC" for i in range(1000)]
        for name in names:
            shutil.copyfile(small, os.path.join(staged, name))
        # CSV, the cheapest report: the burst is about the watch, not the workbook.
        watcher = Watcher(self, "-j", "2", "--format", "csv", runs)
        watcher.expect("out", "^Watching")
        for name in names:
            os.replace(os.path.join(staged, name), os.path.join(runs, name))
        for _ in names:
            watcher.expect("out", TIMED + "converted ")
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("1000", "0", "0"))
        made = [re.match(r"converted (.*) -> ", line).group(1) for line in watcher.timed("out")]
        self.assertEqual(sorted(made), [joined(runs, name) for name in names])

    def test_a_restart_writes_nothing_new(self):
        runs = self.folder("runs")
        for name in ("a.PRO", "b.PRO"):
            self.copy_example("bradford_std.PRO", "runs", name)
        first = Watcher(self, runs)
        first.expect("out", "b.PRO -> ")
        self.assert_stopped_cleanly(first)
        stamps = {n: os.stat(self.path("runs", n)).st_mtime_ns for n in os.listdir(runs)}
        again = Watcher(self, "-v", runs)
        again.expect("out", re.escape(f"{joined(runs, 'b.PRO')}: skipped, its report exists"))
        self.assert_stopped_cleanly(again)
        self.assertEqual(again.lines["out"][-1], "0 converted, 0 failed, 0 with warnings, 2 skipped")
        self.assertEqual({n: os.stat(self.path("runs", n)).st_mtime_ns for n in os.listdir(runs)},
                         stamps)


class Folders(WatchCase):
    def test_a_folder_that_cannot_be_watched_at_the_start_fails_it(self):
        runs = self.folder("runs")
        export_file = self.copy_example("bradford_std.PRO", "runs", "a.PRO")
        for folder, words in ((self.path("missing"), "cannot read the folder: No such file"),
                              (export_file, "cannot read the folder: Not a directory")):
            with self.subTest(folder=folder):
                run = self.convert("--watch", runs, folder)
                self.assertEqual(run.rc, 1, run.err)
                self.assertIn(f"ordelix-convert: {folder}: {words}", run.err)
                self.assertFalse(os.path.exists(self.path("runs", "a.xlsx")))

    def test_an_unreadable_folder_fails_the_start(self):
        if not ON_WINDOWS and os.geteuid() == 0:
            self.skipTest("root reads every folder")
        if ON_WINDOWS:
            self.skipTest("wine gives no folder without read permission")
        runs = self.folder("runs")
        os.chmod(runs, 0)
        self.addCleanup(os.chmod, runs, 0o755)
        run = self.convert("--watch", runs)
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn("Permission denied", run.err)

    def test_a_folder_that_goes_is_told_and_watched_again_when_it_comes_back(self):
        self.folder("share")
        share = self.folder("share", "runs")
        watcher = Watcher(self, "--poll", "0.2", share)
        watcher.expect("out", "^Watching")
        os.rename(share, self.path("share", "away"))
        watcher.expect("err", TIMED + re.escape(f"ordelix-convert: {share}: cannot read the folder"))
        self.copy_example("bradford_std.PRO", "share", "away", "back.PRO")
        os.rename(self.path("share", "away"), share)
        watcher.expect("out", re.escape(f"converted {joined(share, 'back.PRO')} -> "))
        self.assertEqual(self.assert_stopped_cleanly(watcher), ("1", "1", "0"))


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
