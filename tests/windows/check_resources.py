#!/usr/bin/python3
"""What Explorer shows of ordelix-convert.exe, read from its resources: the
window's icon at each size, and the version in Properties.

Usage: check_resources.py EXE VERSION ICONS_DIR
"""

import os
import struct
import sys
import unittest

EXE = VERSION = ICONS = None
RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
ICON_SIZES = (16, 24, 32, 48, 64, 256)


def resources(image):
    """{type: {id: bytes}} of a PE file's resources, their first language each."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    assert image[pe:pe + 4] == b"PE\0\0", "not a PE file"
    sections, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    table = pe + 24 + optional_size
    for i in range(sections):
        name, _, address, _, raw = struct.unpack_from("<8sIIII", image, table + 40 * i)
        if name.rstrip(b"\0") == b".rsrc":
            break
    else:
        return {}

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", image, raw + offset + 12)
        for k in range(named + numbered):
            key, target = struct.unpack_from("<II", image, raw + offset + 16 + 8 * k)
            yield key, target & 0x7FFFFFFF, bool(target & 0x80000000)

    found = {}
    for kind, kinds, _ in entries(0):
        for ident, languages, _ in entries(kinds):
            _, leaf, _ = next(entries(languages))
            rva, size = struct.unpack_from("<II", image, raw + leaf)
            start = raw + rva - address
            found.setdefault(kind, {})[ident] = image[start:start + size]
    return found


class Resources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as f:
            cls.found = resources(f.read())

    def test_the_icon_is_the_windows_icon_at_each_size(self):
        groups = self.found.get(RT_GROUP_ICON, {})
        self.assertEqual(len(groups), 1, "one icon, the program's")
        group = next(iter(groups.values()))
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind, count), (0, 1, len(ICON_SIZES)))
        images = {}
        for k in range(count):
            width, height, _, _, _, _, size, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k)
            image = self.found[RT_ICON][ident]
            self.assertEqual(len(image), size)
            images[width or 256] = (height or 256, image)
        self.assertEqual(sorted(images), list(ICON_SIZES))
        for n, (height, image) in images.items():
            with self.subTest(size=n):
                self.assertEqual(height, n)
                with open(os.path.join(ICONS, f"{n}x{n}", "org.ordelix.Ordelix.png"), "rb") as f:
                    self.assertEqual(image, f.read())

    def test_the_version_is_the_projects(self):
        info = next(iter(self.found[RT_VERSION].values()))
        fixed = info.index(struct.pack("<I", 0xFEEF04BD))
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<4I", info, fixed + 8)
        major, minor, patch = (int(n) for n in VERSION.split("."))
        self.assertEqual((file_ms, file_ls), ((major << 16) | minor, patch << 16))
        self.assertEqual((product_ms, product_ls), (file_ms, file_ls))
        for key, value in (("FileVersion", VERSION), ("ProductVersion", VERSION),
                           ("ProductName", "Ordelix"),
                           ("OriginalFilename", "ordelix-convert.exe")):
            with self.subTest(key=key):
                # Each a key, its padding to four bytes, then its value, in UTF-16.
                pair = (key + "\0").encode("utf-16-le")
                at = info.index(pair) + len(pair)
                at += (4 - at % 4) % 4
                self.assertEqual(info[at:at + 2 * len(value)], value.encode("utf-16-le"))


def main():
    global EXE, VERSION, ICONS
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    EXE, VERSION, ICONS = sys.argv[1:]
    result = unittest.main(argv=sys.argv[:1], verbosity=2, exit=False).result
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
