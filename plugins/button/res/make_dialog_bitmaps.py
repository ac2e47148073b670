#!/usr/bin/env python3
"""Draws the pictures of the settings dialog's picture buttons as 24-bit BMP files: the four
styles, the nine label positions, the four picture slots and the branch button. Each
"<NAME>_r.bmp" is the released look; "<NAME>_p.bmp", where there is one, the pressed look."""
from bmp24 import write

GREY, WHITE, DARK, BLACK = (192, 192, 192), (255, 255, 255), (100, 100, 100), (0, 0, 0)
BLUE, RED, GREEN, YELLOW = (0, 0, 160), (200, 0, 0), (0, 130, 0), (255, 220, 0)


def canvas(width, height, colour=GREY):
    return [[colour] * width for _ in range(height)]


def rect(pixels, left, top, right, bottom, colour):
    for y in range(top, bottom):
        for x in range(left, right):
            pixels[y][x] = colour


def frame(pixels, left, top, right, bottom, colour, dashed=False):
    for x in range(left, right):
        if not dashed or x % 4 < 2:
            pixels[top][x] = colour
            pixels[bottom - 1][x] = colour
    for y in range(top, bottom):
        if not dashed or y % 4 < 2:
            pixels[y][left] = colour
            pixels[y][right - 1] = colour


def bevel(pixels, pressed):
    """The picture button's own edge: raised when released, sunken when pressed."""
    height, width = len(pixels), len(pixels[0])
    light, shade = (DARK, WHITE) if pressed else (WHITE, DARK)
    for x in range(width):
        pixels[0][x] = light
        pixels[height - 1][x] = shade
    for y in range(height):
        pixels[y][0] = light
        pixels[y][width - 1] = shade


def style_picture(kind, pressed):
    pixels = canvas(36, 36)
    if kind == "BOUTINV":
        frame(pixels, 7, 11, 29, 25, RED, dashed=True)
    elif kind == "BOUT2D":
        rect(pixels, 7, 11, 29, 25, WHITE)
        frame(pixels, 7, 11, 29, 25, BLACK)
    elif kind == "BOUT3D":
        frame(pixels, 7, 11, 29, 25, BLACK)
        for x in range(8, 28):
            pixels[12][x] = WHITE
            pixels[23][x] = DARK
        for y in range(12, 24):
            pixels[y][8] = WHITE
            pixels[y][27] = DARK
    else:  # BOUTBIT: a small landscape
        rect(pixels, 7, 9, 29, 27, (120, 180, 255))
        rect(pixels, 7, 21, 29, 27, GREEN)
        rect(pixels, 21, 12, 25, 16, YELLOW)
        frame(pixels, 7, 9, 29, 27, BLACK)
    bevel(pixels, pressed)
    return pixels


def position_picture(column, row, pressed):
    pixels = canvas(21, 19)
    frame(pixels, 3, 3, 18, 16, DARK)
    left = (5, 8, 11)[column]
    top = (5, 8, 11)[row]
    rect(pixels, left, top, left + 5, top + 3, BLUE if pressed else BLACK)
    bevel(pixels, pressed)
    return pixels


def slot_picture(kind):
    pixels = canvas(21, 19)
    if kind == "MASK":
        rect(pixels, 4, 4, 17, 15, WHITE)
        rect(pixels, 7, 6, 14, 13, BLACK)
    else:
        face = {"UNPRESS": GREY, "PRESS": DARK, "MOUSEOVER": YELLOW}[kind]
        rect(pixels, 4, 5, 17, 14, face)
        frame(pixels, 4, 5, 17, 14, BLACK)
        if kind == "PRESS":
            for x in range(5, 16):
                pixels[6][x] = BLACK
    return pixels


def branch_picture(pressed):
    pixels = canvas(36, 36)
    for x in range(8, 24):
        for y in range(16, 20):
            pixels[y][x] = BLUE
    for i in range(8):
        for y in range(18 - i, 18 + i):
            pixels[y][24 + (7 - i)] = BLUE
    bevel(pixels, pressed)
    return pixels


for style in ("BOUTINV", "BOUT2D", "BOUT3D", "BOUTBIT"):
    write(style.lower() + "_r.bmp", style_picture(style, False))
    write(style.lower() + "_p.bmp", style_picture(style, True))
for row, names in enumerate((("HG", "H", "HD"), ("G", "C", "D"), ("BG", "B", "BD"))):
    for column, name in enumerate(names):
        write(name.lower() + "_r.bmp", position_picture(column, row, False))
        write(name.lower() + "_p.bmp", position_picture(column, row, True))
for slot in ("UNPRESS", "PRESS", "MASK", "MOUSEOVER"):
    write(slot.lower() + "_r.bmp", slot_picture(slot))
write("branch_r.bmp", branch_picture(False))
write("branch_p.bmp", branch_picture(True))
