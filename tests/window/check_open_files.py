#!/usr/bin/python3
"""The real window on its own Xvfb display, as a file manager starts it:
`ordelix FILE` shows FILE's preview; a later `ordelix OTHER` leaves at once and
OTHER's preview joins the first window; two started at the same moment end as
one window; a window that hangs gets no files, the next opens its own.

Usage: check_open_files.py ORDELIX EXAMPLES_DIR [SCREENSHOT.png]
Exits 77, skipped, without Xvfb or xdotool.
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

ORDELIX = EXAMPLES = SCREENSHOT = None
SKIPPED = 77
FIRST, OTHER = "scan_step5.WSC", "bca_std.PRO"
SAVE_DIALOG = "Save report as"


def title_pattern(title):
    """xdotool's pattern for exactly this title."""
    return "^" + "".join("\\" + c if c in ".^$*+?()[]{}|\\" else c for c in title) + "$"


def read_display_number(pipe, seconds=30):
    """What Xvfb writes once it takes connections: its number and a newline."""
    told = b""
    deadline = time.monotonic() + seconds
    while not told.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([pipe], [], [], left)[0]:
            break
        chunk = os.read(pipe, 16)
        if not chunk:
            break
        told += chunk
    if not told.strip().isdigit():
        raise RuntimeError("Xvfb told no display number")
    return told.decode().strip()


class Display:
    """An Xvfb server on a display number it picks itself, so that parallel
    runs do not meet, with a window manager when there is one. Without one,
    the server would reset whenever its last client left, refusing whoever
    connects meanwhile: -noreset."""

    def __init__(self):
        self.manager = None
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            self.name = ":" + read_display_number(read_end)
            if shutil.which("openbox") and shutil.which("xprop"):
                self.manager = subprocess.Popen(
                    ["openbox", "--sm-disable"], env=dict(os.environ, DISPLAY=self.name),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                self.wait_for_manager()
        except BaseException:
            self.close()
            raise
        finally:
            os.close(read_end)

    def wait_for_manager(self):
        """Until it manages the screen: a window mapped before is placed by nobody."""
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and self.manager.poll() is None:
            check = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                   env=dict(os.environ, DISPLAY=self.name),
                                   capture_output=True, text=True, timeout=30)
            if "window id" in check.stdout:
                return
            time.sleep(0.1)
        raise RuntimeError("the window manager did not start")

    def close(self):
        for process in (self.manager, self.server):
            if process is not None:
                end(process)


def end(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Session:
    """A user's session on the display: a throwaway home and runtime folder,
    and the export files copied where the window may save beside them."""

    def __init__(self, display):
        self.root = tempfile.mkdtemp(prefix="ordelix-open-")
        self.data = os.path.join(self.root, "data")
        runtime = os.path.join(self.root, "run")
        os.mkdir(self.data)
        os.mkdir(runtime, 0o700)
        for name in (FIRST, OTHER):
            shutil.copy(os.path.join(EXAMPLES, name), self.data)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM")}
        home = os.path.join(self.root, "home")
        self.env.update(DISPLAY=display.name, HOME=home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"),
                        XDG_DATA_HOME=os.path.join(home, ".local/share"))
        self.processes = []

    def start(self, argument, cwd):
        process = subprocess.Popen([ORDELIX, argument], cwd=cwd, env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def close(self):
        for process in self.processes:
            end(process)
        shutil.rmtree(self.root, ignore_errors=True)

    def xdotool(self, *arguments):
        """Its output's words; none when it found nothing."""
        done = subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True,
                              text=True, timeout=30)
        return done.stdout.split() if done.returncode == 0 else []

    def windows(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", title_pattern(title))

    def pid_of(self, window):
        found = self.xdotool("getwindowpid", window)
        return int(found[0]) if found else None

    def wait_for_window(self, title, owners, seconds=30):
        """The visible windows titled so, waiting while any owner runs."""
        deadline = time.monotonic() + seconds
        while True:
            found = self.windows(title)
            if found:
                return found
            running = [p for p in owners if p.poll() is None]
            if not running:
                raise AssertionError(f"no window {title!r}: the program ended with "
                                     f"{[p.returncode for p in owners]}")
            if time.monotonic() > deadline:
                raise AssertionError(f"no window {title!r} within {seconds} s")
            time.sleep(0.1)

    def answer_save_dialog(self, key, owners, seconds=30):
        """Presses `key` in the save dialog a conversion opened, until it is gone."""
        [dialog] = self.wait_for_window(SAVE_DIALOG, owners)
        self.xdotool("windowfocus", "--sync", dialog, "key", key)
        deadline = time.monotonic() + seconds
        while dialog in self.windows(SAVE_DIALOG):
            if time.monotonic() > deadline:
                raise AssertionError(f"the save dialog took no {key} within {seconds} s")
            time.sleep(0.1)


def wait_for_exit(process, seconds):
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        return None


def wait_for_one_to_leave(processes, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        left = [p for p in processes if p.poll() is not None]
        if left:
            return left
        time.sleep(0.1)
    return []


class OpenFiles(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = Display()

    @classmethod
    def tearDownClass(cls):
        cls.display.close()

    def setUp(self):
        self.session = Session(self.display)
        self.addCleanup(self.session.close)

    def test_a_second_command_hands_its_file_to_the_running_window(self):
        s = self.session
        first = s.start(FIRST, cwd=s.data)
        [first_preview] = s.wait_for_window(f"Report - {FIRST}", [first])

        other = s.start(os.path.join("data", OTHER), cwd=s.root)
        self.assertEqual(wait_for_exit(other, 15), 0, "the second command leaves at once")
        # The first file's save dialog is answered before the next file opens.
        s.answer_save_dialog("Return", [first])
        [other_preview] = s.wait_for_window(f"Report - {OTHER}", [first])
        self.assertTrue(os.path.exists(os.path.join(s.data, "scan_step5.xlsx")))

        self.assertEqual(s.pid_of(first_preview), first.pid)
        self.assertEqual(s.pid_of(other_preview), first.pid)
        main_windows = s.windows("TAVRO")
        self.assertEqual(len(main_windows), 1, "one main window")
        self.assertEqual(s.pid_of(main_windows[0]), first.pid)
        self.assertIsNone(first.poll())
        if SCREENSHOT:
            s.wait_for_window(SAVE_DIALOG, [first])
            subprocess.run(["import", "-window", "root", SCREENSHOT], env=s.env, check=True,
                           timeout=30)

    def test_two_started_at_the_same_moment_end_as_one_window(self):
        s = self.session
        both = [s.start(FIRST, cwd=s.data), s.start(OTHER, cwd=s.data)]
        s.answer_save_dialog("Escape", both)
        previews = [s.wait_for_window(f"Report - {name}", both)[0] for name in (FIRST, OTHER)]

        leaving = wait_for_one_to_leave(both, 15)
        self.assertEqual(len(leaving), 1, "one of them hands its file to the other")
        self.assertEqual(leaving[0].returncode, 0)
        [staying] = [p for p in both if p is not leaving[0]]
        self.assertEqual([s.pid_of(w) for w in previews], [staying.pid, staying.pid])
        self.assertEqual(len(s.windows("TAVRO")), 1, "one main window")

    def test_a_window_that_hangs_does_not_keep_a_file_from_opening(self):
        s = self.session
        hung = s.start(FIRST, cwd=s.data)
        s.wait_for_window(f"Report - {FIRST}", [hung])
        hung.send_signal(signal.SIGSTOP)
        self.addCleanup(hung.send_signal, signal.SIGCONT)

        other = s.start(OTHER, cwd=s.data)
        [preview] = s.wait_for_window(f"Report - {OTHER}", [other])
        self.assertEqual(s.pid_of(preview), other.pid, "a window of its own")


def main():
    global ORDELIX, EXAMPLES, SCREENSHOT
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip().splitlines()[-2], file=sys.stderr)
        return 2
    if not (shutil.which("Xvfb") and shutil.which("xdotool")):
        print("skipped: needs Xvfb and xdotool")
        return SKIPPED
    ORDELIX, EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:3])
    SCREENSHOT = os.path.abspath(sys.argv[3]) if len(sys.argv) == 4 else None
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # so that the cleanups run
    program = unittest.main(argv=sys.argv[:1], exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
