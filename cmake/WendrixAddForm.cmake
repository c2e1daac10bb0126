# Building a form source with its translations into a program, and the targets that keep the
# translations in step with the form:
#
#   wendrix_add_form(<target> <form.frm> [TRANSLATIONS <file.po>...] [TEXTS <code>...]
#                    [CLASSES <code>...] [ICON <program.ico>])
#
# checks the form source and compiles it, with the texts of each PO file taken into the language
# its header names, into the form's binary stream, and embeds it in <target>. formc checks the form
# as the program reads it at start and fails the build with every problem it finds, each as
# "<form.frm>:<line>: <what>"; CLASSES names the C++ files that declare the program's form class
# and control classes (WDX_FORM, WDX_CONTROL, WDX_CLASS), against which it checks the form's class,
# handlers and controls as well. TEXTS names the program's C++ files whose texts it marks with
# WDX_TEXT: the PO files translate those too, and their catalogue is embedded beside the form (one
# form of a program has them). The PO files may translate the library's own texts as well
# (WENDRIX_LIBRARY_TEMPLATE lists them), over the library's own translations. The form is embedded
# on POSIX as a byte array that registers itself with the platform layer's resources when the
# program starts, on Windows as a language-neutral RCDATA resource named after the form's class in
# capitals, with the form's icon as the program icon. ICON names an icon file to be the program
# icon instead: the form's icon with more sizes (every image of the form's icon byte for byte, or
# formc refuses it), from which the window front-end takes the sizes the form's icon lacks at a
# high DPI, while the form's stream keeps its bytes. <target> may be an executable, an object
# library, or a static or shared library: a library's form is compiled into an object library of
# its own, <target>_form_<stem>_<hash>, whose objects every program linking <target> links
# directly, so that the linker cannot leave the form out. Languages the form source lacks are added
# in the order of the files. A changed form source, PO file or class file (or form compiler)
# compiles the form again before <target> is built; a PO file that cannot be used fails the build
# with "<file.po>:<line>: <what>". The files formc writes are named after the target and the
# form's path, so two forms of one file name do not collide.
#
#   wendrix_add_po_targets(<form.frm> <template.pot> [<file.po>...] [TEXTS <code>...])
#
# gives the build the targets that gettext's po/ folder has: `pot` writes the template of the
# form's texts, then those of the code (TEXTS) and of the library (a form "-": the code's alone),
# `update-po` merges each PO file with a fresh template, message by message by context (a changed
# text becomes fuzzy with its old translation, a removed one obsolete). Both write into the source
# tree, where the translations live, and run formc alone, which needs nothing but the files: they
# work whatever state the translations are in. Called for several forms, or for one form with
# several sets of PO files, `pot` and `update-po` do the work of all.
#
# Relative paths are taken from the current source folder. The tools are the executable targets
# Wendrix::formc and Wendrix::formtool, which run on the machine that builds.

include_guard(GLOBAL)

function(_wendrix_require_tool tool function)
  if(NOT TARGET Wendrix::${tool})
    message(FATAL_ERROR "${function}: the executable target Wendrix::${tool} is not defined")
  endif()
endfunction()

# Each file absolute, from the current source folder.
function(_wendrix_absolute out)
  set(files "")
  foreach(file IN LISTS ARGN)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND files "${file}")
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# The texts of the code and the library as formc's arguments.
function(_wendrix_text_arguments out)
  set(arguments "")
  if(ARGN)
    _wendrix_absolute(files ${ARGN})
    list(APPEND arguments --texts ${files})
  endif()
  if(WENDRIX_LIBRARY_TEMPLATE)
    list(APPEND arguments --library "${WENDRIX_LIBRARY_TEMPLATE}")
  endif()
  set(${out} ${arguments} PARENT_SCOPE)
endfunction()

function(wendrix_add_form target form)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "ICON" "TRANSLATIONS;TEXTS;CLASSES")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "wendrix_add_form(${target}): unknown arguments: ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "wendrix_add_form: no target ${target}")
  endif()
  _wendrix_require_tool(formc wendrix_add_form)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "MODULE_LIBRARY")
    message(FATAL_ERROR "wendrix_add_form(${target}): a module is loaded by a program that does "
      "not find the forms inside it; add the form to the program, or to a static or shared "
      "library the program links")
  endif()

  cmake_path(ABSOLUTE_PATH form BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
  _wendrix_absolute(translations ${ARG_TRANSLATIONS})
  _wendrix_absolute(classes ${ARG_CLASSES})
  cmake_path(GET form STEM stem)
  # Named after the target and the form's path: forms of one file name do not collide.
  string(MD5 id "${form}")
  string(SUBSTRING "${id}" 0 8 id)
  set(prefix "${CMAKE_CURRENT_BINARY_DIR}/wendrix-forms/${target}/${stem}-${id}")
  set(comment "Checking and compiling the form ${stem}")
  if(translations)
    string(APPEND comment " with its translations")
  endif()

  _wendrix_text_arguments(texts ${ARG_TEXTS})
  set(inputs ${classes})
  foreach(input IN LISTS texts)
    if(NOT input MATCHES "^--")
      list(APPEND inputs "${input}")
    endif()
  endforeach()
  if(classes)
    list(APPEND texts --classes ${classes})
  endif()
  if(ARG_ICON)
    _wendrix_absolute(icon "${ARG_ICON}")
    list(APPEND texts --icon "${icon}")
    list(APPEND inputs "${icon}")
  endif()

  # formc also writes ${prefix}.ico when the form has an icon, and ${prefix}.texts with a
  # catalogue; the .rc file, rewritten with them, carries the dependency.
  add_custom_command(
    OUTPUT "${prefix}.bin" "${prefix}.cpp" "${prefix}.rc"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/wendrix-forms/${target}"
    COMMAND "$<TARGET_FILE:Wendrix::formc>" "${form}" "${prefix}" ${translations} ${texts}
    DEPENDS Wendrix::formc "$<TARGET_FILE:Wendrix::formc>" "${form}" ${translations} ${inputs}
    COMMENT "${comment}"
    VERBATIM)
  if(WIN32)
    get_property(languages GLOBAL PROPERTY ENABLED_LANGUAGES)
    if(NOT "RC" IN_LIST languages)
      message(FATAL_ERROR "wendrix_add_form(${target}): a Windows program embeds its form as a "
        "resource; enable the RC language (project(... LANGUAGES CXX RC))")
    endif()
    set(embedded "${prefix}.rc")
  else()
    set(embedded "${prefix}.cpp")
  endif()
  if(type STREQUAL "EXECUTABLE" OR type STREQUAL "OBJECT_LIBRARY")
    target_sources(${target} PRIVATE "${embedded}")
    return()
  endif()
  # Nothing refers to the form's object but the resource lookup at run time, so in an archive the
  # linker would leave it out: the programs that link the library link the object itself.
  set(objects "${target}_form_${stem}_${id}")
  add_library(${objects} OBJECT "${embedded}")
  target_link_libraries(${target} INTERFACE "$<TARGET_OBJECTS:${objects}>")
  add_dependencies(${target} ${objects})
endfunction()

function(wendrix_add_po_targets form template)
  _wendrix_require_tool(formc wendrix_add_po_targets)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "TEXTS")
  if(NOT form STREQUAL "-")
    cmake_path(ABSOLUTE_PATH form BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
  endif()
  cmake_path(ABSOLUTE_PATH template BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
  if(form STREQUAL "-")
    # The library's own template: its code's texts alone.
    set(WENDRIX_LIBRARY_TEMPLATE "")
  endif()
  _wendrix_text_arguments(texts ${ARG_TEXTS})
  set(translations "")
  foreach(po IN LISTS ARG_UNPARSED_ARGUMENTS)
    cmake_path(ABSOLUTE_PATH po BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND translations "${po}")
  endforeach()
  # Targets named after the template's path: forms of one name in two folders, or one template
  # with two sets of PO files, do not collide.
  string(MD5 id "${template}")
  string(SUBSTRING "${id}" 0 12 id)
  cmake_path(GET template STEM stem)
  if(NOT TARGET wendrix-pot-${id})
    add_custom_target(wendrix-pot-${id}
      COMMAND "$<TARGET_FILE:Wendrix::formc>" --pot "${form}" "${template}" ${texts}
      DEPENDS Wendrix::formc
      COMMENT "Writing the template ${template}"
      VERBATIM)
    # A build of the library itself writes the library's template first, which the others take in.
    get_property(library GLOBAL PROPERTY _wendrix_library_pot)
    if(form STREQUAL "-")
      set_property(GLOBAL PROPERTY _wendrix_library_pot wendrix-pot-${id})
    elseif(library AND WENDRIX_LIBRARY_TEMPLATE)
      add_dependencies(wendrix-pot-${id} ${library})
    endif()
  endif()
  get_property(count GLOBAL PROPERTY _wendrix_po_sets)
  if(NOT count)
    set(count 0)
  endif()
  math(EXPR count "${count} + 1")
  set_property(GLOBAL PROPERTY _wendrix_po_sets ${count})
  set(merge wendrix-update-po-${id}-${count})
  if(translations)
    add_custom_target(${merge}
      COMMAND "$<TARGET_FILE:Wendrix::formc>" --update-po "${template}" ${translations}
      COMMENT "Merging the translations of ${stem} with its template"
      VERBATIM)
  else()
    add_custom_target(${merge})
  endif()
  add_dependencies(${merge} wendrix-pot-${id})

  foreach(goal IN ITEMS pot update-po)
    if(NOT TARGET ${goal})
      add_custom_target(${goal})
    endif()
  endforeach()
  add_dependencies(pot wendrix-pot-${id})
  add_dependencies(update-po ${merge})
endfunction()
