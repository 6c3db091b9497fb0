#!/usr/bin/env bash
# The Studio page in headless Chromium: its renders, CSV texts and .sfs files
# must be byte for byte those of the native zider-sfx, and its controls must
# work (see studio/tests/). Writes a screenshot to out/studio.png.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"
tool="$root/build/native/bin/zider-sfx"
if [ ! -x "$tool" ]; then
  echo "studio_browser: missing $tool (build the native preset first)"
  exit 1
fi
if [ ! -x /usr/bin/chromium ]; then
  echo "studio_browser: skipped: /usr/bin/chromium is not installed (scripts/setup installs it)"
  exit 77
fi
bash scripts/studio --build-only
cd studio
ZU_ROOT="$root" node --test tests/
