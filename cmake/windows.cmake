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

set(SORVANTO_SETUP ${CMAKE_CURRENT_BINARY_DIR}/sorvanto-${PROJECT_VERSION}-setup.exe)
set(SORVANTO_ZIP ${CMAKE_CURRENT_BINARY_DIR}/sorvanto-${PROJECT_VERSION}-win64.zip)
add_custom_command(OUTPUT ${SORVANTO_SETUP}
  COMMAND makensis -V2 -DVERSION=${PROJECT_VERSION} -DPROGRAM=$<TARGET_FILE:sorvanto> -DICON=${SORVANTO_ICO}
          -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DOUTFILE=${SORVANTO_SETUP}
          ${PROJECT_SOURCE_DIR}/data/windows/sorvanto.nsi
  DEPENDS sorvanto ${SORVANTO_ICO} data/windows/sorvanto.nsi LICENSE VERBATIM)
# The program alone, without its folder or Unix file attributes.
add_custom_command(OUTPUT ${SORVANTO_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${SORVANTO_ZIP}
  COMMAND zip -X -j -9 ${SORVANTO_ZIP} $<TARGET_FILE:sorvanto>
  DEPENDS sorvanto VERBATIM)
add_custom_target(sorvanto_downloads ALL DEPENDS ${SORVANTO_SETUP} ${SORVANTO_ZIP})
