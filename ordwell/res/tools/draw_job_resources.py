#!/usr/bin/env python3
"""Draws two of Ordwell's resources into ordwell/res: move_job.cur, the
32 x 32 monochrome cursor of the edit task dialog while a moved job waits
for its target task (an arrow carrying a small sheet), and profile_note.ico,
the 32 x 32 note icon of the profile property page (a blue disc with a white
"i"). Run from any folder.
"""
import math
import os
import struct

SIZE = 32
HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')


def pack_bits(rows):
    # Bottom-up rows of 1-bit pixels, each padded to 4 bytes.
    data = b''
    for row in reversed(rows):
        bits = 0
        for v in row:
            bits = (bits << 1) | v
        data += bits.to_bytes(SIZE // 8, 'big')
    return data


def move_cursor():
    xor = [[0] * SIZE for _ in range(SIZE)]
    mask = [[1] * SIZE for _ in range(SIZE)]  # 1: transparent
    # The arrow: a triangle of 12 rows and a stem below it, white with a
    # black outline.
    for y in range(12):
        for x in range(y + 1):
            mask[y][x] = 0
            xor[y][x] = 0 if x in (0, y) or y == 11 else 1
    for y in range(12, 18):
        for x in range(4, 8):
            mask[y][x] = 0
            xor[y][x] = 0 if x in (4, 7) or y == 17 else 1
    # The sheet: a 12 x 10 box lower right.
    for y in range(18, 28):
        for x in range(16, 28):
            mask[y][x] = 0
            edge = y in (18, 27) or x in (16, 27)
            xor[y][x] = 0 if edge else 1
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<8B', 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + pack_bits(xor) + pack_bits(mask)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, 0, 0, len(image), 6 + 16)
    return directory + entry + image


def note_icon():
    pixels = b''
    mask = [[1] * SIZE for _ in range(SIZE)]
    rows = []
    c = (SIZE - 1) / 2.0
    for y in range(SIZE):
        row = b''
        for x in range(SIZE):
            d = math.hypot(x - c, y - c)
            if d > 14.5:
                row += struct.pack('<4B', 0, 0, 0, 0)
                continue
            mask[y][x] = 0
            white = (abs(x - c) <= 2 and 13 <= y <= 24) or math.hypot(x - c, y - 8.5) <= 2.2
            row += struct.pack('<4B', 255, 255, 255, 255) if white else struct.pack('<4B', 200, 110, 30, 255)
        rows.append(row)
    pixels = b''.join(reversed(rows))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + pixels + pack_bits(mask)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    with open(os.path.join(HERE, 'move_job.cur'), 'wb') as f:
        f.write(move_cursor())
    with open(os.path.join(HERE, 'profile_note.ico'), 'wb') as f:
        f.write(note_icon())


if __name__ == '__main__':
    main()
