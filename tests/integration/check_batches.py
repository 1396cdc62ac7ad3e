#!/usr/bin/python3
"""Batches through the real ordelix-convert: folders, parallel workers, the
combined workbook, progress and summary, the command line's manners, and the
man page and completion that `cmake --install` puts in place.

Usage: check_batches.py CONVERTER EXAMPLES_DIR GOLDEN_DIR BUILD_DIR CMAKE
"""

import os
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import openpyxl

import check_reports as reports
from check_reports import ON_WINDOWS, ConverterCase, joined, read_golden, read_golden_chart

BUILD = CMAKE = None
SUMMARY = re.compile(r"^(\d+) converted, (\d+) failed, (\d+) with warnings$")


def summary_of(text):
    """(converted, failed, with warnings) from the last line."""
    found = SUMMARY.match(text.splitlines()[-1])
    return tuple(int(n) for n in found.groups()) if found else None


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


class Installed(unittest.TestCase):
    """What `cmake --install` puts in place, and that it matches --help."""

    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="ordelix-install-")
        done = subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix],
                              capture_output=True, text=True)
        if done.returncode != 0:
            raise AssertionError(done.stdout + done.stderr)
        help_text = subprocess.run([reports.CONVERTER, "--help"], capture_output=True,
                                   text=True).stdout
        cls.options = sorted(set(re.findall(r"(?<![\w-])(--?[a-zA-Z][\w-]*)", help_text)))
        cls.man = os.path.join(cls.prefix, "share", "man", "man1", "ordelix-convert.1")
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
        rendered = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-P-c", "-P-b", "-P-u",
                                   self.man], capture_output=True, text=True)
        self.assertEqual(rendered.stderr, "")
        text = rendered.stdout.replace("\u2010", "-")
        for option in self.options:
            with self.subTest(option=option):
                self.assertRegex(text, rf"(?<![\w-]){re.escape(option)}(?![\w-])")

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
