#!/usr/bin/env python3
"""Writes the pictures of the document manager and its windows.

Expand.bmp (resource 22030): the 9 x 9 box with a plus that the file selector shows
beside a folder that can be opened. Rubber.cur (resource 17000): the cross-hair cursor
shown while a rubber band is drawn on the empty MDI client.
"""
import struct
import sys

from PictureFiles import bmp24, write


def expand(x, y):
    if x in (0, 8) or y in (0, 8):
        return (128, 128, 128)
    if (y == 4 and 2 <= x <= 6) or (x == 4 and 2 <= y <= 6):
        return (0, 0, 0)
    return (255, 255, 255)


def cursor():
    size = 32
    hot = 15
    # monochrome: XOR mask then AND mask, 4 bytes a row, bottom row first
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        xor_bits = and_bits = 0
        for x in range(size):
            line = (x == hot and y != hot and abs(y - hot) < 12) or (y == hot and x != hot and abs(x - hot) < 12)
            bit = 1 << (31 - x)
            if not line:
                and_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', size, size, 2, 0, hot, hot, len(image), 22)
    return directory + image


if __name__ == '__main__':
    folder = sys.argv[1] if len(sys.argv) > 1 else '.'
    write(folder, 'Expand.bmp', bmp24(9, 9, expand))
    write(folder, 'Rubber.cur', cursor())
