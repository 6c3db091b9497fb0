#!/usr/bin/env bash
# The Windows build of zider-sfx, run under Wine, must print the same texts and
# write the same .sfs and .wav bytes as the native build for one line of
# operations that covers every sound-design path and both file formats.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
native="${ZU_TOOL_NATIVE:-$root/build/native/bin/zider-sfx}"
windows="${ZU_TOOL_WINDOWS:-$root/build/windows/bin/zider-sfx.exe}"
work="$root/build/tool-cross-check"
fail() { echo "tool_cross_build: $*"; exit 1; }
# shellcheck source=../lib/run32.sh
source "$root/scripts/lib/run32.sh"
if ! zu_run32; then
  echo "tool_cross_build: skipped: $ZU_RUN32_REASON"
  exit 77
fi
for f in "$native" "$windows"; do
  [ -f "$f" ] || fail "$f not built (build the native and windows presets first)"
done
rm -rf "$work"
mkdir -p "$work"

# One line of operations covering every sound-design path and both file formats.
ops=(--seed 1 --preset blip --print-csv --seed 1 --randomize --print-csv --mutate --print-csv
     --seed 77 --preset explosion --print-csv --set "9=-0.123456" --csv ",1,,,,,,,,,,,,,,,,,,,,,,"
     --print-csv --seed 5 --preset laser --save OUT.sfs --render OUT.wav --print-csv)

"$native" "${ops[@]/OUT/$work/native}" >"$work/native.txt"
(cd "$work" && "$root/cmake/wine-run" "$windows" "${ops[@]/OUT/windows}" >"$work/windows.txt")
cmp "$work/native.txt" "$work/windows.txt" || fail "CSV texts differ between builds"
cmp "$work/native.sfs" "$work/windows.sfs" || fail ".sfs files differ between builds"
cmp "$work/native.wav" "$work/windows.wav" || fail "renders differ between builds"

# A sound set rendered on several threads: the same folder from both builds.
{
  printf 'zider-uzazir-set 1\n'
  printf 'boom\t2\t77\t%s\n' "$("$native" --seed 77 --preset explosion --print-csv)"
  printf 'a\\b\t1\t4294967295\tbits:%s,7fc00000\n' "$(printf '3f800000,00000003%.0s' 1; printf ',3e99999a%.0s' {1..21})"
  printf 'CON\t10\t5\t%s\n' "$("$native" --seed 5 --randomize --print-csv)"
} >"$work/set.zus"
"$native" --render-set "$work/set.zus" --render-dir "$work/native-set" --jobs 3
(cd "$work" && "$root/cmake/wine-run" "$windows" --render-set set.zus --render-dir windows-set --jobs 3)
diff -r "$work/native-set" "$work/windows-set" >/dev/null || fail "rendered sets differ between builds"
echo "tool_cross_build: native and Windows tool agree on texts, .sfs, .wav bytes and a rendered set"
