#!/usr/bin/env bash
# Instructions per subsample of each render benchmark and of the filter floor,
# counted by callgrind (repeatable where wall-clock times on a shared machine
# are not). Usage: bench/instructions.sh [path/to/synth_bench]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench="${1:-$root/build/native/bin/synth_bench}"
for tool in valgrind jq; do
  if ! command -v "$tool" >/dev/null; then
    echo "instructions: $tool is not installed (apt-get install $tool)" >&2
    exit 1
  fi
done
if [ ! -x "$bench" ]; then
  echo "instructions: $bench not found (build the native preset's synth_bench first)" >&2
  exit 1
fi
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Prints the instructions per subsample of one benchmark, counting only inside
# the function that does the work.
count() {
  local filter="$1" function="$2"
  valgrind --tool=callgrind --callgrind-out-file="$tmp/cg" --collect-atstart=no \
    --toggle-collect="$function" "$bench" --benchmark_filter="^$filter\$" \
    --benchmark_min_time=0.000001 --benchmark_format=json >"$tmp/json" 2>"$tmp/log"
  local ir iterations subsamples
  ir="$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$tmp/log")"
  iterations="$(jq '.benchmarks[0].iterations' "$tmp/json")"
  subsamples="$(jq '.benchmarks[0].samples // 410000 | . * 8' "$tmp/json")"
  awk -v ir="$ir" -v it="$iterations" -v n="$subsamples" 'BEGIN { printf "%.1f", ir / it / n }'
}

floorBypassed="$(count 'BM_FilterFloor/0' '*BM_FilterFloor*')"
floorActive="$(count 'BM_FilterFloor/1' '*BM_FilterFloor*')"
printf '%-20s %8s %s\n' case instr/sub 'ratio to floor (sample control: instructions per sample)'
printf '%-20s %8s\n' 'floor, bypassed' "$floorBypassed" 'floor, active' "$floorActive"
control="$(count BM_SampleControl '*BM_SampleControl*')"
printf '%-20s %8s\n' 'sample control' "$(awk -v c="$control" 'BEGIN { printf "%.1f", c * 8 }')"
for c in ResetSound:"$floorBypassed" FullChainSquare:"$floorActive" \
         FullChainNoise:"$floorActive" FullChainSine:"$floorActive"; do
  name="${c%%:*}"
  floor="${c#*:}"
  n="$(count "BM_$name" '*SoundGenerator::Synthesize*')"
  printf '%-20s %8s %.2fx\n' "$name" "$n" "$(awk -v a="$n" -v b="$floor" 'BEGIN { print a / b }')"
done
