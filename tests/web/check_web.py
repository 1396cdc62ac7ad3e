#!/usr/bin/python3
"""The browser's module, ordelix-core.js, in Node beside the Linux
ordelix-convert: the same export files at the same times, in the same time
zone, give the same workbooks byte for byte and the same words for what was
amiss; the sheet a page shows is the report its golden file describes; and
the run's data, JSON and CSV, is the Linux converter's --format json|csv
output byte for byte; and what only the module does, worked out by hand:
times as a page hands them in, combined workbooks, a zip of reports, the
measurement modes and which names call for one, and the curve of a kinetics
or melting-temperature report.

Usage: check_web.py NODE ORDELIX_CORE_JS LINUX_CONVERTER EXAMPLES_DIR GOLDEN_DIR FUZZ_CORPUS_DIR
"""

import base64
import io
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "integration"))
sys.path.insert(0, os.path.join(HERE, "..", "windows"))
import check_reports as reports  # noqa: E402
import check_windows as windows  # noqa: E402
from check_hostile import scan_lines  # noqa: E402
from openpyxl.utils.cell import (  # noqa: E402
    column_index_from_string, coordinate_from_string, get_column_letter, range_boundaries)

NODE = CORE = LINUX = EXAMPLES = GOLDEN = None
DRIVER = os.path.join(HERE, "core_driver.mjs")
# A zone with summer time, for both programs.
ENVIRONMENT = {"TZ": "Europe/Berlin", "LC_ALL": "C.UTF-8"}

WARNING = re.compile(r"^(?P<path>[^:]+):(?:(?P<line>\d+):)? warning: (?P<text>.*)$")
ERROR = re.compile(r"^ordelix-convert: (?P<path>[^:]+): (?P<text>.*)$")
# Values at the edges of what a double holds, each short enough for the
# scan's value column, and whether the report takes it for a number: a
# subnormal is one, a value that rounds to zero or to infinity is none.
EDGE_VALUES = [("1.5e-7", True), ("2.5e+20", True), ("-2.5E-5", True), ("1e-300", True),
               ("4e-320", True), ("3e-324", True), ("2e-324", False), ("1e-400", False),
               ("1.7e308", True), ("1.8e308", False), ("1e400", False), ("0.1", True)]


def run(args, cwd, stdin=None):
    env = dict(os.environ, **ENVIRONMENT)
    return subprocess.run(args, cwd=cwd, env=env, input=stdin, capture_output=True, timeout=240)


def core(*calls):
    """The outcomes of the calls on the module, bytes as bytes."""
    done = run([NODE, DRIVER, CORE], HERE, json.dumps(calls).encode())
    if done.returncode != 0:
        raise AssertionError(done.stderr.decode(errors="replace")[-3000:])

    def bytes_back(value):
        return base64.b64decode(value["base64"]) if set(value) == {"base64"} else value

    return json.loads(done.stdout, object_hook=bytes_back)


def linux_lines(stderr, inputs_at=""):
    """({input: error}, {input: [warning as "LINE: TEXT" or "TEXT"]}) of a run's stderr."""
    errors, warnings = {}, {}
    for line in stderr.decode().splitlines():
        if found := WARNING.match(line):
            line_number = found["line"] + ": " if found["line"] else ""
            path = os.path.relpath(found["path"], inputs_at) if inputs_at else found["path"]
            warnings.setdefault(path, []).append(line_number + found["text"])
        elif found := ERROR.match(line):
            path = os.path.relpath(found["path"], inputs_at) if inputs_at else found["path"]
            errors[path] = found["text"]
    return errors, warnings


def web_warnings(warnings):
    return [(f"{w['line']}: " if w["line"] is not None else "") + w["text"] for w in warnings]


def last_modified_ms(path):
    """The file's time as the Linux converter takes it, in milliseconds and
    most of a second past it: the module keeps the whole seconds."""
    return reports.created_seconds(path) * 1000 + 999


def shown_date(seconds):
    """The local time as the page shows a date cell: yyyy/M/d h:mm:ss."""
    t = time.localtime(seconds)
    return f"{t.tm_year}/{t.tm_mon}/{t.tm_mday} {t.tm_hour}:{t.tm_min:02}:{t.tm_sec:02}"


def as_written(number):
    """A number as the workbook holds it, to 16 significant digits: the golden
    files give what a spreadsheet reads."""
    return float(f"{number:.16G}")


def unpacked(values):
    """The module's packed values, {numbers, texts}, as the numbers, texts
    and nulls (empty cells) they hold."""
    return [number if number is not None else values["texts"].get(str(i))
            for i, number in enumerate(values["numbers"])]


def sheet_cells(sheet):
    """The module's sheet's cells, held in columns, a dict a cell."""
    columns = sheet["cells"]
    fonts = columns["fontList"]
    return [{"row": row, "col": col, "kind": kind, "value": value,
             "font": fonts[font] if font >= 0 else None}
            for row, col, kind, value, font in zip(columns["rows"], columns["cols"],
                                                   columns["kinds"], unpacked(columns["values"]),
                                                   columns["fonts"])]


def cell_at(ref):
    letters, row = coordinate_from_string(ref)
    return row, column_index_from_string(letters)


class Conversions(unittest.TestCase):
    """The examples, the fuzz corpus, scans of edge values and the largest
    scan a report holds, converted by a run of the Linux converter and by the
    module, one file at a time as a page converts them."""

    @classmethod
    def setUpClass(cls):
        cls.top = tempfile.mkdtemp(prefix="ordelix-web-")
        inputs = os.path.join(cls.top, "in")
        for folder in ("examples", "fuzz", "edges", "largest"):
            os.makedirs(os.path.join(inputs, folder))
        for name in reports.example_names():
            shutil.copyfile(os.path.join(EXAMPLES, name), os.path.join(inputs, "examples", name))
        for name, data in windows.corpus_inputs().items():
            with open(os.path.join(inputs, "fuzz", name), "wb") as f:
                f.write(data)
        reports.write_export(os.path.join(inputs, "largest", "scan.WSC"), scan_lines())
        header = ["7", "0", "1", "EDGES", "4", "1", "3.0", "0.0", "190", "201", "1", "0"]
        values = [text for text, _ in EDGE_VALUES]
        reports.write_export(os.path.join(inputs, "edges", "scan.WSC"),
                             [line.encode() for line in header + [str(len(values))] + values])
        cls.inputs = sorted(os.path.relpath(os.path.join(d, n), inputs)
                            for d, _, names in os.walk(inputs) for n in names)
        cls.linux = run([LINUX, "-r", "-d", "out", "in"], cls.top)
        for form in ("json", "csv"):
            run([LINUX, "--format", form, "-r", "-d", "out-" + form, "in"], cls.top)
        calls = [{"op": "convert", "name": os.path.basename(name),
                  "path": os.path.join(inputs, name),
                  "lastModifiedMs": last_modified_ms(os.path.join(inputs, name))}
                 for name in cls.inputs]
        cls.web = dict(zip(cls.inputs, (outcome["result"] for outcome in core(*calls))))
        data = core(*[dict(call, op="runData", format=form)
                      for form in ("json", "csv") for call in calls])
        for form, outcomes in (("json", data[:len(calls)]), ("csv", data[len(calls):])):
            for name, outcome in zip(cls.inputs, outcomes):
                cls.web[name][form] = outcome["result"]

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.top, ignore_errors=True)

    def linux_report(self, name, form="xlsx"):
        folder = "out" if form == "xlsx" else "out-" + form
        path = os.path.join(self.top, folder, os.path.splitext(name)[0] + "." + form)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()

    def test_the_inputs_are_every_example_and_corpus_file(self):
        self.assertGreater(len(reports.example_names()), 30)
        self.assertGreater(len(windows.corpus_inputs()), 400)
        self.assertEqual(len(self.inputs),
                         len(reports.example_names()) + len(windows.corpus_inputs()) + 2)

    def test_every_report_is_the_linux_converters_byte_for_byte(self):
        converted = 0
        for name in self.inputs:
            with self.subTest(input=name):
                web, linux = self.web[name], self.linux_report(name)
                self.assertEqual(web["ok"], linux is not None, web["error"])
                self.assertEqual(web["reportName"],
                                 os.path.splitext(os.path.basename(name))[0] + ".xlsx")
                if linux is None:
                    self.assertIsNone(web["xlsx"])
                    self.assertIsNone(web["sheet"])
                    continue
                converted += 1
                if web["xlsx"] != linux:
                    self.fail("differs in: " + ", ".join(reports.differing_members(
                        io.BytesIO(linux), io.BytesIO(web["xlsx"]))))
        self.assertGreater(converted, 300)

    def test_the_data_is_the_linux_converters_json_and_csv_byte_for_byte(self):
        converted = 0
        for name in self.inputs:
            with self.subTest(input=name):
                web = self.web[name]
                stem = os.path.splitext(os.path.basename(name))[0]
                self.assertEqual((web["jsonName"], web["csvName"]), (stem + ".json", stem + ".csv"))
                for form in ("json", "csv"):
                    linux = self.linux_report(name, form)
                    # No data where there is no report, and the same words why.
                    self.assertEqual(web[form]["data"], linux, form)
                    self.assertEqual(web[form]["error"], web["error"], form)
                converted += web["json"]["data"] is not None
        self.assertGreater(converted, 300)

    def test_refusals_and_warnings_are_the_linux_converters_words(self):
        errors, warnings = linux_lines(self.linux.stderr, "in")
        self.assertGreaterEqual(len(errors), 5)
        self.assertGreater(len(warnings), 100)
        for name in self.inputs:
            with self.subTest(input=name):
                self.assertEqual(self.web[name]["error"], errors.get(name))
                self.assertEqual(web_warnings(self.web[name]["warnings"]), warnings.get(name, []))

    def test_values_beyond_a_double_stay_text(self):
        edges = self.web["edges/scan.WSC"]["sheet"]
        # The scan's values stand in column F from row 16.
        shown = {c["row"]: (c["kind"], c["value"]) for c in sheet_cells(edges) if c["col"] == 6}
        self.assertEqual([shown[16 + i] for i in range(len(EDGE_VALUES))],
                         [("n", float(text)) if number else ("s", text)
                          for text, number in EDGE_VALUES])

    def test_the_sheet_is_the_report_its_golden_file_describes(self):
        for name in reports.example_names():
            with self.subTest(example=name):
                stem = os.path.splitext(name)[0]
                sheet = self.web["examples/" + name]["sheet"]
                cells, merges = reports.read_golden(os.path.join(GOLDEN, stem + ".cells"))
                created = reports.created_seconds(os.path.join(self.top, "in", "examples", name))
                self.assert_cells(sheet, cells, created)
                expected_merges = [list(range_boundaries(m)) for m in merges]
                self.assertEqual(sorted([c1, r1, c2, r2] for r1, c1, r2, c2 in sheet["merges"]),
                                 sorted(expected_merges))
                self.assert_chart(sheet, cells,
                                  reports.read_golden_chart(os.path.join(GOLDEN, stem + ".cells")))
                self.assert_widths(sheet, self.linux_report("examples/" + name))

    def assert_cells(self, sheet, golden, created):
        shown = {}
        cells = sheet_cells(sheet)
        for cell in cells:
            row, col, kind, value, font = (cell[k] for k in ("row", "col", "kind", "value", "font"))
            # Plain 12-point type over A1:Z50, bold where the golden file says.
            if row <= 50 and col <= 26:
                self.assertEqual(font, {"size": 12, "bold": font["bold"], "italic": False})
            else:
                self.assertIsNone(font)
            self.assertIn(col, sheet["leftColumns"])
            if kind == "n":
                value = as_written(value)
            if kind != "s" or value != "":
                shown[(row, col)] = (kind, value, bool(font and font["bold"]))
        expected = {cell_at(ref): (kind, shown_date(created) if kind == "d" else value, bold)
                    for ref, (kind, value, bold) in golden.items()}
        self.assertEqual(shown, expected)
        rows = [r for r, _ in expected] + [m[2] for m in sheet["merges"]]
        cols = [c for _, c in expected] + [m[3] for m in sheet["merges"]]
        self.assertEqual((sheet["lastRow"], sheet["lastCol"]),
                         (max(rows + [c["row"] for c in cells]),
                          max(cols + [c["col"] for c in cells])))

    def assert_chart(self, sheet, cells, golden):
        if not golden:
            self.assertEqual(sheet["charts"], [])
            return
        (chart,) = sheet["charts"]
        self.assertEqual(chart["title"], golden["title"])
        self.assertEqual(chart["seriesName"], golden["series"])
        self.assertEqual(chart["categoryAxisTitle"], golden["category_axis"])
        self.assertEqual(chart["valueAxisTitle"], golden["value_axis"])
        self.assertEqual(chart["tickMarkSpacing"], golden["tick_mark_skip"])
        self.assertEqual([round(chart[k]) for k in ("left", "top", "width", "height")],
                         golden["box"])
        for key in ("values", "categories"):
            points = unpacked(chart[key])
            first_col, first_row, last_col, last_row = range_boundaries(
                golden[key].split("!")[1].replace("$", ""))
            refs = [f"{get_column_letter(c)}{r}" for r in range(first_row, last_row + 1)
                    for c in range(first_col, last_col + 1)]
            self.assertEqual([as_written(p) if isinstance(p, float) else p for p in points],
                             [cells[ref][1] if ref in cells else None for ref in refs], key)

    def assert_widths(self, sheet, workbook):
        """Each width in characters gives the workbook's column its pixels:
        seven a character, rounded, and five of padding."""
        with tempfile.NamedTemporaryFile(suffix=".xlsx") as f:
            f.write(workbook)
            f.flush()
            pixels = {c: p for c, p in reports.column_pixels(f.name).items()
                      if p != reports.DEFAULT_COLUMN_PX}
        self.assertEqual({w["col"]: int(w["chars"] * 7 + 0.5) + 5 for w in sheet["widths"]},
                         pixels)


class RunData(unittest.TestCase):
    def test_a_format_but_json_or_csv_is_thrown(self):
        example = os.path.join(EXAMPLES, "bca_std.PRO")
        outcomes = core(*[{"op": "runData", "name": "bca_std.PRO", "path": example, "lastModifiedMs": 0,
                           "format": form} for form in ("xlsx", "JSON", "txt")])
        self.assertEqual(outcomes[0], {"thrown": "runData: xlsx is neither json nor csv"})
        self.assertEqual(outcomes[2], {"thrown": "runData: txt is neither json nor csv"})
        # A format's name in any case, as --format takes it.
        self.assertTrue(outcomes[1]["result"]["data"].startswith(b'{"file":"bca_std.PRO",'))


class Curves(unittest.TestCase):
    """The curve a page draws for a kinetics or melting-temperature report:
    its table's first two columns, as the converter's data gives them; none
    for the other reports."""

    TITLES = {".TSC": "Kinetics", ".TM": "Melting curve"}

    def test_by_hand(self):
        (kinetics, melting) = (outcome["result"] for outcome in core(
            {"op": "convert", "name": "k.TSC", "path": os.path.join(EXAMPLES, "kinetics_step50.TSC"),
             "lastModifiedMs": 0},
            {"op": "convert", "name": "m.tm", "path": os.path.join(EXAMPLES, "melt_falling.TM"),
             "lastModifiedMs": 0}))
        # The file says 4 values and holds 3: the fourth row has no value.
        self.assertEqual(kinetics["curve"], {"title": "Kinetics", "xTitle": "Data(s)", "yTitle": "Value",
                                             "xs": [0, 50, 100], "ys": [97.2, 95.8, 94.1]})
        # From 90 down to 75 by -5.
        self.assertEqual(melting["curve"], {"title": "Melting curve", "xTitle": "C", "yTitle": "OD",
                                            "xs": [90, 85, 80, 75],
                                            "ys": [1.882, 1.7314, 1.4409, 1.1023]})

    def test_every_example_against_the_converters_data(self):
        names = reports.example_names()
        with tempfile.TemporaryDirectory() as folder:
            for name in names:
                shutil.copyfile(os.path.join(EXAMPLES, name), os.path.join(folder, name))
            run([LINUX, "--format", "json", "-d", "out", *names], folder)
            data = {}
            for name in names:
                with open(os.path.join(folder, "out", os.path.splitext(name)[0] + ".json")) as f:
                    data[name] = json.load(f)
        outcomes = core(*[{"op": "convert", "name": name, "path": os.path.join(EXAMPLES, name),
                           "lastModifiedMs": 0} for name in names])
        drawn = 0
        for name, outcome in zip(names, outcomes):
            with self.subTest(example=name):
                curve = outcome["result"]["curve"]
                title = self.TITLES.get(os.path.splitext(name)[1])
                if title is None:
                    self.assertIsNone(curve)
                    continue
                (table,) = data[name]["tables"]
                points = [row[:2] for row in table["rows"]
                          if all(isinstance(v, (int, float)) for v in row[:2])]
                self.assertGreater(len(points), 0)
                # A temperature stepped by 0.1 is held as the sum, which the
                # data gives as the workbook writes it.
                for axis in ("xs", "ys"):
                    curve[axis] = [as_written(v) for v in curve[axis]]
                self.assertEqual(curve, {"title": title,
                                         "xTitle": table["columns"][0].strip(),
                                         "yTitle": table["columns"][1].strip(),
                                         "xs": [x for x, _ in points], "ys": [y for _, y in points]})
                drawn += 1
        self.assertEqual(drawn, 9)


class Modes(unittest.TestCase):
    """The modes a page offers and which names call for one, as the
    converter takes a folder's files."""

    def test_the_modes_in_the_converters_order(self):
        (outcome,) = core({"op": "modes"})
        self.assertEqual(outcome["result"], [
            {"extension": "PRO", "name": "protein"}, {"extension": "NUC", "name": "nucleic acid"},
            {"extension": "CON", "name": "concentration"}, {"extension": "PHT", "name": "photometry"},
            {"extension": "OD", "name": "OD600"}, {"extension": "TSC", "name": "kinetics"},
            {"extension": "TM", "name": "melting temperature"},
            {"extension": "WSC", "name": "wavelength scan"}])

    def test_a_name_calls_for_the_mode_of_its_extension_in_any_case(self):
        cases = {"run.pro": "PRO", "Run.Tm": "TM", "a.b.WSC": "WSC", "runs/day 2/c.od": "OD",
                 "x.y/c.Nuc": "NUC",
                 # No extension: a leading dot only (a hidden file), a trailing
                 # one, none, or another extension.
                 ".PRO": None, ".OD": None, "runs/.TM": None, "run.": None, "REPRO": None,
                 "run.APRO": None, "run.PRO.txt": None, "PRO": None, "": None}
        outcomes = core(*[{"op": "modeOf", "name": name} for name in cases])
        for (name, extension), outcome in zip(cases.items(), outcomes):
            with self.subTest(name=name):
                mode = outcome["result"]
                self.assertEqual(mode and mode["extension"], extension)

    def test_a_name_the_converter_finds_in_a_folder_is_one_with_a_mode(self):
        with tempfile.TemporaryDirectory() as folder:
            names = ["run.pro", "Run.Tm", ".PRO", "run.", "REPRO", "run.PRO.txt", "b.wsc"]
            for name in names:
                shutil.copyfile(os.path.join(EXAMPLES, "bca_std.PRO"), os.path.join(folder, name))
            listed = run([LINUX, "-v", "--format", "json", "-d", "out", "."], folder)
            taken = sorted(n for n in os.listdir(os.path.join(folder, "out")))
        outcomes = core(*[{"op": "modeOf", "name": name} for name in names])
        self.assertEqual(
            sorted(os.path.splitext(n)[0] + ".json" for n, o in zip(names, outcomes) if o["result"]),
            taken, listed.stderr)


class PageTimes(unittest.TestCase):
    """A page hands in the file's time in milliseconds since 1970, UTC; the
    report shows it in the browser's zone, whole seconds, within what the
    module's 32-bit time reaches (1901 to 2038)."""

    def test_the_date_is_the_local_time_of_the_whole_second(self):
        example = os.path.join(EXAMPLES, "bca_std.PRO")
        cases = [  # milliseconds, the date cell in Berlin, the workbook's created time
            (1719828000500, "2024/7/1 12:00:00", "2024-07-01T10:00:00Z"),  # summer time
            (-631152000000, "1950/1/1 1:00:00", "1950-01-01T00:00:00Z"),
            (-1, "1970/1/1 0:59:59", "1969-12-31T23:59:59Z"),
            (2208988800000, "2038/1/19 4:14:07", "2038-01-19T03:14:07Z"),  # 2040, beyond
        ]
        outcomes = core(*[{"op": "convert", "name": "bca_std.PRO", "path": example,
                           "lastModifiedMs": ms} for ms, _, _ in cases])
        for (ms, date, created), outcome in zip(cases, outcomes):
            with self.subTest(ms=ms):
                result = outcome["result"]
                self.assertEqual(result["warnings"], [])
                (cell,) = [c for c in sheet_cells(result["sheet"]) if c["kind"] == "d"]
                self.assertEqual((cell["row"], cell["col"], cell["value"]), (2, 4, date))
                self.assertEqual(windows.workbook_date(result["xlsx"]), created)


class Combined(unittest.TestCase):
    """ordelix-convert --combine and the module's combine, on files of one
    name in two folders, a name in UTF-8, a file with a warning and two it
    refuses."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ordelix-web-combine-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def file(self, relative, source=None, lines=None):
        path = os.path.join(self.work, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if source:
            shutil.copyfile(os.path.join(EXAMPLES, source), path)
        else:
            reports.write_export(path, lines)
        return relative

    def both(self, paths):
        linux = run([LINUX, "--combine", "combined.xlsx", *paths], self.work)
        workbook = os.path.join(self.work, "combined.xlsx")
        made = None
        if os.path.exists(workbook):
            with open(workbook, "rb") as f:
                made = f.read()
        (web,) = core({"op": "combine", "names": [os.path.basename(p) for p in paths],
                       "paths": [os.path.join(self.work, p) for p in paths],
                       "lastModifiedMs": [last_modified_ms(os.path.join(self.work, p))
                                          for p in paths]})
        return linux, made, web["result"]

    def test_the_workbook_and_its_words_are_the_linux_converters(self):
        paths = [self.file("a/bca_std.PRO", "bca_std.PRO"),
                 self.file("refused.PRO", lines=[b"7", b"0"]),
                 self.file("b/bca_std.PRO", "lowry_kfactor.PRO"),
                 self.file("Messung \u00b5g.NUC", "rna.NUC"),
                 self.file("notes.txt", "rna.NUC"),
                 self.file("kinetics_step50.TSC", "kinetics_step50.TSC")]
        linux, made, web = self.both(paths)
        self.assertEqual(linux.returncode, 1)
        self.assertIsNotNone(made)
        self.assertEqual(web["xlsx"], made)
        self.assertIsNone(web["error"])
        self.assertEqual(web["sheetNames"], ["bca_std.PRO", "bca_std.PRO (2)",
                                             "Messung \u00b5g.NUC", "kinetics_step50.TSC"])
        errors, warnings = linux_lines(linux.stderr)
        self.assertEqual([f["name"] for f in web["failed"]], ["refused.PRO", "notes.txt"])
        self.assertEqual({f["name"]: f["error"] for f in web["failed"]}, errors)
        self.assertEqual({w["name"]: web_warnings(w["warnings"]) for w in web["warnings"]},
                         warnings)

    def test_no_workbook_when_no_file_converts(self):
        linux, made, web = self.both([self.file("notes.txt", "rna.NUC")])
        self.assertIsNone(made)
        self.assertEqual((web["xlsx"], web["error"], web["sheetNames"]), (None, None, []))
        self.assertEqual(web["failed"], [{"name": "notes.txt", "error": linux_lines(
            linux.stderr)[0]["notes.txt"]}])


class ZipOfReports(unittest.TestCase):
    def test_each_report_is_stored_under_its_name_dated_now(self):
        reports_in = {"Messung \u00b5g.xlsx": b"PK first", "sub/b.xlsx": bytes(range(256)) * 900,
                      "c.xlsx": b""}
        with tempfile.TemporaryDirectory() as folder:
            paths = []
            for i, data in enumerate(reports_in.values()):
                paths.append(os.path.join(folder, str(i)))
                with open(paths[-1], "wb") as f:
                    f.write(data)
            before = time.time()
            (outcome,) = core({"op": "zipReports", "names": list(reports_in), "paths": paths})
            after = time.time()
        with zipfile.ZipFile(io.BytesIO(outcome["result"])) as z:
            self.assertEqual(z.namelist(), list(reports_in))
            for info in z.infolist():
                with self.subTest(member=info.filename):
                    self.assertEqual(z.read(info), reports_in[info.filename])
                    self.assertEqual(info.compress_type, zipfile.ZIP_STORED)
                    self.assertTrue(info.flag_bits & 0x800, "the UTF-8 name flag")
                    # A zip counts seconds in twos.
                    earliest = time.localtime(int(before) - int(before) % 2)
                    self.assertGreaterEqual(info.date_time, tuple(earliest)[:6])
                    self.assertLessEqual(info.date_time, tuple(time.localtime(after))[:6])

    def test_a_name_given_twice_is_thrown(self):
        with tempfile.NamedTemporaryFile() as f:
            (twice, none) = core({"op": "zipReports", "names": ["a.xlsx", "a.xlsx"],
                                  "paths": [f.name, f.name]},
                                 {"op": "zipReports", "names": [], "paths": []})
        self.assertEqual(twice, {"thrown": "zipReports: a.xlsx is named twice"})
        with zipfile.ZipFile(io.BytesIO(none["result"])) as z:
            self.assertEqual(z.namelist(), [])


if __name__ == "__main__":
    NODE, CORE, LINUX, EXAMPLES, GOLDEN, windows.CORPUS = map(os.path.abspath, sys.argv[1:7])
    reports.EXAMPLES = EXAMPLES
    os.environ["TZ"] = ENVIRONMENT["TZ"]
    time.tzset()
    unittest.main(argv=sys.argv[:1] + sys.argv[7:], verbosity=2)
