#!/usr/bin/env python3
"""Writes the pictures of the progress gauge.

CancelLarge.bmp (resource 22025) and CancelSmall.bmp (resource 22026): the stop button at
the left of the status bar while a long operation runs, for tall and for low bars. A red
disc with a white cross on the 3-D face colour (light grey, mapped to the system's face
colour when loaded), with a raised edge.
"""
import sys

from PictureFiles import bmp24, write

FACE = (192, 192, 192)
HIGHLIGHT = (255, 255, 255)
SHADOW = (128, 128, 128)
RED = (192, 0, 0)
WHITE = (255, 255, 255)


def cancel(size):
    centre = (size - 1) / 2.0
    radius = size / 2.0 - 2.5
    arm = radius * 0.45

    def pixel(x, y):
        if x == 0 or y == 0:
            return HIGHLIGHT
        if x == size - 1 or y == size - 1:
            return SHADOW
        dx, dy = x - centre, y - centre
        if dx * dx + dy * dy > radius * radius:
            return FACE
        if abs(abs(dx) - abs(dy)) < 1.0 and abs(dx) <= arm + 0.5:
            return WHITE
        return RED

    return bmp24(size, size, pixel)


def main(folder):
    for name, size in (('CancelLarge.bmp', 18), ('CancelSmall.bmp', 14)):
        write(folder, name, cancel(size))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
