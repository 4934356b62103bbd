#!/bin/sh
# Prints the legacy-text detection table (every dictionary word, 20,000 titles per class) for
# our detector, libuchardet and ICU. usage: bench/text/run.sh [BUILD_DIR]   (default: build)
set -e
build=${1:-build}
echo "Each sample is one word or title in the class's encoding; a detector is right when it names"
echo "that encoding (for Latin-1, ISO-8859-1, -15 or Windows-1252 count as right). Titles are cut"
echo "to the 30-byte ID3v1 field between two characters."
echo
"$build/bench/text/bench_text_detection"
