#!/usr/bin/env python3
"""Writes NewWave.bmp (bitmap 350 of every language module): the picture of the new-wave
dialog, an empty page with a faint wave starting on it, 64 x 48 pixels.

Run from this folder: python3 MakeNewWavePicture.py
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

WIDTH, HEIGHT = 64, 48
PAGE = (255, 255, 255)
EDGE = (96, 96, 96)
AXIS = (200, 200, 200)
WAVE = (0, 96, 192)
BACK = (192, 192, 192)


def wave_height(x):
    # a tone that fades in from the left edge of the page
    fade = min(1.0, (x - 6) / 40.0)
    return HEIGHT / 2 - 14 * max(fade, 0.0) * math.sin((x - 6) * 2 * math.pi / 16)


def on_wave(x, y):
    # the line between the heights half a pixel on either side, so that it never breaks
    a, b = wave_height(x - 0.5), wave_height(x + 0.5)
    return min(a, b) - 0.5 <= y <= max(a, b) + 0.5


def pixel(x, y):
    if x < 4 or x > WIDTH - 5 or y < 4 or y > HEIGHT - 5:
        return BACK
    if x in (4, WIDTH - 5) or y in (4, HEIGHT - 5):
        return EDGE
    if x >= 6 and on_wave(x, y):
        return WAVE
    if y == HEIGHT // 2:
        return AXIS
    return PAGE


if __name__ == '__main__':
    write(os.path.dirname(os.path.abspath(__file__)), 'NewWave.bmp', bmp24(WIDTH, HEIGHT, pixel))
