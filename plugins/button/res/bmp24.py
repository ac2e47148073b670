"""Writes a picture, given as rows of (r, g, b) from the top, as a 24-bit BMP file: the format
of the button module's bitmaps."""
import struct


def write(name, pixels):
    height, width = len(pixels), len(pixels[0])
    row = width * 3
    pad = (4 - row % 4) % 4
    body = bytearray()
    for line in reversed(pixels):
        for r, g, b in line:
            body += bytes((b, g, r))
        body += b"\0" * pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(name, "wb") as out:
        out.write(header + info + body)
