"""Spectrophotometer export files as data, and as the .xlsx reports that
ordelix-convert writes.

    import ordelix
    report = ordelix.read("run1.PRO")
    report.tables[-1].rows          # the data table, as the report shows it
    report.save("run1.xlsx")        # the converter's workbook, byte for byte
    report.save("run1.json")        # or its data, as --format json writes it
    ordelix.combine(["a.PRO", "b.NUC"], "both.xlsx")  # as --combine does

A file that gives no report raises ConversionError; what was amiss in a file
that does is issued as an ExportFileWarning, at the file's line.
"""

import dataclasses
import datetime
import operator
import os
import warnings

from . import _ordelix

#: The version of Ordelix, as ordelix-convert --version tells it.
__version__ = _ordelix.version

# Files converted in one call to the core, as many as it converts between
# two looks at a cancel.
_BATCH_SIZE = 64

__all__ = ["ConversionError", "Curve", "ExportFileWarning", "Report", "SaveError", "Table",
           "combine", "read", "read_many"]


class ConversionError(Exception):
    """An export file that gives no report. The message is the converter's:
    the file, then why."""

    def __init__(self, message, path):
        super().__init__(message)
        #: The export file, as it was given.
        self.path = path


class SaveError(Exception):
    """A report that was not saved (one is there already, the disk is full,
    ...). The message is the converter's: the export file, why, and the
    report's path where the reason concerns it."""

    def __init__(self, message, path):
        super().__init__(message)
        #: Where the report was to go, as it was given.
        self.path = path


class ExportFileWarning(UserWarning):
    """Something in an export file that is not as its report expects; the
    report stands. Issued with the file as filename and its line as lineno
    (0 for the whole file)."""


@dataclasses.dataclass(frozen=True)
class Table:
    """A table of a report, as the report shows it. Values are float, str,
    or None for an empty cell."""

    #: Its title, or None where the report shows none.
    title: object
    #: The headings, left to right.
    columns: list
    #: One list of values per row, one value per column.
    rows: list
    #: What the report shows with it besides its heading and rows (the
    #: calibration's equation and R), left to right, top to bottom.
    notes: list


@dataclasses.dataclass(frozen=True)
class Curve:
    """The curve a picture of a kinetics or melting-temperature report draws,
    as the window and the page draw it: x against y, rows whose x or y is not
    a number left out."""

    #: "Kinetics" or "Melting curve".
    title: str
    #: The headings of the two columns, without their padding.
    x_title: str
    y_title: str
    #: The points' coordinates, as floats.
    x: list
    y: list


class Report:
    """The report of one export file, as data and as its workbook. Made by
    read() and read_many()."""

    def __init__(self, converted, path):
        data = converted.data
        self._converted = converted
        self._path = path
        #: The export file's name, without its folders.
        self.file = data["file"]
        #: The measurement mode: "protein", "nucleic acid", "concentration",
        #: "photometry", "OD600", "kinetics", "melting temperature" or
        #: "wavelength scan".
        self.mode = data["mode"]
        #: The report's Time & Date, the export file's creation time, as a
        #: timezone-aware datetime; None where the report shows none.
        self.created = (None if data["created"] is None
                        else datetime.datetime.fromisoformat(data["created"]))
        #: (label, value) for each line of the header block.
        self.header = data["header"]
        #: The report's tables, the data table last.
        self.tables = [Table(*table) for table in data["tables"]]
        #: (line, text) for each warning, in the order of the file; line is
        #: None for one about the whole file.
        self.warnings = data["warnings"]
        curve = converted.curve
        #: The Curve of a kinetics or melting-temperature report; None for
        #: the others.
        self.curve = None if curve is None else Curve(*curve)

    def to_pandas(self):
        """The last table, the data table, as a pandas DataFrame whose
        columns are named as the report heads them, without the blanks that
        pad a heading; an empty one without tables. Sample and data numbers
        come as integers, the rest as the table holds them. Imports pandas,
        which the extra ordelix[pandas] installs."""
        try:
            import pandas
        except ImportError:
            raise ImportError("to_pandas() needs pandas: pip install 'ordelix[pandas]' "
                              "(or Debian's python3-pandas)") from None

        if not self.tables:
            return pandas.DataFrame()
        table = self.tables[-1]
        names = [c.strip(" ") if isinstance(c, str) else c for c in table.columns]
        columns = [[row[i] for row in table.rows] for i in range(len(names))]
        frame = pandas.DataFrame(
            {i: [int(v) for v in column] if _numbers_things(name, column) else column
             for i, (name, column) in enumerate(zip(names, columns))})
        frame.columns = names
        return frame

    def to_json(self):
        """The report as data, in the JSON text that ordelix-convert
        --format json writes for the file."""
        return self._converted.json()

    def to_csv(self, separator=","):
        """The report as data, in the CSV text that ordelix-convert
        --format csv writes for the file; separator "," or ";" (numbers
        then take a decimal comma)."""
        return self._converted.csv(_csv_separator(separator))

    def save(self, path, force=False, csv_separator=","):
        """Saves the report as ordelix-convert writes it for its file, in the
        format the path's extension names: .json or .csv (with
        csv_separator) its data, the workbook for any other name; through
        the same checked, atomic save. An existing file is replaced only
        with force (and never the export file, nor anything but a regular
        file); raises SaveError when it is not saved."""
        target = _system_path(path)
        separator = _csv_separator(csv_separator)
        try:
            self._converted.save(target, bool(force), separator)
        except _ordelix.FileFailure as failure:
            raise SaveError(str(failure), path) from None

    def __repr__(self):
        return f"<ordelix.Report of {self._path!r}>"


def read(path):
    """The report of the export file at path (a str, bytes or os.PathLike).
    Raises ConversionError when the file gives none; issues an
    ExportFileWarning for each warning."""
    try:
        converted = _ordelix.convert(_system_path(path))
    except _ordelix.FileFailure as failure:
        raise ConversionError(str(failure), path) from None
    return _reported(converted, path)


def read_many(paths, jobs=None):
    """The reports of the export files at paths, in their order, converted
    on jobs workers at once (None: one per processor). Every file is
    converted and the warnings of all are issued, in order; then, if any
    file gave no report, ConversionError is raised for the first of them
    (its path as given) and no reports are returned."""
    if isinstance(paths, (str, bytes, os.PathLike)):
        raise TypeError("read_many takes a list of paths; read() takes one")
    paths = list(paths)
    workers = 0 if jobs is None else operator.index(jobs)  # 0: one per processor
    if jobs is not None and workers < 1:
        raise ValueError(f"jobs must be at least 1, not {workers}")
    system_paths = [_system_path(p) for p in paths]
    results = []
    # A batch at a time, so that Ctrl-C stops the run between two.
    for first in range(0, len(paths), _BATCH_SIZE):
        results += _ordelix.convert_many(system_paths[first:first + _BATCH_SIZE], workers)
    reports = [_reported(r, p) for r, p in zip(results, paths) if not isinstance(r, str)]
    for result, path in zip(results, paths):
        if isinstance(result, str):
            raise ConversionError(result, path)
    return reports


def combine(paths, out, force=False, jobs=None):
    """Reads the export files at paths as read_many() does, then saves them
    at out as one report, as ordelix-convert --combine does: a workbook of a
    sheet for each file (.xlsx) or one JSON array (.json). When a file gives
    no report, nothing is saved. An existing file is replaced only with
    force; raises SaveError when the report is not saved, ValueError for
    another extension or no paths."""
    reports = read_many(paths, jobs)
    if not reports:
        raise ValueError("combine takes one export file at least")
    target = _system_path(out)
    try:
        _ordelix.save_combined([r._converted for r in reports], target, bool(force))
    except _ordelix.FileFailure as failure:
        raise SaveError(str(failure), out) from None


def _system_path(path):
    """A path as the bytes the system names the file by."""
    encoded = os.fsencode(path)
    if b"\0" in encoded:
        raise ValueError(f"embedded null byte in path {path!r}")
    return encoded


def _csv_separator(separator):
    if separator not in (",", ";"):
        raise ValueError(f"the CSV separator is \",\" or \";\", not {separator!r}")
    return separator


def _numbers_things(heading, values):
    """Whether a column counts samples or readings ("Sample No.", "Data
    No."): whole numbers, which a table holds as floats."""
    return (isinstance(heading, str) and heading.endswith("No.")
            and all(isinstance(v, float) and v.is_integer() for v in values))


def _reported(converted, path):
    report = Report(converted, path)
    filename = os.fsdecode(os.fspath(path))
    for line, text in report.warnings:
        warnings.warn_explicit(text, ExportFileWarning, filename, line or 0)
    return report
