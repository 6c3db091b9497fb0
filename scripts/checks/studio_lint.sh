#!/usr/bin/env bash
# Studio's TypeScript: the strict type check, ESLint (typescript-eslint, with
# type information) and Prettier's format check, over the sources and the
# modules generated from the registry (studio/generate.mjs).
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root"

stamp="studio/node_modules/.package-lock.json"
if [ ! -f "$stamp" ] || [ studio/package-lock.json -nt "$stamp" ]; then
  if ! (cd studio && npm ci --no-audit --no-fund --loglevel=error); then
    echo "studio_lint: skipped: the front-end tooling cannot be installed (npm ci in studio/ failed)"
    exit 77
  fi
fi

cmake --preset native >/dev/null
cmake --build --preset native --target zu-guide-export >/dev/null
node studio/generate.mjs build/native/bin/zu-guide-export build/studio

cd studio
npx tsc --noEmit -p .
npx eslint --max-warnings 0 .
npx prettier --check .
echo "studio_lint: type check, lint and format check clean"
