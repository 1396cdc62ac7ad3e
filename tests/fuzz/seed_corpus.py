#!/usr/bin/python3
"""Makes the fuzz target's seed corpus from the bundled export files: each one
as an input that only converts it, and as one that also writes the workbook
(slower, so the fuzzer spends most of its time on the first kind), at a plain
file time; and its text as an editor saves it in UTF-8 and UTF-16, converted
only.

Usage: seed_corpus.py EXAMPLES_DIR OUT_DIR
"""

import os
import struct
import sys

WRITE_WORKBOOK = 1
FILE_TIME = 981173106  # 2001-02-03 04:05:06 UTC
# Byte-order mark and codec of each Unicode copy.
UNICODE = {"utf8": (b"\xef\xbb\xbf", "utf-8"), "utf16le": (b"\xff\xfe", "utf-16-le"),
           "utf16be": (b"\xfe\xff", "utf-16-be")}


def write_seed(path, flags, extension, data):
    with open(path, "wb") as f:
        f.write(bytes([flags]) + struct.pack("<q", FILE_TIME) + extension.encode() + b"\n" + data)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    examples, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    count = 0
    for name in sorted(os.listdir(examples)):
        stem, extension = os.path.splitext(name)
        if not extension or name.startswith("."):
            continue
        with open(os.path.join(examples, name), "rb") as f:
            data = f.read()
        for flags, kind in ((0, "convert"), (WRITE_WORKBOOK, "write")):
            write_seed(os.path.join(out, f"{stem}-{extension[1:]}-{kind}"), flags,
                       extension[1:], data)
            count += 1
        for encoding, (mark, codec) in UNICODE.items():
            write_seed(os.path.join(out, f"{stem}-{extension[1:]}-{encoding}"), 0,
                       extension[1:], mark + data.decode("cp1252").encode(codec))
            count += 1
    print(f"{count} seeds in {out}")
    return 0 if count else 1


if __name__ == "__main__":
    sys.exit(main())
