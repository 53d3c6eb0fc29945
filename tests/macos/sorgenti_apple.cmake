# Prints the sources the Apple build compiles, one per line as "SORGENTE <path>", by running the
# layer function of cmake/Pulsaro.cmake with APPLE set on every pulsaro_library call of the top
# CMakeLists.txt (PULSARO_OS = macos), and what its target_link_libraries calls name, one per line
# as "COLLEGA <item>" (the frameworks among them make the Apple link line).
# Script mode: cmake -DRADICE=<tree> -DPROVVISORIA=<dir> -P ...
if(NOT RADICE OR NOT PROVVISORIA)
  message(FATAL_ERROR "usage: cmake -DRADICE=<tree> -DPROVVISORIA=<dir> -P sorgenti_apple.cmake")
endif()

set(APPLE TRUE)
set(PULSARO_OS macos)
set(CMAKE_SOURCE_DIR ${RADICE})
set(CMAKE_BINARY_DIR ${PROVVISORIA})
file(READ ${RADICE}/CMakeLists.txt _cmakelists)

# Project commands the layer function calls, stood in for: globs without CONFIGURE_DEPENDS (not
# allowed in script mode), and libraries that only report their sources.
macro(file)
  set(_argomenti ${ARGN})
  list(REMOVE_ITEM _argomenti CONFIGURE_DEPENDS)
  _file(${_argomenti})
endmacro()
function(add_library nome)
  foreach(s IN LISTS ARGN)
    if(NOT s MATCHES "^(STATIC|SHARED|OBJECT|INTERFACE)$")
      message("SORGENTE ${s}")
    endif()
  endforeach()
endfunction()
function(target_include_directories)
endfunction()
function(set_source_files_properties)
endfunction()
function(target_link_libraries bersaglio)
  foreach(voce IN LISTS ARGN)
    message("COLLEGA ${voce}")
  endforeach()
endfunction()

include(${RADICE}/cmake/Pulsaro.cmake)

string(REGEX MATCHALL "pulsaro_library\\([^)]*\\)" _chiamate "${_cmakelists}")
if(NOT _chiamate)
  message(FATAL_ERROR "no pulsaro_library call in ${RADICE}/CMakeLists.txt")
endif()
foreach(_chiamata IN LISTS _chiamate)
  cmake_language(EVAL CODE "${_chiamata}")
endforeach()

# The frameworks are linked inside if(APPLE) blocks, and only their calls speak for the Mac.
string(REGEX MATCHALL "if\\(APPLE\\)[^\n]*\n([^e]|e[^n]|en[^d])*endif\\(\\)" _blocchi_apple "${_cmakelists}")
foreach(_blocco IN LISTS _blocchi_apple)
  string(REGEX MATCHALL "target_link_libraries\\([^)]*\\)" _collegamenti "${_blocco}")
  foreach(_collegamento IN LISTS _collegamenti)
    cmake_language(EVAL CODE "${_collegamento}")
  endforeach()
endforeach()
