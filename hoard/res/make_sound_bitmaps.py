#!/usr/bin/env python3
"""Draws the bitmaps of the record dialog into hoard/res/bitmaps/, as 4-bit BMP files
with the 16 standard VGA colours:

- the buttons RECORD (a red dot), STOP (a black square), PAUSE (two bars) and PLAY (a
  green triangle), 33 x 33 pixels, each as U (up), D (pushed in: sunken, the picture
  one pixel down and right), F (up, with a dotted focus rectangle) and X (disabled:
  the picture embossed in grey);
- the input level pictures level0.bmp to level3.bmp, 36 x 36 pixels: a meter of four
  rising bars of which 1 to 4 are lit, from the quietest to the loudest.

Run it from anywhere after changing a picture; the .bmp files are committed and
compiled into hoard.dll by windres.
"""
import os
import struct

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BUTTON = 33
LEVEL = 36


class Picture:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                self.put(x, y, colour)

    def bmp(self):
        """The picture as a bottom-up BMP file of 4 bits per pixel."""
        row_bytes = ((self.width * 4 + 31) // 32) * 4
        rows = b""
        for y in reversed(range(self.height)):
            row = bytearray(row_bytes)
            for x in range(self.width):
                row[x // 2] |= self.pixels[y][x] << (0 if x % 2 else 4)
            rows += bytes(row)
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
        offset = 14 + 40 + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 4, 0, len(rows),
                           2835, 2835, 16, 16)
        return header + info + palette + rows


# The pictures on the buttons, as sets of pixels around the centre (0, 0).

def dot():
    return {(x, y) for y in range(-8, 9) for x in range(-8, 9) if x * x + y * y <= 72}


def square():
    return {(x, y) for y in range(-7, 7) for x in range(-7, 7)}


def bars():
    return {(x, y) for y in range(-8, 8) for x in list(range(-7, -2)) + list(range(2, 7))}


def triangle():
    # Pointing right: 16 rows high, narrowing to its tip.
    return {(x, y) for y in range(-8, 8) for x in range(-6, -6 + round(15 * (8 - abs(y + 0.5)) / 8))}


GLYPHS = {
    "RECORD": (dot, RED, MAROON),
    "STOP": (square, BLACK, BLACK),
    "PAUSE": (bars, BLACK, BLACK),
    "PLAY": (triangle, GREEN, BLACK),
}


def edge(shape):
    return {p for p in shape
            if any((p[0] + dx, p[1] + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}


def frame(pic, sunken):
    """The 3-D border of a button: raised, or sunken when pushed in."""
    n = BUTTON
    light, shadow = (GREY, WHITE) if sunken else (WHITE, GREY)
    pic.fill(0, n - 1, n, n, BLACK)                 # outer bottom and right lines
    pic.fill(n - 1, 0, n, n, BLACK)
    pic.fill(0, 0, n - 1, 1, light)                 # top and left
    pic.fill(0, 0, 1, n - 1, light)
    pic.fill(1, n - 2, n - 1, n - 1, shadow)        # inner bottom and right
    pic.fill(n - 2, 1, n - 1, n - 1, shadow)
    if sunken:
        pic.fill(0, 0, n, 1, BLACK)
        pic.fill(0, 0, 1, n, BLACK)


def button(name, state):
    make, colour, outline = GLYPHS[name]
    shape = make()
    pic = Picture(BUTTON, BUTTON, SILVER)
    frame(pic, state == "D")
    cx = cy = BUTTON // 2 + (1 if state == "D" else 0)
    if state == "X":
        # Disabled: a white shadow one pixel down and right under a grey picture.
        for x, y in shape:
            pic.put(cx + x + 1, cy + y + 1, WHITE)
        for x, y in shape:
            pic.put(cx + x, cy + y, GREY)
    else:
        for x, y in shape:
            pic.put(cx + x, cy + y, colour)
        for x, y in edge(shape):
            pic.put(cx + x, cy + y, outline)
    if state == "F":
        for i in range(4, BUTTON - 5):
            if i % 2 == 0:
                for x, y in ((i, 4), (i, BUTTON - 6), (4, i), (BUTTON - 6, i)):
                    pic.put(x, y, BLACK)
    return pic


def level(lit):
    """Four rising bars in a sunken well; the first lit bars green, then yellow, then red."""
    pic = Picture(LEVEL, LEVEL, SILVER)
    pic.fill(0, 0, LEVEL, 1, GREY)
    pic.fill(0, 0, 1, LEVEL, GREY)
    pic.fill(0, LEVEL - 1, LEVEL, LEVEL, WHITE)
    pic.fill(LEVEL - 1, 0, LEVEL, LEVEL, WHITE)
    pic.fill(2, 2, LEVEL - 2, LEVEL - 2, BLACK)
    colours = [LIME, LIME, YELLOW, RED]
    for i in range(4):
        left = 5 + i * 7
        top = LEVEL - 5 - 7 * (i + 1)
        pic.fill(left, top, left + 5, LEVEL - 5, colours[i] if i < lit else GREY)
    return pic


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmaps")
    os.makedirs(folder, exist_ok=True)
    pictures = {f"{name.lower()}{state.lower()}.bmp": button(name, state)
                for name in GLYPHS for state in "UDFX"}
    pictures.update({f"level{i}.bmp": level(i + 1) for i in range(4)})
    for file_name, pic in sorted(pictures.items()):
        with open(os.path.join(folder, file_name), "wb") as f:
            f.write(pic.bmp())
    print(f"wrote {len(pictures)} bitmaps into {folder}")


if __name__ == "__main__":
    main()
