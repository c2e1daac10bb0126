# The curses library that the terminal front-end draws with, in its wide-character form (UTF-8
# terminals), as the imported target Wendrix::Curses. The build and the installed package both
# find it here; when it is missing there is no such target.

if(NOT TARGET Wendrix::Curses)
  set(CURSES_NEED_NCURSES TRUE)
  set(CURSES_NEED_WIDE TRUE)
  find_package(Curses QUIET)
  unset(CURSES_NEED_NCURSES)
  unset(CURSES_NEED_WIDE)
  if(CURSES_FOUND)
    add_library(Wendrix::Curses INTERFACE IMPORTED GLOBAL)
    set_target_properties(Wendrix::Curses PROPERTIES
      INTERFACE_INCLUDE_DIRECTORIES "${CURSES_INCLUDE_DIRS}"
      INTERFACE_LINK_LIBRARIES "${CURSES_LIBRARIES}")
  endif()
endif()
