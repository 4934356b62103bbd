#!/usr/bin/env bash
# Runs every benchmark and writes the Markdown report: bench/run.sh [REPORT]
# Each area's run.sh prints table rows "| what | ours | reference | ratio | goal |"; the reference
# tools run in the same run, so the ratios compare like with like.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
report=${1:-$top/docs/benchmarks.md}
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" build -DSORV_BUILD_BENCH=ON

rows=$(mktemp)
trap 'rm -f "$rows"' EXIT
for script in "$top"/bench/*/run.sh; do
  echo "== $(basename "$(dirname "$script")") ==" >&2
  bash "$script" "$top/build" >>"$rows"
done

{
  echo "# Benchmarks"
  echo
  echo "Measured on $(date -u +%Y-%m-%d) on $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'))."
  echo "Made by \`bench/run.sh\`; ratios are ours divided by the reference tool's, measured in the same run."
  echo
  echo "| What | Sorvane | Reference | Ratio | Goal |"
  echo "|---|---|---|---|---|"
  cat "$rows"
} >"$report"
echo "wrote $report" >&2
