#!/usr/bin/env python3
"""Draws the sound-track dialog's confirm button "CHECK" as 24-bit BMP files, released and
pressed, in the size of the dialogs' picture buttons."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "button", "res"))
from bmp24 import write  # noqa: E402

GREY, GREEN, DARK = (192, 192, 192), (0, 130, 0), (100, 100, 100)


def check(pressed):
    width, height = 32, 24
    pixels = [[DARK if pressed else GREY] * width for _ in range(height)]
    shift = 1 if pressed else 0
    # A tick: down from the left to the bottom point, then up to the right.
    for x in range(9, 14):
        for t in range(3):
            pixels[min(height - 1, 10 + (x - 9) + t + shift)][x + shift] = GREEN
    for x in range(14, 24):
        for t in range(3):
            pixels[max(0, 14 - (x - 14) + t + shift)][x + shift] = GREEN
    return pixels


here = os.path.dirname(os.path.abspath(__file__))
write(os.path.join(here, "check_r.bmp"), check(False))
write(os.path.join(here, "check_p.bmp"), check(True))
