#!/usr/bin/env python3
"""Writes LiveInput.bmp (resource 10200): the picture of the live input window, 128 x 80.
A microphone on the left, the input's wave in the middle and a loudspeaker on the right,
light on a dark panel: the input goes through to the output.

Run from this folder: python3 MakeLiveInputPicture.py
"""
import math
import os

from PictureFiles import bmp24, write

WIDTH, HEIGHT = 128, 80
PANEL = (24, 32, 48)
METAL = (200, 200, 210)
WAVE = (80, 220, 120)
SPEAKER = (230, 200, 90)


def microphone(x, y):
    # the head: a capsule 14 wide from y 14 to 40; the stand below it
    if 13 <= x <= 27 and 14 <= y <= 40:
        if (y - 21) ** 2 + (x - 20) ** 2 <= 49 or (y > 21 and y < 34) or (y - 34) ** 2 + (x - 20) ** 2 <= 49:
            return (120, 120, 130) if (y + x) % 3 == 0 else METAL
    if 19 <= x <= 21 and 41 <= y <= 58:
        return METAL
    if 11 <= x <= 29 and 59 <= y <= 61:
        return METAL
    if 9 <= x <= 31 and 30 <= y <= 44 and abs(math.hypot(x - 20, y - 32) - 11) < 0.8 and y >= 32:
        return METAL  # the holder's arc
    return None


def wave(x, y):
    def value(at):
        t = (at - 38) / 50.0
        return 40 + 16 * math.sin(t * 6 * math.pi) * math.sin(t * math.pi)

    if 38 <= x <= 88:
        low, high = sorted((value(x), value(x + 1)))
        if low - 0.8 <= y <= high + 0.8:  # the line joins each column to the next
            return WAVE
    if 90 <= x <= 96 and abs(y - 40) <= (96 - x) // 2 and x >= 90:
        return WAVE  # the arrow's head
    return None


def speaker(x, y):
    if 100 <= x <= 106 and 33 <= y <= 47:
        return SPEAKER
    if 106 < x <= 116 and abs(y - 40) <= 7 + (x - 106):
        return SPEAKER
    if x > 118 and any(abs(math.hypot(x - 108, y - 40) - r) < 0.7 for r in (13, 17)) and abs(y - 40) < 12:
        return SPEAKER
    return None


def pixel(x, y):
    for part in (microphone, wave, speaker):
        colour = part(x, y)
        if colour:
            return colour
    return PANEL


if __name__ == '__main__':
    write(os.path.dirname(os.path.abspath(__file__)), 'LiveInput.bmp', bmp24(WIDTH, HEIGHT, pixel))
