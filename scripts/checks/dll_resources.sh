#!/usr/bin/env bash
# Reads the module's resource directory from the DLL file itself (no 32-bit
# program runs): the two editor bitmaps 400 and 401, the string table block
# holding strings 1 and 2, the 4-byte data resource 200, the version
# information and the manifest, each once, in language 1033.
set -uo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
dll="${1:-$root/build/windows/bin/ZiderUzazir.dll}"
if [ ! -f "$dll" ]; then
  echo "dll_resources: $dll not found (build the windows preset first)"
  exit 1
fi
dump="$(i686-w64-mingw32-objdump -p "$dll")" || { echo "dll_resources: objdump failed on $dll"; exit 1; }

# One line per resource: type id language size, all in decimal.
found="$(echo "$dump" | awk '
  /The .rsrc Resource Directory section/ { on = 1; next }
  !on { next }
  /Resources start at/ { exit }
  /Entry: ID:/ {
    id = $4; sub(/,$/, "", id); sub(/^0x/, "", id)
    depth = index($0, "Entry")
    if (depth <= 7) type = id; else if (depth <= 9) name = id; else lang = id
  }
  /Leaf:/ { size = $6; sub(/,$/, "", size); sub(/^0x/, "", size); print type, name, lang, size }
' | while read -r t n l z; do echo "$((16#$t)) $((16#$n)) $((16#$l)) $((16#$z))"; done |
  sort -n -k1,1 -k2,2)"

# RT_BITMAP=2, RT_STRING=6 (block 1: ids 0-15), RT_RCDATA=10, RT_VERSION=16, RT_MANIFEST=24.
expected_keys="2 400 1033
2 401 1033
6 1 1033
10 200 1033
16 1 1033
24 2 1033"
keys="$(echo "$found" | awk '{print $1, $2, $3}')"
indent() { sed 's/^/  /'; }
if [ "$keys" != "$expected_keys" ]; then
  echo "dll_resources: resources are"
  indent <<<"$found"
  echo "dll_resources: expected (type id language)"
  indent <<<"$expected_keys"
  exit 1
fi
rcdata_size="$(echo "$found" | awk '$1 == 10 {print $4}')"
if [ "$rcdata_size" != 4 ]; then
  echo "dll_resources: data resource 200 is $rcdata_size bytes, want 4"
  exit 1
fi
bitmap_sizes="$(echo "$found" | awk '$1 == 2 {print $4}' | sort -u | wc -l)"
if [ "$bitmap_sizes" != 1 ]; then
  echo "dll_resources: bitmaps 400 and 401 differ in size"
  exit 1
fi
echo "dll_resources: ok (bitmaps 400/401, strings, data 200, version, manifest; language 1033)"
