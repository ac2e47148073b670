#!/bin/bash
# Our RTF read back by other readers: the sample document that the translator tests export is
# converted by pandoc to Markdown and by unrtf to HTML, and each must show the text with its
# bold and italic words where they were. Argument: the build folder.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cd "$build/bin"
QX_RTF_SAMPLE="Z:$scratch/sample.rtf" "$build/wine-run" qxrtetranslators_tests.exe \
    --gtest_filter=RtfTest.SampleForOtherReaders >"$scratch/run.log" 2>&1 || { cat "$scratch/run.log"; exit 1; }

status=0
expect() {  # reader, output, text that must stand in it
    if ! grep -qF -- "$3" <<<"$2"; then
        echo "$1 does not show: $3"
        echo "$2"
        status=1
    fi
}
markdown=$(pandoc -f rtf -t markdown --wrap=none "$scratch/sample.rtf")
expect pandoc "$markdown" "Plain words, **bold words** and *italic words*."
expect pandoc "$markdown" "Second line with ***both*** at the end."
html=$(cd "$scratch" && unrtf --html sample.rtf 2>/dev/null)
expect unrtf "$html" "<b>bold words</b>"
expect unrtf "$html" "<i>italic words</i>"
expect unrtf "$html" "both"
exit $status
