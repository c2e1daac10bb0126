# What `cmake --install <build> --prefix <p>` puts in place for other programs, in the folders
# of GNUInstallDirs (CMAKE_INSTALL_LIBDIR, _BINDIR, _INCLUDEDIR, _DATADIR; shown with their
# defaults):
#
#   <p>/lib                    the static libraries that Wendrix::LangControl links
#   <p>/include/wendrix/       the headers a program includes as <wendrix/...>, and the headers
#                              they include, at their paths in the source tree; every other header
#                              stays internal
#   <p>/bin                    formc and formtool, built for the machine that runs the build
#   <p>/share/wendrix/po/      the template of the library's own texts
#   <p>/lib/cmake/Wendrix/     the package, with its version file: find_package(Wendrix CONFIG)
#                              gives Wendrix::LangControl, Wendrix::formc, Wendrix::formtool and
#                              wendrix_add_form; a cross build adds the toolchain it was built with
#   <p>/lib/pkgconfig/         wendrix.pc, for programs built without CMake
#
# A program links Wendrix::LangControl; the libraries beneath it are exported by their own names
# (Wendrix::wdx_rtl, Wendrix::wdx_langcontrol, ...), each with its include folder and C++20, for
# it to link through. The setup program, the tests and the benchmarks are not installed.

include_guard(GLOBAL)
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

set(wdx_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Wendrix)
set(wdx_template_dir ${CMAKE_INSTALL_DATADIR}/wendrix/po)

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
  framework/controls/FormClass.h
  framework/controls/FormControl.h
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

# The libraries: every library of ours that `target` links, directly or through another, each
# after those that link it (the order a linker takes archives in), and the system's libraries
# they link, as linker flags.
function(_wdx_visit target)
  get_property(visited GLOBAL PROPERTY _wdx_visited)
  if(target IN_LIST visited)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY _wdx_visited ${target})
  get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  if(NOT links)
    set(links "")
  endif()
  foreach(link IN LISTS links)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
    if(link MATCHES "^wdx_" AND TARGET ${link})
      _wdx_visit(${link})
    elseif(TARGET ${link})
      get_target_property(system ${link} INTERFACE_LINK_LIBRARIES)
      set_property(GLOBAL APPEND PROPERTY _wdx_system ${system})
    elseif(NOT link MATCHES "^\\$<")
      set_property(GLOBAL APPEND PROPERTY _wdx_system ${link})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY _wdx_order ${target})
endfunction()

function(_wdx_linked_libraries target libraries system)
  set_property(GLOBAL PROPERTY _wdx_visited "")
  set_property(GLOBAL PROPERTY _wdx_order "")
  set_property(GLOBAL PROPERTY _wdx_system "")
  _wdx_visit(${target})
  get_property(order GLOBAL PROPERTY _wdx_order)
  list(REMOVE_ITEM order ${target})
  list(REVERSE order)
  get_property(linked GLOBAL PROPERTY _wdx_system)
  set(flags "")
  foreach(library IN LISTS linked)
    # A library's file (a found curses) as the name the linker looks it up by.
    if(library MATCHES "/lib([^/]+)\\.(so|a|dylib|dll\\.a)$")
      set(library "${CMAKE_MATCH_1}")
    endif()
    if(library AND NOT "-l${library}" IN_LIST flags)
      list(APPEND flags "-l${library}")
    endif()
  endforeach()
  set(${libraries} ${order} PARENT_SCOPE)
  set(${system} ${flags} PARENT_SCOPE)
endfunction()

_wdx_linked_libraries(wdx_package wdx_installed_libraries wdx_system_libraries)
install(TARGETS ${wdx_installed_libraries} wdx_package EXPORT WendrixTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT WendrixTargets NAMESPACE Wendrix:: DESTINATION ${wdx_package_dir})

# The headers, followed through their includes when the installation runs, so that the set
# always matches the sources; each include of another becomes #include <wendrix/...>.
install(CODE "set(WDX_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
set(WDX_PUBLIC_HEADERS \"${wdx_public_headers}\")
set(WDX_INCLUDE_DIR \"${CMAKE_INSTALL_INCLUDEDIR}\")")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/WendrixInstallHeaders.cmake")

install(PROGRAMS "$<TARGET_FILE:Wendrix::formc>" "$<TARGET_FILE:Wendrix::formtool>"
  DESTINATION ${CMAKE_INSTALL_BINDIR})
# The template of the library's own texts, which programs' templates take in.
install(FILES "${WENDRIX_LIBRARY_TEMPLATE}" DESTINATION ${wdx_template_dir})

# pkg-config's description of the package: the libraries in the order a linker takes them, then
# the system's; the folders of the tools and the template as variables, for a build that runs
# formc itself.
set(WDX_PC_LIBS "")
foreach(wdx_lib IN LISTS wdx_installed_libraries)
  get_target_property(wdx_type ${wdx_lib} TYPE)
  if(wdx_type STREQUAL "STATIC_LIBRARY")
    string(APPEND WDX_PC_LIBS " -l${wdx_lib}")
  endif()
endforeach()
list(JOIN wdx_system_libraries " " WDX_PC_SYSTEM_LIBS)
# The prefix is found from the file's own folder, <libdir>/pkgconfig, wherever it is installed.
set(WDX_PC_PREFIX "\${pcfiledir}/..")
string(REGEX MATCHALL "[^/]+" wdx_parts "${CMAKE_INSTALL_LIBDIR}")
foreach(wdx_part IN LISTS wdx_parts)
  string(APPEND WDX_PC_PREFIX "/..")
endforeach()
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
  set(WDX_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
endif()
foreach(wdx_dir IN ITEMS LIBDIR BINDIR INCLUDEDIR DATADIR)
  # A folder below the prefix is written from ${prefix}, so that the file moves with it.
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${wdx_dir}}")
    set(WDX_PC_${wdx_dir} "${CMAKE_INSTALL_${wdx_dir}}")
  else()
    set(WDX_PC_${wdx_dir} "\${prefix}/${CMAKE_INSTALL_${wdx_dir}}")
  endif()
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/wendrix.pc.in" "${PROJECT_BINARY_DIR}/package/wendrix.pc"
  @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/package/wendrix.pc"
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

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
set(WDX_TOOLS_DIR ${CMAKE_INSTALL_BINDIR})
set(WDX_TEMPLATE_DIR ${wdx_template_dir})
configure_package_config_file("${CMAKE_CURRENT_LIST_DIR}/WendrixConfig.cmake.in"
  "${PROJECT_BINARY_DIR}/package/WendrixConfig.cmake"
  INSTALL_DESTINATION ${wdx_package_dir}
  PATH_VARS WDX_TOOLS_DIR WDX_TEMPLATE_DIR)
write_basic_package_version_file("${PROJECT_BINARY_DIR}/package/WendrixConfigVersion.cmake"
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/package/WendrixConfig.cmake"
  "${PROJECT_BINARY_DIR}/package/WendrixConfigVersion.cmake" ${wdx_package_files}
  DESTINATION ${wdx_package_dir})
