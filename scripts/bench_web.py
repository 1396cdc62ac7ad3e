#!/usr/bin/python3
"""Times the browser edition in headless Chromium against the Linux converter.

Usage: scripts/bench_web.py [PAGE] [--converter PATH] [--runs N] [--heavy]

PAGE defaults to dist/ordelix.html, the converter to build/bin/ordelix-convert.
Prints, as medians and bests of N runs (default 5):
  - the time until the page is ready after it opens: its controls working,
    then the converter core loaded in its worker (goal: under 1 s);
  - a 32,000-point wavelength scan, smooth and then noisy as an instrument
    reads it, from choosing the file (the change event) until the report's
    Download button is there and the page answers, which a click waits for,
    on the page's clock and on ours outside it, and until the clicked
    report's file is on disk; next to the converter's run on the same file
    (goal: the button answering at most 3 times the converter's time, on the
    noisy scan), and the time the sheet takes to draw the rows in view after
    a jump.
With --heavy, also the page's longest stall (its main thread held, measured
by a 10 ms heartbeat) while it converts 10,000 small files, a 60 MB scan and
a 100 MB one (which the converter refuses as too large for an export file);
and what a small file of the batch costs, converted and zipped (goal: at
most 2 ms).
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "scripts"))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from bench import write_export  # noqa: E402
from bench_scan import scan_lines  # noqa: E402
from browser import Browser, wait_for_download  # noqa: E402

TZ = "UTC"
GOAL_READY_MS = 1000
GOAL_RATIO = 3.0
GOAL_BATCH_MS = 2.0

# Converts the given Files through the page as a pick would, with a 10 ms
# heartbeat on the main thread; answers [total ms, longest gap ms, converted].
HEARTBEAT_CONVERT = """
const done = arguments[arguments.length - 1];
const files = arguments[0]();
let last = performance.now(), longest = 0;
const beat = setInterval(() => {
  const now = performance.now();
  longest = Math.max(longest, now - last);
  last = now;
}, 10);
const start = performance.now();
ordelixPage.convert({ files: files.map(f => ({ file: f, path: f.name })), skipped: 0, problems: [] })
  .then(() => {
    clearInterval(beat);
    const entries = ordelixPage.entries();
    const ok = entries.filter(e => e.state === 'done').length;
    const refused = entries.find(e => e.state === 'failed');
    done([performance.now() - start, longest, ok, refused ? refused.result.error : '']);
  });
"""


def ms(seconds):
    return f"{seconds * 1000:8.1f} ms"


def summary(label, values, unit_ms=True):
    med, best = statistics.median(values), min(values)
    if unit_ms:
        return f"{label:<46} median {med:8.1f} ms   best {best:8.1f} ms"
    return f"{label:<46} median {med:8.2f}      best {best:8.2f}"


def open_ready(browser, page):
    browser.open(page)
    browser.wait_for("return document.documentElement.dataset.core === 'ready'", 60, 0.005)
    return browser.driver.execute_script(
        "const t = ordelixTimes; return [t.ui, t.core]")


def page_ready(browser, page, runs):
    ui, core = [], []
    for _ in range(runs):
        u, c = open_ready(browser, page)
        ui.append(u)
        core.append(c)
    print(summary("page ready: controls working", ui))
    print(summary("page ready: converter core loaded", core))
    print(f"{'goal':<46} under {GOAL_READY_MS} ms: "
          f"{'met' if statistics.median(core) < GOAL_READY_MS else 'NOT met'}")


# Answers, once the page is free to, the milliseconds from the pick to now
# when the report's Download button is there; null before.
BUTTON_ANSWERS = """
const converted = Number(document.documentElement.dataset.converted || 0);
const button = document.querySelector('#report button.download');
return converted > arguments[0] && button ? performance.now() - ordelixTimes.picked : null;
"""


def scan(browser, page, converter, work, runs):
    open_ready(browser, page)
    for noisy in (False, True):
        label = "noisy" if noisy else "smooth"
        path = os.path.join(work, "scan32000.WSC")
        write_export(path, scan_lines(32000, noisy=noisy))
        native = [s * 1000 for s in converter_runs(converter, path, work, runs)]
        inside, answered, on_disk = page_runs(browser, path, runs)
        print(summary(f"32,000-point {label} scan: the converter", native))
        print(summary("  page, to the button answering, its clock", inside))
        print(summary("  page, to the button answering, outside", answered))
        print(summary("  page, to the file on disk", on_disk))
        ratio = statistics.median(answered) / statistics.median(native)
        best_ratio = min(answered) / min(native)
        verdict = ("met" if ratio <= GOAL_RATIO else "NOT met") if noisy else "judged on noisy"
        print(f"{'  ratio answering page / converter':<46} median {ratio:8.2f}      "
              f"best {best_ratio:8.2f}   goal at most {GOAL_RATIO}: {verdict}")
    draws = draw_jumps(browser)
    print(f"{'32,000-row sheet: a jump drawn and laid out in':<46} median "
          f"{statistics.median(draws):8.1f} ms   worst {max(draws):8.1f} ms")


def converter_runs(converter, path, work, runs):
    out = os.path.join(work, "native.xlsx")
    native = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([converter, "-f", "-q", "-o", out, path], check=True,
                       env=dict(os.environ, TZ=TZ), stdin=subprocess.DEVNULL)
        native.append(time.perf_counter() - start)
    return native


def page_runs(browser, path, runs):
    """Milliseconds from the pick to the Download button there and answering,
    polled through WebDriver as a user's click waits, on the page's clock and
    on ours; and to the clicked report's file on disk."""
    driver = browser.driver
    inside, answered, on_disk = [], [], []
    for _ in range(runs):
        for name in os.listdir(browser.downloads):
            os.remove(os.path.join(browser.downloads, name))
        before = int(driver.execute_script("return document.documentElement.dataset.converted || 0"))
        start = time.perf_counter()
        driver.find_element("id", "file-input").send_keys(path)
        in_page = None
        while in_page is None:
            in_page = driver.execute_script(BUTTON_ANSWERS, before)
        answered.append((time.perf_counter() - start) * 1000)
        inside.append(in_page)
        driver.execute_script("document.querySelector('#report button.download').click()")
        wait_for_download(browser.downloads, "scan32000.xlsx", timeout=120)
        on_disk.append((time.perf_counter() - start) * 1000)
    return inside, answered, on_disk


def draw_jumps(browser):
    """Each jump draws the rows in view anew, as a fast scroll does."""
    return browser.driver.execute_script("""
        const scroller = document.querySelector('#report .sheet-scroll');
        const times = [];
        for (let i = 1; i <= 100; ++i) {
          const start = performance.now();
          scroller.scrollTop = (scroller.scrollHeight * ((i * 37) % 100)) / 100;
          scroller.dispatchEvent(new Event('scroll'));
          document.body.offsetHeight;
          times.push(performance.now() - start);
        }
        return times;
    """)


def zip_time(browser):
    """Milliseconds from a click on "Download all reports (.zip)" to the zip on disk."""
    for name in os.listdir(browser.downloads):
        os.remove(os.path.join(browser.downloads, name))
    start = time.perf_counter()
    browser.driver.execute_script("document.getElementById('download-zip').click()")
    while time.perf_counter() - start < 600:
        names = [n for n in os.listdir(browser.downloads) if n.endswith(".zip")]
        if names:
            wait_for_download(browser.downloads, names[0], timeout=600)
            return (time.perf_counter() - start) * 1000
        time.sleep(0.01)
    raise TimeoutError("no zip in 600 s")


def heavy(browser, page):
    open_ready(browser, page)
    driver = browser.driver
    driver.set_script_timeout(900)
    with open(os.path.join(ROOT, "examples", "bradford_std.PRO"), encoding="latin-1") as f:
        small = f.read()
    many = driver.execute_async_script(
        HEARTBEAT_CONVERT.replace("arguments[0]()", f"""(() => {{
            const text = {small!r};
            return Array.from({{ length: 10000 }}, (_, i) =>
                new File([text], `run${{i}}.PRO`, {{ lastModified: 1709806830000 }}));
        }})()"""))
    print(f"{'10,000 small files: all converted in':<46} {many[0]:8.1f} ms   "
          f"longest stall {many[1]:6.1f} ms   converted {many[2]}")
    zipped = zip_time(browser)
    print(f"{'  then zipped, to the file on disk, in':<46} {zipped:8.1f} ms")
    per_file = (many[0] + zipped) / 10000
    print(f"{'  a small file, converted and zipped':<46} {per_file:8.2f} ms   goal at most "
          f"{GOAL_BATCH_MS} ms: {'met' if per_file <= GOAL_BATCH_MS else 'NOT met'}")

    header = "\r\n".join(scan_lines(32000)[:13]) + "\r\n"
    # 60 MB is converted (its lines after the data counted in a warning);
    # the converter refuses 100 MB as no export file, which must come as fast.
    for megabytes in (60, 100):
        big = driver.execute_async_script(
            HEARTBEAT_CONVERT.replace("arguments[0]()", f"""(() => {{
                const chunk = "0.1234\\r\\n".repeat(1 << 17);
                const parts = [{header!r}];
                for (let size = 0; size < {megabytes}e6; size += chunk.length) parts.push(chunk);
                return [new File(parts, 'huge.WSC', {{ lastModified: 1709806830000 }})];
            }})()"""))
        outcome = f"converted {big[2]}" + (f", refused: {big[3]}" if big[3] else "")
        print(f"{f'a {megabytes} MB scan: done in':<46} {big[0]:8.1f} ms   "
              f"longest stall {big[1]:6.1f} ms   {outcome}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("page", nargs="?", default=os.path.join(ROOT, "dist", "ordelix.html"))
    parser.add_argument("--converter", default=os.path.join(ROOT, "build", "bin", "ordelix-convert"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--heavy", action="store_true")
    args = parser.parse_args()
    for path in (args.page, args.converter):
        if not os.path.exists(path):
            sys.exit(f"bench_web.py: {path} is missing")
    print(f"page {os.path.relpath(args.page)}: {os.path.getsize(args.page):,} bytes")
    with tempfile.TemporaryDirectory(prefix="ordelix-bench-web-") as work:
        downloads = os.path.join(work, "downloads")
        os.makedirs(downloads)
        browser = Browser(downloads, tz=TZ)
        try:
            page_ready(browser, args.page, args.runs)
            scan(browser, args.page, args.converter, work, args.runs)
            if args.heavy:
                heavy(browser, args.page)
        finally:
            browser.quit()


if __name__ == "__main__":
    main()
