# Fuzz targets of the parsers of outside data: tests/fuzz/<folder>/<name>.cpp, seeds in
# tests/fuzz/corpus/<name>/. With PULSARO_FUZZ (clang) each is a libFuzzer executable and the
# test runs it over its seeds; in the normal build the same code runs over the same seeds
# through a small runner, so every seed and every crash input found stays a regression test.
function(pulsaro_fuzz name sorgente)
  # The files one by one: given a folder, libFuzzer would add inputs of its own to it.
  file(GLOB _corpus CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name}/*)
  if(PULSARO_FUZZ)
    add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${sorgente})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set(_test fuzz_${name})
    add_test(NAME ${_test} COMMAND fuzz_${name} ${_corpus})
    add_dependencies(pulsaro_fuzz_tutti fuzz_${name})
  else()
    add_executable(fuzz_${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/${sorgente}
                                ${CMAKE_SOURCE_DIR}/tests/fuzz/esegui_corpus.cpp)
    set(_test fuzz_corpus_${name})
    add_test(NAME ${_test} COMMAND fuzz_${name} ${_corpus})
  endif()
  target_include_directories(fuzz_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(fuzz_${name} PRIVATE ${ARGN})
  set_tests_properties(${_test} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

if(PULSARO_FUZZ)
  add_custom_target(pulsaro_fuzz_tutti)
endif()

pulsaro_fuzz(lista_ps lista_ps.cpp pulsaro_sampling)
pulsaro_fuzz(creatore creatore.cpp pulsaro_probes)
pulsaro_fuzz(esposizione esposizione.cpp pulsaro_sampling)
if(PULSARO_OS STREQUAL "linux")
  pulsaro_fuzz(stat_cpu linux/stat_cpu.cpp pulsaro_platform)
  pulsaro_fuzz(meminfo linux/meminfo.cpp pulsaro_platform)
  pulsaro_fuzz(elenco_cpu linux/elenco_cpu.cpp pulsaro_platform)
  pulsaro_fuzz(stat_processo linux/stat_processo.cpp pulsaro_platform)
  pulsaro_fuzz(fdinfo linux/fdinfo.cpp pulsaro_platform)
  pulsaro_fuzz(voce_desktop linux/voce_desktop.cpp pulsaro_platform)
  # Compared with GNU's from_chars, which LLVM's library lacks: Linux only.
  pulsaro_fuzz(numero linux/numero.cpp pulsaro_platform)
endif()
if(NOT PULSARO_SOLO_MOTORE)
  pulsaro_fuzz(colore qt/colore.cpp pulsaro_barra)
  pulsaro_fuzz(preferenze qt/preferenze.cpp pulsaro_platform_qt)
  pulsaro_fuzz(valore_preferenza qt/valore_preferenza.cpp pulsaro_platform_qt)
  pulsaro_fuzz(opzioni qt/opzioni.cpp pulsaro_shell)
  pulsaro_fuzz(cornice qt/cornice.cpp pulsaro_shell)
endif()
