#!/usr/bin/env python3
"""Writes PreferencesTabs.bmp, strip 332 of the preferences dialog, the same in every language
module: ten 16 x 16 pictures of its tabs on the mask colour (128, 0, 0): a gear (general), a
card (audio card), a tool bar, scissors (editing), a folder (files), a screen (display), a
ruler (units), a clock (time scale), a drawer of cards (database) and a disc (CD-R).

Run from this folder: python3 MakePreferencesPictures.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

MASK = (128, 0, 0)
INK = (0, 0, 0)
GREY = (128, 128, 128)
BLUE = (0, 0, 160)
GREEN = (0, 128, 0)
YELLOW = (255, 220, 0)
WHITE = (255, 255, 255)


def box(inked, x0, y0, x1, y1, colour, fill=None):
    for x in range(x0, x1 + 1):
        for y in range(y0, y1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            if edge or fill:
                inked[(x, y)] = colour if edge else fill


def ring(inked, cx, cy, r, colour, fill=None):
    for x in range(16):
        for y in range(16):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) < 0.6:
                inked[(x, y)] = colour
            elif fill and d < r:
                inked[(x, y)] = fill


def picture(index):
    p = {}
    if index == 0:  # gear
        ring(p, 7.5, 7.5, 5, INK, GREY)
        for a in range(0, 360, 45):
            x, y = 7.5 + 6.5 * math.cos(math.radians(a)), 7.5 + 6.5 * math.sin(math.radians(a))
            p[(round(x), round(y))] = INK
        ring(p, 7.5, 7.5, 1.5, INK, WHITE)
    elif index == 1:  # audio card
        box(p, 1, 4, 14, 11, INK, GREEN)
        for x in range(3, 13, 3):
            box(p, x, 6, x + 1, 8, INK, YELLOW)
        for x in range(3, 13, 2):
            p[(x, 12)] = YELLOW
    elif index == 2:  # tool bar
        box(p, 0, 5, 15, 10, INK, GREY)
        for x in (2, 6, 10):
            box(p, x, 6, x + 2, 9, WHITE, BLUE)
    elif index == 3:  # scissors
        ring(p, 4, 11, 2.2, INK)
        ring(p, 11, 11, 2.2, INK)
        for t in range(9):
            p[(5 + t // 2, 9 - t)] = GREY
            p[(10 - t // 2, 9 - t)] = GREY
    elif index == 4:  # folder
        box(p, 1, 5, 14, 13, INK, YELLOW)
        box(p, 1, 3, 6, 5, INK, YELLOW)
    elif index == 5:  # screen
        box(p, 1, 2, 14, 11, INK, BLUE)
        box(p, 6, 12, 9, 13, INK, GREY)
    elif index == 6:  # ruler
        box(p, 0, 5, 15, 10, INK, YELLOW)
        for x in range(2, 15, 2):
            for y in range(6, 8 if x % 4 else 9):
                p[(x, y)] = INK
    elif index == 7:  # clock
        ring(p, 7.5, 7.5, 6, INK, WHITE)
        for y in range(3, 8):
            p[(7, y)] = INK
        for x in range(8, 12):
            p[(x, 8)] = INK
    elif index == 8:  # drawer of cards
        box(p, 1, 7, 14, 14, INK, GREY)
        for row in range(3):
            box(p, 3 + row, 1 + row * 2, 12 - row, 7, INK, WHITE)
        box(p, 6, 10, 9, 11, INK, INK)
    else:  # disc
        ring(p, 7.5, 7.5, 6.5, INK, (200, 200, 220))
        ring(p, 7.5, 7.5, 4, (160, 160, 200))
        ring(p, 7.5, 7.5, 1.5, INK, MASK)
    return p


PICTURES = [picture(i) for i in range(10)]

if __name__ == '__main__':
    folder = os.path.dirname(os.path.abspath(__file__))
    write(folder, 'PreferencesTabs.bmp', bmp24(160, 16, lambda x, y: PICTURES[x // 16].get((x % 16, y), MASK)))
