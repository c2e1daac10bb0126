# Run by `cmake --install`: installs WDX_PUBLIC_HEADERS (paths below WDX_SOURCE_DIR) and every
# header they include with #include "...", each below <prefix>/<WDX_INCLUDE_DIR>/wendrix at its path
# in the source tree. Each such include becomes #include <wendrix/...>, so that a program puts only
# <prefix>/<WDX_INCLUDE_DIR> on its include path and no header of its own can stand for one of the
# library's.

cmake_policy(VERSION 3.25)

set(pending ${WDX_PUBLIC_HEADERS})
set(found "")
while(pending)
  list(POP_FRONT pending header)
  if(header IN_LIST found)
    continue()
  endif()
  if(NOT EXISTS "${WDX_SOURCE_DIR}/${header}")
    message(FATAL_ERROR "installing the headers: ${header} not found in ${WDX_SOURCE_DIR}")
  endif()
  list(APPEND found ${header})
  file(STRINGS "${WDX_SOURCE_DIR}/${header}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    list(APPEND pending "${included}")
  endforeach()
endwhile()

if(IS_ABSOLUTE "${WDX_INCLUDE_DIR}")
  set(root "$ENV{DESTDIR}${WDX_INCLUDE_DIR}/wendrix")
else()
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${WDX_INCLUDE_DIR}/wendrix")
endif()
list(SORT found)
foreach(header IN LISTS found)
  file(READ "${WDX_SOURCE_DIR}/${header}" text)
  string(REGEX REPLACE "(#[ \t]*include[ \t]*)\"([^\"]+)\"" "\\1<wendrix/\\2>" text "${text}")
  set(target "${root}/${header}")
  # Written only when it changes, as file(INSTALL) would.
  set(old "")
  if(EXISTS "${target}")
    file(READ "${target}" old)
  endif()
  if(old STREQUAL text)
    message(STATUS "Up-to-date: ${target}")
  else()
    message(STATUS "Installing: ${target}")
    file(WRITE "${target}" "${text}")
  endif()
endforeach()
