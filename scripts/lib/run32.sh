# shellcheck shell=bash
# Whether this machine can run 32-bit x86 programs, which Wine needs for our
# 32-bit DLL and the Windows test programs. Some kernels refuse every 32-bit
# program ("Exec format error"); there the Wine suites are skipped, never
# counted as passed.
#
# Sourced by scripts/setup, scripts/test, scripts/demo and the checks.
#   zu_run32_probe      runs the probe and records the answer in build/machine/run32
#   zu_run32            0 when 32-bit programs run; otherwise 1, with the reason
#                       in ZU_RUN32_REASON (uses the recorded answer, probing if none)
# ZU_RUN32_PROBE replaces the probe command (tests fake its answer with it);
# ZU_RUN32=yes|no, set by scripts/test for its checks, overrides everything.

zu_run32_file() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  echo "${ZU_RUN32_FILE:-$root/build/machine/run32}"
}

zu_run32_probe() {
  local file probe out rc
  file="$(zu_run32_file)"
  probe="${ZU_RUN32_PROBE:-/lib/ld-linux.so.2 --version}"
  mkdir -p "$(dirname "$file")"
  if [ -z "${ZU_RUN32_PROBE:-}" ] && [ ! -e /lib/ld-linux.so.2 ]; then
    printf 'no\nthe 32-bit loader /lib/ld-linux.so.2 is not installed (run scripts/setup)\n' >"$file"
    return 1
  fi
  out="$(bash -c "$probe" 2>&1 </dev/null)"
  rc=$?
  if [ "$rc" -eq 0 ]; then
    printf 'yes\n' >"$file"
    return 0
  fi
  # Keep the first line of what the probe said, without the shell's own prefix.
  out="$(printf '%s\n' "$out" | head -n 1 | sed -e 's/^bash: line [0-9]*: //' -e 's/^bash: //')"
  [ -n "$out" ] || out="exit status $rc"
  printf 'no\nthis machine cannot run 32-bit programs (%s)\n' "$out" >"$file"
  return 1
}

zu_run32() {
  local file
  case "${ZU_RUN32:-}" in
    yes) return 0 ;;
    no)
      ZU_RUN32_REASON="${ZU_RUN32_REASON:-this machine cannot run 32-bit programs}"
      return 1
      ;;
  esac
  file="$(zu_run32_file)"
  [ -f "$file" ] || zu_run32_probe >/dev/null 2>&1
  if [ "$(head -n 1 "$file")" = yes ]; then
    return 0
  fi
  ZU_RUN32_REASON="$(sed -n 2p "$file")"
  return 1
}
