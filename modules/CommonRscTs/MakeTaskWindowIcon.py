#!/usr/bin/env python3
"""Writes the icon of the background task window.

TaskWindow.ico (resource 22040): a 16 x 16 and a 32 x 32 picture of three stacked
progress bars of different lengths in a dark frame, the colours of the load graph's
series; 24-bit colour with a transparency mask.
"""
import struct
import sys

from PictureFiles import write

SERIES = [(128, 128, 0), (128, 0, 128), (0, 128, 128)]
FRAME = (64, 64, 64)
TRACK = (224, 224, 224)
FILLED = [0.8, 0.45, 0.65]


def pixel(size, x, y):
    """(r, g, b) or None where the icon is transparent."""
    if x in (0, size - 1) or y in (1, size - 2):
        return FRAME if 1 <= y <= size - 2 else None
    if y < 1 or y > size - 2:
        return None
    inner = size - 4
    band = inner // 3
    row = (y - 2) // band if band else 0
    if row > 2 or (y - 2) % band == band - 1:
        return TRACK
    return SERIES[row] if x - 1 < FILLED[row] * (size - 2) else TRACK


def image(size):
    pitch_mask = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray()
        row_mask = bytearray(pitch_mask)
        for x in range(size):
            p = pixel(size, x, y)
            row += bytes((p[2], p[1], p[0])) if p else bytes(3)
            if p is None:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        colour += row + bytes((-len(row)) % 4)
        mask += row_mask
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def icon(sizes):
    images = [image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main(out_dir):
    write(out_dir, 'TaskWindow.ico', icon([16, 32]))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
