#!/usr/bin/env bash
# Checks zider-sfx against targets that cannot be replaced and a disk that is
# full, as root in a private mount namespace so that the real /dev stays out of
# reach: /dev/full and /dev/null bound over files, and a full tmpfs. Exits 77
# (skipped) where no such namespace can be made.
# Usage: device_targets_check.sh TOOL
set -uo pipefail
name=device_targets
tool="$(realpath "$1")"
# shellcheck source=check_helpers.sh
source "$(dirname "$0")/check_helpers.sh"

if [ -z "${ZU_IN_NAMESPACE:-}" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "device_targets: skipped: needs root for a private mount namespace"
    exit 77
  fi
  if ! command -v mount >/dev/null || ! unshare -m --propagation private true 2>/dev/null; then
    echo "device_targets: skipped: cannot make a private mount namespace (unshare -m failed)"
    exit 77
  fi
  ZU_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$tool"
fi

work="$(mktemp -d)"
trap 'umount -q "$work"/* 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1

touch full.wav null.sfs
mkdir small
if ! mount --bind /dev/full full.wav || ! mount --bind /dev/null null.sfs ||
  ! mount -t tmpfs -o size=64k tmpfs small; then
  echo "device_targets: skipped: mounts are refused even in a private mount namespace"
  exit 77
fi
run --buffer-length 1 --seed 1 --render full.wav
expect_error "render to /dev/full" "cannot write full.wav: No space left on device"
run --save null.sfs
expect_ok "save to /dev/null"
{ [ -c full.wav ] && [ -c null.sfs ]; } || fail "a device node was replaced by a file"

# A full disk: the failed render leaves the old file and no temporary, and a
# redirected CSV that cannot be stored is an error, not an empty file.
"$tool" --seed 1 --save small/keep.wav || fail "first save"
dd if=/dev/zero of=small/fill bs=4k 2>/dev/null
run --buffer-length 1 --seed 1 --render small/keep.wav
expect_error "render to a full disk" "cannot write small/keep.wav: No space left on device"
[ "$(stat -c %s small/keep.wav)" = 105 ] || fail "the failed render changed the old file"
[ "$(entries small)" = "fill keep.wav" ] || fail "left behind: $(entries small)"
run_to small/out.csv --seed 1 --print-csv
expect_error "CSV to a full disk" "cannot write standard output: No space left on device"

finish "/dev/full, /dev/null, a full disk"
