#!/bin/bash
# Makes the inputs of rtf_bench.exe: pandoc turns Debian's HTML manuals (the Debian Reference
# and the Python library reference, packages debian-reference-en and python3-doc) into RTF,
# whose body is repeated to 1 MiB and 10 MiB, cut after a whole top-level group.
# Usage: make_rtf_bench_inputs.sh <folder>   (files already there are kept)
set -euo pipefail
folder=$1
mkdir -p "$folder"
[ -s "$folder/rtf-1mib.rtf" ] && [ -s "$folder/rtf-10mib.rtf" ] && exit 0

reference=/usr/share/debian-reference
library=/usr/share/doc/python3.11-doc/html/library
pandoc -s -f html -t rtf "$reference"/ch0[1-4].en.html -o "$folder/reference.rtf" 2>/dev/null
pandoc -s -f html -t rtf --resource-path="$library" "$library"/pathlib.html "$library"/re.html \
    "$library"/datetime.html -o "$folder/library.rtf" 2>/dev/null

python3 - "$folder" <<'PYTHON'
import sys

folder = sys.argv[1]

def split(rtf):
    """The header (through the colour table) and the body's top-level groups and lines."""
    body_at = rtf.index("\n", rtf.index("{\\colortbl")) + 1
    header, body, tail = rtf[:body_at], rtf[body_at:rtf.rstrip().rfind("}")], "}\n"
    pieces, depth, start, i = [], 0, 0, 0
    while i < len(body):
        c = body[i]
        if c == "\\":
            i += 2
            continue
        if c == "{":
            depth += 1
        elif c == "}":
            depth -= 1
            if depth == 0:
                pieces.append(body[start:i + 1])
                start = i + 1
        i += 1
    return header, pieces, tail

reference = open(f"{folder}/reference.rtf", encoding="latin-1").read()
library = open(f"{folder}/library.rtf", encoding="latin-1").read()
header, pieces, tail = split(reference)
pieces += split(library)[1]
for name, size in (("rtf-1mib.rtf", 1 << 20), ("rtf-10mib.rtf", 10 << 20)):
    out, length, n = [header], len(header) + len(tail), 0
    while length < size:
        piece = pieces[n % len(pieces)]
        out.append(piece)
        length += len(piece)
        n += 1
    out.append(tail)
    open(f"{folder}/{name}", "w", encoding="latin-1", newline="").write("".join(out))
PYTHON
rm -f "$folder/reference.rtf" "$folder/library.rtf"
