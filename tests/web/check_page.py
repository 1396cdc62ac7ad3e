#!/usr/bin/python3
"""The browser edition in headless Chromium, opened from file:// with the
network out of reach.

Usage: check_page.py PAGE CONVERTER EXAMPLES [--test-double] [--screenshot PNG]

Exits 77 (skipped) when PAGE, built by scripts/build-web.sh, is missing.

With the converter core in PAGE: every example picked in the page gives, from
its Download buttons, the workbook the Linux converter writes for the same file
at the same time and its --format json and csv output, byte for byte; a
warning shows with its line and a refusal with its reason, both in the
converter's words; several files give a zip of those reports, in the format
chosen, and the combined workbook the converter writes; names are export
files as the converter takes them, and the curve drawn is the report's. With
--test-double, PAGE is first bundled with tests/web/mock_core.js in the core's
place, and the page's own work is checked on that double's files. Both check the sheet, the charts, the
keyboard, Cancel, that nothing is stored, that no request leaves the page and
that its policy lets no code be made at run time.
"""

import datetime
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zoneinfo

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SKIPPED = 77  # as CTest's SKIP_RETURN_CODE
sys.path.insert(0, os.path.join(HERE, "..", "integration"))
sys.path.insert(0, os.path.join(HERE, "..", "windows"))
import check_reports as reports  # noqa: E402
from check_windows import align_times  # noqa: E402
from browser import Browser, wait_for_any_download, wait_for_download  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

PAGE = CONVERTER = EXAMPLES = SCREENSHOT = None
TEST_DOUBLE = False
# Far from UTC, so that a time taken in the wrong zone shows.
TZ = "Asia/Tokyo"
# 2024-03-07 10:20:30 UTC: a fixed time for files the tests write.
FIXED_TIME = 1709806830
OWN_URL = re.compile(r"^(file|blob|data):")


def native_text(value):
    """A cell's value as the page should show it, worked out apart from the
    page: C's %.15G for numbers (two-digit exponent), the date as
    year/month/day hour:minutes:seconds."""
    if isinstance(value, datetime.datetime):
        value = reports.round_to_second(value)
        return f"{value.year}/{value.month}/{value.day} {value.hour}:{value.minute:02}:{value.second:02}"
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        text = "%.15G" % value
        if "E" in text:
            mantissa, exponent = text.split("E")
            if "." in mantissa:
                mantissa = mantissa.rstrip("0").rstrip(".")
            text = f"{mantissa}E{exponent[0]}{int(exponent[1:]):02}"
        return "0" if text == "-0" else text
    return value


class PageCase(unittest.TestCase):
    """One browser for the class, the page opened afresh for each test."""

    @classmethod
    def setUpClass(cls):
        cls.top = tempfile.mkdtemp(prefix="ordelix-page-")
        cls.downloads = os.path.join(cls.top, "downloads")
        os.makedirs(cls.downloads)
        cls.browser = Browser(cls.downloads, tz=TZ)
        cls.driver = cls.browser.driver

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        shutil.rmtree(cls.top, ignore_errors=True)

    def setUp(self):
        self.work = tempfile.mkdtemp(dir=self.top)
        for name in os.listdir(self.downloads):
            os.remove(os.path.join(self.downloads, name))
        self.browser.requests()  # what came before the page is not the page's
        self.browser.open(PAGE)
        self.browser.wait_for("return document.documentElement.dataset.core === 'ready'", 30)

    def tearDown(self):
        requests = [u for u in self.browser.requests() if not OWN_URL.match(u)]
        self.assertEqual(requests, [], "the page asked for something beyond itself")
        self.assertEqual(self.browser.console_errors(), [])

    # --- files ----------------------------------------------------------------

    def write(self, name, lines, when=FIXED_TIME):
        path = os.path.join(self.work, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(b"".join(line.encode("latin-1") + b"\r\n" for line in lines))
        os.utime(path, (when, when))
        return path

    def example(self, name, dest=None):
        """A copy of the example whose modification time is its birth time,
        the time the Linux converter reads."""
        path = os.path.join(self.work, dest or name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        return align_times(shutil.copyfile(os.path.join(EXAMPLES, name), path))

    def native(self, *args):
        env = dict(os.environ, TZ=TZ, LC_ALL="C.UTF-8")
        return subprocess.run([CONVERTER, *args], cwd=self.work, env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=120)

    def native_report(self, path):
        out = path + ".native.xlsx"
        run = self.native("-o", out, path)
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(out, "rb") as f:
            data = f.read()
        os.remove(out)
        return data

    def native_data(self, path, form):
        """What `ordelix-convert --format FORM PATH -o -` writes, as bytes."""
        env = dict(os.environ, TZ=TZ, LC_ALL="C.UTF-8")
        run = subprocess.run([CONVERTER, "--format", form, path, "-o", "-"], cwd=self.work, env=env,
                             stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        self.assertEqual(run.returncode, 0, run.stderr)
        return run.stdout

    # --- the page ---------------------------------------------------------------

    def pick(self, *paths, folder=False):
        before = int(self.driver.execute_script("return document.documentElement.dataset.converted || 0"))
        field = self.driver.find_element(By.ID, "folder-input" if folder else "file-input")
        field.send_keys("\n".join(os.path.abspath(p) for p in paths))
        # The report's charts and sheet come after its buttons.
        self.browser.wait_for(
            f"return Number(document.documentElement.dataset.converted || 0) > {before}"
            " && document.getElementById('report').dataset.drawn === 'true'", 120)

    def report_texts(self, selector):
        return [e.text for e in self.driver.find_elements(By.CSS_SELECTOR, f"#report {selector}")]

    def download_button(self, form="xlsx"):
        buttons = self.driver.find_elements(By.CSS_SELECTOR, f"#report button.download[data-format={form}]")
        self.assertEqual(len(buttons), 1)
        self.assertTrue(buttons[0].text.startswith("Download "))
        return buttons[0]

    def download_captions(self, stem):
        return [f"Download {stem}.xlsx", "Download JSON", "Download CSV"]

    def zip_as(self, form, folder=None):
        """The zip of every report in the format chosen beside its button,
        named after the folder picked, or else the day."""
        from selenium.webdriver.support.select import Select
        Select(self.driver.find_element(By.ID, "zip-format")).select_by_value(form)
        button = self.driver.find_element(By.ID, "download-zip")
        if folder:
            return self.download(button, f"{folder}.zip")
        return self.download_of_the_day(button, lambda day: f"reports {day}.zip")

    @staticmethod
    def names_of_the_day(name_of):
        """name_of(day), a day as 2024-03-07 in the browser's zone: today's, and
        the next day's for a download asked for just before midnight."""
        today = datetime.datetime.now(zoneinfo.ZoneInfo(TZ)).date()
        return [name_of((today + datetime.timedelta(days=d)).isoformat()) for d in (0, 1)]

    def download_of_the_day(self, button, name_of):
        """A download named after the day it was asked for."""
        names = self.names_of_the_day(name_of)
        self.browser.ask_for_download(button.click)
        name, data = wait_for_any_download(self.downloads, names)
        os.remove(os.path.join(self.downloads, name))
        return data

    def drawn_curve(self):
        """The page's plot of the report's curve: its title, axis and series
        names, its x labels and values, and what it tells a screen reader."""
        return self.driver.execute_script("""
            const figures = [...document.querySelectorAll('#report figure.chart')];
            if (figures.length !== 1 || !figures[0].plot) return null;
            const u = figures[0].plot;
            const n = u.data[0].length;
            return {title: figures[0].querySelector('.u-title').textContent, xTitle: u.axes[0].label,
                    yTitle: u.axes[1].label, series: u.series[1].label,
                    labels: Array.from({length: n}, (_, i) => u.series[0].value(u, i)),
                    values: Array.from(u.data[1]), described: figures[0].getAttribute('aria-label')};
        """)

    def download(self, button, name):
        self.browser.ask_for_download(button.click)
        data = wait_for_download(self.downloads, name)
        os.remove(os.path.join(self.downloads, name))
        return data

    def select_file(self, path):
        for item in self.driver.find_elements(By.CSS_SELECTOR, "#file-list li"):
            if item.find_element(By.CLASS_NAME, "file-name").text == path:
                item.click()
                return
        self.fail(f"{path} is not in the list")

    def shown_cells(self):
        """{(row, col): text} of every written cell of the report's sheet,
        scrolled through from top to bottom."""
        cells = {}
        script = """
            const scroller = document.querySelector('#report .sheet-scroll');
            scroller.scrollTop = arguments[0];
            scroller.dispatchEvent(new Event('scroll'));
            const found = [];
            for (const tr of scroller.querySelectorAll('tbody tr[aria-rowindex]')) {
              const row = Number(tr.getAttribute('aria-rowindex')) - 1;
              let col = 0;
              for (const td of tr.querySelectorAll('td')) {
                col += 1;
                if (td.textContent !== '') found.push([row, col, td.textContent]);
                col += (td.colSpan || 1) - 1;
              }
            }
            return [found, scroller.scrollTop + scroller.clientHeight >= scroller.scrollHeight - 1];
        """
        top = 0
        while True:
            found, at_end = self.driver.execute_script(script, top)
            for row, col, text in found:
                cells[(row, col)] = text
            if at_end:
                return cells
            top += 600

    def cell_td(self, row, col):
        """The <td> that shows the sheet's cell, its row in view."""
        return self.driver.execute_script("""
            const tr = document.querySelector(`#report tr[aria-rowindex="${arguments[0] + 1}"]`);
            let col = 0;
            for (const td of tr ? tr.querySelectorAll('td') : []) {
              if (col + 1 <= arguments[1] && arguments[1] <= col + td.colSpan) return td;
              col += td.colSpan;
            }
            return null;
        """, row, col)

    def assert_sheet_shows(self, expected):
        """expected: {(row, col): text} of every written cell."""
        self.assertEqual(self.shown_cells(), expected)


def workbook_cells(data):
    """{(row, col): text the page should show} of the workbook's only sheet."""
    import openpyxl
    sheet = openpyxl.load_workbook(io.BytesIO(data)).active
    return {(c.row, c.column): native_text(c.value)
            for row in sheet.iter_rows() for c in row if c.value is not None and c.value != ""}


class AgainstTheConverter(PageCase):
    @classmethod
    def setUpClass(cls):
        if TEST_DOUBLE:
            raise unittest.SkipTest("needs the converter core in the page")
        super().setUpClass()

    def test_every_example_downloads_the_converters_workbook_json_and_csv(self):
        names = reports.example_names()
        self.assertGreater(len(names), 30)
        for name in names:
            with self.subTest(example=name):
                path = self.example(name)
                self.pick(path)
                stem = os.path.splitext(name)[0]
                self.assertEqual(self.report_texts("button.download"), self.download_captions(stem))
                self.assertEqual(self.download(self.download_button(), stem + ".xlsx"),
                                 self.native_report(path))
                for form in ("json", "csv"):
                    data = self.download(self.download_button(form), f"{stem}.{form}")
                    self.assertEqual(data, self.native_data(path, form), form)

    def test_the_sheet_shows_the_workbooks_cells(self):
        for name in ("scan_auto.WSC", "lowry_kfactor.PRO", "melt_falling.TM", "pht_w6_t.PHT"):
            with self.subTest(example=name):
                path = self.example(name)
                self.pick(path)
                self.assert_sheet_shows(workbook_cells(self.native_report(path)))

    def test_a_warning_shows_with_its_line_in_the_converters_words(self):
        path = self.example("kinetics_step50.TSC")
        run = self.native("-o", path + ".xlsx", path)
        said = re.findall(r"^.*:(\d+): warning: (.*)$", run.stderr, re.M)
        self.assertEqual(len(said), 1, run.stderr)
        self.pick(path)
        self.assertEqual(self.report_texts(".warnings li"), [f"line {said[0][0]}: {said[0][1]}"])
        self.assertEqual(self.report_texts(".warnings h3"), ["1 warning about the export file"])

    def test_a_refusal_shows_the_converters_reason(self):
        cases = {"empty.PRO": ([], "the file is empty"),
                 "notes.txt": (["hello"], "the extension names no measurement mode")}
        for name, (lines, said) in cases.items():
            with self.subTest(file=name):
                path = self.write(name, lines)
                run = self.native("-o", path + ".xlsx", path)
                self.assertEqual(run.returncode, 1)
                reason = re.search(rf"^ordelix-convert: {re.escape(path)}: (.*)$", run.stderr, re.M)
                self.assertIsNotNone(reason, run.stderr)
                self.assertTrue(reason.group(1).startswith(said), reason.group(1))
                self.pick(path)
                self.assertEqual(self.report_texts(".refusal .reason"), [reason.group(1)])
                self.assertEqual(self.report_texts("button.download"), [])

    def test_several_files_give_the_zip_and_the_combined_workbook(self):
        paths = [self.example("bradford_std.PRO"), self.example("scan_step5.WSC"),
                 self.example("kinetics_step50.TSC"), self.write("bad.PRO", [])]
        self.pick(*paths)
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         "3 converted, 1 failed, 1 with warnings")
        # Picked by name: the browser tells no folder, so the day names them.
        zipped = self.download_of_the_day(self.driver.find_element(By.ID, "download-zip"),
                                          lambda day: f"reports {day}.zip")
        with zipfile.ZipFile(io.BytesIO(zipped)) as z:
            self.assertEqual(z.namelist(), ["bradford_std.xlsx", "scan_step5.xlsx", "kinetics_step50.xlsx"])
            for member, path in zip(z.namelist(), paths):
                self.assertEqual(z.read(member), self.native_report(path), member)
        for form in ("json", "csv"):
            with zipfile.ZipFile(io.BytesIO(self.zip_as(form))) as z:
                self.assertEqual(z.namelist(), [f"bradford_std.{form}", f"scan_step5.{form}",
                                                f"kinetics_step50.{form}"])
                for member, path in zip(z.namelist(), paths):
                    self.assertEqual(z.read(member), self.native_data(path, form), member)
        combined = self.download_of_the_day(self.driver.find_element(By.ID, "download-combined"),
                                            lambda day: f"combined {day}.xlsx")
        out = os.path.join(self.work, "native-combined.xlsx")
        run = self.native("--combine", out, *paths[:3])
        self.assertEqual(run.returncode, 0, run.stderr)
        with open(out, "rb") as f:
            self.assertEqual(combined, f.read())

    def test_the_kinetics_and_melting_curves_are_the_reports(self):
        # The values by hand from the example files: kinetics every 50 s, the
        # file saying 4 values and holding 3; melting from 90 down to 75 C.
        cases = {
            "kinetics_step50.TSC": {"title": "Kinetics", "xTitle": "Data(s)", "yTitle": "Value",
                                    "series": "Value", "labels": ["0", "50", "100"],
                                    "values": [97.2, 95.8, 94.1],
                                    "described": "Kinetics: line chart of Value against Data(s), "
                                                 "3 points from 0 to 100"},
            "melt_falling.TM": {"title": "Melting curve", "xTitle": "C", "yTitle": "OD", "series": "OD",
                                "labels": ["90", "85", "80", "75"],
                                "values": [1.882, 1.7314, 1.4409, 1.1023],
                                "described": "Melting curve: line chart of OD against C, "
                                             "4 points from 90 to 75"},
        }
        for name, drawn in cases.items():
            with self.subTest(example=name):
                self.pick(self.example(name))
                self.assertEqual(self.drawn_curve(), drawn)
        self.pick(self.example("bca_std.PRO"))
        self.assertEqual(self.report_texts("figure.chart"), [])

    def test_a_long_batch_is_shared_by_the_workers_each_file_converted_once(self):
        # Past a few hundred files, helper workers convert slices of the batch
        # beside the page's worker. Every file keeps its own result, and the
        # first report shown is the first file's. The first batch starts the
        # helpers; the second is converted once they are ready, so that they
        # take part whatever the machine's speed.
        with open(os.path.join(EXAMPLES, "bradford_std.PRO"), encoding="latin-1") as f:
            text = f.read()
        convert = """
            const done = arguments[arguments.length - 1];
            const files = Array.from({length: arguments[1]}, (_, i) =>
                new File([arguments[0]], `run${i}.PRO`, {lastModified: 1709806830000}));
            ordelixPage.convert({files: files.map(f => ({file: f, path: f.name})), skipped: 0, problems: []})
              .then(() => done(ordelixPage.entries().map(e => [e.state, e.result.reportName])));
        """
        count = 600
        workers = min(self.driver.execute_script("return navigator.hardwareConcurrency || 1"), 4)
        self.driver.set_script_timeout(300)
        self.driver.execute_async_script(convert, text, count)
        self.browser.wait_for(f"return ordelixPage.workers().ready >= {workers}")
        outcomes = self.driver.execute_async_script(convert, text, count)
        self.assertEqual(outcomes, [["done", f"run{i}.xlsx"] for i in range(count)])
        self.assertEqual(self.driver.execute_script("return ordelixPage.workers().used"), workers)
        self.assertEqual(self.report_texts("button.download"), self.download_captions("run0"))

    def test_names_are_export_files_as_the_converter_takes_them(self):
        names = ["run.pro", "Run.Tm", "REPRO", "run.", "run.PRO.txt", "run.APRO"]
        for name in names:
            self.example("bca_std.PRO", os.path.join("runs", name))
        self.pick(os.path.join(self.work, "runs"), folder=True)
        listed = [e.text for e in self.driver.find_elements(By.CSS_SELECTOR, "#file-list .file-name")]
        # What the converter takes from the same folder.
        run = self.native("--format", "json", "-d", "out", "runs")
        made = sorted(os.listdir(os.path.join(self.work, "out")))
        self.assertEqual(listed, ["runs/Run.Tm", "runs/run.pro"], run.stderr)
        self.assertEqual(made, ["Run.json", "run.json"])
        self.assertEqual(self.driver.find_element(By.ID, "picked").get_attribute("value"),
                         "2 export files (4 other files skipped)")
        # A name whose only dot leads it has no extension, so no mode, for
        # the converter and the page alike; one picked by itself is tried.
        path = self.example("bca_std.PRO", ".PRO")
        run = self.native("-o", path + ".xlsx", path)
        reason = re.search(rf"^ordelix-convert: {re.escape(path)}: (.*)$", run.stderr, re.M)
        self.assertIsNotNone(reason, run.stderr)
        self.pick(path)
        self.assertEqual(self.report_texts(".refusal .reason"), [reason.group(1)])
        path = self.example("bca_std.PRO", "run.pro")
        self.pick(path)
        self.assertEqual(self.download(self.download_button("json"), "run.json"),
                         self.native_data(path, "json"))

    def test_the_file_dialog_offers_the_modes_extensions(self):
        self.assertEqual(self.driver.find_element(By.ID, "file-input").get_attribute("accept"),
                         ".PRO,.NUC,.CON,.PHT,.OD,.TSC,.TM,.WSC")

    def test_the_date_is_the_files_modification_time_in_the_browsers_zone(self):
        path = self.write("dated.WSC", ["3", "0", "0", "LEAF", "4", "1", "0", "0", "400", "402", "3",
                                        "0", "3", "0.5", "0.6", "0.7"])
        self.pick(path)
        # 10:20:30 UTC is 19:20:30 in Tokyo.
        self.assertEqual(self.report_texts(".date-value"), ["2024/3/7 19:20:30"])
        self.assertIn("last-modified time, in this browser's time zone (Asia/Tokyo)",
                      self.report_texts(".date-note")[0])

    def test_screenshot_of_a_scan(self):
        if not SCREENSHOT:
            self.skipTest("no --screenshot")
        self.pick(self.example("scan_auto.WSC"))
        self.driver.execute_script("document.activeElement.blur(); window.scrollTo(0, 0)")
        # Until the page has painted what the scroll and the blur changed.
        self.driver.execute_async_script(
            "const done = arguments[arguments.length - 1];"
            "requestAnimationFrame(() => requestAnimationFrame(done));")
        self.driver.save_screenshot(SCREENSHOT)


class WithTheTestDouble(PageCase):
    @classmethod
    def setUpClass(cls):
        if not TEST_DOUBLE:
            raise unittest.SkipTest("the test double's own files")
        super().setUpClass()

    def test_the_download_carries_the_report_name_and_the_files_time(self):
        path = self.write("Run 1.wsc", ["0.5", "0.25"])
        self.pick(path)
        button = self.download_button()
        self.assertEqual(button.text, "Download Run 1.xlsx")
        data = self.download(button, "Run 1.xlsx").decode()
        self.assertIn("name=Run 1.wsc\n", data)
        self.assertIn(f"modified={FIXED_TIME * 1000}\n", data)

    def test_the_data_downloads_are_the_cores_json_and_csv_under_its_names(self):
        self.pick(self.write("Run 1.wsc", ["0.5", "0.25"]))
        self.assertEqual(self.report_texts("button.download"), self.download_captions("Run 1"))
        self.assertEqual(self.download(self.download_button("json"), "Run 1.json"),
                         b"MOCK-JSON\nname=Run 1.wsc\nvalues=2\n")
        self.assertEqual(self.download(self.download_button("csv"), "Run 1.csv"),
                         b"MOCK-CSV\nname=Run 1.wsc\nvalues=2\n")

    def test_data_that_cannot_be_written_now_says_why(self):
        path = self.write("gone.PRO", ["1"])
        self.pick(path)
        # The browser reads a file changed since it was picked no more.
        self.write("gone.PRO", ["1", "2"], when=FIXED_TIME + 60)
        self.download_button("json").click()
        self.browser.wait_for("return document.getElementById('message').textContent !== ''")
        self.assertEqual(self.driver.find_element(By.ID, "message").text,
                         "gone.json was not made: gone.PRO: the browser could not read the file "
                         "(NotReadableError)")
        # The workbook made before is still there, and the converter still works.
        self.assertEqual(self.download(self.download_button(), "gone.xlsx")[:9], b"MOCK-XLSX")
        path = self.write("next.PRO", ["1"])
        self.pick(path)
        self.assertEqual(self.download(self.download_button("csv"), "next.csv"),
                         b"MOCK-CSV\nname=next.PRO\nvalues=1\n")

    def test_the_data_buttons_wait_while_the_converter_is_busy(self):
        paths = [self.write("first.PRO", ["1"])] + [self.write(f"slow{i}.PRO", ["MOCK-SLOW 300", "1"])
                                                     for i in range(4)]
        before = int(self.driver.execute_script("return document.documentElement.dataset.converted || 0"))
        self.driver.find_element(By.ID, "file-input").send_keys("\n".join(paths))
        # Read at one moment in the page: the first report shown, the rest converting.
        enabled = ("return [...document.querySelectorAll('#report button.download')]"
                   ".map(b => [b.textContent, !b.disabled])")
        busy = self.browser.wait_for(
            "return document.documentElement.dataset.busy === 'true' &&"
            " document.querySelector('#report button.download') && (() => {" + enabled + "})()")
        self.assertEqual(busy, [["Download first.xlsx", True], ["Download JSON", False], ["Download CSV", False]])
        self.browser.wait_for(f"return Number(document.documentElement.dataset.converted) > {before}")
        self.assertEqual(self.driver.execute_script(enabled),
                         [["Download first.xlsx", True], ["Download JSON", True], ["Download CSV", True]])

    def test_the_curve_is_the_one_the_core_gives(self):
        self.pick(self.write("k.TSC", ["0.5", "x", "0.25"]))
        self.assertEqual(self.drawn_curve(), {
            "title": "Kinetics", "xTitle": "Data(s)", "yTitle": "Value", "series": "Value",
            "labels": ["0", "5"], "values": [0.5, 0.25],
            "described": "Kinetics: line chart of Value against Data(s), 2 points from 0 to 5"})

    def test_the_file_dialog_offers_the_cores_modes(self):
        self.assertEqual(self.driver.find_element(By.ID, "file-input").get_attribute("accept"),
                         ".PRO,.NUC,.CON,.PHT,.OD,.TSC,.TM,.WSC")

    def test_a_warning_shows_with_its_line(self):
        self.pick(self.write("w.PRO", ["1", "MOCK-WARN three lines too many", "2", "MOCK-WARN and this"]))
        self.assertEqual(self.report_texts(".warnings li"),
                         ["line 2: three lines too many", "line 4: and this"])
        self.assertEqual(self.report_texts(".warnings h3"), ["2 warnings about the export file"])

    def test_a_refusal_shows_its_reason(self):
        self.pick(self.write("r.NUC", ["MOCK-REFUSE the file has no line 9; a nucleic acid file needs 16"]))
        self.assertEqual(self.report_texts(".refusal .reason"),
                         ["the file has no line 9; a nucleic acid file needs 16"])
        self.assertEqual(self.report_texts("button.download"), [])

    def test_a_core_that_throws_fails_that_file_and_converts_the_next(self):
        self.pick(self.write("a.PRO", ["1", "MOCK-THROW"]), self.write("b.PRO", ["1"]))
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         "1 converted, 1 failed, 0 with warnings")
        self.select_file("a.PRO")
        self.assertEqual(self.report_texts(".refusal .reason"),
                         ["the converter stopped: RuntimeError: unreachable"])
        self.select_file("b.PRO")
        self.assertEqual(self.report_texts("button.download"), self.download_captions("b"))

    def test_the_sheet_as_a_spreadsheet_shows_it(self):
        self.pick(self.write("s.TSC", ["0.5", "1E-05", "0.30000000000000004", "x", "123456789012345678"]))
        # Kinetics rows from 14: time in A (2.5 s steps), value in D; D2:E2 merged.
        self.assert_sheet_shows({
            (1, 1): "Method                     ", (1, 4): "MOCK TSC",
            (2, 1): "Time & Date                ", (2, 4): "2024/3/7 19:20:30",
            (12, 1): "Data(s)    ", (12, 4): "Value    ",
            (14, 1): "0", (14, 4): "0.5", (15, 1): "2.5", (15, 4): "1E-05",
            (16, 1): "5", (16, 4): "0.3", (17, 1): "7.5", (17, 4): "x",
            (18, 1): "10", (18, 4): "1.23456789012346E+17",
        })
        self.driver.execute_script("document.querySelector('#report .sheet-scroll').scrollTop = 0")
        date = self.cell_td(2, 4)
        self.assertEqual((date.text, date.get_attribute("colspan")), ("2024/3/7 19:20:30", "2"))
        # 13.57 characters: 95 + 5 pixels; the default 8.43: 64.
        widths = self.driver.execute_script(
            "return [...document.querySelectorAll('#report thead th')].slice(1, 6)"
            ".map(th => th.getBoundingClientRect().width)")
        self.assertEqual(widths, [64, 64, 64, 100, 64])
        method = self.cell_td(1, 1).find_element(By.TAG_NAME, "div")
        self.assertEqual((method.value_of_css_property("font-weight"), method.value_of_css_property("font-size")),
                         ("700", "16px"))  # 12 pt bold
        headers = [h.text for h in self.driver.find_elements(By.CSS_SELECTOR, "#report thead th")]
        self.assertEqual(headers[:4], ["Row", "A", "B", "C"])
        self.assertEqual(headers[-1], "Z")  # 26 columns at least

    def test_32000_rows_stay_a_few_in_the_document(self):
        self.pick(self.write("big.WSC", [str(i / 1000) for i in range(32000)]))
        table = self.driver.find_element(By.CSS_SELECTOR, "#report table.sheet")
        self.assertEqual(table.get_attribute("aria-rowcount"), str(16 + 32000 - 1 + 5 + 1))
        self.assertLess(len(table.find_elements(By.CSS_SELECTOR, "tbody tr")), 300)
        self.driver.execute_script(
            "const s = document.querySelector('#report .sheet-scroll'); s.scrollTop = s.scrollHeight;"
            "s.dispatchEvent(new Event('scroll'))")
        self.assertEqual([self.cell_td(32015, c).text for c in (3, 4, 5, 6)], ["32399", "", "", "31.999"])
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#report figure.chart canvas")), 1)

    def test_the_download_button_comes_before_the_chart_and_the_sheet(self):
        # Counted where the button first shows, before the page draws on.
        self.driver.execute_script("""
            window.drawnWithTheButton = null;
            new MutationObserver((changes, observer) => {
              if (!document.querySelector('#report button.download')) return;
              drawnWithTheButton = document.querySelectorAll('#report figure.chart, #report .sheet-scroll').length;
              observer.disconnect();
            }).observe(document.getElementById('report'), {childList: true, subtree: true});""")
        self.pick(self.write("first.WSC", ["0.1", "0.4", "0.2"]))
        self.assertEqual(self.driver.execute_script("return window.drawnWithTheButton"), 0)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#report figure.chart")), 1)
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#report .sheet-scroll")), 1)

    def test_a_long_scan_draws_each_pixel_columns_extremes_and_zooms_to_the_real_points(self):
        # 5,000 values, a saw of 0 to 6 with a spike up to 9 at 4321 and
        # down to -4 at 4322; the mock's wavelengths are 400 + the index.
        values = [i % 7 for i in range(5000)]
        values[4321], values[4322] = 9, -4
        self.pick(self.write("long.WSC", [str(v) for v in values]))
        drawn = """const u = document.querySelector('#report figure.chart').plot;
                   return [Array.from(u.data[0]), Array.from(u.data[1]), Math.round(u.bbox.width)];"""
        xs, ys, columns = self.driver.execute_script(drawn)
        # The two per column, and the point either side of the view.
        self.assertLessEqual(len(xs), 2 * columns + 2)
        self.assertEqual(ys, [values[x] for x in xs])
        self.assertEqual((max(ys), xs[ys.index(9)], min(ys), xs[ys.index(-4)]), (9, 4321, -4, 4322))
        # The legend gives the real point nearest the pointer: a spike.
        legend = self.driver.execute_script("""
            const u = document.querySelector('#report figure.chart').plot;
            u.setCursor({left: u.valToPos(4321.4, 'x'), top: 10});
            return [...document.querySelectorAll('#report .u-legend .u-value')].map(e => e.textContent);""")
        self.assertIn(legend, [["4721", "9"], ["4722", "-4"]])
        # Zoomed in on 41 points, fewer than the columns: each drawn, and the
        # series' ends beyond the view.
        self.driver.execute_script(
            "document.querySelector('#report figure.chart').plot.setScale('x', {min: 1000.5, max: 1040.5})")
        self.browser.wait_for("return document.querySelector('#report figure.chart').plot.data[0].length < 100")
        xs, ys, _ = self.driver.execute_script(drawn)
        self.assertEqual(xs, [0, *range(1000, 1042), 4999])
        self.assertEqual(ys, [values[x] for x in xs])
        self.driver.execute_script(
            "document.querySelector('#report figure.chart').plot.setScale('x', {min: 0, max: 4999})")
        self.browser.wait_for("return document.querySelector('#report figure.chart').plot.data[0].length > 100")
        self.assertIn(4321, self.driver.execute_script(drawn)[0])

    def test_charts_the_scan_and_the_curves_but_nothing_else(self):
        for name, title in (("c.WSC", "WL Scan"), ("c.TSC", "Kinetics"), ("c.TM", "Melting curve"),
                            ("c.PRO", None)):
            with self.subTest(file=name):
                self.pick(self.write(name, ["0.1", "0.4", "0.2"]))
                figures = self.driver.find_elements(By.CSS_SELECTOR, "#report figure.chart")
                if title is None:
                    self.assertEqual(figures, [])
                    continue
                self.assertEqual(len(figures), 1)
                self.assertTrue(figures[0].get_attribute("aria-label").startswith(f"{title}: line chart"))
                self.assertIn("3 points", figures[0].get_attribute("aria-label"))
                self.assertEqual(figures[0].find_element(By.CLASS_NAME, "u-title").text, title)

    def test_a_folder_gives_its_export_files_and_the_zip_keeps_their_places(self):
        self.write("runs/b.PRO", ["1"])
        self.write("runs/a.txt", ["1"])
        self.write("runs/day2/c.od", ["1", "MOCK-WARN w"])
        self.write("runs/day2/bad.TM", ["MOCK-REFUSE no"])
        self.pick(os.path.join(self.work, "runs"), folder=True)
        names = [e.text for e in self.driver.find_elements(By.CSS_SELECTOR, "#file-list .file-name")]
        self.assertEqual(names, ["runs/b.PRO", "runs/day2/bad.TM", "runs/day2/c.od"])
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         "2 converted, 1 failed, 1 with warnings")
        self.assertEqual(self.driver.find_element(By.ID, "picked").get_attribute("value"),
                         "3 export files (1 other file skipped)")
        # Named after the folder picked.
        zipped = self.download(self.driver.find_element(By.ID, "download-zip"), "runs.zip")
        with zipfile.ZipFile(io.BytesIO(zipped)) as z:
            self.assertEqual(z.namelist(), ["runs/b.xlsx", "runs/day2/c.xlsx"])
            self.assertIn("name=c.od\n", z.read("runs/day2/c.xlsx").decode())
        with zipfile.ZipFile(io.BytesIO(self.zip_as("csv", "runs"))) as z:
            self.assertEqual(z.namelist(), ["runs/b.csv", "runs/day2/c.csv"])
            self.assertEqual(z.read("runs/day2/c.csv"), b"MOCK-CSV\nname=c.od\nvalues=1\n")
        combined = self.download(self.driver.find_element(By.ID, "download-combined"), "runs.xlsx")
        self.assertEqual(combined.decode(), "MOCK-COMBINED\nb.PRO\nc.od\n")

    def test_a_mixed_pick_counts_export_files_apart_and_shows_the_first_report(self):
        paths = [self.write("notes.txt", ["1"]), self.write("b.PRO", ["1"]), self.write("data.csv", ["1"]),
                 self.write("d.PRO", ["2"])]
        self.pick(*paths)
        self.assertEqual(self.driver.find_element(By.ID, "picked").get_attribute("value"),
                         "2 export files and 2 other files")
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         "2 converted, 2 failed, 0 with warnings")
        self.assertEqual(self.report_texts(".report-title"), ["b.PRO"])
        self.assertEqual(self.driver.find_element(By.ID, "file-1").get_attribute("aria-selected"), "true")

    def test_a_short_report_scrolls_with_the_page_alone(self):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 1400, "height": 900, "deviceScaleFactor": 1, "mobile": False})
        self.addCleanup(self.driver.execute_cdp_cmd, "Emulation.clearDeviceMetricsOverride", {})
        self.assertEqual(self.driver.execute_script("return [innerWidth, innerHeight]"), [1400, 900])
        # A scan of 12 values: rows 16 to 27, and the grid's 5 spare rows.
        self.pick(self.write("twelve.WSC", [f"0.{i}" for i in range(1, 13)]))
        box = self.driver.execute_script("""
            const s = document.querySelector('#report .sheet-scroll');
            return [s.scrollHeight, s.clientHeight, document.documentElement.scrollHeight];""")
        self.assertLessEqual(box[0], box[1], "the sheet's box scrolls")
        self.assertGreater(box[2], 900, "the report runs below the window: the page scrolls")
        self.assertEqual(len(self.driver.find_elements(By.CSS_SELECTOR, "#report tr[aria-rowindex]")), 1 + 32)
        # A long one keeps its own scrolling, in a box no taller than the window.
        self.pick(self.write("long.WSC", [str(i) for i in range(200)]))
        height = self.driver.execute_script(
            "return document.querySelector('#report .sheet-scroll').getBoundingClientRect().height")
        self.assertLessEqual(height, 900)

    def test_the_legend_shows_the_values_under_the_pointer_alone(self):
        from selenium.webdriver import ActionChains
        self.pick(self.write("legend.WSC", ["0.5", "0.25", "0.75"]))
        legend = self.driver.find_element(By.CSS_SELECTOR, "#report .u-legend")
        shown = lambda: [e.text for e in legend.find_elements(By.CSS_SELECTOR, "th, td") if e.is_displayed()]
        self.assertEqual(shown(), ["OD"])
        over = self.driver.find_element(By.CSS_SELECTOR, "#report .u-over")
        # The first point, at the plot's left edge.
        ActionChains(self.driver).move_to_element_with_offset(over, -over.rect["width"] // 2 + 1, 0).perform()
        self.browser.wait_for("return document.querySelector('#report figure.chart.pointing')")
        self.assertEqual(shown(), ["WL(nm)", "400", "OD", "0.5"])
        ActionChains(self.driver).move_to_element(self.driver.find_element(By.TAG_NAME, "h1")).perform()
        self.browser.wait_for("return !document.querySelector('#report figure.chart.pointing')")
        self.assertEqual(shown(), ["OD"])

    def test_cancel_of_a_shared_batch_stops_every_worker(self):
        # A quick long batch starts the helpers; a slow one is cancelled once
        # a helper has converted part of it. What came back stays, the rest
        # is cancelled, and no result of the old batch reaches the next one,
        # which converts for a while so that one would.
        workers = min(self.driver.execute_script("return navigator.hardwareConcurrency || 1"), 4)
        if workers < 2:
            self.skipTest("one processor core: no helpers")
        start = """
            const files = Array.from({length: arguments[0]}, (_, i) =>
                new File([arguments[1]], `run${i}.PRO`, {lastModified: 1709806830000}));
            window.converting = ordelixPage.convert(
                {files: files.map(f => ({file: f, path: f.name})), skipped: 0, problems: []});
        """
        self.driver.execute_script(start, 400, "1\r\n")
        self.browser.wait_for("return ordelixPage.entries().every(e => e.state === 'done')")
        self.browser.wait_for(f"return ordelixPage.workers().ready >= {workers}")
        before = int(self.driver.execute_script("return document.documentElement.dataset.converted"))
        self.driver.execute_script(start, 800, "MOCK-SLOW 10\r\n1\r\n")
        self.browser.wait_for("return ordelixPage.entries().some(e => e.id >= 64 && e.state === 'done')")
        self.driver.find_element(By.ID, "cancel").click()
        self.browser.wait_for(f"return Number(document.documentElement.dataset.converted) > {before}")
        states = self.driver.execute_script("return ordelixPage.entries().map(e => e.state)")
        done = states.count("done")
        self.assertEqual(states.count("cancelled"), 800 - done)
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         f"{done} converted, 0 failed, 0 with warnings\n"
                         f"Cancelled: {800 - done} files left unconverted")
        self.pick(self.write("after.PRO", ["MOCK-SLOW 300", "1"]))
        self.assertEqual([e["state"] for e in self.driver.execute_script("return ordelixPage.entries()")],
                         ["done"])

    def test_cancel_keeps_what_is_done(self):
        paths = [self.write(f"slow{i}.PRO", ["MOCK-SLOW 400", "1"]) for i in range(10)]
        before = int(self.driver.execute_script("return document.documentElement.dataset.converted || 0"))
        self.driver.find_element(By.ID, "file-input").send_keys("\n".join(paths))
        self.browser.wait_for("return document.querySelectorAll('#file-list li.done').length >= 2")
        self.driver.find_element(By.ID, "cancel").click()
        self.browser.wait_for(f"return Number(document.documentElement.dataset.converted) > {before}")
        done = len(self.driver.find_elements(By.CSS_SELECTOR, "#file-list li.done"))
        self.assertLess(done, 10)
        self.assertEqual(self.driver.find_element(By.ID, "summary").text,
                         f"{done} converted, 0 failed, 0 with warnings\n"
                         f"Cancelled: {10 - done} files left unconverted")
        self.select_file("slow0.PRO")
        self.assertEqual(self.download(self.download_button(), "slow0.xlsx")[:9], b"MOCK-XLSX")
        # The worker that took the place of the stopped one converts.
        self.pick(self.write("after.PRO", ["1"]))
        self.assertEqual(self.report_texts("button.download"), self.download_captions("after"))


class EitherCore(PageCase):
    def export_file(self, name):
        """A file that converts with warnings or without, whichever core is in the page."""
        if TEST_DOUBLE:
            return self.write(name, ["0.1", "0.2"])
        return self.example("bradford_std.PRO", name)

    def test_title_and_the_windows_texts(self):
        # The program's name, and the window's own title beside it.
        self.assertEqual(self.driver.title, "Ordelix - TAVRO")
        self.assertRegex(self.driver.find_element(By.TAG_NAME, "h1").text, r"^ Ordelix  V\d+\.\d+$")
        self.assertEqual(self.driver.find_element(By.CSS_SELECTOR, "label[for=picked]").text, "Select File")
        about = self.driver.find_element(By.CSS_SELECTOR, "footer.about").text
        self.assertRegex(about, r"^Ordelix \d+\.\d+\.\d+, published under the MIT licence\.")

    def test_the_opening_screen_says_what_to_do_under_the_buttons(self):
        guide = self.driver.find_element(By.ID, "guide")
        self.assertEqual(guide.text, "Browse for export files (.PRO .NUC .CON .PHT .OD .TSC .TM .WSC) or a "
                                     "folder, or drop them on this page: each converts at once and shows "
                                     "here, and Download saves its report.")
        browse = self.driver.find_element(By.ID, "browse")
        self.assertGreaterEqual(guide.rect["y"], browse.rect["y"] + browse.rect["height"])

    def test_the_focus_starts_on_browse_framed_in_navy(self):
        # Autofocus takes effect with the page's first frame, which a busy
        # machine may draw after the core is ready: nothing is shown before it.
        self.browser.wait_for("return document.activeElement.id === 'browse'", 30)
        browse = self.driver.switch_to.active_element
        self.assertEqual(browse.get_attribute("id"), "browse")
        ring = {p: browse.value_of_css_property(p)
                for p in ("outline-style", "outline-width", "outline-color", "outline-offset")}
        self.assertEqual(ring, {"outline-style": "solid", "outline-width": "2px",
                                "outline-color": "rgba(0, 0, 128, 1)", "outline-offset": "2px"})
        # Nothing comes before it: the read-only path box is passed by.
        browse.send_keys(Keys.SHIFT, Keys.TAB)
        self.assertEqual(self.driver.switch_to.active_element.tag_name, "body")

    def test_the_page_makes_no_code_at_run_time_and_converts(self):
        policy = self.driver.find_element(By.CSS_SELECTOR, "meta[http-equiv=Content-Security-Policy]")
        script_src = re.search(r"script-src ([^;]*)", policy.get_attribute("content")).group(1).split()
        self.assertNotIn("'unsafe-eval'", script_src)
        # The page with a script of its own that tries: refused, and the
        # converter, in its worker under the same policy, works.
        with open(PAGE, encoding="utf-8") as f:
            page = f.read()
        probe = ("<script>try { document.documentElement.dataset.made = String(eval('1 + 1')); }"
                 " catch (e) { document.documentElement.dataset.made = e.name; }</script>")
        probed = os.path.join(self.work, "probed.html")
        with open(probed, "w", encoding="utf-8") as f:
            f.write(page.replace("</body>", probe + "</body>", 1))
        self.browser.open(probed)
        self.browser.wait_for("return document.documentElement.dataset.core === 'ready'", 30)
        self.assertEqual(self.driver.execute_script("return document.documentElement.dataset.made"),
                         "EvalError")
        self.pick(self.export_file("policy.PRO"))
        self.assertEqual(self.report_texts("button.download"), self.download_captions("policy"))

    def test_buttons_look_like_the_controls_style_10(self):
        browse = self.driver.find_element(By.ID, "browse")
        look = lambda: (browse.value_of_css_property("color"), browse.value_of_css_property("border-top-color"))
        self.assertEqual(look(), ("rgba(255, 255, 255, 1)", "rgba(0, 0, 44, 1)"))
        from selenium.webdriver import ActionChains
        ActionChains(self.driver).move_to_element(browse).perform()
        self.assertEqual(look()[1], "rgba(0, 0, 57, 1)")  # hot

    def test_every_control_is_reached_by_tab_and_named(self):
        self.pick(self.export_file("one.PRO"), self.export_file("two.PRO"))
        body = self.driver.find_element(By.TAG_NAME, "body")
        body.click()
        reached = []
        for _ in range(40):
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            active = self.driver.switch_to.active_element
            ident = active.get_attribute("id") or active.get_attribute("class")
            if reached and ident == reached[0]:
                break
            reached.append(ident)
            name = self.driver.execute_script(
                "const e = arguments[0]; return e.getAttribute('aria-label') || e.textContent.trim() ||"
                " (e.labels && e.labels[0] && e.labels[0].textContent)", active)
            self.assertTrue(name, f"{ident} has no name")
        for wanted in ("browse", "browse-folder", "download-zip", "download-combined", "file-list",
                       "flex wide download", "sheet-scroll"):
            self.assertIn(wanted, reached)
        self.assertNotIn("picked", reached)

    def test_keys_press_buttons_and_choose_files(self):
        self.pick(self.export_file("one.PRO"), self.export_file("two.PRO"))
        self.driver.find_element(By.ID, "file-0").click()
        listbox = self.driver.switch_to.active_element
        self.assertEqual(listbox.get_attribute("id"), "file-list")
        listbox.send_keys(Keys.ARROW_DOWN)
        self.assertEqual(self.report_texts(".report-title"), ["two.PRO"])
        self.assertEqual(listbox.get_attribute("aria-activedescendant"), "file-1")
        self.assertEqual(self.driver.find_element(By.ID, "file-1").get_attribute("aria-selected"), "true")
        listbox.send_keys(Keys.HOME)
        self.assertEqual(self.report_texts(".report-title"), ["one.PRO"])
        self.browser.ask_for_download(lambda: self.download_button().send_keys(Keys.SPACE))
        wait_for_download(self.downloads, "one.xlsx")
        names = self.names_of_the_day(lambda day: f"reports {day}.zip")
        self.browser.ask_for_download(lambda: self.driver.find_element(By.ID, "download-zip").send_keys(Keys.ENTER))
        wait_for_any_download(self.downloads, names)

    def test_nothing_is_kept_in_the_browser(self):
        self.pick(self.export_file("kept.PRO"))
        kept = self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            indexedDB.databases().then(dbs => done([localStorage.length, sessionStorage.length,
                                                    document.cookie, dbs.length]));
        """)
        self.assertEqual(kept, [0, 0, "", 0])

    def test_a_name_without_a_mode_picked_by_itself_is_refused(self):
        self.pick(self.write("notes.txt", ["1"]))
        reason = self.report_texts(".refusal .reason")
        self.assertEqual(len(reason), 1)
        self.assertIn("no measurement mode", reason[0])


def main():
    global PAGE, CONVERTER, EXAMPLES, TEST_DOUBLE, SCREENSHOT
    args = sys.argv[1:]
    if "--test-double" in args:
        args.remove("--test-double")
        TEST_DOUBLE = True
    if "--screenshot" in args:
        at = args.index("--screenshot")
        SCREENSHOT = os.path.abspath(args[at + 1])
        del args[at:at + 2]
    if len(args) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    PAGE, CONVERTER, EXAMPLES = (os.path.abspath(a) for a in args)
    reports.EXAMPLES = EXAMPLES
    reports.CONVERTER = CONVERTER
    if TEST_DOUBLE:
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "bundle_web.py"),
                        os.path.join(HERE, "mock_core.js"), PAGE], check=True)
    elif not os.path.exists(PAGE):
        print(f"check_page.py: skipped: {PAGE} is not built (scripts/build-web.sh builds it)")
        return SKIPPED
    if not os.path.exists(CONVERTER):
        print(f"check_page.py: {CONVERTER} is missing", file=sys.stderr)
        return 1
    sources = [os.path.join(ROOT, "web", n) for n in os.listdir(os.path.join(ROOT, "web"))]
    newer = [os.path.relpath(p, ROOT) for p in sources
             if os.path.isfile(p) and os.path.getmtime(p) > os.path.getmtime(PAGE)]
    if newer:
        print(f"note: {PAGE} is older than {', '.join(sorted(newer))}", file=sys.stderr)
    program = unittest.main(argv=[sys.argv[0], "-v"], exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
