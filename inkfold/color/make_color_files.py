#!/usr/bin/python3
"""Writes the separation's generated colour files into a folder:

dto.org  the colour chart: an uncompressed 8-bit RGB TIFF (little-endian,
         one strip, contiguous samples) whose pixels run through a cube of
         17 levels per channel: x = r + 17 * g, y = b.
std.dat  the standard table that the separation dialog copies to "otd.cvt":
         for each of C, M and Y the identity ramp 0..255.
"""
import struct
import sys
from pathlib import Path

LEVELS = 17


def level(i):
    return (i * 255 + (LEVELS - 1) // 2) // (LEVELS - 1)


def chart():
    width, height, samples = LEVELS * LEVELS, LEVELS, 3
    entries_at = 8
    tags = 12
    bits_at = entries_at + 2 + 12 * tags + 4
    xres_at = bits_at + 6
    yres_at = xres_at + 8
    data_at = yres_at + 8
    data_bytes = width * height * samples
    short, long_, rational = 3, 4, 5
    entries = [
        (256, short, 1, width),
        (257, short, 1, height),
        (258, short, samples, bits_at),
        (259, short, 1, 1),
        (262, short, 1, 2),
        (273, long_, 1, data_at),
        (277, short, 1, samples),
        (278, short, 1, height),
        (279, long_, 1, data_bytes),
        (282, rational, 1, xres_at),
        (283, rational, 1, yres_at),
        (284, short, 1, 1),
    ]
    assert len(entries) == tags
    out = bytearray(b"II" + struct.pack("<HI", 42, entries_at))
    out += struct.pack("<H", tags)
    for tag, kind, count, value in entries:
        inline = kind == short and count == 1
        out += struct.pack("<HHI", tag, kind, count)
        out += struct.pack("<HH", value, 0) if inline else struct.pack("<I", value)
    out += struct.pack("<I", 0)
    out += struct.pack("<HHH", 8, 8, 8)
    out += struct.pack("<II", 300, 1) * 2
    assert len(out) == data_at and data_at <= 600
    for y in range(height):
        for x in range(width):
            out += bytes((level(x % LEVELS), level(x // LEVELS), level(y)))
    return bytes(out)


def standard_table():
    return bytes(range(256)) * 3


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "dto.org").write_bytes(chart())
    (folder / "std.dat").write_bytes(standard_table())


if __name__ == "__main__":
    main()
