#!/usr/bin/env python3
"""Writes the pictures of the 3-D analysis settings dialog, the same in every language module:
ViewAngles.bmp (bitmap 1016, 96 x 96): the dial of the viewing angle, a ring with a tick
every 30 degrees round a small waterfall plot, on the dialog face; and SettingsTabs.bmp
(strip 341, four 16 x 16 pictures of its tabs on the mask colour (128, 0, 0)): colours,
the eye, a wave of frequencies, the preset list.

Run from this folder: python3 MakeAnalysisPictures.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

FACE = (192, 192, 192)
INK = (0, 0, 0)
MASK = (128, 0, 0)
RIDGE_COLOURS = ((0, 0, 255), (0, 160, 255), (0, 200, 0), (255, 220, 0), (255, 0, 0))


def dial_pixels():
    """Colour of every inked pixel of the dial."""
    inked = {}
    centre, radius = 47.5, 44
    for step in range(0, 3600):
        a = math.radians(step / 10)
        inked[(round(centre + radius * math.cos(a)), round(centre - radius * math.sin(a)))] = INK
    for tick in range(12):
        a = math.radians(tick * 30)
        for r in range(36, 44):
            inked[(round(centre + r * math.cos(a)), round(centre - r * math.sin(a)))] = INK
    # five ridges one behind the other, each a bump in its colour, the nearest lowest
    for ridge, colour in reversed(list(enumerate(RIDGE_COLOURS))):
        base, shift = 66 - ridge * 7, ridge * 3
        previous = None
        for x in range(22, 62):
            top = round(base - 14 * math.exp(-((x - 30 - ridge * 6) ** 2) / 30.0))
            for y in range(top, base):
                inked[(x + shift, y)] = FACE  # hides the ridges behind
            for y in range(min(top, previous or top), max(top, previous or top) + 1):
                inked[(x + shift, y)] = colour
            inked[(x + shift, base)] = (96, 96, 96)
            previous = top
    return inked


def tab_pixels():
    inked = {}
    for i, colour in enumerate(RIDGE_COLOURS[:4]):  # colours: four bars
        for x in range(1 + i * 4, 4 + i * 4):
            for y in range(12 - i * 3, 15):
                inked[(x, y)] = colour
    for x in range(17, 31):  # the eye
        half = round(5 * math.sin(math.pi * (x - 16) / 15))
        inked[(x, 8 - half)] = INK
        inked[(x, 8 + half)] = INK
    for x in range(22, 26):
        for y in range(6, 11):
            inked[(x, y)] = (0, 0, 160)
    for x in range(33, 47):  # a wave of rising frequency
        inked[(x, round(8 - 5 * math.sin((x - 33) ** 1.6 / 5)))] = (0, 128, 0)
    for row in range(4):  # the preset list
        for x in range(50, 62):
            inked[(x, 2 + row * 4)] = INK if row else (0, 0, 160)
    return inked


DIAL = dial_pixels()
TABS = tab_pixels()

if __name__ == '__main__':
    folder = os.path.dirname(os.path.abspath(__file__))
    write(folder, 'ViewAngles.bmp', bmp24(96, 96, lambda x, y: DIAL.get((x, y), FACE)))
    write(folder, 'SettingsTabs.bmp', bmp24(64, 16, lambda x, y: TABS.get((x, y), MASK)))
