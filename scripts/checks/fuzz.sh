#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (outside the CMake presets) into
# build/fuzz/ and runs each for a bounded time from its seed corpus. New inputs
# found during the run go to build/fuzz/corpus-<target>/, never into the repo.
set -euo pipefail
root="${ZU_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
seconds="${ZU_FUZZ_SECONDS:-20}"
out="$root/build/fuzz"
mkdir -p "$out"

cxx="$(command -v clang++-14 || command -v clang++ || true)"
if [ -z "$cxx" ]; then
  echo "fuzz: clang++ not found (run scripts/setup)"
  exit 1
fi

flags=(-std=c++17 -O1 -g -I"$root" "-fsanitize=fuzzer,address,undefined"
       -fno-sanitize-recover=all -ffp-contract=off)
common=("$root/generator/generator_params.cpp" "$root/generator/variables.cpp")

status=0
for target in csv sfs set; do
  case "$target" in
    csv) sources=("$root/fuzz/csv_fuzz.cpp" "$root/generator/csv_text.cpp") ;;
    sfs) sources=("$root/fuzz/sfs_fuzz.cpp" "$root/generator/param_file.cpp") ;;
    set) sources=("$root/fuzz/set_fuzz.cpp" "$root/soundset/sound_set.cpp"
                  "$root/soundset/set_file_names.cpp" "$root/soundset/set_events.cpp"
                  "$root/generator/csv_text.cpp") ;;
  esac
  echo "fuzz: building $target"
  "$cxx" "${flags[@]}" "${sources[@]}" "${common[@]}" -o "$out/${target}_fuzz"
  work="$out/corpus-$target"
  mkdir -p "$work"
  echo "fuzz: running $target for ${seconds}s"
  if ! (cd "$out" && "./${target}_fuzz" -max_total_time="$seconds" -max_len=4096 \
          -print_final_stats=0 "$work" "$root/fuzz/corpus/$target" >"$out/$target.log" 2>&1); then
    echo "fuzz: $target FAILED; see $out/$target.log and the crash-* file in $out"
    tail -n 30 "$out/$target.log"
    status=1
  else
    echo "fuzz: $target ok ($(grep -c . "$out/$target.log") log lines)"
  fi
done
exit "$status"
