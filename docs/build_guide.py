#!/usr/bin/python3
"""Builds the author's guide as HTML pages.

The pages are the Markdown files in docs/guide/. Two of them take generated
parts, so that they cannot drift from the product:
  - reference.md: the line [[entries]] becomes the list of every condition,
    action and expression with its display text, parameters and menu place,
    read from the registry by zu-guide-export, each with its hand-written
    description from docs/entries.txt;
  - zider-sfx.md: the line [[zider-sfx --help]] becomes the tool's own help.

Every entry must have a description, and every description must name an entry
that exists, with the display text the registry has; otherwise the build fails
and says which.

usage: build_guide.py --exporter EXE --sfx EXE [--descriptions FILE] (--out DIR | --check)
"""

import argparse
import html
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

import markdown

DOCS = os.path.dirname(os.path.abspath(__file__))
PAGES = [  # file stem, title in the navigation
    ("index", "Introduction"),
    ("reference", "Conditions, actions, expressions"),
    ("synthesizer", "The synthesizer"),
    ("recipes", "Recipes"),
    ("sound-sets", "Sound sets"),
    ("zider-sfx", "zider-sfx manual"),
]
KIND_TITLES = [("condition", "Conditions"), ("action", "Actions"), ("expression", "Expressions")]
HEADER = re.compile(r"^(condition|action|expression) (\d+): (.*)$")

STYLE = """
body { font-family: sans-serif; max-width: 56em; margin: 0 auto; padding: 0 1em 3em; line-height: 1.45; color: #222; }
nav { border-bottom: 1px solid #ccc; padding: .8em 0; margin-bottom: 1em; }
nav a { margin-right: 1.2em; }
nav a.here { font-weight: bold; color: #222; text-decoration: none; }
code, pre { font-family: monospace; background: #f3f3f3; }
pre { padding: .6em; overflow-x: auto; }
table { border-collapse: collapse; margin: .5em 0; }
th, td { border: 1px solid #ccc; padding: .25em .6em; text-align: left; vertical-align: top; }
.entry { border-top: 1px solid #ddd; padding-top: .4em; margin-top: 1.2em; }
.entry h3 { margin-bottom: .2em; }
.meta { color: #555; font-size: .92em; margin: .1em 0; }
ul.contents { columns: 2; }
"""


class GuideError(Exception):
    pass


def run(command):
    try:
        result = subprocess.run(command, capture_output=True, text=True, check=False)
    except OSError as e:
        raise GuideError(f"cannot run {command[0]}: {e.strerror}")
    if result.returncode != 0:
        raise GuideError(f"{' '.join(command)} failed (exit {result.returncode}): {result.stderr.strip()}")
    return result.stdout


def read_descriptions(path):
    """Descriptions keyed by (kind, code): (display text as written, body, line)."""
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
    except OSError as e:
        raise GuideError(f"cannot read {path}: {e.strerror}")
    found, errors, current = {}, [], None
    for number, line in enumerate(lines, 1):
        m = HEADER.match(line)
        if m:
            key = (m.group(1), int(m.group(2)))
            if key in found:
                errors.append(f"{path}:{number}: second description of {key[0]} {key[1]}")
            current = key
            found[key] = [m.group(3), [], number]
        elif current is not None:
            found[current][1].append(line)
    return {k: (text, "\n".join(body).strip(), n) for k, (text, body, n) in found.items()}, errors


def check_descriptions(entries, descriptions, path):
    errors = []
    known = {(e["kind"], e["code"]): e for e in entries}
    for e in entries:
        key = (e["kind"], e["code"])
        if key not in descriptions:
            errors.append(f"{path}: no description of {e['kind']} {e['code']} \"{e['displayText']}\"")
        else:
            text, body, line = descriptions[key]
            if text != e["displayText"]:
                errors.append(f"{path}:{line}: {key[0]} {key[1]} is \"{e['displayText']}\" in the registry, "
                              f"not \"{text}\"")
            if not body:
                errors.append(f"{path}:{line}: the description of {key[0]} {key[1]} is empty")
    for key, (text, _, line) in sorted(descriptions.items()):
        if key not in known:
            errors.append(f"{path}:{line}: describes {key[0]} {key[1]} \"{text}\", which does not exist")
    return errors


def md(text):
    return markdown.markdown(text, extensions=["tables", "fenced_code", "toc"])


def entry_html(e, description):
    anchor = f"{e['kind']}-{e['code']}"
    out = [f'<div class="entry" id="{anchor}">',
           f"<h3><code>{html.escape(e['displayText'])}</code></h3>"]
    menu = " &rsaquo; ".join(html.escape(m) for m in e["menu"]) if e["menu"] else "not offered in the menu"
    meta = f"{e['kind'].capitalize()} {e['code']}; menu: {menu}"
    if e["kind"] == "condition":
        # Conditions the object raises itself carry no flags; tests of a sound do.
        meta += "; an event" if e["flags"] == 0 else "; a test"
    if e["kind"] == "expression":
        meta += f"; returns {'a' if e['result'] != 'integer' else 'an'} {html.escape(e['result'])}"
    out.append(f'<p class="meta">{meta}</p>')
    if e["params"]:
        out.append("<table><tr><th>Parameter</th><th>Title in the editor</th><th>Type</th></tr>")
        for j, p in enumerate(e["params"]):
            name = f"%{j}" if e["kind"] != "expression" else f"{j + 1}."
            out.append(f"<tr><td><code>{name}</code></td><td>{html.escape(p['title'])}</td>"
                       f"<td>{html.escape(p['typeName'])}</td></tr>")
        out.append("</table>")
    out.append(md(description))
    out.append("</div>")
    return "\n".join(out)


def entries_html(entries, descriptions):
    parts = []
    for kind, title in KIND_TITLES:
        mine = [e for e in entries if e["kind"] == kind]
        parts.append(f'<h2 id="{kind}s">{title} ({len(mine)})</h2>')
        parts.append('<ul class="contents">' + "".join(
            f'<li><a href="#{kind}-{e["code"]}"><code>{html.escape(e["displayText"])}</code></a></li>'
            for e in mine) + "</ul>")
        parts.extend(entry_html(e, descriptions[(kind, e["code"])][1]) for e in mine)
    return "\n".join(parts)


def page(stem, title, body):
    nav = "".join(f'<a href="{s}.html"{" class=here" if s == stem else ""}>{html.escape(t)}</a>'
                  for s, t in PAGES)
    return (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{html.escape(title)} - Zider Uzazir author's guide</title>\n"
            f"<style>{STYLE}</style>\n</head>\n<body>\n<nav>{nav}</nav>\n{body}\n</body>\n</html>\n")


def build(args):
    entries = json.loads(run([args.exporter]))
    descriptions, errors = read_descriptions(args.descriptions)
    errors += check_descriptions(entries, descriptions, args.descriptions)
    if errors:
        raise GuideError("\n".join(errors))
    if args.check:
        return None
    help_text = run([args.sfx, "--help"])
    generated = {
        "[[entries]]": entries_html(entries, descriptions),
        "[[zider-sfx --help]]": f'<pre id="zider-sfx-help">{html.escape(help_text)}</pre>',
    }
    pages = {}
    for stem, title in PAGES:
        path = os.path.join(DOCS, "guide", stem + ".md")
        try:
            with open(path, encoding="utf-8") as f:
                body = md(f.read())
        except OSError as e:
            raise GuideError(f"cannot read {path}: {e.strerror}")
        for marker, replacement in generated.items():
            body = body.replace(f"<p>{marker}</p>", replacement)
        pages[stem + ".html"] = page(stem, title, body)
    return pages


def write_pages(pages, out):
    """Writes the pages into a fresh folder beside out, then puts it in place."""
    parent = os.path.dirname(os.path.abspath(out))
    os.makedirs(parent, exist_ok=True)
    temp = tempfile.mkdtemp(prefix=".guide-", dir=parent)
    os.chmod(temp, 0o755)
    try:
        for name, text in pages.items():
            with open(os.path.join(temp, name), "w", encoding="utf-8") as f:
                f.write(text)
        shutil.rmtree(out, ignore_errors=True)
        os.rename(temp, out)
    except OSError as e:
        shutil.rmtree(temp, ignore_errors=True)
        raise GuideError(f"cannot write the guide into {out}: {e.strerror}")


def main():
    parser = argparse.ArgumentParser(description="Builds the author's guide as HTML.")
    parser.add_argument("--exporter", required=True, help="the zu-guide-export program")
    parser.add_argument("--sfx", help="the zider-sfx program (for its --help)")
    parser.add_argument("--descriptions", default=os.path.join(DOCS, "entries.txt"))
    what = parser.add_mutually_exclusive_group(required=True)
    what.add_argument("--out", help="folder for the HTML pages (replaced)")
    what.add_argument("--check", action="store_true", help="only check the descriptions")
    args = parser.parse_args()
    if args.out and not args.sfx:
        parser.error("--out needs --sfx")
    try:
        pages = build(args)
        if pages is not None:
            write_pages(pages, args.out)
    except GuideError as e:
        print(f"build_guide: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
