#!/usr/bin/env python3
"""Draws the 16 x 16 small icon (32-bit ICO) of the cataloguing window and
the web page windows (6001): a record card with ruled lines and a label tab.
Run from any folder: the file is written into ombrelle/res.
"""
import os

from draw_splash import RES, Canvas

EDGE = (28, 81, 128)
CARD = (250, 250, 244)
RULE = (150, 170, 190)
TAB = (214, 120, 32)


def record_icon():
    c = Canvas(16, 16, (0, 0, 0), alpha=0)
    c.fill(2, 1, 13, 14, CARD)
    c.frame(2, 1, 13, 14, EDGE)
    for y in (5, 8, 11):
        c.fill(4, y, 11, y, RULE)
    c.fill(4, 3, 7, 3, EDGE)
    # The label tab standing out at the right edge.
    c.fill(12, 3, 15, 6, TAB)
    return c


def main():
    record_icon().write_ico(os.path.join(RES, "record_window.ico"))


if __name__ == "__main__":
    main()
