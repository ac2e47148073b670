#!/usr/bin/env python3
"""Writes the 16 x 16 icons of the open-file dialog's Internet items and views: a server, the
add/remove mark, a closed and an open folder, a file and the Internet globe. Run it in this
folder."""
import struct

SIZE = 16
COLOURS = {
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "d": (128, 128, 128),
    "l": (192, 192, 192),
    "y": (255, 224, 96),
    "Y": (192, 160, 0),
    "g": (0, 160, 0),
    "r": (208, 0, 0),
    "b": (0, 96, 208),
    "B": (0, 48, 128),
    "c": (96, 192, 255),
}

ICONS = {
    "server.ico": [
        "                ",
        "   kkkkkkkkkk   ",
        "   kllllllllk   ",
        "   klggllllldk  ",
        "   kllllllllk   ",
        "   kkkkkkkkkk   ",
        "   kllllllllk   ",
        "   klggllllldk  ",
        "   kllllllllk   ",
        "   kkkkkkkkkk   ",
        "       kk       ",
        "       kk       ",
        "  bbbbbbbbbbbb  ",
        "       kk       ",
        "                ",
        "                ",
    ],
    "addremove.ico": [
        "                ",
        "     kkkkkk     ",
        "    kggggggk    ",
        "   kggggggggk   ",
        "  kgggwwggggk   ",
        "  kgggwwgggggk  ",
        "  kgwwwwwwgggk  ",
        "  kgwwwwwwgggk  ",
        "  kgggwwgrrrrrk ",
        "  kgggwwgrwwwwrk",
        "   kggggrwwwwwrk",
        "    kgggrrrrrrrk",
        "     kkkk       ",
        "                ",
        "                ",
        "                ",
    ],
    "closefolder.ico": [
        "                ",
        "                ",
        "  kkkkk         ",
        " kyyyyyk        ",
        " kyyyyyykkkkkkk ",
        " kyyyyyyyyyyyyk ",
        " kyyyyyyyyyyyyk ",
        " kyyyyyyyyyyyyk ",
        " kyyyyyyyyyyyyk ",
        " kyyyyyyyyyyyyk ",
        " kyyyyyyyyyyyyk ",
        " kYYYYYYYYYYYYk ",
        " kkkkkkkkkkkkkk ",
        "                ",
        "                ",
        "                ",
    ],
    "openfolder.ico": [
        "                ",
        "                ",
        "  kkkkk         ",
        " kyyyyyk        ",
        " kyyyyyykkkkkk  ",
        " kyykkkkkkkkkkkk",
        " kyykyyyyyyyyyyk",
        " kykyyyyyyyyyyk ",
        " kykyyyyyyyyyyk ",
        " kkyyyyyyyyyyk  ",
        " kkyyyyyyyyyyk  ",
        " kYYYYYYYYYYk   ",
        " kkkkkkkkkkkk   ",
        "                ",
        "                ",
        "                ",
    ],
    "file.ico": [
        "                ",
        "  kkkkkkkk      ",
        "  kwwwwwwkk     ",
        "  kwwwwwwkwk    ",
        "  kwddddwkkkk   ",
        "  kwwwwwwwwwk   ",
        "  kwddddddwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwddddddwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwddddddwwk   ",
        "  kwwwwwwwwwk   ",
        "  kwwwwwwwwwk   ",
        "  kkkkkkkkkkk   ",
        "                ",
        "                ",
    ],
    "internet.ico": [
        "                ",
        "     kkkkkk     ",
        "   kkbcbbcbkk   ",
        "  kbbcbbbbcbbk  ",
        "  kcccccccccck  ",
        " kbbcbbbbbbcbbk ",
        " kbcbbbbbbbbcbk ",
        " kccccccccccccbk",
        " kbcbbbbbbbbcbk ",
        " kbbcbbbbbbcbbk ",
        "  kcccccccccck  ",
        "  kbbcbbbbcbbk  ",
        "   kkbcbbcbkk   ",
        "     kkkkkk     ",
        "                ",
        "                ",
    ],
}


def write_icon(name, rows):
    rows = [row.ljust(SIZE)[:SIZE] for row in rows]
    xor = b""
    for row in reversed(rows):
        for c in row:
            r, g, b = COLOURS.get(c, (0, 0, 0))
            xor += bytes((b, g, r))
    mask = b""
    for row in reversed(rows):
        bits = 0
        for c in row:
            bits = (bits << 1) | (0 if c in COLOURS else 1)
        mask += struct.pack(">HH", bits, 0)  # rows padded to 32 bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 24, len(image), 22)
    with open(name, "wb") as out:
        out.write(directory + image)


for icon_name, icon_rows in ICONS.items():
    write_icon(icon_name, icon_rows)
