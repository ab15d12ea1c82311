#!/usr/bin/env python3
"""Writes the programs' icon, engine/kernel/corvex.ico: three level bars
(green, yellow, red) on a teal tile, at 32x32 and 16x16, each as a
16-colour image (for the oldest shells) and a 32-bit one with alpha.

The .ico is kept in the repository; run this again only to change it."""

import struct
import sys

# The 16-colour VGA palette, as (r, g, b).
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CLEAR, BLACK, TEAL, WHITE, LIME, YELLOW, RED = None, 0, 6, 15, 10, 11, 9


def picture(size):
    """Rows top to bottom of palette indices (None = see-through)."""
    rows = [[CLEAR] * size for _ in range(size)]
    last = size - 1 if size == 16 else size - 2
    first = 0 if size == 16 else 1
    for y in range(first, last + 1):
        for x in range(first, last + 1):
            corner = (x in (first, last)) and (y in (first, last))
            if corner:
                continue
            edge = x in (first, last) or y in (first, last)
            rows[y][x] = BLACK if edge else TEAL
    if size == 16:
        bars, bottom, baseline = [(3, 4, 4, LIME), (7, 8, 7, YELLOW), (11, 12, 10, RED)], 12, 13
        span = range(2, 14)
    else:
        bars, bottom, baseline = [(7, 11, 9, LIME), (14, 18, 15, YELLOW), (21, 25, 21, RED)], 25, 26
        span = range(5, 27)
    for left, right, height, colour in bars:
        for y in range(bottom - height + 1, bottom + 1):
            for x in range(left, right + 1):
                rows[y][x] = colour
    for x in span:
        rows[baseline][x] = WHITE
    return rows


def mask(rows):
    """The AND mask, bottom-up, 1 bit per pixel, rows padded to 32 bits."""
    size = len(rows)
    stride = ((size + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, index in enumerate(row):
            if index is None:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def header(size, bits, palette_entries):
    image = size * size * bits // 8
    return struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, image, 0, 0, palette_entries, 0)


def image16(rows):
    size = len(rows)
    data = header(size, 4, 16)
    data += b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    stride = ((size * 4 + 31) // 32) * 4
    for row in reversed(rows):
        line = bytearray(stride)
        for x, index in enumerate(row):
            value = 0 if index is None else index
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
        data += line
    return data + mask(rows)


def image32(rows):
    size = len(rows)
    data = header(size, 32, 0)
    for row in reversed(rows):
        for index in row:
            if index is None:
                data += b'\0\0\0\0'
            else:
                r, g, b = PALETTE[index]
                data += struct.pack('BBBB', b, g, r, 255)
    return data + mask(rows)


def main(path):
    images = []
    for size in (32, 16):
        rows = picture(size)
        images.append((size, 16, 4, image16(rows)))
        images.append((size, 0, 32, image32(rows)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, _, _, data in images)
    with open(path, 'wb') as file:
        file.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'engine/kernel/corvex.ico')
