#!/usr/bin/env python3
"""Writes the small media files of the sample publication: 24-bit BMP pictures and a WAV chime."""
import math
import os
import struct
import wave

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "demo")


def bmp(name, width, height, colour):
    """A 24-bit bottom-up BMP; colour(x, y) gives (r, g, b)."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = colour(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(header + info + pixels)


def sunset(x, y):
    t = y / 119.0
    sun = (x - 80) ** 2 + (y - 70) ** 2 < 22 ** 2
    if sun:
        return (255, 220, 60)
    if y > 85:
        return (20, 60 + (y - 85), 120)
    return (int(250 - 80 * t), int(120 + 60 * t), int(60 + 120 * t))


def checker(x, y):
    return (230, 230, 240) if (x // 12 + y // 12) % 2 else (40, 90, 160)


def button_face(pressed):
    def face(x, y):
        edge = x < 3 or y < 3 or x > 116 or y > 36
        if edge:
            return (30, 30, 30) if pressed else (250, 250, 250)
        return (200, 80, 40) if pressed else (240, 140, 60)
    return face


def chime(name, seconds=0.6, rate=11025):
    frames = bytearray()
    for i in range(int(seconds * rate)):
        t = i / rate
        level = math.exp(-4 * t) * (math.sin(2 * math.pi * 880 * t) + 0.5 * math.sin(2 * math.pi * 1320 * t))
        frames.append(int(128 + 80 * level) & 255)
    with wave.open(os.path.join(HERE, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(rate)
        out.writeframes(bytes(frames))


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    bmp("coucher.bmp", 160, 120, sunset)
    bmp("damier.bmp", 120, 120, checker)
    bmp("bouton_haut.bmp", 120, 40, button_face(False))
    bmp("bouton_bas.bmp", 120, 40, button_face(True))
    chime("carillon.wav")
