#!/usr/bin/python3
"""Converts wavelength scans with the real ordelix-convert, has LibreOffice
print the workbooks to PDF in one run and checks what a reader of the printout
sees: the widest date whole in D2, and the chart whole on the first page.

Usage: check_rendering.py CONVERTER EXAMPLES_DIR
"""

import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

CONVERTER = EXAMPLES = None
WIDEST_DATE = datetime.datetime(2026, 12, 28, 23, 59, 59)
# The chart's frame is light grey on white paper.
FRAME_BELOW = 240


def with_date(source, target, when):
    """A copy of the workbook with `when` in D2: the date of an export file's
    birth cannot be chosen, so it is set in the sheet, its format kept."""
    serial = (when - datetime.datetime(1899, 12, 30)).total_seconds() / 86400
    with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as zout:
        for item in zin.infolist():
            data = zin.read(item.filename)
            if item.filename == "xl/worksheets/sheet1.xml":
                data, count = re.subn(rb'(<c r="D2"[^>]*><v>)[^<]*',
                                      lambda m: m.group(1) + repr(serial).encode(), data)
                assert count == 1, "no date in D2"
            zout.writestr(item, data)


def scan_export(path, points):
    """OD at 0.2 nm steps from 190 nm, one absorption band."""
    lines = ["7", "0", "1", "LONGSCAN", "4", "1", "3.0", "0.0", "190", f"{190 + 0.2 * (points - 1):.1f}",
             "1", "0", str(points)]
    lines += [f"{0.1 + (i % 200) / 400:.4f}" for i in range(points)]
    with open(path, "wb") as f:
        f.write(b"".join(line.encode() + b"\r\n" for line in lines))


def page_texts(pdf):
    pages = int(re.search(r"Pages:\s+(\d+)", run(["pdfinfo", pdf])).group(1))
    return [run(["pdftotext", "-layout", "-f", str(p), "-l", str(p), pdf, "-"])
            for p in range(1, pages + 1)]


def run(command):
    return subprocess.run(command, check=True, capture_output=True, text=True, timeout=300).stdout


def word_boxes(pdf, page):
    """[(word, x_min, y_min, x_max, y_max)] in points."""
    xml = run(["pdftotext", "-bbox", "-f", str(page), "-l", str(page), pdf, "-"])
    return [(m.group(5), *(float(m.group(i)) for i in range(1, 5))) for m in re.finditer(
        r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', xml)]


class Gray:
    """A page rendered at 72 dots per inch: one pixel per point."""

    def __init__(self, pdf, page, work):
        stem = os.path.join(work, f"page{page}")
        run(["pdftoppm", "-r", "72", "-gray", "-f", str(page), "-l", str(page), "-singlefile",
             pdf, stem])
        with open(stem + ".pgm", "rb") as f:
            data = f.read()
        header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+255\s", data)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.pixels = data[header.end():]

    def dark(self, x, y):
        return 0 <= x < self.width and 0 <= y < self.height and \
            self.pixels[y * self.width + x] < FRAME_BELOW

    def run_along(self, x, y, dx, dy):
        """The last dark point from (x, y) on, one step of (dx, dy) at a time."""
        while self.dark(x + dx, y + dy):
            x, y = x + dx, y + dy
        return x, y


def chart_frame(gray, title_words):
    """(left, top, right, bottom) of the closed frame around the chart title,
    or None when a side is missing, as where a page edge cuts the chart."""
    x_min, y_min = title_words[0][1:3]
    x_max, y_max = title_words[-1][3:5]
    y = int((y_min + y_max) / 2)
    left = next((x for x in range(int(x_min) - 1, -1, -1) if gray.dark(x, y)), None)
    right = next((x for x in range(int(x_max) + 1, gray.width) if gray.dark(x, y)), None)
    if left is None or right is None:
        return None
    _, top = gray.run_along(left, y, 0, -1)
    _, bottom = gray.run_along(left, y, 0, 1)
    closed = (gray.run_along(right, y, 0, -1)[1] == top and gray.run_along(right, y, 0, 1)[1] == bottom
              and gray.run_along(left, top, 1, 0)[0] >= right
              and gray.run_along(left, bottom, 1, 0)[0] >= right)
    return (left, top, right, bottom) if closed else None


class Printout(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="ordelix-render-")
        converted = os.path.join(cls.work, "converted.xlsx")
        subprocess.run([CONVERTER, "-o", converted, os.path.join(EXAMPLES, "scan_auto.WSC")],
                       check=True, capture_output=True, timeout=60)
        with_date(converted, os.path.join(cls.work, "widest.xlsx"), WIDEST_DATE)
        scan_export(os.path.join(cls.work, "long.WSC"), 601)
        subprocess.run([CONVERTER, os.path.join(cls.work, "long.WSC")], check=True,
                       capture_output=True, timeout=60)
        # A profile of its own: another LibreOffice running would take the job.
        profile = "file://" + os.path.join(cls.work, "profile")
        subprocess.run(["soffice", f"-env:UserInstallation={profile}", "--headless",
                        "--convert-to", "pdf", "--outdir", cls.work,
                        os.path.join(cls.work, "widest.xlsx"), os.path.join(cls.work, "long.xlsx")],
                       check=True, capture_output=True, timeout=300)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def pdf(self, stem):
        return os.path.join(self.work, stem + ".pdf")

    def test_the_widest_date_shows_whole(self):
        pages = page_texts(self.pdf("widest"))
        self.assertIn("2026/12/28 23:59:59", pages[0])
        self.assertNotIn("###", "".join(pages))

    def test_the_chart_is_whole_on_the_first_page(self):
        for stem in ("widest", "long"):
            with self.subTest(report=stem):
                pdf = self.pdf(stem)
                pages = page_texts(pdf)
                self.assertEqual([n for n, text in enumerate(pages, 1) if "WL Scan" in text], [1])
                words = word_boxes(pdf, 1)
                at = next(i for i, w in enumerate(words) if w[0] == "Scan" and words[i - 1][0] == "WL")
                frame = chart_frame(Gray(pdf, 1, self.work), words[at - 1:at + 1])
                self.assertIsNotNone(frame, "the chart's frame is cut")
                left, top, right, bottom = frame
                inside = [w[0] for w in words
                          if left < w[1] and w[3] < right and top < w[2] and w[4] < bottom]
                self.assertIn("WL(nm)", inside, "the category axis title is on the page")
                self.assertGreater(bottom - top, 150, "a chart 250 points high, a little scaled")


def main():
    global CONVERTER, EXAMPLES
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    CONVERTER, EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:])
    suite = unittest.defaultTestLoader.loadTestsFromModule(sys.modules[__name__])
    result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    return 0 if result.wasSuccessful() and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
