#!/usr/bin/env python3
"""Writes RecordMeter.bmp (bitmap 10000 of every language module): the scale of the record
dialog's level meter, 256 x 56 pixels. Two bar rows (y 7-18 and 36-47, x 16-248), unlit in
the colours of their zones, with the channel letters before them, and between them the
ticks and the decibel figures where the meter's bar ends for -50, -40, -30, -20, -10, -6,
-3 and 0 dB.

Run from this folder: python3 MakeRecordMeterPicture.py
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

WIDTH, HEIGHT = 256, 56
FACE = (192, 192, 192)
INK = (0, 0, 0)
ROWS = (7, 36)
ROW_HEIGHT = 12
ZONES = ((16, 149, (0, 72, 0)), (150, 205, (80, 80, 0)), (206, 248, (80, 0, 0)))
# decibels and the bar's end for them (its x position plus two)
TICKS = ((50, 27), (40, 45), (30, 75), (20, 121), (10, 177), (6, 205), (3, 226), (0, 247))

GLYPHS = {
    '0': ('111', '101', '101', '101', '111'), '1': ('010', '110', '010', '010', '111'),
    '2': ('111', '001', '111', '100', '111'), '3': ('111', '001', '111', '001', '111'),
    '4': ('101', '101', '111', '001', '001'), '5': ('111', '100', '111', '001', '111'),
    '6': ('111', '100', '111', '101', '111'), '7': ('111', '001', '001', '001', '001'),
    '8': ('111', '101', '111', '101', '111'), '9': ('111', '101', '111', '001', '111'),
    '-': ('000', '000', '111', '000', '000'), 'L': ('100', '100', '100', '100', '111'),
    'R': ('110', '101', '110', '101', '101'), 'd': ('001', '001', '111', '101', '111'),
    'B': ('110', '101', '110', '101', '110'),
}


def text_pixels(text, left, top, scale):
    """The inked pixels of the text, its letters 3 x 5 cells of scale pixels a pixel apart."""
    inked = set()
    for i, letter in enumerate(text):
        for row, bits in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(bits):
                if bit == '1':
                    for dy in range(scale):
                        for dx in range(scale):
                            inked.add((left + (i * 4 + column) * scale + dx, top + row * scale + dy))
    return inked


def ink():
    inked = text_pixels('L', 5, 8, 2) | text_pixels('R', 5, 37, 2) | text_pixels('dB', 1, 26, 1)
    for decibels, x in TICKS:
        label = '-%d' % decibels if decibels else '0'
        width = len(label) * 4 - 1
        inked |= text_pixels(label, x - width // 2, 26, 1)
        inked |= {(x, y) for y in range(20, 24)}
    return inked


INKED = ink()


def pixel(x, y):
    if (x, y) in INKED:
        return INK
    for top in ROWS:
        if top <= y < top + ROW_HEIGHT:
            for first, last, colour in ZONES:
                if first <= x <= last:
                    return colour
    return FACE


if __name__ == '__main__':
    write(os.path.dirname(os.path.abspath(__file__)), 'RecordMeter.bmp', bmp24(WIDTH, HEIGHT, pixel))
