#!/usr/bin/env bash
# Renders the same fixed list of parameter blocks with the native build and
# with the WebAssembly build (the Studio page's, SIMD included, run by Node.js)
# and compares the digests line by line: the synthesizer must give the same
# bytes on every host.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"
native="$root/build/native/bin/render-digest"
wasm="$root/build/wasm/bin/render-digest.js"
if [ ! -x "$native" ]; then
  echo "wasm_digest: missing $native (build the native preset first)"
  exit 1
fi
for tool in em++ node; do
  if ! command -v "$tool" >/dev/null; then
    echo "wasm_digest: skipped: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done
# Debian's em++ finds its node modules only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
cmake --preset wasm >/dev/null
cmake --build --preset wasm --target render-digest >/dev/null
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
"$native" > "$tmp/native.txt"
node "$wasm" > "$tmp/wasm.txt"
if [ ! -s "$tmp/native.txt" ]; then
  echo "wasm_digest: the native render-digest printed nothing"
  exit 1
fi
if ! cmp -s "$tmp/native.txt" "$tmp/wasm.txt"; then
  echo "wasm_digest: native and WebAssembly renders differ:"
  diff "$tmp/native.txt" "$tmp/wasm.txt" | head -20
  exit 1
fi
echo "wasm_digest: $(wc -l < "$tmp/native.txt") renders identical in both builds"
