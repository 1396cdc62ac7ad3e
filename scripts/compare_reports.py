#!/usr/bin/python3
"""Converts the same export files with two builds of ordelix-convert and tells
whether every report is the same, byte for byte: for changes that must not
change a report.

Usage: scripts/compare_reports.py OLD_CONVERTER NEW_CONVERTER

The files are the bundled examples, every input of the fuzz corpus that names
a measurement mode (its bytes under its extension), and large generated
scans and kinetics runs that reach past the sheet's last row; each converts
alone, and the examples also as one combined workbook. Both builds read the
very same files, so the file times agree. Exits 1 when any report differs.
"""

import glob
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import ROOT, write_export  # noqa: E402
from bench_scan import scan_lines  # noqa: E402

MODES = ("PRO", "NUC", "CON", "PHT", "OD", "TSC", "TM", "WSC")


def corpus_inputs(into):
    """The fuzz corpus's export files: flags, 8 bytes of time, EXT\\n, bytes."""
    made = []
    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "fuzz", "corpus", "*"))):
        with open(path, "rb") as f:
            data = f.read()[9:]
        extension, _, body = data.partition(b"\n")
        if extension.decode("latin-1").upper() not in MODES:
            continue
        name = os.path.join(into, f"{os.path.basename(path)}.{extension.decode('latin-1')}")
        with open(name, "wb") as f:
            f.write(body)
        made.append(name)
    return made


def generated_inputs(into):
    kinetics = ["1", "0", "1", "BENCH-KIN", "7", "1", "0", "0", "600", "340", "1", "0", "40000"]
    return [write_export(os.path.join(into, "scan40000.WSC"), scan_lines(40000)),
            write_export(os.path.join(into, "scan1000.WSC"), scan_lines(1000)),
            write_export(os.path.join(into, "noisy40000.WSC"), scan_lines(40000, noisy=True)),
            write_export(os.path.join(into, "kinetics40000.TSC"),
                         kinetics + [f"{0.1 + i * 1e-5:.5f}" for i in range(40000)])]


def convert_all(converter, inputs, out):
    os.makedirs(out)
    for i, source in enumerate(inputs):
        subprocess.run([converter, "-q", "-o", os.path.join(out, f"{i}.xlsx"), source],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    examples = sorted(glob.glob(os.path.join(ROOT, "examples", "*")))
    subprocess.run([converter, "-q", "--combine", os.path.join(out, "combined.xlsx"), *examples],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    old, new = sys.argv[1:]
    with tempfile.TemporaryDirectory(prefix="ordelix-compare-") as work:
        inputs_dir = os.path.join(work, "inputs")
        os.makedirs(inputs_dir)
        inputs = sorted(glob.glob(os.path.join(ROOT, "examples", "*")))
        inputs += corpus_inputs(inputs_dir) + generated_inputs(inputs_dir)
        convert_all(old, inputs, os.path.join(work, "old"))
        convert_all(new, inputs, os.path.join(work, "new"))
        names = sorted(set(os.listdir(os.path.join(work, "old"))) |
                       set(os.listdir(os.path.join(work, "new"))))
        differing = []
        for name in names:
            paths = [os.path.join(work, side, name) for side in ("old", "new")]
            contents = [open(p, "rb").read() if os.path.exists(p) else None for p in paths]
            if contents[0] != contents[1]:
                differing.append(name)
        reports = sum(1 for n in names if os.path.exists(os.path.join(work, "old", n)))
        print(f"{len(inputs)} export files, {reports} reports from the old build, "
              f"{len(differing)} differing")
        for name in differing:
            index = int(name.split(".")[0]) if name[0].isdigit() else None
            print(f"  differs: {name}" + (f" ({inputs[index]})" if index is not None else ""))
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
