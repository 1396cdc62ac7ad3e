#!/usr/bin/env python3
"""Builds the browser edition: one self-contained HTML page that works offline,
from file://, with web/index.html's styles, uPlot, the converter core and the
page's scripts inlined.

Usage: bundle_web.py CORE_JS OUT_HTML

CORE_JS is the core's single-file emscripten module (it defines OrdelixCore).
uPlot comes from web/node_modules, installed from web/package-lock.json with
`npm ci` when it is missing or differs from the lock. Fails, writing nothing,
when the page would exceed 3 MB.
"""

import json
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WEB = os.path.join(ROOT, "web")
MAX_BYTES = 3_000_000
# In the order they depend on one another.
PAGE_SCRIPTS = ["format.js", "sheet_view.js", "column_extremes.js", "charts.js", "picking.js", "core_client.js", "app.js"]
STYLES = ["page.css"]
UPLOT = os.path.join(WEB, "node_modules", "uplot")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def locked_version(package):
    with open(os.path.join(WEB, "package-lock.json"), encoding="utf-8") as f:
        return json.load(f)["packages"][f"node_modules/{package}"]["version"]


def installed_version(package_dir):
    try:
        with open(os.path.join(package_dir, "package.json"), encoding="utf-8") as f:
            return json.load(f)["version"]
    except (OSError, ValueError, KeyError):
        return None


def ensure_libraries():
    if installed_version(UPLOT) == locked_version("uplot"):
        return
    subprocess.run(["npm", "ci", "--no-audit", "--no-fund", "--ignore-scripts"], cwd=WEB,
                   check=True, stdout=sys.stderr)


def project_version():
    """The release's version, as CMakeLists.txt sets it for every artifact."""
    found = re.search(r"project\(Ordelix VERSION ([0-9.]+)", read(os.path.join(ROOT, "CMakeLists.txt")))
    if not found:
        raise SystemExit("bundle_web.py: no version in CMakeLists.txt")
    return found.group(1)


def version_title(version):
    """The window's title line: " Ordelix  V" and the major and minor version."""
    return " Ordelix  V" + ".".join(version.split(".")[:2])


def inline_safe(text, what, closing):
    """Text to stand as it is inside a <script> or <style> element."""
    lowered = text.lower()
    for bad in (closing, "<!--"):
        if bad in lowered:
            raise SystemExit(f"bundle_web.py: {what} holds {bad!r}, which would end its element early")
    return text


def js_string(text):
    """A JavaScript string literal of `text` that no HTML parser reads into:
    every < escaped, and the line separators JSON leaves raw."""
    return json.dumps(text, ensure_ascii=True).replace("<", "\\u003c")


def page(core_js):
    libraries = [
        "/* uPlot " + installed_version(UPLOT) + "\n" + read(os.path.join(UPLOT, "LICENSE")) + "*/",
        read(os.path.join(UPLOT, "dist", "uPlot.iife.min.js")),
    ]
    styles = [read(os.path.join(UPLOT, "dist", "uPlot.min.css"))]
    styles += [read(os.path.join(WEB, name)) for name in STYLES]
    scripts = [inline_safe(s, "uPlot", "</script") for s in libraries]
    # The worker runs the core and the worker script from one Blob.
    scripts.append("var ORDELIX_CORE_SOURCE = " + js_string(core_js) + ";")
    scripts.append("var ORDELIX_WORKER_SOURCE = " + js_string(read(os.path.join(WEB, "worker.js"))) + ";")
    scripts += [inline_safe(read(os.path.join(WEB, name)), name, "</script") for name in PAGE_SCRIPTS]

    html = read(os.path.join(WEB, "index.html"))
    version = project_version()
    html = html.replace("@TITLE@", version_title(version)).replace("@VERSION@", version)
    html = html.replace("/*@STYLES@*/", inline_safe("\n".join(styles), "the styles", "</style"))
    # Each script apart: a fault in one leaves the others to run and say so.
    parts = html.split("<script>\n/*@SCRIPTS@*/\n</script>")
    if len(parts) != 2:
        raise SystemExit("bundle_web.py: web/index.html lacks its scripts' place")
    return parts[0] + "\n".join(f"<script>\n{s}\n</script>" for s in scripts) + parts[1]


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    core_path, out_path = argv[1], argv[2]
    core_js = read(core_path)
    if "OrdelixCore" not in core_js:
        raise SystemExit(f"bundle_web.py: {core_path} does not define OrdelixCore")
    ensure_libraries()
    data = page(core_js).encode("utf-8")
    if len(data) > MAX_BYTES:
        raise SystemExit(f"bundle_web.py: the page would be {len(data):,} bytes, over {MAX_BYTES:,}")
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    temp = out_path + ".part"
    with open(temp, "wb") as f:
        f.write(data)
    os.replace(temp, out_path)
    print(f"{out_path}: {len(data):,} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
