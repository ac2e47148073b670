#!/usr/bin/env python3
"""Writes the visited stamp of buttons: POST1.bmp (the mask, black where the stamp covers)
and POST2.bmp (the stamp, black elsewhere), 16 x 16 pixels, 24 bits. Run it in this folder."""
import struct

SIZE = 16
CENTRE = 7.5
RADIUS = 6.5
RING = 5.0  # inside this radius the disc is lighter


def pixel(x, y):
    """The stamp's colour at (x, y), or None outside it."""
    d = ((x - CENTRE) ** 2 + (y - CENTRE) ** 2) ** 0.5
    if d > RADIUS:
        return None
    return (0xC0, 0x10, 0x10) if d <= RING else (0x60, 0x00, 0x00)


def write_bmp(name, colour_of):
    rows = b""
    for y in reversed(range(SIZE)):  # bottom-up
        for x in range(SIZE):
            r, g, b = colour_of(x, y)
            rows += bytes((b, g, r))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    with open(name, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + header + rows)


write_bmp("POST1.bmp", lambda x, y: (0, 0, 0) if pixel(x, y) else (255, 255, 255))
write_bmp("POST2.bmp", lambda x, y: pixel(x, y) or (0, 0, 0))
