#!/usr/bin/env python3
"""Writes the small media files of the sample publication: 24-bit BMP pictures, a WAV chime,
a FLIC animation made with the motion tests' encoder and a small AVI film (Microsoft Video 1
through Debian's ffmpeg when it is there)."""
import math
import os
import shutil
import struct
import subprocess
import sys
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


def circles_flic(name, width=160, height=120, count=24):
    """A ball going round over stripes: the first frame in byte runs, the others as word deltas."""
    sys.path.insert(0, os.path.join(os.path.dirname(HERE), "..", "plugins", "motion", "tests"))
    import make_flics as enc
    palette = [(i, 255 - i, (i * 3) & 255) for i in range(256)]
    frames = []
    for k in range(count):
        angle = 2 * math.pi * k / count
        cx, cy = width / 2 + 45 * math.cos(angle), height / 2 + 35 * math.sin(angle)
        frames.append([[250 if (x - cx) ** 2 + (y - cy) ** 2 < 14 ** 2 else (x // 10 * 16) & 255
                        for x in range(width)] for y in range(height)])
    first = enc.frame_chunk([enc.colour_chunk(4, [(0, palette)]), enc.byte_run_chunk(frames[0])])
    chunks = [first] + [enc.frame_chunk([enc.word_delta_chunk(frames[k - 1], frames[k])]) for k in range(1, count)]
    chunks.append(enc.frame_chunk([enc.word_delta_chunk(frames[-1], frames[0])]))   # ring frame
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(enc.flic(0xAF12, width, height, 80, chunks))


def film_avi(name, width=80, height=60, count=12, fps=6):
    """An uncompressed 24-bit AVI: a bar sweeping across."""
    stride = (width * 3 + 3) & ~3
    size = stride * height
    pictures = []
    for k in range(count):
        rows = []
        for y in range(height - 1, -1, -1):
            row = bytearray()
            for x in range(width):
                bar = abs(x - k * width // count) < 6
                row += bytes((40, 40, 220) if bar else (200, 160, 60))
            rows.append(bytes(row) + bytes(stride - len(row)))
        pictures.append(b"".join(rows))

    def chunk(tag, data):
        return tag + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")

    def lst(kind, data):
        return chunk(b"LIST", kind + data)

    avih = struct.pack("<IIIIIIIIII4I", 1000000 // fps, size * fps, 0, 0x10, count, 0, 1, size, width, height,
                       0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", bytes(4), 0, 0, 0, 0, 1, fps, 0, count, size, 0xFFFFFFFF,
                       0, 0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 0, 0, 0, 0)
    header = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi = b"".join(chunk(b"00db", picture) for picture in pictures)
    index = b""
    offset = 4
    for picture in pictures:
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(picture))
        offset += 8 + len(picture)
    body = b"AVI " + header + lst(b"movi", movi) + chunk(b"idx1", index)
    path = os.path.join(HERE, name)
    with open(path, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(body)) + body)
    # Wine's MCI shows uncompressed 24-bit films as noise but plays Microsoft Video 1 well.
    if shutil.which("ffmpeg"):
        encoded = path + ".tmp.avi"
        subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", path, "-c:v", "msvideo1",
                        encoded], check=True)
        os.replace(encoded, path)
    else:
        print("ffmpeg is missing: %s stays uncompressed" % name)


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    bmp("coucher.bmp", 160, 120, sunset)
    bmp("damier.bmp", 120, 120, checker)
    bmp("bouton_haut.bmp", 120, 40, button_face(False))
    bmp("bouton_bas.bmp", 120, 40, button_face(True))
    chime("carillon.wav")
    circles_flic("cercles.flc")
    film_avi("film.avi")
