#!/usr/bin/python3
"""Converts export files with the real ordelix-convert and reads the workbooks
back with openpyxl, a reader we did not write.

Usage: check_reports.py CONVERTER EXAMPLES_DIR GOLDEN_DIR

GOLDEN_DIR holds one <example>.cells per example: every non-empty cell as
"REF<TAB>KIND<TAB>VALUE<TAB>FLAGS", KIND s (text, VALUE in JSON so blanks
show), n (number) or d (date-time, VALUE "<datetime>": it comes from the
file's birth time and is checked against it), FLAGS "bold" or empty; one
"merge<TAB>RANGE" line per merged range; and for a report with a line chart,
"chart<TAB>KEY<TAB>VALUE" lines, VALUE in JSON, KEY one of title, values and
categories (series ranges), series (its name), category_axis and value_axis
(axis titles), legend (its position), tick_mark_skip, label_skip (categories
from one label to the next), label_format and label_rotation (of the category
labels, in degrees), box ([left, top, width, height] in points).
"""

import ctypes
import datetime
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
from xml.etree import ElementTree

import openpyxl
from openpyxl.utils.cell import coordinate_from_string, column_index_from_string, get_column_letter

CONVERTER = EXAMPLES = GOLDEN = None

TEMP_PREFIX = ".ordelix-"

# "windows" when CONVERTER runs the Windows program under wine.
ON_WINDOWS = os.environ.get("ORDELIX_TARGET_OS", "linux") == "windows"
WINE_CREATION_TIME = ("wine shows a Windows program a file's modification time as its "
                      "creation time, so the birth time cannot be told from it")


def joined(folder, *names):
    """A path as the converter joins it, with its system's separator."""
    return ("\\" if ON_WINDOWS else "/").join((folder, *names))


def printed_file_name(path):
    """The last name of a path as the converter printed it."""
    return re.split(r"[\\/]" if ON_WINDOWS else "/", path)[-1]


# --- the export file's creation time, as the converter is meant to read it --

class _StatxTimestamp(ctypes.Structure):
    _fields_ = [("tv_sec", ctypes.c_int64), ("tv_nsec", ctypes.c_uint32),
                ("reserved", ctypes.c_int32)]


class _Statx(ctypes.Structure):
    _fields_ = [("mask", ctypes.c_uint32), ("blksize", ctypes.c_uint32),
                ("attributes", ctypes.c_uint64), ("nlink", ctypes.c_uint32),
                ("uid", ctypes.c_uint32), ("gid", ctypes.c_uint32),
                ("mode", ctypes.c_uint16), ("spare0", ctypes.c_uint16),
                ("ino", ctypes.c_uint64), ("size", ctypes.c_uint64),
                ("blocks", ctypes.c_uint64), ("attributes_mask", ctypes.c_uint64),
                ("atime", _StatxTimestamp), ("btime", _StatxTimestamp),
                ("ctime", _StatxTimestamp), ("mtime", _StatxTimestamp),
                ("rest", ctypes.c_uint64 * 16)]  # to the kernel's 256 bytes, which it fills


_AT_FDCWD = -100
_STATX_MTIME = 0x40
_STATX_BTIME = 0x800


def birth_time(path):
    """Seconds of the file's birth time, or None where the file system keeps none."""
    libc = ctypes.CDLL(None, use_errno=True)
    buf = _Statx()
    if libc.statx(_AT_FDCWD, os.fsencode(path), 0, _STATX_BTIME | _STATX_MTIME,
                  ctypes.byref(buf)) != 0:
        raise OSError(ctypes.get_errno(), "statx failed", path)
    return buf.btime.tv_sec if buf.mask & _STATX_BTIME else None


def created_seconds(path):
    """The file's creation time as the converter's system shows it."""
    if ON_WINDOWS:
        return int(os.stat(path).st_mtime)  # WINE_CREATION_TIME
    bt = birth_time(path)
    return bt if bt is not None else int(os.stat(path).st_mtime)


def local_datetime(seconds):
    return datetime.datetime(*time.localtime(seconds)[:6])


# --- reading workbooks back -------------------------------------------------

def kind_of(value):
    if isinstance(value, bool):
        return "?"
    if isinstance(value, str):
        return "s"
    if isinstance(value, (int, float)):
        return "n"
    if isinstance(value, datetime.datetime):
        return "d"
    return "?"


def open_sheet(path):
    return openpyxl.load_workbook(path).active


def written_cells(ws):
    for row in ws.iter_rows():
        for cell in row:
            if cell.value is not None:
                yield cell


def cells_of(path):
    """{ref: (kind, value, bold)} of every non-empty cell, and the merged ranges."""
    ws = open_sheet(path)
    cells = {c.coordinate: (kind_of(c.value), c.value, bool(c.font.b)) for c in written_cells(ws)}
    merges = sorted(str(r) for r in ws.merged_cells.ranges)
    return cells, merges


def format_problems(path):
    return sheet_format_problems(open_sheet(path))


def sheet_format_problems(ws):
    """Every written cell left-aligned, plain black type of size 12 inside A1:Z50."""
    problems = []
    for c in written_cells(ws):
        if c.alignment.horizontal != "left":
            problems.append(f"{c.coordinate}: alignment {c.alignment.horizontal!r}")
        col, row = coordinate_from_string(c.coordinate)
        if column_index_from_string(col) <= 26 and row <= 50:
            if c.font.sz != 12:
                problems.append(f"{c.coordinate}: font size {c.font.sz}")
            if c.font.i:
                problems.append(f"{c.coordinate}: italic")
            rgb = c.font.color.rgb if c.font.color is not None else None
            if not (isinstance(rgb, str) and rgb.upper().endswith("000000")):
                problems.append(f"{c.coordinate}: font colour {rgb!r}")
    return problems


def read_golden(path):
    cells, merges = {}, []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line:
                continue
            fields = line.split("\t")
            if fields[0] == "merge":
                merges.append(fields[1])
                continue
            if fields[0] == "chart":
                continue
            if len(fields) != 4 or fields[1] not in ("s", "n", "d") or fields[3] not in ("", "bold"):
                raise ValueError(f"{path}:{number}: malformed line {line!r}")
            ref, kind, text, flag = fields
            if kind == "s":
                value = json.loads(text)
            elif kind == "n":
                value = float(text)
            else:
                value = None
            cells[ref] = (kind, value, flag == "bold")
    return cells, sorted(merges)


def read_golden_chart(path):
    """{key: value} of the golden file's chart lines; empty without a chart."""
    with open(path, encoding="utf-8") as f:
        fields = [line.rstrip("\n").split("\t") for line in f]
    return {line[1]: json.loads(line[2]) for line in fields if line[0] == "chart"}


# --- reading the chart back ------------------------------------------------

CHART_NS = {"c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
            "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
            "xdr": "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing"}
# Rows keep their default height of 20 pixels; columns are 64 pixels wide
# unless the sheet says otherwise.
ROW_PT, EMU_PER_PT, DEFAULT_COLUMN_PX = 15, 12700, 64
SHEET_NS = {"s": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def workbook_part(path, prefix):
    with zipfile.ZipFile(path) as z:
        names = sorted(n for n in z.namelist() if n.startswith(prefix))
        return [ElementTree.fromstring(z.read(n)) for n in names]


def rich_text(element):
    if element is None:
        return None
    return "".join(t.text or "" for t in element.iterfind(".//a:t", CHART_NS))


def value_of(element, path):
    found = element.find(path, CHART_NS)
    return None if found is None else found.get("val")


def column_pixels(path):
    """{column number: width in pixels} of the columns the sheet sizes itself."""
    sheet = workbook_part(path, "xl/worksheets/sheet1.xml")[0]
    widths = {}
    for col in sheet.iterfind("s:cols/s:col", SHEET_NS):
        for number in range(int(col.get("min")), int(col.get("max")) + 1):
            # The stored width counts the padding in; 7 pixels to a character.
            widths[number] = int(float(col.get("width")) * 7 + 0.5)
    return widths


def columns_left_pt(path, count):
    """Points from the sheet's left edge to the left of column `count` + 1."""
    widths = column_pixels(path)
    return sum(widths.get(c, DEFAULT_COLUMN_PX) for c in range(1, count + 1)) * 0.75


def chart_box(path):
    """[left, top, width, height] in points of the one drawing anchor."""
    anchor = workbook_part(path, "xl/drawings/drawing")[0].find("xdr:twoCellAnchor", CHART_NS)

    def corner(name):
        at = {k: int(anchor.findtext(f"xdr:{name}/xdr:{k}", namespaces=CHART_NS))
              for k in ("col", "colOff", "row", "rowOff")}
        return (columns_left_pt(path, at["col"]) + at["colOff"] / EMU_PER_PT,
                at["row"] * ROW_PT + at["rowOff"] / EMU_PER_PT)

    (left, top), (right, bottom) = corner("from"), corner("to")
    return [left, top, right - left, bottom - top]


def chart_of(path):
    """The workbook's line chart in the golden file's terms; empty without one."""
    charts = workbook_part(path, "xl/charts/chart")
    if not charts:
        return {}
    chart = charts[0].find("c:chart", CHART_NS)
    series = chart.find("c:plotArea/c:lineChart/c:ser", CHART_NS)
    skip = value_of(chart, "c:plotArea/c:catAx/c:tickMarkSkip")
    label_skip = value_of(chart, "c:plotArea/c:catAx/c:tickLblSkip")
    label_format = chart.find("c:plotArea/c:catAx/c:numFmt", CHART_NS)
    rotation = chart.find("c:plotArea/c:catAx/c:txPr/a:bodyPr", CHART_NS)
    found = {
        "title": rich_text(chart.find("c:title", CHART_NS)),
        "values": series.findtext("c:val/c:numRef/c:f", namespaces=CHART_NS),
        "categories": series.findtext("c:cat/c:numRef/c:f", namespaces=CHART_NS),
        "series": series.findtext("c:tx/c:v", namespaces=CHART_NS),
        "category_axis": rich_text(chart.find("c:plotArea/c:catAx/c:title", CHART_NS)),
        "value_axis": rich_text(chart.find("c:plotArea/c:valAx/c:title", CHART_NS)),
        "legend": value_of(chart, "c:legend/c:legendPos"),
        "tick_mark_skip": None if skip is None else int(skip),
        "label_skip": None if label_skip is None else int(label_skip),
        "label_format": None if label_format is None else label_format.get("formatCode"),
        # DrawingML counts angles in 60000ths of a degree.
        "label_rotation": None if rotation is None else int(rotation.get("rot", 0)) // 60000,
        "box": chart_box(path),
    }
    return {key: value for key, value in found.items() if value is not None}


def chart_cache_problems(path):
    """Where the chart's cached points differ from the cells its series ranges name."""
    series = workbook_part(path, "xl/charts/chart")[0].find(".//c:ser", CHART_NS)
    ws = open_sheet(path)
    problems = []
    for part in ("cat", "val"):
        ref = series.find(f"c:{part}/c:numRef", CHART_NS)
        cache = ref.find("c:numCache", CHART_NS)
        if cache is None:
            problems.append(f"{part}: no cached values")
            continue
        column = ws[ref.findtext("c:f", namespaces=CHART_NS).split("!")[1].replace("$", "")]
        cells = {i: row[0].value for i, row in enumerate(column)
                 if isinstance(row[0].value, (int, float))}
        cached = {int(pt.get("idx")): float(pt.findtext("c:v", namespaces=CHART_NS))
                  for pt in cache.iterfind("c:pt", CHART_NS)}
        if int(value_of(cache, "c:ptCount")) != len(column) or cached != cells:
            problems.append(f"{part}: cached {cached} for cells {cells}")
    return problems


def print_setup(path):
    """Orientation, fit to pages, pages wide and high, and the print area."""
    ws = open_sheet(path)
    setup = ws.page_setup
    # An absent number of pages is one page.
    pages = [1 if n is None else int(n) for n in (setup.fitToWidth, setup.fitToHeight)]
    return (setup.orientation, bool(ws.sheet_properties.pageSetUpPr.fitToPage), *pages,
            ",".join(ws.print_area or []))


def expected_print_area(cells, path):
    """The written cells and the chart, which is 700 points from the left edge
    to its right and 250 points high."""
    refs = [coordinate_from_string(ref) for ref in cells]
    last_col = max(column_index_from_string(col) for col, _ in refs)
    last_row = max(row for _, row in refs)
    if chart_of(path):
        col = 1
        while columns_left_pt(path, col) < 700:
            col += 1
        last_col = max(last_col, col)
        last_row = max(last_row, math.ceil(250 / ROW_PT))
    return f"$A$1:${get_column_letter(last_col)}${last_row}"


def cell_differences(expected, actual):
    """Lines describing where two {ref: (kind, value, bold)} maps differ; None values match any."""
    lines = []
    for ref in sorted(set(expected) | set(actual)):
        e, a = expected.get(ref), actual.get(ref)
        if e is None:
            lines.append(f"{ref}: unexpected {a!r}")
        elif a is None:
            lines.append(f"{ref}: missing, expected {e!r}")
        elif e[0] != a[0] or e[2] != a[2] or (e[1] is not None and e[1] != a[1]):
            lines.append(f"{ref}: expected {e!r}, got {a!r}")
    return lines


# --- running the converter --------------------------------------------------

class Run:
    def __init__(self, completed):
        self.rc = completed.returncode
        self.out = completed.stdout
        self.err = completed.stderr


def export_lines(path):
    with open(path, "rb") as f:
        return f.read().split(b"\r\n")[:-1]


def write_export(path, lines, end=b"\r\n"):
    with open(path, "wb") as f:
        f.write(b"".join(line + end for line in lines))
    return path


class ConverterCase(unittest.TestCase):
    """Every run is watched: the export files (anything not .xlsx under the work
    folder or the examples) must keep their bytes and mtime, no other file may
    appear, and no temporary workbook may be left behind."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="ordelix-it-")
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)

    def path(self, *parts):
        p = os.path.join(self.work, *parts)
        os.makedirs(os.path.dirname(p), exist_ok=True)
        return p

    def folder(self, *parts):
        p = os.path.join(self.work, *parts)
        os.makedirs(p, exist_ok=True)
        return p

    def copy_example(self, name, *dest):
        return shutil.copyfile(os.path.join(EXAMPLES, name), self.path(*dest))

    def _snapshot(self):
        files = {}
        for top in (self.work, EXAMPLES):
            for folder, _, names in os.walk(top):
                for name in names:
                    full = os.path.join(folder, name)
                    if (name.endswith(".xlsx") and folder != EXAMPLES) or not os.path.isfile(full):
                        continue
                    with open(full, "rb") as f:
                        files[full] = (f.read(), os.stat(full).st_mtime_ns)
        return files

    def _leftovers(self):
        found = []
        for top in (self.work, EXAMPLES):
            for folder, dirs, names in os.walk(top):
                found += [os.path.join(folder, n) for n in names + dirs if n.startswith(TEMP_PREFIX)]
        return found

    def convert(self, *args, env=None):
        before = self._snapshot()
        full_env = dict(os.environ, LC_ALL="C")
        full_env.pop("LANG", None)
        full_env.update(env or {})
        completed = subprocess.run([CONVERTER, *args], capture_output=True, text=True,
                                   env=full_env, timeout=60)
        after = self._snapshot()
        self.assertEqual(sorted(before), sorted(after),
                         f"files other than reports appeared or vanished: {args}")
        for name, state in before.items():
            self.assertEqual(state[0], after[name][0], f"{name} was modified by {args}")
            self.assertEqual(state[1], after[name][1], f"{name} had its mtime changed by {args}")
        self.assertEqual(self._leftovers(), [], f"temporary files left behind by {args}")
        self.assertFalse(re.search(r"(?i)sanitizer|runtime error", completed.stderr),
                         completed.stderr)
        return Run(completed)

    def assert_converted(self, run, warnings=""):
        self.assertEqual(run.rc, 0, run.err)
        self.assertEqual(run.err, warnings)

    def assert_failed_about(self, run, rc, *needles):
        self.assertEqual(run.rc, rc, f"stdout={run.out!r} stderr={run.err!r}")
        for needle in needles:
            self.assertIn(needle, run.err)

    def assert_chart_like(self, expected, report):
        actual = chart_of(report)
        box = actual.pop("box", None)
        want_box = expected.pop("box", None)
        self.assertEqual(actual, expected)
        if expected:
            self.assertEqual([round(x) for x in box], want_box, box)
            self.assertEqual(chart_cache_problems(report), [])

    def assert_cells_like(self, expected, report):
        actual, _ = cells_of(report)
        diff = cell_differences(expected, actual)
        self.assertFalse(diff, "\n".join(diff))


# --- the reports against the golden files -----------------------------------

def example_names():
    return sorted(n for n in os.listdir(EXAMPLES)
                  if not n.startswith(".") and os.path.isfile(os.path.join(EXAMPLES, n)))


# Three examples keep a fault, to show what the report makes of it: values
# after the data number, and one value fewer than it. Every other example is
# as its report expects and converts without a word on stderr.
EXAMPLE_WARNINGS = {
    "kinetics_step2_5.TSC": ["18: warning: 2 lines after the data are not in the report"],
    "kinetics_step50.TSC": ["13: warning: says 4 values; the file holds 3"],
    "scan_step05.WSC": ["22: warning: 3 lines after the data are not in the report"],
}


def example_warnings(paths):
    """The stderr of converting the examples at `paths`, in that order."""
    return "".join(f"{path}:{line}\n" for path in paths
                   for line in EXAMPLE_WARNINGS.get(printed_file_name(path), []))


class Reports(ConverterCase):
    def examples(self):
        return example_names()

    def test_every_example_has_a_golden_file_and_no_other(self):
        goldens = sorted(n[:-len(".cells")] for n in os.listdir(GOLDEN) if n.endswith(".cells"))
        self.assertTrue(goldens)
        self.assertEqual(goldens, [os.path.splitext(n)[0] for n in self.examples()])

    def test_examples_match_golden(self):
        out = self.folder("out")
        inputs = [os.path.join(EXAMPLES, n) for n in self.examples()]
        run = self.convert("-d", out, *inputs)
        self.assert_converted(run, example_warnings(inputs))
        for name in self.examples():
            stem = os.path.splitext(name)[0]
            with self.subTest(example=name):
                report = os.path.join(out, stem + ".xlsx")
                expected, expected_merges = read_golden(os.path.join(GOLDEN, stem + ".cells"))
                actual, merges = cells_of(report)
                diff = cell_differences(expected, actual)
                self.assertFalse(diff, "\n".join(diff))
                self.assertEqual(merges, expected_merges)
                self.assert_chart_like(read_golden_chart(os.path.join(GOLDEN, stem + ".cells")),
                                       report)
                self.assertEqual(format_problems(report), [])
                self.assertEqual(print_setup(report),
                                 ("landscape", True, 1, 0, expected_print_area(expected, report)))
                for ref, (kind, _, _) in expected.items():
                    if kind == "d":
                        want = local_datetime(created_seconds(os.path.join(EXAMPLES, name)))
                        self.assertEqual(round_to_second(actual[ref][1]), want, ref)

    def test_date_is_the_birth_time_in_local_time(self):
        source = self.copy_example("lowry_kfactor.PRO", "dated.PRO")
        # An mtime far from the birth time tells which of the two was used.
        stamp = 981173106  # 2001-02-03 04:05:06 UTC
        os.utime(source, (stamp, stamp))
        if ON_WINDOWS:
            with self.subTest(check="the birth time, not the modification time"):
                self.skipTest(WINE_CREATION_TIME)
            # Still far from the time of the run: the time zone is checked.
            expected = created_seconds(source)
        else:
            bt = birth_time(source)
            expected = bt if bt is not None else stamp
            if bt is not None:
                self.assertNotEqual(bt, stamp)
        for tz, hours in (("UTC", 0), ("JST-9", 9)):
            with self.subTest(tz=tz):
                report = self.path(f"dated-{hours}.xlsx")
                self.assert_converted(self.convert("-o", report, source, env={"TZ": tz}))
                value = open_sheet(report)["D2"].value
                self.assertIsInstance(value, datetime.datetime)
                want = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=expected, hours=hours)
                self.assertEqual(round_to_second(value), want)
                # Year, month and day, then the time of day.
                self.assertRegex(open_sheet(report)["D2"].number_format.lower(),
                                 r"^y+\W+m+\W+d+\W+h+\W+mm\W+ss$")


def round_to_second(value):
    return (value + datetime.timedelta(microseconds=500000)).replace(microsecond=0)


# --- formats beyond the written cells ----------------------------------------

def in_ranges(ref, ranges):
    col, row = coordinate_from_string(ref)
    c = column_index_from_string(col)
    for first, last in (r.split(":") for r in ranges):
        (fc, fr), (lc, lr) = coordinate_from_string(first), coordinate_from_string(last)
        if column_index_from_string(fc) <= c <= column_index_from_string(lc) and fr <= row <= lr:
            return True
    return False


class Formats(ConverterCase):
    # The bold ranges each report sets: the header labels and the table headings.
    BOLD = {"scan_auto.WSC": ("A1:C14", "A15:F15"), "lowry_kfactor.PRO": ("A1:C11", "A14:J14")}

    def test_every_cell_of_a_formatted_range_carries_its_font_written_or_not(self):
        out = self.folder("out")
        self.assert_converted(self.convert("-d", out, *[os.path.join(EXAMPLES, n) for n in self.BOLD]))
        for name, bold in self.BOLD.items():
            ws = open_sheet(os.path.join(out, os.path.splitext(name)[0] + ".xlsx"))
            empty = 0
            problems = []
            for row in ws.iter_rows(min_row=1, max_row=50, min_col=1, max_col=26):
                for cell in row:
                    if cell.coordinate == "E2":  # merged into D2
                        continue
                    empty += cell.value is None
                    font = cell.font
                    if (font.sz, bool(font.b), bool(font.i)) != (12, in_ranges(cell.coordinate, bold), False):
                        problems.append(f"{cell.coordinate}: {font.sz} bold={font.b} italic={font.i}")
            with self.subTest(report=name):
                self.assertGreater(empty, 1000, "most of A1:Z50 is empty")
                self.assertEqual(problems, [])
                # Outside the ranges the workbook's default font stays.
                self.assertEqual((ws["AA1"].font.sz, ws["A51"].font.sz, ws["B60"].font.sz),
                                 (11, 11, 11))

    def test_the_date_cell_is_wide_enough_for_the_widest_date(self):
        report = self.path("wide.xlsx")
        self.assert_converted(self.convert("-o", report, os.path.join(EXAMPLES, "scan_auto.WSC")))
        widths = column_pixels(report)
        # "2026/12/28 23:59:59" in the 12-point workbook font takes 138 pixels;
        # a fallback font takes more.
        self.assertGreaterEqual(widths[4] + widths.get(5, DEFAULT_COLUMN_PX), 150)
        self.assertEqual(set(widths.values()) - {widths[4]}, {DEFAULT_COLUMN_PX},
                         "the other columns keep their width")


# --- locale independence ----------------------------------------------------

class Locale(ConverterCase):
    def test_comma_decimal_locale_gives_the_same_cells(self):
        locales = tempfile.mkdtemp(prefix="ordelix-locales-")
        self.addCleanup(shutil.rmtree, locales, ignore_errors=True)
        made = subprocess.run(["localedef", "-i", "de_DE", "-f", "UTF-8",
                               os.path.join(locales, "de_DE.UTF-8")],
                              capture_output=True, text=True)
        german = {"LOCPATH": locales, "LC_ALL": "de_DE.UTF-8"}
        probe = subprocess.run(
            ["/usr/bin/python3", "-c",
             "import locale; locale.setlocale(locale.LC_ALL, ''); "
             "print(locale.localeconv()['decimal_point'])"],
            capture_output=True, text=True, env=dict(os.environ, **german))
        if probe.stdout.strip() != ",":
            self.fail("could not build a comma-decimal locale to test with: "
                      f"localedef rc={made.returncode} {made.stderr.strip()!r}; "
                      f"probe gave {probe.stdout.strip()!r} {probe.stderr.strip()!r}")

        inputs = [os.path.join(EXAMPLES, n) for n in example_names()]
        c_out, de_out = self.folder("c"), self.folder("de")
        self.assert_converted(self.convert("-d", c_out, *inputs), example_warnings(inputs))
        self.assert_converted(self.convert("-d", de_out, *inputs, env=german),
                              example_warnings(inputs))
        for name in sorted(os.listdir(c_out)):
            with self.subTest(report=name):
                expected = cells_of(os.path.join(c_out, name))
                self.assertEqual(cells_of(os.path.join(de_out, name)), expected)
        self.assertEqual(cells_of(os.path.join(de_out, "bradford_std.xlsx"))[0]["E20"],
                         ("n", 0.412, False))


# --- the command line -------------------------------------------------------

class CommandLine(ConverterCase):
    def good(self, *dest):
        return self.copy_example("lowry_kfactor.PRO", *dest)

    def golden_cells(self, stem="lowry_kfactor"):
        return read_golden(os.path.join(GOLDEN, stem + ".cells"))[0]

    def test_report_defaults_to_the_input_folder_and_any_case_extension(self):
        for name in ("upper.PRO", "lower.pro"):
            with self.subTest(name=name):
                source = self.good("in", name)
                self.assert_converted(self.convert(source))
                report = os.path.splitext(source)[0] + ".xlsx"
                self.assert_cells_like(self.golden_cells(), report)

    def test_existing_report_is_kept_without_force_and_replaced_with_it(self):
        source = self.good("keep.PRO")
        target = self.path("keep.xlsx")
        with open(target, "wb") as f:
            f.write(b"an older report")
        run = self.convert(source)
        self.assert_failed_about(run, 1, target)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), b"an older report")

        for flag in ("-f", "--force"):
            with self.subTest(flag=flag):
                self.assert_converted(self.convert(flag, source))
                self.assert_cells_like(self.golden_cells(), target)

    def test_report_never_replaces_its_input(self):
        source = self.good("self.PRO")
        run = self.convert("-f", "-o", source, source)
        self.assertEqual(run.rc, 2, run.err)
        self.assertIn(".xlsx", run.err)

    def test_output_with_two_inputs_is_a_usage_error(self):
        a, b = self.good("a.PRO"), self.good("b.PRO")
        run = self.convert("-o", self.path("both.xlsx"), a, b)
        self.assertEqual(run.rc, 2, run.err)
        self.assertFalse(os.path.exists(self.path("both.xlsx")))

    def test_usage_errors(self):
        source = self.good("u.PRO")
        for args in ([], ["-o", self.path("o.xlsx"), "-d", self.work, source], ["--bogus", source]):
            with self.subTest(args=args):
                run = self.convert(*args)
                self.assertEqual(run.rc, 2, run.err)
                self.assertTrue(run.err.strip())
        self.assertEqual([n for n in os.listdir(self.work) if n.endswith(".xlsx")], [])

    def test_inputs_that_would_write_one_report_are_refused_before_any_is_written(self):
        upper, lower = self.good("one", "same.PRO"), self.good("two", "same.pro")
        first = self.good("three", "first.PRO")
        out = self.folder("out")
        run = self.convert("-d", out, first, upper, lower)
        self.assertEqual(run.rc, 2, run.err)
        self.assertIn(upper, run.err)
        self.assertIn(lower, run.err)
        self.assertEqual(os.listdir(out), [])

        run = self.convert(first, first)
        self.assertEqual(run.rc, 2, run.err)
        self.assertFalse(os.path.exists(self.path("three", "first.xlsx")))

    def test_unknown_extension_fails_without_a_report(self):
        source = self.good("notes.TXT")
        run = self.convert(source)
        self.assert_failed_about(run, 1, source, "extension")
        self.assertFalse(os.path.exists(self.path("notes.xlsx")))

    def test_name_without_extension_fails_saying_so(self):
        for name in ("REPRO", "run."):
            source = self.good(name)
            run = self.convert(source)
            self.assertEqual(run.err, f"ordelix-convert: {source}: the name has no extension\n")
            self.assertEqual(run.rc, 1)

    def test_protein_file_of_no_known_kind_fails_without_a_report(self):
        lines = export_lines(os.path.join(EXAMPLES, "bradford_std.PRO"))
        source = write_export(self.path("seven.PRO"), [b"7"] + lines[1:])
        run = self.convert(source)
        self.assertEqual(run.err, f'ordelix-convert: {source}: line 1 holds "7"; '
                                  "a protein file starts with 2 or 6\n")
        self.assertEqual(run.rc, 1)
        self.assertFalse(os.path.exists(self.path("seven.xlsx")))

    def test_nucleic_acid_file_of_no_known_kind_fails_without_a_report(self):
        lines = export_lines(os.path.join(EXAMPLES, "dsdna.NUC"))
        source = write_export(self.path("five.NUC"), lines[:2] + [b"5"] + lines[3:])
        run = self.convert(source)
        self.assertEqual(run.err, f'ordelix-convert: {source}: line 3 holds "5"; '
                                  "a nucleic acid file has its sample type there, 1 to 4\n")
        self.assertEqual(run.rc, 1)
        self.assertFalse(os.path.exists(self.path("five.xlsx")))

    def test_missing_file_fails(self):
        missing = self.path("missing.PRO")
        run = self.convert(missing)
        self.assert_failed_about(run, 1, missing)
        self.assertFalse(os.path.exists(self.path("missing.xlsx")))

    def test_missing_report_folder_is_made(self):
        source = self.good("x.PRO")
        folder = os.path.join(self.work, "nowhere", "deeper")
        self.assert_converted(self.convert("-d", folder, source))
        self.assert_cells_like(self.golden_cells(), os.path.join(folder, "x.xlsx"))

    def test_batch_goes_on_after_a_failure(self):
        good = self.good("good.PRO")
        bad = self.path("bad.PRO")
        out = self.folder("out")
        run = self.convert("-d", out, bad, good)
        self.assert_failed_about(run, 1, bad)
        self.assertEqual(len(run.err.splitlines()), 1, run.err)
        self.assertTrue(run.err.startswith("ordelix-convert: "), run.err)
        self.assertEqual(os.listdir(out), ["good.xlsx"])
        self.assert_cells_like(self.golden_cells(), os.path.join(out, "good.xlsx"))

    def test_help_and_version(self):
        run = self.convert("--help")
        self.assertEqual(run.rc, 0, run.err)
        self.assertIn("--force", run.out)
        lines = run.out.splitlines()
        self.assertEqual(lines[0], "Usage: ordelix-convert [OPTIONS] FILE...")
        self.assertEqual([line for line in lines if re.fullmatch(r"\S[^:]*:", line)],
                         ["Where the reports go:", "What is written:", "Which files:",
                          "How it runs:", "Watching folders:", "Examples:"])
        self.assertEqual([line for line in lines if len(line) > 79], [])
        # Nothing of the parser's own wording.
        for word in ("Excludes", "UINT", "TEXT", "[Option"):
            self.assertNotIn(word, run.out)
        self.assertIn("  -f, --force", run.out)
        self.assertIn("  -j, --jobs N", run.out)
        run = self.convert("--version")
        self.assertEqual(run.rc, 0, run.err)
        self.assertRegex(run.out, r"ordelix-convert \d+\.\d+\.\d+")


# --- reading the export file ------------------------------------------------

class ExportFiles(ConverterCase):
    def test_every_kind_of_line_end_gives_the_same_cells(self):
        for stem in ("bradford_std", "biuret_kfactor"):
            lines = export_lines(os.path.join(EXAMPLES, stem + ".PRO"))
            twins = {
                "crlf": write_export(self.path(stem, "crlf.PRO"), lines),
                "lf": write_export(self.path(stem, "lf.PRO"), lines, b"\n"),
                "cr": write_export(self.path(stem, "cr.PRO"), lines, b"\r"),
            }
            unended = self.path(stem, "unended.PRO")
            with open(unended, "wb") as f:
                f.write(b"\r\n".join(lines))
            twins["unended"] = unended
            out = self.folder(stem, "out")
            self.assert_converted(self.convert("-d", out, *twins.values()))
            expected = read_golden(os.path.join(GOLDEN, stem + ".cells"))[0]
            for twin in twins:
                with self.subTest(example=stem, line_end=twin):
                    self.assert_cells_like(expected, os.path.join(out, twin + ".xlsx"))

    def write_at_one_time(self, files):
        """Writes {path: bytes} so that every file has the same creation time as
        the converter reads it. A birth time cannot be set: where the file
        system keeps one, the files are made again until they share a second:
        removed first, as a file written over keeps the time it was born."""
        stamp = 981173106  # where the modification time stands for the birth time
        for _ in range(5):
            for path, data in files.items():
                if os.path.exists(path):
                    os.remove(path)
                with open(path, "wb") as f:
                    f.write(data)
                os.utime(path, (stamp, stamp))
            if len({created_seconds(path) for path in files}) == 1:
                return
        self.fail("the files never shared a creation time")

    def test_unicode_copies_give_the_same_workbook_with_one_warning(self):
        # The Unicode copies hold the same text as the Windows-1252 original,
        # accents and euro sign included, as an editor writes it.
        lowry = export_lines(os.path.join(EXAMPLES, "lowry_kfactor.PRO"))
        lowry[3] = b"CAF\xc9-\x80LOT9"  # sample group name, D4
        originals = {
            "lowry_accents.PRO": write_export(self.path("lowry_accents.PRO"), lowry),
            "scan_step1.WSC": os.path.join(EXAMPLES, "scan_step1.WSC"),
            "dsdna.NUC": os.path.join(EXAMPLES, "dsdna.NUC"),
        }
        encodings = (  # name, as the warning names it, its mark and its codec
            ("utf8", "UTF-8", b"\xef\xbb\xbf", "utf-8"),
            ("utf16le", "UTF-16 (little-endian)", b"\xff\xfe", "utf-16-le"),
            ("utf16be", "UTF-16 (big-endian)", b"\xfe\xff", "utf-16-be"),
        )
        for name, original in originals.items():
            stem, ext = os.path.splitext(name)
            with open(original, "rb") as f:
                single_bytes = f.read()
            text = single_bytes.decode("cp1252")
            files = {self.path(stem, "original" + ext): single_bytes}
            for label, _, mark, codec in encodings:
                files[self.path(stem, label + ext)] = mark + text.encode(codec)
            self.write_at_one_time(files)
            out = self.folder(stem, "out")
            run = self.convert("-d", out, *files)
            self.assert_converted(run, "".join(
                f"{self.path(stem, label + ext)}: warning: the file is {encoding} text, "
                "not the instrument's Windows-1252; read as that text\n"
                for label, encoding, _, _ in encodings))
            with open(os.path.join(out, "original.xlsx"), "rb") as f:
                expected = f.read()
            for label, *_ in encodings:
                with self.subTest(example=name, encoding=label):
                    report = os.path.join(out, label + ".xlsx")
                    with open(report, "rb") as f:
                        if f.read() != expected:
                            self.fail("the workbooks differ in: " + ", ".join(
                                differing_members(os.path.join(out, "original.xlsx"), report)))
        self.assertEqual(open_sheet(self.path("lowry_accents", "out", "utf16be.xlsx"))["D4"].value,
                         "CAF\u00c9-\u20acLO")

    def test_out_of_range_number_stays_text(self):
        lines = export_lines(os.path.join(EXAMPLES, "lowry_kfactor.PRO"))
        self.assertEqual(lines[15], b"0.321")  # sample 1, WL1 OD value: E16
        lines[15] = b"1e999"
        lines[20] = b"-1E400"  # sample 2, OD value: G17
        source = write_export(self.path("huge.PRO"), lines)
        report = self.path("huge.xlsx")
        self.assert_converted(self.convert("-o", report, source))
        expected = read_golden(os.path.join(GOLDEN, "lowry_kfactor.cells"))[0]
        expected["E16"] = ("s", "1e999", False)
        expected["G17"] = ("s", "-1E400", False)
        self.assert_cells_like(expected, report)

    def test_high_bytes_are_windows_1252_and_the_cut_counts_bytes(self):
        lines = export_lines(os.path.join(EXAMPLES, "lowry_kfactor.PRO"))
        lines[3] = b"CAF\xc9-\x80LOT9"  # sample group name, D4
        source = write_export(self.path("accents.PRO"), lines)
        report = self.path("accents.xlsx")
        self.assert_converted(self.convert("-o", report, source))
        expected = read_golden(os.path.join(GOLDEN, "lowry_kfactor.cells"))[0]
        expected["D4"] = ("s", "CAF\u00c9-\u20acLO", False)
        self.assert_cells_like(expected, report)

    def test_data_number_beyond_the_sheet_converts_what_fits_with_a_warning(self):
        lines = export_lines(os.path.join(EXAMPLES, "scan_step1.WSC"))
        self.assertEqual(lines[12], b"3")  # the data number
        lines[12] = b"99999999"
        source = write_export(self.path("huge.WSC"), lines)
        report = self.path("huge.xlsx")
        run = self.convert("-o", report, source)
        self.assertEqual(run.rc, 0, run.err)
        self.assertIn("warning", run.err)
        ws = open_sheet(report)
        self.assertEqual((ws.max_row, ws["C32767"].value), (32767, 400 + 32767 - 16))
        # The wavelengths run to the sheet's last row, and the chart with them.
        self.assertEqual(chart_of(report)["values"], "Sheet1!$F$16:$F$32767")

    def test_same_file_twice_gives_the_same_bytes(self):
        source = self.copy_example("bca_std.PRO", "twice.PRO")
        first, second = self.path("first.xlsx"), self.path("second.xlsx")
        self.assert_converted(self.convert("-o", first, source))
        time.sleep(2.1)  # past the 2-second grain of zip time stamps
        self.assert_converted(self.convert("-o", second, source))
        with open(first, "rb") as a, open(second, "rb") as b:
            same = a.read() == b.read()
        if not same:
            self.fail("the two workbooks differ in: " + ", ".join(differing_members(first, second)))


def differing_members(a, b):
    with zipfile.ZipFile(a) as za, zipfile.ZipFile(b) as zb:
        ia = {i.filename: i for i in za.infolist()}
        ib = {i.filename: i for i in zb.infolist()}
        names = []
        for name in sorted(set(ia) | set(ib)):
            if name not in ia or name not in ib:
                names.append(name + " (only in one)")
            elif za.read(name) != zb.read(name):
                names.append(name)
            elif ia[name].date_time != ib[name].date_time:
                names.append(name + " (time stamp)")
        return names or ["the zip container only"]


# --- warnings ---------------------------------------------------------------

class Warnings(ConverterCase):
    def kinetics(self, name, changes=None, keep=None):
        """kinetics_step10.TSC (data number 4 on line 13, values on lines 14 to
        17) with lines changed by number and cut to its first `keep` lines."""
        lines = export_lines(os.path.join(EXAMPLES, "kinetics_step10.TSC"))
        for number, text in (changes or {}).items():
            lines[number - 1] = text
        return write_export(self.path(name), lines[:keep])

    def test_warnings_name_file_and_line_as_compilers_do(self):
        source = self.kinetics("run.TSC", {5: b"10001", 13: b"41"})
        report = self.path("run.xlsx")
        run = self.convert("-o", report, source)
        self.assert_converted(run, (
            f'{source}:5: warning: holds "10001", which is none of the path length codes; '
            "the path length stays empty\n"
            f"{source}:13: warning: says 41 values; the file holds 4\n"))
        self.assertEqual(open_sheet(report)["A54"].value, 400)  # the times run to row 13 + 41

    def test_a_warning_about_the_whole_file_has_no_line(self):
        first = export_lines(os.path.join(EXAMPLES, "kinetics_step10.TSC"))[0]
        source = self.kinetics("marked.TSC", {1: b"\xef\xbb\xbf" + first})
        run = self.convert(source)
        self.assert_converted(
            run, f"{source}: warning: the file is UTF-8 text, not the instrument's Windows-1252; "
                 "read as that text\n")
        self.assertTrue(os.path.exists(self.path("marked.xlsx")))

    def test_an_empty_file_is_said_to_be_empty_in_every_mode(self):
        for mode in ("PRO", "NUC", "TSC", "WSC"):
            with self.subTest(mode=mode):
                source = write_export(self.path(f"empty.{mode}"), [])
                run = self.convert(source)
                self.assertEqual(run.err, f"ordelix-convert: {source}: the file is empty\n")
                self.assertEqual(run.rc, 1)
                self.assertFalse(os.path.exists(self.path("empty.xlsx")))

    def test_strict_writes_no_report_for_a_file_with_warnings(self):
        faulty = self.kinetics("short.TSC", keep=15)
        clean = self.kinetics("clean.TSC")
        out = self.folder("out")
        run = self.convert("--strict", "-d", out, faulty, clean)
        self.assertEqual(run.rc, 1, run.err)
        self.assertEqual(run.err, (
            f"{faulty}:13: warning: says 4 values; the file holds 2\n"
            f"ordelix-convert: {faulty}: not converted: 1 warning under --strict\n"))
        self.assertEqual(os.listdir(out), ["clean.xlsx"])

    def test_strict_converts_files_without_warnings(self):
        inputs = [os.path.join(EXAMPLES, n) for n in example_names()
                  if n not in EXAMPLE_WARNINGS]
        out = self.folder("out")
        self.assert_converted(self.convert("--strict", "-d", out, *inputs))
        self.assertEqual(len(os.listdir(out)), len(inputs))


# --- running ----------------------------------------------------------------

class CountingResult(unittest.TextTestResult):
    """Counts a test once however many of its subtests fail."""

    def __init__(self, *args, **kwargs):
        super().__init__(*args, **kwargs)
        self.failed_tests = set()

    def addFailure(self, test, err):
        super().addFailure(test, err)
        self.failed_tests.add(test.id())

    def addError(self, test, err):
        super().addError(test, err)
        self.failed_tests.add(getattr(test, "test_case", test).id())

    def addSubTest(self, test, subtest, err):
        super().addSubTest(test, subtest, err)
        if err is not None:
            self.failed_tests.add(test.id())

    def addUnexpectedSuccess(self, test):
        super().addUnexpectedSuccess(test)
        self.failed_tests.add(test.id())


def main(module=None):
    """Runs the tests of `module` (this one by default) with the command line's paths."""
    global CONVERTER, EXAMPLES, GOLDEN
    module = module or sys.modules[__name__]
    if len(sys.argv) != 4:
        print(module.__doc__.strip().splitlines()[3], file=sys.stderr)
        return 2
    CONVERTER, EXAMPLES, GOLDEN = (os.path.abspath(a) for a in sys.argv[1:])
    return run_tests_of(module)


def run_tests_of(module):
    """Runs the module's tests; prints "N passed, M failed" last and returns the exit status."""
    suite = unittest.defaultTestLoader.loadTestsFromModule(module)
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout,
                                     resultclass=CountingResult).run(suite)
    for test, reason in result.skipped:
        print(f"skipped {test.id()}: {reason}")
    failed = len(result.failed_tests)
    passed = result.testsRun - failed - len(result.skipped)
    print(f"{passed} passed, {failed} failed" +
          (f", {len(result.skipped)} skipped" if result.skipped else ""))
    return 0 if failed == 0 and passed > 0 and result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
