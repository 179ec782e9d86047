#!/usr/bin/env python3
"""Writes the pictures of the animated gauge modes.

GaugeStripes1.bmp (resource 22027) and GaugeStripes2.bmp (22028): 64 x 8 strips of
eight 8 x 8 frames; the gauge tiles its bar with the frame at x = 0, 16, 32 or 48 and
steps through them, so the diagonal stripes seem to run (one strip leans each way).
GaugeShine.bmp (22029): an 8-pixel-wide glint that sweeps over the done part.
"""
import sys

from PictureFiles import bmp24, write


BLUE = (0, 0, 255)
PALE = (160, 160, 255)


def stripes(lean):
    def pixel(x, y):
        frame, lx = divmod(x, 8)
        return BLUE if (lx + lean * y + frame) % 8 < 4 else PALE
    return pixel


def shine(x, y):
    # brightest in the middle columns
    level = (0, 64, 128, 220, 220, 128, 64, 0)[x]
    return (level, level, 255)


if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    write(folder, 'GaugeStripes1.bmp', bmp24(64, 8, stripes(1)))
    write(folder, 'GaugeStripes2.bmp', bmp24(64, 8, stripes(-1)))
    write(folder, 'GaugeShine.bmp', bmp24(8, 16, shine))
