# The test program built with languages/po, on the scripted front-end: switched to each language
# that a PO file there adds (its Language-Team), its dump shows every text of the form the file
# translates, exactly, where the form puts it.
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
  set(fuzzy OFF)
  set(ofForm OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "^\"Language-Team: (.*)\\\\n\"$")
      set(language "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^#,.*fuzzy")
      set(fuzzy ON)  # a guess of msgmerge's, which the build leaves out
    elseif(line MATCHES "^#: .*\\.frm:")
      set(ofForm ON)  # a text of the form, not of the program's code, which the dump shows
    elseif(line MATCHES "^msgctxt \"(.*)\"$")
      string(REPLACE "Owner." "frmWendrixSetup." context "${CMAKE_MATCH_1}")
      if(fuzzy OR NOT ofForm)
        set(context "")
      endif()
      set(fuzzy OFF)
      set(ofForm OFF)
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

# A French user (the language from the locale; wine takes its own): Save's box speaks French, and
# after a switch to German, German.
if(NOT WINE_RUN)
  foreach(case IN ITEMS
      "click btOk@box Avertissement | L'installation n'a pas pu configurer le serveur web."
      "lang German;click btOk@box Warnung | Das Setup konnte den Webserver nicht konfigurieren.")
    string(REPLACE "@" ";" case "${case}")
    list(POP_BACK case expected)
    list(JOIN case "\n" actions)
    file(WRITE "${WORK}/languages.script" "${actions}\nanswer OK\n")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env WENDRIX_UI=script:- LANG=fr_FR.UTF-8
      LC_ALL= LC_MESSAGES= "WENDRIX_METABASE=${WORK}/languages-no-iis.ini" ${run} 0
      INPUT_FILE "${WORK}/languages.script" OUTPUT_VARIABLE shown ERROR_VARIABLE errors)
    string(FIND "\n${shown}" "\n${expected}" at)
    if(at LESS 0)
      message(FATAL_ERROR "a French user's ${actions}: no '${expected}' in:\n${shown}${errors}")
    endif()
  endforeach()
  message(STATUS "French: Save's box in French, and in German after the switch")
endif()

# Arabic mirrors the form, and English takes the mirroring back.
file(WRITE "${WORK}/languages.script" "lang Arabic\ndump\nlang English\ndump\n")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env WENDRIX_UI=script:-
  "WENDRIX_METABASE=${WORK}/languages-no-iis.ini" ${run} 0
  INPUT_FILE "${WORK}/languages.script" OUTPUT_VARIABLE dump ERROR_VARIABLE errors)
string(REGEX MATCHALL "BiDiMode=[A-Za-z]+" modes "${dump}")
if(NOT modes STREQUAL "BiDiMode=bdRightToLeft")
  message(FATAL_ERROR "Arabic then English: the dumps show '${modes}', not one bdRightToLeft:\n"
    "${dump}${errors}")
endif()
message(STATUS "Arabic: the form reads right to left, and left to right again in English")
file(REMOVE "${WORK}/languages.script" "${WORK}/languages-no-iis.ini")
