# The test program built with languages/po, on the scripted front-end: switched to each language
# that a PO file there adds (its Language-Team), its dump shows every text the file translates,
# exactly, where the form puts it.
#
#   cmake -DPROGRAM=<WDXConfigLanguages> [-DWINE_RUN=<cmake/wine-run.sh>] -DPO_DIR=<languages/po>
#         -DWORK=<folder> -P ScriptedDump.cmake
set(run "${PROGRAM}")
if(WINE_RUN)
  set(run bash "${WINE_RUN}" "${PROGRAM}")
endif()
file(WRITE "${WORK}/languages-no-iis.ini" "")
file(GLOB pos "${PO_DIR}/*.po")
foreach(po IN LISTS pos)
  file(STRINGS "${po}" lines ENCODING UTF-8)
  set(language "")
  set(context "")
  set(expected "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^\"Language-Team: (.*)\\\\n\"$")
      set(language "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^msgctxt \"(.*)\"$")
      string(REPLACE "Owner." "frmWendrixSetup." context "${CMAKE_MATCH_1}")
    elseif(context AND line MATCHES "^msgstr \"(.+)\"$")
      string(REPLACE "\\\"" "\"" text "${CMAKE_MATCH_1}")
      list(APPEND expected "${context}=${text}")
    endif()
  endforeach()
  file(WRITE "${WORK}/languages.script" "lang ${language}\ndump\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env WENDRIX_UI=script:-
    "WENDRIX_METABASE=${WORK}/languages-no-iis.ini" ${run} 0
    INPUT_FILE "${WORK}/languages.script" OUTPUT_VARIABLE dump ERROR_VARIABLE errors
    RESULT_VARIABLE rc)
  list(LENGTH expected count)
  # The script ends with the dialog open: exit code 4.
  if(NOT rc EQUAL 4 OR count LESS 10)
    message(FATAL_ERROR "${po}: ${language}, ${count} texts: the program exited with ${rc}\n"
      "${dump}${errors}")
  endif()
  foreach(line IN LISTS expected)
    string(FIND "\n${dump}" "\n${line}\n" at)
    if(at LESS 0)
      message(FATAL_ERROR "${language}: the dump has no line '${line}':\n${dump}${errors}")
    endif()
  endforeach()
  message(STATUS "${language}: the dump shows the ${count} texts of ${po}")
endforeach()
file(REMOVE "${WORK}/languages.script" "${WORK}/languages-no-iis.ini")
