# The caption fit check (dialog_fit_check.exe) under ctest, on wine's null display:
#
#   cmake -DWINE_RUN=<cmake/wine-run.sh> -DCHECK=<dialog_fit_check.exe>
#         [-DLANGUAGES_CHECK=<dialog_fit_check_languages.exe>] -P CaptionFitTest.cmake
#
# - every caption of the dialog and of the long German test form fits at 96, 120, 144 and 192 DPI;
# - each kind of caption made too long fails it: a one-line label, a wrapped label, a button, a
#   group box, a tab and the form's title;
# - a caption that fits at 96 DPI but not at 120 fails it there.
# - with LANGUAGES_CHECK, the dialog in Russian, Polish, Greek and Japanese too: every caption is
#   its window's text, whole, and fits; a Russian one made too long fails.
function(run_check expected_rc)
  cmake_parse_arguments(PARSE_ARGV 1 RUN "" "" "ARGS;EXPECT")
  execute_process(COMMAND bash "${WINE_RUN}" "${CHECK}" ${RUN_ARGS}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE rc)
  message(STATUS "dialog_fit_check ${RUN_ARGS}: exit ${rc}\n${output}${errors}")
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "dialog_fit_check ${RUN_ARGS} exited with ${rc}, not ${expected_rc}")
  endif()
  foreach(line IN LISTS RUN_EXPECT)
    if(NOT output MATCHES "${line}")
      message(FATAL_ERROR "dialog_fit_check ${RUN_ARGS} printed no line like '${line}'")
    endif()
  endforeach()
endfunction()

run_check(0 ARGS --dpi 96 --dpi 120 --dpi 144 --dpi 192
  EXPECT "192 DPI, English: [0-9]+ of [0-9]+ captions fit" "192 DPI, long German: ")

set(long "Korvane Wendrix configuration of the domain name, the server name and its port")
run_check(1 ARGS --dpi 96
  --caption Label2 "http://MyServer.example.com:"
  --caption Label7 "${long}, the mail server and the sender of every mail"
  --caption btOk "Save the configuration"
  --caption GroupBox2 "${long}, the mail server and the sender"
  --caption TabSheet1 "${long}, the mail server and the sender of every mail"
  --caption frmWendrixSetup "${long} - finalizing setup"
  EXPECT "96 DPI, English: Label2 .* runs under a sibling Edit window"
  "96 DPI, English: Label7 .* wraps to" "96 DPI, English: btOk .* inside the button's border"
  "96 DPI, English: GroupBox2 .* inside the group box's frame"
  "96 DPI, English: PageControl1 .* in one row" "96 DPI, English: frmWendrixSetup .* title bar")

# 'i' is two pixels wide in the dialog's font at 96 DPI and three at 120: the label ends right at
# the edit at 96 DPI and runs under it at 120.
run_check(1 ARGS --dpi 96 --dpi 120 --caption Label2 "http://iiiiiiiiiiiiiiiiiiiiiiii:"
  EXPECT "96 DPI, English: 17 of 17 captions fit" "120 DPI, English: Label2 .* runs under a sibling")

# The dialog built with the translations of tests/languages/po as well: every caption of every
# language is its window's text, every character of it, and fits; a Russian caption made too long
# does not.
if(LANGUAGES_CHECK)
  set(CHECK "${LANGUAGES_CHECK}")
  run_check(0 ARGS --dpi 96 --dpi 144 EXPECT "96 DPI, Russian: " "96 DPI, Polish: "
    "96 DPI, Greek: " "144 DPI, Japanese: ")
  run_check(1 ARGS --dpi 96 --caption btOk "Сохранить все настройки"
    EXPECT "96 DPI, Russian: btOk \"Сохранить все настройки\" needs [0-9]+ inside the button's")
endif()
