# What `cmake --install <build> --prefix <p>` puts in place for other programs:
#
#   <p>/lib                  the static libraries that Wendrix::LangControl links
#   <p>/include/wendrix/     the headers a program includes, and the headers they include, at
#                            their paths in the source tree; every other header stays internal
#   <p>/bin                  formc and formtool, built for the machine that runs the build
#   <p>/share/wendrix/po/    the template of the library's own texts
#   <p>/lib/cmake/Wendrix/   the package, with its version file: find_package(Wendrix CONFIG)
#                            gives Wendrix::LangControl, Wendrix::formc, Wendrix::formtool and
#                            wendrix_add_form; a cross build adds the toolchain it was built with
#
# The setup program, the tests and the benchmarks are not installed.

include_guard(GLOBAL)
include(CMakePackageConfigHelpers)

set(wdx_package_dir lib/cmake/Wendrix)

# The headers a program includes (README: "Using the library in your program").
set(wdx_public_headers
  LangControl/Source/LangControl.h
  LangControl/Source/LangControlSystem.h
  app/EmbeddedForm.h
  app/FormClasses.h
  app/FrontEndChoice.h
  framework/controls/Application.h
  framework/controls/CheckBoxes.h
  framework/controls/ComCtrls.h
  framework/controls/Dialogs.h
  framework/controls/ExtCtrls.h
  framework/controls/Form.h
  framework/controls/ListControls.h
  framework/controls/Memo.h
  framework/controls/MessageBoxes.h
  framework/controls/RadioGroup.h
  framework/controls/StdCtrls.h
  framework/rtl/Texts.h
  framework/rtti/ClassRegistry.h
  framework/rtti/Published.h
  framework/ui/PlatformFrontEnd.h
  framework/ui/scripted/ScriptedFrontEnd.h
  framework/ui/scripted/ScriptedKinds.h
  platform/Console.h
  platform/DirectoryService.h
  platform/Files.h
  platform/Locale.h
  platform/LocaleFormat.h
  platform/Registry.h
  platform/Resources.h
  platform/System.h)
# The control kinds of the platform's front-end, for a program's own control classes.
if(WIN32)
  list(APPEND wdx_public_headers framework/ui/win32/WindowKinds.h)
else()
  list(APPEND wdx_public_headers framework/ui/terminal/DialogFocus.h
    framework/ui/terminal/DialogView.h framework/ui/terminal/KeyMatch.h
    framework/ui/terminal/TerminalKinds.h)
endif()

# The libraries: every library of ours that `target` links, directly or through another.
function(_wdx_linked_libraries target out)
  set(pending ${target})
  set(found "")
  while(pending)
    list(POP_FRONT pending current)
    get_target_property(links ${current} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS links)
      string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
      if(link MATCHES "^wdx_" AND TARGET ${link} AND NOT link IN_LIST found)
        list(APPEND found ${link})
        list(APPEND pending ${link})
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

_wdx_linked_libraries(wdx_package wdx_installed_libraries)
foreach(wdx_lib IN LISTS wdx_installed_libraries)
  # Wendrix::rtl, Wendrix::langcontrol, ...
  string(REGEX REPLACE "^wdx_" "" wdx_export_name ${wdx_lib})
  set_target_properties(${wdx_lib} PROPERTIES EXPORT_NAME ${wdx_export_name})
endforeach()
install(TARGETS ${wdx_installed_libraries} wdx_package EXPORT WendrixTargets
  ARCHIVE DESTINATION lib)
install(EXPORT WendrixTargets NAMESPACE Wendrix:: DESTINATION ${wdx_package_dir})

# The headers, followed through their includes when the installation runs, so that the set
# always matches the sources.
install(CODE "set(WDX_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
set(WDX_PUBLIC_HEADERS \"${wdx_public_headers}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/WendrixInstallHeaders.cmake")

install(PROGRAMS "$<TARGET_FILE:Wendrix::formc>" "$<TARGET_FILE:Wendrix::formtool>"
  DESTINATION bin)
# The template of the library's own texts, which programs' templates take in.
install(FILES "${WENDRIX_LIBRARY_TEMPLATE}" DESTINATION share/wendrix/po)

# The package. It records the system it was built for (and the toolchain of a cross build), the
# tools' file names, and whether the terminal front-end needs curses.
set(WDX_PACKAGE_SYSTEM ${CMAKE_SYSTEM_NAME})
if(CMAKE_HOST_WIN32)
  set(WDX_HOST_EXECUTABLE_SUFFIX .exe)
else()
  set(WDX_HOST_EXECUTABLE_SUFFIX "")
endif()
set(wdx_package_files "${CMAKE_CURRENT_LIST_DIR}/WendrixAddForm.cmake")
if(TARGET Wendrix::Curses)
  set(WDX_PACKAGE_NEEDS_CURSES TRUE)
  list(APPEND wdx_package_files "${CMAKE_CURRENT_LIST_DIR}/WendrixCurses.cmake")
else()
  set(WDX_PACKAGE_NEEDS_CURSES FALSE)
endif()
set(WDX_PACKAGE_TOOLCHAIN "")
if(CMAKE_CROSSCOMPILING AND CMAKE_TOOLCHAIN_FILE)
  list(APPEND wdx_package_files "${CMAKE_TOOLCHAIN_FILE}")
  cmake_path(GET CMAKE_TOOLCHAIN_FILE FILENAME WDX_PACKAGE_TOOLCHAIN)
endif()
configure_package_config_file("${CMAKE_CURRENT_LIST_DIR}/WendrixConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/package/WendrixConfig.cmake"
  INSTALL_DESTINATION ${wdx_package_dir})
write_basic_package_version_file("${PROJECT_BINARY_DIR}/package/WendrixConfigVersion.cmake"
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/package/WendrixConfig.cmake"
  "${PROJECT_BINARY_DIR}/package/WendrixConfigVersion.cmake" ${wdx_package_files}
  DESTINATION ${wdx_package_dir})
