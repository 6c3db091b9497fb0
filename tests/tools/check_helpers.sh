# shellcheck shell=bash
# Shared by the tool's shell checks; source it after setting name (the prefix
# of every line printed) and tool (the program under test).
: "${name:?set name before sourcing check_helpers.sh}" "${tool:?set tool before sourcing check_helpers.sh}"
failures=0
fail() {
  echo "$name: $*"
  failures=$((failures + 1))
}
# Runs the tool with stdout discarded; sets rc and err (its standard error).
run() {
  err="$("$tool" "$@" 2>&1 >/dev/null)"
  rc=$?
}
# Runs the tool with stdout sent to the file $1; sets rc and err.
run_to() {
  local out="$1"
  shift
  err="$("$tool" "$@" 2>&1 >"$out")"
  rc=$?
}
# expect_error WHAT MESSAGE: the last run failed with exit 1 and this one line.
expect_error() {
  [ "$rc" = 1 ] || fail "$1: exit $rc, want 1"
  [ "$err" = "zider-sfx: $2" ] || fail "$1: message [$err], want [zider-sfx: $2]"
}
expect_ok() {
  { [ "$rc" = 0 ] && [ -z "$err" ]; } || fail "$1: exit $rc [$err], want 0 and no message"
}
# The names in folder $1, hidden ones too, sorted and separated by spaces.
entries() { (shopt -s dotglob nullglob && cd "$1" && set -- * && printf '%s\n' "$*"); }
# Ends the check: exit 1 after any failure, else prints the summary line $1.
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$name: $failures failure(s)"
    exit 1
  fi
  echo "$name: ok ($1)"
  exit 0
}
