#!/usr/bin/env python3
"""Draws the three window icons (32 x 32, 16 colours) and writes them as
.ico files beside this script: sp.ico (a chick), ranch.ico (the panel of
slots and box tabs), toro.ico (a card with a pen). Run it again after
changing a drawing; the .ico files are kept in the repository."""

import pathlib
import struct

# The standard 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, OLIVE, NAVY, GREY, RED, YELLOW, WHITE, SILVER = 0, 2, 3, 4, 8, 9, 11, 15, 7
SIZE = 32


class Canvas:
    def __init__(self):
        self.pixels = [[None] * SIZE for _ in range(SIZE)]  # None = transparent

    def put(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, colour)

    def outline_disc(self, cx, cy, r, fill, edge):
        self.disc(cx, cy, r, edge)
        self.disc(cx, cy, r - 1, fill)


def chick():
    c = Canvas()
    c.outline_disc(15, 20, 10, YELLOW, OLIVE)   # body
    c.outline_disc(17, 10, 7, YELLOW, OLIVE)    # head
    c.rect(18, 8, 19, 9, BLACK)                 # eye
    for i in range(4):                          # beak
        c.rect(24, 10 + i - 1, 24 + 3 - i, 10 + i - 1, RED)
    c.rect(8, 18, 13, 19, OLIVE)                # wing
    c.rect(12, 30, 13, 31, RED)                 # feet
    c.rect(18, 30, 19, 31, RED)
    return c


def panel():
    c = Canvas()
    c.rect(1, 2, 30, 29, SILVER)
    c.frame(1, 2, 30, 29, BLACK)
    c.rect(2, 3, 29, 5, NAVY)                   # caption
    for row in range(4):                        # slots, two columns
        for col in range(2):
            x = 4 + col * 13
            y = 8 + row * 4
            c.rect(x, y, x + 10, y + 2, WHITE)
            c.frame(x, y, x + 10, y + 2, GREY)
    c.rect(2, 24, 29, 24, DARK_GREEN)           # status line
    for i in range(5):                          # box tabs
        c.rect(4 + i * 5, 26, 6 + i * 5, 28, YELLOW if i == 0 else WHITE)
    return c


def card():
    c = Canvas()
    c.rect(3, 5, 24, 28, WHITE)
    c.frame(3, 5, 24, 28, BLACK)
    for y in (10, 15, 20):                      # the three boxes of the dialog
        c.rect(6, y, 21, y + 2, SILVER)
        c.frame(6, y, 21, y + 2, GREY)
    c.rect(6, 24, 11, 26, DARK_GREEN)           # OK button
    for i in range(12):                         # a pen across the corner
        c.rect(17 + i, 24 - 2 * i, 19 + i, 25 - 2 * i, RED if i < 10 else YELLOW)
    c.put(16, 26, BLACK)
    return c


def ico_bytes(canvas):
    rows_xor = []
    rows_and = []
    for y in reversed(range(SIZE)):             # bitmaps run bottom-up
        line = canvas.pixels[y]
        xor = bytearray()
        for x in range(0, SIZE, 2):
            hi = line[x] if line[x] is not None else 0
            lo = line[x + 1] if line[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        mask = 0
        for x in range(SIZE):
            if line[x] is None:
                mask |= 1 << (SIZE - 1 - x)
        rows_xor.append(bytes(xor))
        rows_and.append(mask.to_bytes(4, "big"))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = (struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
             + palette + b"".join(rows_xor) + b"".join(rows_and))
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return header + entry + image


def main():
    here = pathlib.Path(__file__).resolve().parent
    for name, drawing in (("sp", chick), ("ranch", panel), ("toro", card)):
        (here / f"{name}.ico").write_bytes(ico_bytes(drawing()))


if __name__ == "__main__":
    main()
