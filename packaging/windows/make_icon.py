#!/usr/bin/env python3
"""Writes a Windows icon (.ico) holding the PNG images given, each as it is:
the window's icon at the sizes Explorer shows.

Usage: make_icon.py ICON PNG...
"""

import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    images = []
    for path in sys.argv[2:]:
        with open(path, "rb") as f:
            images.append(f.read())
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    for data in images:
        width, height = png_size(data)
        # 0 stands for 256, the largest an entry can name.
        head += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(head + b"".join(images))
    return 0


if __name__ == "__main__":
    sys.exit(main())
