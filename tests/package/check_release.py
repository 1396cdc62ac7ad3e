#!/usr/bin/env python3
"""Checks the release scripts/release.sh writes into dist/: the checksums,
the one version in every artifact, the Windows zip with the page, the wheel
installed into a fresh virtual environment and used outside the checkout,
and the source archive built into a wheel without a network.

Usage: check_release.py DIST VERSION BUILD_CONVERTER EXAMPLES_DIR LICENSE
"""

import hashlib
import importlib.machinery
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
import zipfile

DIST = VERSION = BUILD_CONVERTER = EXAMPLES = LICENSE = None
# One of each kind of layout: a handful, the whole corpus is compared elsewhere.
HANDFUL = ("bradford_std.PRO", "dsdna.NUC", "kinetics_step5.TSC", "melt_step05.TM",
           "scan_step1.WSC")
# Reads each export file given and writes its JSON, one after the other.
READ_AS_JSON = ("import sys, warnings, ordelix\n"
                "warnings.simplefilter('ignore')\n"
                "for path in sys.argv[1:]:\n"
                "    sys.stdout.write(ordelix.read(path).to_json())\n")


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def artifacts():
    """The release's files, named by hand from the version; the wheel's tags
    are this interpreter's, which the release build made the module for."""
    python = f"cp{sys.version_info.major}{sys.version_info.minor}"
    arch = run("dpkg", "--print-architecture", check=True).stdout.strip()
    return {
        "deb": f"ordelix_{VERSION}_{arch}.deb",
        "wheel": f"ordelix-{VERSION}-{python}-{python}-linux_x86_64.whl",
        "sdist": f"ordelix-{VERSION}.tar.gz",
        "zip": f"ordelix-convert-{VERSION}-windows-x64.zip",
        "page": "ordelix.html",
    }


def in_dist(kind):
    return os.path.join(DIST, artifacts()[kind])


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def converter_json(paths):
    """The build's converter's JSON of each file, one after the other."""
    texts = []
    for path in paths:
        converted = run(BUILD_CONVERTER, "--format", "json", "-o", "-", path)
        assert converted.returncode == 0, converted.stderr
        texts.append(converted.stdout)
    return "".join(texts)


class Checksums(unittest.TestCase):
    def test_the_sums_list_every_artifact_and_verify(self):
        with open(os.path.join(DIST, "SHA256SUMS"), encoding="utf-8") as f:
            listed = dict(reversed(line.split("  ", 1)) for line in f.read().splitlines())
        self.assertEqual(set(listed), set(artifacts().values()))
        for name, digest in listed.items():
            with self.subTest(name=name):
                self.assertEqual(hashlib.sha256(read_bytes(os.path.join(DIST, name))).hexdigest(),
                                 digest)
        checked = run("sha256sum", "--check", "--strict", "SHA256SUMS", cwd=DIST)
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)


class Versions(unittest.TestCase):
    def test_each_artifact_says_the_one_version(self):
        deb = run("dpkg-deb", "--field", in_dist("deb"), "Version", check=True).stdout.strip()
        self.assertEqual(deb, VERSION)
        with zipfile.ZipFile(in_dist("wheel")) as wheel:
            metadata = wheel.read(f"ordelix-{VERSION}.dist-info/METADATA").decode()
        self.assertIn(f"\nVersion: {VERSION}\n", metadata)
        with tarfile.open(in_dist("sdist")) as sdist:
            pkg_info = sdist.extractfile(f"ordelix-{VERSION}/PKG-INFO").read().decode()
        self.assertIn(f"\nVersion: {VERSION}\n", pkg_info)
        with zipfile.ZipFile(in_dist("zip")) as windows:
            readme = windows.read("README.txt").decode()
        self.assertTrue(readme.startswith(f"Ordelix converter for Windows, version {VERSION}\r\n"))
        page = read_bytes(in_dist("page")).decode()
        major_minor = VERSION.rsplit(".", 1)[0]
        self.assertIn(f'<h1 class="title"> Ordelix  V{major_minor}</h1>', page)
        self.assertIn(f"Ordelix {VERSION}, published under the MIT licence.", page)
        said = run(BUILD_CONVERTER, "--version", check=True).stdout.split()
        self.assertEqual(said, ["ordelix-convert", VERSION])


class WindowsZip(unittest.TestCase):
    def test_it_holds_the_program_the_page_readme_and_licences(self):
        with zipfile.ZipFile(in_dist("zip")) as windows:
            names = set(windows.namelist())
            licences = {n for n in names if n.startswith("licences/")}
            self.assertEqual(names - licences, {"ordelix-convert.exe", "Ordelix.html", "README.txt"})
            self.assertLessEqual({"licences/Ordelix.txt", "licences/libxlsxwriter.txt",
                                  "licences/uPlot.txt"}, licences)
            self.assertEqual(windows.read("ordelix-convert.exe")[:2], b"MZ")
            self.assertEqual(windows.read("Ordelix.html"), read_bytes(in_dist("page")))
            with open(LICENSE, encoding="utf-8") as f:
                self.assertEqual(windows.read("licences/Ordelix.txt").decode(), crlf(f.read()))
            words = " ".join(windows.read("README.txt").decode().split())
        self.assertIn("Open Ordelix.html", words)
        self.assertIn("Use ordelix-convert.exe for folders, batches and watching.", words)


class InstalledWheel(unittest.TestCase):
    """The wheel in a virtual environment of its own, used from a folder
    outside the checkout, as a user installs and uses it."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="ordelix-wheel-")
        cls.python = os.path.join(cls.work, "venv", "bin", "python")
        subprocess.run([sys.executable, "-m", "venv", os.path.join(cls.work, "venv")], check=True)
        subprocess.run([cls.python, "-m", "pip", "install", "--quiet", "--no-index",
                        "--disable-pip-version-check", in_dist("wheel")], check=True)
        cls.elsewhere = os.path.join(cls.work, "elsewhere")
        os.mkdir(cls.elsewhere)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def python_run(self, code, *args):
        # No PYTHONPATH: only what is installed in the environment imports.
        environment = {k: v for k, v in os.environ.items() if not k.startswith("PYTHON")}
        return run(self.python, "-c", code, *args, cwd=self.elsewhere, env=environment)

    def test_it_reads_export_files_to_the_converters_json(self):
        paths = [os.path.join(EXAMPLES, name) for name in HANDFUL]
        read = self.python_run(READ_AS_JSON, *paths)
        self.assertEqual(read.returncode, 0, read.stderr)
        self.assertEqual(read.stdout, converter_json(paths))

    def test_it_imports_from_the_environment_with_its_type_hints_and_licences(self):
        where = self.python_run("import os, ordelix\n"
                                "print(os.path.dirname(ordelix.__file__), ordelix.__version__)")
        self.assertEqual(where.returncode, 0, where.stderr)
        package, version = where.stdout.rsplit(maxsplit=1)
        self.assertEqual(version, VERSION)
        self.assertTrue(package.startswith(os.path.join(self.work, "venv") + os.sep), package)
        for typing_file in ("py.typed", "__init__.pyi"):
            self.assertTrue(os.path.isfile(os.path.join(package, typing_file)), typing_file)
        shown = self.python_run(
            "import importlib.metadata as m, json\n"
            "d = m.distribution('ordelix')\n"
            "print(json.dumps([d.version, d.metadata['License'],"
            " d.metadata.get_all('Provides-Extra'), d.requires, d.read_text('LICENSE')]))\n")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        version, licence, extras, requires, ours = json.loads(shown.stdout)
        self.assertEqual((version, licence, extras), (VERSION, "MIT", ["pandas"]))
        self.assertEqual([r.replace("'", '"') for r in requires], ['pandas ; extra == "pandas"'])
        with open(LICENSE, encoding="utf-8") as f:
            self.assertEqual(ours, f.read())
        # Those of the libraries the extension holds, beside it.
        for library in ("libxlsxwriter", "pybind11"):
            with open(os.path.join(package, "licences", library + ".txt"), encoding="utf-8") as f:
                self.assertIn(library, f.read())

    def test_without_pandas_to_pandas_says_what_to_install(self):
        tried = self.python_run("import sys, ordelix; ordelix.read(sys.argv[1]).to_pandas()",
                                os.path.join(EXAMPLES, "dsdna.NUC"))
        self.assertNotEqual(tried.returncode, 0)
        self.assertIn("pip install 'ordelix[pandas]'", tried.stderr)


class SourceArchive(unittest.TestCase):
    def test_it_carries_the_workbook_librarys_source_and_licence(self):
        with tarfile.open(in_dist("sdist")) as sdist:
            names = set(sdist.getnames())
        top = f"ordelix-{VERSION}/"
        for name in ("LICENSE", "CHANGELOG.md", "setup.py", "pyproject.toml",
                     ".deps/libxlsxwriter-1.1.4/License.txt",
                     ".deps/libxlsxwriter-1.1.4/src/workbook.c",
                     "app/core/ordelix.h", "app/python/ordelix/py.typed"):
            self.assertIn(top + name, names)

    def test_it_builds_a_wheel_offline_that_reads_as_the_converter(self):
        work = tempfile.mkdtemp(prefix="ordelix-sdist-")
        self.addCleanup(shutil.rmtree, work)
        command = [sys.executable, "-m", "pip", "wheel", "--quiet", "--no-build-isolation",
                   "--no-deps", "--no-index", "--disable-pip-version-check", "--wheel-dir",
                   work, in_dist("sdist")]
        # Without a network where the system lets a user namespace have none.
        if run("unshare", "--user", "--map-root-user", "--net", "true").returncode == 0:
            command = ["unshare", "--user", "--map-root-user", "--net"] + command
        else:
            print("check_release.py: no network namespace here; pip is kept off the "
                  "index only", file=sys.stderr)
        # Unoptimised: the archive's completeness shows as well, for three
        # quarters of the compile time; the release build compiles the same
        # sources optimised, with the same warnings as errors.
        built = run(*command, env=dict(os.environ, CMAKE_BUILD_PARALLEL_LEVEL="2",
                                       CMAKE_ARGS="-DCMAKE_BUILD_TYPE=Debug"))
        self.assertEqual(built.returncode, 0, built.stdout + built.stderr)
        wheel = os.path.join(work, artifacts()["wheel"])
        unpacked = os.path.join(work, "unpacked")
        with zipfile.ZipFile(wheel) as f:
            f.extractall(unpacked)
        suffix = importlib.machinery.EXTENSION_SUFFIXES[0]
        self.assertTrue(os.path.isfile(os.path.join(unpacked, "ordelix", "_ordelix" + suffix)))
        path = os.path.join(EXAMPLES, "kinetics_step5.TSC")
        read = run(sys.executable, "-c", READ_AS_JSON, path, cwd=work,
                   env=dict(os.environ, PYTHONPATH=unpacked, PYTHONDONTWRITEBYTECODE="1"))
        self.assertEqual(read.returncode, 0, read.stderr)
        self.assertEqual(read.stdout, converter_json([path]))


def main():
    global DIST, VERSION, BUILD_CONVERTER, EXAMPLES, LICENSE
    if len(sys.argv) != 6:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    DIST, VERSION, BUILD_CONVERTER, EXAMPLES, LICENSE = sys.argv[1:]
    result = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
