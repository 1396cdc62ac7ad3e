#!/usr/bin/python3
"""Batches through the real ordelix-convert: folders, parallel workers, the
combined workbook, progress and summary, the command line's manners, and the
man page and completion that `cmake --install` puts in place.

Usage: check_batches.py CONVERTER EXAMPLES_DIR GOLDEN_DIR BUILD_DIR CMAKE
"""

import gzip
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

import openpyxl

import check_reports as reports
from check_hostile import scan_lines
from check_reports import ON_WINDOWS, ConverterCase, joined, read_golden, read_golden_chart

BUILD = CMAKE = None
SUMMARY = re.compile(r"^(\d+) converted, (\d+) failed, (\d+) with warnings(?:, (\d+) skipped)?$")


def summary_of(text):
    """(converted, failed, with warnings), and skipped when the line tells it, from the last line."""
    found = SUMMARY.match(text.splitlines()[-1])
    return tuple(int(n) for n in found.groups() if n is not None) if found else None


def sheet_of(reference):
    """The sheet a formula's range reference names, quotes undone."""
    sheet = reference.rsplit("!", 1)[0]
    if sheet.startswith("'"):
        sheet = sheet[1:-1].replace("''", "'")
    return sheet


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def run_on_terminal(args, stdout_tty=False, stderr_tty=False):
    """Runs the converter with stdout and/or stderr on a pseudo-terminal;
    returns (rc, stdout, stderr) with the terminal's output in its stream."""
    master, slave = pty.openpty()
    out = slave if stdout_tty else subprocess.PIPE
    err = slave if stderr_tty else subprocess.PIPE
    proc = subprocess.Popen([reports.CONVERTER, *args], stdout=out, stderr=err)
    os.close(slave)
    seen = b""
    while True:
        try:
            chunk = os.read(master, 4096)
        except OSError:
            break
        if not chunk:
            break
        seen += chunk
    stdout, stderr = proc.communicate(timeout=60)
    os.close(master)
    return proc.returncode, stdout if not stdout_tty else seen, stderr if not stderr_tty else seen


class BatchCase(ConverterCase):
    def example(self, name, *dest):
        return self.copy_example(name, *dest)

    def runs_folder(self):
        """runs/ with three export files in three cases of extension, a note, and
        a subfolder holding a fourth."""
        self.example("lowry_kfactor.PRO", "runs", "A.PRO")
        self.example("bradford_std.PRO", "runs", "b.pro")
        self.example("scan_step1.WSC", "runs", "c.Wsc")
        with open(self.path("runs", "notes.txt"), "w") as f:
            f.write("not an export file\n")
        self.example("dsdna.NUC", "runs", "sub", "d.NUC")
        return os.path.join(self.work, "runs")

    def assert_golden(self, stem, report):
        expected, merges = read_golden(os.path.join(reports.GOLDEN, stem + ".cells"))
        self.assert_cells_like(expected, report)
        self.assertEqual(reports.cells_of(report)[1], merges)


class Folders(BatchCase):
    def test_folder_gives_its_export_files_and_counts_the_rest(self):
        runs = self.runs_folder()
        if ON_WINDOWS:
            # A device every folder seems to hold on Windows: opening it opens the device.
            with open(self.path("runs", "NUL.PRO"), "w") as f:
                f.write("a name Windows keeps for its null device\n")
        else:
            os.mkfifo(self.path("runs", "pipe.PRO"))  # never opened: it would block a reader
        run = self.convert(runs)
        self.assert_converted(run)
        self.assertEqual(summary_of(run.out), (3, 0, 0))
        self.assertIn("2 files in the folders are not export files", run.out)
        self.assertIn("1 subfolder left out", run.out)
        self.assert_golden("lowry_kfactor", os.path.join(runs, "A.xlsx"))
        self.assert_golden("bradford_std", os.path.join(runs, "b.xlsx"))
        self.assert_golden("scan_step1", os.path.join(runs, "c.xlsx"))
        self.assertFalse(os.path.exists(os.path.join(runs, "sub", "d.xlsx")))
        self.assertFalse(os.path.exists(os.path.join(runs, "notes.xlsx")))

    def test_recursive_into_a_new_folder_keeps_the_layout(self):
        runs = self.runs_folder()
        out = os.path.join(self.work, "new", "reports")
        run = self.convert("-r", "-d", out, runs)
        self.assert_converted(run)
        self.assertEqual(summary_of(run.out), (4, 0, 0))
        found = sorted(os.path.relpath(os.path.join(d, n), out)
                       for d, _, names in os.walk(out) for n in names)
        self.assertEqual(found, ["A.xlsx", "b.xlsx", "c.xlsx", os.path.join("sub", "d.xlsx")])
        self.assert_golden("dsdna", os.path.join(out, "sub", "d.xlsx"))

    def test_empty_folder_and_failing_file_count_as_failures(self):
        empty = self.folder("empty")
        runs = self.runs_folder()
        with open(self.path("runs", "broken.PRO"), "wb") as f:
            f.write(b"7\r\n")
        run = self.convert("-d", self.folder("out"), empty, runs)
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn(f"{empty}: holds no export files", run.err)
        self.assertIn(joined(runs, "broken.PRO"), run.err)
        self.assertEqual(summary_of(run.out), (3, 2, 0))

    def test_files_with_warnings_are_counted(self):
        lines = reports.export_lines(os.path.join(reports.EXAMPLES, "scan_step1.WSC"))
        lines[12] = b"99999999"  # a data number beyond the sheet
        reports.write_export(self.path("runs", "huge.WSC"), lines)
        self.example("dsdna.NUC", "runs", "fine.NUC")
        run = self.convert(os.path.join(self.work, "runs"))
        self.assertEqual(run.rc, 0, run.err)
        self.assertEqual(summary_of(run.out), (2, 0, 1))


class Parallel(BatchCase):
    def test_one_worker_and_four_write_the_same_bytes_and_lines(self):
        names = reports.example_names()
        inputs = [os.path.join(reports.EXAMPLES, n) for n in names]
        runs = {}
        for jobs in ("1", "4"):
            out = self.folder(f"out{jobs}")
            run = self.convert("-v", "-j", jobs, "-d", out, *inputs)
            self.assert_converted(run, reports.example_warnings(inputs))
            runs[jobs] = run.out.replace(out, "OUT")
        self.assertEqual(runs["1"], runs["4"])
        made = [line.split(" -> ")[0] for line in runs["1"].splitlines() if " -> " in line]
        self.assertEqual(made, inputs)
        for name in names:
            report = os.path.splitext(name)[0] + ".xlsx"
            with self.subTest(report=report):
                self.assertEqual(read_bytes(self.path("out1", report)),
                                 read_bytes(self.path("out4", report)))


class Combined(BatchCase):
    def test_one_sheet_per_file_each_the_report_alone(self):
        names = reports.example_names()
        combined = self.path("all.xlsx")
        run = self.convert("--combine", combined, reports.EXAMPLES)
        self.assert_converted(
            run, reports.example_warnings([joined(reports.EXAMPLES, n) for n in names]))
        self.assertEqual(summary_of(run.out), (len(names), 0, len(reports.EXAMPLE_WARNINGS)))
        book = openpyxl.load_workbook(combined)
        self.assertEqual(book.sheetnames, names)
        for name in names:
            stem = os.path.splitext(name)[0]
            with self.subTest(sheet=name):
                sheet = book[name]
                expected, merges = read_golden(os.path.join(reports.GOLDEN, stem + ".cells"))
                actual = {c.coordinate: (reports.kind_of(c.value), c.value, bool(c.font.b))
                          for c in reports.written_cells(sheet)}
                diff = reports.cell_differences(expected, actual)
                self.assertFalse(diff, "\n".join(diff))
                self.assertEqual(sorted(str(r) for r in sheet.merged_cells.ranges), merges)
                self.assertEqual(reports.sheet_format_problems(sheet), [])
                date = sheet["D2"]
                self.assertEqual(reports.round_to_second(date.value), reports.local_datetime(
                    reports.created_seconds(os.path.join(reports.EXAMPLES, name))))
                chart = read_golden_chart(os.path.join(reports.GOLDEN, stem + ".cells"))
                self.assertEqual(len(sheet._charts), 1 if chart else 0)
                if chart:
                    series = sheet._charts[0].series[0]
                    for ref, alone in ((series.val.numRef.f, chart["values"]),
                                       (series.cat.numRef.f, chart["categories"])):
                        self.assertEqual(sheet_of(ref), name)
                        self.assertEqual(ref.split("!")[1], alone.split("!")[1])

    def test_sheet_names_are_made_valid_and_unique(self):
        self.example("dsdna.NUC", "x", "run[1].NUC")
        self.example("rna.NUC", "y", "RUN[1].nuc")
        self.example("scan_step2.WSC", "x", "o'brien " + "z" * 30 + ".WSC")
        inputs = [self.path("x", "run[1].NUC"), self.path("y", "RUN[1].nuc"),
                  self.path("x", "o'brien " + "z" * 30 + ".WSC")]
        combined = self.path("named.xlsx")
        self.assert_converted(self.convert("--combine", combined, *inputs))
        book = openpyxl.load_workbook(combined)
        long_name = "o'brien " + "z" * 23
        self.assertEqual(book.sheetnames, ["run_1_.NUC", "RUN_1_.nuc (2)", long_name])
        self.assertEqual(book[long_name]._charts[0].series[0].val.numRef.f.split("!")[0],
                         "'o''brien " + "z" * 23 + "'", "quoted, its apostrophe doubled")

    def test_failed_file_is_left_out_and_an_existing_workbook_kept(self):
        good = self.example("dsdna.NUC", "good.NUC")
        bad = self.path("bad.PRO")
        with open(bad, "wb") as f:
            f.write(b"7\r\n")
        combined = self.path("some.xlsx")
        run = self.convert("--combine", combined, bad, good)
        self.assert_failed_about(run, 1, bad)
        self.assertEqual(summary_of(run.out), (1, 1, 0))
        self.assertEqual(openpyxl.load_workbook(combined).sheetnames, ["good.NUC"])

        run = self.convert("--combine", combined, good, good)
        self.assert_failed_about(run, 1, combined, "already exists")
        self.assertEqual(summary_of(run.out), (0, 2, 0))
        self.assertEqual(openpyxl.load_workbook(combined).sheetnames, ["good.NUC"])
        self.assert_converted(self.convert("-f", "--combine", combined, good, good))
        self.assertEqual(openpyxl.load_workbook(combined).sheetnames, ["good.NUC", "good.NUC (2)"])

    def test_strict_leaves_out_a_file_with_warnings(self):
        self.example("kinetics_step50.TSC", "runs", "faulty.TSC")
        faulty = joined(os.path.join(self.work, "runs"), "faulty.TSC")
        self.example("dsdna.NUC", "runs", "clean.NUC")
        combined = self.path("strict.xlsx")
        run = self.convert("--strict", "--combine", combined, os.path.join(self.work, "runs"))
        self.assertEqual(run.rc, 1, run.err)
        self.assertEqual(run.err, (
            f"{faulty}:13: warning: says 4 values; the file holds 3\n"
            f"ordelix-convert: {faulty}: not converted: 1 warning under --strict\n"))
        self.assertEqual(summary_of(run.out), (1, 1, 0))
        self.assertEqual(openpyxl.load_workbook(combined).sheetnames, ["clean.NUC"])

    def test_combined_on_stdout_is_the_same_workbook(self):
        inputs = [self.example(n, n) for n in ("dsdna.NUC", "scan_step5.WSC")]
        combined = self.path("c.xlsx")
        self.assert_converted(self.convert("--combine", combined, *inputs))
        streamed = subprocess.run([reports.CONVERTER, "--combine", "-", *inputs],
                                  capture_output=True, timeout=60)
        self.assertEqual(streamed.returncode, 0, streamed.stderr)
        self.assertEqual(streamed.stdout, read_bytes(combined))
        self.assertEqual(summary_of(streamed.stderr.decode()), (2, 0, 0))


class Manners(BatchCase):
    def test_workbook_on_stdout_and_never_on_a_terminal(self):
        source = self.example("bca_std.PRO", "s.PRO")
        report = self.path("s.xlsx")
        self.assert_converted(self.convert(source))
        streamed = subprocess.run([reports.CONVERTER, "-o", "-", source],
                                  capture_output=True, timeout=60)
        self.assertEqual(streamed.returncode, 0, streamed.stderr)
        self.assertEqual(streamed.stdout, read_bytes(report))
        self.assertEqual(summary_of(streamed.stderr.decode()), (1, 0, 0))

        rc, _, err = run_on_terminal(["-o", "-", source], stdout_tty=True)
        self.assertEqual(rc, 2)
        self.assertIn(b"standard output is a terminal", err)
        self.assertFalse(os.path.exists(self.path("-")))

    def test_output_name_must_end_in_a_reports_extension_and_not_be_a_folder(self):
        source = self.example("bca_std.PRO", "s.PRO")
        for name in ("r.txt", "r.xlsx.bak", "r.json.gz", "r"):
            with self.subTest(name=name):
                run = self.convert("-o", self.path(name), source)
                self.assert_failed_about(run, 2, "must end in .xlsx, .json or .csv")
                self.assertFalse(os.path.exists(self.path(name)))
        folder = self.folder("looks.xlsx")
        for force in ([], ["-f"]):
            with self.subTest(force=force):
                run = self.convert(*force, "-o", folder, source)
                self.assert_failed_about(run, 2, "is a folder")
                self.assertEqual(os.listdir(folder), [])
        upper = subprocess.run([reports.CONVERTER, "-o", self.path("UPPER.XLSX"), source],
                               capture_output=True, text=True, timeout=60)
        self.assertEqual(upper.returncode, 0, upper.stderr)
        self.assertTrue(os.path.isfile(self.path("UPPER.XLSX")))

    def test_unknown_option_is_named(self):
        source = self.example("bca_std.PRO", "s.PRO")
        for args in (["--bogus"], ["--bogus", source], [source, "-x"]):
            with self.subTest(args=args):
                run = self.convert(*args)
                self.assertEqual(run.rc, 2, run.err)
                self.assertIn("unknown option " + [a for a in args if a != source][0], run.err)
        run = self.convert("-j", "0", source)
        self.assertEqual(run.rc, 2, run.err)
        self.assertFalse(os.path.exists(self.path("s.xlsx")))

    def test_short_and_long_version(self):
        short, long = self.convert("-V"), self.convert("--version")
        self.assertEqual((short.rc, long.rc), (0, 0))
        self.assertRegex(short.out, r"^ordelix-convert \d+\.\d+\.\d+\n$")
        self.assertEqual(short.out, long.out)

    def test_quiet_prints_only_errors_and_verbose_each_report(self):
        runs = self.runs_folder()
        with open(self.path("runs", "broken.PRO"), "wb") as f:
            f.write(b"7\r\n")
        bad = joined(runs, "broken.PRO")
        quiet = self.convert("-q", "-d", self.folder("q"), runs)
        self.assertEqual((quiet.rc, quiet.out), (1, ""))
        self.assertEqual(len(quiet.err.splitlines()), 1, quiet.err)
        self.assertIn(bad, quiet.err)

        verbose = self.convert("-v", "-d", self.folder("v"), runs)
        made = [line for line in verbose.out.splitlines() if " -> " in line]
        self.assertEqual(made, [f"{joined(runs, n)} -> {joined(self.path('v'), os.path.splitext(n)[0])}.xlsx"
                                for n in ("A.PRO", "b.pro", "c.Wsc")])
        self.assertEqual(summary_of(verbose.out), (3, 1, 0))
        normal = self.convert("-f", "-d", self.folder("v"), runs)
        self.assertNotIn(" -> ", normal.out)
        self.assertEqual(self.convert("-q", "-v", runs).rc, 2)

    def test_progress_line_only_on_a_terminal_and_gone_at_the_end(self):
        runs = self.runs_folder()
        with self.subTest(stderr="a terminal"):
            if ON_WINDOWS:
                self.skipTest("wine draws the program's console on the terminal itself, a "
                              "character at a time with cursor codes of its own, so the "
                              "program's bytes never reach it as written")
            rc, out, err = run_on_terminal(["-r", "-d", self.path("t"), runs], stderr_tty=True)
            self.assertEqual(rc, 0, err)
            self.assertRegex(err, rb"\r\d+/4 done, 0 failed  ")
            self.assertTrue(err.endswith(b"\r\x1b[K"), err[-40:])
            self.assertEqual(summary_of(out.decode()), (4, 0, 0))
        piped = self.convert("-r", "-f", "-d", self.path("t"), runs)
        self.assertEqual(piped.err, "")
        self.assertNotIn("\r", piped.out)


class Resuming(BatchCase):
    """-n: a run again after a stop keeps the reports made and converts the rest."""

    def report_state(self, folder):
        """Each report in the folder: its bytes and modification time."""
        state = {}
        for name in os.listdir(folder):
            full = os.path.join(folder, name)
            state[name] = (read_bytes(full), os.stat(full).st_mtime_ns)
        return state

    def test_a_batch_stopped_by_ctrl_c_resumes(self):
        if ON_WINDOWS:
            self.skipTest("a POSIX signal to wine's process is no Ctrl-C to the program")
        # The first chunk of 64 small files is in place while the large scans
        # after it are still converting: the run is stopped there.
        runs = self.folder("runs")
        for i in range(64):
            self.example("bradford_std.PRO", "runs", f"a{i:03}.PRO")
        for i in range(8):
            reports.write_export(self.path("runs", f"z{i}.WSC"), scan_lines())
        out = self.folder("out")
        child = subprocess.Popen([reports.CONVERTER, "-j", "1", "-d", out, runs],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(child.kill)
        deadline = time.monotonic() + 60
        while not any(n.endswith(".xlsx") for n in os.listdir(out)):
            self.assertIsNone(child.poll(), "the run ended before a report was in place")
            self.assertLess(time.monotonic(), deadline, "no report was ever placed")
        child.send_signal(signal.SIGSTOP)
        child.send_signal(signal.SIGINT)
        child.send_signal(signal.SIGCONT)
        self.assertEqual(child.wait(timeout=60), -signal.SIGINT)
        finished = self.report_state(out)
        self.assertTrue(0 < len(finished) <= 64, sorted(finished))

        again = self.convert("-n", "-v", "-d", out, runs)
        self.assertEqual((again.rc, again.err), (0, ""))
        self.assertEqual(summary_of(again.out), (72 - len(finished), 0, 0, len(finished)))
        skipped = [line for line in again.out.splitlines() if ": skipped, its report exists: " in line]
        self.assertEqual(sorted(line.split(": skipped")[0] for line in skipped),
                         sorted(joined(runs, os.path.splitext(n)[0] + ".PRO") for n in finished))
        self.assertEqual(len([line for line in again.out.splitlines() if " -> " in line]),
                         72 - len(finished))
        after = self.report_state(out)
        self.assertEqual(len(after), 72)
        for name, state in finished.items():
            with self.subTest(kept=name):
                self.assertEqual(after[name], state, "bytes and time as they were")

    def test_kept_wherever_reports_are_named(self):
        first, second = (self.example(n, "runs", n) for n in ("dsdna.NUC", "rna.NUC"))
        self.assert_converted(self.convert(first))
        beside = self.convert("-n", first, second)
        self.assert_converted(beside)
        self.assertEqual(summary_of(beside.out), (1, 0, 0, 1))

        out = self.folder("out")
        self.assert_converted(self.convert("-d", out, second))
        into = self.convert("--skip-existing", "-d", out, first, second)
        self.assert_converted(into)
        self.assertEqual(summary_of(into.out), (1, 0, 0, 1))

        named = self.path("named.xlsx")
        for expected in ((1, 0, 0, 0), (0, 0, 0, 1)):
            run = self.convert("-n", "-o", named, first)
            self.assert_converted(run)
            self.assertEqual(summary_of(run.out), expected)
        self.assertEqual(summary_of(self.convert("-f", "-o", named, first).out), (1, 0, 0),
                         "no skipped part without -n")

    def test_a_report_cut_short_fails_and_is_named(self):
        names = ("dsdna.NUC", "rna.NUC", "lowry_kfactor.PRO", "bca_std.PRO")
        inputs = [self.example(n, "runs", n) for n in names]
        out = self.folder("out")
        self.assert_converted(self.convert("-d", out, *inputs[:2]))
        cut = os.path.join(out, "rna.xlsx")
        with open(cut, "r+b") as f:
            f.truncate(os.path.getsize(cut) // 2)
        half = read_bytes(cut)
        open(os.path.join(out, "lowry_kfactor.xlsx"), "wb").close()
        if not ON_WINDOWS:
            os.mkfifo(os.path.join(out, "bca_std.xlsx"))
        run = self.convert("-n", "-d", out, *inputs)
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn(f"{inputs[1]}: the existing report is not complete "
                      f"(--force replaces it): {joined(out, 'rna.xlsx')}\n", run.err)
        self.assertIn(f"not complete (--force replaces it): {joined(out, 'lowry_kfactor.xlsx')}\n",
                      run.err)
        if not ON_WINDOWS:
            self.assertIn("taken by something other than a regular file: "
                          f"{joined(out, 'bca_std.xlsx')}\n", run.err)
        self.assertEqual(summary_of(run.out), (1, 2, 0, 1) if ON_WINDOWS else (0, 3, 0, 1))
        self.assertEqual(read_bytes(cut), half, "left as it was")

        self.assert_converted(self.convert("-f", "-d", out, inputs[1]))
        self.assert_golden("rna", cut)

    def test_a_workbook_is_kept_only_when_it_holds_what_its_file_gives(self):
        inputs = [self.example(n, "runs", n) for n in ("dsdna.NUC", "rna.NUC", "bca_std.PRO")]
        out = self.folder("out")
        self.assert_converted(self.convert("-d", out, *inputs))
        dsdna, rna, bca = (os.path.join(out, n) for n in ("dsdna.xlsx", "rna.xlsx", "bca_std.xlsx"))
        # Another file's report at the name, as a case-blind folder leaves one.
        shutil.copyfile(rna, dsdna)
        # The sheet's data zeroed, the zip's index whole.
        with zipfile.ZipFile(bca) as z:
            sheet = z.getinfo("xl/worksheets/sheet1.xml")
        with open(bca, "r+b") as f:
            f.seek(sheet.header_offset + 26)
            name_and_extra = int.from_bytes(f.read(2), "little") + int.from_bytes(f.read(2), "little")
            f.seek(sheet.header_offset + 30 + name_and_extra)
            f.write(bytes(sheet.compress_size))
        # The same parts deflated otherwise, as another zip tool might: still the report.
        with zipfile.ZipFile(rna) as z:
            parts = [(info, z.read(info)) for info in z.infolist()]
        with zipfile.ZipFile(rna, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
            for info, data in parts:
                z.writestr(info.filename, data)
        before = {p: read_bytes(p) for p in (dsdna, rna, bca)}
        run = self.convert("-n", "-d", out, *inputs)
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn(f"{inputs[0]}: the existing report is not this file's report as it converts "
                      f"now (--force replaces it): {joined(out, 'dsdna.xlsx')}\n", run.err)
        self.assertIn(f"{inputs[2]}: the existing report is not complete (--force replaces it): "
                      f"{joined(out, 'bca_std.xlsx')}\n", run.err)
        self.assertEqual(len(run.err.splitlines()), 2, run.err)
        self.assertEqual(summary_of(run.out), (0, 2, 0, 1))
        self.assertEqual({p: read_bytes(p) for p in before}, before)

    def test_with_force_is_a_usage_error(self):
        source = self.example("dsdna.NUC", "d.NUC")
        for args in (["-n", "-f"], ["--skip-existing", "--force"], ["-nf"]):
            with self.subTest(args=args):
                run = self.convert(*args, source)
                self.assertEqual(run.rc, 2, run.err)
                self.assertIn("excludes", run.err)
                self.assertFalse(os.path.exists(self.path("d.xlsx")))

    def test_a_combined_workbook_that_stands_keeps_its_files(self):
        inputs = [self.example(n, n) for n in ("dsdna.NUC", "rna.NUC")]
        combined = self.path("day.xlsx")
        made = self.convert("-n", "--combine", combined, *inputs)
        self.assert_converted(made)
        self.assertEqual(summary_of(made.out), (2, 0, 0, 0))
        before = (read_bytes(combined), os.stat(combined).st_mtime_ns)
        kept = self.convert("-n", "-v", "--combine", combined, *inputs)
        self.assert_converted(kept)
        self.assertEqual(summary_of(kept.out), (0, 0, 0, 2))
        self.assertEqual(kept.out.splitlines()[:2],
                         [f"{i}: skipped, its report exists: {combined}" for i in inputs])
        self.assertEqual((read_bytes(combined), os.stat(combined).st_mtime_ns), before)

        added = inputs + [self.example("culture_od.OD", "culture_od.OD")]
        grown = self.convert("-n", "--combine", combined, *added)
        self.assert_failed_about(grown, 1, f"{combined}: the existing report does not hold these "
                                           "3 files as they convert now (--force replaces it)")
        self.assertEqual(len(grown.err.splitlines()), 1, grown.err)
        self.assertEqual(summary_of(grown.out), (0, 3, 0, 0))
        self.assertEqual((read_bytes(combined), os.stat(combined).st_mtime_ns), before)
        reordered = self.convert("-n", "--combine", combined, *reversed(inputs))
        self.assert_failed_about(reordered, 1, "does not hold these 2 files")

        with open(combined, "r+b") as f:
            f.truncate(100)
        cut = self.convert("-n", "--combine", combined, *inputs)
        self.assert_failed_about(cut, 1, f"{combined}: the existing report is not complete")
        self.assertEqual(len(cut.err.splitlines()), 1, cut.err)
        self.assertEqual(summary_of(cut.out), (0, 2, 0, 0))


class Installed(unittest.TestCase):
    """What `cmake --install` puts in place, and that it matches --help."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="ordelix-install-")
        done = subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix],
                              capture_output=True, text=True)
        if done.returncode != 0:
            raise AssertionError(done.stdout + done.stderr)
        cls.help_text = subprocess.run([reports.CONVERTER, "--help"], capture_output=True,
                                       text=True).stdout
        cls.options = sorted(set(re.findall(r"(?<![\w-])(--?[a-zA-Z][\w-]*)", cls.help_text)))
        # Compressed, as Debian wants it.
        cls.man = os.path.join(cls.prefix, "share", "man", "man1", "ordelix-convert.1.gz")
        cls.completion = os.path.join(cls.prefix, "share", "bash-completion", "completions",
                                      "ordelix-convert")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.prefix, ignore_errors=True)

    def test_program_man_page_and_completion_are_installed(self):
        program = "ordelix-convert.exe" if ON_WINDOWS else "ordelix-convert"
        self.assertTrue(os.access(os.path.join(self.prefix, "bin", program), os.X_OK))
        self.assertTrue(os.path.isfile(self.man))
        self.assertTrue(os.path.isfile(self.completion))
        self.assertIn("--combine", self.options)
        self.assertIn("-V", self.options)

    def test_man_page_renders_cleanly_and_names_every_option(self):
        with gzip.open(self.man, "rt", encoding="utf-8") as f:
            source = f.read()
        rendered = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-P-c", "-P-b", "-P-u"],
                                  input=source, capture_output=True, text=True)
        self.assertEqual(rendered.stderr, "")
        text = rendered.stdout.replace("\u2010", "-")
        for option in self.options:
            with self.subTest(option=option):
                self.assertRegex(text, rf"(?<![\w-]){re.escape(option)}(?![\w-])")

    def test_help_groups_the_options_as_the_man_page(self):
        def options_in(text):
            return sorted(re.findall(r"(?<![\w-])(--?[a-zA-Z][\w-]*)", text))

        help_groups, group = [], None
        for line in self.help_text.splitlines():
            if re.fullmatch(r"\S[^:]*:", line) and line != "Examples:":
                group = (line[:-1], [])
                help_groups.append(group)
            elif line.startswith("  -") and group:
                group[1].extend(options_in(line.split("   ")[0]))
            elif not line.startswith(" "):
                group = None
        with gzip.open(self.man, "rt", encoding="utf-8") as f:
            # Without its dashes' escapes and its font changes.
            source = re.sub(r"\\f[A-Z]", " ", f.read().replace("\\-", "-"))
        section = source[source.index(".SH OPTIONS"):source.index(".SH DATA")]
        man_groups = []
        for part in section.split(".SS ")[1:]:
            name = part.splitlines()[0].strip('"')
            heads = re.findall(r"^\.TP\n(.*)$", part, flags=re.M)
            man_groups.append((name, options_in(" ".join(heads))))
        self.assertEqual([(n, sorted(o)) for n, o in help_groups], man_groups)

    def test_completion_offers_every_option_and_the_right_files(self):
        work = tempfile.mkdtemp(prefix="ordelix-complete-")
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        for name in ("a.PRO", "b.nuc", "c.txt", "d.xlsx", "E.XLSX"):
            open(os.path.join(work, name), "w").close()
        os.mkdir(os.path.join(work, "sub"))

        def complete(*words):
            script = (f"source {self.completion}; COMP_WORDS=(ordelix-convert {' '.join(words)} ''); "
                      f"COMP_CWORD={len(words) + 1}; _ordelix_convert; "
                      "printf '%s\\n' \"${COMPREPLY[@]}\"")
            done = subprocess.run(["bash", "--norc", "-c", script], cwd=work,
                                  capture_output=True, text=True)
            self.assertEqual(done.stderr, "")
            return sorted(done.stdout.split())

        dashes = subprocess.run(
            ["bash", "--norc", "-c", f"source {self.completion}; COMP_WORDS=(ordelix-convert -); "
             "COMP_CWORD=1; _ordelix_convert; printf '%s\\n' \"${COMPREPLY[@]}\""],
            capture_output=True, text=True).stdout.split()
        self.assertEqual(sorted(dashes), self.options)
        self.assertEqual(complete(), ["a.PRO", "b.nuc", "sub"])
        self.assertEqual(complete("-o"), ["E.XLSX", "d.xlsx", "sub"])
        self.assertEqual(complete("-d"), ["sub"])


def main():
    global BUILD, CMAKE
    if len(sys.argv) != 6:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    reports.CONVERTER, reports.EXAMPLES, reports.GOLDEN, BUILD = (
        os.path.abspath(a) for a in sys.argv[1:5])
    CMAKE = sys.argv[5]
    return reports.run_tests_of(sys.modules[__name__])


if __name__ == "__main__":
    sys.exit(main())
