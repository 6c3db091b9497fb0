#!/usr/bin/env bash
# Checks the module's import and export tables: HOSTRT2.dll imported by
# ordinal only (the 27 sample and channel operations), no other DLL but
# Windows system DLLs (no compiler runtime DLLs), and every export the host
# looks up present under its plain name.
set -uo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
dll="${1:-$root/build/windows/bin/ZiderUzazir.dll}"
objdump=i686-w64-mingw32-objdump

if [ ! -f "$dll" ]; then
  echo "dll_imports_exports: $dll not found (build the windows preset first)"
  exit 1
fi
dump="$("$objdump" -p "$dll")" || { echo "dll_imports_exports: objdump failed on $dll"; exit 1; }
status=0
fail() { echo "dll_imports_exports: $*"; status=1; }

# --- Imported DLLs ------------------------------------------------------------------
system_dlls='^(kernel32|user32|gdi32|advapi32|msvcrt|ntdll|shell32|ole32|oleaut32|comdlg32|comctl32|winmm|version|shlwapi)\.dll$|^api-ms-win-'
found_hostrt2=0
while read -r name; do
  lower="${name,,}"
  if [ "$name" = "HOSTRT2.dll" ]; then
    found_hostrt2=1
  elif ! [[ "$lower" =~ $system_dlls ]]; then
    fail "imports from a DLL that is neither HOSTRT2.dll nor a system DLL: $name"
  fi
done < <(echo "$dump" | sed -n 's/^\s*DLL Name: //p')
[ "$found_hostrt2" -eq 1 ] || fail "no imports from HOSTRT2.dll"

# --- HOSTRT2.dll: the 27 ordinals, no names -------------------------------------------
hostrt2_lines="$(echo "$dump" | awk '/DLL Name: HOSTRT2.dll/{on=1; next} /DLL Name:/{on=0} on && NF == 3 && /^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+/')"
ordinals="$(echo "$hostrt2_lines" | awk '{print $2}' | sort -n | tr '\n' ' ' | sed 's/ $//')"
expected="182 184 185 189 190 191 193 194 195 197 198 199 202 204 205 797 799 807 808 809 812 813 814 825 827 828 830"
[ "$ordinals" = "$expected" ] || fail "HOSTRT2.dll ordinals are [$ordinals], expected [$expected]"
if awk 'NF && $3 != "<none>" { named = 1 } END { exit !named }' <<<"$hostrt2_lines"; then
  fail "HOSTRT2.dll is imported by name somewhere:"$'\n'"$hostrt2_lines"
fi
if awk 'NF && $1 !~ /^8/ { plain = 1 } END { exit !plain }' <<<"$hostrt2_lines"; then
  fail "HOSTRT2.dll has an import entry without the ordinal flag"
fi

# --- Exports --------------------------------------------------------------------------
exported="$(echo "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[[:space:]]+\[/{print $NF} on && /^$/{on=0}')"
runtime_exports="GetRunObjectDataSize CreateRunObject DestroyRunObject HandleRunObject StartApp EndApp
  StartFrame EndFrame PauseRunObject ContinueRunObject DisplayRunObject Free GetDebugTree GetDebugItem
  EditDebugItem GetRunObjectInfos GetConditionInfos GetActionInfos GetExpressionInfos"
editor_exports="$(sed -n 's/^\s*\([A-Za-z_][A-Za-z0-9_]*\).*/\1/p' "$root"/frame/win/exports_editor.def 2>/dev/null |
  grep -v -e '^LIBRARY$' -e '^EXPORTS$')"
for name in $runtime_exports $editor_exports; do
  grep -qx "$name" <<<"$exported" || fail "export missing or decorated: $name"
done
if grep -q '@' <<<"$exported"; then
  fail "decorated export names: $(echo "$exported" | grep '@' | tr '\n' ' ')"
fi

if [ "$status" -eq 0 ]; then
  echo "dll_imports_exports: ok ($(echo "$exported" | wc -l) exports, HOSTRT2.dll by 27 ordinals)"
fi
exit "$status"
