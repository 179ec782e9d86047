#!/usr/bin/env python3
"""Writes the slider thumbs of the pop-up slider, one colour per picture.

SliderV1.bmp .. SliderV6.bmp (resources 22013 .. 22018): thumbs of vertical sliders,
three 21 x 11 images in a palette picture side by side (normal, pressed, disabled).
SliderH1.bmp .. SliderH6.bmp (22019 .. 22024): thumbs of horizontal sliders, three
11 x 19 images. The grip line in the middle carries the colour; face, shadow,
highlight and black are mapped to the system colours when the thumb is drawn.
"""
import struct
import sys

FACE = (192, 192, 192)
SHADOW = (128, 128, 128)
LIGHT = (255, 255, 255)
DARK = (0, 0, 0)
COLOURS = [(0, 0, 192), (0, 128, 0), (192, 0, 0), (192, 128, 0), (128, 0, 128), (0, 128, 128)]


def bmp8(width, height, pixel):
    """A palette picture, so that the system colours can be mapped into its palette."""
    colours = []
    rows = []
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            c = pixel(x, y)
            if c not in colours:
                colours.append(c)
            line.append(colours.index(c))
        rows.append(line + bytes(((width + 3) & ~3) - width))
    data = b''.join(rows)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(data), 2835, 2835, len(colours),
                         len(colours))
    offset = 14 + len(header) + len(palette)
    return b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + header + palette + data


def thumb(w, h, colour, vertical):
    def pixel(x, y):
        image, lx = divmod(x, w)
        pressed = image == 1
        if lx == w - 1 or y == h - 1:
            return LIGHT if pressed else DARK
        if lx == 0 or y == 0:
            return DARK if pressed else LIGHT
        if lx == w - 2 or y == h - 2:
            return FACE if pressed else SHADOW
        grip = y == h // 2 if vertical else lx == w // 2
        if grip:
            return SHADOW if image == 2 else colour
        return FACE
    return pixel


def main(folder):
    for i, colour in enumerate(COLOURS, 1):
        with open(f'{folder}/SliderV{i}.bmp', 'wb') as f:
            f.write(bmp8(21 * 3, 11, thumb(21, 11, colour, True)))
        with open(f'{folder}/SliderH{i}.bmp', 'wb') as f:
            f.write(bmp8(11 * 3, 19, thumb(11, 19, colour, False)))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
