#!/usr/bin/env python3
"""Checks the Debian package that scripts/package-deb.sh writes: unpacked into
a temporary root, what it holds and that its programs run there; lintian and
the desktop validators on it; and, where the test runs as root on a machine
that is thrown away after it (CI=true, or ORDELIX_THROWAWAY_SYSTEM=1),
installed for real with apt, used, and removed again.

Usage: check_package.py PACKAGE VERSION BUILD_CONVERTER EXAMPLES_DIR OPEN_FILES_CHECK SCHEMA
"""

import configparser
import gzip
import os
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

PACKAGE = VERSION = BUILD_CONVERTER = EXAMPLES = OPEN_FILES_CHECK = SCHEMA = None

ID = "org.ordelix.Ordelix"
SCHEMA_PATH = "usr/share/doc/ordelix/run-data.schema.json"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
MODE_TYPES = {
    "bca_std.PRO": "text/x-ordelix-protein",
    "dsdna.NUC": "text/x-ordelix-nucleic-acid",
    "con_std_w1.CON": "text/x-ordelix-concentration",
    "pht_w1_abs.PHT": "text/x-ordelix-photometry",
    "culture_od.OD": "text/x-ordelix-od600",
    "kinetics_step5.TSC": "text/x-ordelix-kinetics",
    "melt_step05.TM": "text/x-ordelix-melting-temperature",
    "scan_step5.WSC": "text/x-ordelix-wavelength-scan",
}


def expected_files():
    files = {
        "usr/bin/ordelix",
        "usr/bin/ordelix-convert",
        "usr/share/man/man1/ordelix.1.gz",
        "usr/share/man/man1/ordelix-convert.1.gz",
        "usr/share/bash-completion/completions/ordelix-convert",
        "usr/lib/systemd/user/ordelix-watch@.service",
        f"usr/share/applications/{ID}.desktop",
        f"usr/share/mime/packages/{ID}.xml",
        f"usr/share/metainfo/{ID}.metainfo.xml",
        f"usr/share/icons/hicolor/scalable/apps/{ID}.svg",
        "usr/share/doc/ordelix/copyright",
        "usr/share/doc/ordelix/changelog.gz",
        SCHEMA_PATH,
    }
    files |= {f"usr/share/icons/hicolor/{n}x{n}/apps/{ID}.png" for n in ICON_SIZES}
    return files


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


class Unpacked(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.root = tempfile.mkdtemp(prefix="ordelix-deb-")
        subprocess.run(["dpkg-deb", "-x", PACKAGE, cls.root], check=True)
        cls.control = tempfile.mkdtemp(prefix="ordelix-deb-control-")
        subprocess.run(["dpkg-deb", "-e", PACKAGE, cls.control], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.root)
        shutil.rmtree(cls.control)

    def at(self, path):
        return os.path.join(self.root, path)

    def field(self, name):
        return run("dpkg-deb", "-f", PACKAGE, name).stdout.strip()

    def test_file_name_and_control_fields(self):
        arch = run("dpkg", "--print-architecture").stdout.strip()
        self.assertEqual(os.path.basename(PACKAGE), f"ordelix_{VERSION}_{arch}.deb")
        self.assertEqual(self.field("Package"), "ordelix")
        self.assertEqual(self.field("Version"), VERSION)
        self.assertEqual(self.field("Architecture"), arch)
        self.assertEqual(self.field("Section"), "science")
        depends = [d.split()[0] for d in self.field("Depends").split(", ")]
        # Found by dpkg-shlibdeps from what the programs link.
        for library in ("libc6", "libminizip1", "libqt6widgets6", "libqt6charts6"):
            self.assertIn(library, depends)
        # Named by the package itself: Qt's libraries only recommend it.
        self.assertIn("qt6-qpa-plugins", depends)

    def test_holds_the_programs_and_desktop_files_and_nothing_else(self):
        held = {os.path.relpath(os.path.join(d, n), self.root)
                for d, _, names in os.walk(self.root) for n in names}
        self.assertEqual(held, expected_files())
        for program in ("usr/bin/ordelix", "usr/bin/ordelix-convert"):
            self.assertTrue(os.access(self.at(program), os.X_OK), program)
        # The caches are renewed by the triggers of shared-mime-info,
        # desktop-file-utils and the icon theme: no scripts of our own.
        self.assertEqual(sorted(os.listdir(self.control)), ["control", "md5sums"])

    def test_icons_have_the_sizes_their_folders_name(self):
        for n in ICON_SIZES:
            path = self.at(f"usr/share/icons/hicolor/{n}x{n}/apps/{ID}.png")
            self.assertEqual(png_size(path), (n, n))

    def test_unpacked_converter_writes_what_the_build_writes(self):
        with tempfile.TemporaryDirectory() as work:
            export = shutil.copy(os.path.join(EXAMPLES, "scan_step5.WSC"), work)
            built = os.path.join(work, "built.xlsx")
            unpacked = os.path.join(work, "unpacked.xlsx")
            for program, report in ((BUILD_CONVERTER, built),
                                    (self.at("usr/bin/ordelix-convert"), unpacked)):
                done = run(program, "-q", "-o", report, export)
                self.assertEqual(done.returncode, 0, done.stderr)
            with open(built, "rb") as a, open(unpacked, "rb") as b:
                self.assertEqual(a.read(), b.read())
        version = run(self.at("usr/bin/ordelix-convert"), "--version").stdout
        self.assertIn(VERSION, version)

    def test_the_schema_is_where_the_man_page_says(self):
        with open(self.at(SCHEMA_PATH), "rb") as a, open(SCHEMA, "rb") as b:
            self.assertEqual(a.read(), b.read())
        with gzip.open(self.at("usr/share/man/man1/ordelix-convert.1.gz"), "rt") as f:
            source = f.read().replace("\\-", "-")
        self.assertIn("/" + SCHEMA_PATH, source)

    def test_watch_unit_runs_the_packaged_converter_on_its_instance_folder(self):
        unit = configparser.ConfigParser(interpolation=None)
        unit.read(self.at("usr/lib/systemd/user/ordelix-watch@.service"))
        self.assertEqual(unit["Install"]["WantedBy"], "default.target")
        command = shlex.split(unit["Service"]["ExecStart"])
        # systemd finds a bare name in /usr/bin.
        self.assertEqual(command, ["ordelix-convert", "--watch", "%f"])
        # As systemd would start it for a folder, the packaged program in its place.
        with tempfile.TemporaryDirectory() as folder:
            started = subprocess.Popen([self.at("usr/bin/ordelix-convert"), *command[1:-1], folder],
                                       stdout=subprocess.PIPE, text=True)
            self.addCleanup(started.kill)
            self.assertEqual(started.stdout.readline(), "Watching 1 folder; Ctrl-C stops.\n")
            started.send_signal(signal.SIGTERM)
            started.communicate(timeout=60)
            self.assertEqual(started.returncode, 0)

    def test_man_pages_render_without_warnings(self):
        for page in ("ordelix.1.gz", "ordelix-convert.1.gz"):
            with gzip.open(self.at("usr/share/man/man1/" + page), "rb") as f:
                source = f.read()
            shown = subprocess.run(["groff", "-man", "-Tutf8", "-P-cbou", "-ww"], input=source,
                                   capture_output=True)
            self.assertEqual(shown.returncode, 0, page)
            self.assertEqual(shown.stderr, b"", page)
            self.assertIn(b"SYNOPSIS", shown.stdout, page)

    def test_validators_pass(self):
        desktop = run("desktop-file-validate", self.at(f"usr/share/applications/{ID}.desktop"))
        self.assertEqual((desktop.returncode, desktop.stdout), (0, ""))
        metainfo = run("appstreamcli", "validate", "--no-net", "--no-color",
                       self.at(f"usr/share/metainfo/{ID}.metainfo.xml"))
        self.assertEqual(metainfo.returncode, 0, metainfo.stdout)

    def test_lintian_reports_no_error(self):
        found = run("lintian", "--fail-on", "error", PACKAGE)
        errors = [line for line in found.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [])
        self.assertEqual(found.returncode, 0, found.stdout + found.stderr)
        for line in found.stdout.splitlines():
            print("lintian:", line, file=sys.stderr)


def throwaway_root():
    return os.geteuid() == 0 and (os.environ.get("CI") == "true"
                                  or os.environ.get("ORDELIX_THROWAWAY_SYSTEM") == "1")


@unittest.skipUnless(throwaway_root(), "installs system-wide only as root on a throwaway "
                     "machine (CI=true or ORDELIX_THROWAWAY_SYSTEM=1)")
class Installed(unittest.TestCase):
    """One story, in order: install, use, remove."""

    def content_type(self, path):
        return run("gio", "info", "-a", "standard::content-type", path).stdout

    def apt(self, *args):
        done = run("apt-get", "-y", "-q", *args,
                   env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def test_install_use_and_remove(self):
        self.apt("install", "--no-install-recommends", os.path.abspath(PACKAGE))
        listed = run("dpkg-query", "-L", "ordelix").stdout.splitlines()
        self.assertIn("/usr/bin/ordelix", listed)
        work = tempfile.mkdtemp(prefix="ordelix-installed-")
        self.addCleanup(shutil.rmtree, work)
        try:
            for name, mime in MODE_TYPES.items():
                export = shutil.copy(os.path.join(EXAMPLES, name), work)
                self.assertIn(mime, self.content_type(export), name)
            said = run("gio", "mime", MODE_TYPES["scan_step5.WSC"]).stdout.splitlines()
            default = [line for line in said if line.startswith("Default application")]
            self.assertEqual(len(default), 1, said)
            self.assertTrue(default[0].endswith(f": {ID}.desktop"), said)
            done = run("/usr/bin/ordelix-convert", os.path.join(work, "scan_step5.WSC"))
            self.assertEqual(done.returncode, 0, done.stderr)
            self.assertTrue(os.path.isfile(os.path.join(work, "scan_step5.xlsx")))
            shown = run(OPEN_FILES_CHECK, "/usr/bin/ordelix", EXAMPLES)
            self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)
        finally:
            self.apt("remove", "ordelix")
        left = [p for p in listed if os.path.isfile(p)]
        self.assertEqual(left, [])
        self.assertNotIn("text/x-ordelix", self.content_type(os.path.join(work, "scan_step5.WSC")))


def main():
    global PACKAGE, VERSION, BUILD_CONVERTER, EXAMPLES, OPEN_FILES_CHECK, SCHEMA
    if len(sys.argv) != 7:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    PACKAGE, VERSION, BUILD_CONVERTER, EXAMPLES, OPEN_FILES_CHECK, SCHEMA = sys.argv[1:]
    if not os.path.isfile(PACKAGE):
        print(f"no package at {PACKAGE}: scripts/package-deb.sh writes it", file=sys.stderr)
        return 1
    result = unittest.main(argv=sys.argv[:1], verbosity=2, exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
