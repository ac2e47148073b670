#!/usr/bin/env python3
"""Writes the FLIC fixtures of the motion tests and the checksums of the frames they hold.

The frames are made here first, then encoded with each chunk kind the player reads; the table
of checksums is computed from the frames themselves, never from a decoding, so the C++ decoder
is checked against what was meant. Its outputs (fixtures/ and flic_expected.inc) are kept with
the sources, so the build needs no Python; run it again after changing it: python3 make_flics.py
"make_flics.py --bench <folder>" writes the 640 x 480 files of the FLIC benchmark instead.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, "fixtures")


def fnv1a(data):
    h = 0x811C9DC5
    for b in data:
        h = ((h ^ b) * 0x01000193) & 0xFFFFFFFF
    return h


class Lcg:
    def __init__(self, start):
        self.state = start

    def next(self, bound):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.state >> 8) % bound


# --- frames: lists of rows of pixel values ------------------------------------------------

def noise(width, height, start, colours=256):
    rng = Lcg(start)
    return [[rng.next(colours) for _ in range(width)] for _ in range(height)]


def with_runs(frame):
    """Long runs of one colour on some lines, so run packets are used."""
    out = [row[:] for row in frame]
    for y in range(0, len(out), 2):
        value = (y * 37) & 0xFF
        for x in range(1, len(out[y]) - 1):
            out[y][x] = value
    return out


def changed(frame, start, lines, width=None):
    """A copy with some pixels of the given lines altered, the other lines kept."""
    rng = Lcg(start)
    out = [row[:] for row in frame]
    for y in lines:
        row = out[y]
        for x in range(len(row)):
            if rng.next(3) == 0:
                row[x] = rng.next(256)
    return out


def black(width, height):
    return [[0] * width for _ in range(height)]


# --- chunk encoders ------------------------------------------------------------------------

def chunk(kind, data):
    if len(data) % 2:
        data += b"\0"           # writers pad chunks to even sizes: the size says where the next starts
    return struct.pack("<IH", 6 + len(data), kind) + data


def colour_chunk(kind, packets):
    """packets: (skip, [(r, g, b), ...]); 256 entries are written with the count byte 0."""
    data = struct.pack("<H", len(packets))
    for skip, colours in packets:
        data += bytes([skip, len(colours) & 0xFF])
        for rgb in colours:
            data += bytes(rgb)
    return chunk(kind, data)


def runs_of(values, limit):
    """Splits a row into (is_run, values) pieces: runs of 3 or more equal values, else literals."""
    pieces = []
    i = 0
    while i < len(values):
        j = i
        while j < len(values) and values[j] == values[i] and j - i < limit:
            j += 1
        if j - i >= 3:
            pieces.append((True, values[i:j]))
            i = j
            continue
        if pieces and not pieces[-1][0] and len(pieces[-1][1]) < limit:
            pieces[-1][1].append(values[i])
        else:
            pieces.append((False, [values[i]]))
        i += 1
    return pieces


def byte_run_chunk(frame):
    data = b""
    for row in frame:
        line = b""
        pieces = runs_of(row, 127)
        for is_run, values in pieces:
            if is_run:
                line += struct.pack("<bB", len(values), values[0])
            else:
                line += struct.pack("<b", -len(values)) + bytes(values)
        data += bytes([len(pieces) & 0xFF]) + line
    return chunk(15, data)


def literal_chunk(frame):
    return chunk(16, b"".join(bytes(row) for row in frame))


def long_skip(skip, step):
    """Packets that only move on, for skips past one byte: (bytes, packets, skip left)."""
    packets = b""
    count = 0
    while skip > 255:
        packets += struct.pack("<Bb", step, 0)
        skip -= step
        count += 1
    return packets, count, skip


def byte_delta_chunk(previous, frame):
    lines = [y for y in range(len(frame)) if frame[y] != previous[y]]
    first, last = lines[0], lines[-1]
    data = struct.pack("<HH", first, last - first + 1)
    for y in range(first, last + 1):
        packets = b""
        count = 0
        x = 0
        width = len(frame[y])
        while x < width:
            if frame[y][x] == previous[y][x]:
                x += 1
                continue
            start = x
            while x < width and frame[y][x] != previous[y][x]:
                x += 1
            skip = start - (packets_end if count else 0)
            moves, moved, skip = long_skip(skip, 255)
            packets += moves
            count += moved
            for is_run, values in runs_of(frame[y][start:x], 127):
                if is_run:
                    packets += struct.pack("<Bb", skip, -len(values)) + bytes([values[0]])
                else:
                    packets += struct.pack("<Bb", skip, len(values)) + bytes(values)
                skip = 0
                count += 1
            packets_end = x
        data += bytes([count]) + packets
    return chunk(12, data)


def word_delta_chunk(previous, frame):
    width = len(frame[0])
    even = width & ~1
    data = b""
    lines = 0
    skip_lines = 0
    for y in range(len(frame)):
        if frame[y] == previous[y]:
            skip_lines += 1
            continue
        if skip_lines:
            data += struct.pack("<H", (-skip_lines) & 0xFFFF)     # bits 15 and 14 set
            skip_lines = 0
        if width % 2 and frame[y][-1] != previous[y][-1]:
            data += struct.pack("<H", 0x8000 | frame[y][-1])
        words = [(frame[y][x], frame[y][x + 1]) for x in range(0, even, 2)]
        old = [(previous[y][x], previous[y][x + 1]) for x in range(0, even, 2)]
        packets = b""
        count = 0
        end = 0
        w = 0
        while w < len(words):
            if words[w] == old[w]:
                w += 1
                continue
            start = w
            while w < len(words) and words[w] != old[w]:
                w += 1
            skip = 2 * (start - end)
            moves, moved, skip = long_skip(skip, 254)
            packets += moves
            count += moved
            for is_run, values in runs_of(words[start:w], 127):
                if is_run:
                    packets += struct.pack("<Bb", skip, -len(values)) + bytes(values[0])
                else:
                    packets += struct.pack("<Bb", skip, len(values)) + b"".join(bytes(v) for v in values)
                skip = 0
                count += 1
            end = w
        data += struct.pack("<H", count) + packets
        lines += 1
    return chunk(7, struct.pack("<H", lines) + data)


def frame_chunk(chunks):
    body = b"".join(chunks)
    return struct.pack("<IHH8x", 16 + len(body), 0xF1FA, len(chunks)) + body


def flic(magic, width, height, speed, frames, prefix=b""):
    """frames: encoded frame chunks, the ring frame last."""
    first = 128 + len(prefix)
    body = prefix + b"".join(frames)
    header = bytearray(128)
    struct.pack_into("<IHHHHHHI", header, 0, 128 + len(body), magic, len(frames) - 1, width, height, 8, 3, speed)
    if magic == 0xAF12:
        struct.pack_into("<II", header, 80, first, first + len(frames[0]))
    return bytes(header) + body


# --- the fixtures --------------------------------------------------------------------------

def palette_of(start):
    rng = Lcg(start)
    return [(rng.next(256), rng.next(256), rng.next(256)) for _ in range(256)]


def palette_bytes(palette):
    return b"".join(bytes(rgb) for rgb in palette)


def ramp():
    """FLC, odd width: full and partial colour maps, byte run, word delta with line skips and
    the last-pixel opcode, an empty frame, a postage stamp to skip, literal, black."""
    width, height = 13, 7
    palette1 = palette_of(7)
    palette2 = palette1[:]
    palette2[10:14] = [(1, 2, 3), (4, 5, 6), (7, 8, 9), (250, 251, 252)]
    palette2[200:202] = [(11, 22, 33), (44, 55, 66)]
    f1 = with_runs(noise(width, height, 1))
    f2 = changed(f1, 2, [2, 3, 6])
    f3 = f2
    f4 = noise(width, height, 4)
    f5 = black(width, height)
    f6 = changed(f5, 6, [0, 4])
    pictures = [(f1, palette1), (f2, palette1), (f3, palette1), (f4, palette2), (f5, palette2), (f6, palette2)]
    stamp = chunk(18, b"\x01\x02\x03\x04\x05")
    frames = [
        frame_chunk([colour_chunk(4, [(0, palette1)]), stamp, byte_run_chunk(f1)]),
        frame_chunk([word_delta_chunk(f1, f2)]),
        frame_chunk([]),
        frame_chunk([colour_chunk(4, [(10, palette2[10:14]), (186, palette2[200:202])]), literal_chunk(f4)]),
        frame_chunk([chunk(13, b"")]),
        frame_chunk([word_delta_chunk(f5, f6)]),
        frame_chunk([colour_chunk(4, [(0, palette1)]), byte_run_chunk(f1)]),     # ring: back to f1
    ]
    return pictures, frames


def ramp_file():
    pictures, frames = ramp()
    return pictures, flic(0xAF12, 13, 7, 40, frames)


def prefixed_file():
    """The same animation with a prefix chunk where the first frame is expected."""
    pictures, frames = ramp()
    prefix = struct.pack("<IHH8x", 16 + 6, 0xF100, 0) + b"\0" * 6
    data = bytearray(flic(0xAF12, 13, 7, 40, frames, prefix))
    struct.pack_into("<I", data, 80, 128)
    return pictures, bytes(data)


def dots_file():
    """FLI: 64-level colours, byte run, byte delta, black."""
    width, height = 10, 6
    levels = [(v % 64, (v * 3) % 64, (v * 7) % 64) for v in range(256)]
    palette = [(r * 4, g * 4, b * 4) for r, g, b in levels]
    f1 = with_runs(noise(width, height, 11))
    f2 = changed(f1, 12, [1, 2, 4])
    f3 = black(width, height)
    f4 = changed(f3, 14, [3, 5])
    pictures = [(f1, palette), (f2, palette), (f3, palette), (f4, palette)]
    frames = [
        frame_chunk([colour_chunk(11, [(0, levels)]), byte_run_chunk(f1)]),
        frame_chunk([byte_delta_chunk(f1, f2)]),
        frame_chunk([chunk(13, b"")]),
        frame_chunk([byte_delta_chunk(f3, f4)]),
        frame_chunk([byte_run_chunk(f1)]),
    ]
    return pictures, flic(0xAF11, width, height, 5, frames)


def expectations(name, pictures):
    """The picture shown at each counter: rewind, every frame, the ring, then frame 2 again."""
    shown = [pictures[k] for k in range(len(pictures))] + [pictures[0], pictures[1]]
    rows = []
    for counter, (frame, palette) in enumerate(shown):
        counter = counter if counter <= len(pictures) else 1
        pixels = b"".join(bytes(row) for row in frame)
        rows.append('    {"%s", %d, 0x%08X, 0x%08X},' % (name, counter, fnv1a(pixels), fnv1a(palette_bytes(palette))))
    return rows


# --- benchmark files ------------------------------------------------------------------------

BENCH_KINDS = ("byte_run", "literal", "word_delta", "byte_delta", "mixed")


def bench_picture(width, height, k):
    """Stripes with a square that moves: most lines stay, some change, as in real animations."""
    left, top = (k * 7) % (width - 80), (k * 5) % (height - 60)
    rows = []
    for y in range(height):
        row = [((x // 16) + (y // 16) + k // 30) & 0xFF for x in range(width)]
        if top <= y < top + 60:
            row[left:left + 80] = [(200 + k) & 0xFF] * 80
        rows.append(row)
    return rows


def bench_file(path, kind, width=640, height=480, count=200):
    palette = palette_of(3)
    previous = None
    chunks = []
    for k in range(count + 1):
        picture = bench_picture(width, height, k % count)
        use = kind if kind != "mixed" else BENCH_KINDS[k % 4]
        if previous is None or use == "byte_run":
            body = [byte_run_chunk(picture)]
        elif use == "literal":
            body = [literal_chunk(picture)]
        elif use == "word_delta":
            body = [word_delta_chunk(previous, picture)]
        else:
            body = [byte_delta_chunk(previous, picture)]
        if previous is None:
            body.insert(0, colour_chunk(4, [(0, palette)]))
        chunks.append(frame_chunk(body))
        previous = picture
    with open(path, "wb") as out:
        out.write(flic(0xAF12, width, height, 40, chunks))


def bench(folder):
    os.makedirs(folder, exist_ok=True)
    for kind in BENCH_KINDS:
        bench_file(os.path.join(folder, "bench_%s.flc" % kind), kind)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--bench":
        bench(sys.argv[2])
        return
    os.makedirs(FIXTURES, exist_ok=True)
    table = []
    for name, make in (("ramp.flc", ramp_file), ("prefixed.flc", prefixed_file), ("dots.fli", dots_file)):
        pictures, data = make()
        with open(os.path.join(FIXTURES, name), "wb") as out:
            out.write(data)
        table += expectations(name, pictures)
    with open(os.path.join(HERE, "flic_expected.inc"), "w", newline="\n") as out:
        out.write("// Written by make_flics.py: file, frame counter, FNV-1a of the pixels (top line first)\n")
        out.write("// and of the palette (red, green, blue per entry) shown at that counter.\n")
        out.write("\n".join(table) + "\n")


if __name__ == "__main__":
    main()
