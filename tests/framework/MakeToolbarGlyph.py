#!/usr/bin/env python3
"""Writes ToolbarGlyph.bmp (test resource 48001): a 16 x 16 button glyph in the
button colours, a black 8 x 8 square on the light grey face at 4..11 both ways."""
import struct
import sys

FACE, TEXT = 0, 1
COLORS = [(192, 192, 192), (0, 0, 0), (255, 255, 255), (128, 128, 128)] + [(0, 0, 0)] * 252


def main(path):
    size = 16
    rows = b''
    for y in reversed(range(size)):
        rows += bytes(TEXT if 4 <= x < 12 and 4 <= y < 12 else FACE for x in range(size))
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in COLORS)
    header = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(header) + len(table)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset))
        f.write(header + table + rows)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ToolbarGlyph.bmp')
