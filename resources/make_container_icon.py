#!/usr/bin/env python3
"""Draws the container icon (a yellow folder holding a blue page) as container.ico, 16x16 and 32x32."""
import struct
import sys


def draw(size):
    """Returns rows of (b, g, r, a) pixels, top row first."""
    s = size / 16.0
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                pixels[y][x] = colour

    outline = (30, 90, 140, 255)
    fill(1, 3, 7, 5, outline)            # tab
    fill(2, 4, 6, 5, (80, 200, 250, 255))
    fill(1, 4, 15, 14, outline)          # folder body
    fill(2, 5, 14, 13, (80, 200, 250, 255))
    fill(5, 1, 12, 10, (120, 60, 20, 255))  # page inside
    fill(6, 2, 11, 9, (250, 240, 230, 255))
    for line in (3, 5, 7):
        fill(7, line, 10, line + 1, (200, 120, 60, 255))
    fill(2, 8, 14, 13, (60, 180, 240, 255))  # front flap over the page
    fill(1, 8, 15, 9, outline)
    return pixels


def image(size):
    rows = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(p) for row in reversed(rows) for p in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def main(path):
    images = [image(16), image(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'container.ico')
