#!/usr/bin/env bash
# Wall time of zider-sfx --render-set on a set of 200 varied sounds (presets
# from many seeds, mutated ones, randomized ones, long explosions, buffer
# lengths 1 to 10), serial (--jobs 1) against parallel (--jobs = processors),
# interleaved and repeated; prints each median and their ratio. The files go
# to a memory-backed folder (/dev/shm) when there is one, so that the disk's
# syncs (every file is flushed before it is put in place) do not hide the
# rendering. The ratio moves with the machine's load: other work on the same
# processors lengthens the parallel run.
# Usage: bench/render_set.sh [repetitions] [path/to/zider-sfx]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
repetitions="${1:-5}"
tool="${2:-$root/build/native/bin/zider-sfx}"
if [ ! -x "$tool" ]; then
  echo "render_set: $tool not found (build the native preset's zider-sfx first)" >&2
  exit 1
fi
cores="$(nproc)"
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  work="$(mktemp -d -p /dev/shm)"
else
  work="$(mktemp -d)"
fi
trap 'rm -rf "$work"' EXIT

# The set: sound i from seed 7919 * i + 1, designed one of four ways.
presets=(coin laser explosion powerup hurt jump blip)
{
  echo "zider-uzazir-set 1"
  for i in $(seq 0 199); do
    seed=$((7919 * i + 1))
    case $((i % 4)) in
      0) design=(--preset "${presets[i % 7]}") ;;
      1) design=(--preset "${presets[i % 7]}" --mutate --mutate) ;;
      2) design=(--randomize) ;;
      3) design=(--preset explosion --set "3=0.3" --set "5=0.8" --mutate) ;;
    esac
    csv="$("$tool" --seed "$seed" "${design[@]}" --print-csv)"
    printf 'sound %d\t%d\t%d\t%s\n' "$i" $((i % 10 + 1)) "$seed" "$csv"
  done
} >"$work/bench.zus"

# Milliseconds of one render of the set with $1 threads.
timed() {
  rm -rf "$work/out"
  local start end
  start="$(date +%s%N)"
  "$tool" --render-set "$work/bench.zus" --render-dir "$work/out" --jobs "$1" 2>/dev/null
  end="$(date +%s%N)"
  echo $(((end - start) / 1000000))
}
# Milliseconds of two --jobs 1 renders at once: what two processors give
# right now, whatever else the machine runs.
timed_pair() {
  rm -rf "$work/out" "$work/out2"
  local start end
  start="$(date +%s%N)"
  "$tool" --render-set "$work/bench.zus" --render-dir "$work/out" --jobs 1 2>/dev/null &
  "$tool" --render-set "$work/bench.zus" --render-dir "$work/out2" --jobs 1 2>/dev/null
  wait
  end="$(date +%s%N)"
  echo $(((end - start) / 1000000))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

serial=()
parallel=()
pairs=()
for ((r = 0; r < repetitions; r++)); do
  serial+=("$(timed 1)")
  parallel+=("$(timed "$cores")")
  pairs+=("$(timed_pair)")
done
s="$(printf '%s\n' "${serial[@]}" | median)"
p="$(printf '%s\n' "${parallel[@]}" | median)"
# The fastest run is the one least disturbed by other work on the machine.
smin="$(printf '%s\n' "${serial[@]}" | sort -n | head -1)"
pmin="$(printf '%s\n' "${parallel[@]}" | sort -n | head -1)"
echo "200 sounds, $repetitions repetitions, wall time in ms (each run)"
echo "--jobs 1: median ${s}, fastest ${smin} (${serial[*]})"
echo "--jobs $cores: median ${p}, fastest ${pmin} (${parallel[*]})"
awk -v s="$s" -v p="$p" -v a="$smin" -v b="$pmin" -v c="$cores" 'BEGIN {
  printf "ratio (--jobs %d / --jobs 1): %.3f of the medians, %.3f of the fastest\n", c, p / s, b / a }'
# Two serial renders at once, per render: the best ratio this machine allows
# now (0.5 on two idle processors; more when other work holds one).
pm="$(printf '%s\n' "${pairs[@]}" | median)"
awk -v s="$s" -v q="$pm" 'BEGIN {
  printf "baseline (two --jobs 1 renders at once, per render / one alone): %.3f of the medians\n", q / 2 / s }'
