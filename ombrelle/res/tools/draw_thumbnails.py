#!/usr/bin/env python3
"""Draws the thumbnail list's pictures as 24-bit BMP files in ombrelle/res.

- icon96.bmp: the stock picture for files the list cannot read (a sheet with
  a folded corner and a question mark), 96 x 96; the build copies it into the
  program folder.
- thumb_large/medium/small.bmp: the placeholder shown until a thumbnail is
  made (96, 64 and 48 pixels: an empty picture frame).
- thumb_pane.bmp: the pane's small picture (a strip of three frames).
"""
import math
import os

from draw_images import Image

WHITE = (255, 255, 255)
PAPER = (248, 248, 244)
INK = (70, 80, 100)
SHADE = (190, 196, 206)
SKY = (150, 190, 230)
HILL = (90, 150, 100)
SUN = (240, 200, 80)


def sheet(size):
    """The stock picture: a page with a folded corner and a question mark."""
    img = Image(size, size, WHITE)
    m = size // 8
    fold = size // 4
    x0, y0, x1, y1 = m + 4, m, size - m - 4, size - m - 1
    img.fill(x0 + 3, y0 + 3, x1 + 3, y1 + 3, SHADE)
    img.fill(x0, y0, x1, y1, PAPER)
    img.frame(x0, y0, x1, y1, INK)
    # The folded corner: cut the top right triangle and draw the flap.
    for i in range(fold + 1):
        for x in range(x1 - fold + i + 1, x1 + 4):
            img.put(x, y0 + i, WHITE)
    img.line(x1 - fold, y0, x1, y0 + fold, INK)
    img.line(x1 - fold, y0, x1 - fold, y0 + fold, INK)
    img.line(x1 - fold, y0 + fold, x1, y0 + fold, INK)
    # A question mark drawn with thick strokes.
    cx, cy, r = size // 2, size // 2 - size // 16, size // 8
    for t in range(0, 270, 3):
        a = math.radians(180 + t)
        for w in range(-2, 3):
            img.disc(round(cx + r * math.cos(a)), round(cy + r * math.sin(a)) + w // 2, 2, INK)
    img.fill(cx - 2, cy + r, cx + 2, cy + r + size // 12, INK)
    img.disc(cx, cy + r + size // 12 + size // 14, 3, INK)
    return img


def frame(size):
    """The placeholder: an empty picture frame with hills and a sun."""
    img = Image(size, size, WHITE)
    m = size // 6
    x0, y0, x1, y1 = m, m + size // 12, size - m - 1, size - m - 1 - size // 12
    img.fill(x0, y0, x1, y1, SKY)
    h = y1 - y0
    for x in range(x0, x1 + 1):
        top = y1 - round(h * 0.35 * (1 + abs(((x - x0) / max(x1 - x0, 1)) - 0.4)) / 1.6)
        img.fill(x, top, x, y1, HILL)
    img.disc(x1 - (x1 - x0) // 4, y0 + h // 4, max(size // 16, 2), SUN)
    img.frame(x0, y0, x1, y1, INK)
    img.frame(x0 - 1, y0 - 1, x1 + 1, y1 + 1, SHADE)
    return img


def pane_strip():
    img = Image(48, 16, WHITE)
    small = frame(16)
    for i in range(3):
        img.paste(small, 16 * i)
    return img


def main():
    out = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    sheet(96).save(os.path.join(out, 'icon96.bmp'))
    frame(96).save(os.path.join(out, 'thumb_large.bmp'))    # 6005
    frame(64).save(os.path.join(out, 'thumb_medium.bmp'))   # 6008
    frame(48).save(os.path.join(out, 'thumb_small.bmp'))    # 6009
    pane_strip().save(os.path.join(out, 'thumb_pane.bmp'))  # 6006


if __name__ == '__main__':
    main()
