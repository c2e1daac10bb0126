# The form compiler and formtool that a cross build runs and installs: the same programs built for
# the machine that builds, by a build of this source tree with the host's compilers (only the
# tools and what they need), inside the cross build's tree. They become the executable targets
# Wendrix::formc and Wendrix::formtool. WDX_HOST_TOOLS_DIR names a folder that holds both already
# (a native build's bin/, say) and skips that build.

include_guard(GLOBAL)
include(ExternalProject)

set(WDX_HOST_TOOLS_DIR "" CACHE PATH
  "Folder with formc and formtool built for this machine (empty: build them)")

if(WDX_HOST_TOOLS_DIR)
  set(wdx_host_bin "${WDX_HOST_TOOLS_DIR}")
else()
  set(wdx_host_tree "${PROJECT_BINARY_DIR}/host-tools")
  set(wdx_host_bin "${wdx_host_tree}/bin")
  set(wdx_host_args -DWDX_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG")
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND wdx_host_args "-DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}")
  endif()
  ExternalProject_Add(wdx_host_tools
    SOURCE_DIR "${PROJECT_SOURCE_DIR}"
    BINARY_DIR "${wdx_host_tree}"
    CMAKE_ARGS ${wdx_host_args}
    BUILD_COMMAND "${CMAKE_COMMAND}" --build <BINARY_DIR> --target formc formtool
    BUILD_BYPRODUCTS "${wdx_host_bin}/formc" "${wdx_host_bin}/formtool"
    INSTALL_COMMAND ""
    # Its own build decides what is out of date in it.
    BUILD_ALWAYS TRUE
    USES_TERMINAL_BUILD TRUE)
endif()

foreach(wdx_tool IN ITEMS formc formtool)
  add_executable(Wendrix::${wdx_tool} IMPORTED GLOBAL)
  # No emulator: these run where the build runs.
  set_target_properties(Wendrix::${wdx_tool} PROPERTIES
    IMPORTED_LOCATION "${wdx_host_bin}/${wdx_tool}"
    CROSSCOMPILING_EMULATOR "")
  if(TARGET wdx_host_tools)
    add_dependencies(Wendrix::${wdx_tool} wdx_host_tools)
  endif()
endforeach()
