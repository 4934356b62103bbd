#!/bin/sh
# Runs the library benchmark from a build folder (default: build) and prints Markdown rows.
set -e
build=${1:-build}
echo "| library benchmark | median of 5 | notes |"
echo "|---|---|---|"
QT_QPA_PLATFORM=offscreen "$build/bench/library/library_bench"
echo
QT_QPA_PLATFORM=offscreen "$build/bench/library/search_bench"
