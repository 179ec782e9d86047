#!/usr/bin/env python3
"""Writes the 24-bit pictures of the picture, bitmap-control and glyph-button tests:
PictureTest.bmp (53001): 100 x 50, red left half, blue right half, a green pixel at the
top-left corner; GlyphUp.bmp (53002): 12 x 10 red; GlyphDown.bmp (53003): 12 x 10 green."""
import struct

RED, GREEN, BLUE = (255, 0, 0), (0, 255, 0), (0, 0, 255)


def write(path, width, height, color_at):
    pad = (4 - width * 3 % 4) % 4
    rows = b''
    for y in reversed(range(height)):
        rows += b''.join(struct.pack('<BBB', b, g, r) for r, g, b in (color_at(x, y) for x in range(width)))
        rows += b'\0' * pad
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset))
        f.write(header + rows)


write('PictureTest.bmp', 100, 50, lambda x, y: GREEN if (x, y) == (0, 0) else RED if x < 50 else BLUE)
write('GlyphUp.bmp', 12, 10, lambda x, y: RED)
write('GlyphDown.bmp', 12, 10, lambda x, y: GREEN)
