#!/usr/bin/python3
"""The Windows ordelix-convert under wine beside the Linux one: the same export
files, in the same time zone, give the same workbooks byte for byte, the same
exit statuses and the same lines; and what only the Windows program meets:
names in any script, paths with backslashes and drive letters, device names,
and a workbook written to standard output.

Usage: check_windows.py WINDOWS_CONVERTER LINUX_CONVERTER EXAMPLES_DIR FUZZ_CORPUS_DIR

WINDOWS_CONVERTER runs the .exe under wine. The fuzz corpus inputs are one
byte of flags, eight of file time, the extension and a line feed, then the
export file: those with an export file's extension are converted as files.
"""

import fcntl
import io
import os
import pty
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import termios
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "integration"))
import check_reports as reports  # noqa: E402
from check_hostile import scan_lines  # noqa: E402

WINDOWS = LINUX = EXAMPLES = CORPUS = None

EXTENSIONS = ("PRO", "NUC", "CON", "PHT", "OD", "TSC", "TM", "WSC")
UNICODE_STEM = "Messung µg ü 測定"
SUMMARY = re.compile(r"^(\d+) converted, (\d+) failed, (\d+) with warnings$")
# Wine takes the arguments and names from Unix in the locale's character set.
ENVIRONMENT = {"LC_ALL": "C.UTF-8", "TZ": os.environ.get("TZ", "JST-9")}
DATE_NOTE = ("note: wine shows a Windows program a file's modification time as its creation "
             "time, so every input's modification time is set to its birth time")


def align_times(path):
    """Gives the file the same creation time under wine as under Linux."""
    born = reports.birth_time(path)
    if born is not None:
        os.utime(path, (born, born))
    return path


def corpus_inputs():
    """{file name: bytes} of the fuzz corpus inputs that name an export file's extension."""
    found = {}
    for name in sorted(os.listdir(CORPUS)):
        with open(os.path.join(CORPUS, name), "rb") as f:
            data = f.read()
        rest = data[9:]
        end = rest.find(b"\n")
        if len(data) < 9 or end < 0 or rest[:end].decode("latin-1") not in EXTENSIONS:
            continue
        found[f"{name}.{rest[:end].decode()}"] = rest[end + 1:]
    return found


def workbook_date(data):
    with zipfile.ZipFile(io.BytesIO(data)) as z:
        core = z.read("docProps/core.xml").decode()
    found = re.search(r"<dcterms:created[^>]*>([^<]*)<", core)
    return found.group(1) if found else None


def workbook_date_of(seconds):
    """A time as the workbook's properties give it."""
    return time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(seconds))


def members_without_dates(data):
    """{member: bytes} with the created and modified dates and every sheet's D2,
    the Time & Date cell, taken out."""
    members = {}
    with zipfile.ZipFile(io.BytesIO(data)) as z:
        for info in z.infolist():
            body = z.read(info.filename)
            if info.filename == "docProps/core.xml":
                body = re.sub(rb"(<dcterms:(created|modified)[^>]*>)[^<]*", rb"\1", body)
            elif info.filename.startswith("xl/worksheets/sheet"):
                body = re.sub(rb'(<c r="D2"[^>]*>)<v>[^<]*</v>', rb"\1", body)
            members[info.filename] = body
    return members


def lines_of(raw):
    """The lines of the text; bytes that are not UTF-8 match no text expected."""
    return raw.decode("utf-8", errors="surrogateescape").splitlines()


def bare_line_ends(raw):
    """Line feeds and carriage returns that are not of a CR LF pair."""
    return re.findall(rb"\r(?!\n)|(?<!\r)\n", raw)


class Run:
    def __init__(self, completed):
        self.rc = completed.returncode
        self.raw_out = completed.stdout
        self.raw_err = completed.stderr
        self.out = lines_of(completed.stdout)
        self.err = lines_of(completed.stderr)


class WindowsCase(unittest.TestCase):
    """Runs in a folder of its own, which each run must leave without a
    hidden .ordelix- file."""

    date_notes = []

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ordelix-windows-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def path(self, *parts):
        p = os.path.join(self.work, *parts)
        os.makedirs(os.path.dirname(p), exist_ok=True)
        return p

    def example(self, name, *dest):
        return align_times(shutil.copyfile(os.path.join(EXAMPLES, name), self.path(*dest)))

    def run_converter(self, program, *args, timeout=120):
        env = dict(os.environ, **ENVIRONMENT)
        env.pop("LANG", None)
        completed = subprocess.run([program, *args], cwd=self.work, env=env,
                                   stdin=subprocess.DEVNULL, capture_output=True,
                                   timeout=timeout)
        left = [os.path.join(d, n) for d, dirs, names in os.walk(self.work)
                for n in dirs + names if n.startswith(reports.TEMP_PREFIX)]
        self.assertEqual(left, [], f"left behind by {args}")
        return Run(completed)

    def windows(self, *args, timeout=120):
        run = self.run_converter(WINDOWS, *args, timeout=timeout)
        workbook_out = any(a in ("-o", "--combine") and b == "-" for a, b in zip(args, args[1:]))
        for stream in (run.raw_err,) if workbook_out else (run.raw_out, run.raw_err):
            self.assertEqual(bare_line_ends(stream), [], f"a Windows text line ends in CR LF: {stream!r}")
        return run

    def linux(self, *args):
        return self.run_converter(LINUX, *args)

    def reports_in_work(self):
        return {os.path.relpath(os.path.join(d, n), self.work)
                for d, _, names in os.walk(self.work) for n in names if n.endswith(".xlsx")}

    def both(self, *args, folders=()):
        """Runs the Linux program, takes away the workbooks it made, then runs
        the Windows one; checks the two made the same workbooks, ended alike
        and said the same lines. `folders` are the folder arguments, whose
        files the Windows program names with backslashes, each a name or a
        (name, folder it stands for) pair."""
        before = self.reports_in_work()
        linux = self.linux(*args)
        made = {}
        for name in sorted(self.reports_in_work() - before):
            with open(os.path.join(self.work, name), "rb") as f:
                made[name] = f.read()
            os.remove(os.path.join(self.work, name))
        windows = self.windows(*args)
        self.assertEqual(sorted(self.reports_in_work() - before), sorted(made), args)
        for name, data in made.items():
            with open(os.path.join(self.work, name), "rb") as f:
                self.assert_same_workbook(data, f.read(), name)
        self.assertEqual(windows.rc, linux.rc, f"{args}: {windows.err} / {linux.err}")
        self.assertEqual(self.as_linux(windows.out, folders), linux.out, args)
        self.assertEqual(self.as_linux(windows.err, folders), linux.err, args)
        return linux, windows

    def as_linux(self, lines, folders):
        """The lines with the paths joined under `folders` written as Linux
        joins them."""
        pairs = []
        for folder in folders:
            folder, top = folder if isinstance(folder, tuple) else (folder, folder)
            top = os.path.join(self.work, top)
            for d, dirs, names in os.walk(top):
                for n in dirs + names:
                    parts = os.path.relpath(os.path.join(d, n), top).split(os.sep)
                    pairs.append(("\\".join([folder, *parts]), "/".join([folder, *parts])))
        pairs.sort(key=lambda pair: -len(pair[0]))
        converted = []
        for line in lines:
            for windows_form, linux_form in pairs:
                line = line.replace(windows_form, linux_form)
            converted.append(line)
        return converted

    def assert_same_workbook(self, linux, windows, name):
        if linux == windows:
            return
        linux_date, windows_date = workbook_date(linux), workbook_date(windows)
        if linux_date != windows_date:
            # Not the program's doing only where an input's two times tell it.
            self.assertIn((linux_date, windows_date), self.input_dates(), name)
            self.assertEqual(members_without_dates(windows), members_without_dates(linux), name)
            note = (f"note: {name}: created {windows_date} under wine, {linux_date} on Linux; "
                    "compared without the Time & Date cell and the workbook's dates")
            print(note)
            self.date_notes.append(note)
            return
        self.fail(f"{name} differs in: " +
                  ", ".join(reports.differing_members(*self.save_pair(linux, windows))))

    def input_dates(self):
        """(birth, modification) dates of the export files here that differ."""
        dates = set()
        for d, _, names in os.walk(self.work):
            for n in names:
                if os.path.splitext(n)[1].upper().lstrip(".") in EXTENSIONS:
                    path = os.path.join(d, n)
                    born = reports.birth_time(path)
                    shown = int(os.stat(path).st_mtime)
                    if born is not None and born != shown:
                        dates.add((workbook_date_of(born), workbook_date_of(shown)))
        return dates

    def save_pair(self, linux, windows):
        paths = []
        for kind, data in (("linux", linux), ("windows", windows)):
            path = self.path("compared", kind + ".xlsx")
            with open(path, "wb") as f:
                f.write(data)
            paths.append(path)
        return paths


# --- every export file the repository holds ----------------------------------

class SameBytes(WindowsCase):
    """The examples, each again with LF and with CR line ends, the fuzz corpus,
    the largest scan a report holds and a scan of values a number format
    writes with an exponent, converted in one run of each program."""

    @classmethod
    def setUpClass(cls):
        cls.top = tempfile.mkdtemp(prefix="ordelix-windows-all-")
        inputs = os.path.join(cls.top, "in")
        for name in sorted(os.listdir(EXAMPLES)):
            if name.startswith("."):
                continue
            source = os.path.join(EXAMPLES, name)
            os.makedirs(os.path.join(inputs, "examples"), exist_ok=True)
            shutil.copyfile(source, os.path.join(inputs, "examples", name))
            lines = reports.export_lines(source)
            for folder, end in (("lf", b"\n"), ("cr", b"\r")):
                os.makedirs(os.path.join(inputs, folder), exist_ok=True)
                reports.write_export(os.path.join(inputs, folder, name), lines, end)
        os.makedirs(os.path.join(inputs, "fuzz"))
        for name, data in corpus_inputs().items():
            with open(os.path.join(inputs, "fuzz", name), "wb") as f:
                f.write(data)
        os.makedirs(os.path.join(inputs, "largest"))
        reports.write_export(os.path.join(inputs, "largest", "scan.WSC"), scan_lines())
        # %G goes to an exponent below 1E-04 and from 1E+16; C runtimes
        # differ in its digits, and the chart's cache holds the values so.
        exponents = ["1.5e-7", "2.5e+20", "0.00001", "-2.5E-5", "1e-300", "1e16", "0.1"]
        os.makedirs(os.path.join(inputs, "exponents"))
        reports.write_export(os.path.join(inputs, "exponents", "scan.WSC"),
                             [line.encode() for line in
                              ["7", "0", "1", "EXP", "4", "1", "3.0", "0.0", "190", "191.2", "1",
                               "0", str(len(exponents))] + exponents])
        cls.inputs = sorted(os.path.relpath(os.path.join(d, n), inputs)
                            for d, _, names in os.walk(inputs) for n in names)
        for name in cls.inputs:
            align_times(os.path.join(inputs, name))

        cls.runs = {}
        for kind, program in (("linux", LINUX), ("windows", WINDOWS)):
            env = dict(os.environ, **ENVIRONMENT)
            env.pop("LANG", None)
            done = subprocess.run([program, "-v", "-r", "-d", "out", "in"], cwd=cls.top, env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True, timeout=240)
            os.rename(os.path.join(cls.top, "out"), os.path.join(cls.top, "out-" + kind))
            cls.runs[kind] = done

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.top, ignore_errors=True)

    def setUp(self):
        self.work = self.top

    def test_the_inputs_are_every_example_and_corpus_file(self):
        names = [n for n in os.listdir(EXAMPLES) if not n.startswith(".")]
        self.assertGreater(len(names), 30)
        self.assertGreater(len(corpus_inputs()), 400, "the corpus files with an extension")
        self.assertEqual(len(self.inputs), 3 * len(names) + len(corpus_inputs()) + 2)

    def test_statuses_and_lines_are_the_same(self):
        linux, windows = self.runs["linux"], self.runs["windows"]
        self.assertEqual(windows.returncode, linux.returncode, windows.stderr[-2000:])
        # Some corpus files are refused; the rest convert.
        self.assertEqual(linux.returncode, 1)
        for stream in (windows.stdout, windows.stderr):
            self.assertEqual(bare_line_ends(stream), [])
        folders = ["in", ("out", "out-windows")]
        self.assertEqual(self.as_linux(lines_of(windows.stdout), folders), lines_of(linux.stdout))
        self.assertEqual(self.as_linux(lines_of(windows.stderr), folders), lines_of(linux.stderr))
        self.assertEqual([n for d, dirs, names in os.walk(self.top) for n in dirs + names
                          if n.startswith(reports.TEMP_PREFIX)], [])
        summary = SUMMARY.match(lines_of(linux.stdout)[-1])
        converted, failed = int(summary.group(1)), int(summary.group(2))
        self.assertEqual(converted + failed, len(self.inputs))

    def test_every_report_is_the_same_bytes(self):
        made = {kind: sorted(os.path.relpath(os.path.join(d, n), os.path.join(self.top, "out-" + kind))
                             for d, _, names in os.walk(os.path.join(self.top, "out-" + kind))
                             for n in names)
                for kind in ("linux", "windows")}
        self.assertEqual(made["windows"], made["linux"])
        self.assertGreater(len(made["linux"]), 400)
        for name in made["linux"]:
            with self.subTest(report=name):
                with open(os.path.join(self.top, "out-linux", name), "rb") as a, \
                        open(os.path.join(self.top, "out-windows", name), "rb") as b:
                    self.assert_same_workbook(a.read(), b.read(), name)


# --- the command line ---------------------------------------------------------

class CommandLine(WindowsCase):
    def test_exit_statuses(self):
        good = self.example("bca_std.PRO", "good.PRO")
        other = os.path.relpath(self.example("dsdna.NUC", "other.NUC"), self.work)
        bad = os.path.relpath(reports.write_export(self.path("bad.PRO"), [b"7"]), self.work)
        cases = (
            ("all converted", 0, [good]),
            ("one failed", 1, ["-d", "out", bad, other]),
            ("no file", 2, []),
            ("an unknown option", 2, ["--bogus", good]),
            ("-o with two files", 2, ["-o", "two.xlsx", good, other]),
            ("-j 0", 2, ["-j", "0", good]),
            ("-q with -v", 2, ["-q", "-v", good]),
        )
        for what, status, args in cases:
            with self.subTest(case=what):
                linux, windows = self.both(*args)
                self.assertEqual(windows.rc, status, windows.err)
                if status == 2:
                    self.assertTrue(windows.err, "a usage error is told")

    def test_help_and_version(self):
        linux, windows = self.both("--help")
        self.assertEqual(windows.rc, 0)
        self.assertIn("--force", "\n".join(windows.out))
        for flag in ("--version", "-V"):
            with self.subTest(flag=flag):
                linux, windows = self.both(flag)
                self.assertEqual(windows.rc, 0)
                self.assertRegex("\n".join(windows.out), r"^ordelix-convert \d+\.\d+\.\d+$")

    def test_workbook_on_standard_output_is_the_file_byte_for_byte(self):
        source = os.path.relpath(self.example("scan_step1.WSC", "scan.WSC"), self.work)
        self.assertEqual(self.windows("-o", "scan.xlsx", source).rc, 0)
        with open(self.path("scan.xlsx"), "rb") as f:
            written = f.read()
        # Line feeds alone, as a text-mode stream would never leave them.
        self.assertTrue(re.search(rb"(?<!\r)\n", written), "the workbook holds a bare LF")
        for option in ("-o", "--combine"):
            with self.subTest(option=option):
                linux, windows = self.both(option, "-", source)
                self.assertEqual(windows.rc, 0, windows.err)
                self.assertEqual(windows.raw_out, linux.raw_out)
                if option == "-o":
                    self.assertEqual(windows.raw_out, written)
                else:
                    with zipfile.ZipFile(io.BytesIO(windows.raw_out)) as z:
                        self.assertIsNone(z.testzip())

    def test_combined_workbook_is_the_same_bytes(self):
        for name in os.listdir(EXAMPLES):
            if not name.startswith("."):
                self.example(name, "runs", name)
        linux, windows = self.both("-v", "--combine", "all.xlsx", "runs", folders=["runs"])
        self.assertEqual(windows.rc, 0, windows.err)
        self.assertEqual(len([line for line in windows.out if "-> all.xlsx [" in line]),
                         len(os.listdir(self.path("runs"))))

    def test_existing_report_is_kept_without_force_and_replaced_with_it(self):
        source = os.path.relpath(self.example("lowry_kfactor.PRO", "keep.PRO"), self.work)
        self.assertEqual(self.linux("-o", "fresh.xlsx", source).rc, 0)
        with open(self.path("fresh.xlsx"), "rb") as f:
            fresh = f.read()
        with open(self.path("keep.xlsx"), "wb") as f:
            f.write(b"an older report")
        run = self.windows(source)
        self.assertEqual(run.rc, 1, run.err)
        self.assertEqual(len(run.err), 1, run.err)
        self.assertIn("already exists", run.err[0])
        self.assertIn("keep.xlsx", run.err[0])
        with open(self.path("keep.xlsx"), "rb") as f:
            self.assertEqual(f.read(), b"an older report")
        for flag in ("-f", "--force"):
            with self.subTest(flag=flag):
                run = self.windows(flag, source)
                self.assertEqual((run.rc, run.err), (0, []))
                with open(self.path("keep.xlsx"), "rb") as f:
                    self.assert_same_workbook(fresh, f.read(), "keep.xlsx")

    def test_strict_writes_no_report_for_a_file_with_warnings(self):
        self.example("kinetics_step50.TSC", "runs", "faulty.TSC")
        self.example("dsdna.NUC", "runs", "clean.NUC")
        linux, windows = self.both("--strict", "-d", "out", "runs", folders=["runs", "out"])
        self.assertEqual(windows.rc, 1)
        self.assertEqual(sorted(os.listdir(self.path("out"))), ["clean.xlsx"])
        self.assertIn("not converted: 1 warning under --strict", windows.err[-1])

    def test_quiet_prints_errors_only_and_verbose_each_report(self):
        for name in ("bca_std.PRO", "dsdna.NUC", "scan_step1.WSC"):
            self.example(name, "runs", name)
        reports.write_export(self.path("runs", "broken.PRO"), [b"7"])
        linux, quiet = self.both("-q", "-d", "q", "runs", folders=["runs", "q"])
        self.assertEqual((quiet.rc, quiet.out, len(quiet.err)), (1, [], 1))
        self.assertIn("runs\\broken.PRO", quiet.err[0])
        linux, verbose = self.both("-v", "-d", "v", "runs", folders=["runs", "v"])
        self.assertEqual([line for line in verbose.out if " -> " in line],
                         [f"runs\\{n} -> v\\{os.path.splitext(n)[0]}.xlsx"
                          for n in ("bca_std.PRO", "dsdna.NUC", "scan_step1.WSC")])

    def test_workers_write_the_same_bytes_and_lines(self):
        names = sorted(n for n in os.listdir(EXAMPLES) if not n.startswith("."))
        for name in names:
            self.example(name, "runs", name)
        self.linux("-v", "-j", "1", "-d", "linux", "runs")
        seen = {}
        for jobs in ("1", "2", "4"):
            run = self.windows("-v", "-j", jobs, "-d", "out" + jobs, "runs")
            self.assertEqual(run.rc, 0, run.err)
            seen[jobs] = [line.replace("out" + jobs, "OUT") for line in run.out + run.err]
            for name in names:
                report = os.path.splitext(name)[0] + ".xlsx"
                with self.subTest(jobs=jobs, report=report):
                    with open(self.path("linux", report), "rb") as a, \
                            open(self.path("out" + jobs, report), "rb") as b:
                        self.assert_same_workbook(a.read(), b.read(), report)
        self.assertEqual(seen["2"], seen["1"])
        self.assertEqual(seen["4"], seen["1"])


# --- names and paths -----------------------------------------------------------

class Names(WindowsCase):
    def test_names_in_any_script_are_kept(self):
        name = UNICODE_STEM + ".PRO"
        report = UNICODE_STEM + ".xlsx"
        nested = os.path.join("Läufe 測定", "tief", name)
        expected = {}
        for source in (name, nested):
            self.example("bca_std.PRO", source)
            self.assertEqual(self.linux("-f", "-o", "linux.xlsx", source).rc, 0)
            with open(self.path("linux.xlsx"), "rb") as f:
                expected[source] = f.read()
        cases = (
            ("beside it", [name], name, f"{name} -> {report}", report),
            ("into a folder", ["-d", "out", name], name, f"{name} -> out\\{report}",
             os.path.join("out", report)),
            ("from a folder, recursively", ["-r", "-d", "tree", "Läufe 測定"], nested,
             f"Läufe 測定\\tief\\{name} -> tree\\tief\\{report}",
             os.path.join("tree", "tief", report)),
        )
        for what, args, source, line, made in cases:
            with self.subTest(case=what):
                run = self.windows("-v", *args)
                self.assertEqual(run.rc, 0, run.err)
                # Decoded as UTF-8, which fails on anything else.
                self.assertEqual(run.out[0], line)
                with open(self.path(made), "rb") as f:
                    self.assert_same_workbook(expected[source], f.read(), made)

    def test_windows_paths_with_backslashes(self):
        self.example("bca_std.PRO", "sub", "run.PRO")
        self.assertEqual(self.linux("-o", "linux.xlsx", "sub/run.PRO").rc, 0)
        with open(self.path("linux.xlsx"), "rb") as f:
            expected = f.read()
        absolute = "Z:" + self.path("sub", "run.PRO").replace("/", "\\")
        cases = (
            ("relative", ["sub\\run.PRO"], "sub\\run.PRO -> sub\\run.xlsx", ("sub", "run.xlsx")),
            ("absolute", [absolute], f"{absolute} -> {absolute[:-4]}.xlsx", ("sub", "run.xlsx")),
            ("into a folder", ["-d", "Z:" + self.path("out").replace("/", "\\"), "sub\\run.PRO"],
             "sub\\run.PRO -> Z:" + self.path("out").replace("/", "\\") + "\\run.xlsx",
             ("out", "run.xlsx")),
            ("named", ["-o", "sub\\named.xlsx", absolute], f"{absolute} -> sub\\named.xlsx",
             ("sub", "named.xlsx")),
        )
        for what, args, line, made in cases:
            with self.subTest(case=what):
                run = self.windows("-v", "-f", *args)
                self.assertEqual(run.rc, 0, run.err)
                self.assertEqual(run.out[0], line)
                with open(self.path(*made), "rb") as f:
                    self.assert_same_workbook(expected, f.read(), "/".join(made))

    def test_device_names_are_refused_as_export_files(self):
        self.example("bca_std.PRO", "good.PRO")
        folder = "Z:" + self.work.replace("/", "\\")
        for device in ("NUL.PRO", "CON.pro", "com1.PRO", "LPT1.TSC", "aux.NUC"):
            for given in (device, os.path.join(self.work, device), folder + "\\" + device):
                with self.subTest(input=given):
                    # Given with a good one: the device must not hang the run.
                    run = self.windows("-d", "out", given, "good.PRO", timeout=60)
                    self.assertEqual(run.rc, 1, run.err)
                    self.assertEqual(len(run.err), 1, run.err)
                    self.assertTrue(run.err[0].startswith(f"ordelix-convert: {given}: "), run.err)
                    self.assertIn("not a regular file", run.err[0])
                    self.assertEqual(SUMMARY.match(run.out[-1]).groups(), ("1", "1", "0"))
                    self.assertEqual(os.listdir(self.path("out")), ["good.xlsx"])
                    os.remove(self.path("out", "good.xlsx"))

    def test_device_names_are_never_written_as_reports(self):
        self.example("bca_std.PRO", "good.PRO")
        for device in ("NUL.xlsx", "CON.xlsx", "com1.XLSX", "prn.xlsx"):
            for given in (device, os.path.join(self.work, device)):
                for force in ([], ["-f"]):
                    with self.subTest(target=given, force=force):
                        run = self.windows(*force, "-o", given, "good.PRO", timeout=60)
                        self.assertEqual(run.rc, 1, run.err)
                        self.assertEqual(len(run.err), 1, (run.rc, run.out, run.err))
                        self.assertIn("something other than a regular file", run.err[0])
                        self.assertTrue(run.err[0].endswith(given), run.err[0])
                        self.assertEqual(sorted(os.listdir(self.work)), ["good.PRO"])


# --- a command prompt: what cmd.exe leaves to the program --------------------

class CommandPrompt(WindowsCase):
    def test_wildcards_give_the_files_they_match(self):
        for name in ("b.PRO", "a.PRO", "c.NUC"):
            self.example("bca_std.PRO" if name.endswith("PRO") else "dsdna.NUC", name)
        self.example("bca_std.PRO", "sub", "d.PRO")
        run = self.windows("-v", "*.PRO", "sub\\?.PRO")
        self.assertEqual(run.rc, 0, run.err)
        self.assertEqual(run.out, ["a.PRO -> a.xlsx", "b.PRO -> b.xlsx",
                                   "sub\\d.PRO -> sub\\d.xlsx",
                                   "3 converted, 0 failed, 0 with warnings"])

    def test_a_pattern_that_matches_nothing_fails_as_a_missing_file(self):
        self.example("dsdna.NUC", "c.NUC")
        missing = self.windows("gone.TM", "c.NUC")
        self.assertEqual(missing.rc, 1, missing.err)
        os.remove(self.path("c.xlsx"))
        run = self.windows("*.TM", "c.NUC")
        self.assertEqual(run.rc, missing.rc)
        self.assertEqual(run.err, ["ordelix-convert: *.TM: no file matches this pattern"])
        self.assertEqual(run.out, ["1 converted, 1 failed, 0 with warnings"])

    def test_a_folder_quoted_with_a_last_backslash_is_told(self):
        self.example("bca_std.PRO", "run 1", "a.PRO")
        # cmd.exe's "run 1\" -r reaches the program as one argument.
        for args, given, meant in ((['run 1" -r'], 'run 1" -r', "run 1"),
                                   (["-d", 'out" run 1', "a.PRO"], 'out" run 1', "out")):
            with self.subTest(args=args):
                run = self.windows(*args)
                self.assertEqual((run.rc, run.out), (2, []))
                self.assertEqual(run.err, [
                    f"ordelix-convert: {given}: a quote in the name: a \\ just before a closing "
                    "quote keeps the quote, and what follows with it; write the name without "
                    f'that \\, as "{meant}" (--help tells more)'])
        self.assertEqual(sorted(os.listdir(self.path("run 1"))), ["a.PRO"])

    def test_slash_question_mark_is_the_help(self):
        linux, windows = self.both("/?")
        self.assertEqual(windows.rc, 0)
        self.assertEqual(windows.out, self.windows("--help").out)
        self.assertEqual(windows.out[0], "Usage: ordelix-convert [OPTIONS] FILE...")


def wine_screen(raw):
    """The lines that wine's console drew on a terminal, as a person reads
    them: carriage returns, erasures and moves to the right done, its other
    cursor codes passed over."""
    lines, line, column = [], "", 0
    for token in re.findall(r"\x1b\[[0-9;?]*[A-Za-z]|[\s\S]", raw.decode("utf-8", errors="replace")):
        if token == "\n":
            lines.append(line)
            line, column = "", 0
        elif token == "\r":
            column = 0
        elif token == "\x1b[K":
            line = line[:column]
        elif token.startswith("\x1b[") and token.endswith("C"):
            column += int(token[2:-1] or 1)
        elif not token.startswith("\x1b["):
            line = line[:column].ljust(column) + token + line[column + 1:]
            column += 1
    return "\n".join([*lines, line])


class DroppedFiles(WindowsCase):
    """Files dropped on the .exe in Explorer: a console of the program's own,
    as wine gives one to a program started on a terminal; keys are typed
    when their question is on the screen."""

    def dropped(self, *names, answers=()):
        """(exit status, screen, raw bytes) of a run with `names`, answering
        each question in `answers` as (text it ends with, key), then the last
        prompt with a key."""
        env = dict(os.environ, **ENVIRONMENT, WINEDEBUG="-all")
        env.pop("LANG", None)
        pid, terminal = pty.fork()
        if pid == 0:
            # Wide enough that no line the tests read wraps.
            fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", 50, 250, 0, 0))
            # A console echoes no key a program reads; the terminal would.
            mode = termios.tcgetattr(0)
            mode[3] &= ~termios.ECHO
            termios.tcsetattr(0, termios.TCSANOW, mode)
            os.chdir(self.work)
            os.execve(WINDOWS, [WINDOWS, *names], env)
        waiting = [*answers, ("Press any key to close this window.", b"x")]
        raw = b""
        deadline = time.monotonic() + 120
        while time.monotonic() < deadline:
            ready, _, _ = select.select([terminal], [], [], max(0, deadline - time.monotonic()))
            try:
                chunk = os.read(terminal, 4096) if ready else b""
            except OSError:
                chunk = b""
            if not chunk:
                break
            raw += chunk
            if waiting and wine_screen(raw).rstrip(" ").endswith(waiting[0][0].rstrip(" ")):
                os.write(terminal, waiting.pop(0)[1])
        os.close(terminal)
        if waiting:
            os.kill(pid, signal.SIGKILL)
        _, status = os.waitpid(pid, 0)
        self.assertEqual(waiting, [], wine_screen(raw))
        return os.waitstatus_to_exitcode(status), wine_screen(raw), raw

    def test_a_dropped_folder_takes_in_its_subfolders_and_tells_each_file(self):
        self.example("bca_std.PRO", "runs", "a.PRO")
        self.example("dsdna.NUC", "runs", "deeper", "b.NUC")
        reports.write_export(self.path("runs", "broken.PRO"), [b"7"])
        status, screen, raw = self.dropped("runs")
        self.assertEqual(status, 1, screen)
        lines = screen.splitlines()
        self.assertIn("runs\\a.PRO -> runs\\a.xlsx", lines)
        self.assertIn("runs\\deeper\\b.NUC -> runs\\deeper\\b.xlsx", lines)
        failure = [line for line in lines if line.startswith("ordelix-convert: runs\\broken.PRO: ")]
        self.assertEqual(len(failure), 1, screen)
        self.assertEqual(lines[-2:], ["2 converted, 1 failed, 0 with warnings",
                                      "Press any key to close this window."])
        self.assertTrue(os.path.isfile(self.path("runs", "deeper", "b.xlsx")))
        # A code the program wrote shows as a character, drawn between wine's own codes.
        self.assertNotIn(b"\x1b\x1b", raw)

    def test_reports_that_exist_are_asked_about_once(self):
        self.example("bca_std.PRO", "runs", "a.PRO")
        self.example("dsdna.NUC", "runs", "b.NUC")
        self.example("culture_od.OD", "runs", "c.OD")
        self.assertEqual(self.linux("-d", "linux", "runs").rc, 0)
        question = "R replaces them; any other key keeps them and converts the rest: "
        for key, kept in ((b"k", True), (b"R", False)):
            with self.subTest(key=key):
                for name in ("a.xlsx", "b.xlsx"):
                    with open(self.path("runs", name), "wb") as f:
                        f.write(b"an older report")
                if os.path.exists(self.path("runs", "c.xlsx")):
                    os.remove(self.path("runs", "c.xlsx"))
                status, screen, _ = self.dropped("runs", answers=[(question, key)])
                self.assertEqual(status, 0, screen)
                self.assertEqual(screen.count("2 reports exist already."), 1, screen)
                lines = screen.splitlines()
                if kept:
                    self.assertIn("runs\\a.PRO: skipped, its report exists: runs\\a.xlsx", lines)
                    self.assertIn("1 converted, 0 failed, 0 with warnings, 2 skipped", lines)
                else:
                    self.assertIn("runs\\a.PRO -> runs\\a.xlsx", lines)
                    self.assertIn("3 converted, 0 failed, 0 with warnings", lines)
                for name in ("a.xlsx", "b.xlsx", "c.xlsx"):
                    with open(self.path("runs", name), "rb") as f:
                        held = f.read()
                    if kept and name != "c.xlsx":
                        self.assertEqual(held, b"an older report", name)
                    else:
                        with open(self.path("linux", name), "rb") as f:
                            self.assert_same_workbook(f.read(), held, name)

    def test_started_with_nothing_it_shows_its_help(self):
        status, screen, _ = self.dropped()
        self.assertEqual(status, 0, screen)
        self.assertTrue(screen.startswith("Usage: ordelix-convert [OPTIONS] FILE..."), screen)


def main():
    global WINDOWS, LINUX, EXAMPLES, CORPUS
    if len(sys.argv) != 5:
        print(__doc__.strip().splitlines()[6], file=sys.stderr)
        return 2
    WINDOWS, LINUX, EXAMPLES, CORPUS = (os.path.abspath(a) for a in sys.argv[1:])
    if not os.access(LINUX, os.X_OK):
        print(f"no Linux converter at {LINUX}: build it with scripts/build.sh "
              "(ORDELIX_LINUX_BUILD names its build folder)", file=sys.stderr)
        return 1
    print(DATE_NOTE)
    status = reports.run_tests_of(sys.modules[__name__])
    if WindowsCase.date_notes:
        print(f"{len(WindowsCase.date_notes)} workbooks compared without their dates: "
              "see the notes above")
    return status


if __name__ == "__main__":
    sys.exit(main())
