#!/usr/bin/env python3
"""Writes the pictures of the document manager and its windows.

Expand.bmp (resource 22030): the 9 x 9 box with a plus that the file selector shows
beside a folder that can be opened. Rubber.cur (resource 17000): the cross-hair cursor
shown while a rubber band is drawn on the empty MDI client.
"""
import sys

from PictureFiles import bmp24, cursor32, write


def expand(x, y):
    if x in (0, 8) or y in (0, 8):
        return (128, 128, 128)
    if (y == 4 and 2 <= x <= 6) or (x == 4 and 2 <= y <= 6):
        return (0, 0, 0)
    return (255, 255, 255)


def cross(x, y):
    """The cross-hair: black lines through the hot spot, clear elsewhere."""
    hot = 15
    line = (x == hot and y != hot and abs(y - hot) < 12) or (y == hot and x != hot and abs(x - hot) < 12)
    return 'black' if line else None


if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    write(folder, 'Expand.bmp', bmp24(9, 9, expand))
    write(folder, 'Rubber.cur', cursor32(cross, (15, 15)))
