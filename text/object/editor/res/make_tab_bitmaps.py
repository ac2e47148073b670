#!/usr/bin/env python3
# Writes the four tab-stop marks of the ruler (7 x 5 pixels, 24-bit, black on white): left,
# centred, right and decimal, each standing on the stop's position at its left column.
import struct

MARKS = {
    "lefttab.bmp":   ["#......", "#......", "#......", "#......", "#######"],
    "centertab.bmp": ["...#...", "...#...", "...#...", "...#...", "#######"],
    "righttab.bmp":  ["......#", "......#", "......#", "......#", "#######"],
    "decimtab.bmp":  ["...#...", "...#.#.", "...#...", "...#...", "#######"],
}

def write(name, rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):  # bottom-up
        line = b"".join(b"\x00\x00\x00" if c == "#" else b"\xff\xff\xff" for c in row)
        pixels += line + b"\x00" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(name, "wb") as f:
        f.write(file_header + header + pixels)

for name, rows in MARKS.items():
    write(name, rows)
