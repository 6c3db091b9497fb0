#!/usr/bin/env bash
# Checks from the outside how zider-sfx writes and reads files on a POSIX
# system: concurrent writers, planted links and stray temporaries, long names,
# read-only and linked targets, permission bits, FIFOs, standard output that
# cannot be written, and one-line messages that name the file and the cause.
# Usage: file_safety_check.sh TOOL [ROUNDS]
set -uo pipefail
name=file_safety
tool="$(realpath "$1")"
# shellcheck source=check_helpers.sh
source "$(dirname "$0")/check_helpers.sh"
rounds="${2:-200}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mode() { stat -c %a "$1"; }

# Writer 1 or 2 renders its own sound to FILE.
writer() { "$tool" --buffer-length 1 --seed "$1" --preset explosion --render "$2"; }
{ writer 1 a.ref && writer 2 b.ref; } || fail "reference renders"
cmp -s a.ref b.ref && fail "the two reference renders are equal"

# Two writers of one file: it always ends up as one writer's complete output,
# and both report success.
for ((i = 0; i < rounds; i++)); do
  writer 1 out.wav 2>a.err &
  pa=$!
  writer 2 out.wav 2>b.err &
  pb=$!
  wait "$pa"
  ra=$?
  wait "$pb"
  rb=$?
  if [ "$ra" != 0 ] || [ "$rb" != 0 ]; then
    fail "round $i: exits $ra and $rb: $(cat a.err b.err)"
  elif ! cmp -s out.wav a.ref && ! cmp -s out.wav b.ref; then
    fail "round $i: out.wav is neither writer's output"
  fi
  [ "$failures" -gt 3 ] && break
done
rm -f out.wav a.err b.err

# Old-style temporary names are nobody's business now: a link planted under
# one is not followed, an unreadable stray one does not block the save.
ln -s victim planted.sfs.tmp~0
run --save planted.sfs
expect_ok "planted link"
[ -e victim ] && fail "the planted link was followed"
[ -L planted.sfs ] && fail "planted.sfs became a link"
touch stray.sfs.tmp~0 && chmod 000 stray.sfs.tmp~0
run --save stray.sfs
expect_ok "stray temporary"

# A 255-byte name works; a 256-byte one fails with the cause.
long="$(printf 'n%.0s' {1..251})"
run --save "$long.sfs"
expect_ok "255-byte name"
[ "$(stat -c %s "$long.sfs" 2>/dev/null)" = 105 ] || fail "255-byte name: no 105-byte file"
run --save "${long}x.sfs"
expect_error "256-byte name" "cannot write ${long}x.sfs: File name too long"

# A replaced file keeps its permission bits; a link keeps being a link and
# its target gets the new content; a dangling link names the file to create.
echo old >private.sfs && chmod 600 private.sfs
run --save private.sfs
expect_ok "0600 target"
[ "$(mode private.sfs)" = 600 ] || fail "0600 target became $(mode private.sfs)"
mkdir sub && echo old >real.sfs && ln -s ../real.sfs sub/link.sfs && ln -s made.sfs dangling.sfs
run --save sub/link.sfs --save dangling.sfs
expect_ok "linked targets"
{ [ -L sub/link.sfs ] && [ -L dangling.sfs ]; } || fail "a link was replaced by a file"
[ "$(stat -c %s real.sfs)" = 105 ] || fail "the link's target was not written"
[ "$(stat -c %s made.sfs 2>/dev/null)" = 105 ] || fail "the dangling link's target was not created"

# A read-only file is refused and kept (root may write it, as with any tool).
echo old >ro.sfs && chmod 444 ro.sfs
if [ "$(id -u)" = 0 ]; then
  run --save ro.sfs
  expect_ok "read-only target as root"
  [ "$(mode ro.sfs)" = 444 ] || fail "root's write changed the mode to $(mode ro.sfs)"
  echo old >ro.sfs && chmod 444 ro.sfs
  mkdir nobody && cp ro.sfs nobody/ && cp "$tool" nobody/zider-sfx && chown -R 65534:65534 nobody && chmod 755 "$work"
  err="$(cd nobody && setpriv --reuid=65534 --regid=65534 --clear-groups ./zider-sfx --save ro.sfs 2>&1)"
  rc=$?
  expect_error "read-only target" "cannot write ro.sfs: Permission denied"
  [ "$(cat nobody/ro.sfs)" = old ] || fail "the read-only file changed"
  [ "$(entries nobody)" = "ro.sfs zider-sfx" ] || fail "a refused write left files: $(entries nobody)"
else
  run --save ro.sfs
  expect_error "read-only target" "cannot write ro.sfs: Permission denied"
  [ "$(cat ro.sfs)" = old ] || fail "the read-only file changed"
  run --save /dev/null
  expect_ok "/dev/null target"
  [ -c /dev/null ] || fail "/dev/null is no longer a device"
fi

# Reading: a FIFO without a writer is refused at once; each load failure
# says what is wrong.
mkfifo fifo
err="$(timeout 10 "$tool" --load fifo 2>&1 >/dev/null)"
rc=$?
expect_error "FIFO load" "cannot read fifo: not a regular file (a FIFO)"
printf 'f\0\0\0\1' >five.sfs
run --load five.sfs
expect_error "5-byte file" "not a .sfs file: five.sfs (5 bytes; a version 102 file has 105)"
{ printf 'g\0\0\0' && head -c 101 /dev/zero; } >v103.sfs
run --load v103.sfs
expect_error "version 103" "unknown .sfs version 103 in v103.sfs"
run --load missing.sfs
expect_error "missing file" "cannot read missing.sfs: No such file or directory"
run --load sub
expect_error "folder" "cannot read sub: Is a directory"
run --save $'new\nline/x.sfs'
expect_error "newline in a name" 'cannot write "new\nline/x.sfs": No such file or directory'

# Everything printed must reach standard output.
for ops in "--seed 1 --print-csv" "--help" "--list-presets"; do
  # shellcheck disable=SC2086 # ops holds several arguments, split on purpose
  run_to /dev/full $ops
  expect_error "$ops to /dev/full" "cannot write standard output: No space left on device"
done

leftovers="$(find . -name '.zu*' | head -5)"
[ -z "$leftovers" ] || fail "temporary files left behind: $leftovers"

finish "$rounds concurrent rounds"
