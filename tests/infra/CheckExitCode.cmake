# Runs the exit probe (under the emulator, if any) and checks that the exit
# code it asks for is the one that comes back.
foreach(code IN ITEMS 0 3 200)
  execute_process(COMMAND ${EMULATOR} ${PROBE} ${code}
    RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc STREQUAL "${code}")
    message(FATAL_ERROR "probe asked for exit code ${code}, got '${rc}'")
  endif()
endforeach()
