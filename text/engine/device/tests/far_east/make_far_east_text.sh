#!/bin/bash
# Cuts paragraphs of running text from the Japanese and Chinese manual pages and keeps them in
# the double-byte encodings the engine breaks: Shift-JIS, GB2312 and Big5. The files it writes
# are kept beside the tests, so that the tests need neither the manual pages nor this script.
#   usage: make_far_east_text.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../../../tools/lib.sh"
qx_install_missing manpages-ja manpages-zh

# The first paragraphs of a page's running text that hold a run of at least 30 characters of
# Han script or kana: a troff request ends a paragraph, font and spacing escapes are removed,
# each paragraph on one line.
paragraphs() {
    zcat "$1" |
        awk '/^\./ { if (text != "") print text; text = ""; next } { text = text $0 } END { if (text != "") print text }' |
        sed -e 's/\\f[BIRP]//g' -e 's/\\[\/,&]//g' -e 's/\\-/-/g' -e 's/\\(.\{2\}//g' -e 's/\\e/\\/g' |
        { grep -P '[\p{Han}\p{Hiragana}\p{Katakana}]{30}' || true; } | head -n "$2"
}

cut_text() {
    local lang=$1 encoding=$2 out=$3
    shift 3
    : > "$here/$out"
    for page in "$@"; do
        # Characters the target set lacks are left out rather than failing the whole page.
        paragraphs "/usr/share/man/$lang/man1/$page.1.gz" 2 | iconv -c -f UTF-8 -t "$encoding" >> "$here/$out"
    done
}

cut_text ja SHIFT_JIS ja_shift_jis.txt ls cp grep
cut_text zh_CN GB2312 zh_gb2312.txt ls cp grep
cut_text zh_TW BIG5 zh_big5.txt ls cp grep
wc -lc "$here"/*.txt
