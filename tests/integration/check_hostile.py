#!/usr/bin/python3
"""Runs the real ordelix-convert against hostile files, names, signals and
file systems, and reads what it left behind.

Usage: check_hostile.py CONVERTER EXAMPLES_DIR GOLDEN_DIR

Tests that mount small file systems need root (and the right to mount); they
skip with a message where that is missing.
"""

import os
import re
import resource
import shutil
import signal
import socket
import stat
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_reports as base  # noqa: E402
from check_reports import ON_WINDOWS, ConverterCase, export_lines, open_sheet, write_export  # noqa: E402

# Names Windows keeps for devices in every folder, any case, any extension.
WINDOWS_DEVICES = ("NUL", "CON", "com1", "LPT9", "aux")
NO_SIGNALS = ("the Windows program removes its hidden file on Ctrl-C or the console's "
              "closing, which a POSIX signal to wine's process is not; and its files "
              "cannot be watched through /proc")

SCAN_POINTS = 32000  # the most a report holds: its workbook is the largest there is
LAST_SCAN_ROW = 15 + SCAN_POINTS  # data rows start at 16


def scan_lines(points=SCAN_POINTS):
    """A wavelength scan, OD, 1 nm steps from 190 nm."""
    header = [b"7", b"0", b"1", b"HOSTILE", b"4", b"1", b"3.0", b"0.0", b"190",
              str(190 + points - 1).encode(), b"3", b"0", str(points).encode()]
    return header + [f"{0.1 + (i % 997) / 1000:.4f}".encode() for i in range(points)]


def sheet_xml(report):
    with zipfile.ZipFile(report) as z:
        return z.read("xl/worksheets/sheet1.xml").decode()


def shared_strings(report):
    with zipfile.ZipFile(report) as z:
        xml = z.read("xl/sharedStrings.xml").decode()
    return re.findall(r"<t[^>]*>([^<]*)</t>", xml)


def as_read(stored):
    """What a reader that follows the format shows: _xHHHH_ is the character HHHH."""
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), stored)


def core_created(report):
    with zipfile.ZipFile(report) as z:
        core = z.read("docProps/core.xml").decode()
    return re.search(r"<dcterms:created[^>]*>([^<]*)<", core).group(1)


def threads_below(pid):
    """The threads of `pid`'s children, as (task id, state)."""
    threads = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{entry}/stat") as f:
                if int(f.read().rsplit(")", 1)[1].split()[1]) != pid:
                    continue
            for task in os.listdir(f"/proc/{entry}/task"):
                with open(f"/proc/{entry}/task/{task}/stat") as f:
                    threads.append((int(task), f.read().rsplit(")", 1)[1].split()[0]))
        except OSError:
            continue
    return threads


def task_states_below(pid):
    """The states of the threads of `pid`'s children."""
    return [state for _, state in threads_below(pid)]


def system_call_names(tid, path):
    """Whether the system call the stopped thread `tid` is in names `path`
    among its first three arguments."""
    try:
        with open(f"/proc/{tid}/syscall") as f:
            fields = f.read().split()
        with open(f"/proc/{tid}/mem", "rb", buffering=0) as memory:
            for argument in fields[1:4]:
                try:
                    memory.seek(int(argument, 16))
                    if memory.read(len(path) + 1) == os.fsencode(path) + b"\0":
                        return True
                except (OSError, ValueError, OverflowError):
                    continue
    except OSError:
        pass
    return False


def without_core_dumps():
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


class HostileCase(ConverterCase):
    def elsewhere(self):
        """A folder the run's watch does not read: pipes there would block it."""
        folder = tempfile.mkdtemp(prefix="ordelix-hostile-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        return folder

    def mounted(self, fstype, size=None):
        if os.geteuid() != 0:
            self.skipTest(f"mounting a {fstype} needs root")
        point = self.elsewhere()
        options = ["-o", f"size={size}"] if size else []
        done = subprocess.run(["mount", "-t", fstype, *options, fstype, point],
                              capture_output=True, text=True)
        if done.returncode != 0:
            self.skipTest(f"cannot mount a {fstype}: {done.stderr.strip()}")
        self.addCleanup(subprocess.run, ["umount", "-l", point], capture_output=True)
        return point

    def scan(self, name="scan.WSC"):
        return write_export(self.path(name), scan_lines())

    def stopped_while_writing(self, out, unnamed=False):
        """A conversion into `out`, stopped once it holds a file there; with
        `unnamed`, once it writes its report as a file without a name."""
        source = self.scan()
        child = subprocess.Popen([base.CONVERTER, "-d", out, source],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(child.kill)
        fds = f"/proc/{child.pid}/fd"
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            try:
                links = [os.readlink(os.path.join(fds, fd)) for fd in os.listdir(fds)]
            except OSError:
                links = []
            if any(link.startswith(out + "/") and (not unnamed or link.endswith(" (deleted)"))
                   for link in links):
                child.send_signal(signal.SIGSTOP)
                return child
            if child.poll() is not None:
                break
        self.fail("the conversion never held a file in its report folder")

    def assert_one_line_about(self, run, *needles):
        self.assertEqual(run.rc, 1, run.err)
        self.assertEqual(len(run.err.splitlines()), 1, run.err)
        for needle in needles:
            self.assertIn(needle, run.err)


# --- full and odd file systems ----------------------------------------------

class FileSystems(HostileCase):
    def test_full_temporary_folder_does_not_cut_the_report(self):
        if ON_WINDOWS:
            self.skipTest("the Windows program's temporary folder is the wine prefix's, from "
                          "its registry, not TMPDIR: a small file system there would be "
                          "every wine run's")
        tiny = self.mounted("tmpfs", "16k")
        source = self.scan()
        report = self.path("scan.xlsx")
        self.assert_converted(self.convert("-o", report, source))
        self.assert_converted(self.convert("-f", "-o", report, source, env={"TMPDIR": tiny}))
        with zipfile.ZipFile(report) as z:
            self.assertIsNone(z.testzip())
        self.assertIn(f'<row r="{LAST_SCAN_ROW}"', sheet_xml(report))
        self.assertTrue(sheet_xml(report).endswith("</worksheet>"))

    def test_full_report_disk_keeps_the_old_report_and_names_the_cause(self):
        # The Windows program keeps the workbook's parts in its temporary folder,
        # not beside the report: a disk that the report alone overfills.
        disk = self.mounted("tmpfs", "512k" if ON_WINDOWS else "1m")
        source = self.scan()
        report = os.path.join(disk, "scan.xlsx")
        with open(report, "wb") as f:
            f.write(b"the earlier report")
        run = self.convert("-f", "-o", report, source)
        self.assert_one_line_about(run, source, "No space left on device")
        with open(report, "rb") as f:
            self.assertEqual(f.read(), b"the earlier report")
        self.assertEqual(os.listdir(disk), ["scan.xlsx"])

    def test_file_time_beyond_the_workbook_leaves_the_date_empty(self):
        ramfs = self.mounted("ramfs")  # keeps no birth time: the modification time counts
        source = shutil.copyfile(os.path.join(base.EXAMPLES, "lowry_kfactor.PRO"),
                                 os.path.join(ramfs, "dated.PRO"))
        for seconds, created in ((2**63 - 1, "9999-12-31T23:59:59Z"),
                                 (253402300800, "9999-12-31T23:59:59Z"),
                                 (-2208988801, "1900-01-01T00:00:00Z")):
            with self.subTest(seconds=seconds):
                if ON_WINDOWS and seconds == 2**63 - 1:
                    self.skipTest("wine's sum for the Windows file time of this one "
                                  "overflows to 1969-12-31 23:59:59")
                os.utime(source, (0, seconds))
                report = self.path(f"dated{seconds}.xlsx")
                run = self.convert("-o", report, source, env={"TZ": "UTC"})
                self.assertEqual(run.rc, 0, run.err)
                self.assertEqual(len(run.err.splitlines()), 1, run.err)
                self.assertIn("warning", run.err)
                self.assertIn("1900 to 9999", run.err)
                ws = open_sheet(report)
                self.assertEqual(ws["A2"].value.strip(), "Time & Date")
                self.assertIsNone(ws["D2"].value)
                self.assertEqual(core_created(report), created)

    def test_file_time_zero_is_1970_in_the_cell_and_in_the_properties(self):
        ramfs = self.mounted("ramfs")
        source = shutil.copyfile(os.path.join(base.EXAMPLES, "lowry_kfactor.PRO"),
                                 os.path.join(ramfs, "epoch.PRO"))
        os.utime(source, (0, 0))
        report = self.path("epoch.xlsx")
        self.assert_converted(self.convert("-o", report, source, env={"TZ": "UTC"}))
        self.assertEqual(str(open_sheet(report)["D2"].value), "1970-01-01 00:00:00")
        self.assertTrue(core_created(report).startswith("1970-01-01T00:00:0"), core_created(report))

    def test_file_time_far_from_now_within_the_workbook_years_is_kept(self):
        ramfs = self.mounted("ramfs")
        source = shutil.copyfile(os.path.join(base.EXAMPLES, "lowry_kfactor.PRO"),
                                 os.path.join(ramfs, "far.PRO"))
        for seconds, shown, created in (
                (-631152000, "1950-01-01 00:00:00", "1950-01-01T00:00:00Z"),  # 7305 days before
                (-2208988800, "1900-01-01 00:00:00", "1900-01-01T00:00:00Z"),  # the first second
                (95617584000, "5000-01-01 00:00:00", "5000-01-01T00:00:00Z"),  # 1106685 days on
                (253402300799, "9999-12-31 23:59:59", "9999-12-31T23:59:59Z")):  # the last
            with self.subTest(seconds=seconds):
                os.utime(source, (0, seconds))
                report = self.path(f"far{seconds}.xlsx")
                self.assert_converted(self.convert("-o", report, source, env={"TZ": "UTC"}))
                self.assertEqual(str(base.round_to_second(open_sheet(report)["D2"].value)), shown)
                self.assertEqual(core_created(report), created)

    def test_device_is_never_replaced(self):
        if os.geteuid() != 0:
            self.skipTest("making a device node needs root")
        device = os.path.join(self.elsewhere(), "null.xlsx")
        os.mknod(device, stat.S_IFCHR | 0o666, os.makedev(1, 3))
        source = self.copy_example("lowry_kfactor.PRO", "run.PRO")
        self.assert_one_line_about(self.convert("-f", "-o", device, source), device)
        self.assertTrue(stat.S_ISCHR(os.lstat(device).st_mode))


# --- a stick without hard links ----------------------------------------------

# The tools an exFAT stick takes, with the packages that hold them.
STICK_TOOLS = {"mkfs.exfat": "exfatprogs", "mount.exfat-fuse": "exfat-fuse", "losetup": "mount"}


class Stick(HostileCase):
    """exFAT through FUSE, as a USB stick is often mounted: no unnamed files, no
    hard links and no renames that spare an existing name."""

    def run_or_skip(self, why, *command):
        done = subprocess.run(command, capture_output=True, text=True)
        if done.returncode != 0:
            self.skipTest(f"{why}: {done.stderr.strip()}")
        return done.stdout.strip()

    def stick(self, size=16 << 20):
        if os.geteuid() != 0:
            self.skipTest("mounting an exFAT stick needs root")
        for device in ("/dev/fuse", "/dev/loop-control"):
            if not os.path.exists(device):
                self.skipTest(f"mounting an exFAT stick needs {device}")
        missing = [f"{tool} ({package})" for tool, package in STICK_TOOLS.items()
                   if shutil.which(tool) is None]
        if missing:
            self.skipTest("mounting an exFAT stick needs " + ", ".join(missing))
        image = os.path.join(self.elsewhere(), "stick.img")
        with open(image, "wb") as f:
            f.truncate(size)
        self.run_or_skip("cannot make an exFAT image", "mkfs.exfat", image)
        loop = self.run_or_skip("cannot attach the image to a loop device",
                                "losetup", "--find", "--show", image)
        self.addCleanup(subprocess.run, ["losetup", "-d", loop], capture_output=True)
        point = self.elsewhere()
        self.run_or_skip("cannot mount an exFAT stick", "mount.exfat-fuse", loop, point)
        self.addCleanup(subprocess.run, ["umount", "-l", point], capture_output=True)
        return point

    def assert_whole_scan_report(self, report):
        with zipfile.ZipFile(report) as z:
            self.assertIsNone(z.testzip())
        self.assertIn(f'<row r="{LAST_SCAN_ROW}"', sheet_xml(report))
        self.assertTrue(sheet_xml(report).endswith("</worksheet>"))

    def test_report_is_placed_without_force(self):
        stick = self.stick()
        report = os.path.join(stick, "scan.xlsx")
        self.assert_converted(self.convert("-o", report, self.scan()))
        self.assert_whole_scan_report(report)
        self.assertEqual(os.listdir(stick), ["scan.xlsx"])

    def test_existing_report_is_kept_without_force_and_replaced_with_it(self):
        stick = self.stick()
        source = self.scan()
        report = os.path.join(stick, "scan.xlsx")
        with open(report, "wb") as f:
            f.write(b"the earlier report")
        run = self.convert("-o", report, source)
        self.assert_one_line_about(run, source, "the report file already exists", report)
        with open(report, "rb") as f:
            self.assertEqual(f.read(), b"the earlier report")
        self.assertEqual(os.listdir(stick), ["scan.xlsx"])
        self.assert_converted(self.convert("-f", "-o", report, source))
        self.assert_whole_scan_report(report)
        self.assertEqual(os.listdir(stick), ["scan.xlsx"])

    def test_batch_onto_the_stick_is_what_a_disk_gets_and_stays_without_force(self):
        stick = self.stick()
        names = ("bradford_std.PRO", "culture_od.OD", "scan_step1.WSC")
        sources = [self.copy_example(name, "runs", name) for name in names]
        reports = sorted(os.path.splitext(name)[0] + ".xlsx" for name in names)
        on_disk = self.folder("on-disk")
        self.assert_converted(self.convert("-d", on_disk, *sources))
        out = os.path.join(stick, "reports")
        self.assert_converted(self.convert("-j", "2", "-d", out, *sources))
        self.assertEqual(sorted(os.listdir(out)), reports)
        self.assertEqual(os.listdir(stick), ["reports"])
        for name in reports:
            with open(os.path.join(out, name), "rb") as stuck, \
                    open(os.path.join(on_disk, name), "rb") as disk:
                self.assertEqual(stuck.read(), disk.read(), name)
        before = {name: os.stat(os.path.join(out, name)).st_mtime_ns for name in reports}
        run = self.convert("-d", out, *sources)
        self.assertEqual(run.rc, 1, run.err)
        self.assertEqual(len(run.err.splitlines()), 3, run.err)
        self.assertEqual(run.err.count("the report file already exists"), 3, run.err)
        self.assertEqual(sorted(os.listdir(out)), reports)
        self.assertEqual({name: os.stat(os.path.join(out, name)).st_mtime_ns
                          for name in reports}, before)

    def test_names_the_stick_takes_for_one_are_refused_before_anything_is_written(self):
        stick = self.stick()
        out = os.path.join(stick, "out")
        for first, second in (("Run.PRO", "run.PRO"), ("Über.PRO", "üBER.PRO")):
            sources = [self.copy_example("bradford_std.PRO", "a", first),
                       self.copy_example("lowry_kfactor.PRO", "b", second)]
            # Wine reads the system's names in the locale's encoding.
            env = {"LC_ALL": "C.UTF-8"} if ON_WINDOWS else None
            for force in ((), ("-f",)):
                with self.subTest(names=(first, second), force=force):
                    run = self.convert(*force, "-d", out, *sources, env=env)
                    self.assertEqual(run.rc, 2, run.err)
                    self.assertIn(f"{sources[0]} and {sources[1]} would both write", run.err)
                    self.assertIn("nothing was converted", run.err)
                    self.assertEqual(os.listdir(stick), [])
            if ON_WINDOWS:
                continue  # every Windows folder is case-blind, wine's too
            # A folder that keeps case takes both.
            on_disk = self.folder("on-disk", first)
            self.assert_converted(self.convert("-d", on_disk, *sources))
            self.assertEqual(sorted(os.listdir(on_disk)),
                             sorted(os.path.splitext(n)[0] + ".xlsx" for n in (first, second)))

    def test_a_report_of_the_other_case_is_not_kept_for_a_file(self):
        stick = self.stick()
        out = os.path.join(stick, "out")
        first = self.copy_example("bradford_std.PRO", "a", "Run.PRO")
        second = self.copy_example("lowry_kfactor.PRO", "b", "run.PRO")
        self.assert_converted(self.convert("-d", out, first))
        report = os.path.join(out, "Run.xlsx")
        with open(report, "rb") as f:
            made = f.read()
        run = self.convert("-n", "-d", out, second)
        self.assert_one_line_about(run, second, "is not this file's report", "--force")
        self.assertEqual(os.listdir(out), ["Run.xlsx"])
        with open(report, "rb") as f:
            self.assertEqual(f.read(), made)
        kept = self.convert("-n", "-d", out, first)
        self.assert_converted(kept)
        self.assertIn("1 skipped", kept.out)

    def test_failure_leaves_nothing_and_the_earlier_report(self):
        stick = self.stick()
        source = self.scan()
        earlier = os.path.join(stick, "earlier.xlsx")
        with open(earlier, "wb") as f:
            f.write(b"the earlier report")
        room = os.statvfs(stick)
        with open(os.path.join(stick, "filler"), "wb") as f:
            f.write(bytes(room.f_bavail * room.f_frsize - (256 << 10)))  # less than the report
        for report, force in ((os.path.join(stick, "new.xlsx"), ()), (earlier, ("-f",))):
            with self.subTest(report=report):
                run = self.convert(*force, "-o", report, source)
                self.assert_one_line_about(run, source, "No space left on device")
                with open(earlier, "rb") as f:
                    self.assertEqual(f.read(), b"the earlier report")
                self.assertEqual(sorted(os.listdir(stick)), ["earlier.xlsx", "filler"])

    def held_after_its_link(self, tracer, folder):
        """Waits until the traced conversion, its hidden file in `folder`, is held
        on its way back from the hard link."""
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and tracer.poll() is None:
            staged = any(name.startswith(base.TEMP_PREFIX) for name in os.listdir(folder))
            # Only the link stops it: the tracer filters the other calls in the kernel.
            if staged and any(state == "t" for state in task_states_below(tracer.pid)):
                return
            time.sleep(0.005)
        self.fail("the conversion was never held at its hard link")

    def test_report_that_appears_while_placing_is_kept(self):
        if ON_WINDOWS:
            self.skipTest("the Windows program places a report by moving it, never by a hard "
                          "link, and strace cannot hold wine's call")
        stick = self.stick()
        if shutil.which("strace") is None:
            self.skipTest("holding a conversion at its hard link needs strace")
        source = self.copy_example("bradford_std.PRO", "run.PRO")
        report = os.path.join(stick, "run.xlsx")
        # Held after the link, not before: on a name already taken the link
        # fails with EEXIST and no other way of placing it is tried.
        tracer = subprocess.Popen(
            ["strace", "-f", "-qq", "-o", "/dev/null", "--seccomp-bpf", "-e", "trace=link,linkat",
             "-e", "inject=link,linkat:delay_exit=2000000", base.CONVERTER, "-o", report, source],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            # The leak check of a sanitizer build cannot run under a tracer.
            env={**os.environ, "ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"})
        self.addCleanup(tracer.kill)
        self.held_after_its_link(tracer, stick)
        with open(report, "wb") as f:
            f.write(b"another program's report")
        _, err = tracer.communicate(timeout=60)
        self.assertEqual(tracer.returncode, 1, err)
        self.assertIn("the report file already exists", err)
        with open(report, "rb") as f:
            self.assertEqual(f.read(), b"another program's report")
        self.assertEqual(os.listdir(stick), ["run.xlsx"])

    def test_name_the_stick_refuses_fails_and_leaves_nothing(self):
        stick = self.stick()
        source = self.copy_example("bradford_std.PRO", "run.PRO")
        for name in ("a:b.xlsx", "what?.xlsx"):  # characters exFAT keeps out of names
            with self.subTest(name=name):
                report = os.path.join(stick, name)
                run = self.convert("-o", report, source)
                self.assert_one_line_about(run, source, report)
                if not ON_WINDOWS:
                    self.assertEqual(run.err, f"ordelix-convert: {source}: the folder's file "
                                     f"system does not accept this name for the report: {report}\n")
                self.assertEqual(os.listdir(stick), [])

    def many_runs(self, count=600):
        """A folder of `count` small export files."""
        folder = self.folder("runs")
        for i in range(count):
            self.copy_example("bradford_std.PRO", "runs", f"run{i:03}.PRO")
        return folder

    def hidden_files(self, folder):
        return [name for name in os.listdir(folder) if name.startswith(base.TEMP_PREFIX)]

    def assert_whole_reports(self, folder):
        for name in os.listdir(folder):
            with zipfile.ZipFile(os.path.join(folder, name)) as z:
                self.assertIsNone(z.testzip(), name)

    def test_interrupted_batch_leaves_no_hidden_file(self):
        if ON_WINDOWS:
            self.skipTest(NO_SIGNALS)
        stick = self.stick(64 << 20)
        runs = self.many_runs()
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT):
            with self.subTest(signal=sig.name):
                out = os.path.join(stick, "out-" + sig.name)
                os.mkdir(out)
                child = subprocess.Popen([base.CONVERTER, "-j", "2", "-d", out, runs],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                         preexec_fn=without_core_dumps)
                self.addCleanup(child.kill)
                # Past the first chunk, and more staged files in the folder.
                while child.poll() is None:
                    names = os.listdir(out)
                    hidden = len(self.hidden_files(out))
                    if hidden > 0 and len(names) - hidden >= 100:
                        child.send_signal(sig)
                        break
                self.assertEqual(child.wait(timeout=60), -sig)
                self.assertEqual(self.hidden_files(out), [])
                self.assert_whole_reports(out)
                shutil.rmtree(out)

    def test_closed_output_pipe_ends_the_batch_with_every_report_and_a_message(self):
        if ON_WINDOWS:
            self.skipTest("a closed pipe is a signal only on POSIX systems")
        stick = self.stick(64 << 20)
        runs = self.many_runs()
        out = os.path.join(stick, "out")
        child = subprocess.Popen([base.CONVERTER, "-v", "-j", "2", "-d", out, runs],
                                 stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.addCleanup(child.kill)
        shown = [child.stdout.readline() for _ in range(2)]  # as `| head -2`
        child.stdout.close()
        err = child.stderr.read()
        self.assertEqual(child.wait(timeout=120), 1, err)
        self.assertEqual(shown[0], f"{runs}/run000.PRO -> {out}/run000.xlsx\n")
        self.assertEqual(err, "ordelix-convert: cannot write to standard output: Broken pipe\n")
        self.assertEqual(self.hidden_files(out), [])
        self.assertEqual(sorted(os.listdir(out)), [f"run{i:03}.xlsx" for i in range(600)])
        self.assert_whole_reports(out)

    def test_batch_onto_the_stick_flushes_each_report_before_naming_it(self):
        if ON_WINDOWS:
            self.skipTest("strace cannot see wine's calls as the Windows program makes them")
        if shutil.which("strace") is None:
            self.skipTest("watching the flushes needs strace")
        stick = self.stick()
        runs = self.many_runs(4)
        out = os.path.join(stick, "out")
        trace = os.path.join(self.elsewhere(), "trace")
        # The kernel does not pass a flush of the whole file system on to FUSE.
        done = subprocess.run(
            ["strace", "-f", "-qq", "-y", "-o", trace, "-e",
             "trace=fsync,fdatasync,syncfs,rename,renameat,renameat2",
             base.CONVERTER, "-j", "2", "-d", out, runs],
            capture_output=True, text=True, timeout=60,
            env={**os.environ, "ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"})
        self.assertEqual(done.returncode, 0, done.stderr)
        flushed, named = set(), []
        with open(trace) as f:
            for line in f:
                if m := re.search(r"\b(?:fsync|fdatasync)\(\d+<([^>]*)>\) += 0", line):
                    flushed.add(m.group(1))
                elif m := re.search(r'\brename(?:at2?)?\(.*?"([^"]*)".*?"([^"]*)".* = 0$', line):
                    self.assertIn(m.group(1), flushed, f"named {m.group(2)} unflushed")
                    named.append(m.group(2))
        self.assertEqual(sorted(named), [os.path.join(out, f"run{i:03}.xlsx") for i in range(4)])

    def converter_held_at(self, tracer, path):
        """The id of the traced converter, once it is held in a system call on `path`."""
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline and tracer.poll() is None:
            for tid, state in threads_below(tracer.pid):
                if state == "t" and system_call_names(tid, path):
                    with open(f"/proc/{tid}/status") as f:
                        return int(re.search(r"^Tgid:\s*(\d+)", f.read(), re.M).group(1))
            time.sleep(0.005)
        self.fail(f"the conversion was never held at {path}")

    def traced(self, tracing, *args):
        """The converter under strace, with `tracing` its options. Stopped only
        at the calls traced: at every call, a check for the one held could
        catch another call on the same name, such as the one that reserves
        it, when a busy machine leaves the stop long enough to be seen."""
        tracer = subprocess.Popen(
            ["strace", "-f", "-qq", "-o", "/dev/null", "--seccomp-bpf", *tracing, base.CONVERTER,
             *args],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
            env={**os.environ, "ASAN_OPTIONS": os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0"})
        self.addCleanup(tracer.kill)
        return tracer

    def test_signal_while_placing_removes_only_what_the_run_made(self):
        if ON_WINDOWS:
            self.skipTest(NO_SIGNALS)
        if shutil.which("strace") is None:
            self.skipTest("holding a conversion while it places its report needs strace")
        stick = self.stick()
        source = self.copy_example("bradford_std.PRO", "run.PRO")
        report = os.path.join(stick, "run.xlsx")
        with self.subTest("the report just renamed over the empty file that held its name"):
            tracer = self.traced(["-e", "trace=rename", "-e", "inject=rename:delay_exit=2000000"],
                                 "-o", report, source)
            os.kill(self.converter_held_at(tracer, report), signal.SIGTERM)
            _, err = tracer.communicate(timeout=60)
            self.assertEqual(tracer.returncode, -signal.SIGTERM, err)
            self.assertEqual(os.listdir(stick), ["run.xlsx"])
            self.assert_whole_reports(stick)
            os.remove(report)
        with self.subTest("another program's file, there before the name was reserved"):
            tracer = self.traced(["-P", report, "-e", "trace=openat",
                                  "-e", "inject=openat:delay_enter=2000000"], "-o", report, source)
            converter = self.converter_held_at(tracer, report)
            with open(report, "wb") as f:
                f.write(b"another program's report")
            os.kill(converter, signal.SIGTERM)
            _, err = tracer.communicate(timeout=60)
            self.assertEqual(tracer.returncode, -signal.SIGTERM, err)
            with open(report, "rb") as f:
                self.assertEqual(f.read(), b"another program's report")
            self.assertEqual(os.listdir(stick), ["run.xlsx"])

        if ON_WINDOWS:
            self.skipTest(NO_SIGNALS)
        stick = self.stick()
        # Not SIGKILL: without unnamed files only the handler removes the hidden one.
        for sig in (signal.SIGINT, signal.SIGTERM):
            with self.subTest(signal=sig.name):
                out = os.path.join(stick, "out-" + sig.name)
                os.mkdir(out)
                child = self.stopped_while_writing(out)
                child.send_signal(sig)
                child.send_signal(signal.SIGCONT)
                self.assertEqual(child.wait(timeout=30), -sig)
                self.assertEqual(os.listdir(out), [])


# --- what the converter reads and replaces ---------------------------------

class Objects(HostileCase):
    def test_pipe_is_refused_at_once_and_an_unknown_name_before_it_is_opened(self):
        folder = self.elsewhere()
        for name, needle in (("pipe.PRO", "not a regular file"), ("pipe.TXT", "extension")):
            with self.subTest(name=name):
                pipe = os.path.join(folder, name)
                os.mkfifo(pipe)
                self.assert_one_line_about(self.convert("-d", self.work, pipe), pipe, needle)

    def test_windows_device_name_is_refused_as_an_export_file(self):
        if not ON_WINDOWS:
            self.skipTest("only Windows keeps device names in every folder")
        folder = self.elsewhere()
        for device in WINDOWS_DEVICES:
            for name, needle in ((device + ".PRO", "not a regular file"),
                                 (device + ".txt", "extension")):
                with self.subTest(name=name):
                    for path in (os.path.join(folder, name), name):
                        run = self.convert("-d", self.work, path)
                        self.assert_one_line_about(run, path, needle)
        self.assertEqual(os.listdir(folder), [])

    def test_pipe_and_socket_are_never_replaced(self):
        folder = self.elsewhere()
        pipe = os.path.join(folder, "pipe.xlsx")
        os.mkfifo(pipe)
        sock_path = os.path.join(folder, "socket.xlsx")
        sock = socket.socket(socket.AF_UNIX)
        self.addCleanup(sock.close)
        sock.bind(sock_path)
        source = self.copy_example("lowry_kfactor.PRO", "run.PRO")
        for target, is_kind in ((pipe, stat.S_ISFIFO), (sock_path, stat.S_ISSOCK)):
            with self.subTest(target=target):
                self.assert_one_line_about(self.convert("-f", "-o", target, source), target)
                self.assertTrue(is_kind(os.lstat(target).st_mode))
        self.assertEqual(sorted(os.listdir(folder)), ["pipe.xlsx", "socket.xlsx"])

    def test_windows_device_name_is_never_written_as_a_report(self):
        if not ON_WINDOWS:
            self.skipTest("only Windows keeps device names in every folder")
        folder = self.elsewhere()
        source = self.copy_example("lowry_kfactor.PRO", "run.PRO")
        for device in WINDOWS_DEVICES:
            for target in (os.path.join(folder, device + ".xlsx"), device + ".xlsx"):
                with self.subTest(target=target):
                    self.assert_one_line_about(self.convert("-f", "-o", target, source), target)
        self.assertEqual(os.listdir(folder), [])

    def test_name_without_a_real_extension_is_refused(self):
        for name in ("REPRO", "run.APRO", "run.PRO.bak"):
            with self.subTest(name=name):
                source = self.copy_example("lowry_kfactor.PRO", name)
                self.assert_one_line_about(self.convert("-d", self.folder("out"), source),
                                           "extension")
        self.assertEqual(os.listdir(self.folder("out")), [])

    def test_text_that_reads_as_an_escape_is_kept_as_written(self):
        lines = export_lines(os.path.join(base.EXAMPLES, "lowry_kfactor.PRO"))
        lines[3] = b"_x0041_"  # sample group name, D4
        lines[15] = b"A\x01B"  # sample 1, WL1 OD value, E16: text, not a number
        report = self.path("escape.xlsx")
        self.assert_converted(self.convert("-o", report, write_export(self.path("e.PRO"), lines)))
        stored = shared_strings(report)
        self.assertIn("_x005F_x0041_", stored)
        self.assertIn("A_x0001_B", stored)
        shown = [as_read(s) for s in stored]
        self.assertIn("_x0041_", shown)
        self.assertIn("A\x01B", shown)

    def test_report_permissions_follow_the_umask(self):
        if ON_WINDOWS:
            self.skipTest("a Windows file has no POSIX mode: the one wine gives it is wine's, "
                          "not the program's")
        source = self.copy_example("lowry_kfactor.PRO", "run.PRO")
        for mask in (0o022, 0o027, 0o002):
            with self.subTest(umask=oct(mask)):
                report = self.path(f"umask{mask:o}.xlsx")
                before = os.umask(mask)
                try:
                    self.assert_converted(self.convert("-o", report, source))
                finally:
                    os.umask(before)
                self.assertEqual(stat.S_IMODE(os.stat(report).st_mode), 0o666 & ~mask)


# --- names and standard output ---------------------------------------------

class Output(HostileCase):
    def test_control_characters_in_names_are_printed_escaped(self):
        source = self.copy_example("lowry_kfactor.PRO", "two\nlines.PRO")
        run = self.convert("-v", source)
        if ON_WINDOWS:
            # No Windows name holds a control character: the file is refused, by its name.
            self.assert_one_line_about(run, source.replace("\n", "\\n"))
        else:
            self.assert_converted(run)
            report = os.path.splitext(source)[0] + ".xlsx"
            self.assertEqual(run.out.splitlines()[0], source.replace("\n", "\\n") + " -> " +
                             report.replace("\n", "\\n"))
        missing = self.path("gone\x1b[2J.PRO")
        run = self.convert(missing)
        self.assert_one_line_about(run, "gone\\x1b[2J.PRO")
        self.assertNotIn("\x1b", run.err)

    def test_failed_write_to_standard_output_fails_the_run(self):
        source = self.copy_example("lowry_kfactor.PRO", "run.PRO")
        with open("/dev/full", "w") as full:
            completed = subprocess.run([base.CONVERTER, source], stdout=full,
                                       stderr=subprocess.PIPE, text=True, timeout=60)
        self.assertEqual(completed.returncode, 1, completed.stderr)
        self.assertIn("standard output", completed.stderr)
        self.assertIn("No space left on device", completed.stderr)


# --- stopped runs -------------------------------------------------------------

class Stops(HostileCase):
    def test_stopped_conversion_leaves_nothing_behind(self):
        if ON_WINDOWS:
            self.skipTest(NO_SIGNALS)
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGKILL):
            with self.subTest(signal=sig.name):
                out = self.folder("out-" + sig.name)
                # The folder's case probe, before, is a named file for a moment,
                # which SIGKILL would leave as it would any named staging.
                child = self.stopped_while_writing(out, unnamed=True)
                child.send_signal(sig)
                child.send_signal(signal.SIGCONT)
                self.assertEqual(child.wait(timeout=30), -sig)
                self.assertEqual(os.listdir(out), [])


if __name__ == "__main__":
    sys.exit(base.main(sys.modules[__name__]))
