#!/usr/bin/env python3
"""Writes the bitmaps of the common resource module.

Palette.bmp (resource 23011): an 8-bit image whose colour table is the palette
of the 3-D waterfall plot. Indices 10 to 81 hold the spectral scale (violet for
the lowest values through blue, cyan, green and yellow to red for the highest),
indices 82 to 109 the grey ramp (82 white for the highest values down to a dark
grey at 109 for zero). The first and last ten entries are the system's static
colours. The picture shows the two scales side by side, one column per index.
"""
import colorsys
import sys

from PictureFiles import bmp8, write

STATIC_LOW = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
              (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240)]
STATIC_HIGH = [(255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
SPECTRAL_FIRST, SPECTRAL_LAST = 10, 81
RAMP_FIRST, RAMP_LAST = 82, 109


def palette():
    colors = [(0, 0, 0)] * 256
    colors[:10] = STATIC_LOW
    colors[246:] = STATIC_HIGH
    steps = SPECTRAL_LAST - SPECTRAL_FIRST
    for i in range(steps + 1):
        hue = (270.0 - 270.0 * i / steps) / 360.0  # violet at the bottom, red at the top
        r, g, b = colorsys.hsv_to_rgb(hue, 1.0, 1.0)
        colors[SPECTRAL_FIRST + i] = (round(r * 255), round(g * 255), round(b * 255))
    steps = RAMP_LAST - RAMP_FIRST
    for i in range(steps + 1):
        level = round(255 - (255 - 40) * i / steps)
        colors[RAMP_FIRST + i] = (level, level, level)
    return colors


def main(out_dir):
    width, height = RAMP_LAST - SPECTRAL_FIRST + 1, 16
    pixels = [[SPECTRAL_FIRST + x for x in range(width)] for _ in range(height)]
    write(out_dir, 'Palette.bmp', bmp8(width, height, pixels, palette()))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
