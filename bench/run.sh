#!/usr/bin/env bash
# Runs every benchmark and writes the Markdown report: bench/run.sh [REPORT]
# Each area's run.sh prints its own Markdown table; the reference tools run in the same run, so
# the ratios compare like with like.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
report=${1:-$top/docs/benchmarks.md}
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" build -DSORV_BUILD_BENCH=ON

sections=$(mktemp)
trap 'rm -f "$sections"' EXIT
for script in "$top"/bench/*/run.sh; do
  area=$(basename "$(dirname "$script")")
  echo "== $area ==" >&2
  { echo "## $area"; echo; bash "$script" "$top/build"; echo; } >>"$sections"
done

{
  echo "# Benchmarks"
  echo
  echo "Measured on $(date -u +%Y-%m-%d), $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')),"
  echo "by \`bench/run.sh\`. Ratios divide our figure by the reference tool's, measured in the same run."
  echo
  cat "$sections"
} >"$report"
echo "wrote $report" >&2
