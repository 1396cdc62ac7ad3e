#!/usr/bin/python3
"""The desktop data as `cmake --install` puts them in place: the validators'
word on them, the names that tie them together, the icon's renderings, the
file types that GIO, xdg-mime and Qt give export files and look-alikes, the
default application, and the manual page.

Usage: check_desktop_data.py BUILD_DIR CMAKE VERSION EXAMPLES_DIR MIME_TYPE_OF
Exits 77 (skipped) when a tool it needs is missing.
"""

import configparser
import glob
import gzip
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

import png_pixels

SKIPPED = 77  # as CTest's SKIP_RETURN_CODE
TOOLS = {
    "desktop-file-validate": "desktop-file-utils",
    "update-desktop-database": "desktop-file-utils",
    "appstreamcli": "appstream",
    "update-mime-database": "shared-mime-info",
    "gio": "libglib2.0-bin",
    "xdg-mime": "xdg-utils",
    "mimetype": "libfile-mimeinfo-perl",
    "groff": "groff-base",
    "man": "man-db",
    "lexgrog": "man-db",
}
APP_ID = "org.ordelix.Ordelix"
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# What an icon may differ by from a fresh rendering, in 8-bit channel steps.
ICON_TOLERANCE = 2

PROTEIN = "text/x-ordelix-protein"
NUCLEIC_ACID = "text/x-ordelix-nucleic-acid"
WAVELENGTH_SCAN = "text/x-ordelix-wavelength-scan"
MODE_OF_EXAMPLE = {
    "bca_std.PRO": PROTEIN,
    "dsdna.NUC": NUCLEIC_ACID,
    "con_std_w1.CON": "text/x-ordelix-concentration",
    "pht_w1_abs.PHT": "text/x-ordelix-photometry",
    "culture_od.OD": "text/x-ordelix-od600",
    "kinetics_step5.TSC": "text/x-ordelix-kinetics",
    "melt_step05.TM": "text/x-ordelix-melting-temperature",
    "scan_step5.WSC": WAVELENGTH_SCAN,
}
# A cartridge dump as such files are: a jump, code, and padding.
GAME_ROM = b"\xea\x00\x20\x00\xf0" + bytes(range(256)) * 4 + b"\xff" * 3000

BUILD = CMAKE = VERSION = EXAMPLES = MIME_TYPE_OF = None
WORK = SHARE = None


def run(args, env=None, check=True):
    done = subprocess.run(args, capture_output=True, text=True, env=env)
    if check and done.returncode != 0:
        raise AssertionError(f"{' '.join(args)} exited {done.returncode}:\n"
                             f"{done.stdout}{done.stderr}")
    return done


def installed(*parts):
    return os.path.join(SHARE, *parts)


def icon_svg():
    return installed("icons", "hicolor", "scalable", "apps", f"{APP_ID}.svg")


def icon_png(size):
    return installed("icons", "hicolor", f"{size}x{size}", "apps", f"{APP_ID}.png")


def setUpModule():
    global WORK, SHARE
    WORK = tempfile.mkdtemp(prefix="ordelix-desktop-")
    prefix = os.path.join(WORK, "usr")
    run([CMAKE, "--install", BUILD, "--component", "desktop", "--prefix", prefix])
    SHARE = os.path.join(prefix, "share")


def tearDownModule():
    shutil.rmtree(WORK, ignore_errors=True)


def read_desktop_entry():
    entry = configparser.RawConfigParser(delimiters=("=",))
    entry.optionxform = str
    entry.read(installed("applications", f"{APP_ID}.desktop"), encoding="utf-8")
    return entry["Desktop Entry"]


def listed(value):
    return [item for item in value.split(";") if item]


def read_metainfo():
    return ET.parse(installed("metainfo", f"{APP_ID}.metainfo.xml")).getroot()


def read_mime_package():
    return ET.parse(installed("mime", "packages", f"{APP_ID}.xml")).getroot()


class Validators(unittest.TestCase):
    def test_desktop_entry_has_no_error_warning_or_hint(self):
        done = run(["desktop-file-validate", installed("applications", f"{APP_ID}.desktop")],
                   check=False)
        self.assertEqual((done.returncode, done.stdout + done.stderr), (0, ""))

    def test_metainfo_validates(self):
        run(["appstreamcli", "validate", "--no-net",
             installed("metainfo", f"{APP_ID}.metainfo.xml")])

    def test_installed_tree_validates_with_its_desktop_entry(self):
        # Unlike a lone validation, this notices a launchable that is not there.
        run(["appstreamcli", "validate-tree", "--no-net", os.path.dirname(SHARE)])


class Names(unittest.TestCase):
    """The files refer to each other by name; each name must lead somewhere."""

    @classmethod
    def setUpClass(cls):
        cls.entry = read_desktop_entry()
        cls.metainfo = read_metainfo()
        cls.mime_types = {t.get("type"): t for t in read_mime_package().iter(f"{MIME_NS}mime-type")}

    def test_every_mime_type_is_defined_and_opened(self):
        in_entry = listed(self.entry["MimeType"])
        provided = [m.text for m in self.metainfo.iter("mediatype")]
        self.assertEqual(len(set(in_entry)), len(in_entry))
        self.assertEqual(set(in_entry), set(self.mime_types))
        self.assertEqual(sorted(provided), sorted(in_entry))
        self.assertEqual(set(MODE_OF_EXAMPLE.values()), set(self.mime_types))

    def test_mime_types_are_text_with_a_comment_and_icons(self):
        for name, mime_type in self.mime_types.items():
            with self.subTest(name):
                self.assertEqual([p.get("type") for p in mime_type.iter(f"{MIME_NS}sub-class-of")],
                                 ["text/plain"])
                self.assertTrue(mime_type.findtext(f"{MIME_NS}comment", "").strip())
                self.assertEqual(mime_type.find(f"{MIME_NS}generic-icon").get("name"),
                                 "text-x-generic")
                self.assertEqual(mime_type.find(f"{MIME_NS}icon").get("name"), APP_ID)

    def test_metainfo_names_the_entry_and_the_programs(self):
        self.assertEqual(self.metainfo.findtext("id"), APP_ID)
        launchable = self.metainfo.find("launchable")
        self.assertEqual((launchable.get("type"), launchable.text),
                         ("desktop-id", f"{APP_ID}.desktop"))
        program, files = self.entry["Exec"].split()
        # %F: the files a file manager opens together go to one window, as a batch.
        self.assertEqual(files, "%F")
        self.assertEqual(sorted(b.text for b in self.metainfo.iter("binary")),
                         sorted([program, "ordelix-convert"]))

    def test_newest_release_is_this_version(self):
        versions = [r.get("version") for r in self.metainfo.iter("release")]
        self.assertEqual(versions[0], VERSION)

    def test_icon_is_installed_in_every_size(self):
        self.assertEqual(self.entry["Icon"], APP_ID)
        found = glob.glob(installed("icons", "hicolor", "*", "apps", f"{APP_ID}.*"))
        self.assertEqual(sorted(found), sorted([icon_png(n) for n in ICON_SIZES] + [icon_svg()]))


class Icon(unittest.TestCase):
    def test_each_png_is_the_size_its_folder_names(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                self.assertEqual(png_pixels.size_of(icon_png(size)), (size, size))

    def test_svg_stands_alone(self):
        # Icon themes render it anywhere: no text, fonts, scripts or other files.
        for element in ET.parse(icon_svg()).iter():
            tag = element.tag.rsplit("}", 1)[-1]
            self.assertNotIn(tag, {"text", "font", "font-face", "image", "script", "style",
                                   "foreignObject", "use"})
            for name, value in element.attrib.items():
                if name.endswith("href"):
                    self.assertTrue(value.startswith("#"), value)

    def test_pngs_are_renderings_of_the_svg(self):
        if not shutil.which("rsvg-convert"):
            self.skipTest("rsvg-convert (librsvg2-bin) is missing")
        fresh = os.path.join(WORK, "rendered.png")
        for size in ICON_SIZES:
            with self.subTest(size=size):
                run(["rsvg-convert", "--width", str(size), "--height", str(size),
                     "--output", fresh, icon_svg()])
                want_size, want = png_pixels.premultiplied_pixels(fresh)
                got_size, got = png_pixels.premultiplied_pixels(icon_png(size))
                self.assertEqual(got_size, want_size)
                worst = max(abs(a - b) for a, b in zip(got, want))
                self.assertLessEqual(worst, ICON_TOLERANCE)


class Layout:
    """A shared MIME database the readers consult, with the environment that
    points them at it."""

    def __init__(self, name, data_home, data_dirs):
        self.name = name
        config = os.path.join(WORK, "config")
        os.makedirs(config, exist_ok=True)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": WORK,
            "LANG": "C.UTF-8",
            "XDG_DATA_HOME": data_home,
            "XDG_DATA_DIRS": data_dirs,
            "XDG_CONFIG_HOME": config,
            "XDG_CONFIG_DIRS": config,
            "GIO_USE_VFS": "local",
        }


def per_user_layout():
    """The package's files in the user's data folder, over the system's."""
    run(["update-mime-database", installed("mime")])
    return Layout("per-user", SHARE, "/usr/share")


def system_layout():
    """The system's folder once the package is installed in it: its MIME
    packages and ours in one database."""
    share = os.path.join(WORK, "system")
    packages = os.path.join(share, "mime", "packages")
    os.makedirs(packages)
    for package in glob.glob("/usr/share/mime/packages/*.xml") + [
            installed("mime", "packages", f"{APP_ID}.xml")]:
        shutil.copy(package, packages)
    run(["update-mime-database", os.path.join(share, "mime")])
    empty_home = os.path.join(WORK, "empty")
    os.makedirs(empty_home)
    return Layout("system", empty_home, share)


def gio_type(path, env):
    out = run(["gio", "info", "--attributes=standard::content-type", path], env).stdout
    return out.rsplit("standard::content-type: ", 1)[1].strip()


def xdg_mime_type(desktop):
    def reader(path, env):
        return run(["xdg-mime", "query", "filetype", path],
                   dict(env, XDG_CURRENT_DESKTOP=desktop)).stdout.strip()
    return reader


def qt_type(path, env):
    return run([MIME_TYPE_OF, path], env).stdout.strip()


# xdg-mime asks GIO on GNOME and its kin, File::MimeInfo (`mimetype`) where
# no desktop is known. File::MimeInfo reads the glob list without weights and
# keeps the first pattern it meets, reading /usr/share before the user's
# folder: only a system-wide install puts our *.wsc ahead of the game ROM's
# there, so it is asked about that layout alone.
READERS = {
    "gio": (gio_type, {"per-user", "system"}),
    "xdg-mime on GNOME": (xdg_mime_type("GNOME"), {"per-user", "system"}),
    "xdg-mime without a desktop": (xdg_mime_type("X-Generic"), {"system"}),
    "Qt": (qt_type, {"per-user", "system"}),
}


class FileTypes(unittest.TestCase):
    """What each reader calls a file, in each layout."""

    @classmethod
    def setUpClass(cls):
        cls.layouts = [per_user_layout(), system_layout()]
        cls.files = os.path.join(WORK, "files")
        os.makedirs(cls.files)

    def file(self, name, content):
        path = os.path.join(self.files, name)
        with open(path, "wb") as f:
            f.write(content)
        return path

    def assertTypes(self, expected):
        """expected: {path: MIME type}, asked of every reader in its layouts."""
        for layout in self.layouts:
            for reader_name, (reader, layouts) in READERS.items():
                if layout.name not in layouts:
                    continue
                for path, mime_type in expected.items():
                    with self.subTest(layout=layout.name, reader=reader_name,
                                      file=os.path.basename(path)):
                        self.assertEqual(reader(path, layout.env), mime_type)

    def test_export_files_get_their_modes_type_in_either_case(self):
        expected = {}
        for example, mime_type in MODE_OF_EXAMPLE.items():
            with open(os.path.join(EXAMPLES, example), "rb") as f:
                content = f.read()
            stem, extension = os.path.splitext(example)
            expected[self.file(stem + extension.upper(), content)] = mime_type
            expected[self.file(stem + "_lower" + extension.lower(), content)] = mime_type
        self.assertTypes(expected)

    def test_the_heavier_glob_decides_whatever_the_content(self):
        # A lone glob is never second-guessed. Where globs conflict (*.wsc),
        # content may only pick a candidate it is a kind of, or win with magic
        # of priority 80 or more; a ROM has none, so the heavier glob stands.
        self.assertTypes({
            self.file("game.wsc", GAME_ROM): WAVELENGTH_SCAN,
            self.file("letter.wsc", b"Dear colleagues,\r\nthe scan is attached.\r\n"):
                WAVELENGTH_SCAN,
            self.file("shopping.pro", b"eggs\r\nmilk\r\n"): PROTEIN,
        })

    def test_first_line_names_the_mode_only_without_a_glob(self):
        self.assertTypes({
            self.file("run", b"2\r\n0\r\n3\r\nLYSATE\r\n"): PROTEIN,
            self.file("run6", b"6\r\n0\r\n1\r\n"): PROTEIN,
            self.file("sample", b"1\r\n0\r\n1\r\nPUC19\r\n"): NUCLEIC_ACID,
            self.file("sample5", b"5\r\n0\r\n4\r\n"): NUCLEIC_ACID,
            self.file("counts.txt", b"2\r\n0\r\n3\r\n"): "text/plain",
        })

    def test_other_first_lines_stay_plain_text(self):
        self.assertTypes({
            self.file("concentration", b"3\r\n0\r\n1\r\n"): "text/plain",
            self.file("twenty", b"20\r\n0\r\n"): "text/plain",
            self.file("unix_lines", b"2\n0\n3\n"): "text/plain",
        })


class DefaultApplication(unittest.TestCase):
    def test_window_opens_every_export_type(self):
        layout = per_user_layout()
        run(["update-desktop-database", installed("applications")])
        env = dict(layout.env, XDG_CURRENT_DESKTOP="X-Generic")
        for mime_type in MODE_OF_EXAMPLE.values():
            with self.subTest(mime_type):
                done = run(["xdg-mime", "query", "default", mime_type], env)
                self.assertEqual(done.stdout.strip(), f"{APP_ID}.desktop")


class ManualPage(unittest.TestCase):
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANROFFSEQ="")

    def setUp(self):
        # Installed compressed, as Debian wants it.
        self.page = installed("man", "man1", "ordelix.1.gz")

    def test_groff_has_no_warning(self):
        with gzip.open(self.page, "rt", encoding="utf-8") as f:
            source = f.read()
        done = subprocess.run(["groff", "-man", "-Tutf8", "-ww", "-z"], input=source,
                              capture_output=True, text=True, env=self.env)
        self.assertEqual((done.returncode, done.stderr), (0, ""))

    def test_man_has_no_warning(self):
        # As lintian reads manual pages.
        done = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", self.page], self.env)
        self.assertEqual(done.stderr, "")

    def test_whatis_entry_names_the_window(self):
        done = run(["lexgrog", self.page], self.env)
        self.assertRegex(done.stdout, r': "ordelix - \S')


def main():
    global BUILD, CMAKE, VERSION, EXAMPLES, MIME_TYPE_OF
    if len(sys.argv) != 6:
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    BUILD, CMAKE, VERSION, EXAMPLES, MIME_TYPE_OF = sys.argv[1:]
    missing = sorted({package for tool, package in TOOLS.items() if not shutil.which(tool)})
    if missing:
        print(f"skipped: needs the Debian packages {' '.join(missing)}")
        return SKIPPED
    result = unittest.main(module=sys.modules[__name__], argv=[sys.argv[0], "-v"],
                           exit=False).result
    # A failed subtest stands for its whole test.
    failed = len({getattr(test, "test_case", test).id()
                  for test, _ in result.failures + result.errors})
    passed = result.testsRun - failed - len(result.skipped)
    print(f"{passed} passed, {failed} failed" +
          (f", {len(result.skipped)} skipped" if result.skipped else ""))
    return 0 if result.wasSuccessful() and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
