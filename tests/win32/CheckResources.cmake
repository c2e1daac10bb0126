# Checks the resources that the built WDXConfig.exe holds, as windres prints them:
#
#   cmake -DWINDRES=<windres> -DPROGRAM=<WDXConfig.exe> -P CheckResources.cmake
#
# - the form TFRMWENDRIXSETUP is an RCDATA resource of the neutral language (LANGUAGE 0, 0);
# - the program icon MAINICON has the seven sizes of 96 to 192 DPI (16, 20, 24, 32, 40, 48, 64);
# - the manifest (resource 1 of type 24) asks to run as administrator, names Windows 7 to 11
#   as supported, depends on Common Controls 6 and declares per-monitor DPI awareness (V2, with
#   the older element for systems before it).
execute_process(COMMAND "${WINDRES}" --input "${PROGRAM}" --output-format rc
  OUTPUT_VARIABLE listing RESULT_VARIABLE printed ERROR_VARIABLE problem)
if(NOT printed EQUAL 0)
  message(FATAL_ERROR "windres cannot read ${PROGRAM}: ${problem}")
endif()

# Walk the listing: windres names the language before the first resource and at each change.
string(REPLACE ";" "," listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(language "")
set(form_language "")
set(manifest_language "")
set(in_manifest FALSE)
set(manifest "")
set(icon_images 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^LANGUAGE ([0-9]+), ([0-9]+)")
    set(language "${CMAKE_MATCH_1}, ${CMAKE_MATCH_2}")
  elseif(line MATCHES "^\"TFRMWENDRIXSETUP\" RCDATA")
    set(form_language "${language}")
  elseif(line MATCHES "^[0-9]+ 3 ")  # an image of the one icon, MAINICON
    math(EXPR icon_images "${icon_images} + 1")
  elseif(line MATCHES "^1 24 ")
    set(manifest_language "${language}")
    set(in_manifest TRUE)
  elseif(in_manifest AND line STREQUAL "END")
    set(in_manifest FALSE)
  elseif(in_manifest AND line MATCHES "^ *\"(.*)\"$")
    set(manifest "${manifest}${CMAKE_MATCH_1}")
  endif()
endforeach()
string(REPLACE "\"\"" "\"" manifest "${manifest}")

set(failures "")
if(NOT form_language STREQUAL "0, 0")
  list(APPEND failures "TFRMWENDRIXSETUP is not language-neutral (LANGUAGE ${form_language})")
endif()
if(NOT icon_images EQUAL 7)
  list(APPEND failures "the program icon MAINICON has ${icon_images} images, not 7")
endif()
if(manifest STREQUAL "")
  list(APPEND failures "no manifest (resource 1 of type 24)")
elseif(NOT manifest_language STREQUAL "0, 0")
  list(APPEND failures "the manifest is not language-neutral (LANGUAGE ${manifest_language})")
endif()
foreach(expected IN ITEMS
    "<requestedExecutionLevel level=\"requireAdministrator\" uiAccess=\"false\"/>"
    "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
    "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>"
    "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>"
    "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"
    "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"
    ">true/pm</dpiAware>"
    ">PerMonitorV2, PerMonitor</dpiAwareness>")
  string(FIND "${manifest}" "${expected}" at)
  if(at EQUAL -1)
    list(APPEND failures "the manifest lacks ${expected}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "${PROGRAM}:\n  ${text}")
endif()
message(STATUS "${PROGRAM}: form and manifest language-neutral, program icon of 7 sizes; "
  "administrator, Windows 7 to 11, Common Controls 6, per-monitor DPI aware")
