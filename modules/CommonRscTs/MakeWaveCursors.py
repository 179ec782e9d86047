#!/usr/bin/env python3
"""Writes the mouse cursors of the wave panes (WaveCursors.rc and Cursor<id>.cur).

Each cursor comes as a pair: a monochrome one at an odd id and its colour version at the
next id, shown when colour cursors are on. 10, 20 and 30 (selecting the left, the right
or both channels) are monochrome only. Every cursor is an arrow with its hot spot at the
tip and a short label beneath that tells what a press or a drop will do.
"""
import struct
import sys

# 3 x 5 letters
FONT = {
    'L': ['X..', 'X..', 'X..', 'X..', 'XXX'], 'R': ['XX.', 'X.X', 'XX.', 'X.X', 'X.X'],
    'P': ['XX.', 'X.X', 'XX.', 'X..', 'X..'], '+': ['...', '.X.', 'XXX', '.X.', '...'],
    '<': ['..X', '.X.', 'X..', '.X.', '..X'], '>': ['X..', '.X.', '..X', '.X.', 'X..'],
    'N': ['X.X', 'XXX', 'XXX', 'X.X', 'X.X'], '1': ['.X.', 'XX.', '.X.', '.X.', 'XXX'],
    '2': ['XX.', '..X', '.X.', 'X..', 'XXX'], '=': ['...', 'XXX', '...', 'XXX', '...'],
    'M': ['X.X', 'XXX', 'XXX', 'X.X', 'X.X'], 'D': ['XX.', 'X.X', 'X.X', 'X.X', 'XX.'],
    'S': ['.XX', 'X..', '.X.', '..X', 'XX.'], 'C': ['.XX', 'X..', 'X..', 'X..', '.XX'],
    'X': ['X.X', 'X.X', '.X.', 'X.X', 'X.X'], 'F': ['XXX', 'X..', 'XX.', 'X..', 'X..'],
    'O': ['.X.', 'X.X', 'X.X', 'X.X', '.X.'], 'B': ['XX.', 'X.X', 'XX.', 'X.X', 'XX.'],
}

# id: (label, colour of the label in the colour version)
CURSORS = {
    10: ('L', None), 20: ('R', None), 30: ('B', None),
    121: ('<', (0, 0, 192)), 131: ('>', (0, 0, 192)), 171: ('+', (0, 128, 0)),
    261: ('P', (0, 128, 0)), 271: ('PL', (0, 128, 0)), 281: ('PR', (0, 128, 0)),
    81: ('O', (192, 0, 0)), 101: ('N1', (0, 0, 192)), 111: ('N2', (0, 0, 192)),
    531: ('=', (128, 128, 0)), 311: ('=L', (128, 128, 0)), 571: ('=R', (128, 128, 0)),
    401: ('+', (0, 128, 0)), 371: ('+L', (0, 128, 0)), 381: ('+R', (0, 128, 0)), 411: ('+2', (0, 128, 0)),
    451: ('M', (192, 0, 192)), 421: ('ML', (192, 0, 192)), 431: ('MR', (192, 0, 192)),
    441: ('M2', (192, 0, 192)),
    231: ('D', (192, 0, 0)), 241: ('S', (192, 0, 0)), 251: ('C', (0, 0, 192)), 321: ('X', (192, 0, 0)),
    661: ('F', (0, 128, 128)), 671: ('FL', (0, 128, 128)), 681: ('FR', (0, 128, 128)),
}

SIZE = 32
ARROW = ['X', 'XX', 'X.X', 'X..X', 'X...X', 'X....X', 'X.....X', 'X......X', 'X.......X',
         'X........X', 'X.....XXXXX', 'X..X..X', 'X.X.X..X', 'XX..X..X', 'X....X..X', '.....X..X', '......XX']


def picture(label):
    """Rows of ' ' (transparent), 'b' (black) and 'w' (white)."""
    rows = [[' '] * SIZE for _ in range(SIZE)]
    for y, line in enumerate(ARROW):
        for x, c in enumerate(line):
            rows[y][x] = 'b' if c == 'X' else 'w'
        # the inside of the arrow is white up to its right edge
        last = line.rfind('X')
        for x in range(1, last):
            if rows[y][x] == ' ':
                rows[y][x] = 'w'
    x0, y0 = 10, 19
    if label:
        width = 4 * len(label) + 1
        for y in range(y0 - 1, y0 + 6):
            for x in range(x0 - 1, x0 + width - 1):
                rows[y][x] = 'w'
        for i, ch in enumerate(label):
            for y, line in enumerate(FONT[ch]):
                for x, c in enumerate(line):
                    if c == 'X':
                        rows[y0 + y][x0 + 4 * i + x] = 'L'
    return rows


def cursor_file(rows, colour):
    """A .cur file of one 32 x 32 image: 1 bit, or 4 bits with the label in colour."""
    bits = 4 if colour else 1
    palette = [(0, 0, 0), (255, 255, 255)] + ([colour] if colour else [])
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    index = {'b': 0, 'w': 1, 'L': 2 if colour else 0, ' ': 0}
    stride = ((SIZE * bits + 31) // 32) * 4
    xor = b''
    and_mask = b''
    for row in reversed(rows):
        value = 0
        for c in row:
            value = (value << bits) | index[c]
        xor += value.to_bytes(SIZE * bits // 8, 'big') + bytes(stride - SIZE * bits // 8)
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if c == ' ' else 0)
        and_mask += mask.to_bytes(4, 'big')
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    image = header + table + xor + and_mask
    return struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 0, 0, len(image), 22) + image


def main(folder):
    lines = ['// The cursors of the wave panes (drawn by MakeWaveCursors.py): odd ids monochrome,',
             '// the next even id the same cursor in colour.', '']
    for number, (label, colour) in sorted(CURSORS.items()):
        rows = picture(label)
        with open('%s/Cursor%d.cur' % (folder, number), 'wb') as f:
            f.write(cursor_file(rows, None))
        lines.append('%d CURSOR "Cursor%d.cur"' % (number, number))
        if colour:
            with open('%s/Cursor%d.cur' % (folder, number + 1), 'wb') as f:
                f.write(cursor_file(rows, colour))
            lines.append('%d CURSOR "Cursor%d.cur"' % (number + 1, number + 1))
    with open(folder + '/WaveCursors.rc', 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else '.')
