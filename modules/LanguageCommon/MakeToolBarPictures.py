#!/usr/bin/env python3
"""Writes the button pictures of the main frame's five tool bars (ToolBar<id>.bmp, the
bitmaps of every language module under the same numbers) and Tessaro.ico (icon 1 of the
program). Buttons are 16 x 16 pixels on the button face (light grey, which the bars map to
the system's face colour); black, dark grey and white become text, shadow and highlight.

Run from this folder: python3 MakeToolBarPictures.py
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'CommonRscTs'))
from PictureFiles import bmp24, write  # noqa: E402

SIZE = 16
FACE = (192, 192, 192)
INK = (0, 0, 0)
SHADE = (128, 128, 128)
PAPER = (255, 255, 255)
RED = (200, 0, 0)
GREEN = (0, 140, 0)
BLUE = (0, 0, 160)
YELLOW = (230, 200, 40)
TEAL = (0, 120, 128)

DIGITS = {
    '1': ('010', '110', '010', '010', '010', '111'), '2': ('111', '001', '111', '100', '100', '111'),
    '3': ('111', '001', '111', '001', '001', '111'), '4': ('101', '101', '111', '001', '001', '001'),
    '5': ('111', '100', '111', '001', '001', '111'), '6': ('111', '100', '111', '101', '101', '111'),
    '7': ('111', '001', '001', '010', '010', '010'), '8': ('111', '101', '111', '101', '101', '111'),
}


class Canvas:
    def __init__(self, size=SIZE, background=FACE):
        self.size = size
        self.px = [[background] * size for _ in range(size)]

    def dot(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def box(self, x0, y0, x1, y1, fill, edge=INK):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                border = x in (x0, x1) or y in (y0, y1)
                self.dot(x, y, edge if border and edge else fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def triangle(self, x0, y0, height, c, right=True):
        """A filled triangle pointing right (or left) whose flat side stands at x0."""
        half = height // 2
        for dy in range(-half, half + 1):
            width = half - abs(dy)
            for dx in range(width + 1):
                self.dot(x0 + dx if right else x0 - dx, y0 + dy, c)

    def disc(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.dot(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if r * r - r <= d <= r * r + r:
                    self.dot(x, y, c)

    def digit(self, ch, x0, y0, c, scale=1):
        for row, bits in enumerate(DIGITS[ch]):
            for col, bit in enumerate(bits):
                if bit == '1':
                    for sy in range(scale):
                        for sx in range(scale):
                            self.dot(x0 + col * scale + sx, y0 + row * scale + sy, c)

    def bmp(self):
        return bmp24(self.size, self.size, lambda x, y: self.px[y][x])


def page(c, x0=3, y0=1, x1=12, y1=14):
    c.box(x0, y0, x1, y1, PAPER)
    for x in range(x1 - 3, x1 + 1):
        for y in range(y0, y0 + 4 - (x1 - x)):
            c.dot(x, y, FACE)
    c.line(x1 - 3, y0, x1, y0 + 3, INK)


def window_frame(c, x0, y0, x1, y1, title=BLUE):
    c.box(x0, y0, x1, y1, PAPER)
    c.box(x0, y0, x1, y0 + 2, title, INK)


def bar_picture(c, rows):
    """A small tool bar with the given rows of button colours."""
    c.box(1, 3, 14, 12, FACE, SHADE)
    for i, colour in enumerate(rows):
        c.box(3 + i * 3, 6, 4 + i * 3, 9, colour, None)


def draw(number):
    c = Canvas()
    if number == 135:  # new
        page(c)
        c.line(7, 6, 7, 10, YELLOW)
        c.line(5, 8, 9, 8, YELLOW)
    elif number == 23002:  # open
        c.box(1, 4, 13, 13, YELLOW)
        c.box(1, 3, 6, 4, YELLOW)
        c.line(3, 13, 6, 7, INK)
        c.line(6, 7, 15, 7, INK)
    elif number == 23007:  # save
        c.box(2, 2, 13, 13, BLUE)
        c.box(4, 2, 11, 6, PAPER)
        c.box(5, 9, 10, 13, SHADE)
    elif number == 23004:  # undo
        c.ring(8, 9, 4, INK)
        c.box(8, 9, 13, 14, FACE, None)
        c.triangle(4, 5, 6, INK, right=False)
    elif number == 23000:  # redo
        c.ring(8, 9, 4, INK)
        c.box(3, 9, 8, 14, FACE, None)
        c.triangle(12, 5, 6, INK)
    elif number == 23005:  # cut
        c.line(4, 1, 10, 10, INK)
        c.line(11, 1, 5, 10, INK)
        c.ring(4, 12, 2, INK)
        c.ring(11, 12, 2, INK)
    elif number == 1050:  # copy
        c.box(1, 1, 9, 10, PAPER)
        c.box(6, 5, 14, 14, PAPER)
    elif number == 23006:  # paste
        c.box(2, 2, 11, 14, (160, 100, 40))
        c.box(5, 1, 8, 3, SHADE)
        c.box(7, 6, 14, 14, PAPER)
    elif number == 23003:  # delete
        c.line(3, 3, 12, 12, RED)
        c.line(4, 3, 13, 12, RED)
        c.line(12, 3, 3, 12, RED)
        c.line(13, 3, 4, 12, RED)
    elif number == 152:  # look closer
        c.ring(6, 6, 4, INK)
        c.disc(6, 6, 2, PAPER)
        c.line(9, 9, 14, 14, INK)
        c.line(10, 9, 14, 13, INK)
    elif number == 137:  # volume
        c.box(2, 6, 5, 10, INK)
        c.triangle(5, 8, 11, INK)
        for x, h in ((10, 2), (12, 4), (14, 6)):
            c.line(x, 8 - h, x, 8 + h, SHADE)
    elif number == 23008:  # cascade
        window_frame(c, 1, 1, 9, 9)
        window_frame(c, 4, 4, 12, 12)
        window_frame(c, 6, 6, 14, 14)
    elif number == 23009:  # tile side by side
        window_frame(c, 1, 2, 7, 13)
        window_frame(c, 8, 2, 14, 13)
    elif number == 23010:  # tile one above the other
        window_frame(c, 1, 1, 14, 7)
        window_frame(c, 1, 8, 14, 14)
    elif number == 23001:  # minimise all
        for x in (1, 6, 11):
            c.box(x, 11, x + 3, 13, BLUE)
        c.line(7, 2, 7, 8, INK)
        c.triangle(7, 8, 5, INK)
    elif number == 184:  # loop
        c.ring(8, 8, 5, GREEN)
        c.box(6, 1, 9, 4, FACE, None)
        c.triangle(10, 3, 5, GREEN)
    elif number == 327:  # caret to start
        c.box(3, 4, 4, 12, INK, None)
        c.triangle(11, 8, 9, INK, right=False)
    elif number == 328:  # caret to end
        c.triangle(4, 8, 9, INK)
        c.box(11, 4, 12, 12, INK, None)
    elif number == 133:  # wind backward
        c.triangle(7, 8, 9, INK, right=False)
        c.triangle(12, 8, 9, INK, right=False)
    elif number == 134:  # wind forward
        c.triangle(3, 8, 9, INK)
        c.triangle(8, 8, 9, INK)
    elif number == 131:  # stop
        c.box(4, 4, 11, 11, INK, None)
    elif number == 130:  # play
        c.triangle(5, 8, 11, GREEN)
    elif number == 132:  # record
        c.disc(8, 8, 4, RED)
    elif number == 360:  # transport bar
        bar_picture(c, (INK, GREEN, RED))
    elif number == 365:  # windows bar
        bar_picture(c, (BLUE, BLUE, TEAL))
    elif number == 363:  # numbered bar
        bar_picture(c, (PAPER, PAPER, PAPER))
        c.digit('1', 3, 5, INK)
    elif number == 364:  # the fifth bar
        bar_picture(c, (YELLOW, TEAL, YELLOW))
    elif number == 361:  # marker window
        window_frame(c, 1, 1, 14, 14)
        for y in (6, 9, 12):
            c.triangle(3, y, 3, RED)
            c.line(5, y, 12, y, SHADE)
    elif number == 362:  # audio engine
        window_frame(c, 1, 1, 14, 14, TEAL)
        for x, h in ((4, 3), (7, 6), (10, 4)):
            c.box(x, 12 - h, x + 1, 12, GREEN, None)
    elif number == 366:  # background tasks
        window_frame(c, 1, 1, 14, 14, TEAL)
        c.box(3, 6, 12, 8, PAPER, SHADE)
        c.box(3, 6, 8, 8, BLUE, None)
        c.box(3, 10, 12, 12, PAPER, SHADE)
        c.box(3, 10, 5, 12, BLUE, None)
    elif number == 367:  # live input
        c.box(6, 1, 9, 8, SHADE)
        c.ring(8, 6, 4, INK)
        c.box(3, 1, 12, 6, FACE, None)
        c.box(6, 1, 9, 8, SHADE)
        c.line(8, 10, 8, 13, INK)
        c.line(5, 14, 11, 14, INK)
    elif 110 <= number <= 117:  # Ctrl and a digit: on a flag
        c.box(3, 1, 13, 10, BLUE, None)
        c.line(3, 1, 3, 15, INK)
        c.digit(str(number - 109), 7, 3, PAPER)
    elif 100 <= number <= 107:  # a digit
        c.digit(str(number - 99), 5, 2, INK, 2)
    elif number == 208:
        c.triangle(2, 8, 13, TEAL)
        c.line(2, 2, 2, 14, INK)
    elif number == 210:
        c.box(2, 2, 13, 13, PAPER)
        c.line(2, 13, 13, 2, BLUE)
    elif number == 230:
        c.ring(8, 8, 6, BLUE)
        c.line(8, 3, 8, 8, INK)
        c.line(8, 8, 11, 10, INK)
    elif number == 206:
        c.box(2, 5, 13, 10, YELLOW)
        c.line(2, 8, 13, 8, INK)
    elif number == 207:
        for x in range(2, 14, 3):
            c.line(x, 13, x, 13 - (x * 7) % 11, GREEN)
    else:
        raise ValueError(number)
    return c.bmp()


PICTURES = ([135, 23002, 23007, 23004, 23000, 23005, 1050, 23006, 23003, 152, 137, 23008, 23009, 23010, 23001,
             184, 327, 133, 134, 328, 131, 130, 132, 360, 364, 363, 365, 361, 362, 366, 367, 208, 210, 230, 206, 207]
            + list(range(100, 108)) + list(range(110, 118)))


def icon(size):
    """The program's picture: a wave over a dark face."""
    import math
    c = Canvas(size, (0, 0, 0))
    c.box(0, 0, size - 1, size - 1, (20, 40, 90), (0, 0, 0))
    mid = size // 2
    for x in range(2, size - 2):
        y = mid - round((size * 0.32) * math.sin(x * 2 * math.pi / (size - 4)) * (1 - abs(x - mid) / size))
        c.line(x, mid, x, y, (90, 220, 120))
    c.line(2, mid, size - 3, mid, (200, 200, 200))
    return c


def ico_file(sizes):
    """An icon file with one 32-bit picture per size, an all-opaque mask."""
    images = []
    for size in sizes:
        c = icon(size)
        pixels = b''.join(bytes((b, g, r, 255)) for y in reversed(range(size)) for (r, g, b) in c.px[y])
        mask_row = ((size + 31) // 32) * 4
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels), 0, 0, 0, 0)
        images.append((size, header + pixels + bytes(mask_row * size)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def main(out_dir):
    for number in PICTURES:
        write(out_dir, 'ToolBar%d.bmp' % number, draw(number))
    write(out_dir, 'Tessaro.ico', ico_file((16, 32)))
    with open(out_dir + '/ToolBars.rc', 'w') as rc:
        rc.write('// The main frame\'s tool bar pictures (MakeToolBarPictures.py), in every language module.\n')
        for number in PICTURES:
            rc.write('%d BITMAP "LanguageCommon/ToolBar%d.bmp"\n' % (number, number))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
