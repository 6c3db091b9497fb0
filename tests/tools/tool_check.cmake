# Checks zider-sfx from the outside: output, exit status and written files.
cmake_minimum_required(VERSION 3.25)
# Inputs: TOOL, EMULATOR (may be empty), QUICK (ON: the few cases worth a slow
# emulator start), WORK (scratch folder).

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(failures 0)

include("${CMAKE_CURRENT_LIST_DIR}/tool_check_common.cmake")

# One line on stderr for a refused or failed run.
function(expect_one_error_line what)
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines n)
  expect("${what}: stderr lines" "${n}" "1")
endfunction()

set(blip "1.0000,1.0000,,0.1633,,0.1300,0.5386,,,,,,,,,,,,,1.0000,,,0.1000,\n")

run(--seed 1 --preset blip --print-csv)
expect("blip csv" "${out}" "${blip}")
expect("blip rc" "${rc}" "0")

run(--buffer-length 1 --seed 1 --reset --render reset.wav)
expect("render rc" "${rc}" "0")
file(SIZE "${WORK}/reset.wav" size)
expect("render size" "${size}" "50050")
file(READ "${WORK}/reset.wav" head LIMIT 44 HEX)
expect("wave header" "${head}"
       "524946467ac3000057415645666d7420100000000100010044ac000088580100020010006461746156c30000")

# A bad line does nothing at all: the earlier --save must not run.
run(--save early.sfs --seed 1 --bogus)
expect("unknown option rc" "${rc}" "2")
expect_one_error_line("unknown option")
if(EXISTS "${WORK}/early.sfs")
  message(SEND_ERROR "a refused command line wrote a file")
endif()

# The first failing operation stops the run; what was printed stays.
run(--no-generator --seed 1 --preset 6 --print-csv --render x.wav --save late.sfs)
expect("disabled render rc" "${rc}" "1")
expect("output before the failure" "${out}" "${blip}")
expect_one_error_line("disabled render")
if(EXISTS "${WORK}/late.sfs" OR EXISTS "${WORK}/x.wav")
  message(SEND_ERROR "operations after a failure ran")
endif()

if(NOT QUICK)
  foreach(bad "--seed;4294967296" "--seed;-2147483649" "--seed;1x" "--seed" "--buffer-length;-1"
          "--buffer-length;4294967296" "--set;3" "--set;a=1" "--set;2=" "--set;2=1e" "--preset;flute"
          "--render" "")
    run(${bad})
    expect("bad line [${bad}] rc" "${rc}" "2")
    expect_one_error_line("bad line [${bad}]")
  endforeach()

  # Host-style integers: negatives are their bit patterns, large values wrap nothing.
  run(--seed 1 --preset 4294967295 --preset -1 --preset 7 --print-csv)
  expect("out-of-range presets" "${out}" "1.0000,,,0.3000,,0.4000,0.3000,,,,,,,,,,,,,1.0000,,,,\n")
  run(--seed -1 --print-csv --seed 4294967295 --randomize --print-csv --seed -1 --randomize --print-csv)
  string(REPLACE "\n" ";" texts "${out}")
  list(GET texts 1 a)
  list(GET texts 2 b)
  expect("seed -1 equals 4294967295" "${a}" "${b}")

  run(--reset --set 1=3.7 --set 24=9 --set -1=9 --set 4294967295=9 --set 0=0.5 --print-csv)
  expect("set" "${out}" "0.5000,3.0000,,0.3000,,0.4000,0.3000,,,,,,,,,,,,,1.0000,,,,\n")
  run(--csv "0.5,-2.9,,,,,,,,,,,,,,,,,,,,,,9" --print-csv)
  expect("csv" "${out}" "0.5000,-2.0000,,,,,,,,,,,,,,,,,,,,,,9.0000\n")

  # Save, reset, load: the same text back; the saved file is 105 bytes.
  run(--seed 3 --preset explosion --mutate --save boom.sfs --print-csv --reset --load boom.sfs
      --print-csv)
  expect("save/load rc" "${rc}" "0")
  string(REPLACE "\n" ";" texts "${out}")
  list(GET texts 0 a)
  list(GET texts 1 b)
  expect("save/load round trip" "${a}" "${b}")
  file(SIZE "${WORK}/boom.sfs" size)
  expect("sfs size" "${size}" "105")

  file(WRITE "${WORK}/bad.sfs" "not a parameter file")
  foreach(f bad.sfs missing.sfs)
    run(--load ${f} --print-csv)
    expect("load ${f} rc" "${rc}" "1")
    expect("load ${f} prints nothing" "${out}" "")
  endforeach()
  run(--save no/such/dir/x.sfs)
  expect("unwritable save rc" "${rc}" "1")

  run(--buffer-length 0 --render empty.wav)
  file(SIZE "${WORK}/empty.wav" size)
  expect("empty render size" "${size}" "44")

  run(--list-presets --help)
  expect("help rc" "${rc}" "0")
  if(NOT out MATCHES "^0 coin\n1 laser\n2 explosion\n3 powerup\n4 hurt\n5 jump\n6 blip\nusage: ")
    message(SEND_ERROR "list and help: ${out}")
  endif()
  # The help is made from the option and preset tables: it names every preset
  # and wraps the options' texts within 80 columns.
  string(REGEX MATCHALL "\n[0-9]+ [a-z]+" presets "\n${out}")
  string(REGEX MATCH "  --preset P .*\n  --randomize" preset_help "${out}")
  foreach(p ${presets})
    string(REGEX REPLACE "^\n[0-9]+ " "" p "${p}")
    if(NOT preset_help MATCHES "[ ,]${p}[ ,]")
      message(SEND_ERROR "--help does not name preset ${p}")
    endif()
  endforeach()
  string(REPLACE ";" "," lines "${out}")
  string(REPLACE "\n" ";" lines "${lines}")
  foreach(line IN LISTS lines)
    string(LENGTH "${line}" n)
    if(n GREATER 80 AND line MATCHES "^  -|^    ")
      message(SEND_ERROR "--help line over 80 columns: ${line}")
    endif()
  endforeach()
endif()
