#!/usr/bin/env python3
"""Draws the instrument's three bitmaps and writes them as 24-bit BMP files next to this script.

1 background.bmp   851 x 311: grey, with light-grey artwork inside x 12..129, y 11..124 (the
                   product name, the maker's address and a diagram of the two coupled loops)
2 dial_disc.bmp    40 x 40: dark-blue disc on a light-blue square, edges blended
3 dial_handle.bmp  7 x 7: gold dot, blue corners, edges blended
"""
import os
import struct

GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
BLUE = (22, 112, 150)
LIGHT_BLUE = (75, 183, 228)
GOLD = (228, 189, 31)

# 5 x 7 letters for the artwork, one string of five columns per row.
GLYPHS = {
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "t": ["..#..", "..#..", "####.", "..#..", "..#..", "..#.#", "...#."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "x": [".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"],
    "p": [".....", ".....", "####.", "#...#", "####.", "#....", "#...."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
}


class Image:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def hline(self, x0, x1, y, colour):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.set(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        self.hline(left, right, top, colour)
        self.hline(left, right, bottom, colour)
        self.vline(left, top, bottom, colour)
        self.vline(right, top, bottom, colour)

    def text(self, x, y, text, colour, scale=1):
        for ch in text:
            rows = GLYPHS[ch]
            for gy, row in enumerate(rows):
                for gx, cell in enumerate(row):
                    if cell == "#":
                        for sy in range(scale):
                            for sx in range(scale):
                                self.set(x + gx * scale + sx, y + gy * scale + sy, colour)
            x += 6 * scale

    def write_bmp(self, path):
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for r, g, b in self.pixels[y]:
                row += bytes((b, g, r))
            row += bytes(stride - len(row))
            body += row
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body),
                           2835, 2835, 0, 0)
        with open(path, "wb") as f:
            f.write(header + info + body)


def blend(under, over, coverage):
    return tuple(int(round(u * (1 - coverage) + o * coverage)) for u, o in zip(under, over))


def disc_coverage(x, y, cx, cy, radius, samples=4):
    inside = 0
    for sy in range(samples):
        for sx in range(samples):
            px = x + (sx + 0.5) / samples
            py = y + (sy + 0.5) / samples
            if (px - cx) ** 2 + (py - cy) ** 2 <= radius * radius:
                inside += 1
    return inside / (samples * samples)


def round_picture(size, radius, inside, outside):
    image = Image(size, size, outside)
    centre = size / 2
    for y in range(size):
        for x in range(size):
            image.set(x, y, blend(outside, inside, disc_coverage(x, y, centre, centre, radius)))
    return image


def arrow_down(image, x, top, bottom, colour):
    image.vline(x, top, bottom, colour)
    image.hline(x - 2, x + 2, bottom - 2, colour)
    image.hline(x - 1, x + 1, bottom - 1, colour)


def arrow_up(image, x, top, bottom, colour):
    image.vline(x, top, bottom, colour)
    image.hline(x - 2, x + 2, top + 2, colour)
    image.hline(x - 1, x + 1, top + 1, colour)


def background():
    image = Image(851, 311, GREY)
    c = LIGHT_GREY
    image.text(35, 14, "Talvir", c, scale=2)
    image.text(17, 34, "www.talvir.example", c)
    # Loop A: a ring through delay line A, feeding itself back.
    image.frame(24, 56, 116, 78, c)
    image.frame(58, 50, 82, 62, c)
    for y in range(51, 62):
        image.hline(59, 81, y, GREY)
    image.text(68, 53, "A", c)
    # Loop B, the same below.
    image.frame(24, 96, 116, 118, c)
    image.frame(58, 112, 82, 124, c)
    for y in range(113, 124):
        image.hline(59, 81, y, GREY)
    image.text(68, 115, "B", c)
    # The two leakage paths coupling the loops: A to B and B to A.
    arrow_down(image, 44, 79, 95, c)
    arrow_up(image, 96, 79, 95, c)
    return image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    background().write_bmp(os.path.join(here, "background.bmp"))
    round_picture(40, 19.5, BLUE, LIGHT_BLUE).write_bmp(os.path.join(here, "dial_disc.bmp"))
    round_picture(7, 3.5, GOLD, BLUE).write_bmp(os.path.join(here, "dial_handle.bmp"))


if __name__ == "__main__":
    main()
