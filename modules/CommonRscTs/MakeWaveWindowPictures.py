#!/usr/bin/env python3
"""Writes the pictures of the wave window.

ShadowBand.bmp (resource 22012): the 8 x 8 pattern of the overview's shadow band, every
other pixel grey, inverted over the bar to mark the part of the wave the main view shows.
"""
import sys

from PictureFiles import bmp24, write

GREY = (128, 128, 128)
BLACK = (0, 0, 0)


def band(x, y):
    return GREY if (x + y) % 2 == 0 else BLACK


if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    write(folder, 'ShadowBand.bmp', bmp24(8, 8, band))
