# The Apple build's targets as the whole top CMakeLists.txt makes them with APPLE set: every
# library and executable with its C++ and Objective-C++ sources, what each links, and whether Qt's
# moc runs on it. Project commands are stood in for by functions that only report; nothing is
# built or searched for. A command not stood in for that script mode refuses stops the script:
# add its stand-in here.
# Prints one line per fact:
#   BERSAGLIO <libreria|eseguibile> <name> <automoc ON/OFF>
#   SORGENTE <name> <path>
#   COLLEGA <name> <item>
# Script mode: cmake -DRADICE=<tree> -DPROVVISORIA=<dir> -P bersagli_apple.cmake
if(NOT RADICE OR NOT PROVVISORIA)
  message(FATAL_ERROR "usage: cmake -DRADICE=<tree> -DPROVVISORIA=<dir> -P bersagli_apple.cmake")
endif()

set(APPLE TRUE)
set(UNIX TRUE)
set(CMAKE_SOURCE_DIR ${RADICE})
set(CMAKE_CURRENT_SOURCE_DIR ${RADICE})
set(CMAKE_BINARY_DIR ${PROVVISORIA})
set(CMAKE_CURRENT_BINARY_DIR ${PROVVISORIA})
set(PULSARO_FUZZ OFF)
set(PULSARO_SOLO_MOTORE OFF)
set(PULSARO_BENCH ON)

macro(file)
  set(_argomenti ${ARGN})
  list(REMOVE_ITEM _argomenti CONFIGURE_DEPENDS)
  _file(${_argomenti})
endmacro()
# The tree's own files are read; CMake's modules (GoogleTest, GNUInstallDirs, CPack) are not.
macro(include percorso)
  if("${percorso}" MATCHES "/|\\.cmake$")
    if(IS_ABSOLUTE "${percorso}")
      _include(${percorso})
    else()
      _include(${RADICE}/${percorso})
    endif()
  endif()
endmacro()
macro(project)
  set(PROJECT_VERSION 0.0.0)
endmacro()
macro(find_package pacchetto)
  set(${pacchetto}_FOUND TRUE)
endmacro()

function(riporta_bersaglio tipo nome)
  set(_automoc OFF)
  if(CMAKE_AUTOMOC)
    set(_automoc ON)
  endif()
  message("BERSAGLIO ${tipo} ${nome} ${_automoc}")
  target_sources(${nome} ${ARGN})
endfunction()
function(add_library nome)
  riporta_bersaglio(libreria ${nome} ${ARGN})
endfunction()
function(add_executable nome)
  riporta_bersaglio(eseguibile ${nome} ${ARGN})
endfunction()
function(target_sources nome)
  foreach(s IN LISTS ARGN)
    if(s MATCHES "\\.(cpp|mm)$")
      message("SORGENTE ${nome} ${s}")
    endif()
  endforeach()
endfunction()
function(target_link_libraries nome)
  foreach(voce IN LISTS ARGN)
    if(NOT voce MATCHES "^(PUBLIC|PRIVATE|INTERFACE)$")
      message("COLLEGA ${nome} ${voce}")
    endif()
  endforeach()
endfunction()

foreach(comando add_compile_options add_link_options enable_testing add_test set_tests_properties
                gtest_discover_tests add_subdirectory add_custom_command add_custom_target
                add_dependencies install configure_file set_target_properties
                set_source_files_properties target_include_directories target_link_options
                target_compile_definitions target_compile_options pkg_check_modules)
  cmake_language(EVAL CODE "function(${comando})\nendfunction()")
endforeach()

include(${RADICE}/CMakeLists.txt)
