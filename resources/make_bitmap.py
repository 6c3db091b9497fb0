#!/usr/bin/env python3
"""Draws the editor icon: a black loudspeaker sending three arcs to the right.

Writes a 32x32, 24-bit, uncompressed, bottom-up Windows bitmap on white with the
four corner pixels magenta (the editor's transparent colour). The output is
deterministic, so running the script again reproduces the committed file.

Usage: make_bitmap.py [output.bmp]   (default: speaker.bmp beside this script)
"""
import math
import os
import struct
import sys

SIZE = 32
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
MAGENTA = (255, 0, 255)


def draw():
    # pixels[y][x], y = 0 is the top row of the picture.
    pixels = [[WHITE] * SIZE for _ in range(SIZE)]

    # Magnet box at the back of the speaker.
    for y in range(12, 20):
        for x in range(4, 10):
            pixels[y][x] = BLACK

    # Cone: widens from the box (rows 12..19) to rows 5..26 at its mouth.
    for x in range(10, 17):
        t = (x - 10) / 6.0
        top = round(12 - 7 * t)
        bottom = round(19 + 7 * t)
        for y in range(top, bottom + 1):
            pixels[y][x] = BLACK

    # Three sound arcs centred on the middle of the cone's mouth.
    cx, cy = 16.0, 15.5
    for radius in (5.0, 9.0, 13.0):
        for y in range(SIZE):
            for x in range(18, SIZE - 1):
                dx, dy = x - cx, y - cy
                dist = math.hypot(dx, dy)
                angle = math.degrees(math.atan2(dy, dx))
                if abs(dist - radius) <= 0.75 and abs(angle) <= 48.0:
                    pixels[y][x] = BLACK

    for y, x in ((0, 0), (0, SIZE - 1), (SIZE - 1, 0), (SIZE - 1, SIZE - 1)):
        pixels[y][x] = MAGENTA
    return pixels


def encode(pixels):
    row_bytes = SIZE * 3  # 96: already a multiple of four, no row padding
    image_size = row_bytes * SIZE
    data = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        for r, g, b in pixels[y]:
            data += bytes((b, g, r))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, image_size, 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + image_size, 0, 0, 14 + len(info))
    return header + info + bytes(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "speaker.bmp")
    with open(out, "wb") as f:
        f.write(encode(draw()))


if __name__ == "__main__":
    main()
