# The program's Japanese messages: assets/translations/orlatim_ja.ts is
# compiled by lrelease (Debian's qt6-l10n-tools) and embedded in this library,
# so the program and the tests find it without an installed file.
find_program(LRELEASE lrelease HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)
find_program(LUPDATE lupdate HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} REQUIRED)

set(translation_dir ${PROJECT_SOURCE_DIR}/assets/translations)
set(ts_files ${translation_dir}/orlatim_ja.ts)

set(qm_files)
foreach(ts ${ts_files})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_CURRENT_BINARY_DIR}/${name}.qm)
  add_custom_command(
    OUTPUT ${qm}
    COMMAND ${LRELEASE} -silent ${ts} -qm ${qm}
    DEPENDS ${ts}
    COMMENT "Compiling the translation ${name}.qm"
    VERBATIM)
  list(APPEND qm_files ${qm})
endforeach()

target_sources(platform PRIVATE translations.cpp translations.h)
qt_add_resources(platform orlatim_translations PREFIX /translations BASE ${CMAKE_CURRENT_BINARY_DIR}
  FILES ${qm_files})

# "cmake --build build --target update_translations" gathers every text
# marked with tr() or QCoreApplication::translate() in src/ into the .ts
# files, keeping what is already translated.
add_custom_target(update_translations
  COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${PROJECT_SOURCE_DIR}/src -ts ${ts_files}
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Updating the translation sources in assets/translations"
  VERBATIM)
