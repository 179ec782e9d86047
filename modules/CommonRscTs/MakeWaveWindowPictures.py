#!/usr/bin/env python3
"""Writes the pictures of the wave window.

ShadowBand.bmp (resource 22012): the 8 x 8 pattern of the overview's shadow band, every
other pixel grey, inverted over the bar to mark the part of the wave the main view shows.

MarkerGlyphs.bmp (resource 212): the time ruler's marker glyphs, 13 x 13 each, one column
per marker type (plain, drop, track start, track end, splice, index, range start, range
end, range splice). Row 0 is the glyph, row 13 the glyph of a locked marker, row 26 that
of a marker being dragged, row 39 the mask (white where the ruler shows through). The
glyph rows are black outside the shape, so that the ruler ANDs the mask and ORs the glyph.

Marker cursors (resources 791 and 801-871): 791 over a marker's glyph; 801, 811, 821 and
831 while a plain marker, a start, an end or a splice is moved; 841-871 the same types
when letting go would delete the marker.
"""
import sys

from PictureFiles import bmp24, cursor32, write

GREY = (128, 128, 128)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GLYPH = 13
TYPES = 9

# colour and shape of each marker type
TYPE_LOOKS = [
    ((255, 0, 255), 'flag'), ((255, 128, 0), 'flag'),
    ((0, 160, 0), 'start'), ((0, 160, 0), 'end'), ((0, 160, 0), 'splice'), ((0, 160, 0), 'index'),
    ((0, 0, 255), 'start'), ((0, 0, 255), 'end'), ((0, 0, 255), 'splice'),
]


def band(x, y):
    return GREY if (x + y) % 2 == 0 else BLACK


def inside(shape, x, y):
    """Whether (x, y) of a 13 x 13 cell is part of the shape (the tip at the bottom middle)."""
    if shape == 'flag':
        return 2 <= x <= 10 and (y <= 7 or abs(x - 6) <= 12 - y)
    if shape == 'start':
        return 6 <= x <= 12 and abs(y - 6) <= 12 - x
    if shape == 'end':
        return 0 <= x <= 6 and abs(y - 6) <= x
    if shape == 'splice':
        return abs(x - 6) + abs(y - 6) <= 6
    return 3 <= x <= 9 and 3 <= y <= 9  # index


def glyph_pixel(x, y):
    kind, row, cx, cy = x // GLYPH, y // GLYPH, x % GLYPH, y % GLYPH
    colour, shape = TYPE_LOOKS[kind]
    if not inside(shape, cx, cy):
        return WHITE if row == 3 else BLACK
    if row == 3:
        return BLACK
    if row == 1:  # locked: grey with the colour at its heart
        return colour if abs(cx - 6) <= 1 and abs(cy - 6) <= 1 else GREY
    if row == 2:  # dragged: pale
        return tuple((c + 255) // 2 for c in colour)
    return colour


def outlined(inner):
    """A shape drawn black with a white rim one pixel wide."""
    def draw(x, y):
        if inner(x, y):
            return 'black'
        if any(inner(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
            return 'white'
        return None
    return draw


def double_arrow(x, y):
    """791: left and right arrows about the hot spot."""
    if y == 15 and 5 <= x <= 25:
        return True
    return abs(y - 15) <= 4 and (x - 5 == abs(y - 15) or 25 - x == abs(y - 15))


def marker_cursor(shape, deleting):
    """A line down from the hot spot with the type's shape at its top right; a cross when
    letting go deletes."""
    def inner(x, y):
        if x == 15 and 8 <= y <= 28:
            return True
        if 17 <= x < 17 + GLYPH and 2 <= y < 2 + GLYPH and inside(shape, x - 17, y - 2):
            return True
        return deleting and 20 <= x <= 28 and 20 <= y <= 28 and (x - 20 == y - 20 or x - 20 == 28 - y)
    return outlined(inner)


CURSOR_SHAPES = [(801, 'flag'), (811, 'start'), (821, 'end'), (831, 'splice')]

if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    write(folder, 'ShadowBand.bmp', bmp24(8, 8, band))
    write(folder, 'MarkerGlyphs.bmp', bmp24(GLYPH * TYPES, GLYPH * 4, glyph_pixel))
    write(folder, 'MarkerOn.cur', cursor32(outlined(double_arrow), (15, 15)))
    for number, shape in CURSOR_SHAPES:
        write(folder, 'Marker%d.cur' % number, cursor32(marker_cursor(shape, False), (15, 28)))
        write(folder, 'Marker%d.cur' % (number + 40), cursor32(marker_cursor(shape, True), (15, 28)))
