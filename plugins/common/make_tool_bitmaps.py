#!/usr/bin/env python3
"""Writes the plug-ins' small tool-bar and icon bitmaps (24-bit BMP): a frame and a glyph
colour per state, so that each module's three tool states are told apart."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp(path, size, border, fill):
    row = (size * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(size):
        line = bytearray()
        for x in range(size):
            edge = x in (0, size - 1) or y in (0, size - 1)
            line += bytes(reversed(border if edge else fill))
        pixels += line + bytes(row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


STATES = [((0, 0, 0), (192, 192, 192)), ((0, 0, 128), (255, 255, 255)), ((128, 128, 128), (224, 224, 224))]
for module in ('image', 'sound', 'motion'):
    folder = os.path.join(HERE, '..', module, 'res')
    os.makedirs(folder, exist_ok=True)
    for i, (border, fill) in enumerate(STATES, 1):
        bmp(os.path.join(folder, f'tool{i}.bmp'), 16, border, fill)
bmp(os.path.join(HERE, '..', 'sound', 'res', 'edit1.bmp'), 48, (0, 0, 0), (255, 255, 0))
bmp(os.path.join(HERE, '..', 'sound', 'res', 'edit2.bmp'), 48, (0, 0, 0), (0, 255, 255))

# The control bar of animations: one colour per button, darker when pressed.
BAR = {'TRew': (0, 128, 0), 'TBack': (0, 128, 128), 'TStop': (128, 0, 0), 'TPlay': (0, 0, 160), 'TForw': (128, 0, 128)}
bar_folder = os.path.join(HERE, '..', 'motion', 'res')
for name, colour in BAR.items():
    bmp(os.path.join(bar_folder, f'{name.lower()}_r.bmp'), 19, (0, 0, 0), colour)
    bmp(os.path.join(bar_folder, f'{name.lower()}_p.bmp'), 19, (255, 255, 255), tuple(c // 2 for c in colour))
