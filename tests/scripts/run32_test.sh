#!/usr/bin/env bash
# The 32-bit probe with its answer faked: a loader that fails as on a kernel
# without 32-bit support, one that runs, and a check that needs Wine skipping
# with the recorded reason as its last line.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export ZU_RUN32_FILE="$tmp/run32"
unset ZU_RUN32 ZU_RUN32_REASON
# shellcheck source=../../scripts/lib/run32.sh
source "$root/scripts/lib/run32.sh"
failures=0
# expect WHAT: the test run just before it (its status in $?) held.
expect() { if [ $? -ne 0 ]; then echo "FAILED: $1"; failures=$((failures + 1)); fi; }

export ZU_RUN32_PROBE="echo /lib/ld-linux.so.2: cannot execute binary file: Exec format error >&2; exit 126"
zu_run32_probe
rc=$?
[ "$rc" -ne 0 ] && [ "$(head -n 1 "$ZU_RUN32_FILE")" = no ]
expect "a refusing loader probes as no"
! zu_run32
expect "the recorded no is read back"
[[ "${ZU_RUN32_REASON:-}" == "this machine cannot run 32-bit programs (/lib/ld-linux.so.2: cannot execute binary file: Exec format error)" ]]
expect "the reason names the loader error"

out="$(ZU_ROOT="$root" bash "$root/scripts/checks/cross_build_digest.sh")"
rc=$?
[ "$rc" -eq 77 ]
expect "a Wine check skips with 77"
[[ "$(tail -n 1 <<<"$out")" == *"Exec format error"* ]]
expect "and says why on its last line"

ZU_RUN32_PROBE="true" zu_run32_probe && zu_run32
expect "a loader that runs probes as yes"

[ "$failures" -eq 0 ] && echo "run32 probe: all cases passed"
exit "$failures"
