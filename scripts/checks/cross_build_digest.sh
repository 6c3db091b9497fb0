#!/usr/bin/env bash
# Renders the same fixed list of parameter blocks with the native and the
# Windows build and compares the digests line by line: the synthesizer must
# give the same bytes on every host.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
# shellcheck source=../lib/run32.sh
source "$root/scripts/lib/run32.sh"
if ! zu_run32; then
  echo "cross_build_digest: skipped: $ZU_RUN32_REASON"
  exit 77
fi
native="$root/build/native/bin/render-digest"
windows="$root/build/windows/bin/render-digest.exe"
for f in "$native" "$windows"; do
  if [ ! -e "$f" ]; then
    echo "cross_build_digest: missing $f (build the native and windows presets first)"
    exit 1
  fi
done
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$native" > "$tmp/native.txt"
"$root/cmake/wine-run" "$windows" | tr -d '\r' > "$tmp/windows.txt"
if [ ! -s "$tmp/native.txt" ]; then
  echo "cross_build_digest: the native render-digest printed nothing"
  exit 1
fi
if ! cmp -s "$tmp/native.txt" "$tmp/windows.txt"; then
  echo "cross_build_digest: native and Windows renders differ:"
  diff "$tmp/native.txt" "$tmp/windows.txt" | head -20
  exit 1
fi
echo "cross_build_digest: $(wc -l < "$tmp/native.txt") renders identical in both builds"
