#!/usr/bin/env bash
# Render times as ratios to the filter floor measured in the same run: the
# median of several repetitions of each benchmark, in CPU ns per subsample.
# Usage: bench/ratios.sh [repetitions] [path/to/synth_bench]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
repetitions="${1:-9}"
bench="${2:-$root/build/native/bin/synth_bench}"
if ! command -v jq >/dev/null; then
  echo "ratios: jq is not installed (apt-get install jq)" >&2
  exit 1
fi
if [ ! -x "$bench" ]; then
  echo "ratios: $bench not found (build the native preset's synth_bench first)" >&2
  exit 1
fi
# Repetitions interleaved at random, so that a change of machine load falls on
# floors and renders alike.
"$bench" --benchmark_filter='ResetSound|FullChain|FilterFloor' \
  --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
  jq -r '
    [.benchmarks[] | select(.aggregate_name == "median")
      | {name: (.run_name | sub("^BM_"; "")), ns: .ns_per_subsample}] as $m
    | ($m | map({(.name): .ns}) | add) as $ns
    | $m[] | select(.name | startswith("FilterFloor") | not)
    | (if .name == "ResetSound" then "FilterFloor/0" else "FilterFloor/1" end) as $floor
    | "\(.name)\t\(.ns * 100 | round / 100) ns\t\(.ns / $ns[$floor] * 1000 | round / 1000)x of \($floor) (\($ns[$floor] * 100 | round / 100) ns)"'
