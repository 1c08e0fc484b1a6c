#!/usr/bin/env python3
"""Draws the start-up splash picture (518 x 188, 24-bit BMP) and the three
16 x 16 tab icons of the information pages (32-bit ICO).

The splash shows a photograph under a scanner's light bar beside a row of
thumbnails, on a deep blue ground. Run from any folder: the files are
written into ombrelle/res.
"""
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0), alpha=255):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]
        self.alpha = [[alpha] * width for _ in range(height)]

    def put(self, x, y, colour, opacity=1.0):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = mix(self.pixels[y][x], colour, opacity) if opacity < 1 else colour
            self.alpha[y][x] = 255

    def fill(self, x0, y0, x1, y1, colour, opacity=1.0):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour, opacity)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def mountain(self, x0, x1, base, peak_x, peak_y, colour):
        for x in range(x0, x1 + 1):
            if x <= peak_x:
                top = base - (base - peak_y) * (x - x0) / max(peak_x - x0, 1)
            else:
                top = base - (base - peak_y) * (x1 - x) / max(x1 - peak_x, 1)
            for y in range(round(top), base + 1):
                self.put(x, y, colour)

    def write_bmp(self, path):
        row = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            line = bytearray()
            for r, g, b in self.pixels[y]:
                line += bytes((b, g, r))
            data += line + b"\0" * (row - len(line))
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + data)

    def write_ico(self, path):
        pixels = bytearray()
        for y in range(self.height - 1, -1, -1):
            for x in range(self.width):
                r, g, b = self.pixels[y][x]
                pixels += bytes((b, g, r, self.alpha[y][x]))
        mask_row = ((self.width + 31) // 32) * 4
        mask = bytearray()
        for y in range(self.height - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(self.width):
                if self.alpha[y][x] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0,
                           0, 0)
        image = info + pixels + mask
        header = struct.pack("<HHH", 0, 1, 1)
        entry = struct.pack("<BBBBHHII", self.width, self.height, 0, 0, 1, 32, len(image), 6 + 16)
        with open(path, "wb") as f:
            f.write(header + entry + image)


def photo(c, x0, y0, w, h, sky, land, sun):
    """A small landscape photograph with a white border."""
    c.fill(x0, y0, x0 + w - 1, y0 + h - 1, (250, 250, 246))
    ix0, iy0, ix1, iy1 = x0 + 4, y0 + 4, x0 + w - 5, y0 + h - 5
    for y in range(iy0, iy1 + 1):
        c.fill(ix0, y, ix1, y, mix(sky, (255, 255, 255), 0.5 * (y - iy0) / max(iy1 - iy0, 1)))
    c.disc(ix0 + (ix1 - ix0) * 3 // 4, iy0 + (iy1 - iy0) // 4, max((iy1 - iy0) // 8, 2), sun)
    span = ix1 - ix0
    c.mountain(ix0, ix0 + span * 2 // 3, iy1, ix0 + span // 3, iy0 + (iy1 - iy0) * 2 // 5, mix(land, (0, 0, 0), 0.2))
    c.mountain(ix0 + span // 3, ix1, iy1, ix0 + span * 2 // 3, iy0 + (iy1 - iy0) // 2, land)


def draw_splash():
    w, h = 518, 188
    c = Canvas(w, h)
    top, bottom = (28, 74, 138), (8, 26, 64)
    for y in range(h):
        c.fill(0, y, w - 1, y, mix(top, bottom, y / (h - 1)))
    # A soft diagonal sheen.
    for y in range(h):
        for x in range(w):
            d = abs((x - 1.6 * y) - 120)
            if d < 90:
                c.put(x, y, (255, 255, 255), 0.06 * (1 - d / 90))

    # The scanned photograph, tilted shadow beneath it.
    c.fill(40, 40, 203, 157, (4, 14, 36), 0.45)
    photo(c, 34, 32, 166, 122, (96, 160, 220), (46, 120, 74), (255, 214, 90))
    # The scanner's light bar crossing it.
    for dy, op in ((0, 0.9), (1, 0.7), (-1, 0.7), (2, 0.35), (-2, 0.35), (3, 0.15), (-3, 0.15)):
        c.fill(22, 92 + dy, 212, 92 + dy, (150, 235, 255), op)

    # Thumbnails, as the thumbnail pane lists them.
    scenes = [((120, 170, 230), (70, 130, 70), (255, 220, 120)),
              ((240, 170, 110), (110, 80, 60), (255, 240, 200)),
              ((90, 120, 190), (40, 70, 110), (230, 230, 255))]
    for i, (sky, land, sun) in enumerate(scenes):
        x = 250 + i * 84
        c.fill(x + 3, 57, x + 72, 118, (4, 14, 36), 0.4)
        photo(c, x, 54, 70, 60, sky, land, sun)
    # The selected one carries a highlight frame.
    c.frame(246, 50, 323, 117, (150, 235, 255))
    c.frame(247, 51, 322, 116, (150, 235, 255))

    # Bars under the thumbnails: the file information being read.
    for i, length in enumerate((220, 170, 196)):
        c.fill(250, 134 + i * 10, 250 + length, 136 + i * 10, (180, 205, 240), 0.55)
    # A thin light rule along the bottom.
    c.fill(0, h - 6, w - 1, h - 5, (150, 235, 255), 0.5)
    c.write_bmp(os.path.join(RES, "splash.bmp"))


def icon():
    return Canvas(16, 16, (0, 0, 0), alpha=0)


def draw_icons():
    # File information: a page with text lines and a folded corner.
    c = icon()
    c.fill(3, 1, 12, 14, (255, 255, 255))
    c.frame(2, 0, 13, 15, (60, 80, 120))
    c.fill(10, 1, 12, 3, (200, 210, 230))
    for y in (5, 8, 11):
        c.fill(5, y, 10, y, (40, 100, 190))
    c.write_ico(os.path.join(RES, "tab_fileinfo.ico"))

    # IPTC: a label tag with its hole, pointing left.
    c = icon()
    shape = set()
    for y in range(3, 13):
        inset = max(0, 4 - min(y - 3, 12 - y))
        for x in range(1 + inset, 15):
            shape.add((x, y))
    for x, y in shape:
        edge = any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        c.put(x, y, (150, 100, 20) if edge else (240, 190, 60))
    c.disc(5, 8, 1, (255, 255, 255))
    for x in (8, 10, 12):
        c.fill(x, 6, x, 10, (150, 100, 20))
    c.write_ico(os.path.join(RES, "tab_iptc.ico"))

    # Picture settings: a framed picture with a slider below.
    c = icon()
    c.fill(1, 1, 14, 10, (120, 180, 235))
    c.mountain(2, 13, 9, 7, 4, (50, 130, 70))
    c.frame(0, 0, 15, 11, (60, 80, 120))
    c.fill(1, 13, 14, 13, (90, 90, 90))
    c.fill(9, 12, 10, 15, (40, 100, 190))
    c.write_ico(os.path.join(RES, "tab_picsetting.ico"))


if __name__ == "__main__":
    draw_splash()
    draw_icons()
