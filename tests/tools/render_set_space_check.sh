#!/usr/bin/env bash
# Checks that zider-sfx --render-set leaves nothing behind when its folder
# fills up halfway or is read-only, as root in a private mount namespace (a
# small tmpfs, a read-only bind mount). Exits 77 (skipped) where no such
# namespace can be made.
# Usage: render_set_space_check.sh TOOL
set -uo pipefail
name=render_set_space
tool="$(realpath "$1")"
# shellcheck source=tests/tools/check_helpers.sh
source "$(dirname "$0")/check_helpers.sh"

if [ -z "${ZU_IN_NAMESPACE:-}" ]; then
  if [ "$(id -u)" != 0 ] || ! command -v mount >/dev/null ||
    ! unshare -m --propagation private true 2>/dev/null; then
    echo "$name: skipped: needs root and a private mount namespace (unshare -m)"
    exit 77
  fi
  ZU_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$tool"
fi

work="$(mktemp -d)"
trap 'umount -q "$work"/* 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1

# Twelve sounds of about 0.5 MB each: more than the small folder holds.
csv="$("$tool" --seed 3 --preset explosion --set 5=0.9 --print-csv)"
{
  echo "zider-uzazir-set 1"
  for i in $(seq 1 12); do printf 's%d\t10\t%d\t%s\n' "$i" "$i" "$csv"; done
} >game.zus
mkdir small ro
echo kept >ro/old.wav
if ! mount -t tmpfs -o size=2m tmpfs small || ! mount --bind ro ro || ! mount -o remount,bind,ro ro; then
  echo "$name: skipped: mounts are refused even in a private mount namespace"
  exit 77
fi
echo kept >small/old.wav

run --render-set game.zus --render-dir small --jobs 2
[ "$rc" = 1 ] || fail "full folder: exit $rc, want 1"
case "$err" in
  "zider-sfx: cannot write small/s"*".wav: No space left on device") ;;
  *) fail "full folder: message [$err]" ;;
esac
left() { find "$1" -mindepth 1 ! -name old.wav -printf '%f '; }
[ -z "$(left small)" ] || fail "full folder: left $(left small)"
[ "$(cat small/old.wav)" = kept ] || fail "full folder: an earlier file changed"

run --render-set game.zus --render-dir ro --jobs 2
expect_error "read-only folder" "cannot write in ro: Read-only file system"
[ -z "$(left ro)" ] || fail "read-only folder: left $(left ro)"

finish "a full and a read-only folder keep what they held"
