# The example settings dialog on the scripted front-end: settings.script drives every standard
# control and prints, in order, among its other lines, every line of settings.expected; each
# action below that does not fit its control ends the script with its message and exit code 3.
#
#   cmake -DPROGRAM=<settings_dialog> [-DWINE_RUN=<cmake/wine-run.sh>] -DHERE=<tests/controls>
#         -DWORK=<folder> -P ScriptedControls.cmake
set(run "${PROGRAM}")
if(WINE_RUN)
  set(run bash "${WINE_RUN}" "${PROGRAM}")
endif()

# run_script(<script file> <output variable> <exit code variable>)
function(run_script script out code)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env WENDRIX_UI=script:- LC_ALL=C ${run}
    INPUT_FILE "${script}" OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
  string(REPLACE "\r\n" "\n" output "${output}")
  set(${out} "${output}${errors}" PARENT_SCOPE)
  set(${code} "${rc}" PARENT_SCOPE)
endfunction()

run_script("${HERE}/settings.script" output rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the script ended with ${rc}:\n${output}")
endif()
file(STRINGS "${HERE}/settings.expected" expected ENCODING UTF-8)
set(rest "\n${output}")
foreach(line IN LISTS expected)
  string(FIND "${rest}" "\n${line}\n" at)
  if(at LESS 0)
    message(FATAL_ERROR "no line '${line}' where expected in:\n${output}")
  endif()
  string(LENGTH "\n${line}" skip)
  math(EXPR at "${at} + ${skip}")
  string(SUBSTRING "${rest}" ${at} -1 rest)
endforeach()

set(misfits
  "select cbColour 3|script: select cbColour 3: there is no such item"
  "select rgSize two|script: select rgSize two: not an item number"
  "check btOK|script: btOK is not a check box or radio button"
  "set cbColour Red|script: cbColour is not an edit"
  "select edName 0|script: edName is not a list"
  "page rgSize|script: rgSize is not a tab sheet")
foreach(misfit IN LISTS misfits)
  string(REPLACE "|" ";" parts "${misfit}")
  list(GET parts 0 action)
  list(GET parts 1 message)
  file(WRITE "${WORK}/misfit.script" "${action}\n")
  run_script("${WORK}/misfit.script" output rc)
  if(NOT rc EQUAL 3 OR NOT output MATCHES "${message}\n$")
    message(FATAL_ERROR "'${action}' gave exit code ${rc} and:\n${output}")
  endif()
endforeach()
