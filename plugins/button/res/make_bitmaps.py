#!/usr/bin/env python3
"""Draws the three tool-bar pictures of the button module (normal, pressed, disabled):
a small raised button with a pointer, 24 x 24 pixels, written as 24-bit BMP files."""
from bmp24 import write

SIZE = 24
GREY, WHITE, DARK, BLACK, BLUE = (192, 192, 192), (255, 255, 255), (100, 100, 100), (0, 0, 0), (0, 0, 160)


def picture(pressed, disabled):
    pixels = [[GREY] * SIZE for _ in range(SIZE)]
    light, shade = (DARK, WHITE) if pressed else (WHITE, DARK)
    for i in range(3, 21):
        pixels[6][i] = light
        pixels[17][i] = shade
    for j in range(6, 18):
        pixels[j][3] = light
        pixels[j][20] = shade
    face = DARK if disabled else BLUE
    for j in range(10, 14):
        for i in range(7, 17):
            pixels[j + pressed][i + pressed] = face
    return pixels


write("bitmap1.bmp", picture(0, False))
write("bitmap2.bmp", picture(1, False))
write("bitmap3.bmp", picture(0, True))
