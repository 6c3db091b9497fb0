#!/usr/bin/env bash
# Renders the editor bitmaps (resources 400 and 401, both the committed
# resources/speaker.bmp) to PNG in out/ for viewing: actual size and 8x.
# Fails when the bitmap is missing, not 32x32 24-bit, or its corners are not
# magenta.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
bmp="$root/resources/speaker.bmp"
out="$root/out"
mkdir -p "$out"

if ! command -v convert >/dev/null 2>&1; then
  echo "editor_bitmaps: ImageMagick 'convert' not found (run scripts/setup)"; exit 1
fi
if [ ! -f "$bmp" ]; then
  echo "editor_bitmaps: $bmp missing"; exit 1
fi

geometry="$(identify -format '%w %h %z' "$bmp")"
if [ "$geometry" != "32 32 8" ]; then
  echo "editor_bitmaps: expected 32x32 at 8 bits per channel, got '$geometry'"; exit 1
fi
for corner in 0,0 31,0 0,31 31,31; do
  colour="$(convert "$bmp" -format "%[pixel:p{$corner}]" info:)"
  case "$colour" in
    "srgb(255,0,255)"|"magenta"|"fuchsia") ;;
    *) echo "editor_bitmaps: corner $corner is $colour, not magenta"; exit 1 ;;
  esac
done

for id in 400 401; do
  convert "$bmp" "PNG24:$out/bitmap$id.png"
  convert "$bmp" -filter point -resize 800% "PNG24:$out/bitmap${id}_8x.png"
done
echo "editor_bitmaps: wrote $out/bitmap400.png, bitmap401.png and their _8x versions"
