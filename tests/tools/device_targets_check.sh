#!/usr/bin/env bash
# Checks zider-sfx against targets that cannot be replaced and a disk that is
# full, as root in a private mount namespace so that the real /dev stays out of
# reach: /dev/full and /dev/null bound over files, and a full tmpfs. Exits 77
# (skipped) where no such namespace can be made.
# Usage: device_targets_check.sh TOOL
set -uo pipefail
tool="$(realpath "$1")"

if [ -z "${ZU_IN_NAMESPACE:-}" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "device_targets: skipped: needs root for a private mount namespace"
    exit 77
  fi
  if ! unshare -m --propagation private true 2>/dev/null; then
    echo "device_targets: skipped: cannot make a private mount namespace (unshare -m failed)"
    exit 77
  fi
  ZU_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$tool"
fi

work="$(mktemp -d)"
trap 'umount -q "$work"/* 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() {
  echo "device_targets: $*"
  failures=$((failures + 1))
}
run() {
  err="$("$tool" "$@" 2>&1 >/dev/null)"
  rc=$?
}

touch full.wav null.sfs
mount --bind /dev/full full.wav && mount --bind /dev/null null.sfs || fail "bind mounts"
run --buffer-length 1 --seed 1 --render full.wav
[ "$rc" = 1 ] && [ "$err" = "zider-sfx: cannot write full.wav: No space left on device" ] ||
  fail "render to /dev/full: exit $rc [$err]"
run --save null.sfs
[ "$rc" = 0 ] && [ -z "$err" ] || fail "save to /dev/null: exit $rc [$err]"
[ -c full.wav ] && [ -c null.sfs ] || fail "a device node was replaced by a file"

# A full disk: the failed render leaves the old file and no temporary, and a
# redirected CSV that cannot be stored is an error, not an empty file.
mkdir small && mount -t tmpfs -o size=64k tmpfs small || fail "tmpfs"
"$tool" --seed 1 --save small/keep.wav || fail "first save"
dd if=/dev/zero of=small/fill bs=4k 2>/dev/null
run --buffer-length 1 --seed 1 --render small/keep.wav
[ "$rc" = 1 ] && [ "$err" = "zider-sfx: cannot write small/keep.wav: No space left on device" ] ||
  fail "render to a full disk: exit $rc [$err]"
[ "$(stat -c %s small/keep.wav)" = 105 ] || fail "the failed render changed the old file"
[ "$(ls -A small | tr '\n' ' ')" = "fill keep.wav " ] || fail "left behind: $(ls -A small)"
err="$("$tool" --seed 1 --print-csv 2>&1 >small/out.csv)"
rc=$?
[ "$rc" = 1 ] && [ "$err" = "zider-sfx: cannot write standard output: No space left on device" ] ||
  fail "CSV to a full disk: exit $rc [$err]"

if [ "$failures" -gt 0 ]; then
  echo "device_targets: $failures failure(s)"
  exit 1
fi
echo "device_targets: ok (/dev/full, /dev/null, a full disk)"
