import datetime
import os
from typing import Iterable, Optional, Union

import pandas

__version__: str

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]
# A cell's value: a number, a text, or None where the cell is empty.
Value = Optional[Union[float, str]]

class ConversionError(Exception):
    path: _Path
    def __init__(self, message: str, path: _Path) -> None: ...

class SaveError(Exception):
    path: _Path
    def __init__(self, message: str, path: _Path) -> None: ...

class ExportFileWarning(UserWarning): ...

class Table:
    title: Value
    columns: list[Value]
    rows: list[list[Value]]
    notes: list[Value]
    def __init__(self, title: Value, columns: list[Value], rows: list[list[Value]],
                 notes: list[Value]) -> None: ...

class Curve:
    title: str
    x_title: str
    y_title: str
    x: list[float]
    y: list[float]
    def __init__(self, title: str, x_title: str, y_title: str, x: list[float],
                 y: list[float]) -> None: ...

class Report:
    file: str
    mode: str
    created: Optional[datetime.datetime]
    header: list[tuple[str, Value]]
    tables: list[Table]
    warnings: list[tuple[Optional[int], str]]
    curve: Optional[Curve]
    def to_pandas(self) -> pandas.DataFrame: ...
    def to_json(self) -> str: ...
    def to_csv(self, separator: str = ",") -> str: ...
    def save(self, path: _Path, force: bool = False, csv_separator: str = ",") -> None: ...

def read(path: _Path) -> Report: ...
def read_many(paths: Iterable[_Path], jobs: Optional[int] = None) -> list[Report]: ...
def combine(paths: Iterable[_Path], out: _Path, force: bool = False,
            jobs: Optional[int] = None) -> None: ...
