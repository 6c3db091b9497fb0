#!/usr/bin/env bash
# Runs shellcheck over every shell script of the tree, found anew on each run
# so that a new script is covered without being listed anywhere: files named
# *.sh or *.bash, and files whose first line is a sh, bash, dash or ksh "#!"
# line or a "# shellcheck shell=" directive (scripts/test, cmake/wine-run, ...).
# Its settings are in .shellcheckrc. ZU_SHELLCHECK_LIST=1 only lists the files.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"

# Every file of the tree, NUL-separated: git's list of tracked and new files
# (ignored ones left out), or outside a git checkout everything but the build
# trees, the outputs and the installed node modules.
tree_files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard
  else
    find . \( -name .git -o -name build -o -name out -o -name node_modules \) -prune \
      -o -type f -printf '%P\0'
  fi
}

shebang='^#!.*[/ ](ba|da|k)?sh([[:space:]]|$)'
directive='^# shellcheck shell='
is_shell_script() {
  local first=""
  [ -f "$1" ] || return 1
  case "$1" in *.sh | *.bash) return 0 ;; esac
  IFS= read -r first <"$1" || true
  [[ "$first" =~ $shebang || "$first" =~ $directive ]]
}

scripts=()
while IFS= read -r -d '' f; do
  if is_shell_script "$f"; then scripts+=("$f"); fi
done < <(tree_files)

if [ "${ZU_SHELLCHECK_LIST:-}" = 1 ]; then
  printf '%s\n' "${scripts[@]}"
  exit 0
fi
if [ "${#scripts[@]}" -eq 0 ]; then
  echo "shellcheck: found no shell scripts in $root"
  exit 1
fi
if ! command -v shellcheck >/dev/null; then
  echo "shellcheck: skipped: shellcheck is not installed (run scripts/setup)"
  exit 77
fi
if ! shellcheck --format=gcc "${scripts[@]}"; then
  echo "shellcheck: findings above, in the ${#scripts[@]} scripts checked"
  exit 1
fi
echo "shellcheck: ok (${#scripts[@]} scripts, $(shellcheck --version | sed -n 's/^version: //p'))"
