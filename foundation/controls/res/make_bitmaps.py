#!/usr/bin/env python3
"""Draws the bitmap resources of the library's custom controls, and the pictures that the
controls' tests load from their own module, as uncompressed 24-bit .bmp files.

Run from anywhere; it rewrites foundation/controls/res/*.bmp and foundation/tests/res/*.bmp.
The built-in buttons are 32 x 32 pictures: a 3-D frame two pixels deep around a face of
light grey, so that the disabled look (a grey checkerboard over columns and rows 3 to 28)
leaves the frame whole, with a 16 x 16 glyph in the middle that moves one pixel down and
right when the button is pressed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
TEST_RES = os.path.join(HERE, "..", "..", "tests", "res")

FACE = (192, 192, 192)
COLOURS = {
    ".": None,  # the face shows through
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "d": (128, 128, 128),
    "y": (255, 255, 0),
    "Y": (128, 128, 0),
    "r": (255, 0, 0),
    "R": (128, 0, 0),
    "g": (0, 192, 0),
    "G": (0, 128, 0),
    "b": (0, 0, 255),
    "B": (0, 0, 128),
}


def write_bmp(path, pixels):
    """pixels: rows top to bottom of (red, green, blue)."""
    height, width = len(pixels), len(pixels[0])
    row_bytes = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):  # bottom-up, as BMP files store them
        line = bytearray()
        for red, green, blue in row:
            line += bytes((blue, green, red))
        data += line + bytes(row_bytes - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        out.write(header + data)


def glyph(rows):
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), rows
    return rows


def blank():
    return [["."] * 16 for _ in range(16)]


def as_rows(grid):
    return glyph(["".join(r) for r in grid])


def red_cross():
    grid = blank()
    for i in range(2, 14):
        for d in (-1, 0, 1):
            if 2 <= i + d <= 13:
                grid[i][i + d] = "r"
                grid[i][15 - i - d] = "r"
    return as_rows(grid)


def play_triangle():
    grid = blank()
    for r in range(13):
        half = r if r < 7 else 12 - r
        for x in range(5, 6 + half):
            grid[1 + r][x] = "g"
        grid[1 + r][5] = "G"
    return as_rows(grid)


def stop_square():
    grid = blank()
    for y in range(3, 13):
        for x in range(3, 13):
            edge = y in (3, 12) or x in (3, 12)
            grid[y][x] = "k" if edge else "R"
    return as_rows(grid)


def books():
    grid = blank()
    for left, top, colour in ((2, 2, "r"), (6, 4, "b"), (10, 3, "g")):
        for y in range(top, 14):
            for x in range(left, left + 4):
                side = x in (left, left + 3) or y == top
                grid[y][x] = "k" if side else ("y" if y == top + 3 else colour)
    for x in range(1, 15):
        grid[14][x] = "d"
    return as_rows(grid)


GLYPHS = {
    "FOLDER": glyph([
        "................",
        "................",
        "..kkkkk.........",
        ".kyyyyyk........",
        ".kyyyyyykkkkkk..",
        ".kywwwwwwwwwwyk.",
        ".kywyyyyyyyyyyk.",
        ".kywyyyyyyyyyyk.",
        ".kywyyyyyyyyyyk.",
        ".kywyyyyyyyyyyk.",
        ".kywyyyyyyyyyyk.",
        ".kywyyyyyyyyyyk.",
        ".kYYYYYYYYYYYYk.",
        "..kkkkkkkkkkkkk.",
        "................",
        "................",
    ]),
    "FONT": glyph([
        "................",
        ".......B........",
        "......BBB.......",
        "......BBB.......",
        ".....BB.BB......",
        ".....BB.BB......",
        "....BB...BB.....",
        "....BB...BB.....",
        "...BBBBBBBBB....",
        "...BB.....BB....",
        "..BB.......BB...",
        "..BB.......BB...",
        ".BBBB.....BBBB..",
        "................",
        "................",
        "................",
    ]),
    "COLOR": glyph(
        ["................", ".kkkkkkkkkkkkkk."]
        + [".krrrrrrkgggggk."] * 6
        + [".kkkkkkkkkkkkkk."]
        + [".kbbbbbbkyyyyyk."] * 5
        + [".kkkkkkkkkkkkkk.", "................"]
    ),
    "PAGE": glyph([
        "................",
        "...kkkkkkkk.....",
        "...kwwwwwwkk....",
        "...kwwwwwwkwk...",
        "...kwkkkkwkkkk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkkwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkkwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkkkwk..",
        "...kwwwwwwwwwk..",
        "...kwkkkkkwwwk..",
        "...kwwwwwwwwwk..",
        "...kkkkkkkkkkk..",
        "................",
    ]),
    "ADVANCE": glyph(
        ["................"] * 3
        + [
            "..k.....k.......",
            "..kk....kk......",
            "..kkk...kkk.....",
            "..kkkk..kkkk....",
            "..kkkkk.kkkkk...",
            "..kkkk..kkkk....",
            "..kkk...kkk.....",
            "..kk....kk......",
            "..k.....k.......",
        ]
        + ["................"] * 4
    ),
    "ADD": glyph(
        ["................", "......kkkk......"]
        + ["......kggk......"] * 4
        + [".kkkkkkggkkkkkk."]
        + [".kggggggggggggk."] * 2
        + [".kkkkkkggkkkkkk."]
        + ["......kggk......"] * 4
        + ["......kkkk......", "................"]
    ),
    "DELETE": glyph(
        ["................"] * 6
        + [".kkkkkkkkkkkkkk."]
        + [".krrrrrrrrrrrrk."] * 2
        + [".kkkkkkkkkkkkkk."]
        + ["................"] * 6
    ),
    "MODIFY": glyph([
        "................",
        "............kk..",
        "...........krrk.",
        "..........kyyrk.",
        ".........kyyyk..",
        "........kyyyk...",
        ".......kyyyk....",
        "......kyyyk.....",
        ".....kyyyk......",
        "....kyyyk.......",
        "...kwyyk........",
        "...kwwk.........",
        "...kkk..........",
        "...kk...........",
        "................",
        "................",
    ]),
    "REDX": red_cross(),
    "PLAY": play_triangle(),
    "STOP": stop_square(),
    "LIB": books(),
    # The own pictures of a button whose named bitmaps are missing.
    "USER": glyph([
        "................",
        "................",
        ".....kkkkk......",
        "....kk...kk.....",
        "....kk...kk.....",
        ".........kk.....",
        "........kk......",
        ".......kk.......",
        ".......kk.......",
        ".......kk.......",
        "................",
        ".......kk.......",
        ".......kk.......",
        "................",
        "................",
        "................",
    ]),
}

LIGHT, SHADOW, DARK, HIGHLIGHT = (224, 224, 224), (128, 128, 128), (0, 0, 0), (255, 255, 255)


def button(glyph_rows, pressed):
    size = 32
    if pressed:
        rings = ((DARK, HIGHLIGHT), (SHADOW, LIGHT))
    else:
        rings = ((HIGHLIGHT, DARK), (LIGHT, SHADOW))
    pixels = [[FACE] * size for _ in range(size)]
    for ring, (top_left, bottom_right) in enumerate(rings):
        far = size - 1 - ring
        for i in range(ring, far + 1):
            pixels[ring][i] = pixels[i][ring] = top_left
            pixels[far][i] = pixels[i][far] = bottom_right
    shift = 9 if pressed else 8
    for y, row in enumerate(glyph_rows):
        for x, key in enumerate(row):
            if COLOURS[key]:
                pixels[shift + y][shift + x] = COLOURS[key]
    return pixels


def quadrants(width, height, top_left, top_right, bottom_left, bottom_right):
    return [[(top_left if x < width // 2 else top_right) if y < height // 2
             else (bottom_left if x < width // 2 else bottom_right)
             for x in range(width)] for y in range(height)]


def solid(width, height, colour):
    return [[colour] * width for _ in range(height)]


def library_pictures():
    for name, rows in GLYPHS.items():
        write_bmp(os.path.join(HERE, name.lower() + "_r.bmp"), button(rows, False))
        write_bmp(os.path.join(HERE, name.lower() + "_p.bmp"), button(rows, True))


def test_pictures():
    # Quadrants of distinct colours show which part of a picture was drawn, and which way up.
    write_bmp(os.path.join(TEST_RES, "save_r.bmp"),
              quadrants(32, 32, (0, 0, 255), (0, 255, 0), (255, 0, 0), (255, 255, 0)))
    write_bmp(os.path.join(TEST_RES, "save_p.bmp"),
              quadrants(32, 32, (0, 255, 255), (255, 0, 255), (255, 255, 255), (0, 0, 0)))
    write_bmp(os.path.join(TEST_RES, "lone_r.bmp"), solid(32, 32, (255, 128, 0)))
    # A bitmap button's five pictures: 40 x 24, one colour each.
    for name, colour in (("normal", (0, 0, 128)), ("on", (0, 128, 0)), ("pressed", (128, 0, 0)),
                         ("disabled", (128, 128, 0)), ("hover", (0, 128, 128))):
        write_bmp(os.path.join(TEST_RES, "bb_" + name + ".bmp"), solid(40, 24, colour))


if __name__ == "__main__":
    os.makedirs(TEST_RES, exist_ok=True)
    library_pictures()
    test_pictures()
