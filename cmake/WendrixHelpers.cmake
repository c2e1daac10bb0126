# Target functions shared by every CMakeLists.txt of the project:
#
#   wdx_library(<name> SOURCES <files...> [DEPS <targets...>])
#   wdx_executable(<name> [WIN32] SOURCES <files...> [DEPS <targets...>])
#   wdx_test(<name> SOURCES <files...> [DEPS <targets...>] [TIMEOUT <seconds>]
#            [FIXTURE <ctest fixture its tests require>])
#   wdx_benchmark(<name> SOURCES <files...> [DEPS <targets...>])
#
# All of them put the repository root on the include path and compile with
# warnings as errors.

include_guard(GLOBAL)
include(GNUInstallDirs)

set(WDX_WARNING_FLAGS -Wall -Wextra -Werror)
# GCC 12 reports impossible overlaps inside std::string's own copy routines once they are
# inlined at -O2 (-Wrestrict false positives in libstdc++); the check says nothing about our code.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND WDX_WARNING_FLAGS -Wno-restrict)
endif()

# ---------------------------------------------------------------------------
# Fuzzing build (-DWDX_FUZZ=ON, clang only)
# ---------------------------------------------------------------------------
# Every library is instrumented for libFuzzer and the sanitizers, so the fuzz
# targets in fuzz/ see coverage and memory errors inside the code they drive.
# Only the fuzz targets themselves link the libFuzzer driver (WDX_FUZZ_FLAGS).
option(WDX_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)
if(WDX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang" OR CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "WDX_FUZZ=ON needs a native clang build (CXX=clang++-14).")
  endif()
  set(WDX_FUZZ_FLAGS -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# ---------------------------------------------------------------------------
# GoogleTest
# ---------------------------------------------------------------------------
# Natively the system package is used. A cross build cannot link the host's
# libraries, so it compiles GoogleTest from the Debian source package.
if(CMAKE_CROSSCOMPILING)
  set(WDX_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources for cross builds")
  if(NOT EXISTS "${WDX_GTEST_SOURCE_DIR}/CMakeLists.txt")
    message(FATAL_ERROR
      "GoogleTest sources not found in ${WDX_GTEST_SOURCE_DIR}; "
      "install the Debian package 'googletest' (scripts/install-deps.sh).")
  endif()
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_build_tests OFF CACHE BOOL "" FORCE)
  set(gtest_build_samples OFF CACHE BOOL "" FORCE)
  set(gmock_build_tests OFF CACHE BOOL "" FORCE)
  # SYSTEM: its headers are system headers to our code, so their warnings
  # never fail our -Werror build. EXCLUDE_FROM_ALL: built only when a test
  # links it.
  add_subdirectory("${WDX_GTEST_SOURCE_DIR}" "${PROJECT_BINARY_DIR}/_deps/googletest"
    EXCLUDE_FROM_ALL SYSTEM)
  # Its speed does not matter to the tests; its build time does.
  foreach(gtest_target gtest gtest_main gmock gmock_main)
    target_compile_options(${gtest_target} PRIVATE -O0)
  endforeach()
  set(WDX_HAVE_GTEST TRUE)
else()
  find_package(GTest CONFIG QUIET)
  if(NOT GTest_FOUND)
    find_package(GTest MODULE QUIET)
  endif()
  if(GTest_FOUND AND TARGET GTest::gtest_main AND TARGET GTest::gmock)
    set(WDX_HAVE_GTEST TRUE)
    include(GoogleTest)
  else()
    set(WDX_HAVE_GTEST FALSE)
    message(WARNING "GoogleTest (libgtest-dev, libgmock-dev) not found: tests are not built. "
      "Run scripts/install-deps.sh.")
  endif()
endif()

# ---------------------------------------------------------------------------
# Google Benchmark (native builds only)
# ---------------------------------------------------------------------------
option(WDX_BENCHMARKS "Build the benchmarks in bench/ (when Google Benchmark is found)" ON)
set(WDX_HAVE_BENCHMARK FALSE)
if(WDX_BENCHMARKS AND NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark CONFIG QUIET)
  if(benchmark_FOUND AND TARGET benchmark::benchmark)
    set(WDX_HAVE_BENCHMARK TRUE)
  endif()
endif()

# ---------------------------------------------------------------------------
# Start-up of the programs
# ---------------------------------------------------------------------------
# A program linked against the shared C++ library spends most of its start-up in the dynamic
# loader, binding thousands of that library's symbols, before main runs. The programs
# (wdx_executable) therefore take the C++ runtime statically on every build; the Windows build
# links everything statically anyway. A sanitizer build keeps the shared runtime, whose allocator
# the sanitizer's must replace.
if(CMAKE_CXX_FLAGS MATCHES "-fsanitize")
  set(wdx_static_runtime_default OFF)
else()
  set(wdx_static_runtime_default ON)
endif()
option(WDX_STATIC_CXX_RUNTIME "Link the programs' C++ runtime statically (faster start-up)"
  ${wdx_static_runtime_default})

# Per-test-case timeout natively; per-executable timeout under the emulator,
# where one process runs every case of the binary.
set(WDX_TEST_TIMEOUT_NATIVE 300 CACHE STRING "ctest timeout (s) of one native test case")
set(WDX_TEST_TIMEOUT_EMULATED 1800 CACHE STRING "ctest timeout (s) of one test binary under the emulator")

# ---------------------------------------------------------------------------
# Internals
# ---------------------------------------------------------------------------
function(_wdx_parse fn)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "WIN32" "TIMEOUT;FIXTURE" "SOURCES;DEPS")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "${fn}(${ARGV1}): unknown arguments: ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_SOURCES)
    message(FATAL_ERROR "${fn}(${ARGV1}): SOURCES is required")
  endif()
  set(WDX_SOURCES "${ARG_SOURCES}" PARENT_SCOPE)
  set(WDX_DEPS "${ARG_DEPS}" PARENT_SCOPE)
  set(WDX_WIN32 "${ARG_WIN32}" PARENT_SCOPE)
  set(WDX_TIMEOUT "${ARG_TIMEOUT}" PARENT_SCOPE)
  set(WDX_FIXTURE "${ARG_FIXTURE}" PARENT_SCOPE)
endfunction()

function(_wdx_common target)
  target_compile_options(${target} PRIVATE ${WDX_WARNING_FLAGS})
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}")
endfunction()

function(_wdx_program target)
  _wdx_common(${target})
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")
  if(MINGW)
    # One self-contained .exe: no libstdc++/libgcc/winpthread DLLs beside it.
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# ---------------------------------------------------------------------------
# Public functions
# ---------------------------------------------------------------------------
function(wdx_library name)
  _wdx_parse(wdx_library ${name} ${ARGN})
  add_library(${name} STATIC ${WDX_SOURCES})
  _wdx_common(${name})
  # Installed, the headers keep their paths below <includedir>/wendrix and are included as
  # <wendrix/...> (cmake/WendrixInstall.cmake).
  target_include_directories(${name} PUBLIC "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>"
    "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
  # Whatever links it compiles with C++20, as its headers need.
  target_compile_features(${name} PUBLIC cxx_std_20)
  if(WDX_DEPS)
    target_link_libraries(${name} PUBLIC ${WDX_DEPS})
  endif()
endfunction()

function(wdx_executable name)
  _wdx_parse(wdx_executable ${name} ${ARGN})
  if(WDX_WIN32)
    add_executable(${name} WIN32 ${WDX_SOURCES})
  else()
    add_executable(${name} ${WDX_SOURCES})
  endif()
  _wdx_program(${name})
  if(WDX_STATIC_CXX_RUNTIME AND NOT MINGW)
    target_link_options(${name} PRIVATE -static-libstdc++ -static-libgcc)
  endif()
  if(WDX_DEPS)
    target_link_libraries(${name} PRIVATE ${WDX_DEPS})
  endif()
endfunction()

function(wdx_test name)
  _wdx_parse(wdx_test ${name} ${ARGN})
  if(NOT WDX_HAVE_GTEST)
    return()
  endif()
  add_executable(${name} ${WDX_SOURCES})
  _wdx_program(${name})
  target_link_libraries(${name} PRIVATE ${WDX_DEPS} GTest::gmock GTest::gtest_main)
  # The tests' own code is mostly GoogleTest's templates, which the optimiser spends most of
  # the build on; the libraries under test keep the preset's optimisation.
  target_compile_options(${name} PRIVATE -O0)
  # Compiled four files at a time: each test file parses GoogleTest's headers anew, which is
  # most of its cost once unoptimised.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 4)

  if(CMAKE_CROSSCOMPILING)
    # One ctest entry per binary: starting the emulator once per test case
    # would cost seconds each. The emulator is prefixed by ctest itself.
    set(timeout ${WDX_TEST_TIMEOUT_EMULATED})
    if(WDX_TIMEOUT)
      set(timeout ${WDX_TIMEOUT})
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout} LABELS "gtest")
    if(WDX_FIXTURE)
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${WDX_FIXTURE})
    endif()
  else()
    set(timeout ${WDX_TEST_TIMEOUT_NATIVE})
    if(WDX_TIMEOUT)
      set(timeout ${WDX_TIMEOUT})
    endif()
    set(fixture "")
    if(WDX_FIXTURE)
      set(fixture FIXTURES_REQUIRED ${WDX_FIXTURE})
    endif()
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${timeout} LABELS "gtest" ${fixture})
  endif()
endfunction()

# Marks the tests of the calling directory, but those named, as running programs under wine:
# they need the prefix's wine server kept up for the run (the fixture wine_server,
# tests/CMakeLists.txt). Called at the end of a directory's list in the Windows build.
function(wdx_wine_tests_need_server)
  get_property(tests DIRECTORY PROPERTY TESTS)
  list(REMOVE_ITEM tests ${ARGN})
  if(tests)
    set_property(TEST ${tests} APPEND PROPERTY FIXTURES_REQUIRED wine_server)
  endif()
endfunction()

function(wdx_benchmark name)
  _wdx_parse(wdx_benchmark ${name} ${ARGN})
  if(NOT WDX_HAVE_BENCHMARK)
    return()
  endif()
  add_executable(${name} ${WDX_SOURCES})
  _wdx_program(${name})
  target_link_libraries(${name} PRIVATE ${WDX_DEPS} benchmark::benchmark)
endfunction()
