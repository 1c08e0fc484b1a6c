#!/usr/bin/env python3
"""Draws the job view's stock pictures into ordwell/res as 16-colour
bitmaps, each at 32 x 32 and 16 x 16: job_page (a layout sheet with text
lines), job_image (a picture: sky, sun and a green hill) and job_output (a
sheet leaving a printer). Run from any folder.
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')

# The 16 standard colours; the drawings use these indices.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, GREY, LIGHT, YELLOW, BLUE, CYAN, WHITE = 0, 2, 8, 7, 11, 12, 14, 15


def bitmap(pixels):
    size = len(pixels)
    row_bytes = ((size * 4 + 31) // 32) * 4
    data = b''
    for row in reversed(pixels):
        packed = bytearray(row_bytes)
        for x, v in enumerate(row):
            packed[x // 2] |= v << (4 if x % 2 == 0 else 0)
        data += bytes(packed)
    palette = b''.join(struct.pack('<4B', b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 4, 0, len(data), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + info + palette + data


def canvas(size, colour=LIGHT):
    return [[colour] * size for _ in range(size)]


def sheet(p, left, top, right, bottom):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = y in (top, bottom) or x in (left, right)
            p[y][x] = BLACK if edge else WHITE


def page(size):
    p = canvas(size)
    s = size / 32.0
    sheet(p, int(6 * s), int(2 * s), int(25 * s), int(29 * s))
    for line in range(5 if size == 32 else 3):
        y = int((7 + line * 4.5) * s)
        for x in range(int(9 * s), int(23 * s)):
            p[y][x] = BLUE
    return p


def image(size):
    p = canvas(size)
    s = size / 32.0
    sheet(p, int(2 * s), int(5 * s), int(29 * s), int(26 * s))
    for y in range(int(5 * s) + 1, int(26 * s)):
        for x in range(int(2 * s) + 1, int(29 * s)):
            p[y][x] = CYAN
            if (x - 10 * s) ** 2 + (y - 11 * s) ** 2 <= (3.5 * s) ** 2:
                p[y][x] = YELLOW
            if (x - 18 * s) ** 2 + (y - 30 * s) ** 2 <= (12 * s) ** 2:
                p[y][x] = GREEN
    return p


def output(size):
    p = canvas(size)
    s = size / 32.0
    sheet(p, int(9 * s), int(1 * s), int(22 * s), int(14 * s))
    for y in range(int(13 * s), int(27 * s)):
        for x in range(int(3 * s), int(29 * s)):
            edge = y in (int(13 * s), int(27 * s) - 1) or x in (int(3 * s), int(29 * s) - 1)
            p[y][x] = BLACK if edge else GREY
    for x in range(int(7 * s), int(25 * s)):
        p[int(20 * s)][x] = BLACK
    p[int(16 * s)][int(25 * s)] = 10  # the power lamp
    return p


def main():
    for name, draw in (('job_page', page), ('job_image', image), ('job_output', output)):
        for size in (32, 16):
            with open(os.path.join(HERE, '%s%d.bmp' % (name, size)), 'wb') as f:
                f.write(bitmap(draw(size)))


if __name__ == '__main__':
    main()
