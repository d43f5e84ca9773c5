# Tiny help files compiled from test_help_chm: one per way a help file can
# name its first page.
find_program(CHMCMD chmcmd REQUIRED)
set(tiny_help_dir ${CMAKE_CURRENT_SOURCE_DIR}/test_help_chm)
set(tiny_help_pages
  ${tiny_help_dir}/index.html ${tiny_help_dir}/second.html
  ${tiny_help_dir}/sub/third.html ${tiny_help_dir}/dot.png)
set(tiny_help_files)
foreach(project topic window plain bare)
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${project}.chm
    COMMAND ${CHMCMD} --no-html-scan --verbosity 0 ${tiny_help_dir}/${project}.hhp
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DEPENDS ${tiny_help_dir}/${project}.hhp ${tiny_help_pages}
    VERBATIM)
  list(APPEND tiny_help_files ${CMAKE_CURRENT_BINARY_DIR}/${project}.chm)
endforeach()
add_custom_target(tiny_help_files DEPENDS ${tiny_help_files})

orlatim_test(NAME test_help SOURCES test_help.cpp LIBS platform GUI)
add_dependencies(test_help tiny_help_files orlatim_help)
target_compile_definitions(test_help PRIVATE
  TINY_HELP_DIR="${CMAKE_CURRENT_BINARY_DIR}" BUILD_DIR="${CMAKE_BINARY_DIR}"
  HELP_SOURCE_DIR="${PROJECT_SOURCE_DIR}/assets/help")

orlatim_test(NAME test_makers_page SOURCES test_makers_page.cpp LIBS platform GUI)
add_dependencies(test_makers_page orlatim_help)
target_compile_definitions(test_makers_page PRIVATE BUILD_DIR="${CMAKE_BINARY_DIR}")
