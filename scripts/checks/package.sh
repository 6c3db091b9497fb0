#!/usr/bin/env bash
# Builds the release package with scripts/package, unpacks it and checks it:
# the list of files; the DLL is the PE32 (i386) file that the windows preset
# built and its tests load, with the version the zip is named after;
# zider-sfx.exe is a PE32 console program that needs no compiler runtime DLL
# and, where Wine runs, renders and prints what the native tool does; every
# sound is byte for byte what zider-sfx renders; the guide lists every entry of
# the registry and carries the tool's real --help; the Studio page is there
# exactly when the tree has scripts/studio, and its links to the guide name
# pages of the zip. Also checks that the guide build
# refuses descriptions that miss an entry or name one that does not exist.
set -uo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
cd "$root" || exit 1
work="$root/build/package-check"
rm -rf "$work"
mkdir -p "$work"

log="$work/package.log"
if ! bash scripts/package >"$log" 2>&1; then
  tail -20 "$log"
  echo "package: scripts/package failed (log above)"
  exit 1
fi
zip="$(sed -n 's/^package: wrote \(\S*\) .*/\1/p' "$log")"
[ -f "$zip" ] || { echo "package: scripts/package names no zip it wrote"; exit 1; }

studio=0
[ -e scripts/studio ] && studio=1
# shellcheck source=../lib/run32.sh
source "$root/scripts/lib/run32.sh"
wine=yes
zu_run32 || wine="$ZU_RUN32_REASON"

if ! /usr/bin/python3 - "$zip" "$work" "$studio" "$wine" <<'EOF'
import html, json, os, re, struct, subprocess, sys, zipfile

zip_path, work, studio, wine = sys.argv[1], sys.argv[2], sys.argv[3] == "1", sys.argv[4]
sfx, exporter = "build/native/bin/zider-sfx", "build/native/bin/zu-guide-export"
failures = []
def fail(message):
    failures.append(message)

version = re.fullmatch(r"ZiderUzazir-(\d+)\.(\d+)\.(\d+)\.zip", os.path.basename(zip_path))
if not version:
    sys.exit(f"package: unexpected zip name {zip_path}")
top = os.path.basename(zip_path)[:-4]
unpacked = os.path.join(work, "unpacked")
with zipfile.ZipFile(zip_path) as z:
    if z.testzip() is not None:
        sys.exit(f"package: {zip_path} is damaged")
    z.extractall(unpacked)
    names = set(z.namelist())
pkg = os.path.join(unpacked, top)
def read(name):
    with open(os.path.join(pkg, name), "rb") as f:
        return f.read()

# --- The list of files --------------------------------------------------------------
presets = ["coin", "laser", "explosion", "powerup", "hurt", "jump", "blip"]
expected = {"ZiderUzazir.dll", "zider-sfx.exe", "README.txt", "LICENSE", "CHANGES"}
expected |= {f"guide/{p}.html" for p in ["index", "reference", "synthesizer", "recipes", "sound-sets", "zider-sfx"]}
expected |= {f"sounds/{p}.{ext}" for p in presets for ext in ["wav", "sfs", "csv"]}
if studio:
    expected.add("Studio.html")
got = {n[len(top) + 1:] for n in names if n.startswith(top + "/")}
if names != {f"{top}/{n}" for n in got}:
    fail(f"entries outside the folder {top}/")
for n in sorted(expected - got):
    fail(f"missing from the zip: {n}")
for n in sorted(got - expected):
    fail(f"unexpected in the zip: {n}")

def pe_header(data):
    """(machine, characteristics, optional header magic, subsystem) of a PE file, or None."""
    pe = struct.unpack_from("<I", data, 0x3C)[0] if len(data) > 0x40 and data[:2] == b"MZ" else None
    if pe is None or len(data) < pe + 24 + 70 or data[pe:pe + 4] != b"PE\0\0":
        return None
    return (struct.unpack_from("<H", data, pe + 4)[0], struct.unpack_from("<H", data, pe + 22)[0],
            struct.unpack_from("<H", data, pe + 24)[0], struct.unpack_from("<H", data, pe + 24 + 68)[0])

# --- The DLL: the tested file, PE32 i386, the zip's version ------------------------
dll = read("ZiderUzazir.dll")
with open("build/windows/bin/ZiderUzazir.dll", "rb") as f:
    if f.read() != dll:
        fail("ZiderUzazir.dll differs from build/windows/bin/ZiderUzazir.dll")
header = pe_header(dll)
if header is None:
    fail("ZiderUzazir.dll is not a PE file")
else:
    machine, characteristics, magic, _ = header
    if machine != 0x14C or magic != 0x10B or not characteristics & 0x2000:
        fail(f"ZiderUzazir.dll is not a 32-bit i386 DLL (machine {machine:#x}, magic {magic:#x})")
fixed = dll.find(struct.pack("<I", 0xFEEF04BD))
if fixed < 0:
    fail("ZiderUzazir.dll has no version resource")
else:
    ms, ls = struct.unpack_from("<II", dll, fixed + 8)
    have = (ms >> 16, ms & 0xFFFF, ls >> 16)
    want = tuple(int(g) for g in version.groups())
    if have != want:
        fail(f"the DLL's version is {'.'.join(map(str, have))}, the zip's {'.'.join(map(str, want))}")

# --- Sounds: what zider-sfx renders from seed 1 -------------------------------------
fresh = os.path.join(work, "fresh")
os.makedirs(fresh)
for p in presets:
    base = os.path.join(fresh, p)
    csv = subprocess.run([sfx, "--seed", "1", "--preset", p, "--render", base + ".wav",
                          "--save", base + ".sfs", "--print-csv"], capture_output=True, check=True).stdout
    with open(base + ".csv", "wb") as f:
        f.write(csv)
    for ext in ["wav", "sfs", "csv"]:
        with open(f"{base}.{ext}", "rb") as f:
            if f.read() != read(f"sounds/{p}.{ext}"):
                fail(f"sounds/{p}.{ext} differs from what zider-sfx renders")

# --- Guide: every registry entry, the real --help -----------------------------------
reference = read("guide/reference.html").decode()
entries = json.loads(subprocess.run([exporter], capture_output=True, check=True).stdout)
if len(entries) != 103:
    fail(f"the registry export has {len(entries)} entries, not 103")
for e in entries:
    anchor = f'id="{e["kind"]}-{e["code"]}"'
    block = reference.split(anchor, 1)[1].split('<div class="entry"', 1)[0] if anchor in reference else ""
    if f"<code>{html.escape(e['displayText'])}</code>" not in block:
        fail(f"the guide lacks {e['kind']} {e['code']} \"{e['displayText']}\"")
    for p in e["params"]:
        if html.escape(p["title"]) not in block:
            fail(f"the guide lacks the parameter \"{p['title']}\" of {e['kind']} {e['code']}")
manual = read("guide/zider-sfx.html").decode()
shown = re.search(r'<pre id="zider-sfx-help">(.*?)</pre>', manual, re.S)
help_text = subprocess.run([sfx, "--help"], capture_output=True, text=True, check=True).stdout
if not shown or html.unescape(shown.group(1)) != help_text:
    fail("guide/zider-sfx.html does not show the output of zider-sfx --help")

# --- zider-sfx.exe: PE32 console, static; under Wine the native tool's bytes --------
exe_path = os.path.join(pkg, "zider-sfx.exe")
header = pe_header(read("zider-sfx.exe"))
if header is None:
    fail("zider-sfx.exe is not a PE file")
else:
    machine, characteristics, magic, subsystem = header
    if machine != 0x14C or magic != 0x10B or characteristics & 0x2000 or subsystem != 3:
        fail(f"zider-sfx.exe is not a 32-bit i386 console program (machine {machine:#x}, "
             f"magic {magic:#x}, characteristics {characteristics:#x}, subsystem {subsystem})")
dump = subprocess.run(["i686-w64-mingw32-objdump", "-p", exe_path], capture_output=True, text=True).stdout
imports = re.findall(r"^\s*DLL Name: (\S+)", dump, re.M)
if not imports:
    fail("zider-sfx.exe: objdump lists no imported DLL")
for name in imports:
    if name.lower() not in {"kernel32.dll", "advapi32.dll", "msvcrt.dll", "user32.dll", "ntdll.dll"}:
        fail(f"zider-sfx.exe imports {name}, which is not a Windows system DLL (link it statically)")
if wine == "yes":
    def wine_run(*args):
        return subprocess.run([os.path.join(os.getcwd(), "cmake/wine-run"), exe_path, *args], cwd=work,
                              capture_output=True, timeout=300).stdout.replace(b"\r", b"")
    def native(name):
        with open(os.path.join(fresh, name), "rb") as f:
            return f.read()
    rendered = os.path.join(work, "wine-explosion.wav")
    csv = wine_run("--seed", "1", "--preset", "explosion", "--render", os.path.basename(rendered), "--print-csv")
    if csv != native("explosion.csv"):
        fail("zider-sfx.exe under Wine prints another CSV text for seed 1, explosion")
    if not os.path.exists(rendered):
        fail("zider-sfx.exe under Wine wrote no explosion.wav")
    else:
        with open(rendered, "rb") as f:
            if f.read() != native("explosion.wav"):
                fail("zider-sfx.exe under Wine renders seed 1, explosion differently from zider-sfx")
    if wine_run("--help").decode() != help_text:
        fail("zider-sfx.exe --help differs from the help text in the guide")
else:
    print(f"package: zider-sfx.exe not run: {wine}")

if b"Copyright (c) 2026 The Zider Uzazir team" not in read("LICENSE"):
    fail("LICENSE lacks the copyright line")
if studio and b"Studio.html" not in read("README.txt"):
    fail("README.txt does not mention Studio.html")
if b"zider-sfx.exe" not in read("README.txt"):
    fail("README.txt does not mention zider-sfx.exe")
if studio:
    links = re.findall(r'href="(guide/[^"#]+)', read("Studio.html").decode("utf-8", "replace"))
    if not links:
        fail("Studio.html has no link to the guide")
    for link in sorted(set(links) - got):
        fail(f"Studio.html links to {link}, which the zip does not hold")

for message in failures:
    print(f"package: {message}")
sys.exit(1 if failures else 0)
EOF
then
  exit 1
fi

# The guide build refuses a description file that misses an entry or names one
# that does not exist, and says which.
broken="$work/entries-broken.txt"
sed -e '/^action 3: Randomize sound$/,/^action 4:/{/^action 4:/!d}' docs/entries.txt >"$broken"
printf '\naction 58: Play everything\nNo such action.\n' >>"$broken"
if /usr/bin/python3 docs/build_guide.py --exporter build/native/bin/zu-guide-export \
  --descriptions "$broken" --check 2>"$work/broken.txt"; then
  echo "package: the guide build accepted descriptions without action 3"
  exit 1
fi
for want in 'no description of action 3 "Randomize sound"' 'describes action 58 "Play everything", which does not exist'; do
  grep -qF "$want" "$work/broken.txt" || { echo "package: the guide build did not report: $want"; cat "$work/broken.txt"; exit 1; }
done

echo "package: ok ($(basename "$zip"), $(stat -c %s build/windows/bin/ZiderUzazir.dll)-byte DLL)"
