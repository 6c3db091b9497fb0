#!/usr/bin/env bash
# Checks zider-sfx as a user would: the reset sound it renders must read in sox
# as 16-bit mono 44100 Hz with 25003 samples.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
native="${ZU_TOOL_NATIVE:-$root/build/native/bin/zider-sfx}"
work="$root/build/tool-check"
rm -rf "$work"
mkdir -p "$work"

if [ ! -x "$native" ]; then
  echo "tool_sox: $native not built"
  exit 1
fi

fail() { echo "tool_sox: $*"; exit 1; }

"$native" --buffer-length 1 --seed 1 --reset --render "$work/reset.wav"
size=$(stat -c %s "$work/reset.wav")
[ "$size" = 50050 ] || fail "reset.wav is $size bytes, want 50050"
[ "$(soxi -c "$work/reset.wav")" = 1 ] || fail "not mono"
[ "$(soxi -r "$work/reset.wav")" = 44100 ] || fail "not 44100 Hz"
[ "$(soxi -b "$work/reset.wav")" = 16 ] || fail "not 16-bit"
[ "$(soxi -s "$work/reset.wav")" = 25003 ] || fail "sample count $(soxi -s "$work/reset.wav"), want 25003"
# sox must also be able to decode the samples themselves.
sox "$work/reset.wav" -n stat 2>"$work/stat.txt" || fail "sox cannot read the samples"
echo "tool_sox: reset.wav reads as 16-bit mono 44100 Hz, 25003 samples"
