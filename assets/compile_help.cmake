# Runs chmcmd on the help project and fails on any error it prints: chmcmd
# itself ends with 0 even when a link names an anchor that no page defines.
# Called as: cmake -DCHMCMD=... -DPROJECT_FILE=... -DOUTPUT=... -P compile_help.cmake
execute_process(
  COMMAND ${CHMCMD} --verbosity 0 ${PROJECT_FILE}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
string(REGEX MATCHALL "Error:[^\n]*" errors "${output}")
if(NOT result EQUAL 0 OR errors)
  # A help file with dead links is not left behind to pass the next build.
  file(REMOVE ${OUTPUT})
  string(REPLACE ";" "\n" errors "${errors}")
  message(FATAL_ERROR "The help does not compile cleanly:\n${errors}\n${output}")
endif()
