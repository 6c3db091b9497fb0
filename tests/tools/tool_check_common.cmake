# What the zider-sfx checks share: running the tool in the scratch folder and
# comparing a result. Inputs: TOOL, EMULATOR (may be empty), WORK.

# Runs the tool with the given arguments; sets out, err and rc.
function(run)
  execute_process(COMMAND ${EMULATOR} "${TOOL}" ${ARGN}
                  WORKING_DIRECTORY "${WORK}"
                  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(out "${o}" PARENT_SCOPE)
  set(err "${e}" PARENT_SCOPE)
  set(rc "${r}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(SEND_ERROR "${what}: got [${actual}], want [${expected}]")
  endif()
endfunction()
