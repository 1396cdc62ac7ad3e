import os
from typing import Iterable, Optional, Union

__version__: str

_Path = Union[str, bytes, os.PathLike[str], os.PathLike[bytes]]

class ConversionError(Exception):
    path: _Path
    def __init__(self, message: str, path: _Path) -> None: ...

class SaveError(Exception):
    path: _Path
    def __init__(self, message: str, path: _Path) -> None: ...

class ExportFileWarning(UserWarning): ...

class Report:
    warnings: list[tuple[Optional[int], str]]
    def save(self, path: _Path, force: bool = False) -> None: ...

def read(path: _Path) -> Report: ...
def read_many(paths: Iterable[_Path], jobs: Optional[int] = None) -> list[Report]: ...
