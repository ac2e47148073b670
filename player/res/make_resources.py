#!/usr/bin/env python3
"""Writes the player's help cursor MF_HELP.cur (an arrow with a question mark, hot spot at the
arrow's tip) and its window icon AHYPW.ico (a white "V" on a blue disc), both 32 x 32.
Run it in this folder."""
import struct

SIZE = 32

ARROW = [
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWWWWWB",
    "BWWWWWBBBBB",
    "BWWBWWB",
    "BWB BWWB",
    "BB  BWWB",
    "B    BWWB",
    "     BWWB",
    "      BB",
]

QUESTION = [
    " BBBBBB ",
    "BWWWWWWB",
    "BWWBBWWB",
    "BBB BWWB",
    "   BWWB ",
    "  BWWB  ",
    "  BWWB  ",
    "  BBBB  ",
    "  BWWB  ",
    "  BWWB  ",
    "  BBBB  ",
]


def cursor_pixels():
    """'B', 'W' or None (transparent) for each (x, y)."""
    pixels = {}
    for art, left, top in ((ARROW, 0, 0), (QUESTION, 12, 4)):
        for y, row in enumerate(art):
            for x, c in enumerate(row):
                if c in "BW":
                    pixels[(left + x, top + y)] = c
    return pixels


def mono_rows(bit_of):
    """A 1-bit bottom-up bitmap, rows padded to 32 bits."""
    data = b""
    for y in reversed(range(SIZE)):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | bit_of(x, y)
        data += struct.pack(">I", bits)
    return data


def write_cursor(name):
    pixels = cursor_pixels()
    xor = mono_rows(lambda x, y: 1 if pixels.get((x, y)) == "W" else 0)
    mask = mono_rows(lambda x, y: 0 if (x, y) in pixels else 1)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, 0, 0, len(image), 22)
    with open(name, "wb") as out:
        out.write(directory + image)


def icon_colour(x, y):
    """(r, g, b) or None outside the disc."""
    cx = cy = 15.5
    if (x - cx) ** 2 + (y - cy) ** 2 > 15.5 ** 2:
        return None
    # The "V": two strokes from the top corners to the bottom centre.
    if 6 <= y <= 25:
        t = (y - 6) / 19.0
        left = 6 + t * 9.5
        right = 25 - t * 9.5
        if abs(x - left) <= 2.2 or abs(x - right) <= 2.2:
            return (255, 255, 255)
    shade = int(40 + 120 * y / SIZE)
    return (0x10, 0x30 + shade // 3, shade + 60)


def write_icon(name):
    xor = b""
    for y in reversed(range(SIZE)):
        for x in range(SIZE):
            r, g, b = icon_colour(x, y) or (0, 0, 0)
            xor += bytes((b, g, r))
    mask = mono_rows(lambda x, y: 0 if icon_colour(x, y) else 1)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 22)
    with open(name, "wb") as out:
        out.write(directory + image)


write_cursor("MF_HELP.cur")
write_icon("AHYPW.ico")
