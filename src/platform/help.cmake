target_sources(platform PRIVATE help_viewer.cpp)
target_include_directories(platform PRIVATE ${CHM_INCLUDE_DIR})
target_link_libraries(platform PRIVATE ${CHM_LIBRARY})
