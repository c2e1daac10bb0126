# Run by `cmake --install`: installs WDX_PUBLIC_HEADERS (paths below WDX_SOURCE_DIR) and every
# header they include with #include "...", each below <prefix>/include/wendrix at its path in the
# source tree.

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

list(SORT found)
foreach(header IN LISTS found)
  cmake_path(GET header PARENT_PATH folder)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/include/wendrix/${folder}" TYPE FILE
    FILES "${WDX_SOURCE_DIR}/${header}")
endforeach()
