#!/usr/bin/env python3
"""Draws the folder tree's busy cursor busy.ani: ten 32 x 32 monochrome
frames of eight dots on a ring, one dot dark and its neighbours fading, the
dark dot moving one place on per frame. Run from any folder: the file is
written beside this script's parent folder (ombrelle/res).
"""
import math
import os
import struct

SIZE = 32
FRAMES = 10
DOTS = 8


def cursor_frame(step):
    # xor and and masks, rows top down; bit 1 of the and mask = transparent.
    xor = [[0] * SIZE for _ in range(SIZE)]
    mask = [[1] * SIZE for _ in range(SIZE)]
    centre = (SIZE - 1) / 2.0
    lead = step * DOTS / FRAMES
    for i in range(DOTS):
        angle = 2 * math.pi * i / DOTS
        cx = centre + 10 * math.cos(angle)
        cy = centre + 10 * math.sin(angle)
        behind = (lead - i) % DOTS
        radius = 3.5 if behind < 1 else 2.5 if behind < 3 else 1.5
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if d <= radius:
                    mask[y][x] = 0
                    xor[y][x] = 0 if d <= radius - 1 else 1  # black dot, white rim
    return xor, mask


def pack_rows(rows):
    # Bottom-up rows of 1-bit pixels, each padded to 4 bytes.
    data = b''
    for row in reversed(rows):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | row[x]
        data += bits.to_bytes(SIZE // 8, 'big')
    return data


def cur_file(step):
    xor, mask = cursor_frame(step)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + pack_rows(xor) + pack_rows(mask)
    hot = SIZE // 2
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, hot, hot, len(image), 6 + 16)
    return directory + entry + image


def chunk(tag, data):
    pad = b'\0' if len(data) % 2 else b''
    return tag + struct.pack('<I', len(data)) + data + pad


def main():
    # cbSize, frames, steps, width, height, bit count, planes, rate (jiffies), flags (frames are icons)
    anih = struct.pack('<9I', 36, FRAMES, FRAMES, 0, 0, 0, 0, 8, 1)
    frames = b'fram' + b''.join(chunk(b'icon', cur_file(i)) for i in range(FRAMES))
    body = b'ACON' + chunk(b'anih', anih) + chunk(b'LIST', frames)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'busy.ani')
    with open(out, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', len(body)) + body)


if __name__ == '__main__':
    main()
