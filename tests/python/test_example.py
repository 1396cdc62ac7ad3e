#!/usr/bin/python3
"""docs/examples_as_dataframe.py runs without a display: it counts the rows
of every example's data table as the converter's JSON holds them, and writes
its plot.

Usage: test_example.py EXAMPLE_SCRIPT EXAMPLES_DIR CONVERTER
(with the module importable: PYTHONPATH=build/python)
"""

import json
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = EXAMPLES = CONVERTER = None
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def converter_rows(path):
    run = subprocess.run([CONVERTER, "--format", "json", "-o", "-", path], capture_output=True,
                         check=True)
    return len(json.loads(run.stdout)["tables"][-1]["rows"])


class Example(unittest.TestCase):
    def test_counts_every_examples_rows_and_plots_without_a_display(self):
        with tempfile.TemporaryDirectory() as work:
            plot = os.path.join(work, "scans.png")
            environment = dict(os.environ, MPLBACKEND="Agg", MPLCONFIGDIR=work)
            environment.pop("DISPLAY", None)
            environment.pop("WAYLAND_DISPLAY", None)
            run = subprocess.run([sys.executable, SCRIPT, EXAMPLES, plot], env=environment,
                                 capture_output=True, text=True, timeout=120)
            self.assertEqual(run.returncode, 0, run.stderr)
            with open(plot, "rb") as f:
                self.assertEqual(f.read(len(PNG_SIGNATURE)), PNG_SIGNATURE)
        # "MODE FILE ROWS" lines, the mode said once for its files.
        counted = {line.split()[-2]: int(line.split()[-1])
                   for line in run.stdout.splitlines()[1:]}
        expected = {name: converter_rows(os.path.join(EXAMPLES, name))
                    for name in os.listdir(EXAMPLES)}
        self.assertEqual(counted, expected)


def main():
    global SCRIPT, EXAMPLES, CONVERTER
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    SCRIPT, EXAMPLES, CONVERTER = (os.path.abspath(a) for a in sys.argv[1:])
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
