#!/bin/sh
# Runs the library benchmarks from a build folder (default: build) and prints Markdown rows: the
# scan, tree and search on 20,000 songs in process, then the real programs on a library of
# 100,000 songs (large_library.py; the library is made once in BUILD/bench-library and reused).
# usage: bench/library/run.sh [BUILD_DIR] [--million]
#   --million: only the run on 1,000,000 songs, written to docs/benchmarks-million.md (it takes
#   minutes, and a few hundred MB in BUILD/bench-library)
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
if [ "${2:-}" = "--million" ]; then
  table=$(mktemp)
  trap 'rm -f "$table"' EXIT
  python3 "$here/large_library.py" "$build" 1000000 "$build/bench-library" >"$table"
  {
    echo "# Benchmarks: 1,000,000 songs"
    echo
    echo "Measured on $(date -u +%Y-%m-%d) by \`bench/library/run.sh BUILD --million\`, as the"
    echo "100,000-song run in [benchmarks.md](benchmarks.md) (load average $(cut -d' ' -f1 /proc/loadavg) at the end)."
    echo
    cat "$table"
  } | tee "$here/../../docs/benchmarks-million.md"
  exit
fi
echo "| library benchmark | median of 5 | notes |"
echo "|---|---|---|"
QT_QPA_PLATFORM=offscreen "$build/bench/library/library_bench"
echo
QT_QPA_PLATFORM=offscreen "$build/bench/library/search_bench"
echo
echo "### 100,000 songs"
echo
echo "The real \`sorvane\` on an X server of its own, driven and read from outside (xdotool), on"
echo "100,000 MP3 files in 1,000 folders and 100,000 song rows in 20 genres and 5,000 works; each"
echo "figure beside the same work done by find, sqlite3 or mpv in the same run (load average"
echo "$(cut -d' ' -f1 /proc/loadavg) at the start). The run on 1,000,000 songs:"
echo "[benchmarks-million.md](benchmarks-million.md) (\`bench/library/run.sh BUILD --million\`)."
echo
python3 "$here/large_library.py" "$build" 100000 "$build/bench-library"
