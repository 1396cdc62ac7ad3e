#!/usr/bin/python3
"""`cmake --install` puts the Python module where the system's python3 looks
for that prefix, and it imports and converts from there.

Usage: check_install.py CMAKE BUILD_DIR EXAMPLES_DIR
"""

import glob
import os
import subprocess
import sys
import tempfile
import unittest

CMAKE = BUILD = EXAMPLES = None
PYTHON = sys.executable  # the interpreter the module is built for


def searched_folders(prefix):
    """The interpreter's own folders for packages below `prefix`."""
    path = subprocess.run([PYTHON, "-c", "import sys; print('\\n'.join(sys.path))"],
                          capture_output=True, text=True, check=True).stdout.splitlines()
    return [p for p in path if p.startswith(prefix + "/") and p.endswith("-packages")]


class Install(unittest.TestCase):
    def installed_package(self, destdir, prefix):
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix, "--component", "python"],
                       env=dict(os.environ, DESTDIR=destdir), check=True, capture_output=True)
        return sorted(glob.glob(f"{destdir}{prefix}/**/ordelix/__init__.py", recursive=True))

    def test_each_prefix_gets_the_folder_its_python_searches(self):
        expected = {"/usr": "/usr/lib/python3/dist-packages"}
        for prefix in ("/usr", "/usr/local"):
            with self.subTest(prefix=prefix), tempfile.TemporaryDirectory() as destdir:
                found = self.installed_package(destdir, prefix)
                self.assertEqual(len(found), 1, found)
                folder = os.path.dirname(os.path.dirname(found[0]))[len(destdir):]
                self.assertIn(folder, searched_folders(prefix))
                if prefix in expected:
                    self.assertEqual(folder, expected[prefix])
                package = os.path.dirname(found[0])
                self.assertEqual(len(glob.glob(os.path.join(package, "_ordelix.*.so"))), 1)
                for typing_file in ("__init__.pyi", "py.typed"):
                    self.assertTrue(os.path.isfile(os.path.join(package, typing_file)))

                example = os.path.join(EXAMPLES, "dsdna.NUC")
                run = subprocess.run(
                    [PYTHON, "-c", "import ordelix, sys; print(ordelix.__file__);"
                                   "ordelix.read(sys.argv[1])", example],
                    env=dict(os.environ, PYTHONPATH=destdir + folder),
                    capture_output=True, text=True)
                self.assertEqual(run.returncode, 0, run.stderr)
                self.assertEqual(run.stdout.strip(), found[0])


def main():
    global CMAKE, BUILD, EXAMPLES
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    CMAKE, BUILD, EXAMPLES = sys.argv[1:]
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
