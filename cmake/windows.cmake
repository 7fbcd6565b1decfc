# SPDX-License-Identifier: GPL-3.0-or-later
# What a Windows user downloads: the program with its icon and version, its installer and a zip.
set_target_properties(sorvanto PROPERTIES WIN32_EXECUTABLE ON)
target_link_options(sorvanto PRIVATE -s)
# The pictures are PNG, which Qt reads without a plugin.
qt_import_plugins(sorvanto EXCLUDE_BY_TYPE imageformats)

# The icon in every size that Windows shows, from 16 px in lists to 256 px in large views.
set(SORVANTO_ICO ${CMAKE_CURRENT_BINARY_DIR}/sorvanto.ico)
add_custom_command(OUTPUT ${SORVANTO_ICO}
  COMMAND convert ${PROJECT_SOURCE_DIR}/data/icons/256x256/sorvanto.png
          -define icon:auto-resize=256,128,64,48,32,24,16 ${SORVANTO_ICO}
  DEPENDS data/icons/256x256/sorvanto.png VERBATIM)
# Its application manifest too, the only one it has: Debian's MinGW-w64 links no default one.
configure_file(data/windows/sorvanto.rc.in sorvanto.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/sorvanto.rc PROPERTIES
  OBJECT_DEPENDS "${SORVANTO_ICO};${PROJECT_SOURCE_DIR}/data/windows/sorvanto.manifest")
target_sources(sorvanto PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/sorvanto.rc)

# The uninstaller that the list of installed programs runs, which waits for NSIS's (src/uninstall.cpp).
configure_file(data/windows/uninstall.rc.in uninstall.rc @ONLY)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/uninstall.rc PROPERTIES
  OBJECT_DEPENDS "${SORVANTO_ICO};${PROJECT_SOURCE_DIR}/data/windows/sorvanto.manifest")
add_executable(sorvanto_uninstall WIN32 src/uninstall.cpp ${CMAKE_CURRENT_BINARY_DIR}/uninstall.rc)
target_compile_definitions(sorvanto_uninstall PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
target_link_options(sorvanto_uninstall PRIVATE -s)

set(SORVANTO_SETUP ${CMAKE_CURRENT_BINARY_DIR}/sorvanto-${PROJECT_VERSION}-setup.exe)
set(SORVANTO_ZIP ${CMAKE_CURRENT_BINARY_DIR}/sorvanto-${PROJECT_VERSION}-win64.zip)
set(SORVANTO_NSIS makensis -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:sorvanto>
    -DUNINSTALLER=$<TARGET_FILE:sorvanto_uninstall> -DICON=${SORVANTO_ICO} -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE)
add_custom_command(OUTPUT ${SORVANTO_SETUP}
  COMMAND ${SORVANTO_NSIS} -DOUTFILE=${SORVANTO_SETUP} ${PROJECT_SOURCE_DIR}/data/windows/sorvanto.nsi
  DEPENDS sorvanto sorvanto_uninstall ${SORVANTO_ICO} data/windows/sorvanto.nsi LICENSE VERBATIM)
# The program alone, without its folder or Unix file attributes.
add_custom_command(OUTPUT ${SORVANTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${SORVANTO_ZIP}
  COMMAND zip -X -j -9 ${SORVANTO_ZIP} $<TARGET_FILE:sorvanto>
  DEPENDS sorvanto VERBATIM)
add_custom_target(sorvanto_downloads ALL DEPENDS ${SORVANTO_SETUP} ${SORVANTO_ZIP})

# For the tests: the setup that believes itself unelevated, as a standard user's is; under Wine every
# process runs elevated.
if(SORVANTO_TESTS)
  set(SORVANTO_UNELEVATED_SETUP ${CMAKE_CURRENT_BINARY_DIR}/tests/unelevated-setup.exe)
  add_custom_command(OUTPUT ${SORVANTO_UNELEVATED_SETUP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/tests
    COMMAND ${SORVANTO_NSIS} -DUNELEVATED -DOUTFILE=${SORVANTO_UNELEVATED_SETUP} ${PROJECT_SOURCE_DIR}/data/windows/sorvanto.nsi
    DEPENDS sorvanto sorvanto_uninstall ${SORVANTO_ICO} data/windows/sorvanto.nsi LICENSE VERBATIM)
  add_custom_target(sorvanto_unelevated_setup ALL DEPENDS ${SORVANTO_UNELEVATED_SETUP})
endif()
