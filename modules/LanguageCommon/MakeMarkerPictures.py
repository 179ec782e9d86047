#!/usr/bin/env python3
"""Writes MarkerTypes.bmp (bitmap 211 of every language module): the icons of the marker
window's list, two 16 x 16 pictures per marker type side by side (the marker, then the
locked marker with a small padlock), in type order: plain, drop, track start, track end,
splice, index, range start, range end, range splice. Magenta is transparent.

Run from this folder: python3 MakeMarkerPictures.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

SIZE = 16
TYPES = 9
CLEAR = (255, 0, 255)
LOCK = (64, 64, 64)
COLORS = [(0, 0, 192), (0, 128, 0), (192, 0, 0), (192, 0, 0), (192, 0, 0),
          (192, 96, 0), (96, 0, 160), (96, 0, 160), (96, 0, 160)]


def flag(x, y, pointing):
    """A pole at x = 7 with a pennant pointing right (1), left (-1) or both ways (0)."""
    if x in (7, 8) and 1 <= y <= 14:
        return True
    if not 1 <= y <= 7:
        return False
    reach = 6 - abs(y - 4) * 2
    right = 8 < x <= 8 + reach
    left = 7 - reach <= x < 7
    return right if pointing == 1 else left if pointing == -1 else right or left


def shape(kind, x, y):
    if kind == 0:  # plain: a pin
        return (x - 7.5) ** 2 + (y - 5) ** 2 <= 12 or (x in (7, 8) and 5 <= y <= 14)
    if kind == 1:  # drop: a falling drop
        return (x - 7.5) ** 2 + (y - 10) ** 2 <= 14 or (abs(x - 7.5) <= (y - 2) / 2.2 and 2 <= y <= 10)
    if kind in (2, 6):
        return flag(x, y, 1)
    if kind in (3, 7):
        return flag(x, y, -1)
    if kind in (4, 8):
        return flag(x, y, 0)
    return x in (7, 8) and 1 <= y <= 14 or (y in (1, 2) and 4 <= x <= 11)  # index: a pole with a bar


def padlock(x, y):
    body = 10 <= x <= 15 and 11 <= y <= 15
    hoop = 11 <= x <= 14 and 8 <= y <= 10 and not (12 <= x <= 13 and y >= 9)
    return body or hoop


def pixel(x, y):
    picture, px = divmod(x, SIZE)
    kind, locked = divmod(picture, 2)
    if locked and padlock(px, y):
        return LOCK
    if shape(kind, px, y):
        color = COLORS[kind]
        return tuple(c // 2 + 64 for c in color) if kind >= 6 else color
    return CLEAR


if __name__ == '__main__':
    write(os.path.dirname(os.path.abspath(__file__)), 'MarkerTypes.bmp', bmp24(SIZE * TYPES * 2, SIZE, pixel))
