#!/usr/bin/python3
"""The Python module ordelix against ordelix-convert: the same workbooks, the
same words for failures and warnings, and no crash on hostile input.

Usage: test_ordelix.py CONVERTER EXAMPLES_DIR FUZZ_CORPUS_DIR
(with the module importable: PYTHONPATH=build/python)
"""

import ast
import dataclasses
import datetime
import json
import math
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest
import warnings

import openpyxl

import ordelix

CONVERTER = EXAMPLES = CORPUS = None
PROGRAM_PREFIX = "ordelix-convert: "
MODES = {"PRO", "NUC", "CON", "PHT", "OD", "TSC", "TM", "WSC"}
# The examples that keep a fault on purpose, and what docs/reports.md says of them.
WARNED_EXAMPLES = {"kinetics_step2_5.TSC": 18, "kinetics_step50.TSC": 13, "scan_step05.WSC": 22}


def example_paths():
    return sorted(os.path.join(EXAMPLES, name) for name in os.listdir(EXAMPLES))


def run_converter(*args):
    return subprocess.run([CONVERTER, *args], capture_output=True, timeout=60)


def converter_failure(path, work):
    """What the converter says of a file that gives no report, without its name."""
    run = run_converter("-f", "-o", os.path.join(work, "failed.xlsx"), path)
    lines = [line for line in os.fsdecode(run.stderr).splitlines()
             if line.startswith(PROGRAM_PREFIX)]
    assert run.returncode == 1 and len(lines) == 1, run.stderr
    return lines[0][len(PROGRAM_PREFIX):]


def converter_warnings(path, work):
    """(line, text) of each warning the converter prints for the file."""
    run = run_converter("-f", "-o", os.path.join(work, "warned.xlsx"), path)
    assert run.returncode == 0, run.stderr
    printed = os.fsdecode(path)
    found = []
    for line in os.fsdecode(run.stderr).splitlines():
        place, _, text = line.partition(": warning: ")
        number = place[len(printed) + 1:]
        found.append((int(number) if number else None, text))
    return found


def converter_json(path):
    run = run_converter("--format", "json", "-o", "-", path)
    assert run.returncode == 0, run.stderr
    return run.stdout.decode()


def converter_workbook(path, work):
    out = os.path.join(work, "converter.xlsx")
    run = run_converter("-f", "-o", out, path)
    assert run.returncode == 0, run.stderr
    with open(out, "rb") as f:
        return f.read()


def quietly(call, *args, **kwargs):
    """The call's result, with the export files' warnings kept from the log."""
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", ordelix.ExportFileWarning)
        return call(*args, **kwargs)


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class ModuleCase(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ordelix-py-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def path(self, name):
        return os.path.join(self.work, name)

    def copy_example(self, name, to=None):
        return shutil.copyfile(os.path.join(EXAMPLES, name), to or self.path(name))

    def assert_is_converters_json(self, report, path):
        text = converter_json(path)
        self.assertEqual(report.to_json(), text)
        data = json.loads(text)
        self.assertEqual((report.file, report.mode), (data["file"], data["mode"]))
        self.assertEqual(report.created, data["created"] and
                         datetime.datetime.fromisoformat(data["created"]))
        self.assertEqual(report.header,
                         [(entry["label"], entry["value"]) for entry in data["header"]])
        self.assertEqual(report.tables, [ordelix.Table(t["title"], t["columns"], t["rows"],
                                                       t["notes"]) for t in data["tables"]])
        self.assertEqual(report.warnings, [(w["line"], w["text"]) for w in data["warnings"]])

    def assert_saved_as_converter(self, report, export_file, target):
        report.save(target)
        self.assertEqual(read_bytes(target), converter_workbook(export_file, self.work),
                         f"{export_file} saved by the module is not the converter's workbook")


class Examples(ModuleCase):
    def test_read_gives_the_converters_json(self):
        for path in example_paths():
            with self.subTest(example=os.path.basename(path)):
                report = quietly(ordelix.read, path)
                self.assert_is_converters_json(report, path)

    def test_save_writes_the_converters_workbook(self):
        for path in example_paths():
            with self.subTest(example=os.path.basename(path)):
                report = quietly(ordelix.read, path)
                self.assert_saved_as_converter(report, path, self.path("module.xlsx"))
                os.remove(self.path("module.xlsx"))

class Curves(ModuleCase):
    def test_a_melting_curve_by_hand(self):
        # Start 90, interval -5, four values.
        curve = quietly(ordelix.read, os.path.join(EXAMPLES, "melt_falling.TM")).curve
        self.assertEqual(curve, ordelix.Curve("Melting curve", "C", "OD", [90, 85, 80, 75],
                                              [1.882, 1.7314, 1.4409, 1.1023]))

    def test_kinetics_and_melting_curves_are_their_data_tables_others_have_none(self):
        for path in example_paths():
            with self.subTest(example=os.path.basename(path)):
                report = quietly(ordelix.read, path)
                if not path.upper().endswith((".TSC", ".TM")):
                    self.assertIsNone(report.curve)
                    continue
                # The table holds numbers as the workbook does, to 16 digits.
                rows = [row[:2] for row in report.tables[-1].rows
                        if all(isinstance(v, float) for v in row[:2])]
                points = list(zip(report.curve.x, report.curve.y))
                self.assertEqual(len(points), len(rows))
                for point, row in zip(points, rows):
                    for got, shown in zip(point, row):
                        self.assertTrue(math.isclose(got, shown, rel_tol=1e-15), (point, row))


class OtherFormats(ModuleCase):
    def test_data_saves_and_reads_as_the_converter_writes_it(self):
        for path in example_paths():
            report = quietly(ordelix.read, path)
            for name, args in (("r.json", ["--format", "json"]), ("r.csv", ["--format", "csv"]),
                               ("r.CSV", ["--format", "csv", "--csv-separator", ";"])):
                with self.subTest(example=os.path.basename(path), report=name):
                    separator = ";" if "--csv-separator" in args else ","
                    report.save(self.path(name), csv_separator=separator)
                    run = run_converter(*args, "-o", "-", path)
                    self.assertEqual(run.returncode, 0, run.stderr)
                    self.assertEqual(read_bytes(self.path(name)), run.stdout)
                    if name != "r.json":
                        self.assertEqual(report.to_csv(separator).encode(), run.stdout)
                    os.remove(self.path(name))

    def test_another_name_saves_the_workbook_and_a_bad_separator_raises(self):
        source = os.path.join(EXAMPLES, "rna.NUC")
        report = quietly(ordelix.read, source)
        for separator in ("|", ";;", ""):
            with self.subTest(separator=separator), self.assertRaises(ValueError):
                report.save(self.path("r.csv"), csv_separator=separator)
        self.assertEqual(os.listdir(self.work), [])
        report.save(self.path("r.txt"))
        self.assertEqual(read_bytes(self.path("r.txt")), converter_workbook(source, self.work))


class Combine(ModuleCase):
    NAMES = ["dsdna.NUC", "scan_step5.WSC", "bca_std.PRO"]

    def test_the_combined_report_is_the_converters(self):
        inputs = [self.copy_example(n) for n in self.NAMES]
        for name in ("all.xlsx", "all.json"):
            with self.subTest(report=name):
                quietly(ordelix.combine, inputs, self.path(name))
                run = run_converter("--combine", "-", *inputs)
                self.assertEqual(run.returncode, 0, run.stderr)
                if name == "all.xlsx":
                    self.assertEqual(read_bytes(self.path(name)), run.stdout)
                    self.assertEqual(openpyxl.load_workbook(self.path(name)).sheetnames,
                                     self.NAMES)
                else:
                    made = self.path("converter.json")
                    run = run_converter("--combine", made, *inputs)
                    self.assertEqual(run.returncode, 0, run.stderr)
                    self.assertEqual(read_bytes(self.path(name)), read_bytes(made))

    def test_a_file_without_a_report_saves_nothing(self):
        inputs = [self.copy_example(n) for n in self.NAMES]
        broken = self.path("broken.PRO")
        with open(broken, "wb") as f:
            f.write(b"9\n")
        with self.assertRaises(ordelix.ConversionError) as raised:
            quietly(ordelix.combine, [inputs[0], broken, inputs[1]], self.path("all.xlsx"))
        self.assertIs(raised.exception.path, broken)
        self.assertFalse(os.path.exists(self.path("all.xlsx")))

    def test_what_stands_there_is_kept_unless_forced_and_csv_is_no_combined_report(self):
        inputs = [self.copy_example(n) for n in self.NAMES]
        target = self.path("all.json")
        with open(target, "wb") as f:
            f.write(b"earlier")
        with self.assertRaises(ordelix.SaveError) as raised:
            quietly(ordelix.combine, inputs, target)
        self.assertIs(raised.exception.path, target)
        self.assertEqual(read_bytes(target), b"earlier")
        quietly(ordelix.combine, inputs, target, force=True)
        self.assertEqual(len(json.loads(read_bytes(target))), 3)
        for bad in (self.path("all.csv"), self.path("all.txt")):
            with self.subTest(target=bad), self.assertRaises(ValueError):
                quietly(ordelix.combine, inputs, bad)
        with self.assertRaises(ValueError):
            ordelix.combine([], self.path("none.xlsx"))


class Created(ModuleCase):
    def test_created_is_the_files_birth_in_the_local_zone(self):
        earliest = math.floor(datetime.datetime.now().timestamp())
        source = self.copy_example("rna_dye.NUC")
        latest = math.ceil(datetime.datetime.now().timestamp())
        created = ordelix.read(source).created
        self.assertLessEqual(earliest, created.timestamp())
        self.assertLessEqual(created.timestamp(), latest)
        offset = datetime.datetime.fromtimestamp(created.timestamp()).astimezone().utcoffset()
        self.assertEqual(created.utcoffset(), offset)
        if os.environ.get("TZ") == "Asia/Kolkata":
            self.assertEqual(offset, datetime.timedelta(hours=5, minutes=30))


def table_in_workbook(workbook, headings):
    """The filled cells of each row below the sheet's last row headed
    `headings` (blanks that pad them aside), left to right; rows of blanks
    and hyphens, which are layout, left out."""
    rows = [[v for v in row if v is not None]
            for row in openpyxl.load_workbook(workbook).active.iter_rows(values_only=True)]
    headed = [number for number, row in enumerate(rows)
              if [v.strip(" ") if isinstance(v, str) else v for v in row] == headings]
    assert headed, f"no row headed {headings}"
    return [row for row in rows[headed[-1] + 1:]
            if any(not isinstance(v, str) or v.strip(" -") for v in row)]


class Pandas(ModuleCase):
    def test_the_data_table_is_the_one_the_workbook_shows(self):
        examples = ("scan_step05.WSC", "bradford_std.PRO", "pht_w6_t.PHT", "culture_cells.OD",
                    "melt_step05.TM")
        for name in examples:
            with self.subTest(example=name):
                report = quietly(ordelix.read, os.path.join(EXAMPLES, name))
                frame = report.to_pandas()
                report.save(self.path(name + ".xlsx"))
                shown = table_in_workbook(self.path(name + ".xlsx"), list(frame.columns))
                self.assertGreater(len(frame), 0)
                rows = frame.astype(object).where(frame.notna(), None).values.tolist()
                self.assertEqual([[v for v in row if v is not None] for row in rows],
                                 shown[:len(frame)])

    def test_pandas_is_imported_only_when_asked_for(self):
        check = ("import sys, ordelix\n"
                 "report = ordelix.read(sys.argv[1])\n"
                 "print('pandas' in sys.modules)\n"
                 "report.to_pandas()\n"
                 "print('pandas' in sys.modules)\n")
        run = subprocess.run([sys.executable, "-c", check, os.path.join(EXAMPLES, "rna.NUC")],
                             capture_output=True, text=True)
        self.assertEqual(run.stdout.split(), ["False", "True"], run.stderr)


    def test_sample_and_data_numbers_are_integers_and_the_rest_as_the_report_holds_it(self):
        report = ordelix.read(os.path.join(EXAMPLES, "bradford_std.PRO"))
        frame = report.to_pandas()
        # The file's three samples, numbered 1 to 3, their readings 0.412, 0.298, 0.655.
        self.assertEqual(list(frame.columns),
                         ["Data No.", "Sample No.", "WL1 OD Value", "OD Value", "Concentration"])
        for numbers in ("Data No.", "Sample No."):
            self.assertEqual(str(frame[numbers].dtype), "int64")
            self.assertEqual(frame[numbers].tolist(), [1, 2, 3])
        self.assertEqual(str(frame["OD Value"].dtype), "float64")
        self.assertEqual(frame["OD Value"].tolist(), [0.412, 0.298, 0.655])
        # The report's own values stay as it holds them: numbers are floats.
        self.assertEqual(report.tables[-1].rows[0][:2], [1.0, 1.0])
        self.assertTrue(all(isinstance(v, float) for v in report.tables[-1].rows[0]))
        self.assertIsInstance(dict(report.header)["Pathlength(mm)"], float)
        # A scan's wavelengths are whole but count nothing.
        scan = quietly(ordelix.read, os.path.join(EXAMPLES, "scan_step1.WSC")).to_pandas()
        self.assertEqual(str(scan["WL(nm)"].dtype), "float64")

    def test_a_numbering_column_with_a_gap_or_a_fraction_keeps_its_values(self):
        report = ordelix.read(os.path.join(EXAMPLES, "bradford_std.PRO"))
        report.tables = [ordelix.Table(None, ["Sample No.  ", "Data No.", "Value"],
                                       [[1.0, 1.5, 0.1], [None, 2.0, 0.2]], [])]
        frame = report.to_pandas()
        self.assertEqual([str(t) for t in frame.dtypes], ["float64", "float64", "float64"])
        self.assertEqual(frame["Data No."].tolist(), [1.5, 2.0])
        self.assertTrue(math.isnan(frame["Sample No."][1]))

    def test_without_pandas_it_says_what_to_install(self):
        check = ("import sys, ordelix\n"
                 "sys.modules['pandas'] = None\n"
                 "ordelix.read(sys.argv[1]).to_pandas()\n")
        run = subprocess.run([sys.executable, "-c", check, os.path.join(EXAMPLES, "rna.NUC")],
                             capture_output=True, text=True)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn("ImportError: to_pandas() needs pandas: pip install 'ordelix[pandas]'",
                      run.stderr)


class Version(unittest.TestCase):
    def test_version_is_the_converters(self):
        said = os.fsdecode(run_converter("--version").stdout).split()
        self.assertEqual(said, ["ordelix-convert", ordelix.__version__])


class Typing(unittest.TestCase):
    def stub(self):
        package = os.path.dirname(ordelix.__file__)
        self.assertTrue(os.path.isfile(os.path.join(package, "py.typed")))
        with open(os.path.join(package, "__init__.pyi"), encoding="utf-8") as f:
            return ast.parse(f.read())

    @staticmethod
    def declared(body):
        names = set()
        for node in body:
            if isinstance(node, (ast.ClassDef, ast.FunctionDef)):
                names.add(node.name)
            elif isinstance(node, ast.AnnAssign):
                names.add(node.target.id)
        return names

    def test_the_stub_declares_what_the_module_holds(self):
        stub = self.stub()
        self.assertLessEqual(set(ordelix.__all__) | {"__version__"}, self.declared(stub.body))
        classes = {node.name: node for node in stub.body if isinstance(node, ast.ClassDef)}
        report = quietly(ordelix.read, os.path.join(EXAMPLES, "kinetics_step50.TSC"))
        public = {name for name in dir(report) if not name.startswith("_")}
        self.assertEqual(self.declared(classes["Report"].body), public)
        table = {f.name for f in dataclasses.fields(ordelix.Table)}
        self.assertEqual(self.declared(classes["Table"].body) - {"__init__"}, table)

class Failures(ModuleCase):
    def assert_conversion_error(self, path, message):
        with self.assertRaises(ordelix.ConversionError) as raised:
            ordelix.read(path)
        self.assertEqual(str(raised.exception), message)
        self.assertIs(raised.exception.path, path)

    def test_files_without_a_report_raise_the_converters_words(self):
        os.mkfifo(self.path("pipe.PRO"))
        wrong = self.copy_example("dsdna.NUC", self.path("dsdna.txt"))
        for path in (wrong, self.path("missing.PRO"), self.path("pipe.PRO")):
            with self.subTest(path=path):
                self.assert_conversion_error(path, converter_failure(path, self.work))

    def test_a_folder_is_no_export_file(self):
        # The converter takes a folder for the files in it; the module, as
        # every front end of the core, refuses it as a file.
        folder = pathlib.Path(self.path("runs.PRO"))
        folder.mkdir()
        self.assert_conversion_error(folder, f"{folder}: is a folder, not an export file")

    def test_a_file_that_selects_no_report_is_quoted(self):
        path = self.path("broken.PRO")
        with open(path, "wb") as f:
            f.write(b"abc\r\n")
        self.assert_conversion_error(path, converter_failure(path, self.work))
        self.assertIn('line 1 holds "abc"', converter_failure(path, self.work))

    def test_an_empty_file_is_said_to_be_empty(self):
        path = self.path("empty.PRO")
        open(path, "wb").close()
        self.assert_conversion_error(path, f"{path}: the file is empty")

    def test_bad_arguments_raise_before_any_conversion(self):
        with self.assertRaises(ValueError):
            ordelix.read(os.path.join(EXAMPLES, "dsdna.NUC") + "\0.PRO")
        for bad in (None, 7, ["dsdna.NUC"]):
            with self.subTest(argument=bad), self.assertRaises(TypeError):
                ordelix.read(bad)


class Names(ModuleCase):
    def test_names_in_any_script_and_bytes_that_are_not_utf8(self):
        names = ("Messung µg ü 測定.PRO", "نتيجة.PRO", os.fsdecode(b"run-\xe9.PRO"))
        for name in names:
            with self.subTest(name=name):
                source = self.copy_example("bradford_std.PRO", self.path(name))
                for given in (source, os.fsencode(source), pathlib.Path(source)):
                    report = ordelix.read(given)
                    self.assert_saved_as_converter(
                        report, os.fsencode(source), os.fsencode(self.path(name + ".xlsx")))
                    os.remove(self.path(name + ".xlsx"))

    def test_failure_names_a_file_printably(self):
        missing = os.fsencode(self.work) + b"/gone-\xe9\n.PRO"
        self.assertNotIn(b"\n", converter_failure(missing, self.work).encode())
        with self.assertRaises(ordelix.ConversionError) as raised:
            ordelix.read(missing)
        self.assertEqual(str(raised.exception), converter_failure(missing, self.work))


class Warnings(ModuleCase):
    def write_kinetics(self, name, changes=None, keep=None):
        """kinetics_step10.TSC (data number 4 on line 13) with lines changed
        by number and cut to its first `keep` lines."""
        lines = read_bytes(os.path.join(EXAMPLES, "kinetics_step10.TSC")).split(b"\r\n")[:-1]
        for number, text in (changes or {}).items():
            lines[number - 1] = text
        path = self.path(name)
        with open(path, "wb") as f:
            f.write(b"".join(line + b"\r\n" for line in lines[:keep]))
        return path

    def test_warnings_are_issued_at_the_file_and_line(self):
        path = self.write_kinetics("run.TSC", {5: b"10001", 13: b"41"})
        with warnings.catch_warnings(record=True) as issued:
            warnings.simplefilter("always")
            report = ordelix.read(pathlib.Path(path))
        expected = converter_warnings(path, self.work)
        self.assertEqual([line for line, _ in expected], [5, 13])
        self.assertEqual(report.warnings, expected)
        self.assertEqual([(w.category, w.filename, w.lineno, str(w.message)) for w in issued],
                         [(ordelix.ExportFileWarning, path, line, text) for line, text in expected])

    def test_a_warning_about_the_whole_file_has_no_line(self):
        first = read_bytes(os.path.join(EXAMPLES, "kinetics_step10.TSC")).split(b"\r\n")[0]
        path = self.write_kinetics("marked.TSC", {1: b"\xef\xbb\xbf" + first})
        with warnings.catch_warnings(record=True) as issued:
            warnings.simplefilter("always")
            report = ordelix.read(path)
        self.assertEqual(report.warnings, [(None, "the file is UTF-8 text, not the instrument's "
                                                  "Windows-1252; read as that text")])
        self.assertEqual([(w.lineno, str(w.message)) for w in issued],
                         [(0, report.warnings[0][1])])

    def test_warnings_can_be_made_errors(self):
        path = self.write_kinetics("short.TSC", keep=15)
        with warnings.catch_warnings():
            warnings.simplefilter("error", ordelix.ExportFileWarning)
            with self.assertRaises(ordelix.ExportFileWarning):
                ordelix.read(path)
        self.assertIsInstance(ordelix.ExportFileWarning("x"), UserWarning)


class ReadMany(ModuleCase):
    def test_reports_come_in_the_order_given_whatever_the_workers(self):
        # More files than one chunk of the core's batch, so order crosses chunks.
        paths = example_paths() * 3
        one_by_one = [quietly(ordelix.read, p).to_json() for p in paths]
        for jobs in (1, 2, None):
            with self.subTest(jobs=jobs):
                reports = quietly(ordelix.read_many, paths, jobs=jobs)
                self.assertEqual([r.to_json() for r in reports], one_by_one)
                self.assertEqual([repr(r) for r in reports],
                                 [f"<ordelix.Report of {p!r}>" for p in paths])

    def test_the_reports_save_as_the_converters(self):
        paths = [os.path.join(EXAMPLES, n) for n in ("scan_step05.WSC", "pht_w6_t.PHT")]
        for report, path in zip(quietly(ordelix.read_many, paths, jobs=2), paths):
            self.assert_saved_as_converter(report, path, self.path("many.xlsx"))
            os.remove(self.path("many.xlsx"))

    def test_warnings_of_every_file_come_in_order_then_the_first_failure(self):
        warned = [os.path.join(EXAMPLES, n) for n in sorted(WARNED_EXAMPLES)]
        missing = [self.path("first.PRO"), self.path("second.PRO")]
        paths = [warned[0], missing[0], warned[1], missing[1], warned[2]]
        with warnings.catch_warnings(record=True) as issued:
            warnings.simplefilter("always")
            with self.assertRaises(ordelix.ConversionError) as raised:
                ordelix.read_many(paths, jobs=2)
        self.assertEqual([(w.filename, w.lineno) for w in issued],
                         [(p, WARNED_EXAMPLES[os.path.basename(p)]) for p in warned])
        self.assertIs(raised.exception.path, missing[0])
        self.assertEqual(str(raised.exception), converter_failure(missing[0], self.work))

    def test_nothing_to_read_is_no_reports(self):
        self.assertEqual(ordelix.read_many([]), [])
        self.assertEqual(ordelix.read_many(iter([])), [])

    def test_bad_arguments_raise_before_any_conversion(self):
        path = os.path.join(EXAMPLES, "dsdna.NUC")
        for jobs in (0, -1):
            with self.subTest(jobs=jobs), self.assertRaises(ValueError):
                ordelix.read_many([path], jobs=jobs)
        for paths, jobs in ((path, 1), (pathlib.Path(path), 1), ([path], 1.5), ([None], 1)):
            with self.subTest(paths=paths, jobs=jobs), self.assertRaises(TypeError):
                ordelix.read_many(paths, jobs=jobs)


class Save(ModuleCase):
    def test_an_existing_file_is_kept_without_force_and_replaced_with_it(self):
        source = self.copy_example("culture_od.OD")
        target = self.path("report.xlsx")
        with open(target, "wb") as f:
            f.write(b"earlier")
        report = ordelix.read(source)
        with self.assertRaises(ordelix.SaveError) as raised:
            report.save(target)
        self.assertEqual(read_bytes(target), b"earlier")
        self.assertIs(raised.exception.path, target)
        run = run_converter("-o", target, source)
        said = os.fsdecode(run.stderr).splitlines()[0][len(PROGRAM_PREFIX):]
        self.assertEqual(str(raised.exception), said.replace("--force", "force=True"))

        report.save(target, force=True)
        self.assertEqual(read_bytes(target), converter_workbook(source, self.work))

    def test_the_export_file_and_folders_are_never_replaced(self):
        source = self.copy_example("rna.NUC")
        report = ordelix.read(source)
        os.mkdir(self.path("folder.xlsx"))
        for target in (source, self.path("folder.xlsx"), self.path("no/such/folder.xlsx")):
            with self.subTest(target=target), self.assertRaises(ordelix.SaveError):
                report.save(target, force=True)
        self.assertEqual(read_bytes(source), read_bytes(os.path.join(EXAMPLES, "rna.NUC")))
        self.assertEqual(sorted(os.listdir(self.work)), ["folder.xlsx", "rna.NUC"])

    def test_bad_targets_raise(self):
        report = ordelix.read(os.path.join(EXAMPLES, "rna.NUC"))
        with self.assertRaises(ValueError):
            report.save(self.path("a\0.xlsx"))
        with self.assertRaises(TypeError):
            report.save(None)


class FuzzCorpus(ModuleCase):
    """The fuzz target's inputs (flags, eight bytes of time, EXT\\n, the
    file's bytes) as export files: each gives the converter's data or its
    words for why not, and a report saves."""

    def corpus_files(self):
        files = []
        for number, name in enumerate(sorted(os.listdir(CORPUS))):
            data = read_bytes(os.path.join(CORPUS, name))
            extension, newline, content = data[9:].partition(b"\n")
            if len(data) < 9 or not newline or extension.decode("latin-1").upper() not in MODES:
                continue
            path = self.path(f"{number}.{extension.decode()}")
            with open(path, "wb") as f:
                f.write(content)
            files.append((path, data[0] & 1))
        return files

    def test_every_input_gives_the_converters_report_or_words(self):
        files = self.corpus_files()
        self.assertGreater(len(files), 100)
        refused, converted = 0, []
        for path, write in files:
            try:
                report = quietly(ordelix.read, path)
            except ordelix.ConversionError as error:
                self.assertEqual(str(error), converter_failure(path, self.work))
                refused += 1
                continue
            self.assert_is_converters_json(report, path)
            columns = len(report.tables[-1].columns) if report.tables else 0
            self.assertEqual(report.to_pandas().shape[1], columns)
            if write:
                report.save(path + ".xlsx")
            converted.append((path, report.to_json()))
        self.assertGreater(refused, 0)
        many = quietly(ordelix.read_many, [path for path, _ in converted])
        self.assertEqual([r.to_json() for r in many], [text for _, text in converted])


def main():
    global CONVERTER, EXAMPLES, CORPUS
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[3], file=sys.stderr)
        return 2
    CONVERTER, EXAMPLES, CORPUS = (os.path.abspath(a) for a in sys.argv[1:])
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
