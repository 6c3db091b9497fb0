# Writes OUTPUT as the concatenation of the files in INPUTS (separated by
# "|"), in that order.
string(REPLACE "|" ";" INPUTS "${INPUTS}")
set(text "")
foreach(input IN LISTS INPUTS)
  if(input)
    file(READ ${input} part)
    string(APPEND text "${part}\n")
  endif()
endforeach()
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
