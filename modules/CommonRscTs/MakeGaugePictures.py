#!/usr/bin/env python3
"""Writes the pictures of the animated gauge modes.

GaugeStripes1.bmp (resource 22027) and GaugeStripes2.bmp (22028): 64 x 8 strips of
eight 8 x 8 frames; the gauge tiles its bar with the frame at x = 0, 16, 32 or 48 and
steps through them, so the diagonal stripes seem to run (one strip leans each way).
GaugeShine.bmp (22029): an 8-pixel-wide glint that sweeps over the done part.
"""
import struct
import sys


def bmp24(width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b'BM' + struct.pack('<IHHI', 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data


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
    open(folder + '/GaugeStripes1.bmp', 'wb').write(bmp24(64, 8, stripes(1)))
    open(folder + '/GaugeStripes2.bmp', 'wb').write(bmp24(64, 8, stripes(-1)))
    open(folder + '/GaugeShine.bmp', 'wb').write(bmp24(8, 16, shine))
