#!/usr/bin/python3
"""Converts export files with the real ordelix-convert into workbooks and into
their data (JSON and CSV), and checks the data against the workbook as
openpyxl reads it back, and against docs/run-data.schema.json.

Usage: check_run_data.py CONVERTER EXAMPLES_DIR GOLDEN_DIR SCHEMA CORPUS_DIR|-

For every example and every input of the fuzz corpus (none for "-"): the
JSON validates;
every cell of the workbook that is not layout (a separator of hyphens or a
padding of blanks in column A) stands in the JSON at its place, as a header
row's label and value, a table's title, heading, row or note, numbers equal
as doubles and texts exactly; the JSON holds nothing else but the file's
name, mode, time and warnings; and the CSV is the last table.
"""

import bisect
import csv
import datetime
import io
import json
import os
import re
import subprocess
import sys
import zoneinfo

import jsonschema
import openpyxl.reader.excel
from openpyxl.cell.text import Text
from openpyxl.xml.constants import SHEET_MAIN_NS
from openpyxl.xml.functions import iterparse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_reports as base  # noqa: E402
from check_hostile import as_read  # noqa: E402
from check_reports import ConverterCase, example_names, write_export  # noqa: E402

SCHEMA = CORPUS = None
MODES = ("PRO", "NUC", "CON", "PHT", "OD", "TSC", "TM", "WSC")
DATA_EXTENSIONS = (".json", ".csv")
LAYOUT = re.compile(r" ?-+| +")  # a separator, a line of hyphens, a padding of blanks


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def read_string_table(xml_source):
    """The shared strings as the format defines them: _xHHHH_ is the character
    HHHH. openpyxl only drops "x005F_", which reads "_x005F_x0041_" as
    "_x0041_" and leaves the escapes of control characters in."""
    strings = []
    for _, node in iterparse(xml_source):
        if node.tag == f"{{{SHEET_MAIN_NS}}}si":
            strings.append(as_read(Text.from_tree(node).content))
            node.clear()
    return strings


openpyxl.reader.excel.read_string_table = read_string_table


def corpus_inputs(into):
    """The fuzz corpus's export files (flags, 8 bytes of time, EXT\\n, bytes) as
    files named by their extension; the others name no mode."""
    made = []
    for name in sorted(os.listdir(CORPUS)) if CORPUS else ():
        with open(os.path.join(CORPUS, name), "rb") as f:
            extension, _, body = f.read()[9:].partition(b"\n")
        if extension.decode("latin-1").upper() in MODES:
            path = os.path.join(into, f"{name}.{extension.decode()}")
            made.append(write_export(path, [body], b""))
    return made


# --- the workbook's cells against the data ------------------------------------

def sheet_cells(report):
    """{row: [(col, value)]} of the cells that are not layout, left to right.
    Read only: a sheet of 32,767 rows then takes half a second, not eight."""
    rows = {}
    for row in openpyxl.load_workbook(report, read_only=True).active.iter_rows():
        for cell in row:
            value = cell.value
            if value is None or (cell.column == 1 and isinstance(value, str) and
                                 LAYOUT.fullmatch(value)):
                continue
            rows.setdefault(cell.row, []).append((cell.column, value))
    return rows


class Label(str):
    """A header label, which column A shows padded with blanks."""


def same_value(data, cell):
    """A value of the data against a cell as openpyxl reads it: numbers as
    doubles, texts exactly, a date against the ISO text of its local time."""
    if isinstance(data, Label):
        return isinstance(cell, str) and cell.rstrip(" ") == data
    if isinstance(cell, datetime.datetime):
        return (isinstance(data, str) and
                datetime.datetime.fromisoformat(data).replace(tzinfo=None) ==
                base.round_to_second(cell))
    if isinstance(cell, bool) or isinstance(data, bool):
        return False
    if isinstance(cell, (int, float)):
        return isinstance(data, (int, float)) and float(data) == float(cell)
    return isinstance(data, str) and data == cell


class Claims:
    """The workbook's cells, each to be claimed by one value of the data."""

    def __init__(self, rows):
        self.free = {row: list(cells) for row, cells in rows.items()}
        self.order = sorted(self.free)

    def rows_from(self, first):
        """The rows from `first` down that hold free cells."""
        for k in range(bisect.bisect_left(self.order, first), len(self.order)):
            if self.free[self.order[k]]:
                yield self.order[k]

    def whole_row(self, first, wanted):
        """The first row from `first` whose free cells, left to right, are the
        values `wanted`; claimed whole. None and [] when no row is."""
        for row in self.rows_from(first):
            cells = self.free[row]
            if len(cells) == len(wanted) and all(same_value(w, v)
                                                 for w, (_, v) in zip(wanted, cells)):
                self.free[row] = []
                return row, cells
        return None, []

    def in_columns(self, first, wanted):
        """The first row from `first` that holds each (column, value) of `wanted`
        free; those cells are claimed, the rest of the row stays free."""
        for row in self.rows_from(first):
            found = [next((k for k, (c, v) in enumerate(self.free[row])
                           if c == col and same_value(value, v)), None) for col, value in wanted]
            if None not in found:
                self.free[row] = [cell for k, cell in enumerate(self.free[row]) if k not in found]
                return row
        return None

    def anywhere(self, value):
        for row in self.rows_from(1):
            for k, (_, v) in enumerate(self.free[row]):
                if same_value(value, v):
                    del self.free[row][k]
                    return True
        return False

    def left(self):
        return {row: cells for row, cells in self.free.items() if cells}


def header_problems(claims, header):
    """Labelled rows from the top, label in A and value in D; a value whose
    label the report does not show, anywhere."""
    problems, row = [], 1
    for entry in header:
        label, value = entry["label"], entry["value"]
        if not label:
            continue
        found = claims.in_columns(row, [(1, Label(label))] +
                                  ([(4, value)] if value is not None else []))
        if found is None:
            problems.append(f"header entry {entry} is no row of the workbook from row {row} on")
        else:
            row = found + 1
    problems += [f"header entry {entry} is no cell of the workbook" for entry in header
                 if not entry["label"] and not claims.anywhere(entry["value"])]
    return problems


def table_problems(claims, table, number):
    """Title in A, then the heading row, then the rows, each a row of the
    workbook below the one before; each column in one column of the workbook."""
    problems, row = [], 1
    if table["title"] is not None:
        found = claims.in_columns(1, [(1, table["title"])])
        if found is None:
            problems.append(f"table {number}: title {table['title']!r} is in no column A")
        row = (found or 0) + 1
    shown = [v for v in table["columns"] if v is not None]
    if shown:
        found, _ = claims.whole_row(row, shown)
        if found is None:
            problems.append(f"table {number}: no row of the workbook holds the headings {shown}")
        row = (found or row - 1) + 1
    data_cols = [set() for _ in table["columns"]]
    for values in table["rows"]:
        if len(values) != len(table["columns"]):
            problems.append(f"table {number}: row {values} has not one value per column")
            continue
        found, cells = claims.whole_row(row, [v for v in values if v is not None])
        if found is None:
            problems.append(f"table {number}: row {values} is no row of the workbook "
                            f"from row {row} on")
            continue
        row = found + 1
        cols = iter(col for col, _ in cells)
        for k, value in enumerate(values):
            if value is not None:
                data_cols[k].add(next(cols))
    cols = [next(iter(c)) if len(c) == 1 else None for c in data_cols if c]
    if None in cols or cols != sorted(set(cols)):
        problems.append(f"table {number}: its columns stand in the workbook's {data_cols}")
    return problems


def place_problems(data, report):
    """Where the data and the workbook's cells do not claim each other one to one."""
    claims = Claims(sheet_cells(report))
    problems = header_problems(claims, data["header"])
    for number, table in enumerate(data["tables"]):
        problems += table_problems(claims, table, number)
    for number, table in enumerate(data["tables"]):
        problems += [f"table {number}: note {note!r} is no cell of the workbook"
                     for note in table["notes"] if not claims.anywhere(note)]
    problems += [f"row {row}: {cells} in no place of the data"
                 for row, cells in claims.left().items()]
    return problems


# --- the CSV against the data ---------------------------------------------------

def field_is(value, field, separator):
    if value is None:
        return field == ""
    if isinstance(value, str):
        return field == value
    if separator == ";":
        if "." in field:
            return False
        field = field.replace(",", ".")
    return float(field) == float(value)


def csv_problems(data, path, separator):
    """The last table's heading row, then its rows, in lines ended by CR LF."""
    with open(path, "rb") as f:
        raw = f.read()
    if not data["tables"]:
        return [] if raw == b"" else [f"{raw[:80]!r} for a report without tables"]
    table = data["tables"][-1]
    lines = [table["columns"]] + table["rows"]
    problems = []
    # No text of an export file holds a line end: they end its lines.
    if raw.count(b"\r\n") != len(lines) or raw.count(b"\n") != len(lines) or \
            not raw.endswith(b"\r\n"):
        problems.append(f"{len(lines)} lines ended by CR LF expected: {raw[:200]!r}")
    read = list(csv.reader(io.StringIO(raw.decode("utf-8"), newline=""), delimiter=separator))
    if len(read) != len(lines):
        problems.append(f"{len(read)} lines for {len(lines)}")
    for number, (values, fields) in enumerate(zip(lines, read), 1):
        if len(values) != len(fields) or not all(field_is(v, f, separator)
                                                 for v, f in zip(values, fields)):
            problems.append(f"line {number}: {fields} for {values}")
    return problems


class DataCase(ConverterCase):
    """Data reports are outputs too, not files that must stay as they were."""

    def _snapshot(self):
        return {name: state for name, state in super()._snapshot().items()
                if not name.lower().endswith(DATA_EXTENSIONS)}

    _validator = None

    def read_json(self, path):
        with open(path, "rb") as f:
            document = json.loads(f.read().decode("utf-8"))
        if DataCase._validator is None:
            DataCase._validator = schema_validator()
        DataCase._validator.validate(one_row_per_type_pattern(document))
        return document


def schema_validator():
    with open(SCHEMA, encoding="utf-8") as f:
        schema = json.load(f)
    # one_row_per_type_pattern holds only while a row is checked cell by cell, by type.
    rows = schema["$defs"]["table"]["properties"]["rows"]
    assert set(rows) <= {"description", "type", "items"}, rows
    assert set(rows["items"]) <= {"description", "type", "items"}, rows["items"]
    assert schema["$defs"]["value"]["type"] == ["number", "string", "null"]
    return jsonschema.Draft202012Validator(schema)


def one_row_per_type_pattern(document):
    """The document with each table's rows cut to one per pattern of cell types:
    the schema asks of a row nothing else, and a scan has thousands alike."""
    runs = document if isinstance(document, list) else [document]
    reduced = []
    for run in runs:
        if not isinstance(run, dict) or not isinstance(run.get("tables"), list):
            reduced.append(run)
            continue
        tables = []
        for table in run["tables"]:
            if isinstance(table, dict) and isinstance(table.get("rows"), list):
                patterns = {}
                for row in table["rows"]:
                    key = (tuple(type(cell) for cell in row) if isinstance(row, list)
                           else type(row))
                    patterns.setdefault(key, row)
                table = dict(table, rows=list(patterns.values()))
            tables.append(table)
        reduced.append(dict(run, tables=tables))
    return reduced if isinstance(document, list) else reduced[0]


# --- every example and corpus input ------------------------------------------

class EveryInput(DataCase):
    FORMATS = {"xlsx": ["--format", "xlsx"], "json": ["--format", "json"],
               "csv": ["--format", "csv"], "csv;": ["--format", "csv", "--csv-separator", ";"]}

    def test_the_schema_is_a_strict_draft_2020_12_schema(self):
        with open(SCHEMA, encoding="utf-8") as f:
            schema = json.load(f)
        jsonschema.Draft202012Validator.check_schema(schema)
        for name, definition in schema["$defs"].items():
            if definition.get("type") == "object":
                self.assertIs(definition.get("additionalProperties"), False, name)

    def test_the_data_is_every_cell_of_the_workbook_in_its_place(self):
        inputs = [os.path.join(base.EXAMPLES, n) for n in example_names()]
        inputs += corpus_inputs(self.folder("corpus"))
        outputs = {name: self.folder(name.replace(";", "-semicolon")) for name in self.FORMATS}
        # By their folders: 500 names are more than a Windows command line holds.
        runs = {name: self.convert("-q", "-d", outputs[name], *args, base.EXAMPLES,
                                   self.folder("corpus"))
                for name, args in self.FORMATS.items()}
        for name, run in runs.items():
            self.assertEqual((run.rc, run.err), (runs["xlsx"].rc, runs["xlsx"].err), name)
        converted = 0
        for source in inputs:
            stem = os.path.splitext(os.path.basename(source))[0]
            made = {name: os.path.join(out, f"{stem}.{name.rstrip(';')}")
                    for name, out in outputs.items()}
            with self.subTest(input=os.path.basename(source)):
                self.assertEqual({os.path.exists(path) for path in made.values()},
                                 {os.path.exists(made["xlsx"])})
                if not os.path.exists(made["xlsx"]):
                    continue
                converted += 1
                data = self.read_json(made["json"])
                self.assertEqual(data["file"], os.path.basename(source))
                self.assertEqual(place_problems(data, made["xlsx"]), [])
                self.assertEqual(csv_problems(data, made["csv"], ","), [])
                self.assertEqual(csv_problems(data, made["csv;"], ";"), [])
        # Every example converts; most of the corpus does too.
        self.assertGreater(converted, 300 if CORPUS else len(example_names()) - 1)


# --- the command line -----------------------------------------------------------

class CommandLine(DataCase):
    def example(self, name, *dest):
        return self.copy_example(name, *(dest or (name,)))

    def test_the_format_names_each_report_beside_its_file_or_in_the_folder(self):
        source = self.example("lowry_kfactor.PRO", "in", "run.PRO")
        for fmt in ("json", "csv"):
            with self.subTest(format=fmt):
                self.assert_converted(self.convert("--format", fmt, source))
                self.assertTrue(os.path.isfile(self.path("in", f"run.{fmt}")))
        nested = self.example("melt_step05.TM", "runs", "day1", "melt.TM")
        out = self.folder("out")
        self.assert_converted(self.convert("-q", "-r", "-d", out, "--format", "json",
                                           self.path("runs"), source))
        self.assertEqual(sorted(os.listdir(out)), ["day1", "run.json"])
        self.assertEqual(os.listdir(os.path.join(out, "day1")), ["melt.json"])
        self.assertEqual(self.read_json(os.path.join(out, "day1", "melt.json"))["file"],
                         os.path.basename(nested))

    def test_the_output_name_gives_the_format_and_must_agree_with_format(self):
        source = self.example("culture_od.OD")
        self.assert_converted(self.convert("-o", self.path("r.json"), source))
        self.assertEqual(self.read_json(self.path("r.json"))["mode"], "OD600")
        self.assert_converted(self.convert("-o", self.path("r.CSV"), source))
        with open(self.path("r.CSV"), "rb") as f:
            self.assertTrue(f.read().startswith(b"Data No.            ,Sample No."))
        for args, needle in ((["--format", "csv", "-o", self.path("x.json")], "--format csv"),
                             (["--format", "xlsx", "-o", self.path("x.csv")], ".csv name"),
                             (["-o", self.path("x.txt")], ".xlsx, .json or .csv"),
                             (["--format", "yaml"], "yaml"),
                             (["--csv-separator", ";", "--format", "json"], "--csv-separator"),
                             (["--csv-separator", "|", "--format", "csv"], "|"),
                             (["--combine", self.path("all.csv")], "CSV"),
                             (["--format", "csv", "--combine", "-"], "CSV")):
            with self.subTest(args=args):
                run = self.convert(*args, source)
                self.assert_failed_about(run, 2, needle)
        self.assertEqual(sorted(os.listdir(self.work)), ["culture_od.OD", "r.CSV", "r.json"])

    def test_standard_output_takes_the_data_as_a_file_would(self):
        source = self.example("bradford_std.PRO")
        self.assert_converted(self.convert("--format", "json", "-o", self.path("r.json"), source))
        self.assert_converted(self.convert("-o", self.path("r.csv"), "--csv-separator", ";",
                                           source))
        run = subprocess.run([base.CONVERTER, "-q", "--format", "json", "-o", "-", source],
                             capture_output=True, check=False)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(self.path("r.json"), "rb") as f:
            self.assertEqual(run.stdout, f.read())
        run = subprocess.run([base.CONVERTER, "--format", "csv", "--csv-separator", ";",
                              "-o", "-", source], capture_output=True, check=False)
        with open(self.path("r.csv"), "rb") as f:
            self.assertEqual(run.stdout, f.read())
        self.assertEqual(run.stderr.decode().strip(), "1 converted, 0 failed, 0 with warnings")

    def test_combine_writes_one_array_in_the_order_given(self):
        names = ["scan_step1.WSC", "bradford_std.PRO", "kinetics_step50.TSC"]
        inputs = [self.example(n) for n in names]
        broken = write_export(self.path("broken.PRO"), [b"9"])
        out = self.folder("one")
        self.convert("-q", "--format", "json", "-d", out, *inputs)
        run = self.convert("-q", "--combine", self.path("all.json"), inputs[0], broken, *inputs[1:])
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn("broken.PRO", run.err)
        combined = self.read_json(self.path("all.json"))
        self.assertEqual([run["file"] for run in combined], names)
        for name, data in zip(names, combined):
            self.assertEqual(data, self.read_json(os.path.join(out, name.split(".")[0] + ".json")))
        piped = subprocess.run([base.CONVERTER, "-q", "--format", "json", "--combine", "-",
                                *inputs], capture_output=True, check=False)
        with open(self.path("all.json"), "rb") as f:
            self.assertEqual(piped.stdout, f.read())

    def test_an_existing_report_stays_unless_forced(self):
        source = self.example("dsdna.NUC")
        target = self.path("dsdna.json")
        with open(target, "wb") as f:
            f.write(b"an older report")
        run = self.convert("--format", "json", source)
        self.assert_failed_about(run, 1, target)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), b"an older report")
        self.assert_converted(self.convert("-f", "--format", "json", source))
        self.assertEqual(self.read_json(target)["mode"], "nucleic acid")
        run = self.convert("-f", "-o", self.path("dsdna.NUC"), "--format", "json", source)
        self.assertEqual(run.rc, 2, run.err)

    def test_skipping_keeps_only_the_data_the_file_gives_now(self):
        dsdna, rna = self.example("dsdna.NUC"), self.example("rna.NUC")
        out = self.folder("out")
        for form in ("json", "csv"):
            with self.subTest(format=form):
                self.assert_converted(self.convert("--format", form, "-d", out, dsdna, rna))
                target = os.path.join(out, "dsdna." + form)
                whole = read_bytes(target)
                kept = self.convert("-n", "--format", form, "-d", out, dsdna)
                self.assert_converted(kept)
                self.assertEqual(read_bytes(target), whole)
                # A CSV cut after a line still ends as a whole one does.
                cut = (whole[:whole.index(b"\n", whole.index(b"\n") + 1) + 1] if form == "csv"
                       else whole[:len(whole) // 2])
                others = read_bytes(os.path.join(out, "rna." + form))
                for held, why in ((cut, "the existing report is not complete"),
                                  (others, "the existing report is not this file's report as "
                                           "it converts now")):
                    with open(target, "wb") as f:
                        f.write(held)
                    run = self.convert("-n", "--format", form, "-d", out, dsdna)
                    printed = base.joined(out, "dsdna." + form)
                    self.assertTrue(run.err.endswith(
                        f": {dsdna}: {why} (--force replaces it): {printed}\n"), run.err)
                    self.assertEqual(len(run.err.splitlines()), 1, run.err)
                    self.assertEqual(run.rc, 1)
                    self.assertEqual(read_bytes(target), held)

    def test_a_combined_array_is_kept_only_while_it_holds_the_files_given(self):
        inputs = [self.example(n) for n in ("dsdna.NUC", "rna.NUC")]
        combined = self.path("all.json")
        self.assert_converted(self.convert("--format", "json", "--combine", combined, *inputs))
        two = read_bytes(combined)
        self.assert_converted(self.convert("-n", "--combine", combined, *inputs))
        self.assertEqual(read_bytes(combined), two)
        added = inputs + [self.example("culture_od.OD")]
        run = self.convert("-n", "--combine", combined, *added)
        self.assertTrue(run.err.endswith(f": {combined}: the existing report does not hold these "
                                         "3 files as they convert now (--force replaces it)\n"),
                        run.err)
        self.assertEqual(len(run.err.splitlines()), 1, run.err)
        self.assertEqual(run.rc, 1)
        self.assertEqual(read_bytes(combined), two)
        self.assert_converted(self.convert("-f", "--combine", combined, *added))
        self.assertEqual([run["file"] for run in self.read_json(combined)],
                         ["dsdna.NUC", "rna.NUC", "culture_od.OD"])

    def test_warnings_go_to_stderr_and_into_the_data_and_strict_refuses_them(self):
        faulty = self.example("kinetics_step50.TSC")
        run = self.convert("--format", "json", faulty)
        self.assert_converted(run, f"{faulty}:13: warning: says 4 values; the file holds 3\n")
        self.assertEqual(self.read_json(self.path("kinetics_step50.json"))["warnings"],
                         [{"line": 13, "text": "says 4 values; the file holds 3"}])
        clean = self.example("kinetics_step10.TSC")
        out = self.folder("strict")
        run = self.convert("--strict", "--format", "json", "-d", out, faulty, clean)
        self.assertEqual(run.rc, 1, run.err)
        self.assertIn("not converted: 1 warning under --strict", run.err)
        self.assertEqual(os.listdir(out), ["kinetics_step10.json"])

    def test_the_time_carries_its_offset_from_utc(self):
        if base.ON_WINDOWS:
            self.skipTest("the Windows program takes its time zone from wine, not from TZ")
        source = self.example("scan_step1.WSC")
        seconds = base.created_seconds(source)
        for zone in ("Europe/Berlin", "America/St_Johns", "UTC"):
            with self.subTest(zone=zone):
                run = subprocess.run([base.CONVERTER, "--format", "json", "-o", "-", source],
                                     capture_output=True, check=False,
                                     env=dict(os.environ, TZ=zone))
                data = json.loads(run.stdout)
                shown = datetime.datetime.fromtimestamp(seconds, zoneinfo.ZoneInfo(zone))
                self.assertEqual(data["created"], shown.isoformat())
                self.assertEqual(data["header"][1],
                                 {"label": "Time & Date", "value": shown.isoformat()})


def main():
    global SCHEMA, CORPUS
    if len(sys.argv) != 6:
        print(__doc__.strip().splitlines()[4], file=sys.stderr)
        return 2
    base.CONVERTER, base.EXAMPLES, base.GOLDEN, SCHEMA, CORPUS = (
        None if a == "-" else os.path.abspath(a) for a in sys.argv[1:])
    return base.run_tests_of(sys.modules[__name__])


if __name__ == "__main__":
    sys.exit(main())
