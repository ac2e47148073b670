#!/usr/bin/env python3
"""Exports Debian icon-theme SVG icons as Windows metafiles with inkscape, and keeps a coarse
map of each icon drawn at 200 x 200 pixels: 10 x 10 cells, '#' where more than a third of
the cell is dark. The map comes from inkscape's own drawing of the SVG (cairo), an
independent player: libwmf's wmf2gd draws inkscape's metafiles blank.
Needs inkscape and the adwaita-icon-theme icons.
Run it here; its output (.wmf and .cells files) is kept beside the tests."""
import os
import struct
import subprocess
import tempfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ICONS = "/usr/share/icons/Adwaita/scalable"
# Icons whose paths have no empty sub-path: a polygon of fewer than two points makes the
# platform refuse the whole poly-polygon record, as it would refuse the call.
NAMES = ["devices/phone-old-symbolic", "emotes/face-angry-symbolic", "emotes/emote-love-symbolic"]
SIZE = 200
CELLS = 10


def png_pixels(path):
    """The (r, g, b) rows of an 8-bit PNG: grey, RGB, palette, grey + alpha or RGBA."""
    data = open(path, "rb").read()
    at, idat, palette = 8, b"", []
    width = height = kind = 0
    while at < len(data):
        length, chunk = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if chunk == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8, "8-bit samples only"
        elif chunk == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif chunk == b"IDAT":
            idat += body
        at += 12 + length
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[kind]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind_of_filter = raw[at]
        line = bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind_of_filter == 1:
                line[i] = (line[i] + a) & 255
            elif kind_of_filter == 2:
                line[i] = (line[i] + b) & 255
            elif kind_of_filter == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind_of_filter == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        row = []
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            if kind == 3:
                row.append(palette[px[0]])
            elif kind in (0, 4):
                row.append((px[0],) * 3)
            else:
                row.append(tuple(px[:3]))
        rows.append(row)
    return width, height, rows


def cells(path):
    width, height, rows = png_pixels(path)
    lines = []
    for cy in range(CELLS):
        line = ""
        for cx in range(CELLS):
            dark = total = 0
            for y in range(cy * height // CELLS, (cy + 1) * height // CELLS):
                for x in range(cx * width // CELLS, (cx + 1) * width // CELLS):
                    total += 1
                    dark += sum(rows[y][x]) < 600
            line += "#" if dark * 3 > total else "."
        lines.append(line)
    return "\n".join(lines) + "\n"


def main():
    for name in NAMES:
        base = os.path.basename(name)
        wmf = os.path.join(HERE, base + ".wmf")
        subprocess.run(["inkscape", os.path.join(ICONS, name + ".svg"), "--export-type=wmf",
                        "--export-filename=" + wmf], check=True, capture_output=True)
        with tempfile.TemporaryDirectory() as scratch:
            png = os.path.join(scratch, base + ".png")
            subprocess.run(["inkscape", os.path.join(ICONS, name + ".svg"), "--export-type=png",
                            "--export-filename=" + png, "--export-width=%d" % SIZE, "--export-height=%d" % SIZE,
                            "--export-background=white", "--export-background-opacity=1"],
                           check=True, capture_output=True)
            with open(os.path.join(HERE, base + ".cells"), "w") as out:
                out.write(cells(png))


if __name__ == "__main__":
    main()
