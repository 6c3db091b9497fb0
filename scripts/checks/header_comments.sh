#!/usr/bin/env bash
# One comment style in the C++ headers: a file's opening comment is written
# with //, a comment documenting a declaration at namespace or class scope
# with /// above it or ///< after it. Comments inside function bodies and
# section lines (// ---) are free. Prints each offending line.
set -uo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root" || exit 1
mapfile -t headers < <(git ls-files '*.h')
python3 - "${headers[@]}" <<'PY'
import re, sys

SCOPE = re.compile(r'^\s*(namespace\b|class\b|struct\b|union\b|enum\b|extern "C"|template\b.*\b(class|struct)\b)')
PLAIN = re.compile(r'^\s*//([^/]|$)')
found = 0

def report(path, line, what):
    global found
    found += 1
    print(f"{path}:{line}: {what}")

for path in sys.argv[1:]:
    lines = open(path, encoding='utf-8').read().split('\n')
    k = 0
    while k < len(lines) and (lines[k].startswith('#pragma') or not lines[k].strip()):
        k += 1
    while k < len(lines) and lines[k].lstrip().startswith('//'):
        if lines[k].lstrip().startswith('///'):
            report(path, k + 1, "the file's opening comment takes //")
        k += 1
    scopes, opening = [], False  # scopes: True where declarations live
    for j in range(k, len(lines)):
        text = lines[j]
        code = re.sub(r'//.*$', '', re.sub(r'"([^"\\]|\\.)*"', '""', text))
        if all(scopes):
            first = PLAIN.match(text) and not PLAIN.match(lines[j - 1])
            if first and not re.match(r'^\s*// ?(---|clang-format)', text):
                end = j
                while end + 1 < len(lines) and lines[end + 1].lstrip().startswith('//'):
                    end += 1
                after = lines[end + 1].strip() if end + 1 < len(lines) else ''
                if after and not re.match(r'^(}|#|public:|private:|protected:|namespace|extern "C")', after):
                    report(path, j + 1, f"/// above a declaration: {after[:60]}")
            if re.search(r'\S\s+//( |$)', text) and not re.match(r'^\s*(//|#|})', text):
                report(path, j + 1, "///< after a declaration")
        if SCOPE.match(code) and ('(' not in code.split('{')[0] or 'enum' in code):
            opening = True
        for ch in code:
            if ch == '{':
                scopes.append(opening)
                opening = False
            elif ch == '}' and scopes:
                scopes.pop()
        if ';' in code:
            opening = False
sys.exit(1 if found else 0)
PY
