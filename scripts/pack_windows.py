#!/usr/bin/python3
"""Packs the Windows converter: ZIP VERSION EXE PAGE writes ZIP holding the
program and the page (as Ordelix.html) at its top, README.txt with Windows
line ends, and in licences/ Ordelix's licence and that of each library built
into either."""

import os
import sys
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# What the .exe links in and the page carries, and where the terms it comes
# under are kept.
LICENCES = {
    "Ordelix.txt": os.path.join(ROOT, "LICENSE"),
    "libxlsxwriter.txt": os.path.join(ROOT, ".deps/libxlsxwriter-1.1.4/License.txt"),
    "zlib-and-minizip.txt": os.path.join(ROOT, ".deps/zlib-1.2.13.dfsg/debian/copyright"),
    "CLI11.txt": "/usr/share/doc/libcli11-dev/copyright",
    "mingw-w64-runtime-and-winpthreads.txt": "/usr/share/doc/mingw-w64-common/copyright",
    "gcc-runtime-libstdc++-libgcc.txt": "/usr/share/doc/gcc-mingw-w64-base/copyright",
    "uPlot.txt": os.path.join(ROOT, "web/node_modules/uplot/LICENSE"),
}


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def main(zip_path, version, exe, page):
    # Every entry dated as the program, so that one build packs to one zip.
    stamp = zipfile.ZipInfo.from_file(exe).date_time

    def add(zf, name, data):
        info = zipfile.ZipInfo(name, stamp)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        zf.writestr(info, data)

    with open(os.path.join(ROOT, "packaging/windows/README.txt"), encoding="utf-8") as f:
        readme = crlf(f.read().replace("@VERSION@", version))
    partial = zip_path + ".partial"
    with zipfile.ZipFile(partial, "w") as zf:
        with open(exe, "rb") as f:
            add(zf, "ordelix-convert.exe", f.read())
        with open(page, "rb") as f:
            add(zf, "Ordelix.html", f.read())
        add(zf, "README.txt", readme.encode("utf-8"))
        for name, source in LICENCES.items():
            with open(source, encoding="utf-8") as f:
                add(zf, "licences/" + name, crlf(f.read()).encode("utf-8"))
    os.replace(partial, zip_path)


if __name__ == "__main__":
    main(*sys.argv[1:])
