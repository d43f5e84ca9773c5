# Our help pages compiled into Orlatim.chm, and the maker's page, both placed
# beside the program in the build folder, where the program looks for them.
find_program(CHMCMD chmcmd REQUIRED)

set(help_project ${CMAKE_CURRENT_SOURCE_DIR}/help/Orlatim.hhp)
file(GLOB_RECURSE help_sources CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.html
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.css
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.png
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.hhc
  ${CMAKE_CURRENT_SOURCE_DIR}/help/*.hhk)

# chmcmd reads the pages relative to the project file and writes the help
# file into its working folder.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Orlatim.chm
  COMMAND ${CMAKE_COMMAND} -DCHMCMD=${CHMCMD} -DPROJECT_FILE=${help_project}
          -DOUTPUT=${CMAKE_BINARY_DIR}/Orlatim.chm
          -P ${CMAKE_CURRENT_SOURCE_DIR}/compile_help.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${help_project} ${help_sources} ${CMAKE_CURRENT_SOURCE_DIR}/compile_help.cmake
  COMMENT "Compiling the help file Orlatim.chm"
  VERBATIM)

set(makers_page ${CMAKE_CURRENT_SOURCE_DIR}/about/Orlatim-about.html)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Orlatim-about.html
  COMMAND ${CMAKE_COMMAND} -E copy ${makers_page} ${CMAKE_BINARY_DIR}/Orlatim-about.html
  DEPENDS ${makers_page}
  COMMENT "Copying the maker's page"
  VERBATIM)

add_custom_target(orlatim_help ALL
  DEPENDS ${CMAKE_BINARY_DIR}/Orlatim.chm ${CMAKE_BINARY_DIR}/Orlatim-about.html)
