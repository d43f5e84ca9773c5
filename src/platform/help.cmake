# The help viewer and the maker's page; chmlib stays inside this folder.
target_sources(platform PRIVATE help_viewer.cpp makers_page.cpp makers_page.h)
target_include_directories(platform PRIVATE ${CHM_INCLUDE_DIR})
target_link_libraries(platform PRIVATE ${CHM_LIBRARY})
