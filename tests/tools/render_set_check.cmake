# Checks zider-sfx --render-set from the outside: the same files whatever the
# number of threads, each sound as the game's actions make it, and refusals
# that write nothing.
cmake_minimum_required(VERSION 3.25)
# Inputs: TOOL, EMULATOR (may be empty), WORK (scratch folder).

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

include("${CMAKE_CURRENT_LIST_DIR}/tool_check_common.cmake")

# Every file of a folder with its digest, one "name digest" per item.
function(digests dir out)
  file(GLOB files RELATIVE "${dir}" "${dir}/*")
  list(SORT files)
  set(list "")
  foreach(f IN LISTS files)
    file(SHA256 "${dir}/${f}" sum)
    list(APPEND list "${f} ${sum}")
  endforeach()
  set(${out} "${list}" PARENT_SCOPE)
endfunction()

# A set: CSV blocks from presets, bits blocks with NaN and infinity, noise,
# every buffer length from 0 to 10, hostile names and names equal up to case.
execute_process(COMMAND ${EMULATOR} "${TOOL}" --seed 5 --preset explosion --print-csv
                OUTPUT_VARIABLE boom OUTPUT_STRIP_TRAILING_WHITESPACE)
set(words "3f800000,00000003,00000000,3e99999a,00000000,3ecccccd,3e99999a,00000000")
string(APPEND words ",00000000,00000000,00000000,00000000,00000000,00000000,00000000,00000000")
string(APPEND words ",00000000,00000000,00000000,3f800000,00000000,00000000,00000000")
set(set "zider-uzazir-set 1\n# name\tbuffer length\tseed\tblock\n")
set(names "boom;CON;a\\b;Jump;jump;../x;nan;inf;été;z.;last")
set(length 0)
foreach(name IN LISTS names)
  math(EXPR seed "${length} * 1000 + 1")
  if(name STREQUAL "nan")
    set(block "bits:${words},7fc00000")
  elseif(name STREQUAL "inf")
    set(block "bits:${words},ff800000")
  else()
    set(block "${boom}")
  endif()
  string(APPEND set "${name}\t${length}\t${seed}\t${block}\n")
  math(EXPR length "${length} + 1")
endforeach()
string(APPEND set "max seed\t3\t4294967295\t${boom}\n")
file(WRITE "${WORK}/game.zus" "${set}")

run(--render-set game.zus --render-dir one --jobs 1)
expect("jobs 1 rc" "${rc}" "0")
expect("jobs 1 stderr (not a terminal)" "${err}" "")
run(--render-set game.zus --render-dir four --jobs 4)
expect("jobs 4 rc" "${rc}" "0")
digests("${WORK}/one" one)
digests("${WORK}/four" four)
expect("jobs 1 and jobs 4 give the same files" "${four}" "${one}")
list(LENGTH one count)
expect("files: 12 sounds x 2, events.txt, game.zus" "${count}" "26")
file(READ "${WORK}/one/game.zus" written)
expect("the set is written back as it was read" "${written}" "${set}")

# A sound of the set is what the game's actions make: seed, load, generate.
run(--buffer-length 1 --seed 1001 --load one/_CON.sfs --render ref.wav)
file(SHA256 "${WORK}/ref.wav" game)
file(SHA256 "${WORK}/one/_CON.wav" made)
expect("CON as the game makes it" "${made}" "${game}")

# Refusals write nothing: a folder behind a plain file, a malformed set.
file(WRITE "${WORK}/plain" "")
run(--render-set game.zus --render-dir plain/sub)
expect("folder behind a file rc" "${rc}" "1")
string(FIND "${err}" "zider-sfx: cannot make the folder plain/sub: " at)
expect("folder behind a file message" "${at}" "0")
file(WRITE "${WORK}/bad.zus" "zider-uzazir-set 1\nok\t5\t1\t${boom}\nbad\t5\t1\t1,2\n")
run(--render-set bad.zus --render-dir bad)
expect("malformed set rc" "${rc}" "1")
expect("malformed set message" "${err}"
       "zider-sfx: bad.zus: line 3, column 12: expected 24 comma-separated fields, found 2\n")
if(EXISTS "${WORK}/bad")
  message(SEND_ERROR "a malformed set made its folder")
endif()
