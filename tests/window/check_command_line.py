#!/usr/bin/python3
"""The window program's command line without a display: --help and
--version print and end, an unknown option is a usage error, and the man
page names every option the help lists.

Usage: check_command_line.py ORDELIX VERSION MAN_PAGE
"""

import os
import re
import subprocess
import sys
import unittest

ORDELIX = VERSION = MAN_PAGE = None


def run(*args):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return subprocess.run([ORDELIX, *args], env=env, capture_output=True, text=True, timeout=30)


class WithoutDisplay(unittest.TestCase):
    def test_help_prints_the_usage_and_ends(self):
        for flag in ("--help", "-h"):
            with self.subTest(flag=flag):
                done = run(flag)
                self.assertEqual((done.returncode, done.stderr), (0, ""))
                self.assertEqual(done.stdout.splitlines()[0], "Usage: ordelix [FILE...]")
                self.assertIn("  -V, --version", done.stdout)

    def test_version_prints_the_projects(self):
        for flag in ("--version", "-V"):
            with self.subTest(flag=flag):
                done = run(flag)
                self.assertEqual((done.returncode, done.stdout, done.stderr),
                                 (0, f"ordelix {VERSION}\n", ""))

    def test_an_unknown_option_is_a_usage_error(self):
        # Given before a file that would open the window, were it read.
        done = run("--bogus", "run.PRO")
        self.assertEqual((done.returncode, done.stdout), (2, ""))
        self.assertEqual(done.stderr, "ordelix: unknown option --bogus (ordelix --help tells more)\n")

    def test_the_man_page_names_every_option_of_the_help(self):
        options = re.findall(r"(?<![\w-])(--?[a-zA-Z][\w-]*)", run("--help").stdout)
        self.assertEqual(sorted(set(options)), ["--help", "--version", "-V", "-h"])
        with open(MAN_PAGE, encoding="utf-8") as f:
            source = f.read().replace("\\-", "-")
        for option in options:
            with self.subTest(option=option):
                self.assertRegex(source, rf"(?<![\w-]){re.escape(option)}(?![\w-])")


def main():
    global ORDELIX, VERSION, MAN_PAGE
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    ORDELIX, VERSION, MAN_PAGE = sys.argv[1:]
    result = unittest.main(argv=sys.argv[:1], verbosity=2, exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
