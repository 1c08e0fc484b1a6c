#!/usr/bin/env python3
"""Draws the catalogue tree's three 14 x 14 state icons (32-bit ICO): an
empty box (163), a box with a check mark (162) and a second empty box (171).
Run from any folder: the files are written into ombrelle/res.
"""
import os

from draw_splash import RES, Canvas

BORDER = (28, 81, 128)
INSIDE = (255, 255, 255)
MARK = (33, 161, 33)


def box():
    c = Canvas(14, 14, (0, 0, 0), alpha=0)
    c.fill(2, 2, 11, 11, INSIDE)
    c.frame(1, 1, 12, 12, BORDER)
    return c


def checked_box():
    c = box()
    # A check mark two pixels thick: down to the lower left, then up to the right.
    for x, y in ((3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4), (10, 3)):
        c.fill(x, y, x, y + 1, MARK)
    return c


def main():
    box().write_ico(os.path.join(RES, "check_empty.ico"))
    checked_box().write_ico(os.path.join(RES, "check_marked.ico"))
    box().write_ico(os.path.join(RES, "check_empty2.ico"))


if __name__ == "__main__":
    main()
