"""Helpers shared by the scripts that draw the common resource module's pictures."""
import struct


def bmp24(width, height, pixel):
    """A 24-bit bottom-up BMP file whose colour at (x, y) is pixel(x, y) as (r, g, b)."""
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


def bmp8(width, height, pixels, colors):
    """An 8-bit bottom-up BMP file: pixels[y][x] index the 256 (r, g, b) colours."""
    pitch = (width + 3) & ~3
    rows = b''.join(bytes(pixels[y]) + bytes(pitch - width) for y in reversed(range(height)))
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colors)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(header) + len(table)
    return b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset) + header + table + rows


def cursor32(draw, hot):
    """A 32 x 32 monochrome cursor file; draw(x, y) gives 'black', 'white' or None (clear)."""
    size = 32
    # XOR mask then AND mask, 4 bytes a row, bottom row first
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        xor_bits = and_bits = 0
        for x in range(size):
            bit = 1 << (31 - x)
            pixel = draw(x, y)
            if pixel is None:
                and_bits |= bit
            elif pixel == 'white':
                xor_bits |= bit
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', size, size, 2, 0, hot[0], hot[1],
                                                           len(image), 22)
    return directory + image


def write(folder, name, data):
    with open(folder + '/' + name, 'wb') as f:
        f.write(data)
