# Installation and packages: the .deb on Linux (cmake --build build --target package), the
# application bundle on macOS. The icon is drawn from the gauge symbol at build time.
set(PULSARO_ID "it.pulsaro.Pulsaro")
set(PULSARO_SITO "https://pulsaro.github.io" CACHE STRING "Home page named by the package and the metainfo")
set(PULSARO_DATA_RILASCIO "2026-12-06" CACHE STRING "Date of this version's release (YYYY-MM-DD)")

add_executable(pulsaro_icona tools/icona/main.cpp)
target_link_libraries(pulsaro_icona PRIVATE pulsaro_widgets Qt6::Gui)

include(GNUInstallDirs)

if(APPLE)
  set(_iconset ${CMAKE_BINARY_DIR}/icona)
  set(_icns ${CMAKE_BINARY_DIR}/Pulsaro.icns)
  # The icon tool draws without a screen, as on Linux: no Dock icon, no window server needed.
  add_custom_command(OUTPUT ${_icns}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:pulsaro_icona> ${_iconset} --iconset
    COMMAND iconutil -c icns -o ${_icns} ${_iconset}/Pulsaro.iconset
    DEPENDS pulsaro_icona VERBATIM)
  # The launchd agent that serves the figures to Prometheus headless, for ~/Library/LaunchAgents.
  set(_agente ${CMAKE_SOURCE_DIR}/packaging/macos/it.pulsaro.Pulsaro.esporta.plist)
  target_sources(pulsaro PRIVATE ${_icns} ${_agente})
  set_source_files_properties(${_icns} ${_agente} PROPERTIES MACOSX_PACKAGE_LOCATION Resources)
  set_target_properties(pulsaro PROPERTIES
    MACOSX_BUNDLE TRUE
    OUTPUT_NAME Pulsaro
    MACOSX_BUNDLE_INFO_PLIST ${CMAKE_SOURCE_DIR}/packaging/macos/Info.plist.in
    MACOSX_BUNDLE_GUI_IDENTIFIER ${PULSARO_ID}
    MACOSX_BUNDLE_BUNDLE_NAME Pulsaro
    MACOSX_BUNDLE_BUNDLE_VERSION ${PROJECT_VERSION}
    MACOSX_BUNDLE_SHORT_VERSION_STRING ${PROJECT_VERSION}
    MACOSX_BUNDLE_ICON_FILE Pulsaro
    MACOSX_BUNDLE_COPYRIGHT "Gli sviluppatori di Pulsaro")
  install(TARGETS pulsaro BUNDLE DESTINATION .)

  # `cmake --build build --target pulsaro_bundle`: Qt copied into the bundle, then signed again,
  # because macdeployqt rewrites library paths and so breaks the linker's ad-hoc signature, which
  # Apple silicon refuses to run; signed inside out (scripts/bundle_macos.sh), then checked: no
  # reference outside the bundle, a minimum macOS no lower than its files', a strict signature.
  # PULSARO_FIRMA "-" signs ad hoc (this Mac only); a Developer ID identity signs with the
  # hardened runtime and a timestamp, as notarisation requires, and with PULSARO_PROFILO_NOTARILE
  # (a notarytool keychain profile) the bundle is notarised and stapled.
  set(PULSARO_FIRMA "-" CACHE STRING "codesign identity for pulsaro_bundle (\"-\": ad hoc)")
  set(PULSARO_PROFILO_NOTARILE "" CACHE STRING "notarytool keychain profile for pulsaro_bundle")
  # macdeployqt comes with Qt's tools (Homebrew's qttools), not always beside qmake.
  find_program(PULSARO_MACDEPLOYQT macdeployqt
               HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} $ENV{HOMEBREW_PREFIX}/opt/qttools/bin
                     /opt/homebrew/opt/qttools/bin /usr/local/opt/qttools/bin)
  if(NOT PULSARO_MACDEPLOYQT)
    message(WARNING "macdeployqt not found (brew install qttools): pulsaro_bundle will fail")
  endif()
  set(_app $<TARGET_BUNDLE_DIR:pulsaro>)
  set(_bundle bash ${CMAKE_SOURCE_DIR}/scripts/bundle_macos.sh)
  set(_firma ${_bundle} firma ${_app} ${PULSARO_FIRMA})
  if(NOT PULSARO_FIRMA STREQUAL "-")
    list(APPEND _firma --runtime)
  endif()
  set(_passi
    COMMAND ${PULSARO_MACDEPLOYQT} ${_app}
    COMMAND ${_firma}
    COMMAND ${_bundle} controlla ${_app})
  add_custom_target(pulsaro_bundle ${_passi} DEPENDS pulsaro VERBATIM)
  return()
endif()

install(TARGETS pulsaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/linux/${PULSARO_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The user unit that serves the figures to Prometheus headless (systemctl --user enable …).
install(FILES packaging/linux/pulsaro-esporta.service DESTINATION lib/systemd/user)
configure_file(packaging/linux/${PULSARO_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/${PULSARO_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${PULSARO_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(_icone ${CMAKE_BINARY_DIR}/icona)
add_custom_command(OUTPUT ${_icone}/hicolor/48x48/apps/${PULSARO_ID}.png
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:pulsaro_icona> ${_icone}
  DEPENDS pulsaro_icona VERBATIM)
add_custom_target(pulsaro_icone ALL DEPENDS ${_icone}/hicolor/48x48/apps/${PULSARO_ID}.png)
install(DIRECTORY ${_icone}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Debian wants the copyright in the documentation folder, and a compressed changelog.
set(_log ${CMAKE_BINARY_DIR}/changelog.gz)
execute_process(COMMAND date -R -u -d "${PULSARO_DATA_RILASCIO} 12:00"
                OUTPUT_VARIABLE PULSARO_DATA_RILASCIO_RFC OUTPUT_STRIP_TRAILING_WHITESPACE)
file(WRITE ${CMAKE_BINARY_DIR}/changelog
  "pulsaro (${PROJECT_VERSION}) unstable; urgency=low\n\n"
  "  * Prima versione.\n\n"
  " -- Gli sviluppatori di Pulsaro <pulsaro@users.noreply.github.com>  ${PULSARO_DATA_RILASCIO_RFC}\n")
add_custom_command(OUTPUT ${_log}
  COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/changelog > ${_log}
  DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
add_custom_target(pulsaro_changelog ALL DEPENDS ${_log})
install(FILES packaging/linux/copyright ${_log} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pulsaro)

set(_man ${CMAKE_BINARY_DIR}/pulsaro.1.gz)
add_custom_command(OUTPUT ${_man}
  COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/linux/pulsaro.1 > ${_man}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/linux/pulsaro.1 VERBATIM)
add_custom_target(pulsaro_man ALL DEPENDS ${_man})
install(FILES ${_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pulsaro)
set(CPACK_PACKAGE_VENDOR "Gli sviluppatori di Pulsaro")
set(CPACK_PACKAGE_CONTACT "Gli sviluppatori di Pulsaro <pulsaro@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor di attività per la barra dei menu")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Pulsaro mostra nell'area di notifica quanto lavorano processore, scheda\n"
    "grafica e memoria; un clic apre i processi più attivi e la finestra\n"
    "principale li mostra tutti. Ha anche una modalità terminale.")
# The tray icon needs Qt's X11 platform plugin, which the Qt libraries only recommend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PULSARO_SITO})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
