#!/usr/bin/env python3
"""Draws the client's tool bar and about bitmaps as 24-bit BMP files.

Each tool bar image is 30 x 30 on magenta (the mask colour). The hot
variants use the same shapes with brighter colours. Run from any folder:
the files are written beside this script's parent folder (ombrelle/res).
"""
import os
import struct

MAGENTA = (255, 0, 255)
SIZE = 30


class Image:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def disc(self, cx, cy, r, colour):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def paste(self, other, ox):
        for y in range(other.height):
            for x in range(other.width):
                self.put(ox + x, y, other.pixels[y][x])

    def save(self, path):
        row = (self.width * 3 + 3) & ~3
        data = bytearray()
        for y in reversed(range(self.height)):
            line = bytearray()
            for r, g, b in self.pixels[y]:
                line += bytes((b, g, r))
            data += line + bytes(row - len(line))
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        with open(path, 'wb') as f:
            f.write(header + info + data)


def palette(hot):
    if hot:
        return dict(ink=(20, 60, 140), body=(120, 190, 255), light=(255, 240, 120), accent=(255, 120, 40),
                    paper=(255, 255, 255), green=(60, 200, 90))
    return dict(ink=(40, 40, 60), body=(90, 140, 200), light=(230, 230, 200), accent=(200, 80, 40),
                paper=(245, 245, 245), green=(40, 150, 70))


def scanner(c, img):  # scan
    img.fill(3, 14, 26, 24, c['body'])
    img.frame(3, 14, 26, 24, c['ink'])
    img.fill(5, 10, 24, 13, c['light'])
    img.frame(5, 10, 24, 13, c['ink'])
    img.line(6, 19, 23, 19, c['light'])
    img.fill(21, 21, 23, 22, c['green'])


def upload(c, img):  # submit to the store
    img.fill(4, 20, 25, 25, c['body'])
    img.frame(4, 20, 25, 25, c['ink'])
    for i in range(7):
        img.line(14 - i, 4 + i, 15 + i, 4 + i, c['accent'])
    img.fill(12, 11, 17, 19, c['accent'])


def prescan(c, img):  # preview scan: a page with a magnifier
    img.fill(4, 3, 18, 24, c['paper'])
    img.frame(4, 3, 18, 24, c['ink'])
    img.disc(18, 16, 6, c['ink'])
    img.disc(18, 16, 4, c['light'])
    img.line(22, 20, 26, 25, c['ink'])
    img.line(23, 20, 27, 25, c['ink'])


def types(c, img):  # choose the kind of material: a list
    img.fill(4, 4, 25, 25, c['paper'])
    img.frame(4, 4, 25, 25, c['ink'])
    for y in (9, 15, 21):
        img.fill(7, y - 1, 9, y + 1, c['accent'])
        img.line(12, y, 22, y, c['ink'])


def settings(c, img):  # scan settings: sliders
    for i, (y, x) in enumerate(((8, 10), (15, 19), (22, 13))):
        img.line(4, y, 25, y, c['ink'])
        img.fill(x - 2, y - 3, x + 2, y + 3, c['body'] if i != 1 else c['accent'])
        img.frame(x - 2, y - 3, x + 2, y + 3, c['ink'])


def catalogue(c, img):  # cataloguing: a book
    img.fill(5, 4, 24, 25, c['body'])
    img.frame(5, 4, 24, 25, c['ink'])
    img.fill(7, 4, 8, 25, c['ink'])
    img.fill(11, 8, 21, 12, c['paper'])
    img.frame(11, 8, 21, 12, c['ink'])


def device(c, img):  # choose the scanning device: a scanner and a check mark
    img.fill(2, 16, 20, 24, c['body'])
    img.frame(2, 16, 20, 24, c['ink'])
    img.fill(4, 13, 18, 15, c['light'])
    img.line(17, 8, 20, 12, c['green'])
    img.line(20, 12, 27, 3, c['green'])
    img.line(17, 9, 20, 13, c['green'])
    img.line(20, 13, 27, 4, c['green'])


def autoscan(c, img):  # automatic scan: a scanner and a circular arrow
    img.fill(2, 18, 19, 25, c['body'])
    img.frame(2, 18, 19, 25, c['ink'])
    img.disc(21, 10, 6, c['accent'])
    img.disc(21, 10, 4, MAGENTA)
    img.fill(21, 3, 27, 9, MAGENTA)
    img.fill(24, 6, 27, 8, c['accent'])


def help_book(c, img):  # help: a question mark
    img.disc(15, 15, 12, c['body'])
    img.disc(15, 15, 10, c['paper'])
    img.frame(12, 8, 18, 9, c['ink'])
    img.line(18, 10, 18, 13, c['ink'])
    img.line(17, 14, 15, 16, c['ink'])
    img.line(15, 17, 15, 18, c['ink'])
    img.fill(14, 21, 16, 23, c['ink'])


def about(c, img):  # about: an information mark
    img.disc(15, 15, 12, c['body'])
    img.fill(14, 7, 16, 9, c['paper'])
    img.fill(14, 12, 16, 22, c['paper'])


def store_path(c, img):  # picture store address: a folder and a globe
    img.fill(2, 9, 20, 24, c['light'])
    img.frame(2, 9, 20, 24, c['ink'])
    img.fill(2, 6, 9, 9, c['light'])
    img.frame(2, 6, 9, 9, c['ink'])
    img.disc(21, 19, 7, c['ink'])
    img.disc(21, 19, 6, c['body'])
    img.line(15, 19, 27, 19, c['ink'])
    img.line(21, 13, 21, 25, c['ink'])


def spare(c, img):  # reserved slot: a picture frame
    img.fill(4, 6, 25, 23, c['paper'])
    img.frame(4, 6, 25, 23, c['ink'])
    for i in range(8):
        img.line(7 + i, 20 - i, 15 + i, 20 - i, c['green'])
    img.disc(20, 11, 2, c['accent'])


# Image order of the well: the tool bar refers to these positions.
WELL = [scanner, upload, prescan, types, settings, catalogue, device, autoscan, help_book, about]


def strip(drawings, hot):
    img = Image(SIZE * len(drawings), SIZE, MAGENTA)
    for i, draw in enumerate(drawings):
        one = Image(SIZE, SIZE, MAGENTA)
        draw(palette(hot), one)
        img.paste(one, i * SIZE)
    return img


def about_picture(path):
    img = Image(200, 120, (30, 60, 110))
    for y in range(120):
        for x in range(200):
            img.put(x, y, (30 + y // 3, 60 + y // 3, 110 + y // 2))
    big = Image(SIZE, SIZE, (30, 60, 110))
    scanner(palette(True), big)
    for y in range(SIZE):
        for x in range(SIZE):
            if big.pixels[y][x] != (30, 60, 110):
                img.fill(40 + 3 * x, 15 + 3 * y, 42 + 3 * x, 17 + 3 * y, big.pixels[y][x])
    img.save(path)


def main():
    out = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    strip(WELL, False).save(os.path.join(out, 'toolbar_normal.bmp'))   # 6011, also 137
    strip(WELL, True).save(os.path.join(out, 'toolbar_hot.bmp'))       # 6010
    strip([spare], False).save(os.path.join(out, 'extra_normal.bmp'))  # 148
    strip([spare], True).save(os.path.join(out, 'extra_hot.bmp'))      # 150
    strip([store_path], False).save(os.path.join(out, 'path_normal.bmp'))  # 151
    strip([store_path], True).save(os.path.join(out, 'path_hot.bmp'))      # 149
    about_picture(os.path.join(out, 'about.bmp'))                      # 6012


if __name__ == '__main__':
    main()
