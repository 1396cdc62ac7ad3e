"""Size and pixels of a PNG as rsvg-convert writes it (8-bit RGBA, not
interlaced), read with the standard library alone."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
RGBA = 6
BYTES_PER_PIXEL = 4


def _chunks(data):
    at = len(SIGNATURE)
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def _read(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(SIGNATURE):
        raise ValueError(f"{path}: not a PNG")
    return data


def size_of(path):
    """(width, height) from the header."""
    kind, header = next(_chunks(_read(path)))
    if kind != b"IHDR":
        raise ValueError(f"{path}: no header first")
    return struct.unpack(">II", header[:8])


def _paeth(left, up, up_left):
    estimate = left + up - up_left
    near_left, near_up, near_up_left = (abs(estimate - v) for v in (left, up, up_left))
    if near_left <= near_up and near_left <= near_up_left:
        return left
    return up if near_up <= near_up_left else up_left


def _unfilter(kind, line, previous):
    out = bytearray(line)
    for i in range(len(out)):
        left = out[i - BYTES_PER_PIXEL] if i >= BYTES_PER_PIXEL else 0
        up = previous[i]
        up_left = previous[i - BYTES_PER_PIXEL] if i >= BYTES_PER_PIXEL else 0
        if kind == 1:
            out[i] = (out[i] + left) & 0xFF
        elif kind == 2:
            out[i] = (out[i] + up) & 0xFF
        elif kind == 3:
            out[i] = (out[i] + (left + up) // 2) & 0xFF
        elif kind == 4:
            out[i] = (out[i] + _paeth(left, up, up_left)) & 0xFF
        elif kind != 0:
            raise ValueError(f"unknown PNG filter {kind}")
    return bytes(out)


def premultiplied_pixels(path):
    """((width, height), bytes): RGBA rows with colour scaled by alpha, so that
    fully transparent pixels compare equal whatever colour they keep."""
    data = _read(path)
    chunks = list(_chunks(data))
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (depth, colour, interlace) != (8, RGBA, 0):
        raise ValueError(f"{path}: not 8-bit RGBA without interlacing")
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    stride = width * BYTES_PER_PIXEL
    rows, previous = bytearray(), bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        previous = _unfilter(raw[start], raw[start + 1:start + 1 + stride], previous)
        rows += previous
    for i in range(0, len(rows), BYTES_PER_PIXEL):
        alpha = rows[i + 3]
        for c in range(3):
            rows[i + c] = rows[i + c] * alpha // 255
    return (width, height), bytes(rows)
