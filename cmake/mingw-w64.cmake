# Cross build for 64-bit Windows with Debian's mingw-w64 toolchain.
#
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The posix thread model is used: the win32 one has no std::thread/std::mutex.
# Programs are linked statically, so each .exe runs with no DLLs beside it.
# Tests run under wine through cmake/wine-run.sh. An installed Wendrix package for Windows holds
# a copy: programs built on it use the compilers it was built with.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(WDX_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${WDX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WDX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${WDX_MINGW_TRIPLET}-windres)
find_program(CMAKE_AR NAMES ${WDX_MINGW_TRIPLET}-gcc-ar-posix ${WDX_MINGW_TRIPLET}-ar)
find_program(CMAKE_RANLIB NAMES ${WDX_MINGW_TRIPLET}-gcc-ranlib-posix ${WDX_MINGW_TRIPLET}-ranlib)

# Appended to what the command line gives, so that -DCMAKE_FIND_ROOT_PATH=<p> finds packages
# installed in <p> for Windows (an installed Wendrix package, say).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${WDX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Unicode Windows API by default; Windows 7 as the oldest target.
set(CMAKE_C_FLAGS_INIT "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601")

# The tests run under wine; the copy that an installed package holds has no runner beside it.
if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")
endif()
