#!/usr/bin/env bash
# Prints the report rows of the panel benchmarks: bench/panel/run.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
json=$(mktemp)
trap 'rm -f "$json"' EXIT
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$build/bench/panel/bench_panel_tick" \
  --benchmark_format=json --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  >"$json"
echo "| measure | Sorvane | reference | ratio | goal |"
echo "|---|---|---|---|---|"
python3 - "$json" <<'PY'
import json, sys
rows = {b["run_name"]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
names = {"BM_TickSteadyLyrics": "analyser tick (spectrum + wave + lyric check)",
         "BM_TickLyricChange": "analyser tick with a lyric repaint",
         "BM_TickRealEngine": "analyser tick, real engine playing a demo song"}
for run, label in names.items():
    if run in rows:
        print(f"| {label} | {rows[run]:.1f} µs | — | — | < 1000 µs |")
PY
